// The way out of the layouts: the cell rules (quoting, doubled quotes, line breaks,
// separators and line ends); rows spooled without their padding and padded once every
// contact is in, to the bytes of rows padded from the start; the output encodings (the
// names a caller can check, code pages through ICU, the count of characters a code page
// lacks); and the writer (the file's first bytes, rows streamed in blocks).
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "csv_test_support.h"
#include "vcard/csv/contact_csv_layout.h"
#include "vcard/csv/contact_csv_writer.h"
#include "vcard/csv/csv_row.h"
#include "vcard/csv/google_layout.h"
#include "vcard/csv/row_spool.h"
#include "vcard/csv/text_encoder.h"

namespace brimwell::vcard::csv {
namespace {

struct QuotingCase {
    const char* name;
    CsvStyle style;
    std::vector<std::string> cells;
    const char* line;
};

const CsvStyle kComma{",", false, false};
const CsvStyle kSemicolon{";", false, false};
const CsvStyle kTab{"\t", false, false};
const CsvStyle kCommaSpace{", ", false, false};
const CsvStyle kQuoteAll{",", true, false};
const CsvStyle kSpaces{",", false, true};

const QuotingCase kQuotingCases[] = {
    {"plain cells", kComma, {"Ann", "Lee"}, "Ann,Lee\r\n"},
    {"empty cells keep their places", kComma, {"", "a", "", ""}, ",a,,\r\n"},
    {"comma inside", kComma, {"Lee, Ann", "x"}, "\"Lee, Ann\",x\r\n"},
    {"semicolon is no separator for comma", kComma, {"a;b"}, "a;b\r\n"},
    {"semicolon inside", kSemicolon, {"a;b", "a,b"}, "\"a;b\";a,b\r\n"},
    {"tab inside", kTab, {"a\tb", "a,b", "c"}, "\"a\tb\"\ta,b\tc\r\n"},
    {"comma-space inside", kCommaSpace, {"a, b", "a,b"}, "\"a, b\", a,b\r\n"},
    {"quotes doubled", kComma, {"say \"hi\""}, "\"say \"\"hi\"\"\"\r\n"},
    {"lone quote", kComma, {"\""}, "\"\"\"\"\r\n"},
    {"LF becomes CR LF", kComma, {"a\nb"}, "\"a\r\nb\"\r\n"},
    {"CR LF stays one break", kComma, {"a\r\nb"}, "\"a\r\nb\"\r\n"},
    {"lone CR becomes CR LF", kComma, {"a\rb"}, "\"a\r\nb\"\r\n"},
    {"two breaks", kComma, {"a\n\nb"}, "\"a\r\n\r\nb\"\r\n"},
    {"quote all", kQuoteAll, {"a", "", "b\"c"}, "\"a\",\"\",\"b\"\"c\"\r\n"},
    {"quote all with breaks", kQuoteAll, {"a\nb"}, "\"a\r\nb\"\r\n"},
    {"breaks as spaces", kSpaces, {"a\r\nb\nc\rd"}, "a b c d\r\n"},
    {"breaks as spaces still quote a comma", kSpaces, {"a\nb,c"}, "\"a b,c\"\r\n"},
    {"non-Latin text untouched", kComma, {"Ζωή", "山田"}, "Ζωή,山田\r\n"},
};

TEST(csv_row_test, quotes_doubles_and_breaks_as_the_style_says)
{
    for (const QuotingCase& c : kQuotingCases) {
        CsvRow row(c.style);
        for (const std::string& cell : c.cells)
            row.cell(cell);
        row.endLine();
        EXPECT_EQ(row.text(), c.line) << c.name;
    }
}

TEST(csv_row_test, a_cell_in_pieces_is_quoted_as_a_whole_and_lines_follow)
{
    CsvRow row(kComma);
    row.begin();
    row.append("a\r");  // the CR LF is split between two pieces: still one line break
    row.append("\nb, ");
    row.appendNumber(42);
    row.end();
    row.cell("x");
    EXPECT_EQ(row.cellCount(), 2u);
    row.endLine();
    EXPECT_EQ(row.cellCount(), 0u);
    // Lines follow each other in the buffer.
    row.joined({"a", "b,c"}, " ::: ");
    row.emptyCells(2);
    row.endLine();
    EXPECT_EQ(row.text(), "\"a\r\nb, 42\",x\r\n\"a ::: b,c\",,\r\n");
}

TEST(csv_row_test, cells_larger_than_the_buffer_make_it_grow)
{
    const std::string quotes(5000, '"');
    const std::string plain(9000, 'x');
    CsvRow row(kComma);
    row.cell(plain);
    row.cell(quotes);
    row.endLine();
    EXPECT_EQ(row.text(), plain + ",\"" + quotes + quotes + "\"\r\n");
    row.clear();
    row.cell("after");
    row.endLine();
    EXPECT_EQ(row.text(), "after\r\n");
}

/// A group of the test layout: `columns` cells a value; numbered or fixed.
struct GroupSpec {
    bool numbered;
    std::size_t columns;
};

/// Numbered group g has as many values as the contact's note g has characters; a cell
/// holds its group, value and column number, and the first one a comma too.
std::string cellText(std::size_t group, std::size_t index, std::size_t column)
{
    std::string text =
        std::to_string(group) + "." + std::to_string(index) + "." + std::to_string(column);
    return group == 0 && index == 0 && column == 0 ? text + ",\"x\"" : text;
}

std::size_t valueCount(const Contact& contact, std::size_t group)
{
    return group < contact.notes.size() ? contact.notes[group].size() : 0;
}

class TestLayout : public ContactCsvLayout {
public:
    explicit TestLayout(const std::vector<GroupSpec>& groups) : ContactCsvLayout(FieldKinds{})
    {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const auto write = [g, columns = groups[g].columns](const Contact&, std::size_t i,
                                                                CsvRow& row) {
                for (std::size_t column = 0; column < columns; ++column)
                    row.cell(cellText(g, i, column));
            };
            std::vector<std::string_view> names(groups[g].columns, "#");
            if (groups[g].numbered)
                addNumbered(
                    FieldKind::Other, names, [g](const Contact& c) { return valueCount(c, g); },
                    write);
            else
                addFixed(FieldKind::Other, names, write);
        }
    }
};

/// The rows written padded from the start, each group sized to the most values any
/// contact has.
std::string paddedFromTheStart(const std::vector<GroupSpec>& groups,
                               const std::vector<Contact>& contacts, const CsvStyle& style)
{
    std::vector<std::size_t> repeat(groups.size(), 1);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (!groups[g].numbered)
            continue;
        repeat[g] = 0;
        for (const Contact& contact : contacts)
            repeat[g] = std::max(repeat[g], valueCount(contact, g));
    }
    CsvRow row(style);
    for (const Contact& contact : contacts) {
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const std::size_t values = groups[g].numbered ? valueCount(contact, g) : 1;
            for (std::size_t i = 0; i < repeat[g]; ++i) {
                for (std::size_t column = 0; column < groups[g].columns; ++column) {
                    if (i < values)
                        row.cell(cellText(g, i, column));
                    else
                        row.emptyCells(1);
                }
            }
        }
        row.endLine();
    }
    return std::string(row.text());
}

