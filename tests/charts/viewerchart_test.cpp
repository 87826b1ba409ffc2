// The curve tab driven through the viewer window, offscreen.
#include "chartfixtures.h"
#include "charts/axisrange.h"
#include "charts/chartmodel.h"
#include "charts/curvechart.h"
#include "sim/synthetic.h"
#include "support/viewerwindow.h"
#include "ui_Unit2.h"

#include <QFile>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

HeaderFields named(const char *name, uint16_t kind, uint16_t ojipSeconds, uint16_t total, uint16_t fm)
{
    HeaderFields h;
    h.Name = name;
    h.Kind = kind;
    h.OjipSeconds = ojipSeconds;
    h.Total = total;
    h.Fm = fm;
    return h;
}

} // namespace

TEST(ViewerChart, ChartSetUpAsDesigned)
{
    ViewerWindow<> v;
    v.enter();
    CurveChart &c = v.form().chart1();
    EXPECT_EQ(c.objectName(), QStringLiteral("Chart1"));
    EXPECT_EQ(c.parentWidget(), v.ui()->Chart1Host);
    EXPECT_EQ(v.chart().poolSize(), 61) << "made when the viewer shows";
    EXPECT_FALSE(c.chart()->legend()->isVisible());
    EXPECT_EQ(c.chart()->backgroundBrush().color(), QColor(187, 188, 198));
    EXPECT_EQ(c.rubberBand(), QChartView::NoRubberBand);
    EXPECT_EQ(v.chart().Axes.scale, AxisScale::Logarithmic);
    EXPECT_EQ(v.chart().Axes.xMin, 10);
    EXPECT_EQ(v.chart().Axes.xMax, 10000000);
    EXPECT_EQ(v.chart().Axes.yMax, 2000);
}

TEST(ViewerChart, AxisLabelsGroupThousandsAndCarryTheirUnit)
{
    // A label format Qt Charts does not accept gives empty labels without a warning.
    auto labels = [](CurveChart &c) {
        c.renderImage();
        QStringList texts;
        for (QGraphicsItem *item : c.scene()->items())
            if (auto *t = dynamic_cast<QGraphicsTextItem *>(item); t && t->isVisible() && !t->toPlainText().isEmpty())
                texts << t->toPlainText();
        return texts;
    };
    CurveChart c;
    c.resize(728, 433);
    c.show();
    c.model().Axes = axisSetup(AxisMode::Ojip, 1500);
    c.refresh();
    const QStringList log = labels(c);
    for (const char *text : {"10us", "1,000us", "1,000,000us", "10,000,000us", "1,600"})
        EXPECT_TRUE(log.contains(QString::fromLatin1(text))) << text << " in " << log.join(' ').toStdString();

    c.model().Axes = axisSetup(AxisMode::TimeCourse, 500);
    c.model().Axes.xMax = 120;
    c.refresh();
    const QStringList linear = labels(c);
    for (const char *text : {"0s", "20s", "120s", "600"})
        EXPECT_TRUE(linear.contains(QString::fromLatin1(text))) << text << " in " << linear.join(' ').toStdString();
    EXPECT_FALSE(linear.contains(QStringLiteral("10us")));
}

