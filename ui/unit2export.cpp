#include "ui/unit2.h"

#include "charts/p700export.h"
#include "data/filewrite.h"
#include "data/rawexport.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "ui/unit3.h"
#include "ui_Unit2.h"


namespace corvane {

void TForm2::setupExport()
{
    connect(m_ui->BtnSaveODat, &QPushButton::clicked, this, &TForm2::BtnSaveODatClick);
    connect(m_ui->BtnP700Save, &QPushButton::clicked, this, &TForm2::BtnP700SaveClick);
}

void TForm2::BtnSaveODatClick()
{
    SaveDialog1.Title = QStringLiteral("存储选中文件的原始数据");
    SaveDialog1.FileName = datedFileName(QStringLiteral("SelQX_"));
    SaveDialog1.Filter = QStringLiteral("二进制|*.bin|CSV格式|*.csv");
    SaveDialog1.DefaultExt = QStringLiteral("bin");
    SaveDialog1.FilterIndex = 1;

    m_state.RawExportDialogOpen = true;
    QString error;
    if (m_dialogs.runSave(SaveDialog1, [this](int type) { SaveDialog1TypeChange(type); })) {
        const std::vector<int> lines = tickedLines();
        // The type picked decides the form, whatever extension the name was given.
        const QByteArray bytes = SaveDialog1.FilterIndex == 1
            ? rawDataFileBytes(m_state.MeasurementBuffer, m_state.RecordIndex, lines)
            : rawCsvBytes(m_state.MeasurementBuffer, m_state.RecordIndex, lines);
        error = writeFileAtomically(SaveDialog1.FileName, bytes);
    }
    m_state.RawExportDialogOpen = false;
    if (!error.isEmpty())
        m_dialogs.showError(SaveDialog1.Title, error);
}

void TForm2::SaveDialog1TypeChange(int filterIndex)
{
    // The dialog is shared by every export; only the raw export has two types.
    if (!m_state.RawExportDialogOpen)
        return;
    if (filterIndex == 1)
        SaveDialog1.DefaultExt = QStringLiteral("bin");
    else if (filterIndex == 2)
        SaveDialog1.DefaultExt = QStringLiteral("csv");
}

void TForm2::BtnP700SaveClick()
{
    SaveDialog1.Title = QStringLiteral("存储当前文件的P700数据");
    SaveDialog1.FileName = m_state.CurrentRecordName + QStringLiteral("_P700");
    SaveDialog1.Filter = QStringLiteral("*.csv|*.csv");
    SaveDialog1.DefaultExt = QStringLiteral("csv");
    SaveDialog1.FilterIndex = 1;
    if (!m_dialogs.runSave(SaveDialog1, {}))
        return;

    const RecordHeader current(m_state.MeasurementBuffer, m_state.CurrentRecord);
    const QByteArray bytes = p700CsvBytes(m_state.MeasurementBuffer, m_state.CurrentRecord, listLineBytes(current));
    if (QString error = writeFileAtomically(SaveDialog1.FileName, bytes); !error.isEmpty()) {
        // Nothing was saved, so the notice that says it was stays away.
        m_dialogs.showError(SaveDialog1.Title, error);
        return;
    }
    setEnabled(false);
    m_forms.Form3->show();
    m_forms.Form3->raise();
    m_forms.Form3->activateWindow();
}

} // namespace corvane
