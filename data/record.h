#pragma once
// Named access to the fields of a measurement record. A view holds the buffer and
// the byte offset of its block; reads outside the buffer give 0.
#include "data/curvelayout.h"
#include "data/measurementbuffer.h"

#include <QByteArray>

#include <optional>

namespace corvane {

namespace field {
inline constexpr uint32_t Number = 2;
inline constexpr uint32_t Name = 4;
inline constexpr uint32_t NameLength = 8;
inline constexpr uint32_t Kind = 12;
inline constexpr uint32_t SlTime = 14;
inline constexpr uint32_t AlTime = 16;
inline constexpr uint32_t OjipSeconds = 18;
inline constexpr uint32_t FrTime = 20;
inline constexpr uint32_t DarkTime = 24;
inline constexpr uint32_t Total = 26;
inline constexpr uint32_t IrLevel = 28;
inline constexpr uint32_t F0 = 68;
inline constexpr uint32_t Fj = 70;
inline constexpr uint32_t Fi = 72;
inline constexpr uint32_t Fm = 74;
inline constexpr uint32_t FmP = 76;
inline constexpr uint32_t Fs = 78;
inline constexpr uint32_t F0P = 80;
inline constexpr uint32_t Year = 82;
inline constexpr uint32_t Month = 84;
inline constexpr uint32_t Day = 85;
inline constexpr uint32_t Hour = 86;
inline constexpr uint32_t Minute = 87;
inline constexpr uint32_t Second = 88;
} // namespace field

// The measurement kind as stored; a record may carry any other value, which is invalid.
enum class Kind : uint16_t { Ojip = 1, PulseTransient = 2, PostSteadyState = 3 };

inline constexpr bool isValidKind(Kind kind)
{
    return kind == Kind::Ojip || kind == Kind::PulseTransient || kind == Kind::PostSteadyState;
}

class RecordHeader
{
public:
    RecordHeader(const MeasurementBuffer &buffer, uint32_t offset) : m_buf(buffer), m_off(offset) {}

    uint32_t offset() const { return m_off; }
    bool isHeader() const { return m_buf.isHeaderBlock(m_off); }

    uint16_t Number() const { return u16(field::Number); }
    // GBK bytes up to the first NUL, at most 8: an 8-byte name has no terminator.
    QByteArray Name() const;
    corvane::Kind Kind() const { return corvane::Kind(u16(field::Kind)); }
    uint16_t SlTime() const { return u16(field::SlTime); }
    uint16_t AlTime() const { return u16(field::AlTime); }
    uint16_t OjipSeconds() const { return u16(field::OjipSeconds); }
    uint16_t FrTime() const { return u16(field::FrTime); }
    uint16_t DarkTime() const { return u16(field::DarkTime); }
    uint16_t Total() const { return u16(field::Total); }
    uint16_t IrLevel() const { return u16(field::IrLevel); }
    uint16_t F0() const { return u16(field::F0); }
    uint16_t Fj() const { return u16(field::Fj); }
    uint16_t Fi() const { return u16(field::Fi); }
    uint16_t Fm() const { return u16(field::Fm); }
    uint16_t FmP() const { return u16(field::FmP); }
    uint16_t Fs() const { return u16(field::Fs); }
    uint16_t F0P() const { return u16(field::F0P); }
    uint16_t Year() const { return u16(field::Year); }
    uint8_t Month() const { return m_buf.byteAt(uint64_t(m_off) + field::Month); }
    uint8_t Day() const { return m_buf.byteAt(uint64_t(m_off) + field::Day); }
    uint8_t Hour() const { return m_buf.byteAt(uint64_t(m_off) + field::Hour); }
    uint8_t Minute() const { return m_buf.byteAt(uint64_t(m_off) + field::Minute); }
    uint8_t Second() const { return m_buf.byteAt(uint64_t(m_off) + field::Second); }

    // The record's first curve block: the block directly behind the header block, when
    // that is a continuation block. When it is not (say the next record's header follows
    // at once) the record has no curve, and nothing behind the header may be read as one.
    std::optional<uint64_t> firstCurveBlock() const
    {
        const uint64_t next = uint64_t(m_off) + kBlockSize;
        if (!m_buf.isContinuationBlock(next))
            return std::nullopt;
        return next;
    }
    bool hasCurve() const { return firstCurveBlock().has_value(); }

    // The block behind the first curve block, when that is a continuation block: where
    // a Kind 1 record keeps the extension of its curve. Whether a reader takes it also
    // depends on OjipSeconds for some readers (see hasTenSecondCurves).
    std::optional<uint64_t> blockBehindFirstCurve() const
    {
        const std::optional<uint64_t> first = firstCurveBlock();
        if (!first || !m_buf.isContinuationBlock(*first + kBlockSize))
            return std::nullopt;
        return *first + kBlockSize;
    }

    // OjipSeconds 0: no actinic-light area (Kind 3); 1: a curve is one curve block;
    // more: a curve block followed by an extension block.
    bool hasActinicArea() const { return OjipSeconds() > 0; }
    bool hasTenSecondCurves() const { return OjipSeconds() > 1; }

    // Kind 3: the actinic-light area starts behind the Total saturating-light blocks.
    uint64_t actinicAreaStart() const { return uint64_t(m_off) + uint64_t(kBlockSize) * (1 + uint64_t(Total())); }
    // Where actinic-light section `index` (from 0) starts when every section before it
    // is complete: one block a section, two for 10-second curves.
    uint64_t actinicSectionStart(unsigned index) const
    {
        return actinicAreaStart() + uint64_t(hasTenSecondCurves() ? 2 : 1) * kBlockSize * index;
    }

private:
    uint16_t u16(uint32_t f) const { return m_buf.u16(uint64_t(m_off) + f); }

    const MeasurementBuffer &m_buf;
    uint32_t m_off;
};

// 118 samples of an OJIP-type curve, then a 9-word tail (Kind 2: samples at 2..10 s;
// Kind 3 saturating-light block: P700 samples A, B, C).
class CurveBlock
{
public:
    CurveBlock(const MeasurementBuffer &buffer, uint64_t offset) : m_buf(buffer), m_off(offset) {}

    uint64_t offset() const { return m_off; }
    bool isContinuation() const { return m_buf.isContinuationBlock(m_off); }
    uint16_t sample(int j) const { return m_buf.u16(m_off + kFirstSampleByte + 2 * uint64_t(j)); }
    uint16_t tail(int k) const { return m_buf.u16(m_off + kTailFirstByte + 2 * uint64_t(k)); }
    uint16_t p700A() const { return tail(0); }
    uint16_t p700B() const { return tail(1); }
    uint16_t p700C() const { return tail(2); }

private:
    const MeasurementBuffer &m_buf;
    uint64_t m_off;
};

// The slow part of a 10-second curve: 90 samples at 1.1 s .. 10 s.
class ExtensionBlock
{
public:
    ExtensionBlock(const MeasurementBuffer &buffer, uint64_t offset) : m_buf(buffer), m_off(offset) {}

    uint64_t offset() const { return m_off; }
    bool isContinuation() const { return m_buf.isContinuationBlock(m_off); }
    uint16_t sample(int k) const { return m_buf.u16(m_off + kFirstSampleByte + 2 * uint64_t(k)); }

private:
    const MeasurementBuffer &m_buf;
    uint64_t m_off;
};

// End (exclusive) of the record whose header block is at offset: behind the last
// directly following continuation block, never beyond the buffer.
uint64_t recordEnd(const MeasurementBuffer &buffer, uint32_t offset);

} // namespace corvane
