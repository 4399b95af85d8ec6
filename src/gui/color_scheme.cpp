#include "gui/color_scheme.h"

#include <QApplication>
#include <QStyle>

namespace brimwell {

namespace {

struct RoleColour {
    QPalette::ColorRole role;
    QRgb active;
    QRgb disabled;
};

constexpr RoleColour kDark[] = {
    {QPalette::Window, 0x2b2d31, 0x2b2d31},      {QPalette::WindowText, 0xe6e8eb, 0x7d828a},
    {QPalette::Base, 0x1f2124, 0x26282c},        {QPalette::AlternateBase, 0x303338, 0x303338},
    {QPalette::Text, 0xe6e8eb, 0x7d828a},        {QPalette::PlaceholderText, 0x8b9098, 0x6b7078},
    {QPalette::Button, 0x373a40, 0x303338},      {QPalette::ButtonText, 0xe6e8eb, 0x7d828a},
    {QPalette::BrightText, 0xff6b6b, 0xff6b6b},  {QPalette::Light, 0x4a4e55, 0x4a4e55},
    {QPalette::Midlight, 0x40444a, 0x40444a},    {QPalette::Mid, 0x5a5f67, 0x4a4e55},
    {QPalette::Dark, 0x18191b, 0x18191b},        {QPalette::Shadow, 0x0c0c0d, 0x0c0c0d},
    {QPalette::Highlight, 0x3d7fd9, 0x4a4e55},   {QPalette::HighlightedText, 0xffffff, 0xb0b4ba},
    {QPalette::Link, 0x7ab0ff, 0x7d828a},        {QPalette::LinkVisited, 0xb99cff, 0x7d828a},
    {QPalette::ToolTipBase, 0x3a3d43, 0x3a3d43}, {QPalette::ToolTipText, 0xe6e8eb, 0xe6e8eb},
};

}  // namespace

std::optional<QPalette> schemePalette(QStringView name)
{
    if (name == u"light")
        return QApplication::style()->standardPalette();
    if (name != u"dark")
        return std::nullopt;
    QPalette palette;
    for (const RoleColour& entry : kDark) {
        palette.setColor(QPalette::Active, entry.role, QColor(entry.active));
        palette.setColor(QPalette::Inactive, entry.role, QColor(entry.active));
        palette.setColor(QPalette::Disabled, entry.role, QColor(entry.disabled));
    }
    return palette;
}

}  // namespace brimwell
