#include "ui/unit2.h"

#include "charts/bmpexport.h"
#include "charts/curvechart.h"
#include "charts/viewdraw.h"
#include "ui/radiobutton.h"
#include "ui_Unit2.h"

#include <QSignalBlocker>
#include <QVBoxLayout>

namespace corvane {

void TForm2::setupChart()
{
    auto *layout = new QVBoxLayout(m_ui->Chart1Host);
    layout->setContentsMargins(0, 0, 0, 0);
    Chart1 = new CurveChart(m_ui->Chart1Host);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    layout->addWidget(Chart1);

    // Checking a radio button from code runs its handler like a click does; unchecking
    // runs none. Combo-box entries chosen from code run no change handler.
    connect(m_ui->RdBtnOJIP, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RdBtnOJIPClick();
    });
    connect(m_ui->RdBtnAL, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            RdBtnALClick();
    });
    connect(m_ui->CBoxFN, &QComboBox::activated, this, &TForm2::CBoxFNChange);
    connect(m_ui->CBoxALNO, &QComboBox::activated, this, &TForm2::CBoxALNOChange);
    connect(m_ui->BtnSavePic, &QPushButton::clicked, this, &TForm2::BtnSavePicClick);
    m_ui->CBoxFN->setEditable(false);
    m_ui->CBoxALNO->setEditable(false);
}

CurveChart &TForm2::chart1() const
{
    return *Chart1;
}

std::vector<RecordEntry> TForm2::tickedEntries() const
{
    std::vector<RecordEntry> entries;
    for (int line : tickedLines())
        if (line < kMaxListed)
            entries.push_back(m_state.RecordIndex[size_t(line)]);
    return entries;
}

void TForm2::createCurvePool()
{
    Chart1->model().createCurvePool();
    Chart1->refresh();
}

void TForm2::resetCurvePool()
{
    Chart1->model().resetCurvePool();
    Chart1->refresh();
}

void TForm2::releaseCurvePool()
{
    Chart1->model().releaseCurvePool();
    Chart1->refresh();
}

void TForm2::DrawSelectInChart()
{
    draw(m_session.selectionRedrawn());
}

void TForm2::RdBtnOJIPClick()
{
    showView(m_session.ojipClicked());
}

void TForm2::RdBtnALClick()
{
    showView(m_session.actinicClicked());
}

void TForm2::CBoxALNOChange()
{
    showView(m_session.sectionChosen(m_ui->CBoxALNO->currentIndex()));
}

void TForm2::CBoxFNChange()
{
    showView(m_session.fileChosen(m_ui->CBoxFN->currentIndex()));
}

void TForm2::showView(const DrawPlan &plan)
{
    showViewControls();
    draw(plan);
}

namespace {

// Entries and choice set from code run no change handler.
void showEntries(QComboBox *box, const QStringList &entries, int index)
{
    const QSignalBlocker block(box);
    QStringList shown;
    shown.reserve(box->count());
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown != entries) {
        box->clear();
        box->addItems(entries);
    }
    box->setCurrentIndex(index);
}

// Checked from code without running the button's handler.
void showRadio(QRadioButton *button, bool enabled, bool checked)
{
    button->setEnabled(enabled);
    if (!checked) {
        uncheckRadio(button);
        return;
    }
    const QSignalBlocker block(button);
    button->setChecked(true);
}

} // namespace

void TForm2::showViewControls()
{
    const ViewControls &c = m_session.controls();
    showEntries(m_ui->CBoxFN, c.fileEntries, c.fileIndex);
    m_ui->CBoxFN->setEnabled(c.fileEnabled);
    showRadio(m_ui->RdBtnOJIP, c.ojipEnabled, c.ojipChecked);
    showRadio(m_ui->RdBtnAL, c.actinicEnabled, c.actinicChecked);
    showEntries(m_ui->CBoxALNO, c.sectionEntries, c.sectionIndex);
    m_ui->CBoxALNO->setVisible(c.sectionShown);
    m_ui->BtnP700Save->setVisible(c.p700Shown);
}

void TForm2::draw(const DrawPlan &plan)
{
    if (plan.empty())
        return;
    const std::vector<RecordEntry> ticked = tickedEntries();
    drawPlan(Chart1->model(), m_state.MeasurementBuffer, ticked, plan);
    Chart1->refresh();
}

void TForm2::BtnSavePicClick()
{
    if (!runExportDialog({QStringLiteral("存储图像"), QStringLiteral("PicQX_"), QStringLiteral("*.bmp|*.bmp"),
                          QStringLiteral("bmp")}))
        return;
    const QByteArray bytes = bmpBytes(Chart1->renderImage());
    if (bytes.isEmpty())
        showExportFailure(QStringLiteral("图像无法编码"));
    else
        writeChosenFile(bytes);
}

} // namespace corvane
