#include "analysis/tablecsv.h"
#include "data/datafile.h"
#include "data/gbk.h"
#include "sim/databuilder.h"
#include "sim/synthetic.h"

#include "support/clirun.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

DataBuilder threeRecords()
{
    DataBuilder b;
    HeaderFields h;
    for (uint16_t n = 1; n <= 3; ++n) {
        h.Number = n;
        h.Kind = n;
        h.FrTime = 7;
        b.addHeader(h);
        b.addCurve({});
    }
    return b;
}

} // namespace

TEST(CliTable, SelectedLinesInListOrder)
{
    QTemporaryDir dir;
    const QString bin = writeTemp(dir, QStringLiteral("a.bin"), threeRecords().file());
    const CliRun r = runCli({QStringLiteral("table"), bin, QStringLiteral("--select"), QStringLiteral("3,1")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[0].startsWith(toGbk(QStringLiteral("文件名,"))));
    EXPECT_TRUE(lines[1].startsWith("LEAF0001,2013/02/19  09:05:30,OJIP,----,0(1),0,----,----,"));
    EXPECT_TRUE(lines[2].startsWith("LEAF0003,2013/02/19  09:05:30," + toGbk(QStringLiteral("后稳态")) + ",0(1),0(1),0"
                                    + toGbk(QStringLiteral("次")) + ",0.7,0,"));
    EXPECT_EQ(lines[3], QByteArray(22, ',') + '\r');
    EXPECT_TRUE(lines[4].isEmpty());
}

TEST(CliTable, VersionZeroFrTimeIsConvertedOnce)
{
    QTemporaryDir dir;
    const QString bin = writeTemp(dir, QStringLiteral("v0.bin"), threeRecords().file(false));
    const CliRun r = runCli({QStringLiteral("table"), bin, QStringLiteral("--select"), QStringLiteral("2")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(r.out.contains(",7.0,")) << r.out.constData();
}

TEST(CliTable, ErrorsLeaveNoOutput)
{
    QTemporaryDir dir;
    const QString bin = writeTemp(dir, QStringLiteral("a.bin"), threeRecords().file());
    const QString out = dir.filePath(QStringLiteral("out.csv"));
    struct Case { const char *name; QStringList args; int status; const char *errorPart; } cases[] = {
        {"line beyond the list", {QStringLiteral("table"), bin, QStringLiteral("--select"), QStringLiteral("4"), QStringLiteral("-o"), out}, 2, "line 4"},
        {"line zero", {QStringLiteral("table"), bin, QStringLiteral("--select"), QStringLiteral("0"), QStringLiteral("-o"), out}, 2, "--select"},
        {"missing file", {QStringLiteral("table"), dir.filePath(QStringLiteral("nope.bin")), QStringLiteral("-o"), out}, 1, "nope.bin"},
        {"unwritable output", {QStringLiteral("table"), bin, QStringLiteral("-o"), dir.filePath(QStringLiteral("no/dir/t.csv"))}, 1, "t.csv"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(c.errorPart)) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(QFile::exists(out));
    }
}
