#include "ui/unit1.h"

#include "ui/unit2.h"
#include "ui_Unit1.h"

#include <QCloseEvent>

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
}

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
    setWindowTitle(QStringLiteral("数据传输"));
    m_ui->Label1->setText(QStringLiteral("Corvane-K300/K310数据传输"));
    m_ui->BtnConn->setText(QStringLiteral("连  接"));
    m_ui->BtnTrans->setText(QStringLiteral("数据上传"));
    m_ui->BtnView->setText(QStringLiteral("查  看"));
    m_ui->BtnExit->setText(QStringLiteral("退  出"));
    m_ui->RichEdit1->setPlainText(QStringLiteral("请连接荧光仪"));
    m_state.MeasurementBuffer.clear();
    m_state.ReportTotal = 0;
    m_state.RecordCount = 0;
    m_state.ReportsReceived = 0;
    m_state.UploadedDataPresent = false;
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

} // namespace corvane
