#pragma once
// The measurement list's model: one entry per listed record, in buffer order.
#include "data/measurementbuffer.h"

#include <array>
#include <cstdint>

namespace corvane {

inline constexpr int kMaxListed = 9999;

struct RecordEntry
{
    uint32_t offset = 0;  // byte offset of the record's header block
    uint32_t colour = 0;  // red in the lowest byte; 0 is black
};

using RecordIndex = std::array<RecordEntry, kMaxListed>;

struct ListBuild
{
    int listed = 0;   // entries filled, at most 9999
    int leftOut = 0;  // header blocks found past the 9999th
};

// The data side of building the list: clears the index, takes every header block
// in buffer order, and converts version-0 FrTime (whole seconds) to tenths once.
// The conversion covers unlisted records too, since save-all writes them with the
// current marker; a value that would overflow 16 bits saturates at 65535.
ListBuild buildRecordIndex(MeasurementBuffer &buffer, uint32_t versionMarker, RecordIndex &index);

} // namespace corvane
