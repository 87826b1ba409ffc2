#pragma once
// Saving a picture as PNG (the pixels shown) or SVG (the same drawing as vectors, for a
// paper), chosen by the file's extension, always through the atomic write.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>

class QPainter;

namespace corvane {

enum class PictureType : uint8_t { Png, Svg, Unknown };

// By extension, case-insensitive: .png, .svg; anything else is Unknown.
PictureType pictureTypeOf(const QString &path);

// The drawing `paint` makes on a canvas of `size`, as an SVG document.
QByteArray svgBytes(QSize size, const QString &title, const std::function<void(QPainter &)> &paint);
QByteArray pngBytes(const QImage &image);

// Writes `raster()` as PNG or `paint` as SVG to `path`. Empty on success, else a
// message naming the file and the reason.
QString savePicture(const QString &path, QSize size, const QString &title, const std::function<QImage()> &raster,
                    const std::function<void(QPainter &)> &paint);

} // namespace corvane
