#include "sim/simulatedinstrument.h"

#include "data/datafile.h"

#include <algorithm>
#include <cstring>

namespace corvane {

SimulatedInstrument::SimulatedInstrument(QByteArray memory, uint32_t versionMarker,
                                         SimulatedInstrumentOptions options)
    : m_memory(std::move(memory))
    , m_versionMarker(versionMarker)
    , m_options(options)
{
    int records = 0;
    for (qsizetype at = 0; at < m_memory.size(); at += kBlockSize)
        records += uint8_t(m_memory[at]) == kHeaderMarker;
    m_recordCount = uint16_t(std::min(records, 0xFFFF));
}

std::shared_ptr<SimulatedInstrument> SimulatedInstrument::fromDataFile(const QString &path, QString &error,
                                                                       SimulatedInstrumentOptions options)
{
    auto buffer = std::make_unique<MeasurementBuffer>();
    const LoadResult r = loadDataFile(path, *buffer);
    if (!r.ok()) {
        error = loadErrorText(r.error);
        return nullptr;
    }
    QByteArray memory(reinterpret_cast<const char *>(buffer->data()), qsizetype(r.blockCount) * kBlockSize);
    return std::make_shared<SimulatedInstrument>(std::move(memory), r.versionMarker, options);
}

uint32_t SimulatedInstrument::blockCount() const
{
    return m_options.announcedBlocks.value_or(uint32_t(m_memory.size() / kBlockSize));
}

Report SimulatedInstrument::uploadReport(uint64_t index) const
{
    Report r{};
    const uint64_t at = index * kReportPayload;
    if (at + kReportPayload <= uint64_t(m_memory.size()))
        std::memcpy(r.data() + 1, m_memory.constData() + at, kReportPayload);
    return r;
}

void SimulatedInstrument::queue(const Report &r, bool upload, Clock::time_point &at)
{
    at += m_options.latencyPerReport;
    m_pending.push_back({at, r, upload});
}

bool SimulatedInstrument::receive(std::span<const uint8_t> report)
{
    if (!m_pluggedIn || report.size() < kBatchStartByte + 4)
        return false;
    std::lock_guard lock(m_mutex);
    Report request{};
    std::copy_n(report.begin(), std::min(report.size(), request.size()), request.begin());
    m_requests.push_back(request);

    Clock::time_point at = Clock::now();
    const uint8_t command = request[kCommandByte];
    if (command == kQueryCommand) {
        m_pending.clear();
        Report reply{};
        writeU32(reply, 1, blockCount());
        writeU16(reply, 5, m_recordCount);
        writeU32(reply, 9, m_versionMarker);
        queue(reply, false, at);
    } else if (command == kBatchRequestCommand) {
        const uint32_t start = batchStartOf(request);
        if (m_lastBatchStart == start && !m_options.resendSendsBatchAgain)
            return true;
        if (int64_t(start) == m_options.loseRequestAt && !m_lost) {
            m_lost = true;
            return true;
        }
        m_lastBatchStart = start;
        m_pending.clear();
        const uint64_t total = uint64_t(blockCount()) * 4;
        uint64_t end = std::min<uint64_t>(uint64_t(start) + kBatchReports, total);
        const uint64_t last = int64_t(start) == m_options.surplusAt ? end + uint64_t(std::max(m_options.surplusReports, 0)) : end;
        const bool repeat = int64_t(start) == m_options.repeatBatchAt && !m_repeated;
        m_repeated = m_repeated || repeat;
        for (int pass = 0; pass < (repeat ? 2 : 1); ++pass) {
            for (uint64_t i = start; i < last; ++i) {
                if (i >= end) {
                    Report extra{};
                    std::fill(extra.begin() + 1, extra.end(), kContinuationMarker);
                    queue(extra, true, at);
                    continue;
                }
                if (int64_t(i) == m_options.stallAt && !m_stalled) {
                    m_stalled = true;
                    break;
                }
                if (int64_t(i) == m_options.dropReport && !m_dropped) {
                    m_dropped = true;
                    continue;
                }
                queue(uploadReport(i), true, at);
            }
        }
    }
    m_wake.notify_all();
    return true;
}

int SimulatedInstrument::nextReport(std::span<uint8_t> out, int timeoutMs)
{
    std::function<void()> unplugged;
    int length = 0;
    {
        std::unique_lock lock(m_mutex);
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (!m_pluggedIn)
                return -1;
            if (m_interrupted) {
                m_interrupted = false;
                return 0;
            }
            const auto now = Clock::now();
            if (!m_pending.empty() && m_pending.front().due <= now)
                break;
            if (now >= deadline)
                return 0;
            const auto until = m_pending.empty() ? deadline : std::min(deadline, m_pending.front().due);
            m_wake.wait_until(lock, until);
        }
        const Pending p = m_pending.front();
        m_pending.pop_front();
        length = int(std::min<size_t>(out.size(), m_options.reportLength));
        std::copy_n(p.report.begin(), std::min<size_t>(size_t(length), p.report.size()), out.begin());
        if (p.upload && int64_t(++m_uploadReportsSent) == m_options.unplugAfter) {
            m_pluggedIn = false;
            unplugged = m_unplugHandler;
        }
    }
    if (unplugged)
        unplugged();
    return length;
}

void SimulatedInstrument::interrupt()
{
    std::lock_guard lock(m_mutex);
    m_interrupted = true;
    m_wake.notify_all();
}

void SimulatedInstrument::unplug()
{
    std::function<void()> handler;
    {
        std::lock_guard lock(m_mutex);
        if (!m_pluggedIn)
            return;
        m_pluggedIn = false;
        handler = m_unplugHandler;
        m_wake.notify_all();
    }
    if (handler)
        handler();
}

void SimulatedInstrument::setUnplugHandler(std::function<void()> handler)
{
    std::lock_guard lock(m_mutex);
    m_unplugHandler = std::move(handler);
}

std::vector<Report> SimulatedInstrument::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

} // namespace corvane
