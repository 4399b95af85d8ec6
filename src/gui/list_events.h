#pragma once

#include <QObject>

class QTreeWidget;

namespace brimwell {

class FileListController;

/// Hands the file list's keyboard, mouse and drop events to the file list's handlers:
/// Delete and double-click remove, press-move-release reorders, dropped files and folders
/// are added (a drop of anything but local files is refused).
class ListEvents : public QObject {
    Q_OBJECT
public:
    ListEvents(QTreeWidget& list, FileListController& fileList);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// The 1-based index of the item at `position` (viewport coordinates), 0 for none.
    int hitTest(const QPoint& position) const;
    void handleMouse(QEvent* event);
    bool handleDrop(QEvent* event);

    QTreeWidget& m_list;
    FileListController& m_fileList;
};

}  // namespace brimwell
