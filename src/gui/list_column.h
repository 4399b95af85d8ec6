#pragma once

#include <QObject>

class QTreeWidget;

namespace brimwell {

/// Keeps the file list's one column at least `baseWidth` pixels wide and as wide as the
/// list's visible area when that is wider, so the column never ends short of the list's
/// edge. Once the user drags the column's edge, the width is the user's.
class ListColumnFit : public QObject {
    Q_OBJECT
public:
    ListColumnFit(QTreeWidget& list, int baseWidth);

    /// The width the column gets for a visible area `viewportWidth` pixels wide.
    int fittedWidth(int viewportWidth) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();

    QTreeWidget& m_list;
    int m_baseWidth;
    bool m_fitting = false;
    bool m_userWidth = false;
};

}  // namespace brimwell
