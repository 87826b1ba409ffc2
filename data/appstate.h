#pragma once
// The program's shared state: owned by the program entry and handed to the windows,
// so that nothing lives in globals and every test starts from a clean object.
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <QPoint>
#include <QString>

#include <array>
#include <cstdint>

namespace corvane {

class HidDevice;

struct AppState
{
    // Measurement data
    ::corvane::MeasurementBuffer MeasurementBuffer;
    uint32_t VersionMarker = 0;
    ::corvane::RecordIndex RecordIndex{};

    // Upload results read by the viewer
    uint32_t ReportTotal = 0;
    uint32_t RecordCount = 0;
    uint32_t ReportsReceived = 0;
    bool UploadedDataPresent = false;

    // Upload protocol
    uint8_t LinkState = 0xFF;
    bool ExchangeDone = false;
    uint8_t RetryCount = 0;
    uint32_t WriteIndex = 0;
    std::array<uint8_t, 65> OutputReport{};
    std::array<uint8_t, 65> InputReport{};

    // Instrument discovery
    bool InstrumentFound = false;
    HidDevice *InstrumentDevice = nullptr;

    // Viewer
    uint32_t CurrentRecord = 0;
    QString CurrentRecordName;
    QPoint ListMousePos;
    bool RawExportDialogOpen = false;
};

} // namespace corvane
