#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

#include "filelist/file_list.h"
#include "filelist/folder_scan.h"
#include "support/memory_settings_store.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

namespace fs = std::filesystem;
using test::ScriptedWindow;
using test::TempDir;
using Texts = std::vector<std::string>;

/// Makes the folders, then walks the tree; the result is relative to it ("" for itself).
Texts walk(const TempDir& dir, ScriptedWindow& window, const Texts& make = {}, bool recurse = true)
{
    for (const auto& folder : make)
        fs::create_directories(dir.path() / folder);
    const std::string top = dir.path().string() + "/";
    Texts folders{top};
    GetSubDirectories2016(window, folders, recurse);
    for (auto& folder : folders)
        folder.erase(0, top.size());
    return folders;
}

Texts sorted(Texts names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(folder_scan_test, walk_lists_each_real_folder_once_level_by_level)
{
    TempDir dir;
    ScriptedWindow window;
    const Texts folders = walk(dir, window, {"a/a1/deep", "b/b1", "c"});
    ASSERT_EQ(folders.size(), 7u);
    EXPECT_EQ(sorted({folders[1], folders[2], folders[3]}), Texts({"a/", "b/", "c/"}));
    Texts expected(folders.begin(), folders.begin() + 4);
    for (int i = 1; i <= 3; ++i)  // the next level in the order of its parents
        if (folders[i] != "c/")
            expected.push_back(folders[i] + folders[i][0] + "1/");
    expected.push_back("a/a1/deep/");
    EXPECT_EQ(folders, expected);
    EXPECT_EQ(sorted(walk(dir, window, {}, false)), Texts({"", "a/", "b/", "c/"}));

    TempDir outside;  // links are followed, cycles end
    fs::create_directories(outside.path() / "x");
    fs::create_directory_symlink(dir.path(), dir.path() / "a/loop");
    fs::create_directory_symlink("..", dir.path() / "b/b1/up");
    fs::create_directory_symlink(outside.path(), dir.path() / "ext");
    EXPECT_EQ(sorted(walk(dir, window)),
              Texts({"", "a/", "a/a1/", "a/a1/deep/", "b/", "b/b1/", "c/", "ext/", "ext/x/"}));
    if (::geteuid() != 0) {  // a folder it may not list is dropped; permissions do not stop root
        fs::permissions(dir.path() / "b", fs::perms::none);
        EXPECT_EQ(sorted(walk(dir, window)),
                  Texts({"", "a/", "a/a1/", "a/a1/deep/", "c/", "ext/", "ext/x/"}));
        fs::permissions(dir.path() / "b", fs::perms::owner_all);
    }
    window.onYield = [&] { fs::remove_all(dir.path()); };  // gone right before it is listed
    EXPECT_TRUE(walk(dir, window).empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST(folder_scan_test, skips_badly_named_folders_with_their_trees)
{
    const std::string cyrillic = "\xD0\x9A\xD0\xBE\xD0\xBD\xD1\x82";
    TempDir dir;
    ScriptedWindow window;
    EXPECT_EQ(
        sorted(walk(dir, window, {"ok/in", "\x01/in", "a?/in", "\xC2\x85/in", cyrillic + "/in"})),
        Texts({"", "ok/", "ok/in/", cyrillic + "/", cyrillic + "/in/"}));
    for (const char* name : {"del \x7f", "c1 \xC2\x9F", "lone \xE9", "cut \xE2\x82",
                             "overlong \xC0\xAF", "surrogate \xED\xA0\x80"})
        EXPECT_TRUE(HasBadNameChars(name)) << name;
    for (const char* name :
         {"nbsp \xC2\xA0\xC3\xA9", "emoji \xF0\x9F\x98\x80", "last \xF4\x8F\xBF\xBF"})
        EXPECT_FALSE(HasBadNameChars(name)) << name;
}

TEST(folder_scan_test, matches_wildcards_ignoring_case)
{
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"A.VcF", "*.vcf", true},   {"a.vcfx", "*.vcf", false},      {"noext", "*.*", true},
        {"ab.vcf", "?.vcf", false}, {"\xC3\xA9.vcf", "?.vcf", true}, {"abcabd", "*abd", true},
        {"x", "", false},           {"report.TXT", "rep*.t?t", true}};
    for (const auto& [name, pattern, matches] : rows)
        EXPECT_EQ(matchesWildcard(name, pattern), matches) << name << " ~ " << pattern;
}

TEST(folder_scan_test, maps_file_kinds_to_attribute_values)
{
    TempDir dir;
    dir.write("file", "");
    dir.write(".dot", "");
    fs::create_directories(dir.path() / "folder");
    fs::create_symlink(dir.file("file"), dir.path() / "fileLink");
    fs::create_directory_symlink(dir.file("folder"), dir.path() / "folderLink");
    fs::create_symlink(dir.file("missing"), dir.path() / "dangling");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    const std::tuple<std::string, int, bool> rows[] = {
        // name, attribute value, IsExistingFile
        {"file", 32, true},           {".dot", 34, true},        {"fileLink", 1056, true},
        {"folder", 16, false},        {"folder/", 16, false},    {"folderLink", 1040, false},
        {"folderLink/", 1040, false}, {"dangling", 1024, false}, {"fifo", 0, false},
        {"missing", -1, false}};
    for (const auto& [name, value, existing] : rows) {
        EXPECT_EQ(fileAttributes(dir.file(name)), value) << name;
        EXPECT_EQ(IsExistingFile(dir.file(name)), existing) << name;
    }
    EXPECT_EQ(fileAttributes("/"), 16);
    if (::geteuid() != 0) {
        fs::permissions(dir.file("file"), fs::perms::none);
        EXPECT_FALSE(IsExistingFile(dir.file("file")));
    }
}

/// Records each input box's preset, besides answering it.
struct RecordingWindow : ScriptedWindow {
    Texts presets;
    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& preset) override
    {
        presets.push_back(preset);
        return ScriptedWindow::inputBox(prompt, caption, preset);
    }
};

