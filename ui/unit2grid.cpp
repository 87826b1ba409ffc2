#include "ui/unit2.h"

#include "analysis/tablecsv.h"
#include "ui/parametertablemodel.h"
#include "ui/unit2jippage.h"
#include "ui_Unit2.h"

#include <QFontMetricsF>
#include <QHeaderView>

#include <algorithm>

namespace corvane {

namespace {

constexpr int kColumnWidths[kTableColumns] = {75, 109, 64, 48, 46, 47, 46, 50, 42, 43, 40, 42,
                                              42, 41, 61, 50, 47, 47, 46, 49, 51, 48, 46};
constexpr int kRowHeight = 24;

// The designed widths are the least a column gets: a text wider than that, in a cell
// or in the header, widens its column so that nothing is cut. A column the user has
// made wider keeps its width.
void fitColumnsToText(QTableView *grid, const ParameterTableModel &model)
{
    // The item delegate keeps this margin either side of a cell's text; the grid line takes a pixel.
    const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
    const std::vector<TableRow> &rows = model.rows();
    const auto widest = widestCellTexts(std::span(rows).subspan(1), QFontMetricsF(grid->font()));
    for (int c = 0; c < kTableColumns; ++c) {
        const int needed = std::max({kColumnWidths[c], widest[size_t(c)] + margin,
                                     grid->horizontalHeader()->sectionSizeHint(c)});
        if (grid->columnWidth(c) < needed)
            grid->setColumnWidth(c, needed);
    }
}

} // namespace

void TForm2::setupGrid()
{
    m_gridModel = new ParameterTableModel(this);
    QTableView *grid = m_ui->StrGrid1;
    grid->setModel(m_gridModel);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setShowGrid(true);
    grid->setWordWrap(false);
    // A cell too narrow for its text is cut at its edge, as in a string grid.
    grid->setTextElideMode(Qt::ElideNone);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    QHeaderView *header = grid->horizontalHeader();
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(kRowHeight);
    for (int c = 0; c < kTableColumns; ++c)
        grid->setColumnWidth(c, kColumnWidths[c]);
    connect(m_ui->BtnSaveGrid, &QPushButton::clicked, this, &TForm2::BtnSaveGridClick);
    m_jipPage = new JipPage(m_state, SaveDialog1, m_dialogs);
    m_ui->PageControl1->addTab(m_jipPage, QStringLiteral("JIP参数"));
}

void TForm2::FillSelectToGrid()
{
    m_gridModel->setRows(parameterTableRows(m_state.MeasurementBuffer, m_state.RecordIndex, tickedLines()));
    fitColumnsToText(m_ui->StrGrid1, *m_gridModel);
    m_jipPage->refresh(tickedLines());
}

void TForm2::BtnSaveGridClick()
{
    if (runExportDialog({QStringLiteral("存储表格数据"), datedFileName(QStringLiteral("GridQX_")),
                         QStringLiteral("*.csv|*.csv"), QStringLiteral("csv")}))
        writeChosenFile(tableCsv(m_gridModel->rows()));
}

} // namespace corvane
