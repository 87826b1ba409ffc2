#include "ui/unit2.h"

#include "ui_Unit2.h"

#include <QCloseEvent>

namespace corvane {

TForm2::TForm2(AppState &state, Forms &forms, DialogProvider &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_forms(forms)
    , m_dialogs(dialogs)
    , m_ui(std::make_unique<Ui::TForm2>())
{
    m_ui->setupUi(this);
    setupList();
    setupGrid();
    setupChart();
    setupExport();
    connect(m_ui->BtnExit, &QPushButton::clicked, this, &TForm2::BtnExitClick);
}

TForm2::~TForm2() = default;

void TForm2::setupList() {}

void TForm2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shown && !event->spontaneous()) {
        m_shown = true;
        FormShow();
    }
}

void TForm2::FormShow()
{
    m_ui->Label1->setText(QStringLiteral("点击【打开】按钮打开测量数据文件。"));
    if (m_state.UploadedDataPresent) {
        m_ui->Label1->setText(QStringLiteral("查看上传的数据:"));
        m_ui->BtnSaveAll->setEnabled(true);
        FillFNtoChkListBox();
    }
    m_ui->CBoxFN->setEnabled(false);
    m_ui->RdBtnOJIP->setEnabled(false);
    m_ui->CBoxALNO->hide();
    m_ui->RdBtnAL->setEnabled(false);
    m_ui->BtnP700Save->hide();
    createCurvePool();
}

void TForm2::BtnOpenClick() {}
void TForm2::BtnSaveAllClick() {}

void TForm2::BtnExitClick()
{
    m_exit(0);
}

void TForm2::FillFNtoChkListBox() {}
void TForm2::ChkListBox1Click() {}
void TForm2::ChkListBox1ClickCheck() {}
void TForm2::ChkListBox1DblClick() {}

int TForm2::lineCount() const
{
    return m_ui->ChkListBox1->count();
}

bool TForm2::isTicked(int line) const
{
    const QListWidgetItem *item = m_ui->ChkListBox1->item(line);
    return item && item->checkState() == Qt::Checked;
}

std::vector<int> TForm2::tickedLines() const
{
    std::vector<int> lines;
    for (int i = 0; i < lineCount(); ++i)
        if (isTicked(i))
            lines.push_back(i);
    return lines;
}

void TForm2::closeEvent(QCloseEvent *event)
{
    event->ignore();
    releaseCurvePool();
    m_exit(0);
}

} // namespace corvane
