#pragma once
// The eight OJIP texts of a table row: F0, Fj, Fi, Fm, Fv/Fm, tFm, Area and Mo.
#include "data/measurementbuffer.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace corvane {

// (Fm - F0) / Fm in single precision, 0 when Fm is not above F0; nothing when Fm is 0.
std::optional<float> fvFm(uint16_t F0, uint16_t Fm);

inline constexpr int kOjipTextCount = 8;
std::array<QByteArray, kOjipTextCount> ojipParameterTexts(const MeasurementBuffer &buffer, uint32_t headerOffset);

} // namespace corvane
