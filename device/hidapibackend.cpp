#include "device/hidapibackend.h"

#include "device/hidapidevice.h"
#include "device/udevmonitor.h"

#include <QFile>
#include <QFileInfo>

#include <hidapi.h>

namespace corvane {

HidapiBackend::HidapiBackend()
    : m_initialised(hid_init() == 0)
{
}

HidapiBackend::~HidapiBackend()
{
    if (m_initialised)
        hid_exit();
}

std::vector<HidDeviceInfo> HidapiBackend::devices()
{
    std::vector<HidDeviceInfo> out;
    if (!m_initialised)
        return out;
    hid_device_info *list = hid_enumerate(0, 0);
    for (hid_device_info *d = list; d; d = d->next)
        out.push_back({QString::fromLocal8Bit(d->path), d->vendor_id, d->product_id});
    hid_free_enumeration(list);
    return out;
}

std::unique_ptr<HidDevice> HidapiBackend::create(const HidDeviceInfo &info)
{
    // /dev/hidrawN describes itself in /sys/class/hidraw/hidrawN/device/report_descriptor.
    QFile descriptor(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor")
                         .arg(QFileInfo(info.path).fileName()));
    ReportDescriptorInfo parsed;
    if (descriptor.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = descriptor.readAll();
        parsed = parseReportDescriptor({reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size())});
    }
    return std::make_unique<HidapiDevice>(info, parsed);
}

void HidapiBackend::watch(QObject *context, std::function<void()> changed)
{
    auto *monitor = new UdevMonitor(context);
    QObject::connect(monitor, &UdevMonitor::changed, context, std::move(changed));
}

} // namespace corvane
