#include "data/record.h"

namespace corvane {

QByteArray RecordHeader::Name() const
{
    QByteArray name;
    for (uint32_t i = 0; i < field::NameLength; ++i) {
        const uint8_t b = m_buf.byteAt(uint64_t(m_off) + field::Name + i);
        if (b == 0)
            break;
        name.append(char(b));
    }
    return name;
}

uint64_t recordEnd(const MeasurementBuffer &buffer, uint32_t offset)
{
    uint64_t end = uint64_t(offset) + kBlockSize;
    while (end < kBufferSize && buffer.isContinuationBlock(end))
        end += kBlockSize;
    return std::min<uint64_t>(end, kBufferSize);
}

} // namespace corvane