TEST(ViewerChart, ViewSelectionFollowsTheCurveTabRules)
{
    ViewerWindow<> v;
    DataBuilder b;
    const uint32_t ojip = b.addHeader(named("OJIP", 1, 1, 0, 800));
    b.addCurve(rampCurve(100));
    const uint32_t pulse = b.addHeader(named("DUP", 2, 1, 120, 1500));
    for (int i = 0; i < 12; ++i)
        b.addCurve(rampCurve(uint16_t(1000 + i)), rampTail(500));
    const uint32_t post = b.addHeader(named("POST", 3, 1, 5, 900));
    for (int i = 0; i < 5 + 4; ++i)
        b.addCurve(rampCurve(uint16_t(2000 + 100 * i)));
    const uint32_t noAl = b.addHeader(named("NOAL", 3, 0, 2, 700));
    b.addCurve(rampCurve(1));
    b.addCurve(rampCurve(1));
    HeaderFields dup = named("DUP", 1, 1, 0, 3000);  // same list text as the pulse record
    const uint32_t sameText = b.addHeader(dup);
    b.addCurve(rampCurve(1));
    v.enterWithUpload(b);
    v.tickAll();
    const uint32_t listed[] = {ojip, pulse, post, noAl, sameText};
    for (size_t line = 0; line < std::size(listed); ++line)
        ASSERT_EQ(v.state->RecordIndex[line].offset, listed[line]) << line;
    auto *ui = v.ui();

    EXPECT_EQ(v.curves(), 5);
    EXPECT_EQ(v.chart().CurvePool[2].points[0].colour, v.state->RecordIndex[2].colour);
    EXPECT_EQ(v.chart().Axes.yMax, 3100);

    // The pulse-transient record: all its pulses; the axes stay as the list view left them.
    v.choose(2);
    EXPECT_EQ(v.form().session().CurrentRecord, pulse) << "the first ticked line with that text";
    EXPECT_EQ(v.form().session().CurrentRecordName, QStringLiteral("DUP0001"));
    EXPECT_EQ(v.curves(), 12);
    EXPECT_EQ(v.chart().CurvePool[11].marker, MarkerStyle::Circle);
    EXPECT_EQ(v.chart().Axes.yMax, 3100);
    EXPECT_TRUE(ui->RdBtnAL->isEnabled());
    EXPECT_TRUE(ui->BtnP700Save->isHidden());
    EXPECT_TRUE(ui->CBoxALNO->isHidden());

    // Its time course.
    QTest::mouseClick(ui->RdBtnAL, Qt::LeftButton);
    EXPECT_TRUE(ui->RdBtnAL->isChecked());
    EXPECT_FALSE(ui->RdBtnOJIP->isChecked());
    EXPECT_EQ(v.curves(), 0);
    EXPECT_EQ(v.chart().Series1.points.size(), 11u * 13u);
    EXPECT_EQ(v.chart().Axes.scale, AxisScale::Linear);
    EXPECT_EQ(v.chart().Axes.xMax, 120);
    EXPECT_EQ(v.chart().Axes.yMax, 1600);
    EXPECT_TRUE(ui->CBoxALNO->isHidden());

    // The post-steady-state record: checking OJIP again leaves the time course.
    v.choose(3);
    EXPECT_TRUE(ui->RdBtnOJIP->isChecked());
    EXPECT_FALSE(ui->RdBtnAL->isChecked());
    EXPECT_TRUE(ui->RdBtnAL->isEnabled());
    EXPECT_FALSE(ui->BtnP700Save->isHidden());
    EXPECT_EQ(v.curves(), 5);
    EXPECT_TRUE(v.chart().Series1.points.empty());
    EXPECT_EQ(v.chart().Axes.scale, AxisScale::Logarithmic);

    QTest::mouseClick(ui->RdBtnAL, Qt::LeftButton);
    EXPECT_FALSE(ui->CBoxALNO->isHidden());
    QStringList entries;
    for (int i = 0; i < ui->CBoxALNO->count(); ++i)
        entries << ui->CBoxALNO->itemText(i);
    EXPECT_EQ(entries, (QStringList{"All AL OJIP", "1", "2", "3", "4"}));
    EXPECT_FALSE(ui->CBoxALNO->isEditable());
    EXPECT_EQ(v.curves(), 4);
    EXPECT_EQ(v.chart().Axes.yMax, 2500 + 117 + 100 + 100) << "from the first actinic curve";
    ui->CBoxALNO->setCurrentIndex(3);
    v.form().CBoxALNOChange();
    EXPECT_EQ(v.curves(), 1);
    EXPECT_EQ(v.chart().CurvePool[0].points[0].y, 2000 + 100 * 7);
    EXPECT_EQ(v.chart().CurvePool[0].points[0].colour, 255u);

    // An OJIP record: one red curve, no actinic light, no P700 export.
    v.choose(1);
    EXPECT_EQ(v.curves(), 1);
    EXPECT_EQ(v.chart().CurvePool[0].points[0].colour, 255u);
    EXPECT_FALSE(ui->RdBtnAL->isEnabled());
    EXPECT_TRUE(ui->BtnP700Save->isHidden());
    EXPECT_TRUE(ui->CBoxALNO->isHidden());

    // Post-steady-state without actinic curves: P700 yes, actinic light no.
    v.choose(4);
    EXPECT_FALSE(ui->RdBtnAL->isEnabled());
    EXPECT_FALSE(ui->BtnP700Save->isHidden());

    // Back to the list view.
    v.choose(0);
    EXPECT_EQ(v.curves(), 5);
    EXPECT_EQ(v.chart().Axes.yMax, 3100);
    EXPECT_EQ(v.form().session().CurrentRecord, noAl) << "kept until the next choice";
}

