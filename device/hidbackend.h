#pragma once
// The host side under the controller: which HID devices are present, opening one,
// and notice that the set of device nodes changed. hidapi with libudev on Linux;
// the simulated instrument for tests and the demo.
#include "device/hiddevice.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QObject;

namespace corvane {

struct HidDeviceInfo
{
    QString path;  // identifies the device node across scans
    uint16_t vendorId = 0;
    uint16_t productId = 0;
};

class HidBackend
{
public:
    virtual ~HidBackend() = default;

    // The HID devices present now, in the host's order.
    virtual std::vector<HidDeviceInfo> devices() = 0;
    // A fresh device object; nullptr when the device cannot be reached at all.
    virtual std::unique_ptr<HidDevice> create(const HidDeviceInfo &info) = 0;
    // From now on `changed` runs on `context`'s thread whenever device nodes come or go.
    virtual void watch(QObject *context, std::function<void()> changed) = 0;
};

} // namespace corvane
