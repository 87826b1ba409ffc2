#pragma once
// Text for R and pandas: UTF-8, LF, cells quoted only when they must be, numbers as
// the shortest text that reads back to the same double, whatever the locale.
#include "data/csvcells.h"
#include "data/record.h"

#include <QByteArray>
#include <QByteArrayView>

namespace corvane::cli {

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
