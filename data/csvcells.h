#pragma once
// CSV cells as our own text outputs write them: numbers as the shortest text that reads
// back to the same double, whatever the locale; cells quoted only when they must be.
#include <QByteArray>
#include <QByteArrayView>

namespace corvane {

// Shortest round-trip decimal text (std::to_chars), independent of the C locale.
void appendDouble(QByteArray &out, double value);
void appendInteger(QByteArray &out, long long value);

// A cell that holds the separator, a quote or a line end is quoted, quotes doubled.
void appendCell(QByteArray &out, QByteArrayView cell, char separator);

} // namespace corvane
