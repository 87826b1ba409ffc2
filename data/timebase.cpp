#include "data/timebase.h"

namespace corvane {

namespace {

// Exact time of sample j in microseconds (integers, so no rounding enters here).
constexpr uint32_t exactUs(int j)
{
    if (j < 30)
        return 10u * uint32_t(j + 1);
    if (j < 57)
        return 100u * uint32_t(j - 26);
    if (j < 84)
        return 1000u * uint32_t(j - 53);
    if (j < 111)
        return 10000u * uint32_t(j - 80);
    if (j < kCurveSamples)
        return 100000u * uint32_t(j - 107);
    return 1100000u + 100000u * uint32_t(j - kCurveSamples);
}

constexpr std::array<int32_t, kCurveSamples> makeLabels()
{
    std::array<int32_t, kCurveSamples> t{};
    for (int j = 0; j < kCurveSamples; ++j)
        t[size_t(j)] = int32_t(j < 64 ? exactUs(j) : exactUs(j) / 1000u);
    return t;
}

std::array<float, kAllCurveSamples> makeMs()
{
    std::array<float, kAllCurveSamples> t{};
    // Dividing the exact integer in double and rounding once gives the float nearest
    // to the decimal time (0.01 ms is stored as 0.00999999977648258).
    for (int j = 0; j < kAllCurveSamples; ++j)
        t[size_t(j)] = static_cast<float>(double(exactUs(j)) / 1000.0);
    return t;
}

} // namespace

const std::array<int32_t, kCurveSamples> TimeLabelTable = makeLabels();
const std::array<float, kAllCurveSamples> TimeMsTable = makeMs();

uint32_t sampleTimeUs(int j)
{
    return j >= 0 && j < kAllCurveSamples ? exactUs(j) : 0;
}

} // namespace corvane
