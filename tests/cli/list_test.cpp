#include "sim/databuilder.h"
#include "sim/synthetic.h"
#include "data/gbk.h"

#include "support/clirun.h"

#include <gtest/gtest.h>

using namespace corvane;

using namespace corvane::test;

TEST(CliList, OneTabSeparatedLinePerMeasurement)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = toGbk(QStringLiteral("玉米"));
    h.Number = 7;
    h.Kind = 1;
    b.addHeader(h);
    b.addCurve({});
    h.Name = QByteArray("AB\x80" "C");  // 0x80 begins no GBK character
    h.Number = 12345;
    h.Kind = 9;
    h.Hour = 14;
    b.addHeader(h);
    QTemporaryDir dir;
    const CliRun r = runCli({QStringLiteral("list"), writeTemp(dir, QStringLiteral("a.bin"), b.file())});
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(QString::fromUtf8(r.out),
              QStringLiteral("1\t玉米0007\tOJIP测量数据\t2013/02/19  09:05:30\n"
                             "2\tAB\uFFFDC12345\t数据类型错误\t2013/02/19  14:05:30\n"));
}

TEST(CliList, ErrorsAndUsage)
{
    QTemporaryDir dir;
    const QString empty = writeTemp(dir, QStringLiteral("empty.bin"), {});
    struct Case { const char *name; QStringList args; int status; const char *errorPart; } cases[] = {
        {"no arguments", {}, 2, "usage"},
        {"unknown command", {QStringLiteral("frobnicate"), empty}, 2, "unknown command"},
        {"no file", {QStringLiteral("list")}, 2, "no data file"},
        {"unknown option", {QStringLiteral("list"), empty, QStringLiteral("--bogus")}, 2, "unknown option"},
        {"missing file", {QStringLiteral("list"), dir.filePath(QStringLiteral("nope.bin"))}, 1, "nope.bin"},
        {"empty file", {QStringLiteral("list"), empty}, 1, "empty.bin"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(c.errorPart)) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
}

TEST(CliList, DemoDataListsEveryRecordOfAllThreeKinds)
{
    QTemporaryDir dir;
    const CliRun r = runCli({QStringLiteral("list"), writeTemp(dir, QStringLiteral("demo.bin"), demoData().file())});
    ASSERT_EQ(r.status, 0);
    const QString out = QString::fromUtf8(r.out);
    EXPECT_EQ(out.count(QLatin1Char('\n')), 7);
    EXPECT_TRUE(out.contains(QStringLiteral("OJIP测量数据")));
    EXPECT_TRUE(out.contains(QStringLiteral("脉冲瞬态荧光动力学测量数据")));
    EXPECT_TRUE(out.contains(QStringLiteral("后稳态荧光动力学测量数据")));
}
