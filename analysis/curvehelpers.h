#pragma once
// What the first OJIP-type curve of a record gives: the time of its maximum, the
// log-time area above it and its initial slope. Each reads only the record's bytes.
#include "data/timebase.h"
#include "data/record.h"

#include <array>
#include <cstdint>

namespace corvane {

// The samples the helpers search: the 118 of the curve block, followed by the 90 of
// the extension block only for an OJIP record with OjipSeconds above 1 whose block
// after the curve block is a continuation block.
struct OjipSequence
{
    std::array<uint16_t, kAllCurveSamples> s{};
    int count = 0;
};
OjipSequence ojipSequence(const MeasurementBuffer &buffer, uint32_t headerOffset);

struct Peak
{
    uint16_t value = 0;  // M
    int index = 0;       // m: the earliest of equal maxima; 0 when every sample is 0
};
Peak findPeak(const OjipSequence &seq);

// The two peak-based results from a sequence searched once (the table needs both).
uint32_t peakTimeMs(const Peak &peak);
uint32_t logTimeArea(const OjipSequence &seq, const Peak &peak);

// The helpers take the record by the offset of its header block; its curve block is
// the block directly behind it.

// Time of the maximum in whole milliseconds, 10 .. 10000; any peak up to 10 ms reads 10.
uint32_t CalcTFm(const MeasurementBuffer &buffer, uint32_t headerOffset);
// Area between the peak level and the curve up to the peak, time on a log10(ms) axis,
// each trapezoid rounded half up on its own.
uint32_t CalcArea(const MeasurementBuffer &buffer, uint32_t headerOffset);
// Mo = 4 (s_29 - F0) / (Fm - F0) in single precision from the header's F0 and Fm; 0
// when the sample at 300 µs is below F0 or Fm is not above F0.
float CalcMo(const MeasurementBuffer &buffer, uint32_t headerOffset);

} // namespace corvane
