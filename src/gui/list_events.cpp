#include "gui/list_events.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QUrl>

#include "filelist/file_list.h"

namespace brimwell {

namespace {

constexpr int kDeleteKeyCode = 46;

/// The local files and folders the dragged data names; none when it names anything else.
std::vector<std::string> localPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        paths.push_back(url.toLocalFile().toStdString());
    }
    return paths;
}

}  // namespace

ListEvents::ListEvents(QTreeWidget& list, FileListController& fileList)
    : QObject(&list), m_list(list), m_fileList(fileList)
{
    m_list.installEventFilter(this);
    m_list.viewport()->installEventFilter(this);
    m_list.viewport()->setMouseTracking(true);
    connect(&m_list, &QTreeWidget::itemPressed, this, [this] { m_fileList.itemClick(); });
}

int ListEvents::hitTest(const QPoint& position) const
{
    QTreeWidgetItem* item = m_list.itemAt(position);
    return item == nullptr ? 0 : m_list.indexOfTopLevelItem(item) + 1;
}

bool ListEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_list) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete)
            m_fileList.listKeyDown(kDeleteKeyCode);
        return false;
    }
    handleMouse(event);
    return handleDrop(event);
}

void ListEvents::handleMouse(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        m_fileList.mouseDown();
        break;
    case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        m_fileList.mouseMove(hitTest(move->position().toPoint()),
                             qRound(move->globalPosition().y()));
        break;
    }
    case QEvent::MouseButtonRelease:
        m_fileList.mouseUp();
        break;
    case QEvent::MouseButtonDblClick:
        m_fileList.listDoubleClick();
        break;
    default:
        break;
    }
}

bool ListEvents::handleDrop(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localPaths(drag->mimeData()).empty())
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const std::vector<std::string> paths = localPaths(drop->mimeData());
        if (paths.empty()) {
            drop->ignore();
        } else {
            drop->acceptProposedAction();
            m_fileList.dropPaths(paths);
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace brimwell
