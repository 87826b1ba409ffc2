#include "ui/unit2.h"

#include "data/p700export.h"
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

bool TForm2::runExportDialog(const ExportDialog &d)
{
    SaveDialog1.Title = d.title;
    SaveDialog1.FileName = d.fileName;
    SaveDialog1.Filter = d.filter;
    SaveDialog1.DefaultExt = d.defaultExt;
    // The dialog is shared: a type left from the raw export's two would name no entry
    // of a one-entry filter.
    SaveDialog1.FilterIndex = 1;
    m_session.RawExportDialogOpen = d.rawExportTypes;
    const bool chosen = m_dialogs.runSave(SaveDialog1, [this](int type) { SaveDialog1TypeChange(type); });
    m_session.RawExportDialogOpen = false;
    return chosen;
}

bool TForm2::writeChosenFile(QByteArrayView bytes)
{
    const QString error = writeFileAtomically(SaveDialog1.FileName, bytes);
    if (!error.isEmpty())
        m_dialogs.showError(SaveDialog1.Title, error);
    return error.isEmpty();
}

void TForm2::showExportFailure(const QString &reason)
{
    m_dialogs.showError(SaveDialog1.Title, writeFailureText(SaveDialog1.FileName, reason));
}

void TForm2::BtnSaveODatClick()
{
    if (!runExportDialog({QStringLiteral("存储选中文件的原始数据"), datedFileName(QStringLiteral("SelQX_")),
                          QStringLiteral("二进制|*.bin|CSV格式|*.csv"), QStringLiteral("bin"), true}))
        return;
    const std::vector<int> lines = tickedLines();
    // The type picked decides the form, whatever extension the name was given.
    writeChosenFile(SaveDialog1.FilterIndex == 1 ? rawDataFileBytes(m_state.MeasurementBuffer, m_state.RecordIndex, lines)
                                                 : rawCsvBytes(m_state.MeasurementBuffer, m_state.RecordIndex, lines));
}

void TForm2::SaveDialog1TypeChange(int filterIndex)
{
    // The dialog is shared by every export; only the raw export has two types.
    if (!m_session.RawExportDialogOpen)
        return;
    if (filterIndex == 1)
        SaveDialog1.DefaultExt = QStringLiteral("bin");
    else if (filterIndex == 2)
        SaveDialog1.DefaultExt = QStringLiteral("csv");
}

void TForm2::BtnP700SaveClick()
{
    if (!runExportDialog({QStringLiteral("存储当前文件的P700数据"), m_session.CurrentRecordName + QStringLiteral("_P700"),
                          QStringLiteral("*.csv|*.csv"), QStringLiteral("csv")}))
        return;
    const RecordHeader current(m_state.MeasurementBuffer, m_session.CurrentRecord);
    // Nothing was saved after a failure, so the notice that says it was stays away.
    if (!writeChosenFile(p700CsvBytes(m_state.MeasurementBuffer, m_session.CurrentRecord, listLineBytes(current))))
        return;
    setEnabled(false);
    m_forms.Form3->show();
    m_forms.Form3->raise();
    m_forms.Form3->activateWindow();
}

} // namespace corvane
