#include "vcard/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace brimwell::vcard {
namespace {

// Both ways of searching, which must agree.
template <char... bytes>
std::size_t find(std::string_view text, std::size_t from)
{
    const std::size_t byWords = findFirstOfByWords<bytes...>(text, from);
    EXPECT_EQ(findFirstOf<bytes...>(text, from), byWords);
    return byWords;
}

// Every length, position and alignment around the sixteen- and eight-byte steps, with
// filler bytes that sit next to the sought ones (`;` + 1, `\` - 1) and bytes past 0x7F,
// which the word test must not take for a match. The text sits between sought bytes, which
// the aligned blocks read and must leave out.
TEST(byte_scan_test, first_match_at_every_position)
{
    for (const char filler : {'a', '<', '[', '\xC3', '\xFF', '\x01'}) {
        for (std::size_t length = 0; length <= 40; ++length) {
            for (std::size_t offset = 0; offset < 16; offset += length % 2 == 0 ? 1 : 5) {
                std::string buffer(offset + length + 32, ';');
                const auto text = [&] {
                    return std::string_view(buffer).substr(16 + offset, length);
                };
                std::fill_n(buffer.begin() + 16 + static_cast<std::ptrdiff_t>(offset), length,
                            filler);
                buffer[16 + offset + length] = '-';  // a match past the end is not `length`
                SCOPED_TRACE(testing::Message() << "filler " << int(filler) << " length " << length
                                                << " offset " << offset);
                EXPECT_EQ((find<';', '\\'>(text(), 0)), length);
                for (std::size_t at = 0; at < length; ++at) {
                    for (const char sought : {';', '\\'}) {
                        char& byte = buffer[16 + offset + at];
                        byte = sought;
                        SCOPED_TRACE(testing::Message() << "at " << at);
                        EXPECT_EQ((find<';', '\\'>(text(), 0)), at);
                        EXPECT_EQ((find<';', '\\'>(text(), at)), at);
                        EXPECT_EQ((find<';', '\\'>(text(), at + 1)), length);
                        byte = filler;
                    }
                }
            }
        }
    }
}

TEST(byte_scan_test, a_match_just_after_a_zero_byte)
{
    // The word test marks bytes above a match as well; the first mark must be the match.
    const std::string text("ab\0;cdefgh;", 11);
    EXPECT_EQ((find<';'>(text, 0)), 3u);
    EXPECT_EQ((find<'\0'>(text, 0)), 2u);
    EXPECT_EQ((find<'\0', ';'>(text, 3)), 3u);
    EXPECT_EQ((find<'\0', ';'>(text, 4)), 10u);
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
