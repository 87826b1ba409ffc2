#pragma once
// The raw export of the ticked measurements: the data-file form (header and the
// records' blocks unchanged) and the CSV form (time and value of every sample, in
// sections per measurement), both as the exact bytes written to disk.
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <QByteArray>

#include <span>

namespace corvane {

// `lines` are list lines (RecordIndex entries) in list order; lines outside the
// index are skipped.
QByteArray rawDataFileBytes(const MeasurementBuffer &buffer, const RecordIndex &index, std::span<const int> lines);

// GBK text, CR LF line ends, no quoting; empty when no line is given.
QByteArray rawCsvBytes(const MeasurementBuffer &buffer, const RecordIndex &index, std::span<const int> lines);

// The file-name line and the section of the record whose header block is at `offset`.
void appendRawCsvRecord(QByteArray &out, const MeasurementBuffer &buffer, uint32_t offset);

} // namespace corvane
