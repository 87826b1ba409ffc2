#include "data/p700export.h"

#include "data/gbk.h"
#include "data/record.h"

namespace corvane {

namespace {

void appendCell(QByteArray &out, uint16_t sample)
{
    // A sample of 0 was not taken: its cell stays empty.
    if (sample != 0)
        out.append(QByteArray::number(sample));
    out.append(',');
}

} // namespace

QByteArray p700CsvBytes(const MeasurementBuffer &buffer, uint32_t recordOffset, const QByteArray &nameBytes)
{
    const RecordHeader h(buffer, recordOffset);
    QByteArray out = toGbk(QStringLiteral("后稳态测量,文件名:,")) + nameBytes + toGbk(QStringLiteral(",IR强度等级:"))
        + QByteArray::number(h.IrLevel()) + "\r\n";
    out += toGbk(QStringLiteral("--暗适应--\r\n"));
    out += toGbk(QStringLiteral("饱和脉冲序号,采样点A,采样点B,采样点C \r\n"));
    const std::optional<uint64_t> first = h.firstCurveBlock();
    if (!first)
        return out;
    uint64_t block = *first;
    for (unsigned k = 0; k < h.Total(); ++k) {
        const CurveBlock pulse(buffer, block);
        out += QByteArray::number(k + 1) + ',';
        appendCell(out, pulse.p700A());
        appendCell(out, pulse.p700B());
        appendCell(out, pulse.p700C());
        out += "\r\n";
        block += kBlockSize;
        if (!buffer.isContinuationBlock(block))
            break;
    }
    return out;
}

} // namespace corvane
