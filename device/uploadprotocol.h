#pragma once
// The exchange with the instrument behind "连  接", "数据上传", the watchdog timer and
// the report handler: a query, then an upload in batches of 16 reports, each
// request resent up to 11 times. Keeps the link's own fields and fills the shared
// measurement data in AppState; no widgets.
#include "data/appstate.h"
#include "device/hiddevice.h"
#include "device/linkports.h"
#include "device/reportlayout.h"

#include <QString>

#include <span>

namespace corvane {

class UploadProtocol
{
public:
    static constexpr int kQueryInterval = 2000;
    static constexpr int kFirstBatchInterval = 500;
    static constexpr int kReportInterval = 200;
    static constexpr uint8_t kMaxResends = 11;
    static constexpr uint32_t kMaxReports = kBufferSize / kReportPayload;  // 131 072
    static constexpr uint8_t kLinkIdle = 0xFF;

    UploadProtocol(AppState &state, LinkPorts ports);

    void BtnConnClick();
    void BtnTransClick();
    void Timer1Timer();
    // One input report: its ID byte and the bytes behind it (a short one is zero-filled).
    void DeviceData(uint8_t reportId, std::span<const uint8_t> data);

    // The link's fields, read by the transfer window and the tests.
    uint8_t LinkState = kLinkIdle;
    bool ExchangeDone = false;
    uint8_t RetryCount = 0;
    uint32_t WriteIndex = 0;
    uint32_t RecordCount = 0;  // as the last query reply announced
    Report OutputReport{};
    Report InputReport{};
    // Instrument discovery: the transfer window checks the instrument out and sets these.
    bool InstrumentFound = false;
    HidDevice *InstrumentDevice = nullptr;

private:
    void send();
    void restartWatchdog(int ms);
    void closeExchange();
    void takeQueryReply(std::span<const uint8_t> payload);
    void takeUploadReport(std::span<const uint8_t> payload);
    void completeUpload();

    AppState &m_state;
    LinkPorts m_ports;
    bool m_bufferFullReported = false;
};

} // namespace corvane
