#include "gui/list_column.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QTreeWidget>

namespace brimwell {

ListColumnFit::ListColumnFit(QTreeWidget& list, int baseWidth)
    : QObject(&list), m_list(list), m_baseWidth(baseWidth)
{
    m_list.viewport()->installEventFilter(this);
    connect(m_list.header(), &QHeaderView::sectionResized, this, [this] {
        if (!m_fitting)
            m_userWidth = true;
    });
    fit();
}

int ListColumnFit::fittedWidth(int viewportWidth) const
{
    return std::max(m_baseWidth, viewportWidth);
}

bool ListColumnFit::eventFilter(QObject* /*watched*/, QEvent* event)
{
    if (event->type() == QEvent::Resize && !m_userWidth)
        fit();
    return false;
}

void ListColumnFit::fit()
{
    m_fitting = true;
    m_list.header()->resizeSection(0, fittedWidth(m_list.viewport()->width()));
    m_fitting = false;
}

}  // namespace brimwell
