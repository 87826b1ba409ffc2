#pragma once
// The eight OJIP texts of a table row: F0, Fj, Fi, Fm, Fv/Fm, tFm, Area and Mo.
#include "data/measurementbuffer.h"

#include <cstdint>
#include <optional>

namespace corvane {

// (Fm - F0) / Fm in single precision, 0 when Fm is not above F0; nothing when Fm is 0.
std::optional<float> fvFm(uint16_t F0, uint16_t Fm);

class TableRowWriter;

// Writes the eight cells "F0" .. "Mo" of the record at headerOffset.
void addOjipCells(TableRowWriter &row, const MeasurementBuffer &buffer, uint32_t headerOffset);

} // namespace corvane
