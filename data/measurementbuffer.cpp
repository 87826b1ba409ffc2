#include "data/measurementbuffer.h"

#include "data/bytes.h"

#include <algorithm>

namespace corvane {

std::span<uint8_t> MeasurementBuffer::writable(uint64_t offset, uint32_t length)
{
    if (offset >= kBufferSize)
        return {};
    const auto end = uint32_t(std::min<uint64_t>(offset + length, kBufferSize));
    m_used = std::max(m_used, end);
    return std::span(m_bytes).subspan(size_t(offset), size_t(end - offset));
}

void MeasurementBuffer::clear()
{
    std::fill_n(m_bytes.begin(), m_used, uint8_t{0});
    m_used = 0;
}

void MeasurementBuffer::copyFrom(const MeasurementBuffer &other)
{
    if (&other == this)
        return;
    std::copy_n(other.m_bytes.begin(), other.m_used, m_bytes.begin());
    if (m_used > other.m_used)
        std::fill(m_bytes.begin() + other.m_used, m_bytes.begin() + m_used, uint8_t{0});
    m_used = other.m_used;
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
    if (offset + 2 <= kBufferSize) {
        writeU16(m_bytes, offset, value);
        m_used = std::max(m_used, uint32_t(offset + 2));
    }
}

} // namespace corvane
