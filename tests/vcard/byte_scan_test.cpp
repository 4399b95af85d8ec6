#include "vcard/byte_scan.h"

#include <gtest/gtest.h>

#include <string>

namespace brimwell::vcard {
namespace {

// Every length and position around the eight-byte steps, with filler bytes that sit next
// to the sought ones (`;` + 1, `\` - 1) and bytes past 0x7F, which the word test must not
// take for a match.
TEST(byte_scan_test, first_match_at_every_position)
{
    for (const char filler : {'a', '<', '[', '\xC3', '\xFF', '\x01'}) {
        for (std::size_t length = 0; length <= 20; ++length) {
            const std::string none(length, filler);
            EXPECT_EQ((findFirstOf<';', '\\'>(none, 0)), length);
            for (std::size_t at = 0; at < length; ++at) {
                for (const char sought : {';', '\\'}) {
                    std::string text = none;
                    text[at] = sought;
                    if (at + 1 < length)
                        text[at + 1] = sought == ';' ? '\\' : ';';  // a later match
                    SCOPED_TRACE(testing::Message() << "filler " << int(filler) << " length "
                                                    << length << " at " << at);
                    EXPECT_EQ((findFirstOf<';', '\\'>(text, 0)), at);
                    EXPECT_EQ((findFirstOf<';', '\\'>(text, at)), at);
                    EXPECT_EQ((findFirstOf<';', '\\'>(text, at + 2)), length);
                }
            }
        }
    }
}

TEST(byte_scan_test, a_match_just_after_a_zero_byte)
{
    // The word test marks bytes above a match as well; the first mark must be the match.
    const std::string text("ab\0;cdefgh;", 11);
    EXPECT_EQ((findFirstOf<';'>(text, 0)), 3u);
    EXPECT_EQ((findFirstOf<'\0'>(text, 0)), 2u);
    EXPECT_EQ((findFirstOf<'\0', ';'>(text, 3)), 3u);
    EXPECT_EQ((findFirstOf<'\0', ';'>(text, 4)), 10u);
}

TEST(byte_scan_test, counts_every_match_exactly)
{
    const struct {
        std::string text;
        std::size_t count;
    } cases[] = {
        {"", 0},
        {"abc", 0},
        {"a=b\tc d", 3},
        {"==", 2},
        {"========", 8},
        {"=\x01=\x01=\x01=\x01=", 5},  // bytes next to `=`-1 / +1 are no matches
        {"<>=<>=<>=<>=<>=<>=", 6},
        {std::string("\0=\0=\0=\0=\xFF=\x80", 11), 5},
        {"AAAA AAAA\tAAAA=AAAA==AAAA", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ((countOf<' ', '\t', '='>(c.text)), c.count);
    }
}

}  // namespace
}  // namespace brimwell::vcard
