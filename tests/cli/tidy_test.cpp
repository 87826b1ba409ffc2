// corvane-cli jip and curves, read back the way R and pandas read them.
#include "analysis/jiptest.h"
#include "data/gbk.h"
#include "data/measurementbuffer.h"
#include "data/rawexport.h"
#include "data/recordindex.h"
#include "sim/databuilder.h"
#include "sim/synthetic.h"

#include "support/clirun.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <map>

using namespace corvane;
using namespace corvane::test;

namespace {

using Table = std::vector<std::vector<QString>>;

// RFC 4180 with LF line ends: quoted cells may hold the separator, quotes and LF.
Table parseCsv(const QByteArray &bytes, char sep = ',')
{
    const QString text = QString::fromUtf8(bytes);
    Table rows;
    std::vector<QString> row;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == QLatin1Char(sep)) {
            row.push_back(cell);
            cell.clear();
        } else if (c == u'\n') {
            row.push_back(cell);
            rows.push_back(row);
            row.clear();
            cell.clear();
        } else {
            cell += c;
        }
    }
    EXPECT_TRUE(row.empty() && cell.isEmpty()) << "the last line ends with LF";
    return rows;
}

bool isNumber(const QString &cell)
{
    bool ok = false;
    const double v = cell.toDouble(&ok);
    return ok && std::isfinite(v);
}

// Every kind, a 10-s OJIP record, an invalid Kind, a header without curve, and a name
// that needs quoting.
DataBuilder everyKind()
{
    DataBuilder b = demoData();
    HeaderFields h;
    h.F0 = 500;
    h.Fj = 1100;
    h.Fi = 1700;
    h.Fm = 2500;
    h.Name = "A,\"B\"";
    h.Number = 8;
    h.Kind = 9;
    b.addHeader(h);
    b.addCurve({});
    h.Name = "BARE";
    h.Number = 9;
    h.Kind = 1;
    b.addHeader(h);  // no curve behind it
    return b;
}

constexpr int kEveryKindRecords = 9;

struct Files
{
    QTemporaryDir dir;
    QString everyKind, demo;
    Files()
    {
        everyKind = writeTemp(dir, QStringLiteral("every.bin"), ::everyKind().file());
        demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    }
};

std::map<QString, size_t> columnsOf(const std::vector<QString> &header)
{
    std::map<QString, size_t> c;
    for (size_t i = 0; i < header.size(); ++i)
        c[header[i]] = i;
    return c;
}

} // namespace

TEST(CliJip, WideTableReadsBackWithTypesAndCounts)
{
    Files f;
    for (const char *format : {"csv", "tsv"}) {
        SCOPED_TRACE(format);
        const char sep = QByteArray(format) == "tsv" ? '\t' : ',';
        const CliRun r = runCli({QStringLiteral("jip"), f.everyKind, QStringLiteral("--format"), QString::fromLatin1(format)});
        ASSERT_EQ(r.status, 0) << r.err.constData();
        EXPECT_FALSE(r.out.contains('\r'));
        const Table t = parseCsv(r.out, sep);
        ASSERT_EQ(t.size(), size_t(1 + kEveryKindRecords));
        const size_t width = 6 + size_t(kJipParams) + 1;
        for (const auto &row : t)
            ASSERT_EQ(row.size(), width);
        EXPECT_EQ(t[0][0], "file");
        EXPECT_EQ(t[0][5], "time");
        EXPECT_EQ(t[0].back(), "flags");
        const auto col = columnsOf(t[0]);
        ASSERT_TRUE(col.count("Area_ms") && col.count("Mo_per_ms") && col.count("PIabs"));
        for (size_t i = 1; i < t.size(); ++i) {
            const auto &row = t[i];
            EXPECT_EQ(row[0], f.everyKind);
            EXPECT_EQ(row[1].toInt(), int(i));
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$")).match(row[5]).hasMatch()) << row[5].toStdString();
            for (size_t c = 6; c + 1 < width; ++c)
                EXPECT_TRUE(row[c].isEmpty() || isNumber(row[c])) << row[c].toStdString();
        }
        EXPECT_EQ(t[1][2], QStringLiteral("玉米"));
        EXPECT_EQ(t[1][3], "1");
        EXPECT_EQ(t[1][4], "OJIP");
        EXPECT_EQ(t[4][4], "pulse-transient");
        EXPECT_EQ(t[6][4], "post-steady-state");
        EXPECT_EQ(t[8][2], "A,\"B\"");
        EXPECT_EQ(t[8][4], "invalid");
        // The header without curve: header values stay, curve values are empty.
        EXPECT_EQ(t[9][col.at("Fv_Fm")], "0.8");
        EXPECT_EQ(t[9][col.at("Area_ms")], "");
        EXPECT_EQ(t[9].back(), "NOCURVE;ABSENT");
    }
}

