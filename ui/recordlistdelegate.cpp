#include "ui/recordlistdelegate.h"

#include "ui/hinttiming.h"
#include "charts/linecolour.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr double kLegibleContrast = 4.5;
constexpr int kTextGap = 1;  // from the tick box's rectangle to the line's

double channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Rounded down, so the text is never lighter than the factor found for it.
QColor scaled(const QColor &c, double f)
{
    return QColor(int(c.red() * f), int(c.green() * f), int(c.blue() * f));
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor legibleTextColour(const QColor &colour, const QColor &background)
{
    if (contrastRatio(colour, background) >= kLegibleContrast)
        return colour;
    // Scaling the channels keeps hue and saturation; the text's luminance falls with
    // the factor, so the largest factor that still reads is found by bisection.
    const double ground = luminance(background);
    const auto reads = [&](double f) {
        const QColor c = scaled(colour, f);
        return luminance(c) <= ground && contrastRatio(c, background) >= kLegibleContrast;
    };
    double readable = 0;
    double unreadable = 1;
    for (int i = 0; i < 16; ++i) {
        const double mid = (readable + unreadable) / 2;
        if (reads(mid))
            readable = mid;
        else
            unreadable = mid;
    }
    return scaled(colour, readable);
}

QColor selectionFill(const QPalette &palette, QPalette::ColorGroup group)
{
    const QColor h = palette.color(group, QPalette::Highlight);
    const QColor b = palette.color(group, QPalette::Base);
    const auto mix = [](int hi, int base) { return (hi + 4 * base) / 5; };
    return QColor(mix(h.red(), b.red()), mix(h.green(), b.green()), mix(h.blue(), b.blue()));
}

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
    // The drawn box is smaller than its rectangle, so a small gap is enough: with the
    // list's scroll bar shown, a 12-character line still fits the designed width.
    textRect.setLeft(checkRect.right() + kTextGap);

    painter->save();
    const QPalette::ColorGroup group = (opt.state & QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
    const bool selected = opt.state & QStyle::State_Selected;
    // The dark highlight would swallow coloured text: a light fill and a frame instead.
    const QColor background = selected ? selectionFill(opt.palette, group) : opt.palette.color(group, QPalette::Base);
    painter->fillRect(textRect, background);
    if (selected) {
        painter->setPen(opt.palette.color(group, QPalette::Highlight));
        painter->drawRect(textRect.adjusted(0, 0, -1, -1));
    }

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
    painter->setPen(legibleTextColour(toQColor(colour), background));
    painter->drawText(textRect.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                      opt.text);

    // The selected line's frame already marks it.
    if ((opt.state & QStyle::State_HasFocus) && !selected) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(opt);
        focus.rect = textRect;
        focus.backgroundColor = background;
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->restore();
}

QSize RecordListDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // As wide as paint() draws: the tick box, the gap, the text. The base delegate's
    // wider margins would give a 13-character line a horizontal scroll bar it does not need.
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect checkRect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, widget);
    const int textLeft = checkRect.right() + kTextGap + 1 - opt.rect.left();
    return QSize(textLeft + opt.fontMetrics.horizontalAdvance(opt.text) + 1, kListLineHeight);
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
