#include "filelist/folder_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;
using test::ScriptedWindow;
using test::TempDir;
using Names = std::set<std::string>;

void makeFolders(const TempDir& dir, const std::vector<std::string>& folders)
{
    for (const auto& folder : folders)
        fs::create_directories(dir.path() / folder);
}

/// The walk's result relative to the temporary folder ("" for the folder itself).
std::vector<std::string> walk(const TempDir& dir, ScriptedWindow& window, bool recurse = true)
{
    const std::string top = dir.path().string() + "/";
    std::vector<std::string> folders{top};
    GetSubDirectories2016(window, folders, recurse);
    for (auto& folder : folders)
        folder.erase(0, top.size());
    return folders;
}

Names asSet(const std::vector<std::string>& names)
{
    return {names.begin(), names.end()};
}

TEST(folder_scan_test, walk_lists_folders_level_by_level)
{
    TempDir dir;
    makeFolders(dir, {"a/a1/deep", "a/a2", "b/b1", "c"});
    ScriptedWindow window;
    const auto folders = walk(dir, window);
    EXPECT_EQ(asSet(folders),
              Names({"", "a/", "b/", "c/", "a/a1/", "a/a2/", "b/b1/", "a/a1/deep/"}));
    ASSERT_EQ(folders.size(), 8u);

    auto depth = [](const std::string& f) { return std::count(f.begin(), f.end(), '/'); };
    auto parentAt = [&](const std::string& f) {
        const auto parent = f.substr(0, f.rfind('/', f.size() - 2) + 1);
        return std::find(folders.begin(), folders.end(), parent) - folders.begin();
    };
    for (std::size_t i = 2; i < folders.size(); ++i) {
        SCOPED_TRACE(folders[i]);
        EXPECT_LE(depth(folders[i - 1]), depth(folders[i]));
        if (depth(folders[i - 1]) == depth(folders[i])) {  // siblings in their parents' order
            EXPECT_LE(parentAt(folders[i - 1]), parentAt(folders[i]));
        }
    }
    EXPECT_GT(window.yields, 0);
    EXPECT_EQ(asSet(walk(dir, window, false)), Names({"", "a/", "b/", "c/"}));
    EXPECT_TRUE(window.messages.empty());
}

TEST(folder_scan_test, skips_badly_named_folders_with_their_trees)
{
    const std::string cyrillic = "\xD0\x9A\xD0\xBE\xD0\xBD\xD1\x82";
    TempDir dir;
    makeFolders(dir, {"ok/in", "bad\x01/in", "what?/in", "c1 \xC2\x85/in", cyrillic + "/in"});
    ScriptedWindow window;
    EXPECT_EQ(asSet(walk(dir, window)),
              Names({"", "ok/", "ok/in/", cyrillic + "/", cyrillic + "/in/"}));

    const std::vector<std::pair<const char*, bool>> rows = {
        {"delete \x7f", true},
        {"c1 last \xC2\x9F", true},
        {"lone byte \xE9", true},
        {"truncated \xE2\x82", true},
        {"overlong \xC0\xAF", true},
        {"surrogate \xED\xA0\x80", true},
        {"latin \xC2\xA0\xC3\xA9", false},
        {"euro \xE2\x82\xAC", false},
        {"emoji \xF0\x9F\x98\x80", false},
    };
    for (const auto& [name, bad] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(HasBadNameChars(name), bad);
    }
}

TEST(folder_scan_test, follows_links_but_lists_each_real_folder_once)
{
    TempDir dir;
    TempDir outside;
    makeFolders(dir, {"a/b"});
    makeFolders(outside, {"x"});
    fs::create_directory_symlink(dir.path(), dir.path() / "a/loop");
    fs::create_directory_symlink("..", dir.path() / "a/b/up");
    fs::create_directory_symlink(outside.path(), dir.path() / "ext");
    ScriptedWindow window;
    const auto folders = walk(dir, window);
    EXPECT_EQ(asSet(folders), Names({"", "a/", "ext/", "a/b/", "ext/x/"}));
    EXPECT_EQ(folders.size(), 5u);
}

TEST(folder_scan_test, drops_a_folder_it_may_not_list)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not block the superuser";
    TempDir dir;
    makeFolders(dir, {"open", "locked/inner"});
    dir.write("locked/a.vcf", "");
    fs::permissions(dir.path() / "locked", fs::perms::none);
    ScriptedWindow window;
    EXPECT_EQ(asSet(walk(dir, window)), Names({"", "open/"}));
    EXPECT_EQ(addFolderTreeFiles(window, dir.path().string(), "*.*"), 0);
    EXPECT_TRUE(window.messages.empty());
}

