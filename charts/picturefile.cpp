#include "charts/picturefile.h"

#include "data/filewrite.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace corvane {

PictureType pictureTypeOf(const QString &path)
{
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("png"))
        return PictureType::Png;
    if (ext == QLatin1String("svg"))
        return PictureType::Svg;
    return PictureType::Unknown;
}

QByteArray svgBytes(QSize size, const QString &title, const std::function<void(QPainter &)> &paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    QPainter p;
    if (!p.begin(&svg))
        return {};
    paint(p);
    p.end();
    return bytes;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

QString savePicture(const QString &path, QSize size, const QString &title, const std::function<QImage()> &raster,
                    const std::function<void(QPainter &)> &paint)
{
    QByteArray bytes;
    switch (pictureTypeOf(path)) {
    case PictureType::Png: bytes = pngBytes(raster()); break;
    case PictureType::Svg: bytes = svgBytes(size, title, paint); break;
    case PictureType::Unknown: return QStringLiteral("%1: pictures are saved as .png or .svg").arg(path);
    }
    if (bytes.isEmpty())
        return QStringLiteral("%1: the picture could not be encoded").arg(path);
    return writeFileAtomically(path, bytes);
}

} // namespace corvane
