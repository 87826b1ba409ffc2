#pragma once
// Draws the measurement list: each line in its record's colour, the tick box beside
// it, the selection colour behind the text of the selected line, lines 14 px high.
// Also shows the list's own hint text wherever the mouse rests on it.
#include "data/recordindex.h"

#include <QStyledItemDelegate>

namespace corvane {

inline constexpr int kListLineHeight = 14;

class RecordListDelegate : public QStyledItemDelegate
{
public:
    RecordListDelegate(const RecordIndex &index, QObject *parent) : QStyledItemDelegate(parent), m_index(index) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    const RecordIndex &m_index;
};

} // namespace corvane
