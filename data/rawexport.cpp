#include "data/rawexport.h"

#include "analysis/timebase.h"
#include "data/datafile.h"
#include "data/gbk.h"
#include "data/record.h"
#include "data/recordtext.h"

#include <array>
#include <charconv>

namespace corvane {

namespace {

// Every line prefix is fixed; building them once keeps a 2-million-line export to
// one append of a prefix and one number per line.
struct CsvTexts
{
    QByteArray fileName = toGbk(QStringLiteral("文件名: ,"));
    QByteArray ojip = toGbk(QStringLiteral("OJIP测量方式 , \r\n"));
    QByteArray pulseTransient = toGbk(QStringLiteral("脉冲瞬态荧光动力学测量方式,  \r\n"));
    QByteArray postSteadyState = toGbk(QStringLiteral("后稳态荧光动力学测量方式,  \r\n"));
    QByteArray saturating = toGbk(QStringLiteral("饱和光OJIP,  \r\n"));
    QByteArray p700 = toGbk(QStringLiteral("P700反射点,  \r\n"));
    QByteArray actinic = toGbk(QStringLiteral("光化光OJIP,  \r\n"));
    QByteArray separator = QByteArrayLiteral("-------- , -------- \r\n");
    std::array<QByteArray, kCurveSamples> curve;
    std::array<QByteArray, kExtensionSamples> extension;
    std::array<QByteArray, kTailSamples> tail;

    CsvTexts()
    {
        for (int j = 0; j < kCurveSamples; ++j)
            curve[size_t(j)] = QByteArray::number(TimeLabelTable[size_t(j)])
                + QByteArray(timeLabelUnit(j).data(), qsizetype(timeLabelUnit(j).size())) + ',';
        for (int k = 0; k < kExtensionSamples; ++k)
            extension[size_t(k)] = QByteArray::number(extensionLabelMs(k)) + "ms,";
        for (int k = 0; k < kTailSamples; ++k)
            tail[size_t(k)] = QByteArray::number(k + 2) + "s,";
    }
};

const CsvTexts &texts()
{
    static const CsvTexts t;
    return t;
}

void appendLine(QByteArray &out, const QByteArray &prefix, uint16_t value)
{
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(prefix);
    out.append(digits, end - digits);
    out.append("\r\n", 2);
}

void appendCurveLines(QByteArray &out, const CurveBlock &block)
{
    for (int j = 0; j < kCurveSamples; ++j)
        appendLine(out, texts().curve[size_t(j)], block.sample(j));
}

void appendExtensionLines(QByteArray &out, const ExtensionBlock &block)
{
    for (int k = 0; k < kExtensionSamples; ++k)
        appendLine(out, texts().extension[size_t(k)], block.sample(k));
}

void appendTailLines(QByteArray &out, const CurveBlock &block)
{
    for (int k = 0; k < kTailSamples; ++k)
        appendLine(out, texts().tail[size_t(k)], block.tail(k));
}

void appendOjipSection(QByteArray &out, const MeasurementBuffer &buffer, const RecordHeader &h)
{
    out.append(texts().ojip);
    const std::optional<uint64_t> curve = h.firstCurveBlock();
    if (!curve)
        return;
    appendCurveLines(out, CurveBlock(buffer, *curve));
    if (buffer.isContinuationBlock(*curve + kBlockSize))
        appendExtensionLines(out, ExtensionBlock(buffer, *curve + kBlockSize));
}

void appendPulseTransientSection(QByteArray &out, const MeasurementBuffer &buffer, const RecordHeader &h)
{
    out.append(texts().pulseTransient);
    const std::optional<uint64_t> first = h.firstCurveBlock();
    for (uint64_t b = first.value_or(0); first && buffer.isContinuationBlock(b); b += kBlockSize) {
        const CurveBlock block(buffer, b);
        appendCurveLines(out, block);
        // The last cycle's tail was never measured.
        if (!buffer.isContinuationBlock(b + kBlockSize))
            break;
        appendTailLines(out, block);
        out.append(texts().separator);
    }
}

void appendPostSteadyStateSection(QByteArray &out, const MeasurementBuffer &buffer, const RecordHeader &h)
{
    const unsigned cycles = h.Total();
    const unsigned ojipSeconds = h.OjipSeconds();
    const bool hasActinic = ojipSeconds > 0;
    uint64_t actinic = uint64_t(h.offset()) + uint64_t(kBlockSize) * (1 + cycles);
    out.append(texts().postSteadyState);
    unsigned k = 1;
    const std::optional<uint64_t> first = h.firstCurveBlock();
    for (uint64_t s = first.value_or(0); first && buffer.isContinuationBlock(s); s += kBlockSize, ++k) {
        const CurveBlock block(buffer, s);
        out.append(texts().saturating);
        appendCurveLines(out, block);
        out.append(texts().p700);
        appendLine(out, QByteArrayLiteral("A,"), block.p700A());
        appendLine(out, QByteArrayLiteral("B,"), block.p700B());
        appendLine(out, QByteArrayLiteral("C,"), block.p700C());
        if (k >= cycles)
            break;
        if (hasActinic && buffer.isContinuationBlock(actinic)) {
            out.append(texts().actinic);
            appendCurveLines(out, CurveBlock(buffer, actinic));
            actinic += kBlockSize;
            if (ojipSeconds > 1 && buffer.isContinuationBlock(actinic)) {
                appendExtensionLines(out, ExtensionBlock(buffer, actinic));
                actinic += kBlockSize;
            }
        }
        out.append(texts().separator);
    }
}

bool listed(int line)
{
    return line >= 0 && line < kMaxListed;
}

} // namespace

QByteArray rawDataFileBytes(const MeasurementBuffer &buffer, const RecordIndex &index, std::span<const int> lines)
{
    QByteArray out = fileHeader();
    for (int line : lines)
        if (listed(line))
            appendRecord(out, buffer, index[size_t(line)].offset);
    return out;
}

void appendRawCsvRecord(QByteArray &out, const MeasurementBuffer &buffer, uint32_t offset)
{
    const RecordHeader h(buffer, offset);
    out.append(texts().fileName);
    out.append(listLineBytes(h));
    out.append("\r\n", 2);
    switch (h.Kind()) {
    case 1: appendOjipSection(out, buffer, h); break;
    case 2: appendPulseTransientSection(out, buffer, h); break;
    default: appendPostSteadyStateSection(out, buffer, h); break;
    }
}

QByteArray rawCsvBytes(const MeasurementBuffer &buffer, const RecordIndex &index, std::span<const int> lines)
{
    QByteArray out;
    // A Kind 1 record with its extension is about 2.4 KiB of text.
    out.reserve(qsizetype(lines.size()) * 2560);
    for (int line : lines)
        if (listed(line))
            appendRawCsvRecord(out, buffer, index[size_t(line)].offset);
    return out;
}

} // namespace corvane
