#pragma once
// The transfer window: status box, progress bar and the buttons of the device link.
#include "data/appstate.h"
#include "device/hiddevicecontroller.h"
#include "device/uploadprotocol.h"
#include "ui/forms.h"
#include "ui/processexit.h"

#include <QWidget>

#include <memory>

class QTimer;

namespace Ui {
class TForm1;
}

namespace corvane {

class TimerPort;
class StatusBoxPort;
class ProgressBarPort;
class ButtonPort;
class SystemClock;

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    TForm1(AppState &state, Forms &forms, QWidget *parent = nullptr);
    ~TForm1() override;

    Ui::TForm1 *ui() const { return m_ui.get(); }
    void setExitFunction(ExitFunction exit) { m_exit = std::move(exit); }

    // The controller finds no device until it is given a backend (before the event loop runs).
    HidDeviceController &hidController() { return *HidDev1; }
    UploadProtocol &link() { return *m_link; }
    QTimer &timer() { return *Timer1; }

    void FormShow();
    void BtnViewClick();
    void BtnExitClick();

    // Device link
    void BtnConnClick();
    void BtnTransClick();
    void Timer1Timer();
    void HidDev1DeviceChange();
    bool HidDev1Enumerate(HidDevice &HidDev, int Idx);
    void HidDev1DeviceData(HidDevice *HidDev, quint8 ReportID, const QByteArray &Data);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppState &m_state;
    Forms &m_forms;
    std::unique_ptr<Ui::TForm1> m_ui;
    ExitFunction m_exit = exitImmediately;
    bool m_shown = false;
    bool m_instrumentRefused = false;  // this scan found the instrument but could not use it

    HidDeviceController *HidDev1;
    QTimer *Timer1;
    std::unique_ptr<TimerPort> m_timerPort;
    std::unique_ptr<StatusBoxPort> m_statusPort;
    std::unique_ptr<ProgressBarPort> m_progressPort;
    std::unique_ptr<ButtonPort> m_transPort;
    std::unique_ptr<SystemClock> m_clock;
    std::unique_ptr<UploadProtocol> m_link;
};

} // namespace corvane
