#pragma once
// Colour values as stored for lines and curves: red in the lowest byte, then green, then blue.
#include <QColor>

#include <cstdint>

namespace corvane {

inline QColor toQColor(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

inline uint32_t fromQColor(const QColor &c)
{
    return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

} // namespace corvane
