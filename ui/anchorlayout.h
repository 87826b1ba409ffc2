#pragma once
// Keeps controls at fixed distances from the edges of their parent they are anchored
// to, as designed: a control anchored left and right stretches, one anchored right
// only moves along, one anchored to neither side keeps its place.
#include <QObject>
#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace corvane {

// The place of a control designed at `design` in a parent of `designParent`, once
// the parent measures `parent`. Width and height never go below zero.
QRect anchoredGeometry(const QRect &design, const QSize &designParent, const QSize &parent, Qt::Edges anchors);

class AnchorLayout : public QObject
{
public:
    // Watches `parent` for resizes; distances are taken against its designed size,
    // not its current one, because tab pages have no size until first shown.
    AnchorLayout(QWidget *parent, QSize designSize);

    // Records the control's current place as its designed place.
    void add(QWidget *control, Qt::Edges anchors);
    void apply();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        QWidget *control;
        QRect design;
        Qt::Edges anchors;
    };
    QWidget *m_parent;
    QSize m_designSize;
    std::vector<Entry> m_entries;
};

inline constexpr Qt::Edges kAllAnchors = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge;

} // namespace corvane
