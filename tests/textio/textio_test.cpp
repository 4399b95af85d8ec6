#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "support/scripted_window.h"
#include "support/temp_dir.h"
#include "textio/byte_spool.h"
#include "textio/encoding.h"
#include "textio/file_error.h"
#include "textio/paths.h"
#include "textio/text_reader.h"
#include "textio/text_writer.h"

namespace brimwell {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(textio_test, every_reader_decodes_by_the_mark_to_windows_1252_and_splits_lines)
{
    struct Row {
        const char* name;
        std::string bytes;
        Lines lines;
        TextEncoding encoding;
    };
    using enum TextEncoding;
    const std::string u8 = "\xEF\xBB\xBF";
    const std::string u16 = "\xFF\xFE";
    const Row rows[] = {
        {"empty file", "", {""}, Ansi},
        {"ansi lf, crlf, cr; a final end adds no line",
         "a\nb\r\nc\rd\r\n",
         {"a", "b", "c", "d"},
         Ansi},
        {"ansi cr crlf and lf cr", "a\r\r\nb\n\rc", {"a", "", "b", "", "c"}, Ansi},
        {"ansi keeps utf-8 bytes", "\xC3\xA9\n\xE2\x82\xAC", {"\xC3\xA9", "\xE2\x82\xAC"}, Ansi},
        {"mark cut short", "\xEF\xBB", {"\xEF\xBB"}, Ansi},
        {"utf8 crlf only",
         u8 + "\xC3\xA9\nb\rc\r\n\xE2\x82\xAC\r\n",
         {"\xE9\nb\rc", "\x80", ""},
         Utf8},
        {"utf8 ascii, nul, latin-1", u8 + "a\0b\xC3\xA9\xC3\xBF"s, {"a\0b\xE9\xFF"s}, Utf8},
        {"utf8 code page 80-9F", u8 + "\xE2\x82\xAC\xE2\x84\xA2\xC5\xB8", {"\x80\x99\x9F"}, Utf8},
        {"utf8 undefined 81 8D 8F 90 9D pass",
         u8 + "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D",
         {"\x81\x8D\x8F\x90\x9D"},
         Utf8},
        {"utf8 outside the code page",
         u8 + "\xC2\x80\xC4\x80\xE4\xB8\xAD\xF0\x9F\x98\x80",
         {"????"},
         Utf8},
        {"utf8 overlong, surrogate, above 10FFFF",
         u8 + "\xE0\x80\x80\xED\xA0\x80\xF4\x90\x80\x80",
         {"??????????"},
         Utf8},
        // U+10FFFF is the last character; a text may end in the middle of one.
        {"utf8 10FFFF, F5, cut short at the end",
         u8 + "\xF4\x8F\xBF\xBF\xF5\x80\xE2\x82\xF0\x9F\x98",
         {"?????"},
         Utf8},
        {"utf8 one ? per maximal subpart",
         u8 + "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
         {"a???b?c??d"},
         Utf8},
        {"utf16 crlf and cr", u16 + "a\0\r\0\n\0b\0\r\0c\0\r\0\n\0"s, {"a", "b", "c"}, Utf16},
        {"utf16 a later mark is text", u16 + "A\0\xFF\xFE"s, {"A?"}, Utf16},
        {"utf16 code page", u16 + "\xAC\x20\x81\0\x80\0\x2D\x4E"s, {"\x80\x81??"}, Utf16},
        {"utf16 a lone high, then a pair",
         u16 + "\x3D\xD8\x3D\xD8\x00\xDE"
               "A\0"s,
         {"??A"},
         Utf16},
        {"ff fe 00 00",
         "\xFF\xFE\0\0"
         "a\0\n\0"s,
         {"\0a"s},
         Utf16},
        {"00 00 fe ff", "\0\0\xFE\xFF"s, {"\0?"s}, Utf16},
        {"fe ff read as little-endian", "\xFE\xFF\0a"s, {"??"}, Utf16},
    };
    auto toLines = [](const LineArray& lines) { return Lines(lines.begin(), lines.end()); };
    test::TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(toLines(linesFromFileBytes(row.bytes)), row.lines);
        const std::string path = dir.write("in.vcf", row.bytes);
        EXPECT_EQ(toLines(ReadFileLines(path)), row.lines);
        const std::string text = decodeFileBytes(row.bytes);
        EXPECT_EQ(ReadFileText(path), Lines{text});
        EXPECT_EQ(readWholeText(path), text);
        EXPECT_EQ(DetectUnicodeBom(path), row.encoding == Utf16);
        const DecodedText decoded = decodeText(row.bytes);
        EXPECT_EQ(decoded.encoding, row.encoding);
        EXPECT_EQ(decoded.text, text);
        EXPECT_EQ(toLines(LineArray(decoded)), row.lines);
    }
    EXPECT_THROW(DetectUnicodeBom(dir.file("missing.vcf")), FileError);
}

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

