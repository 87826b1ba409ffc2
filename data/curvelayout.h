#pragma once
// Where the samples of a curve block and of an extension block lie, and how many
// there are: every walk, table and time base counts with these.
#include <cstdint>

namespace corvane {

// A curve block: marker word, 118 curve samples (10 µs .. 1 s), then a 9-word tail.
inline constexpr int kCurveSamples = 118;
inline constexpr int kTailSamples = 9;
// An extension block: marker word, 90 samples (1.1 s .. 10 s).
inline constexpr int kExtensionSamples = 90;
// A curve with its extension: samples 0..207 of the time base.
inline constexpr int kAllCurveSamples = kCurveSamples + kExtensionSamples;

// Byte offsets inside a block; sample j of either layout is the word at kFirstSampleByte + 2·j.
inline constexpr uint32_t kFirstSampleByte = 2;
inline constexpr uint32_t kTailFirstByte = kFirstSampleByte + 2 * kCurveSamples;

static_assert(kAllCurveSamples == 208);
static_assert(kTailFirstByte == 238 && kTailFirstByte + 2 * kTailSamples == 256);

} // namespace corvane
