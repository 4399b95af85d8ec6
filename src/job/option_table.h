#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "base/window.h"

namespace brimwell {

/// A ChoiceBox is a drop-down list whose chosen text is stored as it is.
enum class ControlKind { OptionButton, CheckBox, TextBox, ChoiceBox };

/// One option control of the main window: where it sits, what it says, where it is kept.
struct OptionControl {
    Control control;
    std::string_view name;  ///< the control's name, e.g. "Option9"
    ControlKind kind;
    std::string_view frame;  ///< the control's frame, e.g. "Frame7"
    std::string_view caption;
    std::string_view settingsKey;
    std::string_view firstStart;  ///< the stored form used when the key is absent ("" for Text1)
};

/// Every option control, in the order start-up restores them.
std::span<const OptionControl> optionControls();

/// The table row of one control.
const OptionControl& optionControl(Control control);

/// The option buttons that share `option`'s frame, `option` included, in table order.
std::vector<const OptionControl*> optionGroup(Control option);

}  // namespace brimwell
