#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/window.h"

namespace brimwell::test {

/// One message box the code under test showed.
struct ShownMessage {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    std::string caption;
};

/// A Window double: option values and the list are plain data, every message, progress
/// change and yield is recorded, and dialogs take their answers from queues (an empty
/// queue answers "cancelled", a message box with no queued answer answers No or OK).
class ScriptedWindow : public Window {
public:
    ScriptedWindow();

    // Options, as the first start of the program sets them unless a test changes them.
    std::map<Control, bool> options;
    std::map<Control, int> checks;
    std::map<Control, std::string> texts;
    /// Selects one option button and clears the others of its group.
    void select(Control option);

    std::vector<std::string> items;
    int selected = 0;

    int progressValue = 0;
    std::string progressText = "Progress Bar";
    std::vector<int> progressValues;         ///< every value set, in order
    std::vector<std::string> progressTexts;  ///< every text set, in order
    Pointer currentPointer = Pointer::Default;
    int yields = 0;
    int refreshes = 0;

    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<std::vector<std::string>> openAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<std::string> folderAnswers;
    std::vector<std::string> saveDialogFolders;  ///< initial folder of each save dialog
    std::vector<std::string> shellOpened;
    /// Runs at each yield, to model a click arriving in the middle of a run.
    std::function<void()> onYield;

    /// The texts of the messages captioned "Application Error".
    std::vector<std::string> errorReports() const;
    /// The texts of all other messages.
    std::vector<std::string> informationTexts() const;

    bool optionSelected(Control option) const override;
    int checkValue(Control box) const override;
    std::string text(Control box) const override;
    void setOptionSelected(Control option, bool selected) override;
    void setCheckValue(Control box, int value) override;
    void setText(Control box, const std::string& text) override;
    void setFolderBoxEnabled(bool enabled) override;
    void setEncodingChoicesEnabled(bool enabled) override;
    bool folderBoxEnabled = true;
    bool encodingChoicesEnabled = true;
    int listCount() const override;
    std::string listItem(int index) const override;
    void listAdd(const std::string& text) override;
    void listRemove(int index) override;
    void listClear() override;
    int listSelected() const override;
    void listSelect(int index) override;
    void listSetItem(int index, const std::string& text) override;
    void listEnsureVisible(int index) override;
    void setListDragCursor(bool dragging) override;
    void setProgressValue(int value) override;
    void setProgressText(const std::string& text) override;
    Pointer pointer() const override;
    void setPointer(Pointer pointer) override;
    void refresh() override;
    void yield() override;
    MessageAnswer messageBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                             const std::string& caption) override;
    std::string inputBox(const std::string& prompt, const std::string& caption,
                         const std::string& preset) override;
    std::vector<std::string> openFilesDialog(const std::string& title,
                                             const std::string& filter) override;
    std::string saveFileDialog(const std::string& title, const std::string& filter,
                               const std::string& initialFolder) override;
    std::string browseForFolder(const std::string& title, const std::string& startFolder) override;
    void shellOpen(const std::string& path) override;
    void writeFailed(const std::string& path, int error) override;

    std::vector<int> ensuredVisible;
    bool listDragCursor = false;
    std::vector<std::string> inputPrompts;
    std::vector<std::string> folderDialogStarts;
    /// Every CSV file that could not be written, with its error number, in order.
    std::vector<std::pair<std::string, int>> writeFailures;
};

}  // namespace brimwell::test
