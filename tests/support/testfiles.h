#pragma once
// Reading back what the program wrote, and GBK bytes spelled as UTF-8 in the source.
#include "data/gbk.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace corvane::test {

// The whole file, or nothing when it cannot be read.
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray gbk(const char *utf8)
{
    return toGbk(QString::fromUtf8(utf8));
}

} // namespace corvane::test