struct Fixture {
    RecordingWindow window;
    test::MemorySettingsStore settings;
    FileListController list{window, settings, [] {}};
};

TEST(file_list_test, add_and_folder_buttons_remember_the_last_answers)
{
    TempDir dir;
    for (const char* name : {"a.TXT", "sub/b.txt", "c.vcf"})
        dir.write(name, "");
    Fixture f;
    f.settings.set("LastFolder", "/previous");
    std::vector<Pointer> pointers;
    f.window.onYield = [&] { pointers.push_back(f.window.currentPointer); };
    f.window.openAnswers = {{"/data//a.vcf", "/data/b.vcf"}};
    f.list.PushButton1_Click();
    f.list.PushButton1_Click();  // cancelled
    f.window.inputAnswers = {"", "txt", "txt"};
    f.window.folderAnswers = {"", dir.path().string()};
    for (int press = 0; press < 3; ++press)  // extension cancelled, folder cancelled, both given
        f.list.PushButton4_Click();
    EXPECT_EQ(f.window.presets, Texts({"vcf", "vcf", "txt"}));
    EXPECT_EQ(f.window.items,
              Texts({"/data/a.vcf", "/data/b.vcf", dir.file("a.TXT"), dir.file("sub/b.txt")}));
    EXPECT_EQ(pointers.at(0), Pointer::Hourglass);  // during the walk
    EXPECT_EQ(f.window.currentPointer, Pointer::Default);

    f.settings.set("LastFolderDot", "/out");
    f.window.folderAnswers = {"/data", "/"};
    for (const char* expected : {"/data/", "/", "/"}) {  // the last picker is cancelled
        f.list.PushButton9_Click();
        EXPECT_EQ(f.window.texts[Control::Text1], expected);
    }
    EXPECT_EQ(f.window.folderDialogStarts, Texts({"/previous", "/previous", "/out", "/data", "/"}));
    EXPECT_EQ(f.settings.get("LastFolder") + f.settings.get("LastFolderDot"),
              dir.path().string() + "/");
    EXPECT_TRUE(f.window.messages.empty());
}

