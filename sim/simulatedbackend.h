#pragma once
// The host as the controller sees it, with simulated instruments plugged in and out
// by code: for tests, the benchmark and corvane-demo.
#include "device/hidbackend.h"
#include "sim/simulatedinstrument.h"

#include <QPointer>

#include <mutex>

namespace corvane {

class SimulatedBackend : public HidBackend
{
public:
    SimulatedBackend() = default;
    ~SimulatedBackend() override;

    // Plugs in, last in the host's order, and tells the controller. Returns the device path.
    QString plug(std::shared_ptr<SimulatedInstrument> instrument);
    void unplug(const std::shared_ptr<SimulatedInstrument> &instrument);

    std::vector<HidDeviceInfo> devices() override;
    std::unique_ptr<HidDevice> create(const HidDeviceInfo &info) override;
    void watch(QObject *context, std::function<void()> changed) override;

private:
    void notify();

    struct Node
    {
        QString path;
        std::shared_ptr<SimulatedInstrument> instrument;
    };
    std::mutex m_mutex;
    std::vector<Node> m_nodes;
    int m_nextNode = 0;
    QPointer<QObject> m_context;
    std::function<void()> m_changed;
};

} // namespace corvane
