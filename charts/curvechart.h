#pragma once
// The viewer's one chart. Qt Charts provides the frame, the axes, their labels and the
// title; the series are ours (ChartModel) and CurveLayer paints them over the plot area.
#include "charts/chartmodel.h"

#include <QImage>
#include <QtCharts/QChartView>

class QLogValueAxis;
class QValueAxis;

namespace corvane {

class CurveLayer;

class CurveChart : public QChartView
{
    Q_OBJECT

public:
    explicit CurveChart(QWidget *parent = nullptr);
    ~CurveChart() override;

    ChartModel &model() { return m_model; }
    const ChartModel &model() const { return m_model; }

    // Brings the display up to the model: axes, title and curves.
    void refresh();
    // refresh() and, when on screen, paint at once instead of at the next event.
    void repaintNow();
    // The chart as it shows at its current size.
    QImage renderImage();

    // The left/bottom axis as Qt Charts shows them (for tests and diagnostics).
    QAbstractAxis *bottomAxis() const;
    QValueAxis *leftAxis() const { return m_yAxis; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void applyAxes();
    void applyMargins();

    ChartModel m_model;
    QLogValueAxis *m_logAxis = nullptr;
    QValueAxis *m_linearAxis = nullptr;
    QValueAxis *m_yAxis = nullptr;
    CurveLayer *m_layer = nullptr;
    AxisSetup m_shownAxes;
    bool m_axesShown = false;
};

} // namespace corvane
