#pragma once
// The viewer window: measurement list, curve page and table page.
#include "charts/viewersession.h"
#include "data/appstate.h"
#include "ui/dialogs.h"
#include "ui/forms.h"
#include "ui/processexit.h"

#include <QPoint>
#include <QWidget>

#include <memory>
#include <vector>

namespace Ui {
class TForm2;
}

namespace corvane {

class TForm2 : public QWidget
{
    Q_OBJECT

public:
    TForm2(AppState &state, Forms &forms, DialogProvider &dialogs, QWidget *parent = nullptr);
    ~TForm2() override;

    Ui::TForm2 *ui() const { return m_ui.get(); }
    void setExitFunction(ExitFunction exit) { m_exit = std::move(exit); }
    SaveDialogState &saveDialog() { return SaveDialog1; }
    ViewerSession &session() { return m_session; }

    // ---- window and measurement list (unit2.cpp) ----
    void FormShow();
    void BtnOpenClick();
    void BtnSaveAllClick();
    void BtnExitClick();
    void FillFNtoChkListBox();
    void ChkListBox1Click();
    void ChkListBox1ClickCheck();
    void ChkListBox1DblClick();
    void ChkListBox1MouseMove(int x, int y);
    QPoint listMousePos() const { return m_listMousePos; }
    // The list's tick state, read by the table, the chart and the exports.
    int lineCount() const;
    bool isTicked(int line) const;
    std::vector<int> tickedLines() const;  // in list order

    // ---- parameter table (unit2grid.cpp) ----
    void FillSelectToGrid();
    void BtnSaveGridClick();
    // StrGrid1's cells in grid coordinates (row 0: the header row).
    const class ParameterTableModel &gridModel() const { return *m_gridModel; }
    // The third page, "JIP参数" (unit2jippage.cpp), refreshed with the table.
    class JipPage &jipPage() const { return *m_jipPage; }

    // ---- chart and view selection (unit2chart.cpp) ----
    void createCurvePool();
    void resetCurvePool();
    void releaseCurvePool();
    void DrawSelectInChart();
    void RdBtnOJIPClick();
    void RdBtnALClick();
    void CBoxFNChange();
    void CBoxALNOChange();
    void BtnSavePicClick();
    class CurveChart &chart1() const;

    // ---- raw data and P700 export (unit2export.cpp) ----
    void BtnSaveODatClick();
    void SaveDialog1TypeChange(int filterIndex);
    void BtnP700SaveClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Per-page set-up called by the constructor; each lives with its page's code.
    void setupList();
    void setupGrid();
    void setupChart();
    void setupExport();

    AppState &m_state;
    Forms &m_forms;
    DialogProvider &m_dialogs;
    std::unique_ptr<Ui::TForm2> m_ui;
    ExitFunction m_exit = exitImmediately;
    SaveDialogState SaveDialog1;
    ViewerSession m_session;  // the current record, tick colours and the view rules
    bool m_shown = false;

    // ---- window and measurement list state ----
    void setupWindowAnchors();
    void setListHint(const QString &hint);
    void setSwatchColour(uint32_t colour);
    void resetSwatchColour();
    void showLineColour(uint32_t colour);
    std::vector<TickedLine> tickedLineTexts() const;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool m_fillingList = false;
    QPoint m_listMousePos;  // where the mouse last moved or pressed on the list

    // ---- parameter table state ----
    class ParameterTableModel *m_gridModel = nullptr;  // a child of the window
    class JipPage *m_jipPage = nullptr;                // owned by PageControl1

    // ---- chart state ----
    CurveChart *Chart1 = nullptr;  // inside Chart1Host, which owns it
    std::vector<RecordEntry> tickedEntries() const;
    // The session's answer to an event: the view controls it decided, then its drawing.
    void showView(const DrawPlan &plan);
    void showViewControls();
    void draw(const DrawPlan &plan);

    // ---- the export runner (unit2export.cpp), behind every export button ----
    struct ExportDialog
    {
        QString title;
        QString fileName;
        QString filter;
        QString defaultExt;
        bool rawExportTypes = false;  // the raw export's dialog, whose types change the extension
    };
    // Sets up SaveDialog1 (type 1 proposed) and runs it; false when cancelled.
    bool runExportDialog(const ExportDialog &d);
    // Writes the chosen file atomically; a failure is shown under the dialog's title.
    bool writeChosenFile(QByteArrayView bytes);
    void showExportFailure(const QString &reason);
};

} // namespace corvane
