#pragma once

#include <vector>

#include <QObject>

class QWidget;

namespace brimwell {

class FileListController;

/// The pointer rules over the window: entering a push button asks for the hand, entering
/// the window's surface, a frame or one of the additional-option boxes asks for the
/// default pointer (the handlers leave the hourglass of a run alone).
class HoverPointer : public QObject {
    Q_OBJECT
public:
    HoverPointer(QObject* parent, FileListController& fileList,
                 const std::vector<QWidget*>& buttons, const std::vector<QWidget*>& surfaces);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FileListController& m_fileList;
    std::vector<QWidget*> m_buttons;
};

}  // namespace brimwell