/// The contacts from `laterFrom` on go through a layout and spool of their own, appended.
std::string spooledAndPadded(const std::vector<GroupSpec>& groups,
                             const std::vector<Contact>& contacts, const CsvStyle& style,
                             std::size_t laterFrom)
{
    const auto cut = contacts.begin() + static_cast<std::ptrdiff_t>(laterFrom);
    TestLayout layout(groups);
    RowSpool spool = testing::spoolRows(layout, {contacts.begin(), cut}, style);
    TestLayout laterLayout(groups);
    RowSpool later = testing::spoolRows(laterLayout, {cut, contacts.end()}, style);
    layout.widenTo(laterLayout);
    spool.append(later);
    spool.rewind();
    EXPECT_EQ(spool.rowCount(), contacts.size());
    CsvRow row(style);
    UnpaddedRow shape;
    std::string text;
    while (spool.next(text, shape)) {
        layout.paddedRow(text, shape, row);
        row.endLine();
    }
    return std::string(row.text());
}

struct SpoolCase {
    const char* name;
    std::vector<GroupSpec> groups;
    CsvStyle style;
    std::vector<std::vector<std::size_t>> values;  ///< a contact's count for each group
};

constexpr auto numbered = [](std::size_t columns) { return GroupSpec{true, columns}; };
constexpr auto fixed = [](std::size_t columns) { return GroupSpec{false, columns}; };