TEST(textio_test, long_texts_come_whole_or_in_chunks_of_65536)
{
    const std::string text(65537, 'x');
    const std::tuple<const char*, std::string, std::vector<std::size_t>> rows[] = {
        {"65537", text, {65536, 1}},
        {"65536", text.substr(1), {65536}},
        {"utf8 is one piece", "\xEF\xBB\xBF" + text, {65537}}};
    test::TempDir dir;
    for (const auto& [name, bytes, sizes] : rows) {
        std::vector<std::size_t> actual;
        for (const auto& chunk : ReadFileText(dir.write("in.vcf", bytes)))
            actual.push_back(chunk.size());
        EXPECT_EQ(actual, sizes) << name;
    }
    std::string buffer;  // reused: a long text never shows through a shorter one
    for (const auto& bytes :
         {std::string(70000, 'a'), "b\r\n"s, std::string(90000, 'c'), ""s, "\xEF\xBB\xBF\xC3\xA9"s,
          "\xFF\xFE"
          "d\0"s}) {
        const std::string path = dir.write("in.vcf", bytes);
        readWholeText(path, buffer);
        EXPECT_EQ(buffer, readWholeText(path));
    }
    // Files under /proc report a length of 0 but have content.
    EXPECT_NE(readFileBytes("/proc/self/status").find("Name:"), std::string::npos);
}

// The pieces of a stream, joined, are the whole text the one-read reader gives, whatever
// the block size, for every encoding a file can have.
TEST(TextStream, pieces_join_to_the_whole_text)
{
    test::TempDir dir;
    const std::string plain = "BEGIN:VCARD\r\nFN:Zo\xe9\r\nEND:VCARD\r\n";
    const std::vector<std::string> files = {
        dir.write("empty.vcf", ""),
        dir.write("plain.vcf", plain),
        dir.write("utf8.vcf",
                  "\xEF\xBB\xBF"
                  "FN:Zo\xC3\xA9\r\n"),
        dir.write("utf16.vcf", std::string("\xFF\xFE"
                                           "F\0N\0:\0\xE9\0",
                                           10)),
        dir.write("mark-only.vcf", "\xEF\xBB\xBF"),
    };
    for (const auto& path : files) {
        const std::string whole = readWholeText(path);
        for (const std::size_t block : {1, 2, 3, 7, 64}) {
            SCOPED_TRACE(path + " in blocks of " + std::to_string(block));
            TextStream stream(path, block);
            // A reused buffer's old characters must not show through.
            std::string buffer(3, '#');
            std::size_t used = 0;
            std::size_t pieces = 0;
            while (const std::size_t piece = stream.readNext(buffer, used)) {
                used += piece;
                ++pieces;
            }
            EXPECT_EQ(buffer.substr(0, used), whole);
            EXPECT_EQ(pieces == 0, whole.empty());
            EXPECT_EQ(stream.readNext(buffer, used), 0u);  // the end stays the end
        }
    }
    EXPECT_THROW(TextStream(dir.file("missing.vcf")), FileError);
    EXPECT_THROW(TextStream(dir.path().string()), FileError);  // a folder opens, but cannot be read
}

