#pragma once
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace corvane {

inline constexpr uint32_t kBufferSize = 0x800000;  // 8 MiB of instrument memory
inline constexpr uint32_t kBlockSize = 256;
inline constexpr uint32_t kBlockPositions = kBufferSize / kBlockSize;  // 32 768
inline constexpr uint8_t kHeaderMarker = 0xA5;
inline constexpr uint8_t kContinuationMarker = 0xAA;
inline constexpr uint32_t kCurrentVersion = 0x20130219;

// The body of the current data: 256-byte blocks from offset 0, zero behind the last.
// Allocated once; every read is bounds-checked, so a walk that runs off the end
// reads zeros (never a continuation block) instead of foreign memory.
//
// The buffer knows how far it was written (usedEnd()): every byte from there on is
// zero. Clearing and copying touch only the used part, so a small file replacing a
// large one costs what the small file costs. Writers say where they write through
// writable(); taking the non-const data() or bytes() counts the whole buffer as used.
class MeasurementBuffer
{
public:
    MeasurementBuffer() : m_bytes(kBufferSize, 0) {}
    MeasurementBuffer(const MeasurementBuffer &) = delete;
    MeasurementBuffer &operator=(const MeasurementBuffer &) = delete;
    MeasurementBuffer(MeasurementBuffer &&) = default;
    MeasurementBuffer &operator=(MeasurementBuffer &&) = default;

    static constexpr uint32_t size() { return kBufferSize; }
    uint8_t *data()
    {
        m_used = kBufferSize;
        return m_bytes.data();
    }
    const uint8_t *data() const { return m_bytes.data(); }
    std::span<uint8_t> bytes()
    {
        m_used = kBufferSize;
        return m_bytes;
    }
    std::span<const uint8_t> bytes() const { return m_bytes; }

    // The bytes [offset, offset + length) for writing, cut at the end of the buffer.
    std::span<uint8_t> writable(uint64_t offset, uint32_t length);
    // Every byte from here to the end is zero.
    uint32_t usedEnd() const { return m_used; }

    void clear();
    // Becomes a copy of `other` without giving up its own allocation.
    void copyFrom(const MeasurementBuffer &other);
    void swap(MeasurementBuffer &other) noexcept
    {
        m_bytes.swap(other.m_bytes);
        std::swap(m_used, other.m_used);
    }

    uint8_t byteAt(uint64_t offset) const { return offset < kBufferSize ? m_bytes[offset] : 0; }
    uint16_t u16(uint64_t offset) const;
    uint32_t u32(uint64_t offset) const;
    void setU16(uint64_t offset, uint16_t value);

    bool isHeaderBlock(uint64_t offset) const { return byteAt(offset) == kHeaderMarker; }
    bool isContinuationBlock(uint64_t offset) const { return byteAt(offset) == kContinuationMarker; }

private:
    std::vector<uint8_t> m_bytes;
    uint32_t m_used = 0;
};

} // namespace corvane