const std::vector<SpoolCase> kCases = {
    {"groups of different counts",
     {fixed(2), numbered(2), numbered(1), fixed(1), numbered(3)},
     {",", false, false},
     {{0, 2, 1, 0, 0}, {0, 0, 3, 0, 1}, {0, 1, 0, 0, 2}}},
    {"first group numbered, the widest contact last",
     {numbered(2), fixed(1), numbered(1)},
     {";", false, false},
     {{0, 0, 1}, {1, 0, 0}, {3, 0, 2}}},
    {"a row of padding only", {numbered(2), numbered(1)}, {",", false, false}, {{0, 0}, {2, 1}}},
    {"rows of no cell at all", {numbered(1)}, {",", false, false}, {{0}, {0}}},
    {"no groups at all", {}, {",", true, false}, {{}, {}}},
    {"quote all writes empty cells as quotes",
     {numbered(1), fixed(2), numbered(2)},
     {",", true, false},
     {{0, 0, 2}, {2, 0, 0}}},
    {"a separator of two characters",
     {fixed(1), numbered(2), numbered(1)},
     {", ", false, false},
     {{0, 2, 0}, {0, 0, 2}, {0, 1, 1}}},
};

TEST(row_spool_test, padded_at_the_end_as_if_padded_from_the_start)
{
    for (const SpoolCase& c : kCases) {
        std::vector<Contact> contacts;
        for (const auto& counts : c.values) {
            Contact& contact = contacts.emplace_back();
            for (const std::size_t count : counts)
                contact.notes.emplace_back(count, 'v');
        }
        // In one spool, and in two appended (the first contact alone, then the rest).
        for (const std::size_t laterFrom : {contacts.size(), std::size_t{1}})
            EXPECT_EQ(spooledAndPadded(c.groups, contacts, c.style, laterFrom),
                      paddedFromTheStart(c.groups, contacts, c.style))
                << c.name << ", later part from contact " << laterFrom;
    }
}

TEST(row_spool_test, rows_after_a_mark_are_dropped_also_from_an_appended_spool)
{
    RowSpool spool(1);
    const UnpaddedRow shape{{{1, 1}, {0, 0}}, {1}};
    spool.add("a", shape);
    const RowSpool::Mark mark = spool.mark();
    spool.add("b", shape);
    spool.add("c", shape);
    spool.dropAfter(mark);
    spool.add("d", shape);
    RowSpool other(1);
    other.add("e", shape);
    const RowSpool::Mark otherMark = other.mark();
    other.add("f", shape);
    other.dropAfter(otherMark);
    spool.append(other);
    spool.rewind();
    std::string text;
    std::string all;
    UnpaddedRow back;
    while (spool.next(text, back))
        all += text;
    EXPECT_EQ(all, "ade");
    EXPECT_EQ(back.values, shape.values);
}

TEST(text_encoder_test, knows_the_names_icu_knows_and_offers_the_default_first)
{
    const std::pair<const char*, bool> names[] = {
        {"utf-8-bom", true},    {"UTF-8-BOM", true}, {"UTF8", true},
        {"Windows-1250", true}, {"shift_jis", true}, {"", false},
        {"klingon", false},     {"utf-9", false},    {"windows-99999", false}};
    for (const auto& [name, known] : names)
        EXPECT_EQ(isKnownEncoding(name), known) << '"' << name << '"';

    const std::vector<std::string> offered = encodingNames();
    ASSERT_GE(offered.size(), 3u);
    EXPECT_EQ(std::vector(offered.begin(), offered.begin() + 3),
              (std::vector<std::string>{"utf-8-bom", "utf-8", "windows-1252"}));
    for (const std::string& name : offered)
        EXPECT_TRUE(isKnownEncoding(name)) << name;
}

