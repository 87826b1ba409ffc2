#pragma once
// Notice of hidraw nodes coming and going, from libudev's monitor, through the
// event loop: no polling, and nothing at all where no udev daemon runs.
#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace corvane {

class UdevMonitor : public QObject
{
    Q_OBJECT

public:
    explicit UdevMonitor(QObject *parent = nullptr);
    ~UdevMonitor() override;

signals:
    void changed();

private:
    void drain();

    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace corvane
