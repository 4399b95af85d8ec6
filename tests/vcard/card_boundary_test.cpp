// Cutting a file in two at a card boundary: where the cuts are found, and that reading the
// two parts gives what reading the whole file gives, or tells that the cut was unclean.
#include "vcard/card_boundary.h"

#include <gtest/gtest.h>

#include "contact_lines.h"
#include "support/temp_dir.h"
#include "vcard/reader.h"

namespace brimwell::vcard {
namespace {

TEST(card_boundary_test, finds_a_begin_line_right_after_an_end_line)
{
    struct Case {
        const char* text;
        std::size_t expected;
    };
    constexpr std::size_t none = std::string_view::npos;
    const Case cases[] = {
        {"END:VCARD\r\nBEGIN:VCARD\r\n", none},  // no line end before END:VCARD
        {"x\r\nEND:VCARD\r\nBEGIN:VCARD\r\n", 14},
        {"x\nEND:VCARD\nBEGIN:VCARD\n", 12},
        {"x\rEND:VCARD\rBEGIN:VCARD\r", 12},
        {"x\r\nEND:VCARD\r\r\nBEGIN:VCARD\r\n", 15},  // CR CR LF
        {"x\nEND:VCARD\n\n\r\nBEGIN:VCARD\n", 15},    // blank lines between
        {"x\nEND:VCARD\nBEGIN:VCARD", none},          // no line end after it yet
        {"x\nEND:VCARD\nBEGIN:VCARDS\n", none},
        {"x\nEND:VCARD \nBEGIN:VCARD\n", none},  // END:VCARD not alone on its line
        {"x\nXEND:VCARD\nBEGIN:VCARD\n", none},
        {"x\nEND:VCARD\nNOTE:BEGIN:VCARD\n", none},
        {"x\nNOTE:a\nBEGIN:VCARD\nx\nEND:VCARD\nBEGIN:VCARD\n", 33},  // the second BEGIN
    };
    for (const Case& c : cases)
        EXPECT_EQ(findCardBoundary(c.text), c.expected) << c.text;
}

TEST(card_boundary_test, the_middle_cut_of_a_file)
{
    const brimwell::test::TempDir dir;
    const std::string card = "BEGIN:VCARD\r\nFN:A\r\nEND:VCARD\r\n";
    const std::string four = card + card + card + card;
    EXPECT_EQ(middleCardBoundary(dir.write("four.vcf", four), 0), 2 * card.size());
    EXPECT_EQ(middleCardBoundary(dir.write("four.vcf", four), four.size() + 1), std::nullopt);
    EXPECT_EQ(middleCardBoundary(dir.write("one.vcf", card), 0), std::nullopt);
    EXPECT_EQ(middleCardBoundary(dir.write("wide.vcf", "\xFF\xFE" + four), 0), std::nullopt);
    EXPECT_EQ(middleCardBoundary(dir.file("gone.vcf"), 0), std::nullopt);
}

/// Every contact's lines and every warning of a reader, read to its end.
struct Read {
    std::vector<std::vector<std::string>> contacts;
    std::vector<std::string> warnings;
    bool operator==(const Read&) const = default;
};

Read linesOf(VCardReader& reader)
{
    const ReadResult all = readAll(reader);
    Read read{{}, all.warnings};
    for (const Contact& contact : all.contacts)
        read.contacts.push_back(test::contactLines(contact));
    return read;
}

TEST(card_boundary_test, two_parts_read_as_the_whole_file_or_tell_the_cut_was_unclean)
{
    struct Case {
        const char* name;
        std::string text;
        bool clean;
    };
    const Case cases[] = {
        {"nested cards and warnings on both sides",
         "BEGIN:VCARD\nVERSION:2.1\nFN:A\nNOTE;ENCODING=QUOTED-PRINTABLE:=ZZ\nAGENT:\n"
         "BEGIN:VCARD\nFN:Agent\nEND:VCARD\nEND:VCARD\n"
         "BEGIN:VCARD\nFN:B\nNOTE;CHARSET=NONE-SUCH:b\nEND:VCARD\n"
         "BEGIN:VCARD\nFN:C\nPHOTO;ENCODING=BASE64:!!\n",
         true},
        {"an END:VCARD line that is part of a quoted-printable note",
         "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:A\r\nNOTE;ENCODING=QUOTED-PRINTABLE:one=\r\n"
         "END:VCARD\r\nBEGIN:VCARD\r\nFN:B\r\nEND:VCARD\r\n",
         false},
    };
    const brimwell::test::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write("cut.vcf", c.text);
        const std::size_t cut = findCardBoundary(c.text, c.text.find("END:VCARD"));
        ASSERT_NE(cut, std::string::npos);
        VCardReader whole{std::filesystem::path(path)};
        VCardReader earlier(path, ByteRange{0, cut});
        VCardReader later(path, ByteRange{cut});
        const Read expected = linesOf(whole);
        Read parts = linesOf(earlier);
        EXPECT_EQ(earlier.endedBetweenCards(), c.clean);
        if (!c.clean)
            continue;
        Read second = linesOf(later);
        later.numberCardsAfter(earlier.cardCount());
        second.warnings = later.warnings();
        parts.contacts.insert(parts.contacts.end(), second.contacts.begin(), second.contacts.end());
        parts.warnings.insert(parts.warnings.end(), second.warnings.begin(), second.warnings.end());
        EXPECT_EQ(parts, expected);
        EXPECT_EQ(expected.warnings.size(), 3u);  // so that each part had some to number
    }
}

}  // namespace
}  // namespace brimwell::vcard
