#include "device/uploadfile.h"

#include "data/datafile.h"
#include "data/filewrite.h"
#include "device/reportlayout.h"

#include <QIODevice>

#include <algorithm>

namespace corvane {

QString writeUploadFile(const QString &path, const MeasurementBuffer &buffer, uint32_t versionMarker,
                        uint32_t reportTotal)
{
    const qint64 body = std::min<qint64>(qint64(reportTotal) * kReportPayload, buffer.size());
    return writeFileAtomically(path, [&](QIODevice &out) {
        if (versionMarker != 0) {
            const QByteArray header = fileHeader();
            if (out.write(header) != header.size())
                return false;
        }
        return out.write(reinterpret_cast<const char *>(buffer.data()), body) == body;
    });
}

} // namespace corvane