TEST(folder_scan_test, drops_a_folder_that_vanishes_before_it_is_listed)
{
    TempDir dir;
    makeFolders(dir, {"gone/inner"});
    ScriptedWindow window;
    // The first yield comes after the existence test, right before the listing.
    window.onYield = [&] { fs::remove_all(dir.path()); };
    EXPECT_TRUE(walk(dir, window).empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST(folder_scan_test, matches_wildcards_ignoring_case)
{
    struct Row {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const std::vector<Row> rows = {
        {"A.VcF", "*.vcf", true}, {"a.vcfx", "*.vcf", false}, {"a.vcf.txt", "*.vcf", false},
        {"noext", "*.*", true},   {"ab.vcf", "?.vcf", false}, {"\xC3\xA9.vcf", "?.vcf", true},
        {"abcabd", "*abd", true}, {"x", "", false},           {"report.TXT", "rep*.t?t", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " ~ " + row.pattern);
        EXPECT_EQ(matchesWildcard(row.name, row.pattern), row.matches);
    }
}

TEST(folder_scan_test, maps_file_kinds_to_attribute_values)
{
    TempDir dir;
    dir.write("file", "");
    dir.write(".dot", "");
    makeFolders(dir, {"folder", ".dotfolder"});
    fs::create_symlink(dir.file("file"), dir.path() / "fileLink");
    fs::create_directory_symlink(dir.file("folder"), dir.path() / "folderLink");
    fs::create_symlink(dir.file("missing"), dir.path() / "dangling");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);

    const std::vector<std::tuple<std::string, int, bool>> rows = {
        // name, attribute value, IsExistingFile
        {"file", 32, true},          {".dot", 34, true},           {"fileLink", 1056, true},
        {"folder", 16, false},       {"folder/", 16, false},       {".dotfolder", 18, false},
        {"folderLink", 1040, false}, {"folderLink/", 1040, false}, {"dangling", 1024, false},
        {"fifo", 0, false},          {"missing", -1, false},
    };
    for (const auto& [name, value, existing] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(fileAttributes(dir.file(name)), value);
        EXPECT_EQ(IsExistingFile(dir.file(name)), existing);
    }
    EXPECT_EQ(fileAttributes("/"), kAttributeDirectory);
    if (::geteuid() != 0) {
        fs::permissions(dir.file("file"), fs::perms::none);
        EXPECT_FALSE(IsExistingFile(dir.file("file")));
    }
}

TEST(folder_scan_test, adds_the_files_of_a_tree)
{
    TempDir dir;
    for (const char* name : {"a.vcf", "B.VCF", "~t.vcf", ".h.vcf", "notes.txt", "sub/c.vcf",
                             "sub/deeper/d.Vcf", "sub/~x/e.vcf", "bad\x01/f.vcf"})
        dir.write(name, "");
    makeFolders(dir, {"folder.vcf"});
    const std::string top = dir.path().string();

    ScriptedWindow vcf;
    EXPECT_EQ(addFolderTreeFiles(vcf, top + "/", "*.vcf"), 5);
    EXPECT_EQ(asSet(vcf.items), Names({top + "/a.vcf", top + "/B.VCF", top + "/sub/c.vcf",
                                       top + "/sub/deeper/d.Vcf", top + "/sub/~x/e.vcf"}));
    EXPECT_EQ(asSet({vcf.items[0], vcf.items[1]}), Names({top + "/a.vcf", top + "/B.VCF"}));

    ScriptedWindow all;
    EXPECT_EQ(addFolderTreeFiles(all, top, "*.*"), 6);
    EXPECT_TRUE(asSet(all.items).contains(top + "/notes.txt"));
}

TEST(folder_scan_test, scans_a_large_folder)
{
    TempDir dir;
    constexpr int kFiles = 20000;
    for (int i = 0; i < kFiles; ++i)
        dir.write("contact" + std::to_string(i) + ".vcf", "");
    ScriptedWindow window;
    EXPECT_EQ(addFolderTreeFiles(window, dir.path().string(), "*.VCF"), kFiles);
}

}  // namespace
}  // namespace brimwell
