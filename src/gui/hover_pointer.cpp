#include "gui/hover_pointer.h"

#include <algorithm>

#include <QEvent>
#include <QWidget>

#include "filelist/file_list.h"

namespace brimwell {

HoverPointer::HoverPointer(QObject* parent, FileListController& fileList,
                           const std::vector<QWidget*>& buttons,
                           const std::vector<QWidget*>& surfaces)
    : QObject(parent), m_fileList(fileList), m_buttons(buttons)
{
    for (QWidget* widget : buttons)
        widget->installEventFilter(this);
    for (QWidget* widget : surfaces)
        widget->installEventFilter(this);
}

bool HoverPointer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Enter)
        return false;
    if (std::find(m_buttons.begin(), m_buttons.end(), watched) != m_buttons.end())
        m_fileList.hoverButton();
    else
        m_fileList.hoverBackground();
    return false;
}

}  // namespace brimwell
