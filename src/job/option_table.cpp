#include "job/option_table.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace brimwell {

namespace {

using enum Control;
using enum ControlKind;

// Restore order; the option buttons of one frame stand together, Option9 and Option10
// last so that the folder box is restored before its frame's buttons.
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

std::span<const OptionControl> optionGroup(Control option)
{
    const auto& row = optionControl(option);
    auto first =
        std::find_if(kControls.begin(), kControls.end(), [&row](const OptionControl& other) {
            return other.kind == OptionButton && other.frame == row.frame;
        });
    auto last = std::find_if(first, kControls.end(), [&row](const OptionControl& other) {
        return other.kind != OptionButton || other.frame != row.frame;
    });
    return {first, last};
}

}  // namespace brimwell
