#pragma once
// The number patterns of every table cell and CSV field. Rounding works on the exact
// binary value, halves away from zero, so 0.125f shows as 0.13 and 0.005f (just below
// 0.005) as 0.00; printf would round exact halves to even instead. The output never
// depends on the locale.
#include <QByteArray>

#include <cstdint>

namespace corvane {

// "0.0", "0.00", "0.000" for decimals 1, 2, 3 (0 gives a whole number, more than 3
// counts as 3): at least one integer digit, exactly `decimals` decimals, no group
// separators, and no sign on a value that rounds to zero. A float argument widens to
// double exactly.
QByteArray formatFixed(double value, int decimals);
void appendFixed(QByteArray &out, double value, int decimals);

// Plain decimal integer: no leading zeros, no sign, no separators.
void appendDecimal(QByteArray &out, uint64_t value);

} // namespace corvane
