#include "device/uploadprotocol.h"

#include "device/hiddevice.h"
#include "device/uploadfile.h"

#include <algorithm>
#include <cstring>

namespace corvane {

namespace {
QString timeText(const QTime &t)
{
    return t.toString(QStringLiteral("hh:mm:ss"));
}
} // namespace

UploadProtocol::UploadProtocol(AppState &state, LinkPorts ports)
    : m_state(state)
    , m_ports(ports)
{
}

void UploadProtocol::send()
{
    if (InstrumentDevice)
        InstrumentDevice->writeReport(OutputReport);
}

void UploadProtocol::restartWatchdog(int ms)
{
    ExchangeDone = false;
    m_ports.timer.stop();
    m_ports.timer.setInterval(ms);
    m_ports.timer.start();
}

void UploadProtocol::closeExchange()
{
    m_ports.timer.stop();
    ExchangeDone = true;
}

void UploadProtocol::BtnConnClick()
{
    if (!InstrumentFound)
        return;
    setQuery(OutputReport);
    send();
    LinkState = kQueryCommand;
    RetryCount = 0;
    restartWatchdog(kQueryInterval);
    m_ports.status.replaceText(QString());
}

void UploadProtocol::BtnTransClick()
{
    if (!InstrumentFound)
        return;
    m_state.MeasurementBuffer.clear();
    WriteIndex = 0;
    m_bufferFullReported = false;
    m_ports.status.appendLine(timeText(m_ports.clock.timeOfDay()));
    setFirstBatchRequest(OutputReport);
    send();
    LinkState = kBatchRequestCommand;
    RetryCount = 0;
    restartWatchdog(kFirstBatchInterval);
    m_state.ReportsReceived = 0;
}

void UploadProtocol::Timer1Timer()
{
    if (ExchangeDone) {
        m_ports.timer.stop();
        LinkState = kLinkIdle;
        RetryCount = 0;
    }
    if (RetryCount >= kMaxResends) {
        m_ports.timer.stop();
        m_ports.status.replaceText(QStringLiteral("通讯超时，请检查连接。"));
        LinkState = kLinkIdle;
        return;
    }
    // With the instrument gone there is nothing to write to; the try still counts,
    // so an unplugged instrument ends in the time-out instead of waiting forever.
    if (InstrumentDevice) {
        if (OutputReport[kCommandByte] == kBatchRequestCommand) {
            // The instrument answers a batch request from the batch start it carries;
            // what arrived of this batch so far would otherwise be stored twice.
            const uint32_t start = std::min(batchStartOf(OutputReport), kMaxReports);
            m_state.ReportsReceived = start;
            WriteIndex = start * kReportPayload;
            m_ports.progress.setPosition(int(start));
        }
        send();
    }
    ++RetryCount;
}

void UploadProtocol::DeviceData(uint8_t reportId, std::span<const uint8_t> data)
{
    auto &in = InputReport;
    in.fill(0);
    in[0] = reportId;
    std::copy_n(data.begin(), std::min<size_t>(data.size(), in.size() - 1), in.begin() + 1);
    const std::span<const uint8_t> payload(in.data() + 1, kReportPayload);

    if (LinkState == kQueryCommand)
        takeQueryReply(payload);
    else if (LinkState == kBatchRequestCommand)
        takeUploadReport(payload);
    // Any other state: idle, the report is dropped and the watchdog left alone.
}

void UploadProtocol::takeQueryReply(std::span<const uint8_t> payload)
{
    const QueryReply reply = parseQueryReply(payload);
    // The buffer holds 131 072 reports; announcing more must not let an upload run past it.
    const uint64_t announced = uint64_t(reply.BlockCount) * 4;
    m_state.ReportTotal = uint32_t(std::min<uint64_t>(announced, kMaxReports));
    RecordCount = reply.RecordCount;
    m_state.VersionMarker = reply.VersionMarker == kCurrentVersion ? kCurrentVersion : 0;
    m_ports.status.replaceText(QStringLiteral("仪器内部数据个数:") + QString::number(RecordCount));
    if (announced > kMaxReports)
        m_ports.status.appendLine(QStringLiteral("仪器数据超过8 MiB，只上传前8 MiB。"));
    if (RecordCount != 0) {
        m_ports.uploadButton.enable();
        m_ports.progress.setRange(0, int(m_state.ReportTotal));
        m_ports.progress.setPosition(0);
    }
    closeExchange();
}

void UploadProtocol::takeUploadReport(std::span<const uint8_t> payload)
{
    if (WriteIndex <= kBufferSize - kReportPayload) {
        std::memcpy(m_state.MeasurementBuffer.writable(WriteIndex, kReportPayload).data(), payload.data(),
                    kReportPayload);
        WriteIndex += kReportPayload;
    } else if (!m_bufferFullReported) {
        m_bufferFullReported = true;
        m_ports.status.appendLine(QStringLiteral("数据超过8 MiB，多余的数据已丢弃。"));
    }
    const uint32_t n = ++m_state.ReportsReceived;

    if (n < m_state.ReportTotal) {
        restartWatchdog(kReportInterval);
        m_ports.progress.setPosition(int(n));
        if (n % kBatchReports != 0)
            return;
        setFollowUpBatchRequest(OutputReport, n);
        send();
        LinkState = kBatchRequestCommand;
        RetryCount = 0;
        // Watched like the first request, so a lost one is resent and can time out.
        restartWatchdog(kFirstBatchInterval);
        return;
    }
    if (n == m_state.ReportTotal)
        completeUpload();
    closeExchange();
}

void UploadProtocol::completeUpload()
{
    ExchangeDone = true;
    m_ports.timer.stop();
    m_ports.progress.setPosition(m_ports.progress.maximum());
    m_ports.status.appendLine(QStringLiteral(">>>>>>>") + timeText(m_ports.clock.timeOfDay()));
    const QString error = writeUploadFile(QString::fromLatin1(kUploadFileName), m_state.MeasurementBuffer, m_state.VersionMarker,
                                          m_state.ReportTotal);
    if (!error.isEmpty())
        m_ports.status.appendLine(error);
}

} // namespace corvane
