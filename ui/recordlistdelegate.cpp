#include "ui/recordlistdelegate.h"

#include "ui/hinttiming.h"
#include "charts/linecolour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace corvane {

void RecordListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();

    // The same rectangles the base delegate uses for hit-testing, so a click on the
    // drawn tick box is the click that toggles it.
    const QRect checkRect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    QRect textRect = opt.rect;
    textRect.setLeft(checkRect.right() + 3);

    painter->save();
    const QPalette::ColorGroup group = (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    painter->fillRect(textRect, (opt.state & QStyle::State_Selected) ? opt.palette.brush(group, QPalette::Highlight)
                                                                      : opt.palette.brush(group, QPalette::Base));

    QStyleOptionViewItem check(opt);
    // A little smaller than the line, so that neighbouring tick boxes do not touch.
    const int side = std::min({checkRect.width(), checkRect.height(), kListLineHeight - 2});
    check.rect = QRect(0, 0, side, side);
    check.rect.moveCenter(checkRect.center());
    check.state &= ~QStyle::State_HasFocus;
    check.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);

    const int row = index.row();
    const uint32_t colour = row >= 0 && row < kMaxListed ? m_index[size_t(row)].colour : 0;
    painter->setFont(opt.font);
    painter->setPen(toQColor(colour));
    painter->drawText(textRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                      opt.text);

    if (opt.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = textRect;
        focus.backgroundColor = opt.palette.color(group, (opt.state & QStyle::State_Selected) ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize RecordListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), kListLineHeight);
}

bool RecordListDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &,
                                   const QModelIndex &)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    // One hint for the whole list, describing the line clicked last.
    const QString hint = view->toolTip();
    if (hint.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), hint, view, QRect(), hintTiming().hidePauseMs);
    return true;
}

} // namespace corvane