TEST(CliJip, FullPrecisionRoundTrips)
{
    // F0 7, Fm 9: Fv/Fm = 2/9, written with all the digits a double needs.
    DataBuilder b;
    HeaderFields h;
    h.F0 = 7;
    h.Fj = 8;
    h.Fi = 8;
    h.Fm = 9;
    b.addHeader(h);
    CurveSamples c{};
    c.fill(8);
    b.addCurve(c);
    QTemporaryDir dir;
    const CliRun r = runCli({QStringLiteral("jip"), writeTemp(dir, QStringLiteral("a.bin"), b.file())});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const Table t = parseCsv(r.out);
    const auto col = columnsOf(t[0]);
    EXPECT_EQ(t[1][col.at("Fv_Fm")], "0.2222222222222222");
    EXPECT_EQ(t[1][col.at("Fv_Fm")].toDouble(), 2.0 / 9.0);
    EXPECT_EQ(t[1][col.at("Fv_counts")], "2");
}

TEST(CliJip, LongFormatOneRowPerParameter)
{
    Files f;
    const CliRun r = runCli({QStringLiteral("jip"), f.everyKind, QStringLiteral("--format"), QStringLiteral("long")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const Table t = parseCsv(r.out);
    ASSERT_EQ(t.size(), size_t(1 + kEveryKindRecords * kJipParams));
    EXPECT_EQ(t[0], (std::vector<QString>{"file", "line", "name", "number", "kind", "time", "parameter", "value", "unit", "flags"}));
    std::map<QString, int> perParameter;
    for (size_t i = 1; i < t.size(); ++i) {
        ASSERT_EQ(t[i].size(), size_t(10));
        EXPECT_TRUE(t[i][7].isEmpty() || isNumber(t[i][7])) << t[i][7].toStdString();
        ++perParameter[t[i][6]];
    }
    EXPECT_EQ(perParameter.size(), size_t(kJipParams));
    EXPECT_EQ(perParameter.at(QStringLiteral("ABS/RC")), kEveryKindRecords);
    EXPECT_FALSE(r.out.contains("inf") || r.out.contains("nan"));
}

TEST(CliJip, ManyFilesAndGroups)
{
    Files f;
    const CliRun both = runCli({QStringLiteral("jip"), f.demo, f.everyKind});
    ASSERT_EQ(both.status, 0) << both.err.constData();
    const Table t = parseCsv(both.out);
    EXPECT_EQ(t.size(), size_t(1 + 7 + kEveryKindRecords));
    EXPECT_EQ(t[1][0], f.demo);
    EXPECT_EQ(t.back()[0], f.everyKind);

    const CliRun g = runCli({QStringLiteral("jip"), f.demo, f.everyKind, QStringLiteral("--group-by"), QStringLiteral("name")});
    ASSERT_EQ(g.status, 0) << g.err.constData();
    const Table gt = parseCsv(g.out);
    EXPECT_EQ(gt[0], (std::vector<QString>{"group", "parameter", "unit", "n", "mean", "sd"}));
    std::map<QString, std::map<QString, std::vector<QString>>> byGroup;
    for (size_t i = 1; i < gt.size(); ++i)
        byGroup[gt[i][0]][gt[i][1]] = gt[i];
    // demo names: 玉米 ×2, WHEAT, 水稻, SOY, 拟南芥, ARABID01 (each file once), then A,"B" and BARE.
    EXPECT_EQ(byGroup.size(), size_t(8));
    const auto &corn = byGroup.at(QStringLiteral("玉米")).at(QStringLiteral("F0"));
    EXPECT_EQ(corn[3], "4");
    // F0 420, 380, 420, 380: mean 400, sample SD sqrt(4 · 400 / 3).
    EXPECT_EQ(corn[4].toDouble(), 400.0);
    EXPECT_DOUBLE_EQ(corn[5].toDouble(), std::sqrt(1600.0 / 3.0));
    // One measurement: an SD does not exist.
    const auto &bare = byGroup.at(QStringLiteral("BARE")).at(QStringLiteral("Area"));
    EXPECT_EQ(bare[3], "0");
    EXPECT_EQ(bare[4], "");
    EXPECT_EQ(byGroup.at(QStringLiteral("BARE")).at(QStringLiteral("F0"))[5], "");
}

TEST(CliJip, UsageErrorsAndHelp)
{
    Files f;
    struct Case { const char *name; QStringList args; int status; };
    const Case cases[] = {
        {"select with two files", {QStringLiteral("jip"), f.demo, f.demo, QStringLiteral("--select"), QStringLiteral("1")}, 2},
        {"bad format", {QStringLiteral("jip"), f.demo, QStringLiteral("--format"), QStringLiteral("xls")}, 2},
        {"bad group", {QStringLiteral("jip"), f.demo, QStringLiteral("--group-by"), QStringLiteral("kind")}, 2},
        {"missing file", {QStringLiteral("jip"), f.dir.filePath(QStringLiteral("none.bin"))}, 1},
        {"curves bad normalise", {QStringLiteral("curves"), f.demo, QStringLiteral("--normalise"), QStringLiteral("x")}, 2},
        {"table keeps a single file", {QStringLiteral("table"), f.demo, f.demo}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(runCli(c.args).status, c.status);
    }
    const CliRun h = runCli({QStringLiteral("jip"), QStringLiteral("--help")});
    EXPECT_EQ(h.status, 0);
    for (const QualityFlagInfo &i : qualityFlagLegend())
        EXPECT_TRUE(h.out.contains(QByteArray(i.code.data(), qsizetype(i.code.size())))) << i.code;
}

TEST(CliJip, WritesTheFileGivenAsStandardOutputWould)
{
    Files f;
    for (const char *command : {"jip", "curves"}) {
        SCOPED_TRACE(command);
        const QString out = f.dir.filePath(QStringLiteral("out.csv"));
        const CliRun r = runCli({QString::fromLatin1(command), f.demo, f.everyKind, QStringLiteral("-o"), out});
        ASSERT_EQ(r.status, 0) << r.err.constData();
        EXPECT_TRUE(r.out.isEmpty());
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), runCli({QString::fromLatin1(command), f.demo, f.everyKind, QStringLiteral("-o"), QStringLiteral("-")}).out);
    }
    // A second file that cannot be read leaves no output file behind.
    const QString out = f.dir.filePath(QStringLiteral("broken.csv"));
    EXPECT_EQ(runCli({QStringLiteral("curves"), f.demo, f.dir.filePath(QStringLiteral("none.bin")), QStringLiteral("-o"), out}).status, 1);
    EXPECT_FALSE(QFile::exists(out));
}

// Every sample line of the raw CSV export (not the P700 lines A, B, C) is one row.
TEST(CliCurves, LongRowsCoverEveryRawExportSample)
{
    Files f;
    const CliRun r = runCli({QStringLiteral("curves"), f.everyKind, QStringLiteral("--format"), QStringLiteral("long")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const Table t = parseCsv(r.out);
    EXPECT_EQ(t[0], (std::vector<QString>{"file", "line", "name", "kind", "curve", "section", "time_us", "F"}));
    std::map<int, int> rowsPerLine;
    for (size_t i = 1; i < t.size(); ++i) {
        ASSERT_EQ(t[i].size(), size_t(8));
        bool ok = false;
        t[i][6].toUInt(&ok);
        EXPECT_TRUE(ok);
        EXPECT_LE(t[i][7].toUInt(&ok), 65535u);
        EXPECT_TRUE(ok);
        ++rowsPerLine[t[i][1].toInt()];
    }
    MeasurementBuffer buffer;
    everyKind().loadInto(buffer);
    RecordIndex index{};
    const ListBuild listed = buildRecordIndex(buffer, kCurrentVersion, index);
    ASSERT_EQ(listed.listed, kEveryKindRecords);
    for (int line = 0; line < listed.listed; ++line) {
        QByteArray raw;
        appendRawCsvRecord(raw, buffer, index[size_t(line)].offset);
        int samples = 0;
        for (const QByteArray &l : raw.split('\n'))
            if (QRegularExpression(QStringLiteral("^\\d+(us|ms|s),\\d+\r$")).match(QString::fromLatin1(l)).hasMatch())
                ++samples;
        // The header without a curve gets no rows (the raw export prints the next block).
        SCOPED_TRACE(line + 1);
        EXPECT_EQ(rowsPerLine[line + 1], line + 1 == kEveryKindRecords ? 0 : samples);
    }
    // demo record 2: a 10-s OJIP curve, 208 samples, the last at 10 s.
    EXPECT_EQ(rowsPerLine[2], 208);
}

TEST(CliCurves, SectionsTimesAndVt)
{
    DataBuilder b;
    HeaderFields h;
    h.Kind = 2;
    h.F0 = 500;
    h.Fm = 2500;
    CurveSamples c{};
    c.fill(1500);
    c[0] = 500;
    TailSamples tail{};
    tail.fill(2500);
    b.addHeader(h);
    b.addCurve(c, tail);
    b.addCurve(c, tail);  // last cycle: its tail is not a measurement
    QTemporaryDir dir;
    const QString file = writeTemp(dir, QStringLiteral("k2.bin"), b.file());
    const CliRun r = runCli({QStringLiteral("curves"), file, QStringLiteral("--normalise"), QStringLiteral("vt")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const Table t = parseCsv(r.out);
    ASSERT_EQ(t.size(), size_t(1 + 118 + 9 + 118));
    EXPECT_EQ(t[0].back(), "Vt");
    EXPECT_EQ(t[1][4], "1");
    EXPECT_EQ(t[1][5], "pulse");
    EXPECT_EQ(t[1][6], "10");
    EXPECT_EQ(t[1][8], "0");
    EXPECT_EQ(t[2][8], "0.5");
    EXPECT_EQ(t[119][5], "tail");
    EXPECT_EQ(t[119][6], "2000000");
    EXPECT_EQ(t[119][8], "1");
    EXPECT_EQ(t[128][4], "2");
    EXPECT_EQ(t.back()[6], "1000000");

    // Wide: one row per curve with its tail on the whole seconds of the extension times.
    const CliRun w = runCli({QStringLiteral("curves"), file, QStringLiteral("--format"), QStringLiteral("csv")});
    ASSERT_EQ(w.status, 0) << w.err.constData();
    const Table wt = parseCsv(w.out);
    ASSERT_EQ(wt.size(), size_t(3));
    ASSERT_EQ(wt[0].size(), size_t(6 + 208));
    const auto col = columnsOf(wt[0]);
    EXPECT_EQ(wt[1][col.at("t_10us")], "500");
    EXPECT_EQ(wt[1][col.at("t_2000000us")], "2500");
    EXPECT_EQ(wt[1][col.at("t_1100000us")], "");
    EXPECT_EQ(wt[2][col.at("t_2000000us")], "");
    EXPECT_EQ(wt[2][col.at("t_1000000us")], "1500");
}

TEST(CliCurves, VtIsEmptyWithoutVariableFluorescence)
{
    DataBuilder b;
    HeaderFields h;
    h.F0 = 500;
    h.Fm = 500;
    b.addHeader(h);
    b.addCurve({});
    QTemporaryDir dir;
    const CliRun r = runCli({QStringLiteral("curves"), writeTemp(dir, QStringLiteral("a.bin"), b.file()),
                             QStringLiteral("--normalise"), QStringLiteral("vt")});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    const Table t = parseCsv(r.out);
    ASSERT_EQ(t.size(), size_t(119));
    for (size_t i = 1; i < t.size(); ++i)
        EXPECT_EQ(t[i].back(), "");
}
