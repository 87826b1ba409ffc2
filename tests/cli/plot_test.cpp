#include "sim/databuilder.h"
#include "sim/synthetic.h"

#include "support/clirun.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

TEST(CliPlot, RendersEachViewAtTheRequestedSize)
{
    QTemporaryDir dir;
    const QString demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    struct Case { const char *what; QStringList extra; const char *out; QSize size; } cases[] = {
        {"list view", {}, "list.png", QSize(728, 433)},
        {"two selected lines, larger", {"--select", "1,3", "--size", "1000x600"}, "sel.bmp", QSize(1000, 600)},
        {"single record", {"--record", "4"}, "rec.png", QSize(728, 433)},
        {"time course", {"--record", "4", "--al"}, "tc.png", QSize(728, 433)},
        {"actinic section", {"--record", "6", "--al", "2"}, "al.png", QSize(728, 433)},
        {"all actinic sections", {"--record", "6", "--al", "All AL OJIP"}, "all.png", QSize(728, 433)},
    };
    for (const Case &c : cases) {
        const QString out = dir.filePath(QString::fromLatin1(c.out));
        const CliRun r = runCli(QStringList{QStringLiteral("plot"), demo} + c.extra + QStringList{QStringLiteral("-o"), out});
        EXPECT_EQ(r.status, 0) << c.what << ": " << r.err.constData();
        const QImage img(out);
        EXPECT_EQ(img.size(), c.size) << c.what;
        // Curves are drawn: some pixel is far from the grey background and the grid.
        bool coloured = false;
        for (int y = 0; y < img.height() && !coloured; y += 2)
            for (int x = 0; x < img.width() && !coloured; x += 2) {
                const QColor p = img.pixelColor(x, y);
                coloured = std::abs(p.red() - p.blue()) > 80 || std::abs(p.green() - p.blue()) > 80;
            }
        EXPECT_TRUE(coloured) << c.what;
    }
}

TEST(CliPlot, Errors)
{
    QTemporaryDir dir;
    const QString demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    const QString out = dir.filePath(QStringLiteral("x.png"));
    struct Case { const char *what; QStringList args; int status; const char *errorPart; } cases[] = {
        {"no output", {demo}, 2, "-o"},
        {"unknown picture type", {demo, "-o", dir.filePath("x.jpg")}, 2, "-o"},
        {"bad size", {demo, "--size", "10x10", "-o", out}, 2, "--size"},
        {"--al without a record", {demo, "--al", "-o", out}, 2, "--record"},
        {"record out of range", {demo, "--record", "99", "-o", out}, 2, "--record"},
        {"record not selected", {demo, "--select", "1,2", "--record", "4", "-o", out}, 2, "--select"},
        {"OJIP record has no actinic light", {demo, "--record", "1", "--al", "-o", out}, 2, "actinic"},
        {"section beyond the record", {demo, "--record", "6", "--al", "99", "-o", out}, 2, "All AL OJIP"},
        {"missing file", {dir.filePath("none.bin"), "-o", out}, 1, "none.bin"},
        {"unwritable output", {demo, "-o", dir.filePath("no/x.png")}, 1, "x.png"},
    };
    for (const Case &c : cases) {
        const CliRun r = runCli(QStringList{QStringLiteral("plot")} + c.args);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err.constData();
        EXPECT_TRUE(r.err.contains(c.errorPart)) << c.what << ": " << r.err.constData();
    }
    EXPECT_FALSE(QFile::exists(out));
}
