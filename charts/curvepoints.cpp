#include "charts/curvepoints.h"

#include "data/timebase.h"
#include "data/record.h"

#include <algorithm>

namespace corvane {

namespace {

// The blocks of one record: a block counts only while it lies inside the record's run
// of continuation blocks.
struct RecordBlocks
{
    RecordBlocks(const MeasurementBuffer &b, uint32_t record)
        : buffer(b)
        , header(b, record)
        , end(header.isHeader() ? recordEnd(b, record) : uint64_t(record) + kBlockSize)
    {
    }
    bool has(uint64_t offset) const { return offset < end; }
    // A record without a curve starts its walks at its end, where no block counts.
    uint64_t firstCurveBlock() const { return header.firstCurveBlock().value_or(end); }

    const MeasurementBuffer &buffer;
    RecordHeader header;
    uint64_t end;
};

void addCurve(ChartSeries &s, const CurveBlock &block, uint32_t colour)
{
    for (int j = 0; j < kCurveSamples; ++j)
        s.add(sampleTimeUs(j), block.sample(j), colour);
}

// A zero sample ends the slow part of the curve.
void addExtension(ChartSeries &s, const ExtensionBlock &block, uint32_t colour)
{
    for (int k = 0; k < kExtensionSamples; ++k) {
        const uint16_t v = block.sample(k);
        if (v == 0)
            return;
        s.add(sampleTimeUs(kCurveSamples + k), v, colour);
    }
}

void drawFirstCurve(const RecordBlocks &r, ChartSeries &series, uint32_t colour)
{
    series.clear();
    uint64_t block = r.firstCurveBlock();
    if (!r.has(block))
        return;
    addCurve(series, CurveBlock(r.buffer, block), colour);
    if (r.header.Kind() != Kind::Ojip)
        return;
    block += kBlockSize;
    if (!r.has(block))
        return;
    addExtension(series, ExtensionBlock(r.buffer, block), colour);
}

void drawAllCurves(ChartModel &chart, const RecordBlocks &r, uint32_t colour)
{
    const bool pulseTransient = r.header.Kind() == Kind::PulseTransient;
    int count = r.header.Kind() == Kind::PostSteadyState ? int(r.header.Total()) : kCurvePoolSize;
    count = std::min(count, chart.poolSize());
    uint64_t block = r.firstCurveBlock();
    uint32_t c = colour;
    for (int i = 0; i < count; ++i) {
        ChartSeries &s = chart.CurvePool[size_t(i)];
        s.resetAsPoolCurve();
        if (!r.has(block))
            return;
        if (pulseTransient && !r.has(block + kBlockSize)) {
            // The last pulse stands out with small circles.
            s.marker = MarkerStyle::Circle;
            s.markerSize = 2;
        }
        addCurve(s, CurveBlock(r.buffer, block), c);
        if (i % 16 == 15)
            chart.repaintNow();
        block += kBlockSize;
        c += kCurveColourStep;
    }
}

void drawActinicCurves(ChartModel &chart, const RecordBlocks &r, uint32_t colour, int section)
{
    const RecordHeader &h = r.header;
    if (h.Kind() != Kind::PostSteadyState || !h.hasActinicArea() || section < 0)
        return;
    const bool tenSeconds = h.hasTenSecondCurves();
    uint64_t block = h.actinicAreaStart();
    int count = kAllActinicCurves;
    if (section > 0) {
        block = h.actinicSectionStart(unsigned(section - 1));
        if (!r.has(block))
            return;
        count = 1;
    }
    count = std::min(count, chart.poolSize());
    uint32_t c = colour;
    for (int i = 0; i < count; ++i) {
        ChartSeries &s = chart.CurvePool[size_t(i)];
        s.resetAsPoolCurve();
        if (!r.has(block))
            return;
        addCurve(s, CurveBlock(r.buffer, block), c);
        if (tenSeconds) {
            block += kBlockSize;
            if (!r.has(block))
                return;
            addExtension(s, ExtensionBlock(r.buffer, block), c);
        }
        if (i % 16 == 15)
            chart.repaintNow();
        block += kBlockSize;
        c += kCurveColourStep;
    }
}

} // namespace

void drawOjip(ChartModel &chart, const MeasurementBuffer &buffer, DrawMode mode, uint32_t record, ChartSeries &series,
              uint32_t colour, int alSection)
{
    const RecordBlocks r(buffer, record);
    if (mode == DrawMode::AllCurves || mode == DrawMode::ActinicCurves) {
        chart.resetCurvePool();
        chart.repaintNow();
        if (r.header.Kind() == Kind::Ojip) {
            if (chart.poolSize() > 0)
                drawFirstCurve(r, chart.CurvePool[0], colour);
            return;
        }
    }
    if (mode == DrawMode::FirstCurve)
        drawFirstCurve(r, series, colour);
    else if (mode == DrawMode::AllCurves)
        drawAllCurves(chart, r, colour);
    else if (mode == DrawMode::ActinicCurves)
        drawActinicCurves(chart, r, colour, alSection);
}

void drawAl(ChartModel &chart, const MeasurementBuffer &buffer, uint32_t record)
{
    reDrawAxis(chart, buffer, AxisMode::TimeCourse, AxisInputs{{}, -1, record});
    const RecordBlocks r(buffer, record);
    if (!r.header.isHeader() || r.header.Kind() != Kind::PulseTransient)
        return;
    chart.Series1.clear();
    double t = 0;
    // The last cycle's tail is not part of the run (unless it is the only cycle).
    uint64_t block = r.firstCurveBlock();
    for (int used = 0; used < 60 && r.has(block) && (used == 0 || r.has(block + kBlockSize)); ++used) {
        const CurveBlock b(buffer, block);
        ChartSeries &s = chart.Series1;
        s.add(t + 0.03, b.sample(83), kFirstCurveColour);
        s.add(t + 0.3, b.sample(110), kFirstCurveColour);
        s.add(t + 1, b.sample(117), kFirstCurveColour);
        s.add(t + 1, b.tail(0), kFirstCurveColour);
        for (int k = 0; k < kTailSamples; ++k)
            s.add(t + tailTimeSeconds(k), b.tail(k), kFirstCurveColour);
        t += 10;
        block += kBlockSize;
    }
    chart.Series2.add(t, r.header.F0P(), kFirstCurveColour);
    chart.Series2.add(t + 10, r.header.F0P(), kFirstCurveColour);
    chart.Axes.xMax = t + 10;
}

void drawSelectInChart(ChartModel &chart, const MeasurementBuffer &buffer, const AxisInputs &in)
{
    reDrawAxis(chart, buffer, AxisMode::Ojip, in);
    int n = 0;
    for (const RecordEntry &e : in.tickedRecords) {
        if (n == kCurvePoolSize) {
            chart.Title = kCurveLimitTitle;
            return;
        }
        if (n >= chart.poolSize())
            return;
        drawOjip(chart, buffer, DrawMode::FirstCurve, e.offset, chart.CurvePool[size_t(n)], e.colour);
        ++n;
    }
}

} // namespace corvane
