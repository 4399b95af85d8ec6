#include "job/option_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace brimwell {

namespace {

using enum Control;
using enum ControlKind;

// Restore order: Option9 and Option10 after the folder box they enable, and the controls
// of the new layouts after all the others, so that a first start restores the rest
// exactly as before they were added.
constexpr std::array kControls = {
    OptionControl{Option1, "Option1", OptionButton, "Frame1", "CSV", "Option1", "1"},
    OptionControl{Option2, "Option2", OptionButton, "Frame1", "Gmail (CSV)", "Option2", "0"},
    OptionControl{Option3, "Option3", OptionButton, "Frame3", "Tab", "Option3", "1"},
    OptionControl{Option4, "Option4", OptionButton, "Frame3", "Semicolon", "Option4", "0"},
    OptionControl{Option5, "Option5", OptionButton, "Frame3", "Comma", "Option5", "0"},
    OptionControl{Option6, "Option6", OptionButton, "Frame3", "Comma-Space", "Option6", "0"},
    OptionControl{Option7, "Option7", OptionButton, "Frame4", "Create One CSV From All VCF Files",
                  "Option7", "0"},
    OptionControl{Option8, "Option8", OptionButton, "Frame4",
                  "Create Separate CSV For Each VCF File", "Option8", "1"},
    OptionControl{Check3, "Check3", CheckBox, "Frame2", "E-mails", "Emails Only", "0"},
    OptionControl{Check4, "Check4", CheckBox, "Frame2", "Phone Numbers", "Phone Numbers Only", "0"},
    OptionControl{Check6, "Check6", CheckBox, "Frame2", "Names", "Names Only", "0"},
    OptionControl{Check8, "Check8", CheckBox, "Frame2", "Addresses", "Addresses Only", "0"},
    OptionControl{Check9, "Check9", CheckBox, "Frame5", "Inclosed With Double Quotes",
                  "Inclosed Double Quotes", "1"},
    OptionControl{Check10, "Check10", CheckBox, "Frame5", "Remove CRLF (Carriage Return/Linefeed)",
                  "Remove CRLF", "0"},
    OptionControl{Text1, "Text1", TextBox, "Frame6", "", "Text1", ""},
    OptionControl{Option9, "Option9", OptionButton, "Frame7",
                  "Save results to this folder:", "Option9", "1"},
    OptionControl{Option10, "Option10", OptionButton, "Frame7",
                  "Save results in folder of original file", "Option10", "0"},
    OptionControl{Option11, "Option11", OptionButton, "Frame1", "Google Contacts", "Option11", "0"},
    OptionControl{Option12, "Option12", OptionButton, "Frame1", "Outlook", "Option12", "0"},
    OptionControl{Option13, "Option13", OptionButton, "Frame1", "Spreadsheet (all fields)",
                  "Option13", "0"},
    OptionControl{Combo1, "Combo1", ChoiceBox, "Frame8", "CSV file", "Encoding", "utf-8-bom"},
    OptionControl{Combo2, "Combo2", ChoiceBox, "Frame8", "Fallback", "Fallback Code Page",
                  "windows-1252"},
};

}  // namespace

std::span<const OptionControl> optionControls()
{
    return kControls;
}

const OptionControl& optionControl(Control control)
{
    auto found =
        std::find_if(kControls.begin(), kControls.end(),
                     [control](const OptionControl& row) { return row.control == control; });
    if (found == kControls.end())
        throw std::invalid_argument("unknown control");
    return *found;
}

std::vector<const OptionControl*> optionGroup(Control option)
{
    const auto& row = optionControl(option);
    std::vector<const OptionControl*> group;
    for (const auto& other : kControls)
        if (other.kind == OptionButton && other.frame == row.frame)
            group.push_back(&other);
    return group;
}

}  // namespace brimwell
