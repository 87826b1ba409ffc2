// The JIP pictures: their arithmetic without a widget, then the charts drawn offscreen
// and saved as PNG and SVG.
#include "charts/chartmodel.h"
#include "charts/jipgeometry.h"
#include "charts/linecolour.h"
#include "charts/radarchart.h"
#include "charts/vtchart.h"
#include "data/datafile.h"
#include "data/recordindex.h"
#include "data/tickcolour.h"
#include "sim/synthetic.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtCharts/QValueAxis>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <memory>

using namespace corvane;

namespace {

struct Demo
{
    MeasurementBuffer buffer;
    RecordIndex index{};
    JipComparison cmp;
    explicit Demo(int control)
    {
        const QByteArray file = demoData().file();
        loadDataFile(QByteArrayView(file), buffer);
        const ListBuild b = buildRecordIndex(buffer, kCurrentVersion, index);
        std::vector<int> lines;
        uint32_t state = kTickColourSeed;
        for (int i = 0; i < b.listed; ++i) {
            lines.push_back(i);
            index[size_t(i)].colour = nextTickColour(state);
        }
        cmp.build(buffer, index, lines);
        cmp.setControl(control);
    }
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Element names and how often each occurs; the stroke colours used. Empty names on a parse error.
struct SvgSummary
{
    bool wellFormed = false;
    std::map<QString, int> elements;
    std::set<QString> strokes;
    int count(const char *name) const
    {
        const auto it = elements.find(QLatin1String(name));
        return it == elements.end() ? 0 : it->second;
    }
    // Drawn outlines, however the generator spells them.
    int shapes() const { return count("path") + count("polyline") + count("polygon"); }
};

SvgSummary parseSvg(const QByteArray &bytes)
{
    SvgSummary s;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        ++s.elements[xml.name().toString()];
        for (const QXmlStreamAttribute &a : xml.attributes())
            if (a.name() == QLatin1String("stroke"))
                s.strokes.insert(a.value().toString().toLower());
    }
    s.wellFormed = !xml.hasError() && s.elements.count(QStringLiteral("svg")) == 1;
    return s;
}

QString svgColour(uint32_t colour)
{
    return toQColor(colour).name(QColor::HexRgb).toLower();
}

} // namespace

TEST(JipGeometry, VtAxesHoldEveryValueOnTheCurveAxis)
{
    struct Case { const char *what; VtView view; std::vector<double> values; double lo, hi; } cases[] = {
        {"Vt inside 0..1 keeps 0..1", VtView::Vt, {0.1, 0.9}, 0.0, 1.0},
        {"Vt overshoot", VtView::Vt, {-0.2, 1.3}, -0.2, 1.3},
        {"ΔVt is symmetric", VtView::DeltaVt, {-0.03, 0.2}, -0.2, 0.2},
        {"flat ΔVt keeps a visible range", VtView::DeltaVt, {0.0, 0.0}, -0.05, 0.05},
    };
    for (const Case &c : cases) {
        const std::vector<VtCurve> curves = {VtCurve{c.values}, VtCurve{}};
        const AxisSetup a = vtAxes(curves, c.view);
        EXPECT_EQ(a.scale, AxisScale::Logarithmic) << c.what;
        EXPECT_EQ(a.xMin, 10) << c.what;
        EXPECT_EQ(a.xMax, 10000000) << c.what;
        EXPECT_LT(a.yMin, c.lo) << c.what;
        EXPECT_GT(a.yMax, c.hi) << c.what;
        EXPECT_LT(a.yMax - a.yMin, 1.2 * (c.hi - c.lo)) << c.what << ": padded, not doubled";
        if (c.view == VtView::DeltaVt) {
            EXPECT_DOUBLE_EQ(a.yMin, -a.yMax) << c.what;
        }
    }
    AxisSetup narrow;
    narrow.yMin = -0.06;
    narrow.yMax = 0.06;
    EXPECT_EQ(vtLabelFormat(narrow), QStringLiteral("%.2f"));
    narrow.yMin = -0.05;
    narrow.yMax = 1.05;
    EXPECT_EQ(vtLabelFormat(narrow), QStringLiteral("%.1f"));
}

