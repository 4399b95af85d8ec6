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
        case ControlKind::ChoiceBox:
            m_texts[slot(row.control)] = row.firstStart;
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
        m_selected[slot(member->control)] = member->control == option;
}

void OptionValues::clearGroup(Control option)
{
    for (const auto& member : optionGroup(option))
        m_selected[slot(member->control)] = false;
}

int OptionValues::check(Control box) const
{
    return m_checks[slot(box)];
}
void OptionValues::setCheck(Control box, int value)
{
    m_checks[slot(box)] = value;
}

std::string OptionValues::text(Control box) const
{
    return m_texts[slot(box)];
}
void OptionValues::setText(Control box, std::string text)
{
    m_texts[slot(box)] = std::move(text);
}

}  // namespace brimwell
