#include "charts/bmpexport.h"

#include <QBuffer>
#include <QFileInfo>

namespace corvane {

QByteArray bmpBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Without alpha the BMP writer stores three bytes a pixel, uncompressed.
    if (!image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP"))
        return {};
    return bytes;
}

QByteArray pictureBytes(const QImage &image, const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return bmpBytes(image);
    if (ext == QLatin1String("png")) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return {};
        return bytes;
    }
    return {};
}

} // namespace corvane
