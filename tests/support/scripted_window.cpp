#include "support/scripted_window.h"

#include "job/option_table.h"

namespace brimwell::test {

namespace {

template <class Value>
Value valueOr(const std::map<Control, Value>& values, Control control, Value fallback)
{
    auto found = values.find(control);
    return found == values.end() ? fallback : found->second;
}

}  // namespace

ScriptedWindow::ScriptedWindow()
{
    select(Control::Option1);
    select(Control::Option3);
    select(Control::Option8);
    select(Control::Option9);
    checks = {{Control::Check3, 0}, {Control::Check4, 0}, {Control::Check6, 0},
              {Control::Check8, 0}, {Control::Check9, 1}, {Control::Check10, 0}};
    texts[Control::Text1] = "/tmp/";
    texts[Control::Combo1] = "utf-8-bom";
    texts[Control::Combo2] = "windows-1252";
}

void ScriptedWindow::select(Control option)
{
    for (const auto* member : optionGroup(option))
        options[member->control] = member->control == option;
}

std::vector<std::string> ScriptedWindow::errorReports() const
{
    std::vector<std::string> reports;
    for (const auto& message : messages)
        if (message.caption == "Application Error")
            reports.push_back(message.text);
    return reports;
}

std::vector<std::string> ScriptedWindow::informationTexts() const
{
    std::vector<std::string> texts;
    for (const auto& message : messages)
        if (message.caption != "Application Error")
            texts.push_back(message.text);
    return texts;
}

bool ScriptedWindow::optionSelected(Control option) const
{
    return valueOr(options, option, false);
}
int ScriptedWindow::checkValue(Control box) const
{
    return valueOr(checks, box, 0);
}
std::string ScriptedWindow::text(Control box) const
{
    return valueOr(texts, box, std::string());
}

void ScriptedWindow::setOptionSelected(Control option, bool selected)
{
    if (selected)
        select(option);
    else
        options[option] = false;
}
void ScriptedWindow::setCheckValue(Control box, int value)
{
    checks[box] = value;
}
void ScriptedWindow::setText(Control box, const std::string& text)
{
    texts[box] = text;
}
void ScriptedWindow::setFolderBoxEnabled(bool enabled)
{
    folderBoxEnabled = enabled;
}
void ScriptedWindow::setEncodingChoicesEnabled(bool enabled)
{
    encodingChoicesEnabled = enabled;
}

int ScriptedWindow::listCount() const
{
    return static_cast<int>(items.size());
}
std::string ScriptedWindow::listItem(int index) const
{
    return items.at(index - 1);
}
void ScriptedWindow::listAdd(const std::string& text)
{
    items.push_back(text);
}
void ScriptedWindow::listRemove(int index)
{
    items.erase(items.begin() + (index - 1));
    selected = 0;
}
void ScriptedWindow::listClear()
{
    items.clear();
    selected = 0;
}
int ScriptedWindow::listSelected() const
{
    return selected;
}
void ScriptedWindow::listSelect(int index)
{
    selected = index;
}
void ScriptedWindow::listSetItem(int index, const std::string& text)
{
    items.at(index - 1) = text;
}
void ScriptedWindow::listEnsureVisible(int index)
{
    ensuredVisible.push_back(index);
}

void ScriptedWindow::setListDragCursor(bool dragging)
{
    listDragCursor = dragging;
}

void ScriptedWindow::setProgressValue(int value)
{
    progressValue = value;
    progressValues.push_back(value);
}
void ScriptedWindow::setProgressText(const std::string& text)
{
    progressText = text;
    progressTexts.push_back(text);
}

Pointer ScriptedWindow::pointer() const
{
    return currentPointer;
}
void ScriptedWindow::setPointer(Pointer pointer)
{
    currentPointer = pointer;
}
void ScriptedWindow::refresh()
{
    ++refreshes;
}
void ScriptedWindow::yield()
{
    ++yields;
    if (onYield)
        onYield();
}

MessageAnswer ScriptedWindow::messageBox(const std::string& text, MessageButtons buttons,
                                         MessageIcon icon, const std::string& caption)
{
    messages.push_back({text, buttons, icon, caption});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (messageAnswers.empty())
        return MessageAnswer::No;
    auto answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

namespace {
template <class Value>
Value takeNext(std::deque<Value>& answers)
{
    if (answers.empty())
        return Value{};
    Value next = std::move(answers.front());
    answers.pop_front();
    return next;
}
}  // namespace

std::string ScriptedWindow::inputBox(const std::string& prompt, const std::string&,
                                     const std::string&)
{
    inputPrompts.push_back(prompt);
    return takeNext(inputAnswers);
}

std::vector<std::string> ScriptedWindow::openFilesDialog(const std::string&, const std::string&)
{
    return takeNext(openAnswers);
}

std::string ScriptedWindow::saveFileDialog(const std::string&, const std::string&,
                                           const std::string& initialFolder)
{
    saveDialogFolders.push_back(initialFolder);
    return takeNext(saveAnswers);
}

std::string ScriptedWindow::browseForFolder(const std::string&, const std::string& startFolder)
{
    folderDialogStarts.push_back(startFolder);
    return takeNext(folderAnswers);
}

void ScriptedWindow::shellOpen(const std::string& path)
{
    shellOpened.push_back(path);
}

void ScriptedWindow::writeFailed(const std::string& path, int error)
{
    writeFailures.emplace_back(path, error);
}

}  // namespace brimwell::test
