#include "vcard/line_source.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace brimwell::vcard {
namespace {

std::vector<std::string> linesOf(const std::string& bytes, std::size_t blockSize)
{
    std::istringstream in(bytes);
    LineSource source(in, blockSize);
    std::vector<std::string> lines;
    std::string_view line;
    while (source.peek(line)) {
        lines.emplace_back(line);
        source.advance();
    }
    return lines;
}

using Lines = std::vector<std::string>;

struct Case {
    const char* name;
    std::string bytes;
    Lines lines;
};

std::string bytes(std::initializer_list<unsigned char> values)
{
    return std::string(values.begin(), values.end());
}

// Every block size must give the same lines: a CR or a mark cut between two blocks is the
// case the small sizes reach.
TEST(line_source_test, marks_and_line_ends_at_every_block_size)
{
    const Case cases[] = {
        {"empty", "", {}},
        {"crlf", "A:1\r\nB:2\r\n", {"A:1", "B:2"}},
        {"cr cr lf is one end", "A:1\r\r\nB:2", {"A:1", "B:2"}},
        {"cr cr is two ends", "A:1\r\rB:2", {"A:1", "", "B:2"}},
        {"lf cr is two ends", "A:1\n\rB:2", {"A:1", "", "B:2"}},
        {"blank lines kept", "\r\n\r\nA:1", {"", "", "A:1"}},
        {"utf8 mark",
         "\xEF\xBB\xBF"
         "FN:\xC3\xA9\r\n",
         {"FN:\xC3\xA9"}},
        {"utf8 mark only", "\xEF\xBB\xBF", {}},
        {"utf16 be", bytes({0xFE, 0xFF, 0, 'F', 0, ':', 0x04, 0x10, 0, '\n'}), {"F:\xD0\x90"}},
        {"utf16 le surrogate pair",
         bytes({0xFF, 0xFE, 0x3D, 0xD8, 0x00, 0xDE}),
         {"\xF0\x9F\x98\x80"}},
        {"utf16 le unpaired surrogate",
         bytes({0xFF, 0xFE, 0x3D, 0xD8, 'A', 0}),
         {"\xEF\xBF\xBD"
          "A"}},
        {"utf16 le odd last byte", bytes({0xFF, 0xFE, 'A', 0, 'B'}), {"A\xEF\xBF\xBD"}},
        {"utf32 le",
         bytes({0xFF, 0xFE, 0, 0, 'A', 0, 0, 0, 0x00, 0xF6, 0x01, 0}),
         {"A\xF0\x9F\x98\x80"}},
        {"utf32 be",
         bytes({0, 0, 0xFE, 0xFF, 0, 0, 0, 'A', 0, 0, 0, '\r', 0, 0, 0, 'B'}),
         {"A", "B"}},
        {"no mark: bytes as they are", "FN:\xE9\r\n", {"FN:\xE9"}},
    };
    for (const Case& c : cases) {
        for (std::size_t blockSize : {4, 5, 7, 64 * 1024}) {
            SCOPED_TRACE(std::string(c.name) + ", blocks of " + std::to_string(blockSize));
            EXPECT_EQ(linesOf(c.bytes, blockSize), c.lines);
        }
    }
}

TEST(line_source_test, a_peeked_line_stays_until_advance)
{
    std::istringstream in("A:1\nB:2\n");
    LineSource source(in, 4);
    std::string_view first;
    std::string_view again;
    ASSERT_TRUE(source.peek(first));
    ASSERT_TRUE(source.peek(again));
    EXPECT_EQ(first, "A:1");
    EXPECT_EQ(again, "A:1");
    source.advance();
    ASSERT_TRUE(source.peek(again));
    EXPECT_EQ(again, "B:2");
}

}  // namespace
}  // namespace brimwell::vcard
