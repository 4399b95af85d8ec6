#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "base/window.h"

namespace brimwell::test {

/// The check boxes a table row ticks, as in boxes(Control::Check4, Control::Check6).
template <class... Box>
std::vector<Control> boxes(Box... box)
{
    return {box...};
}

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
    using Text = const std::string&;

public:
    ScriptedWindow();

    // Options, as the first start of the program sets them unless a test changes them.
    std::map<Control, bool> options;
    std::map<Control, int> checks;
    std::map<Control, std::string> texts;
    /// Selects one option button and clears the others of its group.
    void select(Control option);
    bool folderBoxEnabled = true;
    bool encodingChoicesEnabled = true;

    std::vector<std::string> items;
    int selected = 0;
    std::vector<int> ensuredVisible;

    std::string progressText = "Progress Bar";
    std::vector<int> progressValues;         ///< every value set, in order
    std::vector<std::string> progressTexts;  ///< every text set, in order
    Pointer currentPointer = Pointer::Default;
    int yields = 0;
    int refreshes = 0;
    /// Runs at each yield, to model a click arriving in the middle of a run.
    std::function<void()> onYield;

    std::vector<ShownMessage> messages;
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<std::vector<std::string>> openAnswers;
    std::deque<std::string> saveAnswers;
    std::deque<std::string> folderAnswers;
    std::vector<std::string> saveDialogFolders;  ///< initial folder of each save dialog
    std::vector<std::string> folderDialogStarts;
    std::vector<std::string> shellOpened;
    /// Every CSV file that could not be written, with its error number, in order.
    std::vector<std::pair<std::string, int>> writeFailures;

    /// The texts of the messages captioned "Application Error".
    std::vector<std::string> errorReports() const { return messageTexts(true); }
    /// The texts of all other messages.
    std::vector<std::string> informationTexts() const { return messageTexts(false); }

    bool optionSelected(Control option) const override;
    int checkValue(Control box) const override;
    std::string text(Control box) const override;
    void setOptionSelected(Control option, bool selected) override;
    void setCheckValue(Control box, int value) override { checks[box] = value; }
    void setText(Control box, Text text) override { texts[box] = text; }
    void setFolderBoxEnabled(bool enabled) override { folderBoxEnabled = enabled; }
    void setEncodingChoicesEnabled(bool enabled) override { encodingChoicesEnabled = enabled; }
    int listCount() const override { return static_cast<int>(items.size()); }
    std::string listItem(int index) const override { return items.at(index - 1); }
    void listAdd(Text text) override { items.push_back(text); }
    void listRemove(int index) override;
    void listClear() override;
    int listSelected() const override { return selected; }
    void listSelect(int index) override { selected = index; }
    void listSetItem(int index, Text text) override { items.at(index - 1) = text; }
    void listEnsureVisible(int index) override { ensuredVisible.push_back(index); }
    void setListDragCursor(bool) override {}
    void setProgressValue(int value) override { progressValues.push_back(value); }
    void setProgressText(Text text) override;
    Pointer pointer() const override { return currentPointer; }
    void setPointer(Pointer pointer) override { currentPointer = pointer; }
    void refresh() override { ++refreshes; }
    void yield() override;
    MessageAnswer messageBox(Text text, MessageButtons buttons, MessageIcon icon,
                             Text caption) override;
    std::string inputBox(Text, Text, Text) override { return next(inputAnswers); }
    std::vector<std::string> openFilesDialog(Text, Text) override { return next(openAnswers); }
    std::string saveFileDialog(Text, Text, Text initialFolder) override;
    std::string browseForFolder(Text, Text startFolder) override;
    void shellOpen(Text path) override { shellOpened.push_back(path); }
    void writeFailed(Text path, int error) override { writeFailures.emplace_back(path, error); }

private:
    std::vector<std::string> messageTexts(bool errors) const;
    /// The first of `answers`, taken off the queue; a value-initialised one when none is left.
    template <class Value>
    static Value next(std::deque<Value>& answers)
    {
        if (answers.empty())
            return Value{};
        Value first = std::move(answers.front());
        answers.pop_front();
        return first;
    }
};

}  // namespace brimwell::test
