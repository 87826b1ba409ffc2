#include "sim/simulatedbackend.h"

#include <QMetaObject>

#include <algorithm>

namespace corvane {

namespace {

// One device object of the controller; the instrument behind it outlives it.
class SimulatedHandle : public HidDevice
{
public:
    explicit SimulatedHandle(std::shared_ptr<SimulatedInstrument> instrument)
        : m_instrument(std::move(instrument))
    {
    }

    uint16_t VendorID() const override { return m_instrument->options().vendorId; }
    uint16_t ProductID() const override { return m_instrument->options().productId; }
    HidCaps GetCaps() const override
    {
        const uint16_t n = m_instrument->options().reportLength;
        return {n, n};
    }
    bool open() override
    {
        m_open = m_instrument->isPluggedIn() && !m_instrument->options().refusesOpen;
        return m_open;
    }
    void close() override { m_open = false; }
    bool writeReport(std::span<const uint8_t> report) override
    {
        return m_open && m_instrument->receive(report);
    }
    int readReport(std::span<uint8_t> report, int timeoutMs) override
    {
        return m_open ? m_instrument->nextReport(report, timeoutMs) : -1;
    }
    void interruptRead() override { m_instrument->interrupt(); }

private:
    std::shared_ptr<SimulatedInstrument> m_instrument;
    std::atomic<bool> m_open{false};
};

} // namespace

SimulatedBackend::~SimulatedBackend()
{
    for (Node &n : m_nodes)
        n.instrument->setUnplugHandler({});
}

QString SimulatedBackend::plug(std::shared_ptr<SimulatedInstrument> instrument)
{
    QString path;
    {
        std::lock_guard lock(m_mutex);
        path = QStringLiteral("sim:%1").arg(++m_nextNode);
        instrument->setUnplugHandler([this] { notify(); });
        m_nodes.push_back({path, std::move(instrument)});
    }
    notify();
    return path;
}

void SimulatedBackend::unplug(const std::shared_ptr<SimulatedInstrument> &instrument)
{
    instrument->unplug();
}

std::vector<HidDeviceInfo> SimulatedBackend::devices()
{
    std::lock_guard lock(m_mutex);
    std::erase_if(m_nodes, [](const Node &n) {
        if (n.instrument->isPluggedIn())
            return false;
        n.instrument->setUnplugHandler({});
        return true;
    });
    std::vector<HidDeviceInfo> out;
    for (const Node &n : m_nodes)
        out.push_back({n.path, n.instrument->options().vendorId, n.instrument->options().productId});
    return out;
}

std::unique_ptr<HidDevice> SimulatedBackend::create(const HidDeviceInfo &info)
{
    std::lock_guard lock(m_mutex);
    auto it = std::find_if(m_nodes.begin(), m_nodes.end(), [&](const Node &n) { return n.path == info.path; });
    if (it == m_nodes.end())
        return nullptr;
    return std::make_unique<SimulatedHandle>(it->instrument);
}

void SimulatedBackend::watch(QObject *context, std::function<void()> changed)
{
    m_context = context;
    m_changed = std::move(changed);
}

void SimulatedBackend::notify()
{
    // Plug and unplug may happen on a reader thread; the controller scans on its own.
    if (m_context)
        QMetaObject::invokeMethod(m_context.data(), m_changed, Qt::QueuedConnection);
}

} // namespace corvane
