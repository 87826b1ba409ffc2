#include "data/recordtext.h"

#include "data/gbk.h"

namespace corvane {

QByteArray zeroPadded(unsigned value, int digits)
{
    QByteArray s = QByteArray::number(value);
    if (s.size() < digits)
        s.prepend(QByteArray(digits - s.size(), '0'));
    return s;
}

QByteArray listLineBytes(const RecordHeader &header)
{
    return header.Name() + zeroPadded(header.Number(), 4);
}

QString listLineText(const RecordHeader &header)
{
    return fromGbk(header.Name()) + QString::fromLatin1(zeroPadded(header.Number(), 4));
}

bool isValidKind(uint16_t kind)
{
    return kind >= 1 && kind <= 3;
}

QString kindText(uint16_t kind)
{
    switch (kind) {
    case 1: return QStringLiteral("OJIP测量数据");
    case 2: return QStringLiteral("脉冲瞬态荧光动力学测量数据");
    case 3: return QStringLiteral("后稳态荧光动力学测量数据");
    default: return QStringLiteral("数据类型错误");
    }
}

QString measurementTimeText(const RecordHeader &h)
{
    const QByteArray t = zeroPadded(h.Year(), 4) + '/' + zeroPadded(h.Month(), 2) + '/'
        + zeroPadded(h.Day(), 2) + "  " + zeroPadded(h.Hour(), 2) + ':' + zeroPadded(h.Minute(), 2)
        + ':' + zeroPadded(h.Second(), 2);
    return QString::fromLatin1(t);
}

} // namespace corvane
