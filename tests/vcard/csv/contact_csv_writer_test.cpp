// Output encodings: the names a caller can check before writing, code pages through ICU and
// the count of characters a code page lacks; and the writer: the file's first bytes, rows
// streamed in blocks through the encoder.
#include "vcard/csv/contact_csv_writer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "csv_test_support.h"
#include "vcard/csv/google_layout.h"
#include "vcard/csv/text_encoder.h"

namespace brimwell::vcard::csv {
namespace {

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
