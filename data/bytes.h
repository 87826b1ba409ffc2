#pragma once
// Little-endian field access. The instrument and the data files are little-endian;
// going through these keeps the code right on any host and free of pointer casts.
#include <cstddef>
#include <cstdint>
#include <span>

namespace corvane {

inline uint16_t readU16(std::span<const uint8_t> b, std::size_t at)
{
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

inline uint32_t readU32(std::span<const uint8_t> b, std::size_t at)
{
    return static_cast<uint32_t>(b[at]) | (static_cast<uint32_t>(b[at + 1]) << 8)
        | (static_cast<uint32_t>(b[at + 2]) << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline void writeU16(std::span<uint8_t> b, std::size_t at, uint16_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline void writeU32(std::span<uint8_t> b, std::size_t at, uint32_t v)
{
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
    b[at + 2] = static_cast<uint8_t>(v >> 16);
    b[at + 3] = static_cast<uint8_t>(v >> 24);
}

} // namespace corvane
