#pragma once
// The data file: an optional 256-byte header carrying the version marker, then
// 256-byte blocks exactly as they stand in the measurement buffer.
#include "data/measurementbuffer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvane {

inline constexpr uint32_t kFileHeaderSize = 256;

enum class LoadError { None, CannotOpen, Empty, NoMeasurements, BadMarker };

struct LoadResult
{
    LoadError error = LoadError::None;
    uint32_t recordCount = 0;    // header blocks read
    uint32_t blockCount = 0;     // blocks stored
    uint32_t versionMarker = 0;  // kCurrentVersion, or 0 for version-0 data
    bool truncated = false;      // the file held more blocks than the buffer
    bool ok() const { return error == LoadError::None; }
};

// Fills `out` from the bytes of a data file by the loading rules: the end of the
// file reads as 0xFF, a header is recognised only before the first block, and at
// most 32 768 blocks are stored. On failure `out` holds what the rules left there;
// callers load into a scratch buffer and keep their data unless this succeeds.
LoadResult loadDataFile(QByteArrayView file, MeasurementBuffer &out);
LoadResult loadDataFile(const QString &path, MeasurementBuffer &out);

QString loadErrorText(LoadError error);

// 19 02 13 20 and 252 zero bytes.
QByteArray fileHeader();

// The header block at `offset` and every directly following continuation block.
void appendRecord(QByteArray &out, const MeasurementBuffer &buffer, uint32_t offset);

// Header, then the first `bodyLength` bytes of the buffer (clamped to its size).
QByteArray dataFileBytes(const MeasurementBuffer &buffer, uint64_t bodyLength, bool withHeader = true);

} // namespace corvane