TEST(text_encoder_test, gives_the_bytes_and_counts_the_losses)
{
    struct Case {
        const char* encoding;
        std::vector<std::string_view> blocks;  ///< the UTF-8 text, encoded block by block
        std::string_view bytes;
        std::size_t unmappable;
    };
    const Case cases[] = {{"utf-8", {"Zoë 山田 😀"}, "Zoë 山田 😀", 0},
                          {"utf-8-bom", {"Zoë"}, "Zoë", 0},  // the mark is the writer's
                          {"windows-1252", {"Zoë Ångström"}, "Zo\xEB \xC5ngstr\xF6m", 0},
                          {"windows-1252", {"€ – “x”"}, "\x80 \x96 \x93x\x94", 0},
                          {"windows-1252", {"Ζωή"}, "???", 3},
                          {"windows-1252", {"a😀b"}, "a?b", 1},  // an astral character is one
                          {"windows-1252", {"Ａ"}, "?", 1},     // no look-alike for full-width
                          {"windows-1252", {"a,\"b\"\r\n"}, "a,\"b\"\r\n", 0},
                          {"windows-1252", {"Ω1", "Ω2"}, "?1?2", 2},
                          {"iso-8859-15", {"€"}, "\xA4", 0},
                          {"shift_jis", {"山田"}, "\x8E\x52\x93\x63", 0},
                          {"windows-1251", {"Иван"}, "\xC8\xE2\xE0\xED", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.encoding) + " " + std::string(c.blocks[0]));
        TextEncoder encoder(c.encoding);
        std::string bytes;
        for (const std::string_view block : c.blocks)
            encoder.encode(block, bytes);
        encoder.finish(bytes);
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(encoder.unmappableCount(), c.unmappable);
    }
}

/// The CSV of `contacts` in `encoding`, and the writer's count of lost characters; without
/// `finish` the writer's destructor ends the file.
std::pair<std::string, std::size_t> write(const std::vector<Contact>& contacts,
                                          std::string_view encoding, bool finish = true)
{
    GoogleLayout layout;
    RowSpool spool = testing::spoolRows(layout, contacts);
    std::ostringstream out;
    std::size_t unmappable = 0;
    {
        ContactCsvWriter writer(out, {}, encoding);
        testing::writeRows(writer, layout, spool);
        if (finish)
            writer.finish();
        unmappable = writer.unmappableCount();
    }
    return {out.str(), unmappable};
}

/// `utf8` with its Latin-1 letters as Windows-1252 bytes (every other byte is ASCII).
std::string asCp1252(std::string_view utf8)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (static_cast<unsigned char>(utf8[i]) == 0xC3)  // U+00C0..U+00FF: one byte in 1252
            bytes.push_back(char(static_cast<unsigned char>(utf8[++i]) + 0x40));
        else
            bytes.push_back(utf8[i]);
    }
    return bytes;
}

TEST(contact_csv_writer_test, many_blocks_lose_no_byte_at_their_edges_and_only_bom_files_mark)
{
    // About 80 bytes a row: 5,000 rows fill several blocks.
    std::vector<Contact> contacts(5000);
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        contacts[i].name.given = "Zoë";
        contacts[i].name.family = "Ångström " + std::to_string(i);
        contacts[i].notes = {"a \"quoted\" note,\nover two lines"};
    }
    const std::string utf8 = write(contacts, "utf-8").first;
    const auto [cp1252, unmappable] = write(contacts, "windows-1252");
    ASSERT_GT(utf8.size(), 4u * 64 * 1024);
    EXPECT_TRUE(utf8.starts_with("First Name,"));
    // Compared as a whole, not printed: a difference would fill the screen.
    EXPECT_TRUE(cp1252 == asCp1252(utf8));
    EXPECT_EQ(unmappable, 0u);
    EXPECT_TRUE(write(contacts, "utf-8-bom").first == "\xEF\xBB\xBF" + utf8);
    EXPECT_TRUE(write(contacts, "windows-1252", false).first == cp1252);
}

TEST(contact_csv_writer_test, counts_what_the_code_page_lacked_and_refuses_an_unknown_one)
{
    Contact contact;
    contact.name.given = "Zoë";
    contact.name.family = "Ωmega";
    contact.notes = {"日本"};
    const auto [csv, unmappable] = write({contact}, "windows-1252");
    EXPECT_EQ(unmappable, 3u);
    EXPECT_NE(csv.find("\r\nZo\xEB,,?mega,"), std::string::npos);
    EXPECT_NE(csv.find(",??,"), std::string::npos);

    std::ostringstream out;
    try {
        ContactCsvWriter writer(out, {}, "klingon");
        ADD_FAILURE() << "no exception";
    } catch (const std::invalid_argument& error) {
        EXPECT_STREQ(error.what(), "unknown encoding: klingon");
    }
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace brimwell::vcard::csv
