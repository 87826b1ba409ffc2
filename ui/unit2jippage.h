#pragma once
// The viewer's third page, "JIP参数": the JIP-test set of every ticked line, the
// comparison with a chosen control, the Vt / ΔVt curves and the radar plot, and their
// saving. Built in code; the viewer only adds it and hands it the ticked lines.
#include "analysis/jipcomparison.h"
#include "charts/jipgeometry.h"
#include "data/appstate.h"
#include "ui/dialogs.h"
#include "ui/jippagetable.h"

#include <QWidget>

#include <vector>

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTableView;

namespace corvane {

class JipTableModel;
class RadarChart;
class VtChart;

class JipPage : public QWidget
{
    Q_OBJECT

public:
    // `dialog` is the viewer's shared save dialog.
    JipPage(const AppState &state, SaveDialogState &dialog, DialogProvider &dialogs, QWidget *parent = nullptr);
    ~JipPage() override;

    // The ticked lines in list order. While the page is hidden its widgets wait until it shows.
    void refresh(const std::vector<int> &lines);

    // The control as a list line (-1: none), as if chosen in "对照".
    void chooseControl(int line);
    int controlLine() const { return m_controlLine; }
    void chooseTableView(JipTableView view);
    void chooseCurveView(VtView view);

    const JipComparison &comparison() const { return m_cmp; }
    JipTableView tableView() const { return m_tableView; }
    VtView curveView() const { return m_curveView; }
    QTableView *table() const { return m_table; }
    QComboBox *controlBox() const { return m_controlBox; }
    VtChart &vtChart() const { return *m_vtChart; }
    RadarChart &radarChart() const { return *m_radar; }

    void BtnSaveJipClick();
    void BtnSaveVtClick();
    void BtnSaveRadarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showAll();
    void fillControlBox();
    void showTable();
    void showPictures();
    void updateViewButtons();
    void fitColumns();
    QString controlName() const;
    bool runPictureSave(const QString &title, const QString &prefix);

    const AppState &m_state;
    SaveDialogState &m_dialog;
    DialogProvider &m_dialogs;

    std::vector<int> m_lines;
    std::vector<QString> m_names;  // list line texts of m_lines
    JipComparison m_cmp;
    int m_controlLine = -1;
    JipTableView m_tableView = JipTableView::Values;
    VtView m_curveView = VtView::Vt;
    bool m_stale = false;

    QComboBox *m_controlBox = nullptr;
    QRadioButton *m_valuesButton = nullptr;
    QRadioButton *m_relativeButton = nullptr;
    QRadioButton *m_vtButton = nullptr;
    QRadioButton *m_deltaButton = nullptr;
    QTableView *m_table = nullptr;
    JipTableModel *m_model = nullptr;
    VtChart *m_vtChart = nullptr;
    RadarChart *m_radar = nullptr;
};

} // namespace corvane
