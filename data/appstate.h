#pragma once
// The measurement data the windows share: owned by the program entry and handed to
// them, so that nothing lives in globals and every test starts from a clean object.
// It knows nothing of devices or windows.
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <cstdint>

namespace corvane {

struct AppState
{
    ::corvane::MeasurementBuffer MeasurementBuffer;
    uint32_t VersionMarker = 0;
    ::corvane::RecordIndex RecordIndex{};

    // What the last upload brought, read by the viewer.
    uint32_t ReportTotal = 0;
    uint32_t ReportsReceived = 0;
    bool UploadedDataPresent = false;
};

} // namespace corvane
