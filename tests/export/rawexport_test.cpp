#include "exportfixtures.h"

#include "data/datafile.h"
#include "data/rawexport.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "sim/synthetic.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

struct Shape
{
    const char *name;
    void (*build)(DataBuilder &);
    int lines;
};

} // namespace

TEST(RawCsv, LineCountsPerKindAndShape)
{
    const Shape shapes[] = {
        {"Kind 1 with extension", [](DataBuilder &b) {
             HeaderFields h;
             h.OjipSeconds = 2;
             b.addHeader(h);
             b.addCurve(curveOf(1));
             b.addExtension(extensionOf(1));
         }, 210},
        {"Kind 1 whose next block is a header has no extension", [](DataBuilder &b) {
             HeaderFields h;
             h.OjipSeconds = 2;
             b.addHeader(h);
             b.addCurve(curveOf(1));
             b.addHeader(h);
         }, 120},
        {"Kind 2 with three curve blocks", [](DataBuilder &b) {
             HeaderFields h;
             h.Kind = 2;
             b.addHeader(h);
             for (uint16_t i = 1; i <= 3; ++i)
                 b.addCurve(curveOf(i), tailOf(i));
         }, 376},
        {"Kind 3, Total 2, 10 s actinic section", [](DataBuilder &b) {
             HeaderFields h;
             h.Total = 2;
             h.OjipSeconds = 2;
             addPostSteadyState(b, h, 2, 1, true);
         }, 458},
        {"Kind 3, Total 2, 1 s actinic section", [](DataBuilder &b) {
             HeaderFields h;
             h.Total = 2;
             h.OjipSeconds = 1;
             addPostSteadyState(b, h, 2, 1, false);
         }, 368},
        {"Kind 3, Total 2, no actinic area", [](DataBuilder &b) {
             HeaderFields h;
             h.Total = 2;
             h.OjipSeconds = 0;
             addPostSteadyState(b, h, 2, 0, false);
         }, 249},
        {"Kind 3, Total 0 shows only the first pulse", [](DataBuilder &b) {
             HeaderFields h;
             h.Total = 0;
             h.OjipSeconds = 1;
             addPostSteadyState(b, h, 2, 1, false);
         }, 2 + 123},
        {"invalid Kind is written as Kind 3", [](DataBuilder &b) {
             HeaderFields h;
             h.Kind = 7;
             h.OjipSeconds = 0;
             h.Total = 1;
             b.addHeader(h);
             b.addCurve(curveOf(1));
         }, 2 + 123},
    };
    for (const Shape &s : shapes) {
        SCOPED_TRACE(s.name);
        DataBuilder b;
        s.build(b);
        const Listed l(b);
        const std::vector<int> first{0};
        bool crlf = false;
        const auto lines = csvLines(rawCsvBytes(*l.buffer, *l.index, first), &crlf);
        EXPECT_EQ(lines.size(), s.lines);
        EXPECT_TRUE(crlf);
    }
}

TEST(RawCsv, OjipSectionLinesCarryTimeUnitAndValue)
{
    DataBuilder b;
    HeaderFields h;
    h.Name = gbk("玉米");
    h.Number = 7;
    h.OjipSeconds = 2;
    b.addHeader(h);
    CurveSamples c = curveOf(1);
    c[0] = 1234;
    b.addCurve(c);
    b.addExtension(extensionOf(1));
    const Listed l(b);
    const std::vector<int> first{0};
    const auto lines = csvLines(rawCsvBytes(*l.buffer, *l.index, first));
    ASSERT_EQ(lines.size(), 210);
    EXPECT_EQ(lines[0], gbk("文件名: ,玉米0007"));
    EXPECT_EQ(lines[1], gbk("OJIP测量方式 , "));
    EXPECT_EQ(lines[2], "10us,1234");
    EXPECT_EQ(lines[2 + 29], "300us,1029");
    EXPECT_EQ(lines[2 + 30], "400us,1030");
    EXPECT_EQ(lines[2 + 63], "10000us,1063");
    EXPECT_EQ(lines[2 + 64], "11ms,1064");  // the 65th curve line
    EXPECT_EQ(lines[2 + 117], "1000ms,1117");
    EXPECT_EQ(lines[2 + 118], "1100ms,1500");
    EXPECT_EQ(lines[209], "10000ms,1589");
}

TEST(RawCsv, PulseTransientCyclesHaveTailsExceptTheLast)
{
    DataBuilder b;
    HeaderFields h;
    h.Kind = 2;
    b.addHeader(h);
    b.addCurve(curveOf(1), tailOf(1));
    b.addCurve(curveOf(2), tailOf(2));
    const Listed l(b);
    const std::vector<int> first{0};
    const auto lines = csvLines(rawCsvBytes(*l.buffer, *l.index, first));
    ASSERT_EQ(lines.size(), 2 + 118 + 9 + 1 + 118);
    EXPECT_EQ(lines[1], gbk("脉冲瞬态荧光动力学测量方式,  "));
    EXPECT_EQ(lines[2 + 118], "2s,1900");
    EXPECT_EQ(lines[2 + 126], "10s,1908");
    EXPECT_EQ(lines[2 + 127], "-------- , -------- ");
    EXPECT_EQ(lines[2 + 128], "10us,2000");
    EXPECT_EQ(lines.back(), "1000ms,2117");
}

