#include "exportfixtures.h"

#include "data/p700export.h"
#include "data/rawexport.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "sim/synthetic.h"
#include "support/clirun.h"
#include "support/testfiles.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

} // namespace

TEST(CliRaw, WritesTheBytesOfTheViewerExport)
{
    const DataBuilder demo = demoData();
    const Listed l(demo);
    ASSERT_GE(l.count, 4);
    std::vector<int> all(size_t(l.count));
    for (int i = 0; i < l.count; ++i)
        all[size_t(i)] = i;
    const std::vector<int> selected{0, 2, 3};
    QTemporaryDir dir;
    const QString file = writeTemp(dir, QStringLiteral("demo.bin"), demo.file());
    const QString out = dir.filePath(QStringLiteral("out"));
    struct Case
    {
        const char *name;
        QStringList extra;
        bool toFile;
        QByteArray expected;
    } cases[] = {
        {"csv of a selection in list order, to a file", {"--select", "4,1,3", "--format", "csv", "-o", out}, true,
         rawCsvBytes(*l.buffer, *l.index, selected)},
        {"data file of every line, to stdout", {"--format", "bin"}, false, rawDataFileBytes(*l.buffer, *l.index, all)},
        {"data file of a selection", {"--format", "bin", "--select", "1,3,4", "-o", out}, true,
         rawDataFileBytes(*l.buffer, *l.index, selected)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(out);
        const CliRun r = runCli(QStringList{QStringLiteral("raw"), file} + c.extra);
        ASSERT_EQ(r.status, 0) << r.err.constData();
        EXPECT_EQ(c.toFile ? readFile(out) : r.out, c.expected);
    }
}

TEST(CliP700, WritesTheBytesOfTheViewerExport)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = gbk("玉米");
    b.addHeader(h);
    b.addCurve(curveOf(1));
    h.Number = 2;
    h.Total = 3;
    h.IrLevel = 4;
    addPostSteadyState(b, h, 3, 2, false);
    const Listed l(b);
    const uint32_t record = (*l.index)[1].offset;
    const QByteArray expected = p700CsvBytes(*l.buffer, record, listLineBytes(RecordHeader(*l.buffer, record)));
    ASSERT_TRUE(expected.contains(gbk("玉米0002")));

    QTemporaryDir dir;
    const QString file = writeTemp(dir, QStringLiteral("k3.bin"), b.file());
    const QString out = dir.filePath(QStringLiteral("p.csv"));
    CliRun r = runCli({QStringLiteral("p700"), file, QStringLiteral("--record"), QStringLiteral("2"), QStringLiteral("-o"), out});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(readFile(out), expected);
    r = runCli({QStringLiteral("p700"), file, QStringLiteral("--record"), QStringLiteral("2")});
    EXPECT_EQ(r.out, expected);
}

TEST(CliExport, UsageAndWriteErrors)
{
    DataBuilder b;
    HeaderFields h;
    b.addHeader(h);
    b.addCurve(curveOf(1));
    QTemporaryDir dir;
    const QString file = writeTemp(dir, QStringLiteral("a.bin"), b.file());
    const QString unwritable = dir.filePath(QStringLiteral("missing/out.csv"));
    struct Case
    {
        const char *name;
        QStringList args;
        int status;
        const char *errorPart;
    } cases[] = {
        {"raw without --format", {"raw", file}, 2, "--format"},
        {"raw with an unknown format", {"raw", file, "--format", "xls"}, 2, "--format"},
        {"raw selecting a missing line", {"raw", file, "--format", "csv", "--select", "2"}, 2, "line 2"},
        {"raw to an unwritable folder", {"raw", file, "--format", "csv", "-o", unwritable}, 1, "out.csv"},
        {"raw of a missing file", {"raw", dir.filePath("nope.bin"), "--format", "bin"}, 1, "nope.bin"},
        {"p700 without --record", {"p700", file}, 2, "--record"},
        {"p700 with line 0", {"p700", file, "--record", "0"}, 2, "--record"},
        {"p700 beyond the list", {"p700", file, "--record", "2"}, 2, "line 2"},
        {"p700 of an OJIP record", {"p700", file, "--record", "1"}, 2, "post-steady-state"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.err.contains(c.errorPart)) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("a.bin")});
}
