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

std::size_t findNonAscii(std::string_view text, std::size_t from)
{
    const std::size_t byWords = findFirstNonAsciiByWords(text, from);
    EXPECT_EQ(findFirstNonAscii(text, from), byWords);
    return byWords;
}

// `search` over every length, position and alignment around the sixteen- and eight-byte
// steps. The text sits between `outside` bytes that it would find, which the aligned blocks
// read and must leave out, but for a `-` right after it: a match there would pass for none.
template <class Search>
void expectFirstMatchAtEveryPosition(Search search, std::initializer_list<char> fillers,
                                     std::initializer_list<char> sought, char outside)
{
    for (const char filler : fillers) {
        for (std::size_t length = 0; length <= 40; ++length) {
            for (std::size_t offset = 0; offset < 16; offset += length % 2 == 0 ? 1 : 5) {
                std::string buffer(offset + length + 32, outside);
                const auto text = [&] {
                    return std::string_view(buffer).substr(16 + offset, length);
                };
                std::fill_n(buffer.begin() + 16 + static_cast<std::ptrdiff_t>(offset), length,
                            filler);
                buffer[16 + offset + length] = '-';
                SCOPED_TRACE(testing::Message() << "filler " << int(filler) << " length " << length
                                                << " offset " << offset);
                EXPECT_EQ(search(text(), 0), length);
                for (std::size_t at = 0; at < length; ++at) {
                    for (const char byte : sought) {
                        buffer[16 + offset + at] = byte;
                        SCOPED_TRACE(testing::Message() << "at " << at << " byte " << int(byte));
                        EXPECT_EQ(search(text(), 0), at);
                        EXPECT_EQ(search(text(), at), at);
                        EXPECT_EQ(search(text(), at + 1), length);
                        buffer[16 + offset + at] = filler;
                    }
                }
            }
        }
    }
}

// Fillers sit next to the sought bytes (`;` + 1, `\` - 1) or past 0x7F, which the word test
// must not take for a match.
TEST(byte_scan_test, first_match_at_every_position)
{
    expectFirstMatchAtEveryPosition(find<';', '\\'>, {'a', '<', '[', '\xC3', '\xFF', '\x01'},
                                    {';', '\\'}, ';');
    expectFirstMatchAtEveryPosition(findNonAscii, {'a', '\x7F', '\0'}, {'\x80', '\xC3', '\xFF'},
                                    '\xC3');
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
        {"a=b\tc d", 3},
        {"========", 8},
        {"=\x01=\x01=\x01=\x01=", 5},  // bytes next to `=`-1 / +1 are no matches
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
