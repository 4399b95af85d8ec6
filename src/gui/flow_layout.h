#pragma once

#include <QLayout>
#include <QList>

namespace brimwell {

/// Lays its items out left to right and starts a new row where the next item would not
/// fit, so that a row of buttons stays whole on a narrow window instead of widening it.
/// Items keep their preferred size; trailing items may be pushed to the right end of
/// their row (see setRightAlignedFrom), like a stretch before them in a box layout.
class FlowLayout : public QLayout {
public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;

    /// The items from `index` on sit at the right end of their row when there is room.
    void setRightAlignedFrom(int index) { m_rightAlignedFrom = index; }

    void addItem(QLayoutItem* item) override;
    int count() const override { return int(m_items.size()); }
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    /// Places the items in `rect` (or only measures when `apply` is false) and returns
    /// the height used.
    int arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> m_items;
    int m_rightAlignedFrom = -1;
};

}  // namespace brimwell
