#pragma once
// The run settings (SL, AL, Total, FR, Dark) and the quenching values (F0', Fm', Fs,
// qP, qN, ΦPSII) of a table row, by the record's Kind.
#include "data/record.h"

#include <cstdint>
#include <optional>

namespace corvane {

// FrTime (tenths of a second) in seconds, single precision.
float frSeconds(uint16_t FrTime);

// Each is nothing where its guard fails (the cell then reads "Err").
std::optional<float> qP(uint16_t FmP, uint16_t Fs, uint16_t F0P);
std::optional<float> qN(uint16_t FmP, uint16_t F0P, uint16_t Fm, uint16_t F0);
std::optional<float> phiPSII(uint16_t FmP, uint16_t Fs);

class TableRowWriter;

// Write the cells "SL(T:s)" .. "Dark T:s" (five) and "F0'" .. "ΦPSII" (six) of a
// record of Kind 1, 2 or 3; for any other Kind they write nothing.
void addSettingsCells(TableRowWriter &row, const RecordHeader &h);
void addQuenchingCells(TableRowWriter &row, const RecordHeader &h);

} // namespace corvane
