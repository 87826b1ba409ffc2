#pragma once
// The picture size every plot view shares: the viewer's chart size unless --size
// names another.
#include <QSize>
#include <QString>

namespace corvane::cli {

inline const QSize kDesignedChartSize(728, 433);

// "WxH" between 64x64 and 8192x8192 into `size`; an error text otherwise.
QString parsePictureSize(const QString &text, QSize &size);

} // namespace corvane::cli
