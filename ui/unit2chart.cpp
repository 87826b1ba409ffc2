#include "ui/unit2.h"

#include "charts/axisrange.h"
#include "charts/bmpexport.h"
#include "charts/curvechart.h"
#include "charts/curvepoints.h"
#include "data/record.h"
#include "ui/radiobutton.h"
#include "ui_Unit2.h"

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

void TForm2::ReDrawAxis(AxisMode mode)
{
    const std::vector<RecordEntry> ticked = tickedEntries();
    reDrawAxis(Chart1->model(), m_state.MeasurementBuffer, mode,
               AxisInputs{ticked, m_ui->CBoxFN->currentIndex(), m_session.CurrentRecord});
    Chart1->refresh();
}

void TForm2::DrawSelectInChart()
{
    const std::vector<RecordEntry> ticked = tickedEntries();
    drawSelectInChart(Chart1->model(), m_state.MeasurementBuffer,
                      AxisInputs{ticked, m_ui->CBoxFN->currentIndex(), m_session.CurrentRecord});
    Chart1->refresh();
}

void TForm2::DrawOJIP(DrawMode mode, uint32_t record, ChartSeries &series, uint32_t colour)
{
    drawOjip(Chart1->model(), m_state.MeasurementBuffer, mode, record, series, colour, m_ui->CBoxALNO->currentIndex());
    Chart1->refresh();
}

// Every view of one record starts in pool series 0 in red.
void TForm2::drawInPoolSeries0(DrawMode mode)
{
    ChartModel &model = Chart1->model();
    if (model.poolSize() == 0)
        return;
    DrawOJIP(mode, m_session.CurrentRecord, model.CurvePool[0], kFirstCurveColour);
}

void TForm2::DrawAL()
{
    drawAl(Chart1->model(), m_state.MeasurementBuffer, m_session.CurrentRecord);
    Chart1->refresh();
}

void TForm2::RdBtnOJIPClick()
{
    uncheckRadio(m_ui->RdBtnAL);
    m_ui->CBoxALNO->hide();
    m_ui->RdBtnOJIP->setChecked(true);
    if (m_ui->CBoxFN->currentIndex() != 0) {
        ReDrawAxis(AxisMode::Ojip);
        drawInPoolSeries0(DrawMode::AllCurves);
    } else {
        DrawSelectInChart();
    }
}

void TForm2::RdBtnALClick()
{
    uncheckRadio(m_ui->RdBtnOJIP);
    m_ui->RdBtnAL->setChecked(true);
    m_ui->CBoxALNO->setCurrentIndex(0);
    const RecordHeader h(m_state.MeasurementBuffer, m_session.CurrentRecord);
    switch (ViewerSession::actinicView(h)) {
    case ActinicView::None:
        return;
    case ActinicView::TimeCourse:
        DrawAL();
        return;
    case ActinicView::Sections: {
        QComboBox *al = m_ui->CBoxALNO;
        al->show();
        al->clear();
        al->addItems(ViewerSession::actinicSelectorEntries(h));
        al->setCurrentIndex(0);
        ReDrawAxis(AxisMode::ActinicOjip);
        drawInPoolSeries0(DrawMode::ActinicCurves);
        return;
    }
    }
}

void TForm2::CBoxALNOChange()
{
    drawInPoolSeries0(DrawMode::ActinicCurves);
}

void TForm2::CBoxFNChange()
{
    m_ui->BtnP700Save->hide();
    // Runs RdBtnOJIPClick first when the actinic-light view was showing.
    m_ui->RdBtnOJIP->setChecked(true);
    m_ui->RdBtnAL->setEnabled(false);
    uncheckRadio(m_ui->RdBtnAL);
    m_ui->CBoxALNO->hide();
    if (m_ui->CBoxFN->currentIndex() == 0) {
        DrawSelectInChart();
        return;
    }
    const QString name = m_ui->CBoxFN->currentText();
    int line = -1;
    for (int i = 0; i < lineCount() && i < kMaxListed; ++i) {
        if (isTicked(i) && m_ui->ChkListBox1->item(i)->text() == name) {
            line = i;
            break;
        }
    }
    if (line < 0)
        return;
    m_session.chooseRecord(m_state.RecordIndex, line, name);
    // The axes stay as the previous view left them.
    drawInPoolSeries0(DrawMode::AllCurves);
    const RecordControls controls =
        ViewerSession::controlsFor(RecordHeader(m_state.MeasurementBuffer, m_session.CurrentRecord));
    if (controls.actinicEnabled) {
        m_ui->RdBtnAL->setEnabled(true);
        m_ui->CBoxALNO->hide();
    }
    if (controls.p700Shown)
        m_ui->BtnP700Save->show();
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
