#include "data/recordindex.h"

#include "data/record.h"

#include <algorithm>
#include <utility>

namespace corvane {

ListBuild buildRecordIndex(MeasurementBuffer &buffer, uint32_t versionMarker, RecordIndex &index)
{
    index.fill(RecordEntry{});
    ListBuild r;
    const uint8_t *bytes = std::as_const(buffer).data();
    // Behind the used part every byte is zero: no header block there.
    for (uint32_t p = 0; p < buffer.usedEnd(); p += kBlockSize) {
        if (bytes[p] != kHeaderMarker)
            continue;
        if (r.listed < kMaxListed)
            index[size_t(r.listed++)].offset = p;
        else
            ++r.leftOut;
        if (versionMarker == 0) {
            const uint32_t tenths = uint32_t(buffer.u16(uint64_t(p) + field::FrTime)) * 10u;
            buffer.setU16(uint64_t(p) + field::FrTime, uint16_t(std::min<uint32_t>(tenths, 0xFFFF)));
        }
    }
    return r;
}

} // namespace corvane
