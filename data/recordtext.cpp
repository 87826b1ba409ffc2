#include "data/recordtext.h"

#include "data/gbk.h"

#include <charconv>

namespace corvane {

void appendZeroPadded(QByteArray &out, unsigned value, int digits)
{
    char text[16];
    const int length = int(std::to_chars(text, text + sizeof text, value).ptr - text);
    for (int i = length; i < digits; ++i)
        out += '0';
    out.append(text, length);
}

QByteArray zeroPadded(unsigned value, int digits)
{
    QByteArray s;
    appendZeroPadded(s, value, digits);
    return s;
}

void appendListLine(QByteArray &out, const RecordHeader &header)
{
    out += header.Name();
    appendZeroPadded(out, header.Number(), 4);
}

QByteArray listLineBytes(const RecordHeader &header)
{
    QByteArray line;
    appendListLine(line, header);
    return line;
}

QString listLineText(const RecordHeader &header)
{
    return fromGbk(header.Name()) + QString::fromLatin1(zeroPadded(header.Number(), 4));
}

QString kindText(Kind kind)
{
    switch (kind) {
    case Kind::Ojip: return QStringLiteral("OJIP测量数据");
    case Kind::PulseTransient: return QStringLiteral("脉冲瞬态荧光动力学测量数据");
    case Kind::PostSteadyState: return QStringLiteral("后稳态荧光动力学测量数据");
    }
    return QStringLiteral("数据类型错误");
}

void appendMeasurementTime(QByteArray &out, const RecordHeader &h, TimeStyle style)
{
    const bool iso = style == TimeStyle::Iso;
    appendZeroPadded(out, h.Year(), 4);
    out += iso ? '-' : '/';
    appendZeroPadded(out, h.Month(), 2);
    out += iso ? '-' : '/';
    appendZeroPadded(out, h.Day(), 2);
    out += iso ? "T" : "  ";
    appendZeroPadded(out, h.Hour(), 2);
    out += ':';
    appendZeroPadded(out, h.Minute(), 2);
    out += ':';
    appendZeroPadded(out, h.Second(), 2);
}

QString measurementTimeText(const RecordHeader &h)
{
    QByteArray t;
    appendMeasurementTime(t, h);
    return QString::fromLatin1(t);
}

} // namespace corvane
