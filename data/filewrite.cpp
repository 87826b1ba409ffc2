#include "data/filewrite.h"

#include <QFileInfo>
#include <QSaveFile>

namespace corvane {

namespace {
QString failure(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入文件 %1：%2").arg(QFileInfo(path).fileName(), reason);
}
} // namespace

QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &produce)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (!produce(file) || file.error() != QFileDevice::NoError) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return failure(path, reason);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return {};
}

QString writeFileAtomically(const QString &path, QByteArrayView bytes)
{
    return writeFileAtomically(path, [bytes](QIODevice &dev) {
        return dev.write(bytes.data(), bytes.size()) == bytes.size();
    });
}

} // namespace corvane
