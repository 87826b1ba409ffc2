#pragma once
// The radar plot of the JIP page: the main JIP-test parameters of every ticked line
// relative to the control, the control as the unit circle, one polygon per line in its
// colour. Painted by us, so screen, PNG and SVG are the same drawing.
#include "charts/jipgeometry.h"

#include <QImage>
#include <QWidget>

#include <vector>

class QPainter;

namespace corvane {

struct RadarPolygon
{
    uint32_t colour = 0;
    RadarValues values;  // absent values leave a gap in the outline
};

struct RadarPicture
{
    QString title;
    uint32_t controlColour = 0;
    bool hasControl = false;
    double outer = 1.5;
    std::vector<RadarPolygon> polygons;  // the control's own is left out: it is the unit circle
};

// The picture of a comparison; without a control it holds only the empty frame.
RadarPicture radarPicture(const JipComparison &cmp, const QString &title);

// Draws the picture into `area`.
void paintRadar(QPainter &p, const QRectF &area, const RadarPicture &picture);

class RadarChart : public QWidget
{
    Q_OBJECT

public:
    explicit RadarChart(QWidget *parent = nullptr);

    void setPicture(RadarPicture picture);
    const RadarPicture &picture() const { return m_picture; }
    QImage renderImage() const;
    // PNG or SVG by the extension; empty on success, else the reason.
    QString save(const QString &path) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RadarPicture m_picture;
};

} // namespace corvane
