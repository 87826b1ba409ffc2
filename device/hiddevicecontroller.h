#pragma once
// Keeps the list of HID devices present, one object each, across plug and unplug:
// scans when the event loop starts and whenever the backend reports a change,
// then raises OnDeviceChange. A checked-out device gets a reader thread whose
// reports arrive through OnDeviceData on the GUI thread, one by one, in order.
#include "device/hidbackend.h"
#include "device/hiddevice.h"
#include "device/hidreader.h"

#include <QByteArray>
#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace corvane {

class HidDeviceController : public QObject
{
    Q_OBJECT

public:
    using EnumerateEvent = std::function<bool(HidDevice &HidDev, int Idx)>;
    enum class CheckOutError { None, NoSuchDevice, AlreadyCheckedOut, Unplugged, ReportLength, CannotOpen };

    explicit HidDeviceController(QObject *parent = nullptr);
    ~HidDeviceController() override;

    // Give it before the event loop starts; without one no scan ever runs.
    void setBackend(std::unique_ptr<HidBackend> backend);

    EnumerateEvent OnEnumerate;

    // Visits every plugged-in device in list order until OnEnumerate returns false;
    // returns the number visited. A device not checked out is closed afterwards.
    int Enumerate();
    // Clears `device`, then checks out the device at `idx`: it must be plugged in,
    // free, have 65-byte reports both ways and open for reading and writing.
    bool CheckOutByIndex(HidDevice *&device, int idx);
    CheckOutError lastCheckOutError() const { return m_lastError; }
    // Stops the reader, closes the device and puts a fresh object in its place
    // (or drops it if it is gone). Clears `device`.
    void CheckIn(HidDevice *&device);

    int count() const { return int(m_entries.size()); }
    bool isPluggedIn(int idx) const;
    bool isCheckedOut(int idx) const;

public slots:
    void scan();

signals:
    void OnDeviceChange();
    void OnDeviceData(corvane::HidDevice *HidDev, quint8 ReportID, const QByteArray &Data);

protected:
    void customEvent(QEvent *event) override;

private:
    struct Entry
    {
        HidDeviceInfo info;
        std::unique_ptr<HidDevice> device;
        bool pluggedIn = true;
        bool checkedOut = false;
        uint64_t readerToken = 0;
        std::unique_ptr<HidReader> reader;
    };

    void deliver(uint64_t token, const QList<QByteArray> &reports);
    void release(Entry &entry);

    std::unique_ptr<HidBackend> m_backend;
    std::vector<Entry> m_entries;
    CheckOutError m_lastError = CheckOutError::None;
    uint64_t m_nextToken = 0;
    bool m_scanned = false;
    bool m_scanning = false;
    bool m_rescan = false;
};

} // namespace corvane
