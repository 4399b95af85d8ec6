#include "textio/text_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

int textFileIO(const std::string& path, std::string text, int mode)
{
    return TextFileIO(path, text, mode);
}

TEST(text_writer_test, text_file_io_modes)
{
    test::TempDir dir;
    const std::string path = dir.file("out.csv");
    EXPECT_EQ(textFileIO(path, "a", kAppend), 0);
    EXPECT_EQ(textFileIO(path, "b", kAppend), 0);
    EXPECT_EQ(test::readBytes(path), "a\r\nb\r\n");

    EXPECT_EQ(textFileIO(path, "x\xE9", kReplace), 0);
    EXPECT_EQ(test::readBytes(path), "x\xE9\r\n");

    std::string text = "before";
    dir.write("in.vcf", "one\r\ntwo\0\xFF"s);
    EXPECT_EQ(TextFileIO(dir.file("in.vcf"), text, kReadWhole), 0);
    EXPECT_EQ(text, "one\r\ntwo\0\xFF"s);

    text = "before";
    EXPECT_EQ(TextFileIO(dir.file("missing.vcf"), text, kReadWhole), ENOENT);
    EXPECT_EQ(text, "before");
}

TEST(text_writer_test, text_file_io_other_modes_open_nothing)
{
    test::TempDir dir;
    for (int mode : {0, 4, -1}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(textFileIO(dir.file("out.csv"), "a", mode), 0);
        EXPECT_FALSE(fs::exists(dir.file("out.csv")));
    }
}

TEST(text_writer_test, text_file_io_returns_error_number_without_throwing)
{
    test::TempDir dir;
    EXPECT_EQ(textFileIO(dir.file("no/such/folder/out.csv"), "a", kAppend), ENOENT);
    EXPECT_EQ(textFileIO(dir.path().string(), "a", kReplace), EISDIR);
}

TEST(text_writer_test, target_file_gives_the_bytes_of_line_by_line_writing)
{
    using Script = std::vector<std::pair<int, std::string>>;
    struct Row {
        const char* name;
        Script script;
    };
    const std::string longLine(4000, 'v');
    Script manyLines;
    for (int i = 0; i < 600; ++i)  // well past one write block
        manyLines.emplace_back(kAppend, longLine + std::to_string(i));
    Script replaceLate = manyLines;
    replaceLate.emplace_back(kReplace, "fresh");
    replaceLate.emplace_back(kAppend, "after");
    const std::vector<Row> rows = {
        {"appends only", {{kAppend, "h"}, {kAppend, "d1"}, {kAppend, ""}}},
        {"replace then append", {{kReplace, "h"}, {kAppend, "d"}}},
        {"replace after append", {{kAppend, "a"}, {kReplace, "b"}, {kAppend, "c"}}},
        {"replace twice", {{kReplace, "a"}, {kReplace, "b"}}},
        {"other mode ignored", {{kAppend, "a"}, {kReadWhole, "x"}, {7, "y"}, {kAppend, "b"}}},
        {"many lines", manyLines},
        {"replace after many lines", replaceLate},
    };
    test::TempDir dir;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string expected = dir.write("per-line.csv", "old\r\n");
        const std::string actual = dir.write("kept-open.csv", "old\r\n");
        TargetFile target(actual);
        for (const auto& [mode, text] : row.script) {
            EXPECT_EQ(textFileIO(expected, text, mode), 0);
            EXPECT_EQ(target.writeLine(text, mode), 0);
        }
        EXPECT_EQ(target.close(), 0);
        EXPECT_EQ(target.firstError(), 0);
        EXPECT_EQ(test::readBytes(actual), test::readBytes(expected));
    }
}

TEST(text_writer_test, target_file_opens_on_first_line_and_closes_when_it_goes)
{
    test::TempDir dir;
    const std::string path = dir.file("out.csv");
    {
        TargetFile target(path);
        EXPECT_FALSE(fs::exists(path));
        target.writeLine("a", kAppend);
    }
    EXPECT_EQ(test::readBytes(path), "a\r\n");
}

TEST(text_writer_test, target_file_remembers_an_open_failure)
{
    test::TempDir dir;
    TargetFile target(dir.file("missing/out.csv"));
    EXPECT_EQ(target.writeLine("a", kAppend), ENOENT);
    fs::create_directory(dir.file("missing"));
    EXPECT_EQ(target.writeLine("b", kReplace), ENOENT);
    EXPECT_EQ(target.close(), 0);
    EXPECT_EQ(target.firstError(), ENOENT);
    EXPECT_FALSE(fs::exists(dir.file("missing/out.csv")));
}

TEST(text_writer_test, full_device_reports_its_error)
{
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TargetFile target("/dev/full");
    EXPECT_EQ(target.writeLine("a", kAppend), 0);  // still in the buffer
    EXPECT_EQ(target.close(), ENOSPC);
    EXPECT_EQ(target.firstError(), ENOSPC);
    EXPECT_EQ(textFileIO("/dev/full", "a", kAppend), ENOSPC);
}

TEST(text_writer_test, target_file_tells_the_window_its_first_failure_once)
{
    test::TempDir dir;
    test::ScriptedWindow window;
    using Failures = std::vector<std::pair<std::string, int>>;
    {
        TargetFile missingFolder(dir.file("missing/out.csv"), &window);
        missingFolder.writeLine("a", kReplace);
        missingFolder.writeLine("b", kAppend);
    }
    EXPECT_EQ(window.writeFailures, (Failures{{dir.file("missing/out.csv"), ENOENT}}));

    window.writeFailures.clear();
    if (fs::exists("/dev/full")) {
        TargetFile full("/dev/full", &window);
        full.writeLine("a", kAppend);
        full.close();
        EXPECT_EQ(window.writeFailures, (Failures{{"/dev/full", ENOSPC}}));
    }

    window.writeFailures.clear();
    TargetFile noOutput("", &window);  // no destination selected: nothing to say
    noOutput.writeLine("a", kAppend);
    TargetFile written(dir.file("out.csv"), &window);
    written.writeLine("a", kAppend);
    written.close();
    EXPECT_TRUE(window.writeFailures.empty());
}

TEST(text_writer_test, delete_file_quiet)
{
    test::TempDir dir;
    test::ScriptedWindow window;

    const std::string readOnly = dir.write("read-only.csv", "x");
    fs::permissions(readOnly, fs::perms::owner_read);
    DeleteFileQuiet(window, readOnly);
    EXPECT_FALSE(fs::exists(readOnly));

    DeleteFileQuiet(window, dir.file("missing.csv"));

    const std::string folder = dir.file("folder");
    fs::create_directory(folder);
    DeleteFileQuiet(window, folder);
    EXPECT_TRUE(fs::is_directory(folder));

    EXPECT_EQ(window.yields, 3);
}

}  // namespace
}  // namespace brimwell
