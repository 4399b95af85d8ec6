#include "filelist/file_list.h"

#include <utility>

#include "base/error_trap.h"
#include "base/messages.h"
#include "base/settings_store.h"
#include "base/window.h"
#include "filelist/folder_scan.h"
#include "textio/paths.h"

namespace brimwell {

namespace {

constexpr int kDeleteKey = 46;
/// Above this screen line a moved item scrolls the list up, at kScrollDownFrom and
/// below it scrolls down.
constexpr int kScrollUpBelow = 305;
constexpr int kScrollDownFrom = 365;

constexpr const char* kExtensionPrompt =
    "Enter file extension to load:\r\r"
    "(* for all files, txt for all txt files, doc for all doc files, etc.)";
constexpr const char* kFolderPickerTitle = "Please select folder:";

}  // namespace

FileListController::FileListController(Window& window, SettingsStore& settings,
                                       std::function<void()> loadSamples)
    : m_window(window), m_settings(settings), m_loadSamples(std::move(loadSamples))
{}

bool FileListController::busy() const
{
    return m_window.pointer() == Pointer::Hourglass;
}

std::string FileListController::readSetting(const char* key, const char* defaultValue) const
{
    return m_settings.read(kSettingsApplication, kSettingsSection, key, defaultValue);
}

void FileListController::writeSetting(const char* key, const std::string& value)
{
    m_settings.write(kSettingsApplication, kSettingsSection, key, value);
}

void FileListController::PushButton1_Click()
{
    ErrorTrap trap(m_window, "Form1", "PushButton1_Click");
    std::vector<std::string> paths;
    trap.step(1, [&] {
        paths = m_window.openFilesDialog("Add File(s) - Hold Ctrl to select multiple files",
                                         "vCard VCF Files (*.vcf)|*.vcf|");
    });
    for (const std::string& path : paths)
        trap.step(5, [&] { m_window.listAdd(CollapseBackslashes(path)); });
}

void FileListController::PushButton4_Click()
{
    ErrorTrap trap(m_window, "Form1", "PushButton4_Click");
    std::string extension;
    std::string answer;
    std::string lastFolder;
    std::string folder;
    trap.step(1, [&] { extension = readSetting("Extension", "vcf"); });
    trap.step(2,
              [&] { answer = m_window.inputBox(kExtensionPrompt, applicationTitle(), extension); });
    if (answer.empty())
        return;
    trap.step(4, [&] { writeSetting("Extension", answer); });
    trap.step(5, [&] { lastFolder = readSetting("LastFolder", ""); });
    trap.step(6, [&] { folder = m_window.browseForFolder(kFolderPickerTitle, lastFolder); });
    if (folder.empty())
        return;
    trap.step(7, [&] { writeSetting("LastFolder", folder); });
    trap.step(8, [&] { m_window.setPointer(Pointer::Hourglass); });
    // The walk reports its own failures, so what reaches this trap comes from the adding.
    trap.step(10, [&] { addFolderTreeFiles(m_window, folder, "*." + answer); });
    trap.step(11, [&] { m_window.setPointer(Pointer::Default); });
}

void FileListController::PushButton9_Click()
{
    ErrorTrap trap(m_window, "Form1", "PushButton9_Click");
    std::string lastFolderDot;
    std::string folder;
    trap.step(1, [&] { lastFolderDot = readSetting("LastFolderDot", ""); });
    trap.step(2, [&] { folder = m_window.browseForFolder(kFolderPickerTitle, lastFolderDot); });
    if (folder.empty())
        return;
    trap.step(3, [&] {
        writeSetting("LastFolderDot", folder);
        m_window.setText(Control::Text1,
                         folder.ends_with(kPathSeparator) ? folder : folder + kPathSeparator);
    });
}

void FileListController::PushButton6_Click()
{
    ErrorTrap trap(m_window, "Form1", "PushButton6_Click");
    trap.step(1, [&] {
        if (!busy())
            m_window.listClear();
    });
}

void FileListController::PushButton7_Click()
{
    ErrorTrap trap(m_window, "Form1", "PushButton7_Click");
    trap.step(1, [&] { m_loadSamples(); });
}

void FileListController::dropPaths(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        const int attributes = fileAttributes(path);
        if (attributes != kInvalidFileAttributes && (attributes & kAttributeDirectory) != 0)
            addFolderTreeFiles(m_window, path, "*.*");
        else
            m_window.listAdd(path);
    }
}

void FileListController::removeSelected()
{
    if (busy() || m_window.listCount() < 1)
        return;
    const int selected = m_window.listSelected();
    if (selected != 0)
        m_window.listRemove(selected);
}

void FileListController::listKeyDown(int keyCode)
{
    if (keyCode == kDeleteKey)
        removeSelected();
}

void FileListController::listDoubleClick()
{
    removeSelected();
}

void FileListController::itemClick()
{
    m_window.setListDragCursor(true);
    m_dragItem = m_window.listSelected();
}

void FileListController::mouseDown()
{
    m_mouseIsDown = true;
}

void FileListController::mouseMove(int hoverIndex, int screenY)
{
    if (!busy())
        m_window.setPointer(Pointer::Default);
    if (!m_mouseIsDown)
        return;
    m_hoverItem = hoverIndex;
    const int count = m_window.listCount();
    const bool bothExist =
        m_dragItem >= 1 && m_dragItem <= count && m_hoverItem >= 1 && m_hoverItem <= count;
    if (bothExist) {
        const std::string dragText = m_window.listItem(m_dragItem);
        const std::string hoverText = m_window.listItem(m_hoverItem);
        if (dragText != hoverText) {
            m_window.listSetItem(m_dragItem, hoverText);
            m_window.listSetItem(m_hoverItem, dragText);
            m_window.listSelect(m_hoverItem);
            m_dragItem = m_hoverItem;
            if (screenY < kScrollUpBelow && m_hoverItem - 1 >= 1)
                m_window.listEnsureVisible(m_hoverItem - 1);
            else if (screenY >= kScrollDownFrom && m_hoverItem + 1 <= count)
                m_window.listEnsureVisible(m_hoverItem + 1);
        }
    }
    m_hoverItem = 0;
}

void FileListController::mouseUp()
{
    m_mouseIsDown = false;
    m_window.setListDragCursor(false);
}

void FileListController::hoverButton()
{
    if (!busy())
        m_window.setPointer(Pointer::Custom);
}

void FileListController::hoverBackground()
{
    if (!busy())
        m_window.setPointer(Pointer::Default);
}

}  // namespace brimwell
