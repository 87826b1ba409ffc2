#include "sim/databuilder.h"

#include "data/bytes.h"
#include "data/datafile.h"
#include "data/record.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {
std::span<uint8_t> blockAt(QByteArray &body, uint32_t offset)
{
    return {reinterpret_cast<uint8_t *>(body.data()) + offset, kBlockSize};
}
} // namespace

uint32_t DataBuilder::appendBlock()
{
    const auto offset = uint32_t(m_body.size());
    m_body.append(QByteArray(kBlockSize, '\0'));
    return offset;
}

uint32_t DataBuilder::addHeader(const HeaderFields &h)
{
    const uint32_t off = appendBlock();
    auto b = blockAt(m_body, off);
    b[0] = kHeaderMarker;
    writeU16(b, field::Number, h.Number);
    std::memcpy(b.data() + field::Name, h.Name.constData(), std::min<size_t>(size_t(h.Name.size()), field::NameLength));
    writeU16(b, field::Kind, h.Kind);
    writeU16(b, field::SlTime, h.SlTime);
    writeU16(b, field::AlTime, h.AlTime);
    writeU16(b, field::OjipSeconds, h.OjipSeconds);
    writeU16(b, field::FrTime, h.FrTime);
    writeU16(b, field::DarkTime, h.DarkTime);
    writeU16(b, field::Total, h.Total);
    writeU16(b, field::IrLevel, h.IrLevel);
    writeU16(b, field::F0, h.F0);
    writeU16(b, field::Fj, h.Fj);
    writeU16(b, field::Fi, h.Fi);
    writeU16(b, field::Fm, h.Fm);
    writeU16(b, field::FmP, h.FmP);
    writeU16(b, field::Fs, h.Fs);
    writeU16(b, field::F0P, h.F0P);
    writeU16(b, field::Year, h.Year);
    b[field::Month] = h.Month;
    b[field::Day] = h.Day;
    b[field::Hour] = h.Hour;
    b[field::Minute] = h.Minute;
    b[field::Second] = h.Second;
    return off;
}

uint32_t DataBuilder::addCurve(const CurveSamples &samples, const TailSamples &tail)
{
    const uint32_t off = appendBlock();
    auto b = blockAt(m_body, off);
    b[0] = kContinuationMarker;
    for (size_t j = 0; j < samples.size(); ++j)
        writeU16(b, 2 + 2 * j, samples[j]);
    for (size_t k = 0; k < tail.size(); ++k)
        writeU16(b, 238 + 2 * k, tail[k]);
    return off;
}

uint32_t DataBuilder::addExtension(const ExtensionSamples &samples)
{
    const uint32_t off = appendBlock();
    auto b = blockAt(m_body, off);
    b[0] = kContinuationMarker;
    for (size_t k = 0; k < samples.size(); ++k)
        writeU16(b, 2 + 2 * k, samples[k]);
    return off;
}

uint32_t DataBuilder::addBlock(uint8_t marker, uint8_t fill)
{
    const uint32_t off = appendBlock();
    auto b = blockAt(m_body, off);
    std::fill(b.begin(), b.end(), fill);
    b[0] = marker;
    return off;
}

QByteArray DataBuilder::file(bool withHeader) const
{
    return withHeader ? fileHeader() + m_body : m_body;
}

void DataBuilder::loadInto(MeasurementBuffer &buffer) const
{
    buffer.clear();
    const auto n = uint32_t(std::min<size_t>(size_t(m_body.size()), kBufferSize));
    std::memcpy(buffer.writable(0, n).data(), m_body.constData(), n);
}

} // namespace corvane
