#include "job/options_controller.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

#include "base/error_trap.h"
#include "base/messages.h"
#include "base/text_ops.h"
#include "job/faithful_options.h"
#include "job/option_table.h"
#include "textio/paths.h"

namespace brimwell {

namespace {

/// A stored number, as the settings hold it: surrounding spaces allowed, nothing else.
double storedNumber(std::string_view stored)
{
    const auto text = text::trimSpaces(stored);
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("Type mismatch");
    return number;
}

/// An option button's stored state: True or False in any case, or a number (0 is false).
bool storedTruth(std::string_view stored)
{
    const std::string_view trimmed = text::trimSpaces(stored);
    if (text::equalsIgnoringCase(trimmed, "TRUE"))
        return true;
    if (text::equalsIgnoringCase(trimmed, "FALSE"))
        return false;
    return storedNumber(stored) != 0;
}

/// A check box's stored state: a number rounded to a whole one (halves to even), which
/// must be a state a check box can show.
int storedCheckState(std::string_view stored)
{
    const double state = std::nearbyint(storedNumber(stored));
    if (state != 0 && state != 1 && state != 2)
        throw std::invalid_argument("Invalid property value");
    return static_cast<int>(state);
}

}  // namespace

std::string OptionsController::read(std::string_view key, std::string_view defaultValue) const
{
    return m_store.read(kSettingsApplication, kSettingsSection, key, defaultValue);
}

void OptionsController::write(std::string_view key, std::string_view value)
{
    m_store.write(kSettingsApplication, kSettingsSection, key, value);
}

void OptionsController::optionClick(Control option)
{
    for (const auto* member : optionGroup(option))
        write(member->settingsKey, m_window.optionSelected(member->control) ? "True" : "False");
    if (optionControl(option).frame == optionControl(Control::Option9).frame)
        updateFolderBox();
    if (optionControl(option).frame == optionControl(Control::Option1).frame)
        updateEncodingChoices();
}

void OptionsController::checkClick(Control box)
{
    write(optionControl(box).settingsKey, std::to_string(m_window.checkValue(box)));
}

void OptionsController::Text1_Change()
{
    write(optionControl(Control::Text1).settingsKey, m_window.text(Control::Text1));
}

void OptionsController::choiceChange(Control box)
{
    write(optionControl(box).settingsKey, m_window.text(box));
}

void OptionsController::PushButton3_Click()
{
    showInformation(
        m_window, "Leave these unchecked if you do not want to filter / change the original file.");
}

void OptionsController::restore()
{
    // Restoring is step 7 of start-up; each control that fails is reported on its own.
    constexpr int kStartupRestoreStep = 7;
    ErrorTrap trap(m_window, "Form1", "Form_Load");
    for (const auto& row : optionControls()) {
        trap.step(kStartupRestoreStep, [&] {
            switch (row.kind) {
            case ControlKind::OptionButton:
                m_window.setOptionSelected(row.control,
                                           storedTruth(read(row.settingsKey, row.firstStart)));
                break;
            case ControlKind::CheckBox:
                m_window.setCheckValue(row.control,
                                       storedCheckState(read(row.settingsKey, row.firstStart)));
                break;
            case ControlKind::TextBox: {
                std::string desktop = m_desktopFolder;
                if (desktop.empty() || desktop.back() != kPathSeparator)
                    desktop.push_back(kPathSeparator);
                m_window.setText(row.control, read(row.settingsKey, desktop));
                break;
            }
            case ControlKind::ChoiceBox:
                m_window.setText(row.control, read(row.settingsKey, row.firstStart));
                break;
            }
        });
    }
    updateFolderBox();
    updateEncodingChoices();
}

void OptionsController::updateFolderBox()
{
    m_window.setFolderBoxEnabled(m_window.optionSelected(Control::Option9));
}

void OptionsController::updateEncodingChoices()
{
    m_window.setEncodingChoicesEnabled(faithfulLayoutChosen(m_window));
}

}  // namespace brimwell