TEST(file_list_test, delete_key_double_click_and_clear_unless_busy)
{
    Fixture f;
    f.window.items = {"a", "b", "c", "d"};
    f.window.selected = 2;
    f.list.listKeyDown(8);  // not the Delete key
    f.list.listKeyDown(46);
    f.list.listDoubleClick();  // the removal left nothing selected
    EXPECT_EQ(f.window.items, Texts({"a", "c", "d"}));
    f.window.selected = 1;
    f.window.currentPointer = Pointer::Hourglass;
    f.list.listKeyDown(46);
    f.list.listDoubleClick();
    f.list.PushButton6_Click();
    EXPECT_EQ(f.window.items, Texts({"a", "c", "d"}));
    f.window.currentPointer = Pointer::Default;
    f.list.listDoubleClick();
    EXPECT_EQ(f.window.items, Texts({"c", "d"}));
    f.list.PushButton6_Click();
    EXPECT_TRUE(f.window.items.empty());
}

TEST(file_list_test, dragging_swaps_items_and_scrolls_and_hover_sets_the_pointer)
{
    Fixture f;
    f.list.hoverButton();
    EXPECT_EQ(f.window.currentPointer, Pointer::Custom);
    f.window.items = {"first", "second", "third"};
    f.window.selected = 1;
    f.list.itemClick();
    f.list.mouseMove(2, 330);  // button not pressed yet: nothing moves
    f.list.mouseDown();
    f.list.mouseMove(2, 330);
    f.list.mouseMove(3, 330);
    EXPECT_EQ(f.window.items, Texts({"second", "third", "first"}));
    EXPECT_EQ(f.window.selected, 3);
    f.list.mouseMove(2, 304);  // near the top: the item above comes into view
    f.list.mouseMove(3, 365);  // near the bottom, but there is no item 4
    f.list.mouseMove(2, 365);
    f.list.mouseMove(1, 0);  // nor an item 0
    EXPECT_EQ(f.window.ensuredVisible, std::vector<int>({1, 3}));
    f.list.mouseUp();
    f.list.mouseMove(3, 330);
    EXPECT_EQ(f.window.items, Texts({"first", "second", "third"}));
    EXPECT_EQ(f.window.currentPointer, Pointer::Default);  // a move sets it back
    f.list.hoverButton();
    f.list.hoverBackground();
    EXPECT_EQ(f.window.currentPointer, Pointer::Default);
    f.window.currentPointer = Pointer::Hourglass;  // busy: no hover or move changes it
    f.list.hoverButton();
    f.list.mouseMove(0, 0);
    EXPECT_EQ(f.window.currentPointer, Pointer::Hourglass);
}

TEST(file_list_test, a_dropped_file_is_added_and_a_folder_gives_its_tree_level_by_level)
{
    TempDir first;
    TempDir second;
    for (const char* name :
         {"a.vcf", "~t.vcf", ".h.vcf", "~x/c.Vcf", "deep/er/notes.txt", "bad\x01/f.vcf"})
        first.write(name, "");
    fs::create_directories(first.path() / "folder.vcf");
    second.write("b.vcf", "");
    Fixture f;
    f.list.dropPaths({"/nowhere/list.txt", first.path().string(), second.path().string() + "/"});
    EXPECT_EQ(f.window.items,
              Texts({"/nowhere/list.txt", first.file("a.vcf"), first.file("~x/c.Vcf"),
                     first.file("deep/er/notes.txt"), second.file("b.vcf")}));
}

}  // namespace
}  // namespace brimwell
