#pragma once
// Realistic measurements for demos and tests: OJIP rises, kinetics cycles with
// quenching, and P700 samples, written with DataBuilder.
#include "sim/databuilder.h"

namespace corvane {

struct OjipShape
{
    double F0 = 400, Fj = 900, Fi = 1400, Fm = 2000;
};

// Samples of one OJIP rise: F0 at 10 µs, J near 2 ms, I near 30 ms, P near 300 ms,
// slowly declining towards 10 s.
CurveSamples ojipCurve(const OjipShape &s);
ExtensionSamples ojipExtension(const OjipShape &s);

// Each appends one whole record and returns its header offset.
uint32_t addOjipRecord(DataBuilder &b, HeaderFields h, const OjipShape &s, bool tenSeconds);
uint32_t addPulseTransientRecord(DataBuilder &b, HeaderFields h, const OjipShape &s, int cycles);
uint32_t addPostSteadyStateRecord(DataBuilder &b, HeaderFields h, const OjipShape &s, int cycles, uint16_t ojipSeconds);

// A few records of each kind, named in Chinese and Latin letters: samples/demo.bin.
DataBuilder demoData();

// n records cycling through the three kinds, three blocks each, so 9999 of them fit
// the buffer: for benchmarks and large-file tests.
DataBuilder bulkData(int records);

// One record of `kind` (1 OJIP, 2 pulse transient, 3 post-steady state): the smallest
// well-formed file of each kind, for seed inputs.
DataBuilder singleRecordData(int kind);

// Bulk records filling the buffer to its last block: the largest file that loads whole.
DataBuilder fullBufferData();

} // namespace corvane