TEST(ViewerChart, SavePictureWritesAn24BitBitmapOfTheChartsSize)
{
    ViewerWindow<> v;
    v.enter();
    QTemporaryDir dir;
    v.form().resize(800, 560);
    QCoreApplication::processEvents();
    // The chart follows its anchored host; the picture must follow the chart.
    const QSize chartSize = v.form().chart1().size();
    ASSERT_GT(chartSize.width(), 100);
    for (const QString &answer : {dir.filePath(QStringLiteral("PicQX_")), QString(), dir.filePath(QStringLiteral("missing/pic.bmp"))}) {
        ScriptedDialogs::SaveAnswer a;
        a.path = answer;  // empty: cancel
        v.dialogs.saveAnswers.push_back(a);
    }

    v.form().BtnSavePicClick();
    ASSERT_EQ(v.dialogs.savesSeen.size(), 1u);
    const SaveDialogState &seen = v.dialogs.savesSeen[0];
    EXPECT_EQ(seen.Title, QStringLiteral("存储图像"));
    EXPECT_EQ(seen.FileName, QStringLiteral("PicQX_"));
    EXPECT_EQ(seen.Filter, QStringLiteral("*.bmp|*.bmp"));
    EXPECT_EQ(seen.DefaultExt, QStringLiteral("bmp"));
    QFile f(dir.filePath(QStringLiteral("PicQX_.bmp")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bmp = f.readAll();
    ASSERT_GT(bmp.size(), 54);
    auto le = [&](int at, int n) {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i)
            v = v << 8 | uint8_t(bmp[at + i]);
        return v;
    };
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(le(18, 4), uint32_t(chartSize.width()));
    EXPECT_EQ(le(22, 4), uint32_t(chartSize.height()));
    EXPECT_EQ(le(28, 2), 24u) << "bits per pixel";
    EXPECT_EQ(le(30, 4), 0u) << "uncompressed";
    const QImage img = QImage::fromData(bmp, "BMP");
    EXPECT_EQ(img.pixelColor(2, 2), QColor(187, 188, 198)) << "the chart's background";

    v.form().BtnSavePicClick();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1) << "cancel writes nothing";
    EXPECT_TRUE(v.dialogs.errors.empty());

    v.form().BtnSavePicClick();
    EXPECT_EQ(v.dialogs.errors.size(), 1u) << "an unwritable path is reported";
}

TEST(ViewerChart, CurvesAndCrossesAreDrawnSmooth)
{
    ViewerWindow<> v;
    DataBuilder b;
    const uint32_t record = addOjipRecord(b, HeaderFields{}, OjipShape{}, false);
    v.enterWithUpload(b);
    v.tickAll();
    ASSERT_EQ(v.state->RecordIndex[0].offset, record);
    v.state->RecordIndex[0].colour = 0x0000FF;  // pure red
    v.form().DrawSelectInChart();
    const QImage img = v.form().chart1().renderImage().convertToFormat(QImage::Format_RGB32);

    // Edges are blended into the grey ground, so some pixels lie between the two colours:
    // more red than the ground, yet less than the curve.
    const QColor ground(187, 188, 198);
    int red = 0;
    int blended = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor p = img.pixelColor(x, y);
            if (p == QColor(255, 0, 0))
                ++red;
            else if (p.red() > ground.red() + 10 && p.green() < ground.green() - 20 && p.blue() < ground.blue() - 20
                     && std::abs(p.green() - p.blue()) < 30)
                ++blended;
        }
    ASSERT_GT(red, 100) << "the curve is drawn";
    EXPECT_GT(blended, red / 4) << "edges are smoothed";
}
