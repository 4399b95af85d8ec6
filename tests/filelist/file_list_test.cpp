#include "filelist/file_list.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/messages.h"
#include "support/memory_settings_store.h"
#include "support/scripted_window.h"
#include "support/temp_dir.h"

namespace brimwell {
namespace {

using test::TempDir;
using Texts = std::vector<std::string>;

/// Records the texts every dialog was shown with, besides answering it.
class RecordingWindow : public test::ScriptedWindow {
public:
    Texts dialogTexts;

    Texts openFilesDialog(const std::string& title, const std::string& filter) override
    {
        dialogTexts.insert(dialogTexts.end(), {title, filter});
        return ScriptedWindow::openFilesDialog(title, filter);
    }
    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& preset) override
    {
        dialogTexts.insert(dialogTexts.end(), {prompt, caption, preset});
        return ScriptedWindow::inputBox(prompt, caption, preset);
    }
    std::string browseForFolder(const std::string& title, const std::string& start) override
    {
        dialogTexts.insert(dialogTexts.end(), {title, start});
        return ScriptedWindow::browseForFolder(title, start);
    }
};

struct Fixture {
    RecordingWindow window;
    test::MemorySettingsStore settings;
    FileListController list{window, settings, "/opt/brimwell"};
};

TEST(file_list_test, adds_the_dialog_paths_in_order)
{
    Fixture f;
    f.window.openAnswers = {{"/data//a.vcf", "/data/b.vcf", "/data/b.vcf"}};
    f.list.PushButton1_Click();
    f.list.PushButton1_Click();  // cancelled
    EXPECT_EQ(f.window.items, Texts({"/data/a.vcf", "/data/b.vcf", "/data/b.vcf"}));
    EXPECT_EQ(f.window.dialogTexts[0], "Add File(s) - Hold Ctrl to select multiple files");
    EXPECT_EQ(f.window.dialogTexts[1], "vCard VCF Files (*.vcf)|*.vcf|");
}

TEST(file_list_test, folder_button_asks_extension_and_folder)
{
    TempDir dir;
    for (const char* name : {"a.TXT", "sub/b.txt", "c.vcf"})
        dir.write(name, "");
    Fixture f;
    f.settings.set("LastFolder", "/previous");
    std::vector<Pointer> pointers;
    f.window.onYield = [&] { pointers.push_back(f.window.currentPointer); };

    f.list.PushButton4_Click();  // extension prompt cancelled
    EXPECT_EQ(f.settings.get("Extension"), "<absent>");
    f.window.inputAnswers = {"txt", "txt"};
    f.list.PushButton4_Click();  // folder picker cancelled
    EXPECT_EQ(f.settings.get("Extension"), "txt");
    EXPECT_TRUE(f.window.items.empty());
    f.window.folderAnswers = {dir.path().string()};
    f.list.PushButton4_Click();

    const std::string prompt =
        "Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all "
        "doc files, etc.)";
    const std::string& title = applicationTitle();
    EXPECT_EQ(f.window.dialogTexts, Texts({prompt, title, "vcf", prompt, title, "vcf",
                                           "Please select folder:", "/previous", prompt, title,
                                           "txt", "Please select folder:", "/previous"}));
    EXPECT_EQ(f.window.items, Texts({dir.file("a.TXT"), dir.file("sub/b.txt")}));
    EXPECT_EQ(f.settings.get("LastFolder"), dir.path().string());
    ASSERT_FALSE(pointers.empty());
    EXPECT_EQ(pointers.front(), Pointer::Hourglass);
    EXPECT_EQ(f.window.currentPointer, Pointer::Default);
    EXPECT_TRUE(f.window.messages.empty());
}

TEST(file_list_test, output_folder_button_returns_the_folder_for_text1)
{
    Fixture f;
    f.settings.set("LastFolderDot", "/out");
    f.window.folderAnswers = {"/data", "/"};
    EXPECT_EQ(f.list.PushButton9_Click(), "/data/");
    EXPECT_EQ(f.list.PushButton9_Click(), "/");
    EXPECT_EQ(f.list.PushButton9_Click(), std::nullopt);
    EXPECT_EQ(f.settings.get("LastFolderDot"), "/");
    EXPECT_EQ(f.window.folderDialogStarts, Texts({"/out", "/data", "/"}));
}

TEST(file_list_test, removes_items_unless_busy)
{
    using Action = void (*)(FileListController&);
    const Action deleteKey = [](FileListController& l) { l.listKeyDown(46); };
    const Action otherKey = [](FileListController& l) { l.listKeyDown(8); };
    const Action doubleClick = [](FileListController& l) { l.listDoubleClick(); };
    const Action clear = [](FileListController& l) { l.PushButton6_Click(); };
    const Texts all = {"a", "b", "c"};
    const std::vector<std::tuple<const char*, int, bool, Action, Texts>> rows = {
        // name, selected item, busy, action, list after
        {"delete key", 2, false, deleteKey, {"a", "c"}},
        {"other key", 2, false, otherKey, all},
        {"double click", 1, false, doubleClick, {"b", "c"}},
        {"nothing selected", 0, false, doubleClick, all},
        {"delete while busy", 2, true, deleteKey, all},
        {"clear", 0, false, clear, {}},
        {"clear while busy", 0, true, clear, all},
    };
    for (const auto& [name, selected, busy, action, expected] : rows) {
        SCOPED_TRACE(name);
        Fixture f;
        f.window.items = all;
        f.window.selected = selected;
        f.window.currentPointer = busy ? Pointer::Hourglass : Pointer::Default;
        action(f.list);
        EXPECT_EQ(f.window.items, expected);
    }
}

TEST(file_list_test, dragging_moves_the_pressed_item)
{
    Fixture f;
    f.window.items = {"first", "second", "third"};
    f.window.selected = 1;
    f.list.itemClick();
    EXPECT_TRUE(f.window.listDragCursor);
    f.list.mouseMove(2, 330);  // button not pressed yet: nothing moves
    f.list.mouseDown();
    f.list.mouseMove(2, 330);
    f.list.mouseMove(3, 330);
    EXPECT_EQ(f.window.items, Texts({"second", "third", "first"}));
    EXPECT_EQ(f.window.selected, 3);
    EXPECT_TRUE(f.window.ensuredVisible.empty());

    f.list.mouseMove(2, 304);  // near the top of the screen: the item above comes into view
    f.list.mouseMove(3, 365);  // near the bottom, but there is no item 4
    f.list.mouseMove(2, 365);
    EXPECT_EQ(f.window.ensuredVisible, std::vector<int>({1, 3}));
    f.list.mouseUp();
    EXPECT_FALSE(f.window.listDragCursor);
    f.list.mouseMove(3, 330);
    EXPECT_EQ(f.window.items, Texts({"second", "first", "third"}));
}

TEST(file_list_test, pointer_follows_hover_but_keeps_the_hourglass)
{
    Fixture f;
    f.list.hoverButton();
    EXPECT_EQ(f.window.currentPointer, Pointer::Custom);
    f.list.hoverBackground();
    EXPECT_EQ(f.window.currentPointer, Pointer::Default);
    f.window.currentPointer = Pointer::Hourglass;
    f.list.hoverButton();
    f.list.mouseMove(0, 0);
    EXPECT_EQ(f.window.currentPointer, Pointer::Hourglass);
}

TEST(file_list_test, dropped_files_are_added_and_folders_walked)
{
    TempDir first;
    TempDir second;
    for (const char* name : {"a.vcf", "deep/er/notes.txt", "deep/~lock.vcf", "deep/.hidden"})
        first.write(name, "");
    second.write("b.vcf", "");
    Fixture f;
    f.list.dropPaths({"/nowhere/list.txt", first.path().string(), second.path().string() + "/"});
    EXPECT_EQ(f.window.items, Texts({"/nowhere/list.txt", first.file("a.vcf"),
                                     first.file("deep/er/notes.txt"), second.file("b.vcf")}));
}

TEST(file_list_test, sample_button_runs_the_sample_loader)
{
    Fixture f;
    f.list.PushButton7_Click();  // nothing recorded, but the loader still asks
    EXPECT_EQ(f.window.messages.size(), 1u);
}

}  // namespace
}  // namespace brimwell
