#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brimwell {

class SettingsStore;
class Window;

/// The file list's event handlers: adding by dialog, folder scan, drop and samples,
/// removing, and reordering items by dragging them. The window forwards its events here.
class FileListController {
public:
    /// `loadSamples` adds the sample files; the program's start-up layer provides it, as
    /// the samples live above the file list.
    FileListController(Window& window, SettingsStore& settings, std::function<void()> loadSamples);

    /// "Add VCF File(s)": the multi-select open dialog; each chosen path is added in order.
    void PushButton1_Click();
    /// "Add All VCF File(s) In Folder": asks for an extension and a folder, then adds the
    /// matching files of the folder's whole tree.
    void PushButton4_Click();
    /// The output-folder button: puts the chosen folder, ending in '/', into Text1.
    void PushButton9_Click();
    /// "Clear List", refused while busy.
    void PushButton6_Click();
    /// "Load Sample/Example Files".
    void PushButton7_Click();

    /// Files and folders dropped on the list: a file is added as it is, a folder
    /// contributes every file of its tree.
    void dropPaths(const std::vector<std::string>& paths);
    /// Key code 46 (Delete) removes the selected item unless busy.
    void listKeyDown(int keyCode);
    /// Removes the selected item unless busy.
    void listDoubleClick();

    /// An item was clicked (and so selected): it becomes the item being moved.
    void itemClick();
    void mouseDown();
    /// `hoverIndex`: the item under the pointer, 0 for none; `screenY`: the pointer's
    /// vertical position on the screen, which decides whether the list scrolls.
    void mouseMove(int hoverIndex, int screenY);
    void mouseUp();

    /// The pointer entered a push button: the hand pointer, unless busy.
    void hoverButton();
    /// The pointer entered the window's background or a frame: the default one, unless busy.
    void hoverBackground();

private:
    bool busy() const;
    void removeSelected();
    std::string readSetting(const char* key, const char* defaultValue) const;
    void writeSetting(const char* key, const std::string& value);

    Window& m_window;
    SettingsStore& m_settings;
    std::function<void()> m_loadSamples;
    bool m_mouseIsDown = false;  // MouseIsDown
    int m_dragItem = 0;          // DragItem, as an index; 0 for none
    int m_hoverItem = 0;         // HoverItem, only set during one mouse-move step
};

}  // namespace brimwell
