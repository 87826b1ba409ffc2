#include "data/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace corvane {

QByteArray toGbk(const QString &text)
{
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

QString fromGbk(QByteArrayView bytes)
{
    thread_local QStringDecoder pair("GBK", QStringConverter::Flag::Stateless);
    QString out;
    out.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        if (lead < 0x80) {
            out.append(QChar(lead));
            ++i;
            continue;
        }
        if (lead >= 0x81 && lead <= 0xFE && i + 1 < bytes.size()) {
            const auto trail = static_cast<uint8_t>(bytes[i + 1]);
            if (trail >= 0x40 && trail <= 0xFE && trail != 0x7F) {
                const QString ch = pair.decode(bytes.sliced(i, 2));
                if (ch.size() == 1 && ch[0] != QChar::ReplacementCharacter) {
                    out.append(ch);
                    i += 2;
                    continue;
                }
            }
        }
        out.append(QChar::ReplacementCharacter);
        ++i;
    }
    return out;
}

} // namespace corvane
