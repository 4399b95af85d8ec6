#include <gtest/gtest.h>

#include <string_view>

#include "textio/encoding.h"

namespace brimwell {
namespace {

using namespace std::string_view_literals;

// The one UTF-8 decoder serves the contact reader (a '?' per invalid piece) and the file
// name check (any invalid piece makes a bad name): both depend on where a piece ends.
TEST(utf8_char_test, takes_a_character_or_one_maximal_invalid_piece)
{
    struct Row {
        std::string_view bytes;
        bool valid;
        std::size_t length;
        char32_t codePoint;  // checked when valid
    };
    const Row rows[] = {
        {"A"sv, true, 1, U'A'},
        {"\xC3\xA9x"sv, true, 2, U'\u00E9'},
        {"\xE2\x82\xAC"sv, true, 3, U'\u20AC'},
        {"\xF0\x9F\x98\x80"sv, true, 4, U'\U0001F600'},
        {"\xF4\x8F\xBF\xBF"sv, true, 4, U'\U0010FFFF'},
        {"\x80"sv, false, 1, 0},              // a continuation byte alone
        {"\xC0\xAF"sv, false, 1, 0},          // overlong lead
        {"\xE0\x80\x80"sv, false, 1, 0},      // overlong: the second byte is out of range
        {"\xED\xA0\x80"sv, false, 1, 0},      // a surrogate
        {"\xF4\x90\x80\x80"sv, false, 1, 0},  // past 10FFFF
        {"\xF5\x80"sv, false, 1, 0},
        {"\xE2\x82"sv, false, 2, 0},   // cut short at the end
        {"\xE2\x82x"sv, false, 2, 0},  // cut short before another character
        {"\xF0\x9F\x98"sv, false, 3, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.bytes)));
        const Utf8Char decoded = decodeUtf8Char(row.bytes, 0);
        EXPECT_EQ(decoded.valid, row.valid);
        EXPECT_EQ(decoded.length, row.length);
        if (row.valid) {
            EXPECT_EQ(decoded.codePoint, row.codePoint);
        }
    }
    EXPECT_EQ(decodeUtf8Char("ab\xC3\xA9"sv, 2).length, 2u);  // from the middle of a text
}

}  // namespace
}  // namespace brimwell
