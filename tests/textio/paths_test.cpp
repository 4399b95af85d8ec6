#include "textio/paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace brimwell {
namespace {

TEST(paths_test, splits_paths)
{
    struct Row {
        const char* path;
        const char* fileName;
        const char* folder;
    };
    const std::vector<Row> rows = {
        {"/home/ann/a.b.vcf", "a.b.vcf", "/home/ann/"},
        {"a.vcf", "a.vcf", ""},
        {"/home/ann/", "", "/home/ann/"},
        {"/", "", "/"},
        {"", "", ""},
        {"//server/share/x.vcf", "x.vcf", "//server/share/"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ(GetFileName(row.path), row.fileName);
        EXPECT_EQ(GetFolderPath(row.path), row.folder);
    }
}

TEST(paths_test, removes_the_last_extension)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"a.b.vcf", "a.b"}, {"a.vcf", "a"},   {".vcf", ".vcf"}, {"abc", "abc"},
        {"", ""},           {"a.", "a"},      {"..vcf", "."},   {"x.tar.gz", "x.tar"},
    };
    for (const auto& [name, expected] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(RemoveExtension(name), expected);
    }
}

TEST(paths_test, collapses_doubled_separators)
{
    const std::vector<std::pair<const char*, const char*>> rows = {
        {"//server//share", "//server/share"},
        {"///x", "//x"},
        {"/a//b", "/a/b"},
        {"a////b", "a//b"},
        {"a///b", "a//b"},
        {"/home/ann/", "/home/ann/"},
        {"/home//ann//", "/home/ann/"},
        {"/", "/"},
        {"//", "//"},
        {"////", "//"},
        {"", ""},
        {"a", "a"},
    };
    for (const auto& [path, expected] : rows) {
        SCOPED_TRACE(path);
        EXPECT_EQ(CollapseBackslashes(path), expected);
    }
}

TEST(paths_test, tests_folders_and_files)
{
    test::TempDir dir;
    const std::string file = dir.write("a.vcf", "x");
    const std::string folder = dir.path().string();
    struct Row {
        const char* name;
        std::string path;
        bool folderExists;
        bool fileExists;
    };
    const std::vector<Row> rows = {
        {"folder", folder, true, false},
        {"folder with trailing slash", folder + "/", true, false},
        {"file", file, false, true},
        {"missing", dir.file("missing.vcf"), false, false},
        {"below a file", file + "/x", false, false},
        {"empty", "", false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(FolderExists(row.path), row.folderExists);
        EXPECT_EQ(FileExists(row.path), row.fileExists);
    }
}

}  // namespace
}  // namespace brimwell
