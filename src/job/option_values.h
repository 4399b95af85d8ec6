#pragma once

#include <array>
#include <string>

#include "base/window.h"

namespace brimwell {

/// The values of the window's option controls, for a front end without real controls
/// (the console program, the tests). Starts with the first-start values, Text1 empty.
class OptionValues {
public:
    OptionValues();

    bool selected(Control option) const;
    /// Selects `option` and clears the other buttons of its frame.
    void select(Control option);
    /// Clears `option` alone.
    void deselect(Control option) { m_selected[slot(option)] = false; }
    /// Clears every button of `option`'s frame.
    void clearGroup(Control option);

    int check(Control box) const;
    void setCheck(Control box, int value);

    std::string text(Control box) const;
    void setText(Control box, std::string text);

private:
    static constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::Combo2) + 1;
    static constexpr std::size_t slot(Control control) { return static_cast<std::size_t>(control); }

    // Indexed by control; a control of another kind keeps its slot unused.
    std::array<bool, kControlCount> m_selected{};
    std::array<int, kControlCount> m_checks{};
    std::array<std::string, kControlCount> m_texts;
};

}  // namespace brimwell
