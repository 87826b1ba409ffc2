// corvane-cli plot --view: the JIP page's pictures from the command line.
#include "sim/databuilder.h"
#include "sim/synthetic.h"

#include "support/clirun.h"

#include <QImage>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

// Whether the document parses and how many outlines (path, polyline, polygon) it draws.
int svgShapes(const QByteArray &bytes, bool &wellFormed)
{
    QXmlStreamReader xml(bytes);
    int shapes = 0;
    bool root = false;
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            const QStringView n = xml.name();
            root = root || n == QLatin1String("svg");
            shapes += n == QLatin1String("path") || n == QLatin1String("polyline") || n == QLatin1String("polygon");
        }
    wellFormed = root && !xml.hasError();
    return shapes;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(CliPlotView, DrawsEachViewAsPngAndSvg)
{
    QTemporaryDir dir;
    const QString demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    struct Case { const char *what; QStringList extra; const char *out; QSize size; } cases[] = {
        {"Vt of every line", {"--view", "vt"}, "vt.png", QSize(728, 433)},
        {"Vt with a control, larger", {"--view", "vt", "--control", "2", "--size", "900x500"}, "vtc.png", QSize(900, 500)},
        {"ΔVt of three lines", {"--view", "dvt", "--select", "1,3,5", "--control", "3"}, "dvt.png", QSize(728, 433)},
        {"radar", {"--view", "radar", "--control", "1", "--size", "600x600"}, "radar.png", QSize(600, 600)},
        {"Vt as SVG", {"--view", "vt"}, "vt.svg", QSize(728, 433)},
        {"ΔVt as SVG", {"--view", "dvt", "--control", "1"}, "dvt.SVG", QSize(728, 433)},
        {"radar as SVG", {"--view", "radar", "--control", "4"}, "radar.svg", QSize(728, 433)},
    };
    for (const Case &c : cases) {
        const QString out = dir.filePath(QString::fromLatin1(c.out));
        const CliRun r = runCli(QStringList{QStringLiteral("plot"), demo} + c.extra + QStringList{QStringLiteral("-o"), out});
        ASSERT_EQ(r.status, 0) << c.what << ": " << r.err.constData();
        const QByteArray bytes = readAll(out);
        if (out.endsWith(QLatin1String(".png"))) {
            EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n")) << c.what;
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), c.size) << c.what;
        } else {
            bool wellFormed = false;
            EXPECT_GT(svgShapes(bytes, wellFormed), 7) << c.what << ": one outline per line at least";
            EXPECT_TRUE(wellFormed) << c.what;
            EXPECT_TRUE(bytes.contains(QByteArray("viewBox=\"0 0 ") + QByteArray::number(c.size.width()) + ' ' +
                                       QByteArray::number(c.size.height())))
                << c.what;
        }
    }
}

TEST(CliPlotView, Errors)
{
    QTemporaryDir dir;
    const QString demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    const QString out = dir.filePath(QStringLiteral("x.png"));
    struct Case { const char *what; QStringList args; int status; const char *errorPart; } cases[] = {
        {"bad view", {demo, "--view", "pie", "-o", out}, 2, "vt, dvt or radar"},
        {"control out of range", {demo, "--view", "radar", "--control", "99", "-o", out}, 2, "--control: line 99 does not exist"},
        {"control zero", {demo, "--view", "dvt", "--control", "0", "-o", out}, 2, "--control: line 0 does not exist"},
        {"control not a number", {demo, "--view", "dvt", "--control", "x", "-o", out}, 2, "--control"},
        {"control not among the selected lines", {demo, "--view", "dvt", "--select", "1,2", "--control", "3", "-o", out}, 2,
         "not among the drawn lines"},
        {"ΔVt without a control", {demo, "--view", "dvt", "-o", out}, 2, "--control N"},
        {"radar without a control", {demo, "--view", "radar", "-o", out}, 2, "--control N"},
        {"control without a view", {demo, "--control", "1", "-o", out}, 2, "needs --view"},
        {"a view with a single record", {demo, "--view", "vt", "--record", "1", "-o", out}, 2, "not --record"},
        {"BMP is not offered for views", {demo, "--view", "vt", "-o", dir.filePath("x.bmp")}, 2, "OUT.svg"},
        {"bad size", {demo, "--view", "vt", "--size", "3x3", "-o", out}, 2, "--size"},
        {"bad selection", {demo, "--view", "vt", "--select", "40", "-o", out}, 2, "--select"},
        {"missing file", {dir.filePath("none.bin"), "--view", "vt", "-o", out}, 1, "none.bin"},
        {"unwritable output", {demo, "--view", "vt", "-o", dir.filePath("no/x.svg")}, 1, "x.svg"},
    };
    for (const Case &c : cases) {
        const CliRun r = runCli(QStringList{QStringLiteral("plot")} + c.args);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err.constData();
        EXPECT_TRUE(r.err.contains(c.errorPart)) << c.what << ": " << r.err.constData();
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST(CliPlotView, ARecordWithoutCurveOrVariableFluorescenceIsLeftOutNotBroken)
{
    // Line 2 has no curve, line 3 has Fm = F0: Vt of both is absent and the control's
    // ratios to them are empty, yet the pictures are drawn.
    DataBuilder b;
    HeaderFields h;
    addOjipRecord(b, h, {400, 900, 1400, 2000}, false);
    h.Number = 2;
    h.F0 = h.Fj = h.Fi = 500;
    h.Fm = 2000;
    b.addHeader(h);
    h.Number = 3;
    addOjipRecord(b, h, {500, 500, 500, 500}, false);
    QTemporaryDir dir;
    const QString file = writeTemp(dir, QStringLiteral("odd.bin"), b.file());
    for (const char *view : {"vt", "dvt", "radar"})
        for (const char *control : {"1", "2", "3"}) {
            const QString out = dir.filePath(QStringLiteral("%1-%2.svg").arg(QLatin1String(view), QLatin1String(control)));
            const CliRun r = runCli({QStringLiteral("plot"), file, QStringLiteral("--view"), QLatin1String(view),
                                     QStringLiteral("--control"), QLatin1String(control), QStringLiteral("-o"), out});
            EXPECT_EQ(r.status, 0) << view << " control " << control << ": " << r.err.constData();
            bool wellFormed = false;
            svgShapes(readAll(out), wellFormed);
            EXPECT_TRUE(wellFormed) << view << " control " << control;
            EXPECT_FALSE(readAll(out).contains("nan")) << view << " control " << control;
        }
}
