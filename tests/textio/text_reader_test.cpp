#include "textio/text_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"
#include "textio/file_error.h"

namespace brimwell {
namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

Lines toVector(const LineArray& lines) { return Lines(lines.begin(), lines.end()); }

struct LinesRow {
    const char* name;
    std::string bytes;
    Lines expected;
};

const std::vector<LinesRow>& linesRows()
{
    static const std::vector<LinesRow> rows = {
        {"empty file", "", {""}},
        {"two letters ab", "ab", {"ab"}},
        {"ansi lf", "a\nb", {"a", "b"}},
        {"ansi final crlf adds no line", "a\r\nb\r\n", {"a", "b"}},
        {"ansi lone cr ends a line", "a\rb\r", {"a", "b"}},
        {"ansi cr before crlf", "a\r\r\nb", {"a", "", "b"}},
        {"ansi lf cr is two ends", "a\n\rb", {"a", "", "b"}},
        {"ansi only line ends", "\n\r\n", {"", ""}},
        {"ansi utf-8 without mark stays bytes", "\xC3\xA9\n\xE2\x82\xAC",
         {"\xC3\xA9", "\xE2\x82\xAC"}},
        {"utf8 mark alone", "\xEF\xBB\xBF", {""}},
        {"utf8 mark lf only is one line", "\xEF\xBB\xBF" "a\nb\n", {"a\nb\n"}},
        {"utf8 mark final crlf leaves empty line", "\xEF\xBB\xBF" "a\r\nb\r\n", {"a", "b", ""}},
        {"utf8 mark lone cr stays", "\xEF\xBB\xBF" "a\rb", {"a\rb"}},
        {"utf8 mark decoded", "\xEF\xBB\xBF\xC3\xA9\r\n\xE2\x82\xAC", {"\xE9", "\x80"}},
        {"utf16 mark alone", "\xFF\xFE", {""}},
        {"utf16 crlf and lone cr", "\xFF\xFE" "a\0\r\0\n\0b\0\r\0c\0\r\0\n\0"s, {"a", "b", "c"}},
        {"utf16 ff fe 00 00", "\xFF\xFE\0\0" "a\0\n\0"s, {"\0a"s}},
    };
    return rows;
}

TEST(text_reader_test, lines_from_bytes_follow_each_encoding)
{
    for (const auto& row : linesRows()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toVector(linesFromFileBytes(row.bytes)), row.expected);
    }
}

TEST(text_reader_test, file_readers_match_the_in_memory_readers)
{
    test::TempDir dir;
    for (const auto& row : linesRows()) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.write("in.vcf", row.bytes);
        EXPECT_EQ(toVector(ReadFileLines(path)), row.expected);
        std::string joined;
        for (const auto& chunk : ReadFileText(path))
            joined += chunk;
        EXPECT_EQ(joined, decodeFileBytes(row.bytes));
        EXPECT_EQ(readWholeText(path), joined);
    }
}

TEST(text_reader_test, detect_unicode_bom_reads_the_first_bytes)
{
    struct Row {
        const char* name;
        std::string bytes;
        bool expected;
    };
    const std::vector<Row> rows = {
        {"ff fe alone", "\xFF\xFE", true},
        {"ff fe 00 00 before ff fe", "\xFF\xFE\0\0" "a\0\0\0"s, true},
        {"00 00 fe ff", "\0\0\xFE\xFF"s, true},
        {"fe ff", "\xFE\xFF", true},
        {"ef bb bf alone", "\xEF\xBB\xBF", false},
        {"two letters ab", "ab", false},
        {"empty file", "", false},
    };
    test::TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DetectUnicodeBom(dir.write("in.vcf", row.bytes)), row.expected);
    }
}

TEST(text_reader_test, chunks_hold_65536_characters)
{
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::size_t> sizes;
    };
    const std::string text(65537, 'x');
    std::string utf16 = "\xFF\xFE";
    for (char c : text)
        utf16 += std::string{c, '\0'};
    const std::vector<Row> rows = {
        {"ansi 65,537", text, {65536, 1}},
        {"ansi exactly 65,536", text.substr(1), {65536}},
        {"ansi three blocks", text + text, {65536, 65536, 2}},
        {"utf16 65,537", utf16, {65536, 1}},
        {"utf8 mark is one piece", "\xEF\xBB\xBF" + text, {65537}},
        {"empty file is one empty chunk", "", {0}},
        {"utf8 mark alone is one empty chunk", "\xEF\xBB\xBF", {0}},
    };
    test::TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::size_t> sizes;
        std::string joined;
        for (const auto& chunk : ReadFileText(dir.write("in.vcf", row.bytes))) {
            sizes.push_back(chunk.size());
            joined += chunk;
        }
        EXPECT_EQ(sizes, row.sizes);
        EXPECT_EQ(joined, std::string(joined.size(), 'x'));
    }
}

#ifdef __linux__
TEST(text_reader_test, reads_past_a_reported_size_of_zero)
{
    // Files under /proc report a length of 0 but have content.
    EXPECT_NE(readFileBytes("/proc/self/status").find("Name:"), std::string::npos);
}
#endif

template <class Read>
void expectFileError(Read read, const std::string& expected)
{
    try {
        read();
        ADD_FAILURE() << "no FileError, expected: " << expected;
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), expected);
    }
}

TEST(text_reader_test, unreadable_paths_throw_file_error)
{
    test::TempDir dir;
    const std::string missing = dir.file("missing.vcf");
    const std::string folder = dir.path().string();
    const std::string noSuchFile = "cannot open file " + missing + ": No such file or directory";
    const std::string isFolder = "cannot read file " + folder + ": Is a directory";
    expectFileError([&] { DetectUnicodeBom(missing); }, noSuchFile);
    expectFileError([&] { ReadFileLines(missing); }, noSuchFile);
    expectFileError([&] { ReadFileText(missing); }, noSuchFile);
    expectFileError([&] { DetectUnicodeBom(folder); }, isFolder);
    expectFileError([&] { ReadFileLines(folder); }, isFolder);
    expectFileError([&] { ReadFileText(folder); }, isFolder);
}

TEST(text_reader_test, reading_into_one_buffer_gives_each_files_whole_text)
{
    // Long, short, long again, then marked files: the reused storage never shows through.
    test::TempDir dir;
    std::string buffer;
    for (const auto& bytes : {std::string(70000, 'a'), "b\r\n"s, std::string(90000, 'c'), ""s,
                              "\xEF\xBB\xBF\xC3\xA9"s, "\xFF\xFE" "d\0"s}) {
        const std::string path = dir.write("in.vcf", bytes);
        readWholeText(path, buffer);
        EXPECT_EQ(buffer, readWholeText(path));
    }
    const std::string missing = dir.file("missing.vcf");
    expectFileError([&] { readWholeText(missing, buffer); },
                    "cannot open file " + missing + ": No such file or directory");
}

}  // namespace
}  // namespace brimwell