// The bytes come back in order, whether they stayed in memory or went through the
// temporary file (an append larger than a block, appends after it, appends after a replay).
TEST(ByteSpool, gives_back_every_byte_in_order)
{
    const std::vector<std::string> small = {"", "Lee,Ann\r\n", std::string("a\0b\nc\r\n", 7)};
    std::vector<std::string> large = small;
    large.insert(large.begin() + 2, std::string(3 << 20, 'x'));
    large.push_back("last");
    for (const auto& appends : {small, large, std::vector<std::string>{}}) {
        SCOPED_TRACE(appends.size());
        ByteSpool spool;
        std::string expected;
        for (const auto& bytes : appends) {
            spool.append(bytes);
            expected += bytes;
        }
        EXPECT_TRUE(spool.good());
        EXPECT_EQ(spool.size(), expected.size());
        for (const std::string more : {"", "after a replay"}) {
            spool.append(more);
            expected += more;
            std::string back;
            EXPECT_TRUE(spool.replay([&](std::string_view bytes) { back += bytes; }));
            EXPECT_EQ(back, expected);
        }
    }
}

int textFileIO(const std::string& path, std::string text, int mode)
{
    return TextFileIO(path, text, mode);
}

TEST(textio_test, both_writers_give_the_bytes_of_line_by_line_writing)
{
    using Script = std::vector<std::pair<int, std::string>>;
    Script many;
    std::string manyBytes = "old\r\n";
    for (int i = 0; i < 600; ++i) {  // well past one write block
        many.emplace_back(kAppend, std::string(4000, 'v') + std::to_string(i));
        manyBytes += many.back().second + "\r\n";
    }
    Script replaceLate = many;
    replaceLate.insert(replaceLate.end(), {{kReplace, "fresh"}, {kAppend, "after"}});
    const std::tuple<const char*, Script, std::string> rows[] = {
        {"appends, other modes ignored",
         {{kAppend, "a\xE9"}, {kAppend, ""}, {kReadWhole, "x"}, {0, "y"}},
         "old\r\na\xE9\r\n\r\n"},
        {"replaces",
         {{kAppend, "a"}, {kReplace, "b"}, {kReplace, "c"}, {kAppend, "d"}},
         "c\r\nd\r\n"},
        {"many lines", many, manyBytes},
        {"replace after many lines", replaceLate, "fresh\r\nafter\r\n"},
    };
    test::TempDir dir;
    for (const auto& [name, script, bytes] : rows) {
        SCOPED_TRACE(name);
        const std::string perLine = dir.write("per-line.csv", "old\r\n");
        const std::string keptOpen = dir.write("kept-open.csv", "old\r\n");
        TargetFile target(keptOpen);
        for (const auto& [mode, text] : script) {
            EXPECT_EQ(textFileIO(perLine, text, mode), 0);
            EXPECT_EQ(target.writeLine(text, mode), 0);
        }
        EXPECT_EQ(target.close(), 0);
        EXPECT_EQ(test::readBytes(perLine), bytes);
        EXPECT_EQ(test::readBytes(keptOpen), bytes);
    }
    std::string text;
    EXPECT_EQ(TextFileIO(dir.file("kept-open.csv"), text, kReadWhole), 0);
    EXPECT_EQ(TextFileIO(dir.file("missing.vcf"), text, kReadWhole), ENOENT);
    EXPECT_EQ(text, "fresh\r\nafter\r\n");  // read whole, then left alone by the failure
    {
        TargetFile target(dir.file("new.csv"));
        EXPECT_FALSE(fs::exists(dir.file("new.csv")));  // opened by the first line
        target.writeLine("a", kAppend);
    }
    EXPECT_EQ(test::readBytes(dir.file("new.csv")), "a\r\n");  // closed when it goes
}

TEST(textio_test, target_file_remembers_its_first_failure_and_tells_it_once)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    const std::string path = dir.file("missing/out.csv");
    TargetFile target(path, &window);
    EXPECT_EQ(target.writeLine("a", kAppend), ENOENT);
    fs::create_directory(dir.file("missing"));
    EXPECT_EQ(target.writeLine("b", kReplace), ENOENT);  // the failed open is kept
    EXPECT_EQ(target.close(), 0);
    EXPECT_EQ(target.firstError(), ENOENT);
    EXPECT_FALSE(fs::exists(path));
    TargetFile("", &window).writeLine("a", kAppend);  // no output asked for: nothing told
    EXPECT_EQ(window.writeFailures, (std::vector<std::pair<std::string, int>>{{path, ENOENT}}));
}

