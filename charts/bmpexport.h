#pragma once
// The chart picture as an uncompressed 24-bit Windows bitmap.
#include <QByteArray>
#include <QImage>
#include <QString>

namespace corvane {

QByteArray bmpBytes(const QImage &image);

// Encodes `image` by the file name's extension ("bmp" or "png"); empty when neither.
QByteArray pictureBytes(const QImage &image, const QString &path);

} // namespace corvane
