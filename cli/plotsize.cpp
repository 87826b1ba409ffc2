#include "cli/plotsize.h"

#include <QRegularExpression>

namespace corvane::cli {

QString parsePictureSize(const QString &text, QSize &size)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(text);
    const int w = m.hasMatch() ? m.captured(1).toInt() : 0, h = m.hasMatch() ? m.captured(2).toInt() : 0;
    if (w < 64 || h < 64 || w > 8192 || h > 8192)
        return QStringLiteral("--size: expected WxH between 64x64 and 8192x8192, got '%1'").arg(text);
    size = QSize(w, h);
    return {};
}

} // namespace corvane::cli
