#include "data/measurementbuffer.h"

#include "data/bytes.h"

#include <algorithm>

namespace corvane {

void MeasurementBuffer::clear()
{
    std::fill(m_bytes.begin(), m_bytes.end(), uint8_t{0});
}

uint16_t MeasurementBuffer::u16(uint64_t offset) const
{
    return offset + 2 <= kBufferSize ? readU16(m_bytes, offset) : 0;
}

uint32_t MeasurementBuffer::u32(uint64_t offset) const
{
    return offset + 4 <= kBufferSize ? readU32(m_bytes, offset) : 0;
}

void MeasurementBuffer::setU16(uint64_t offset, uint16_t value)
{
    if (offset + 2 <= kBufferSize)
        writeU16(m_bytes, offset, value);
}

} // namespace corvane
