#pragma once
// Builds data-file bodies block by block, so tests and demos show the bytes they use.
#include "data/measurementbuffer.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace corvane {

struct HeaderFields
{
    uint16_t Number = 1;
    QByteArray Name = "LEAF";  // GBK bytes, at most 8 used
    uint16_t Kind = 1;
    uint16_t SlTime = 0;
    uint16_t AlTime = 0;
    uint16_t OjipSeconds = 1;
    uint16_t FrTime = 0;
    uint16_t DarkTime = 0;
    uint16_t Total = 0;
    uint16_t IrLevel = 0;
    uint16_t F0 = 0, Fj = 0, Fi = 0, Fm = 0, FmP = 0, Fs = 0, F0P = 0;
    uint16_t Year = 2013;
    uint8_t Month = 2, Day = 19, Hour = 9, Minute = 5, Second = 30;
};

using CurveSamples = std::array<uint16_t, 118>;
using ExtensionSamples = std::array<uint16_t, 90>;
using TailSamples = std::array<uint16_t, 9>;

class DataBuilder
{
public:
    // Each returns the byte offset of the block it appended.
    uint32_t addHeader(const HeaderFields &h);
    uint32_t addCurve(const CurveSamples &samples, const TailSamples &tail = {});
    uint32_t addExtension(const ExtensionSamples &samples);
    uint32_t addBlock(uint8_t marker, uint8_t fill = 0);  // any marker, for awkward shapes

    uint32_t size() const { return uint32_t(m_body.size()); }
    const QByteArray &body() const { return m_body; }
    QByteArray file(bool withHeader = true) const;
    // Copies the body into the buffer from offset 0, the rest zero.
    void loadInto(MeasurementBuffer &buffer) const;

private:
    uint32_t appendBlock();
    QByteArray m_body;
};

} // namespace corvane
