#pragma once
// Small record shapes for the chart tests, built with DataBuilder.
#include "sim/databuilder.h"

#include <cstring>
#include <memory>

namespace corvane::test {

// Sample j is base + j, so every point shows where it came from.
inline CurveSamples rampCurve(uint16_t base)
{
    CurveSamples c{};
    for (size_t j = 0; j < c.size(); ++j)
        c[j] = uint16_t(base + j);
    return c;
}

inline CurveSamples flatCurve(uint16_t v)
{
    CurveSamples c{};
    c.fill(v);
    return c;
}

// Extension whose samples from `zeroAt` on are 0 (90: none).
inline ExtensionSamples extension(uint16_t base, int zeroAt = 90)
{
    ExtensionSamples e{};
    for (int k = 0; k < zeroAt && k < 90; ++k)
        e[size_t(k)] = uint16_t(base + k);
    return e;
}

inline TailSamples rampTail(uint16_t base)
{
    TailSamples t{};
    for (size_t k = 0; k < t.size(); ++k)
        t[k] = uint16_t(base + k);
    return t;
}

inline std::unique_ptr<MeasurementBuffer> bufferOf(const DataBuilder &b)
{
    auto buf = std::make_unique<MeasurementBuffer>();
    b.loadInto(*buf);
    return buf;
}

// Puts the builder's blocks at the very end of the buffer; returns where they start.
inline uint32_t placeAtEnd(const DataBuilder &b, MeasurementBuffer &buf)
{
    const uint32_t at = kBufferSize - b.size();
    std::memcpy(buf.data() + at, b.body().constData(), size_t(b.size()));
    return at;
}

} // namespace corvane::test
