#include "ui/anchorlayout.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace corvane {

namespace {
// One axis: start and length of the control along it.
std::pair<int, int> anchoredSpan(int start, int length, int designParent, int parent, bool nearAnchor, bool farAnchor)
{
    const int farDistance = designParent - (start + length);
    if (nearAnchor && farAnchor)
        return {start, std::max(0, parent - start - farDistance)};
    if (farAnchor)
        return {parent - farDistance - length, length};
    return {start, length};
}
} // namespace

QRect anchoredGeometry(const QRect &design, const QSize &designParent, const QSize &parent, Qt::Edges anchors)
{
    const auto [x, w] = anchoredSpan(design.x(), design.width(), designParent.width(), parent.width(),
                                     anchors.testFlag(Qt::LeftEdge), anchors.testFlag(Qt::RightEdge));
    const auto [y, h] = anchoredSpan(design.y(), design.height(), designParent.height(), parent.height(),
                                     anchors.testFlag(Qt::TopEdge), anchors.testFlag(Qt::BottomEdge));
    return QRect(x, y, w, h);
}

AnchorLayout::AnchorLayout(QWidget *parent, QSize designSize)
    : QObject(parent)
    , m_parent(parent)
    , m_designSize(designSize)
{
    parent->installEventFilter(this);
}

void AnchorLayout::add(QWidget *control, Qt::Edges anchors)
{
    m_entries.push_back({control, control->geometry(), anchors});
}

void AnchorLayout::apply()
{
    const QSize size = m_parent->size();
    for (const Entry &e : m_entries)
        e.control->setGeometry(anchoredGeometry(e.design, m_designSize, size, e.anchors));
}

bool AnchorLayout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_parent && event->type() == QEvent::Resize)
        apply();
    return false;
}

} // namespace corvane
