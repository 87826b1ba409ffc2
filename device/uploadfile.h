#pragma once
// tmp.bin: what the last complete upload brought, as a data file.
#include "data/measurementbuffer.h"

#include <QString>

namespace corvane {

inline constexpr char kUploadFileName[] = "tmp.bin";

// The header only for current-version data, then 64 bytes per report. Returns an
// empty string, or a message naming the file and the reason it could not be written.
QString writeUploadFile(const QString &path, const MeasurementBuffer &buffer, uint32_t versionMarker,
                        uint32_t reportTotal);

} // namespace corvane