TEST(JipGeometry, RadarScaleAndVertices)
{
    struct Case { const char *what; double top; double outer; } cases[] = {
        {"everything near the control", 1.1, 1.5},
        {"just above 1.5", 1.6, 2.0},
        {"up to 3", 2.3, 3.0},
        {"far above: capped", 40.0, kRadarMaxOuter},
    };
    for (const Case &c : cases) {
        RadarValues v;
        v[0] = c.top;
        v[1] = 0.5;
        const std::vector<RadarValues> values = {v};
        EXPECT_DOUBLE_EQ(radarOuter(values), c.outer) << c.what;
    }
    RadarValues big;
    big[3] = 9.0;
    RadarValues small;
    small[3] = 1.2;
    const std::vector<RadarValues> both = {big, small};
    EXPECT_DOUBLE_EQ(radarOuter(both, 0), 1.5) << "the skipped control does not set the scale";

    const QPointF c(100, 100);
    struct Vertex { const char *what; int axis; double value; QPointF expected; } vertices[] = {
        {"first axis points up", 0, 2.0, {100, 50}},
        {"half way", 0, 1.0, {100, 75}},
        {"negative ratio at the centre", 0, -3.0, {100, 100}},
        {"beyond the rim on the rim", 0, 7.0, {100, 50}},
    };
    for (const Vertex &v : vertices) {
        const QPointF p = radarPoint(v.axis, 11, v.value, 2.0, c, 50);
        EXPECT_NEAR(p.x(), v.expected.x(), 1e-9) << v.what;
        EXPECT_NEAR(p.y(), v.expected.y(), 1e-9) << v.what;
    }
    // A quarter of the way round with four axes: to the right.
    const QPointF right = radarPoint(1, 4, 2.0, 2.0, c, 50);
    EXPECT_NEAR(right.x(), 150, 1e-9);
    EXPECT_NEAR(right.y(), 100, 1e-9);
    EXPECT_EQ(radarAxisNames().size(), kRadarParams.size());
}

TEST(JipGeometry, StepMarksFollowTheControlsPeak)
{
    const Demo d(2);
    const VtMarks m = vtMarks(d.cmp, VtView::Vt);
    ASSERT_EQ(m.lines.size(), 5u);
    EXPECT_EQ(m.lines[4].letter, 'P');
    EXPECT_DOUBLE_EQ(m.lines[4].timeUs, *d.cmp.lines()[2].set[JipParam::tFm] * 1000.0);
    // One ring per curve, on that curve at its own tFm.
    ASSERT_EQ(m.peaks.size(), d.cmp.lines().size());
    for (size_t i = 0; i < m.peaks.size(); ++i) {
        EXPECT_DOUBLE_EQ(m.peaks[i].timeUs, *d.cmp.lines()[i].set[JipParam::tFm] * 1000.0);
        EXPECT_EQ(m.peaks[i].colour, d.cmp.lines()[i].colour);
    }
    const VtMarks delta = vtMarks(d.cmp, VtView::DeltaVt);
    ASSERT_FALSE(delta.peaks.empty());
    EXPECT_DOUBLE_EQ(delta.peaks[2].y, 0.0) << "the control's own ΔVt is 0";
}

TEST(JipPictures, VtChartShowsEveryCurveInItsColourAndSavesBothTypes)
{
    const Demo d(0);
    VtChart chart;
    chart.resize(728, 433);
    chart.showCurves(d.cmp, VtView::DeltaVt, QStringLiteral("ΔVt"));
    const ChartModel &m = chart.model();
    for (size_t i = 0; i < d.cmp.lines().size(); ++i) {
        const ChartSeries &s = m.CurvePool[i];
        ASSERT_EQ(s.points.size(), d.cmp.deltaVt()[i].values.size()) << i;
        ASSERT_FALSE(s.points.empty());
        EXPECT_EQ(s.points.front().colour, d.cmp.lines()[i].colour);
        EXPECT_DOUBLE_EQ(s.points[46].x, 2000.0) << "sample 46 at 2 ms";
        EXPECT_DOUBLE_EQ(s.points[46].y, d.cmp.deltaVt()[i].values[46]);
    }
    EXPECT_TRUE(m.CurvePool[d.cmp.lines().size()].points.empty());
    EXPECT_EQ(chart.leftAxis()->labelFormat(), vtLabelFormat(m.Axes));

    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("vt.png")), svg = dir.filePath(QStringLiteral("vt.svg"));
    // SVG first: a chart never shown nor grabbed must still be laid out at its size.
    ASSERT_EQ(chart.save(svg), QString());
    ASSERT_EQ(chart.save(png), QString());
    EXPECT_TRUE(readAll(png).startsWith("\x89PNG\r\n\x1a\n"));
    const SvgSummary s = parseSvg(readAll(svg));
    ASSERT_TRUE(s.wellFormed);
    EXPECT_GT(s.shapes(), int(d.cmp.lines().size()));
    for (const JipLine &l : d.cmp.lines())
        EXPECT_TRUE(s.strokes.count(svgColour(l.colour))) << "a curve in " << svgColour(l.colour).toStdString();
}

