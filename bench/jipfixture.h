#pragma once
// The JIP benchmarks' data: `count` OJIP records whose levels grow by 0.4 % each,
// every other one of ten seconds (208 samples), numbered from 1.
#include "sim/synthetic.h"

namespace corvane::bench {

inline void addScaledOjipRecords(DataBuilder &b, int count)
{
    HeaderFields h;
    for (int i = 0; i < count; ++i) {
        h.Number = uint16_t(i + 1);
        const double s = 1.0 + 0.004 * i;
        addOjipRecord(b, h, {400 * s, 900 * s, 1400 * s, 2000 * s}, i % 2 == 1);
    }
}

} // namespace corvane::bench
