#include "ui/unit1.h"

#include "ui/unit2.h"
#include "ui/widgetports.h"
#include "ui_Unit1.h"

#include <QCloseEvent>
#include <QTimer>

namespace corvane {

TForm1::TForm1(AppState &state, Forms &forms, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_forms(forms)
    , m_ui(std::make_unique<Ui::TForm1>())
{
    m_ui->setupUi(this);
    QFont label = m_ui->Label1->font();
    label.setPixelSize(24);
    m_ui->Label1->setFont(label);
    QFont status = m_ui->RichEdit1->font();
    status.setPixelSize(16);
    m_ui->RichEdit1->setFont(status);
    setFixedSize(size());
    move(324, 179);

    connect(m_ui->BtnView, &QPushButton::clicked, this, &TForm1::BtnViewClick);
    connect(m_ui->BtnExit, &QPushButton::clicked, this, &TForm1::BtnExitClick);

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    m_timerPort = std::make_unique<TimerPort>(*Timer1);
    m_statusPort = std::make_unique<StatusBoxPort>(*m_ui->RichEdit1);
    m_progressPort = std::make_unique<ProgressBarPort>(*m_ui->PBar1);
    m_transPort = std::make_unique<ButtonPort>(*m_ui->BtnTrans);
    m_clock = std::make_unique<SystemClock>();
    m_link = std::make_unique<UploadProtocol>(
        m_state, LinkPorts{*m_timerPort, *m_statusPort, *m_progressPort, *m_transPort, *m_clock});
    connect(m_ui->BtnConn, &QPushButton::clicked, this, &TForm1::BtnConnClick);
    connect(m_ui->BtnTrans, &QPushButton::clicked, this, &TForm1::BtnTransClick);

    HidDev1 = new HidDeviceController(this);
    HidDev1->OnEnumerate = [this](HidDevice &dev, int idx) { return HidDev1Enumerate(dev, idx); };
    connect(HidDev1, &HidDeviceController::OnDeviceChange, this, &TForm1::HidDev1DeviceChange);
    connect(HidDev1, &HidDeviceController::OnDeviceData, this, &TForm1::HidDev1DeviceData);
}

// The controller, a child, stops its reader threads as it goes. The shared state is
// left alone: its owner may already have let it go.
TForm1::~TForm1() = default;

void TForm1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Shown once in the life of the process: nothing shows it again after "查  看".
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::FormShow()
{
    // From here on the watchdog runs only while a request is outstanding.
    Timer1->stop();
    setWindowTitle(QStringLiteral("数据传输"));
    m_ui->Label1->setText(QStringLiteral("Corvane-K300/K310数据传输"));
    m_ui->BtnConn->setText(QStringLiteral("连  接"));
    m_ui->BtnTrans->setText(QStringLiteral("数据上传"));
    m_ui->BtnView->setText(QStringLiteral("查  看"));
    m_ui->BtnExit->setText(QStringLiteral("退  出"));
    m_ui->RichEdit1->setPlainText(QStringLiteral("请连接荧光仪"));
    m_state.MeasurementBuffer.clear();
    m_state.ReportTotal = 0;
    m_link->RecordCount = 0;
    m_state.ReportsReceived = 0;
    m_state.UploadedDataPresent = false;
    HidDev1->Enumerate();
}

void TForm1::BtnViewClick()
{
    if (m_state.ReportsReceived != 0)
        m_state.UploadedDataPresent = true;
    hide();
    if (m_forms.Form2)
        m_forms.Form2->show();
}

void TForm1::BtnExitClick()
{
    m_exit(0);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    event->ignore();
    m_exit(0);
}

void TForm1::BtnConnClick()
{
    m_link->BtnConnClick();
}

void TForm1::BtnTransClick()
{
    m_link->BtnTransClick();
}

void TForm1::Timer1Timer()
{
    m_link->Timer1Timer();
}

void TForm1::HidDev1DeviceData(HidDevice *, quint8 ReportID, const QByteArray &Data)
{
    // The reader thread delivers each report's bytes with its notification, so they
    // are processed as they are instead of being read a second time.
    m_link->DeviceData(ReportID, {reinterpret_cast<const uint8_t *>(Data.constData()), size_t(Data.size())});
}

void TForm1::HidDev1DeviceChange()
{
    if (m_link->InstrumentDevice)
        HidDev1->CheckIn(m_link->InstrumentDevice);
    m_link->InstrumentFound = false;
    m_instrumentRefused = false;
    HidDev1->Enumerate();
}

bool TForm1::HidDev1Enumerate(HidDevice &HidDev, int Idx)
{
    if (m_link->InstrumentFound)
        return true;
    // Once an instrument was found unusable, the reason stays in view: the devices
    // behind it in the list are not what the user needs to hear about.
    if (!m_instrumentRefused)
        m_ui->RichEdit1->setPlainText(QStringLiteral("请连接荧光仪"));
    if (HidDev.VendorID() != kInstrumentVendorId || HidDev.ProductID() != kInstrumentProductId)
        return true;
    m_ui->RichEdit1->setPlainText(QStringLiteral("检测到荧光仪插入"));
    // A device that cannot be used is not taken for the instrument: the buttons
    // would otherwise write to nothing.
    if (!HidDev1->CheckOutByIndex(m_link->InstrumentDevice, Idx)) {
        using E = HidDeviceController::CheckOutError;
        if (HidDev1->lastCheckOutError() == E::ReportLength)
            m_ui->RichEdit1->append(QStringLiteral("荧光仪的报告长度不是65字节，无法使用。"));
        else if (HidDev1->lastCheckOutError() == E::CannotOpen)
            m_ui->RichEdit1->append(QStringLiteral("无法打开荧光仪，请检查设备访问权限。"));
        m_instrumentRefused = true;
        return true;
    }
    m_link->InstrumentFound = true;
    m_ui->BtnConn->setEnabled(true);
    return true;
}

} // namespace corvane
