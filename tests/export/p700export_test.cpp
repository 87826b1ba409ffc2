#include "exportfixtures.h"

#include "data/p700export.h"
#include "data/record.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

const QByteArray kHeadings = gbk("后稳态测量,文件名:,玉米0012,IR强度等级:3\r\n"
                                 "--暗适应--\r\n"
                                 "饱和脉冲序号,采样点A,采样点B,采样点C \r\n");

} // namespace

TEST(P700Csv, OneRowPerSaturatingPulseWithEmptyCellsForZeroSamples)
{
    using Samples = std::vector<std::array<uint16_t, 3>>;
    struct Case
    {
        const char *name;
        uint16_t total;
        Samples pulses;    // saturating-pulse blocks, then a header block
        QByteArray rows;
    } cases[] = {
        {"zero samples leave cells empty", 3, {{812, 2040, 935}, {0, 1990, 940}, {800, 2000, 0}},
         "1,812,2040,935,\r\n2,,1990,940,\r\n3,800,2000,,\r\n"},
        {"rows stop where the pulse blocks end", 5, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
         "1,1,2,3,\r\n2,4,5,6,\r\n3,7,8,9,\r\n"},
        {"Total limits the rows", 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, "1,1,2,3,\r\n2,4,5,6,\r\n"},
        {"Total 0 gives the headings only", 0, {{1, 2, 3}}, ""},
        {"all zero", 1, {{0, 0, 0}}, "1,,,,\r\n"},
        // The next record's header is no pulse block: nothing of it may become a row.
        {"no pulse block before the next header", 3, {}, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DataBuilder b;
        HeaderFields h;
        h.Kind = 3;
        h.Name = gbk("玉米");
        h.Number = 12;
        h.IrLevel = 3;
        h.Total = c.total;
        const uint32_t record = b.addHeader(h);
        for (const auto &p : c.pulses)
            b.addCurve(curveOf(1), TailSamples{p[0], p[1], p[2]});
        b.addHeader(h);
        auto buffer = std::make_unique<MeasurementBuffer>();
        b.loadInto(*buffer);
        EXPECT_EQ(p700CsvBytes(*buffer, record, gbk("玉米0012")), kHeadings + c.rows);
    }
}

TEST(P700Csv, RecordInTheLastBlockReadsNothingBeyondTheBuffer)
{
    auto buffer = std::make_unique<MeasurementBuffer>();
    const uint32_t last = kBufferSize - kBlockSize;
    buffer->data()[last] = kHeaderMarker;
    buffer->setU16(last + field::Total, 9);
    const QByteArray csv = p700CsvBytes(*buffer, last, "X0001");
    // Nothing follows the header: no pulse block, so no row.
    EXPECT_TRUE(csv.endsWith(gbk("采样点C \r\n"))) << csv.constData();
}
