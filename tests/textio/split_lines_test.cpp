#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "textio/text_reader.h"

namespace brimwell {
namespace {

using Lines = std::vector<std::string>;

Lines split(std::string_view text, LineEnds ends)
{
    Lines lines;
    splitLines(text, ends, [&](std::size_t begin, std::size_t length) {
        lines.emplace_back(text.substr(begin, length));
    });
    return lines;
}

// The readers and the combined converter all split with this one function; each kind of
// line end keeps its own rule for a terminator at the end and for a lone CR.
TEST(split_lines_test, each_kind_of_line_end)
{
    struct Row {
        std::string_view text;
        Lines any;
        Lines crLf;
        Lines lf;
    };
    const Row rows[] = {
        {"", {""}, {""}, {""}},
        {"a", {"a"}, {"a"}, {"a"}},
        {"a\r\nb\r\n", {"a", "b"}, {"a", "b", ""}, {"a\r", "b\r"}},
        {"a\rb", {"a", "b"}, {"a\rb"}, {"a\rb"}},
        {"a\n\nb", {"a", "", "b"}, {"a\n\nb"}, {"a", "", "b"}},
        {"\n", {""}, {"\n"}, {""}},
        {"\r\r\n", {"", ""}, {"\r", ""}, {"\r\r"}},
        {"a\n\r", {"a", ""}, {"a\n\r"}, {"a", "\r"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::PrintToString(std::string(row.text)));
        EXPECT_EQ(split(row.text, LineEnds::Any), row.any);
        EXPECT_EQ(split(row.text, LineEnds::CrLf), row.crLf);
        EXPECT_EQ(split(row.text, LineEnds::Lf), row.lf);
    }
}

// The reader names the encoding it decoded, which decides the lines, with no state kept
// between two reads.
TEST(split_lines_test, the_reader_gives_text_and_encoding_together)
{
    const DecodedText marked = decodeText(
        "\xEF\xBB\xBF"
        "a\rb\r\n");
    EXPECT_EQ(marked.encoding, TextEncoding::Utf8);
    EXPECT_EQ(marked.text, "a\rb\r\n");
    const DecodedText plain = decodeText("a\rb\r\n");
    EXPECT_EQ(plain.encoding, TextEncoding::Ansi);
    const LineArray markedLines(marked);
    const LineArray plainLines(plain);
    EXPECT_EQ(markedLines.size(), 2u);  // "a\rb" and the empty piece after the last CR LF
    EXPECT_EQ(plainLines.size(), 2u);   // "a" and "b"
    EXPECT_EQ(markedLines[0], "a\rb");
    EXPECT_EQ(plainLines[1], "b");
}

}  // namespace
}  // namespace brimwell
