// The loader and the list build, with every list line's texts as the list shows them.
#include "fuzzsupport.h"

#include "data/record.h"
#include "data/recordtext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace corvane;
    const fuzz::Loaded l = fuzz::loadInput(data, size);
    if (!l.ok())
        return 0;
    const MeasurementBuffer &buffer = l.state.MeasurementBuffer;
    fuzz::require(l.load.blockCount <= kBlockPositions);
    fuzz::require(uint32_t(l.list.listed + l.list.leftOut) == l.load.recordCount);
    // Behind the stored blocks the buffer reads as zero, whatever was loaded before.
    const uint64_t end = uint64_t(l.load.blockCount) * kBlockSize;
    for (uint64_t p = end; p < std::min<uint64_t>(end + 2 * kBlockSize, kBufferSize); ++p)
        fuzz::require(buffer.byteAt(p) == 0);
    for (int i = 0; i < l.list.listed; ++i) {
        const RecordHeader h(buffer, l.state.RecordIndex[size_t(i)].offset);
        fuzz::require(buffer.isHeaderBlock(h.offset()));
        const QString line = listLineText(h) + kindText(h.Kind()) + measurementTimeText(h);
        fuzz::require(!line.isEmpty());
    }
    return 0;
}
