#include "analysis/curvehelpers.h"

#include "data/bytes.h"

#include <cmath>

namespace corvane {

namespace {

// log10 of the stored single-precision times, differenced once: the same doubles for
// every record, so the table of 9999 rows does not repeat 2 million logarithms.
const std::array<double, kAllCurveSamples - 1> &logTimeSteps()
{
    static const std::array<double, kAllCurveSamples - 1> steps = [] {
        std::array<double, kAllCurveSamples - 1> d{};
        for (int j = 0; j + 1 < kAllCurveSamples; ++j)
            d[size_t(j)] = std::log10(double(TimeMsTable[size_t(j + 1)])) - std::log10(double(TimeMsTable[size_t(j)]));
        return d;
    }();
    return steps;
}

constexpr int kSampleAt300us = 29;

// The words 1 .. n of a block. A block inside the buffer is read without a bounds
// check per word; one that runs off the end reads zeros there.
void readSamples(const MeasurementBuffer &buffer, uint64_t block, int n, uint16_t *out)
{
    if (block + kBlockSize <= kBufferSize) {
        const std::span<const uint8_t> bytes = buffer.bytes().subspan(block, kBlockSize);
        for (int j = 0; j < n; ++j)
            out[j] = readU16(bytes, 2 + 2 * size_t(j));
    } else {
        for (int j = 0; j < n; ++j)
            out[j] = buffer.u16(block + 2 + 2 * uint64_t(j));
    }
}

} // namespace

OjipSequence ojipSequence(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader header(buffer, headerOffset);
    OjipSequence seq;
    const std::optional<uint64_t> curve = header.firstCurveBlock();
    if (!curve)
        return seq;
    readSamples(buffer, *curve, kCurveSamples, seq.s.data());
    seq.count = kCurveSamples;
    // Only a Kind 1 record measured to 10 s has its extension searched.
    const std::optional<uint64_t> ext = header.blockBehindFirstCurve();
    if (header.Kind() == Kind::Ojip && header.hasTenSecondCurves() && ext) {
        readSamples(buffer, *ext, kExtensionSamples, seq.s.data() + kCurveSamples);
        seq.count = kAllCurveSamples;
    }
    return seq;
}

Peak findPeak(const OjipSequence &seq)
{
    Peak p;
    for (int j = 0; j < seq.count; ++j) {
        if (seq.s[size_t(j)] > p.value) {
            p.value = seq.s[size_t(j)];
            p.index = j;
        }
    }
    return p;
}

uint32_t peakTimeMs(const Peak &p)
{
    if (p.index >= kCurveSamples)
        return uint32_t(extensionLabelMs(p.index - kCurveSamples));
    if (p.index < 64)
        return 10;
    return uint32_t(TimeLabelTable[size_t(p.index)]);
}

uint32_t CalcTFm(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    return peakTimeMs(findPeak(ojipSequence(buffer, headerOffset)));
}

uint32_t logTimeArea(const OjipSequence &seq, const Peak &p)
{
    const auto &d = logTimeSteps();
    uint32_t area = 0;
    for (int j = 0; j < p.index; ++j) {
        const uint32_t h = ((uint32_t(p.value) - seq.s[size_t(j)]) + (uint32_t(p.value) - seq.s[size_t(j + 1)])) / 2;
        // Rounded to single precision before the fraction is dropped: a double just
        // below a whole number can round up to it here.
        const float x = float(d[size_t(j)] * double(h) + 0.5);
        area += uint32_t(x);
    }
    return area;
}

uint32_t CalcArea(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const OjipSequence seq = ojipSequence(buffer, headerOffset);
    return logTimeArea(seq, findPeak(seq));
}

float CalcMo(const MeasurementBuffer &buffer, uint32_t headerOffset)
{
    const RecordHeader header(buffer, headerOffset);
    const std::optional<uint64_t> block = header.firstCurveBlock();
    if (!block)
        return 0.0f;
    const uint32_t s = CurveBlock(buffer, *block).sample(kSampleAt300us);
    const uint32_t f0 = header.F0();
    const uint32_t fm = header.Fm();
    if (s < f0 || fm <= f0)
        return 0.0f;
    return float(double(4 * (s - f0)) / double(fm - f0));
}

} // namespace corvane
