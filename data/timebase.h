#pragma once
// The fixed sampling schedule of every OJIP-type curve: 118 samples from 10 µs to 1 s,
// and 90 extension samples from 1.1 s to 10 s. Only values are stored; times follow
// from the position.
#include "data/curvelayout.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane {

// Time of curve sample j as a whole number: microseconds for j < 64, milliseconds from 64.
extern const std::array<int32_t, kCurveSamples> TimeLabelTable;
// Time of sample j (0..207) in milliseconds, as the nearest single-precision value.
extern const std::array<float, kAllCurveSamples> TimeMsTable;

// Unit of TimeLabelTable[j]: "us" below 64, "ms" from 64 on.
inline std::string_view timeLabelUnit(int j) { return j < 64 ? "us" : "ms"; }

// Label of extension sample k (0..89) in milliseconds.
inline int32_t extensionLabelMs(int k) { return 1100 + 100 * k; }

// Time of sample j (0..207) in whole microseconds: the chart's OJIP time axis.
uint32_t sampleTimeUs(int j);

// The tail of a pulse-transient curve block: tail sample n (0..8) lies n + 2 seconds
// after the start of that pulse's curve.
inline constexpr int32_t tailTimeSeconds(int n) { return n + 2; }
inline constexpr uint32_t tailTimeUs(int n) { return uint32_t(tailTimeSeconds(n)) * 1000000u; }

} // namespace corvane
