#pragma once
// Draws the measurement list: each line in its record's colour, the tick box beside
// it, a light selection fill with a frame behind the text of the selected line, lines
// 14 px high. Also shows the list's own hint text wherever the mouse rests on it.
#include "data/recordindex.h"

#include <QColor>
#include <QPalette>
#include <QStyledItemDelegate>

namespace corvane {

inline constexpr int kListLineHeight = 14;

// The contrast ratio of two colours by their relative luminance (sRGB), from 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);

// The colour a line's text is drawn in on `background`: its own colour where that
// reads (a contrast of at least 4.5), else the same hue darkened only as far as it
// takes. The curves keep the line's own colour.
QColor legibleTextColour(const QColor &colour, const QColor &background);

// Behind the selected line: the highlight colour thinned on the list's background, so
// that coloured text stays readable on it; the frame is drawn in the highlight itself.
QColor selectionFill(const QPalette &palette, QPalette::ColorGroup group);

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
