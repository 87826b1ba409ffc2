#include "device/udevmonitor.h"

#include <QSocketNotifier>

#include <libudev.h>

namespace corvane {

UdevMonitor::UdevMonitor(QObject *parent)
    : QObject(parent)
    , m_udev(udev_new())
{
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor || udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0
        || udev_monitor_enable_receiving(m_monitor) < 0)
        return;
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &UdevMonitor::drain);
}

UdevMonitor::~UdevMonitor()
{
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

void UdevMonitor::drain()
{
    // The socket is non-blocking: take every queued event, then scan once.
    bool any = false;
    while (udev_device *dev = udev_monitor_receive_device(m_monitor)) {
        udev_device_unref(dev);
        any = true;
    }
    if (any)
        emit changed();
}

} // namespace corvane
