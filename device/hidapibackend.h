#pragma once
// The real host: hidraw devices listed by hidapi, report lengths from the report
// descriptor in sysfs (hidapi 0.13 has no call for them), plug and unplug from udev.
#include "device/hidbackend.h"

namespace corvane {

class HidapiBackend : public HidBackend
{
public:
    HidapiBackend();
    ~HidapiBackend() override;

    std::vector<HidDeviceInfo> devices() override;
    std::unique_ptr<HidDevice> create(const HidDeviceInfo &info) override;
    void watch(QObject *context, std::function<void()> changed) override;

private:
    bool m_initialised = false;
};

} // namespace corvane
