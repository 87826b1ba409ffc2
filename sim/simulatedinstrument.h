#pragma once
// A stand-in for the fluorescence meter: answers the query and the batch requests
// from a memory image, with switches for the ways a real one misbehaves. Shared by
// the device objects the controller creates for it; thread-safe, since requests
// arrive on the GUI thread and reports are taken by a reader thread.
#include "device/hiddevice.h"
#include "device/reportlayout.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace corvane {

struct SimulatedInstrumentOptions
{
    uint16_t vendorId = kInstrumentVendorId;
    uint16_t productId = kInstrumentProductId;
    uint16_t reportLength = kInstrumentReportLength;
    bool refusesOpen = false;    // like a device node the user has no access to
    std::chrono::microseconds latencyPerReport{0};
    int64_t dropReport = -1;     // this upload report (counted from 0) is left out the first time
    int64_t stallAt = -1;        // the batch goes silent before this report, once
    int64_t loseRequestAt = -1;  // the first batch request with this batch start goes unanswered
    bool resendSendsBatchAgain = true;  // else a request repeated unchanged is ignored
    int64_t unplugAfter = -1;    // unplugs itself once this many upload reports were sent
    std::optional<uint32_t> announcedBlocks;  // BlockCount in the reply instead of the image's
    int64_t repeatBatchAt = -1;  // the batch with this start is sent twice in a row, once
    int64_t surplusAt = -1;      // the batch with this start carries surplusReports more reports
    int surplusReports = 0;      // (0xAA bytes past the image, so they look like blocks)
};

class SimulatedInstrument
{
public:
    // `memory`: whole 256-byte blocks, as the instrument holds them.
    SimulatedInstrument(QByteArray memory, uint32_t versionMarker, SimulatedInstrumentOptions options = {});
    // From a data file; nullptr and `error` set when it cannot be loaded.
    static std::shared_ptr<SimulatedInstrument> fromDataFile(const QString &path, QString &error,
                                                             SimulatedInstrumentOptions options = {});

    const SimulatedInstrumentOptions &options() const { return m_options; }
    uint32_t blockCount() const;
    uint16_t recordCount() const { return m_recordCount; }

    // Host side. A written output report; false once unplugged.
    bool receive(std::span<const uint8_t> report);
    // The next input report, report ID byte first: its length, 0 on time-out, -1 once unplugged.
    int nextReport(std::span<uint8_t> out, int timeoutMs);
    void interrupt();

    bool isPluggedIn() const { return m_pluggedIn; }
    void unplug();
    // Runs, on whichever thread unplugs it, after it is gone.
    void setUnplugHandler(std::function<void()> handler);

    // What it was sent, for tests.
    std::vector<Report> requests() const;
    uint64_t uploadReportsSent() const { return m_uploadReportsSent; }

private:
    using Clock = std::chrono::steady_clock;
    struct Pending
    {
        Clock::time_point due;
        Report report;
        bool upload;
    };

    void queue(const Report &r, bool upload, Clock::time_point &at);
    Report uploadReport(uint64_t index) const;

    const QByteArray m_memory;
    const uint32_t m_versionMarker;
    const SimulatedInstrumentOptions m_options;
    uint16_t m_recordCount = 0;

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Pending> m_pending;
    std::vector<Report> m_requests;
    std::optional<uint32_t> m_lastBatchStart;
    bool m_dropped = false, m_stalled = false, m_lost = false, m_repeated = false, m_interrupted = false;
    std::atomic<bool> m_pluggedIn{true};
    std::atomic<uint64_t> m_uploadReportsSent{0};
    std::function<void()> m_unplugHandler;
};

} // namespace corvane
