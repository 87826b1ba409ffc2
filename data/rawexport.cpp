#include "data/rawexport.h"

#include "data/datafile.h"
#include "data/gbk.h"
#include "data/record.h"
#include "data/recordwalk.h"
#include "data/recordtext.h"
#include "data/timebase.h"

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
            tail[size_t(k)] = QByteArray::number(tailTimeSeconds(k)) + "s,";
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

// Writes the raw CSV lines of one record's walk.
struct RawCsvVisitor
{
    QByteArray &out;

    void curve(CurveSection section, int, const CurveBlock &block)
    {
        if (section == CurveSection::Saturating)
            out.append(texts().saturating);
        else if (section == CurveSection::Actinic)
            out.append(texts().actinic);
        appendCurveLines(out, block);
    }
    void extension(CurveSection, int, const ExtensionBlock &block) { appendExtensionLines(out, block); }
    void tail(int, const CurveBlock &block) { appendTailLines(out, block); }
    void p700(int, const CurveBlock &block)
    {
        out.append(texts().p700);
        appendLine(out, QByteArrayLiteral("A,"), block.p700A());
        appendLine(out, QByteArrayLiteral("B,"), block.p700B());
        appendLine(out, QByteArrayLiteral("C,"), block.p700C());
    }
    void cycleEnd() { out.append(texts().separator); }
};

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
    appendListLine(out, h);
    out.append("\r\n", 2);
    switch (h.Kind()) {
    case Kind::Ojip: out.append(texts().ojip); break;
    case Kind::PulseTransient: out.append(texts().pulseTransient); break;
    default: out.append(texts().postSteadyState); break;
    }
    RawCsvVisitor visitor{out};
    walkRecordCurves(buffer, h, visitor);
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
