#include "charts/curvechart.h"

#include "charts/axisrange.h"
#include "charts/curvelayer.h"
#include "charts/plotmapping.h"

#include <QCoreApplication>
#include <QGraphicsLayout>
#include <QLocale>
#include <QResizeEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>

namespace corvane {

CurveChart::CurveChart(QWidget *parent)
    : QChartView(parent)
{
    QChart *c = chart();
    c->legend()->hide();
    c->setBackgroundBrush(toQColor(kChartBackground));
    c->setBackgroundRoundness(0);
    c->setDropShadowEnabled(false);
    c->layout()->setContentsMargins(0, 0, 0, 0);
    // Axis labels group thousands with ',' and use '.' whatever the desktop's locale.
    c->setLocalizeNumbers(true);
    c->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    setBackgroundBrush(toQColor(kChartBackground));
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setInteractive(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_logAxis = new QLogValueAxis;
    m_logAxis->setBase(10);
    m_logAxis->setLabelFormat(QStringLiteral("%.0fus"));
    m_logAxis->setMinorTickCount(8);
    m_linearAxis = new QValueAxis;
    m_linearAxis->setLabelFormat(QStringLiteral("%.10gs"));
    m_linearAxis->setTickType(QValueAxis::TicksDynamic);
    m_linearAxis->setTickAnchor(0);
    m_yAxis = new QValueAxis;
    m_yAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_yAxis->setTickType(QValueAxis::TicksDynamic);
    m_yAxis->setTickAnchor(0);
    c->addAxis(m_logAxis, Qt::AlignBottom);
    c->addAxis(m_linearAxis, Qt::AlignBottom);
    c->addAxis(m_yAxis, Qt::AlignLeft);

    m_layer = new CurveLayer(m_model, c);
    m_layer->setZValue(100);
    connect(c, &QChart::plotAreaChanged, this, [this](const QRectF &plot) { m_layer->setPlotArea(plot); });
    m_model.setRepaintHook([this] { repaintNow(); });
    applyMargins();
    refresh();
}

CurveChart::~CurveChart()
{
    m_model.setRepaintHook({});
}

QAbstractAxis *CurveChart::bottomAxis() const
{
    if (m_model.Axes.scale == AxisScale::Linear)
        return m_linearAxis;
    return m_logAxis;
}

void CurveChart::applyAxes()
{
    const AxisSetup &a = m_model.Axes;
    if (m_axesShown && a == m_shownAxes)
        return;
    const bool log = a.scale == AxisScale::Logarithmic;
    m_logAxis->setVisible(log);
    m_linearAxis->setVisible(!log);
    if (log)
        m_logAxis->setRange(a.xMin, a.xMax);
    else {
        m_linearAxis->setRange(a.xMin, a.xMax);
        m_linearAxis->setTickInterval(niceTickInterval(a.xMax - a.xMin));
    }
    m_yAxis->setRange(a.yMin, a.yMax);
    m_yAxis->setTickInterval(niceTickInterval(a.yMax - a.yMin));
    m_shownAxes = a;
    m_axesShown = true;
}

void CurveChart::applyMargins()
{
    // Designed as fractions of the chart: left 1 %, top 4 %, right 5 %, bottom 2 %.
    const int w = width(), h = height();
    chart()->setMargins(QMargins(w / 100, h * 4 / 100, w * 5 / 100, h * 2 / 100));
}

void CurveChart::refresh()
{
    applyAxes();
    // An empty title still keeps its line, as designed.
    const QString title = m_model.Title.isEmpty() ? QStringLiteral(" ") : m_model.Title;
    if (chart()->title() != title)
        chart()->setTitle(title);
    m_layer->setPlotArea(chart()->plotArea());
    m_layer->update();
}

void CurveChart::repaintNow()
{
    refresh();
    if (isVisible())
        viewport()->repaint();
}

QImage CurveChart::renderImage()
{
    refresh();
    // Let a pending layout settle first, so the picture matches the screen.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    chart()->layout()->activate();
    m_layer->setPlotArea(chart()->plotArea());
    return grab().toImage();
}

void CurveChart::resizeEvent(QResizeEvent *event)
{
    QChartView::resizeEvent(event);
    applyMargins();
}

} // namespace corvane
