#pragma once
// Text for R and pandas: UTF-8, LF, cells quoted only when they must be, numbers as
// the shortest text that reads back to the same double, whatever the locale.
#include "data/record.h"

#include <QByteArray>
#include <QByteArrayView>

namespace corvane::cli {

// Shortest round-trip decimal text (std::to_chars), independent of the C locale.
void appendDouble(QByteArray &out, double value);
void appendInteger(QByteArray &out, long long value);

// A cell that holds the separator, a quote or a line end is quoted, quotes doubled.
void appendCell(QByteArray &out, QByteArrayView utf8, char separator);

// "2013-02-19T09:05:30" from the record's own date fields.
QByteArray isoTime(const RecordHeader &header);

// "OJIP", "pulse-transient", "post-steady-state", or "invalid".
QByteArrayView kindToken(Kind kind);

// The measurement columns every tidy row starts with: file, line (from 1), name,
// number, kind, time; each followed by the separator.
QByteArray measurementCells(QByteArrayView file, int line, const RecordHeader &header, char separator);
// The shorter start of a curve-sample row: file, line, name, kind.
QByteArray curveRecordCells(QByteArrayView file, int line, const RecordHeader &header);
inline constexpr const char *kMeasurementHeader[] = {"file", "line", "name", "number", "kind", "time"};

} // namespace corvane::cli