TEST(RawCsv, PostSteadyStateInterleavesPulsesAndActinicSections)
{
    DataBuilder b;
    HeaderFields h;
    h.Total = 3;
    h.OjipSeconds = 2;
    addPostSteadyState(b, h, 3, 2, true);
    const Listed l(b);
    const std::vector<int> first{0};
    const auto lines = csvLines(rawCsvBytes(*l.buffer, *l.index, first));
    // Everything but the sample lines, in order, with the first sample of each group.
    QList<QByteArray> outline;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if ((!lines[i].contains("us,") && !lines[i].contains("ms,")) || lines[i].startsWith("10us,")
            || lines[i].startsWith("1100ms,"))
            outline << lines[i];
    const QByteArray pulse = gbk("饱和光OJIP,  "), p700 = gbk("P700反射点,  "), actinic = gbk("光化光OJIP,  "),
                     sep = "-------- , -------- ";
    const QList<QByteArray> expected = {
        gbk("后稳态荧光动力学测量方式,  "),
        pulse, "10us,10000", p700, "A,10", "B,11", "C,12", actinic, "10us,20000", "1100ms,20500", sep,
        pulse, "10us,11000", p700, "A,11", "B,12", "C,13", actinic, "10us,21000", "1100ms,21500", sep,
        pulse, "10us,12000", p700, "A,12", "B,13", "C,14"};
    EXPECT_EQ(outline, expected);
}

TEST(RawExport, NoTickedLineGivesHeaderOnlyDataFileAndEmptyCsv)
{
    const Listed l(demoData());
    EXPECT_EQ(rawDataFileBytes(*l.buffer, *l.index, {}), fileHeader());
    EXPECT_TRUE(rawCsvBytes(*l.buffer, *l.index, {}).isEmpty());
}

TEST(RawExport, TickedRecordsAsDataFileLoadAgainInListOrder)
{
    DataBuilder b;
    HeaderFields h;
    std::vector<QByteArray> records;
    for (uint16_t n = 1; n <= 4; ++n) {
        h.Number = n;
        h.Kind = uint16_t(1 + n % 3);
        h.Total = 2;
        const uint32_t start = b.size();
        b.addHeader(h);
        b.addCurve(curveOf(n), tailOf(n));
        b.addCurve(curveOf(n));
        records.push_back(b.body().mid(start));
    }
    const Listed l(b);
    const std::vector<int> ticked{0, 2, 3};
    const QByteArray file = rawDataFileBytes(*l.buffer, *l.index, ticked);
    EXPECT_EQ(file, fileHeader() + records[0] + records[2] + records[3]);

    auto again = std::make_unique<MeasurementBuffer>();
    const LoadResult r = loadDataFile(QByteArrayView(file), *again);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.versionMarker, kCurrentVersion);
    auto index = std::make_unique<RecordIndex>();
    ASSERT_EQ(buildRecordIndex(*again, r.versionMarker, *index).listed, 3);
    const QString names[] = {QStringLiteral("LEAF0001"), QStringLiteral("LEAF0003"), QStringLiteral("LEAF0004")};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(listLineText(RecordHeader(*again, (*index)[size_t(i)].offset)), names[i]);
}

TEST(RawExport, WalksStopAtTheEndOfTheBuffer)
{
    const uint32_t lastBlock = kBufferSize - kBlockSize;
    struct Case
    {
        const char *name;
        uint32_t header;
        uint16_t kind;
        uint16_t total;
        int continuationBlocks;
        int csvLines;
    } cases[] = {
        // Pulses run up to the last block; the actinic area would lie far beyond.
        {"Kind 3 with a huge Total in the last blocks", lastBlock - 2 * kBlockSize, 3, 60000, 2, 2 + 123 + 1 + 123 + 1},
        // Nothing follows the header: the record has no curve.
        {"Kind 1 in the last block position", lastBlock, 1, 0, 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        auto buffer = std::make_unique<MeasurementBuffer>();
        auto index = std::make_unique<RecordIndex>();
        buffer->data()[c.header] = kHeaderMarker;
        buffer->setU16(c.header + field::Kind, c.kind);
        buffer->setU16(c.header + field::Total, c.total);
        buffer->setU16(c.header + field::OjipSeconds, 2);
        for (int i = 1; i <= c.continuationBlocks; ++i)
            buffer->data()[c.header + uint32_t(i) * kBlockSize] = kContinuationMarker;
        ASSERT_EQ(buildRecordIndex(*buffer, kCurrentVersion, *index).listed, 1);
        const std::vector<int> first{0};
        const auto lines = csvLines(rawCsvBytes(*buffer, *index, first));
        EXPECT_EQ(lines.size(), c.csvLines);
        EXPECT_EQ(rawDataFileBytes(*buffer, *index, first).size(),
                  qsizetype(kFileHeaderSize + (1 + c.continuationBlocks) * kBlockSize));
    }
}

// A header block followed at once by the next record's header: the record has no
// curve, and its section is the section line alone, as if nothing followed it.
TEST(RawCsv, RecordWithoutCurveBlockReadsNothingOfTheNextRecord)
{
    for (uint16_t kind : {1, 2, 3}) {
        SCOPED_TRACE(kind);
        HeaderFields a;
        a.Kind = kind;
        a.Name = "A";
        a.OjipSeconds = 2;
        a.Total = 2;
        HeaderFields next;
        next.Name = "B";
        next.Number = 2;
        next.AlTime = 2300;
        next.F0 = 3000;
        DataBuilder followed;
        followed.addHeader(a);
        followed.addHeader(next);
        followed.addCurve(curveOf(5));
        followed.addExtension(extensionOf(5));
        DataBuilder alone;
        alone.addHeader(a);
        const Listed withNext(followed), byItself(alone);
        ASSERT_EQ(withNext.count, 2);
        const std::vector<int> first{0};
        const QByteArray csv = rawCsvBytes(*withNext.buffer, *withNext.index, first);
        EXPECT_EQ(csvLines(csv).size(), 2) << csv.constData();
        EXPECT_EQ(csv, rawCsvBytes(*byItself.buffer, *byItself.index, first));
    }
}
