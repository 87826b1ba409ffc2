#include "device/hiddevicecontroller.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>

#include <algorithm>

namespace corvane {

namespace {

// Reports travel to the GUI thread inside an event: the reader gives them up when
// it posts, so no data is shared between the threads afterwards.
class ReportsEvent : public QEvent
{
public:
    static QEvent::Type type()
    {
        static const auto t = QEvent::Type(QEvent::registerEventType());
        return t;
    }
    ReportsEvent(uint64_t token, QList<QByteArray> reports)
        : QEvent(type())
        , token(token)
        , reports(std::move(reports))
    {
    }
    const uint64_t token;
    const QList<QByteArray> reports;
};

} // namespace

HidDeviceController::HidDeviceController(QObject *parent)
    : QObject(parent)
{
    // The first scan waits for the event loop, like every later one.
    QMetaObject::invokeMethod(this, &HidDeviceController::scan, Qt::QueuedConnection);
}

HidDeviceController::~HidDeviceController()
{
    for (Entry &e : m_entries)
        release(e);
}

void HidDeviceController::setBackend(std::unique_ptr<HidBackend> backend)
{
    m_backend = std::move(backend);
    if (m_backend)
        m_backend->watch(this, [this] { scan(); });
}

bool HidDeviceController::isPluggedIn(int idx) const
{
    return idx >= 0 && idx < count() && m_entries[size_t(idx)].pluggedIn;
}

bool HidDeviceController::isCheckedOut(int idx) const
{
    return idx >= 0 && idx < count() && m_entries[size_t(idx)].checkedOut;
}

void HidDeviceController::release(Entry &entry)
{
    // The reader must be gone before the handles it reads from are closed.
    entry.reader.reset();
    entry.readerToken = 0;
    if (entry.device)
        entry.device->close();
}

void HidDeviceController::scan()
{
    if (!m_backend)
        return;
    if (m_scanning) {
        m_rescan = true;
        return;
    }
    m_scanning = true;
    do {
        m_rescan = false;
        const std::vector<HidDeviceInfo> present = m_backend->devices();
        bool changed = false;

        for (auto it = m_entries.begin(); it != m_entries.end();) {
            const bool stillThere = std::any_of(present.begin(), present.end(), [&](const HidDeviceInfo &p) {
                return p.path == it->info.path;
            });
            if (!stillThere && it->pluggedIn) {
                it->pluggedIn = false;
                release(*it);
                changed = true;
            }
            // A checked-out device stays listed, unplugged, until it is checked in.
            if (!it->pluggedIn && !it->checkedOut)
                it = m_entries.erase(it);
            else
                ++it;
        }

        for (const HidDeviceInfo &p : present) {
            const bool known = std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
                return e.pluggedIn && e.info.path == p.path;
            });
            if (known)
                continue;
            auto device = m_backend->create(p);
            if (!device)
                continue;
            Entry e;
            e.info = p;
            e.device = std::move(device);
            m_entries.push_back(std::move(e));
            changed = true;
        }

        const bool first = !m_scanned;
        m_scanned = true;
        if (changed || first)
            emit OnDeviceChange();
    } while (m_rescan);
    m_scanning = false;
}

int HidDeviceController::Enumerate()
{
    int visited = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (!m_entries[i].pluggedIn)
            continue;
        ++visited;
        const bool goOn = OnEnumerate ? OnEnumerate(*m_entries[i].device, int(i)) : true;
        if (!m_entries[i].checkedOut)
            m_entries[i].device->close();
        if (!goOn)
            break;
    }
    return visited;
}

bool HidDeviceController::CheckOutByIndex(HidDevice *&device, int idx)
{
    device = nullptr;
    auto fail = [this](CheckOutError e) {
        m_lastError = e;
        return false;
    };
    if (idx < 0 || idx >= count())
        return fail(CheckOutError::NoSuchDevice);
    Entry &e = m_entries[size_t(idx)];
    if (e.checkedOut)
        return fail(CheckOutError::AlreadyCheckedOut);
    if (!e.pluggedIn)
        return fail(CheckOutError::Unplugged);
    // The link's report buffers are 65 bytes; other lengths would be cut or overrun.
    const HidCaps caps = e.device->GetCaps();
    if (caps.InputReportByteLength != kInstrumentReportLength
        || caps.OutputReportByteLength != kInstrumentReportLength)
        return fail(CheckOutError::ReportLength);
    if (!e.device->open())
        return fail(CheckOutError::CannotOpen);

    e.checkedOut = true;
    e.readerToken = ++m_nextToken;
    const uint64_t token = e.readerToken;
    e.reader = std::make_unique<HidReader>(*e.device, [this, token](QList<QByteArray> reports) {
        QCoreApplication::postEvent(this, new ReportsEvent(token, std::move(reports)));
    });
    m_lastError = CheckOutError::None;
    device = e.device.get();
    return true;
}

void HidDeviceController::CheckIn(HidDevice *&device)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
        return e.checkedOut && e.device.get() == device;
    });
    device = nullptr;
    if (it == m_entries.end())
        return;
    release(*it);
    it->checkedOut = false;
    if (it->pluggedIn)
        it->device = m_backend ? m_backend->create(it->info) : nullptr;
    if (!it->device || !it->pluggedIn)
        m_entries.erase(it);
}

void HidDeviceController::customEvent(QEvent *event)
{
    if (event->type() == ReportsEvent::type()) {
        const auto *e = static_cast<ReportsEvent *>(event);
        deliver(e->token, e->reports);
    }
}

void HidDeviceController::deliver(uint64_t token, const QList<QByteArray> &reports)
{
    for (const QByteArray &report : reports) {
        // Looked up for every report: a handler may check the device in, and reports
        // read before a check-in belong to an object that no longer exists.
        auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) {
            return e.checkedOut && e.readerToken == token;
        });
        if (it == m_entries.end())
            return;
        if (!report.isEmpty())
            emit OnDeviceData(it->device.get(), quint8(report[0]), report.sliced(1));
    }
}

} // namespace corvane
