#pragma once
// The P700 samples A, B and C of a post-steady-state record, one row per
// saturating pulse, as the exact bytes of the CSV file (GBK, CR LF).
#include "data/measurementbuffer.h"

#include <QByteArray>

namespace corvane {

// `nameBytes` is the record's list line text as GBK bytes.
QByteArray p700CsvBytes(const MeasurementBuffer &buffer, uint32_t recordOffset, const QByteArray &nameBytes);

} // namespace corvane
