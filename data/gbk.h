#pragma once
// Every file the program writes is GBK; names in records are GBK bytes.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvane {

QByteArray toGbk(const QString &text);

// A byte that does not begin a valid GBK character becomes U+FFFD and the next
// byte is read afresh, so one bad byte never swallows a good character behind it.
QString fromGbk(QByteArrayView bytes);

} // namespace corvane