TEST(textio_test, delete_file_quiet_removes_read_only_files_but_no_folder)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    fs::permissions(dir.write("read-only.csv", "x"), fs::perms::owner_read);
    fs::create_directory(dir.file("folder"));
    for (const char* name : {"read-only.csv", "missing.csv", "folder"})
        DeleteFileQuiet(window, dir.file(name));
    EXPECT_FALSE(fs::exists(dir.file("read-only.csv")));
    EXPECT_TRUE(fs::is_directory(dir.file("folder")));
    EXPECT_EQ(window.yields, 3);  // pending events run before each delete
}

TEST(textio_test, splits_tidies_and_tests_paths)
{
    const std::array<const char*, 3> splits[] = {// path, file name, folder
                                                 {"/home/ann/a.b.vcf", "a.b.vcf", "/home/ann/"},
                                                 {"a.vcf", "a.vcf", ""},
                                                 {"/", "", "/"},
                                                 {"", "", ""}};
    for (const auto& [path, name, folder] : splits) {
        EXPECT_EQ(GetFileName(path), name) << path;
        EXPECT_EQ(GetFolderPath(path), folder) << path;
    }
    const std::pair<const char*, const char*> extensions[] = {
        {"a.b.vcf", "a.b"}, {".vcf", ".vcf"}, {"abc", "abc"}, {"a.", "a"}, {"..vcf", "."}};
    for (const auto& [name, expected] : extensions)
        EXPECT_EQ(RemoveExtension(name), expected) << name;
    const std::pair<const char*, const char*> collapsed[] = {{"//server//share", "//server/share"},
                                                             {"///x", "//x"},
                                                             {"/a//b//", "/a/b/"},
                                                             {"a///b", "a//b"},
                                                             {"/", "/"},
                                                             {"", ""}};
    for (const auto& [path, expected] : collapsed)
        EXPECT_EQ(CollapseBackslashes(path), expected) << path;
    test::TempDir dir;
    const std::string file = dir.write("a.vcf", "x");
    const std::string folder = dir.path().string();
    const std::tuple<std::string, bool, bool> rows[] = {
        // path, FolderExists, FileExists
        {folder, true, false},       {folder + "/", true, false},
        {file, false, true},         {dir.file("missing.vcf"), false, false},
        {file + "/x", false, false}, {"", false, false}};
    for (const auto& [path, isFolder, isFile] : rows) {
        EXPECT_EQ(FolderExists(path), isFolder) << path;
        EXPECT_EQ(FileExists(path), isFile) << path;
    }
}

// The death test forks, so the child writes into the same folder. The program ended in
// the middle of a run keeps every line handed to a target that is
// still open, whichever targets were opened, closed or replaced before.
TEST(end_program_test, lines_of_open_targets_reach_the_disk)
{
    test::TempDir dir;
    const std::string big(300 * 1024, 'b');  // past one write block: partly written already
    EXPECT_EXIT(
        {
            auto first = std::make_unique<TargetFile>(dir.file("first.csv"));
            auto middle = std::make_unique<TargetFile>(dir.file("middle.csv"));
            auto last = std::make_unique<TargetFile>(dir.file("last.csv"));
            first->writeLine("one", kAppend);
            middle->writeLine("gone", kAppend);
            last->writeLine("old", kAppend);
            last->writeLine("new", kReplace);
            last->appendLines(big + "\r\nx\r\n");
            middle.reset();  // closed and out of the list between two open ones
            first->writeLine("two", kAppend);
            TargetFile reopened(dir.file("middle.csv"));
            reopened.writeLine("again", kAppend);
            EndProgramKeepingWrites(3);
        },
        testing::ExitedWithCode(3), "");
    EXPECT_EQ(test::readBytes(dir.file("first.csv")), "one\r\ntwo\r\n");
    EXPECT_EQ(test::readBytes(dir.file("middle.csv")), "gone\r\nagain\r\n");
    EXPECT_TRUE(test::readBytes(dir.file("last.csv")) == "new\r\n" + big + "\r\nx\r\n");
}

}  // namespace
}  // namespace brimwell