TEST(JipPictures, RadarDrawsOnePolygonPerLineButTheControl)
{
    const Demo d(1);
    const RadarPicture pic = radarPicture(d.cmp, QStringLiteral("相对于对照"));
    ASSERT_TRUE(pic.hasControl);
    EXPECT_EQ(pic.controlColour, d.cmp.lines()[1].colour);
    ASSERT_EQ(pic.polygons.size(), d.cmp.lines().size() - 1);
    EXPECT_EQ(pic.polygons[0].colour, d.cmp.lines()[0].colour);
    EXPECT_EQ(pic.polygons[1].colour, d.cmp.lines()[2].colour);

    RadarChart radar;
    radar.resize(600, 500);
    radar.setPicture(pic);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("r.PNG")), svg = dir.filePath(QStringLiteral("r.svg"));
    ASSERT_EQ(radar.save(png), QString());
    ASSERT_EQ(radar.save(svg), QString());
    const QByteArray pngBytes = readAll(png);
    EXPECT_TRUE(pngBytes.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(QImage::fromData(pngBytes).size(), QSize(600, 500));
    const SvgSummary s = parseSvg(readAll(svg));
    ASSERT_TRUE(s.wellFormed);
    EXPECT_GT(s.shapes(), int(pic.polygons.size()));
    for (const RadarPolygon &p : pic.polygons)
        EXPECT_TRUE(s.strokes.count(svgColour(p.colour))) << svgColour(p.colour).toStdString();
    EXPECT_TRUE(s.strokes.count(svgColour(pic.controlColour))) << "the unit circle in the control's colour";

    // Without a control only the frame: no line colour anywhere.
    const Demo none(-1);
    radar.setPicture(radarPicture(none.cmp, QString()));
    ASSERT_EQ(radar.save(svg), QString());
    const SvgSummary empty = parseSvg(readAll(svg));
    for (const JipLine &l : none.cmp.lines())
        EXPECT_FALSE(empty.strokes.count(svgColour(l.colour)));
}

TEST(JipPictures, RadarAxisNamesStayInsideThePicture)
{
    // The left and right edge columns hold only the background: a label that ran past
    // the edge would leave its text there ("RC/CSo" is wider than "PItotal").
    const Demo d(1);
    const RadarPicture pic = radarPicture(d.cmp, QString());
    for (const QSize size : {QSize(300, 300), QSize(370, 390), QSize(600, 500)}) {
        QImage image(size, QImage::Format_RGB32);
        QPainter painter(&image);
        paintRadar(painter, QRectF(QPointF(0, 0), QSizeF(size)), pic);
        painter.end();
        const QRgb ground = toQColor(kChartBackground).rgb();
        for (const int x : {0, 1, size.width() - 2, size.width() - 1})
            for (int y = 0; y < size.height(); ++y)
                ASSERT_EQ(image.pixel(x, y), ground) << size.width() << "x" << size.height() << " at " << x << "," << y;
    }
}

TEST(JipPictures, SaveFailuresSayWhy)
{
    const Demo d(0);
    RadarChart radar;
    radar.resize(300, 300);
    radar.setPicture(radarPicture(d.cmp, QString()));
    QTemporaryDir dir;
    struct Case { const char *what; QString path; const char *part; } cases[] = {
        {"unknown type", dir.filePath(QStringLiteral("r.jpg")), ".png or .svg"},
        {"missing folder", dir.filePath(QStringLiteral("no/r.svg")), "r.svg"},
    };
    for (const Case &c : cases) {
        const QString e = radar.save(c.path);
        EXPECT_TRUE(e.contains(QLatin1String(c.part))) << c.what << ": " << e.toStdString();
        EXPECT_FALSE(QFile::exists(c.path)) << c.what;
    }
    // An existing picture survives a failed write: it is replaced only whole.
    const QString kept = dir.filePath(QStringLiteral("kept.png"));
    ASSERT_EQ(radar.save(kept), QString());
    const QByteArray before = readAll(kept);
    EXPECT_FALSE(radar.save(dir.filePath(QStringLiteral("kept.gif"))).isEmpty());
    EXPECT_EQ(readAll(kept), before);
}
