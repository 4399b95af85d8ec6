// Cutting a file in two at a card boundary: where the cuts are found (two_part_read_test
// reads the parts).
#include "vcard/card_boundary.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

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

}  // namespace
}  // namespace brimwell::vcard
