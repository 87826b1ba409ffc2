#pragma once
// The exchange with the instrument behind "连  接", "数据上传", the watchdog timer and
// the report handler: a query, then an upload in batches of 16 reports, each
// request resent up to 11 times. Works on AppState's link fields; no widgets.
#include "data/appstate.h"
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

    UploadProtocol(AppState &state, LinkPorts ports);

    void BtnConnClick();
    void BtnTransClick();
    void Timer1Timer();
    // One input report: its ID byte and the bytes behind it (a short one is zero-filled).
    void DeviceData(uint8_t reportId, std::span<const uint8_t> data);

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
