#include "support/scripted_window.h"

#include "job/option_table.h"

namespace brimwell::test {

ScriptedWindow::ScriptedWindow()
{
    for (Control option : {Control::Option1, Control::Option3, Control::Option8, Control::Option9})
        select(option);
    checks = {{Control::Check3, 0}, {Control::Check4, 0}, {Control::Check6, 0},
              {Control::Check8, 0}, {Control::Check9, 1}, {Control::Check10, 0}};
    texts = {{Control::Text1, "/tmp/"},
             {Control::Combo1, "utf-8-bom"},
             {Control::Combo2, "windows-1252"}};
}

void ScriptedWindow::select(Control option)
{
    for (const auto* member : optionGroup(option))
        options[member->control] = member->control == option;
}

std::vector<std::string> ScriptedWindow::messageTexts(bool errors) const
{
    std::vector<std::string> texts;
    for (const auto& message : messages)
        if ((message.caption == "Application Error") == errors)
            texts.push_back(message.text);
    return texts;
}

bool ScriptedWindow::optionSelected(Control option) const
{
    auto found = options.find(option);
    return found != options.end() && found->second;
}
int ScriptedWindow::checkValue(Control box) const
{
    auto found = checks.find(box);
    return found == checks.end() ? 0 : found->second;
}
std::string ScriptedWindow::text(Control box) const
{
    auto found = texts.find(box);
    return found == texts.end() ? std::string() : found->second;
}
void ScriptedWindow::setOptionSelected(Control option, bool selected)
{
    if (selected)
        select(option);
    else
        options[option] = false;
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

void ScriptedWindow::setProgressText(const std::string& text)
{
    progressText = text;
    progressTexts.push_back(text);
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
    return messageAnswers.empty() ? MessageAnswer::No : next(messageAnswers);
}

std::string ScriptedWindow::saveFileDialog(const std::string&, const std::string&,
                                           const std::string& initialFolder)
{
    saveDialogFolders.push_back(initialFolder);
    return next(saveAnswers);
}
std::string ScriptedWindow::browseForFolder(const std::string&, const std::string& startFolder)
{
    folderDialogStarts.push_back(startFolder);
    return next(folderAnswers);
}

}  // namespace brimwell::test
