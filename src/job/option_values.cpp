#include "job/option_values.h"

#include "job/option_table.h"

namespace brimwell {

OptionValues::OptionValues()
{
    for (const auto& row : optionControls()) {
        switch (row.kind) {
        case ControlKind::OptionButton:
            m_selected[slot(row.control)] = row.firstStart == "1";
            break;
        case ControlKind::CheckBox:
            m_checks[slot(row.control)] = row.firstStart == "1" ? 1 : 0;
            break;
        case ControlKind::TextBox:
            break;
        }
    }
}

bool OptionValues::selected(Control option) const
{
    return m_selected[slot(option)];
}

void OptionValues::select(Control option)
{
    for (const auto& member : optionGroup(option))
        m_selected[slot(member.control)] = member.control == option;
}

void OptionValues::clearGroup(Control option)
{
    for (const auto& member : optionGroup(option))
        m_selected[slot(member.control)] = false;
}

int OptionValues::check(Control box) const
{
    return m_checks[slot(box)];
}
void OptionValues::setCheck(Control box, int value)
{
    m_checks[slot(box)] = value;
}

// Text1 is the window's only text box.
std::string OptionValues::text(Control) const
{
    return m_text1;
}
void OptionValues::setText(Control, std::string text)
{
    m_text1 = std::move(text);
}

}  // namespace brimwell
