#include "ui/unit2jippage.h"

#include "charts/picturefile.h"
#include "charts/radarchart.h"
#include "charts/vtchart.h"
#include "data/filewrite.h"
#include "data/record.h"
#include "data/recordtext.h"

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace corvane {

// The page's cells as texts, the flags' explanations as tooltips; nothing editable.
class JipTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setContent(QStringList headers, std::vector<QStringList> rows, std::vector<QString> flagTips)
    {
        beginResetModel();
        m_headers = std::move(headers);
        m_rows = std::move(rows);
        m_flagTips = std::move(flagTips);
        endResetModel();
    }
    const std::vector<QStringList> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(m_rows.size()); }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : kJipTableColumns; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || size_t(index.row()) >= m_rows.size())
            return {};
        const QStringList &row = m_rows[size_t(index.row())];
        if (role == Qt::DisplayRole && index.column() < row.size())
            return row[index.column()];
        if (role == Qt::ToolTipRole && index.column() == kJipFlagsColumn)
            return m_flagTips[size_t(index.row())];
        if (role == Qt::TextAlignmentRole && index.column() > 0 && index.column() < kJipFlagsColumn)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || section < 0 || section >= m_headers.size())
            return {};
        if (role == Qt::DisplayRole)
            return m_headers[section];
        if (role == Qt::ToolTipRole && section == kJipFlagsColumn)
            return jipFlagLegendText();
        return {};
    }

private:
    QStringList m_headers = jipTableHeaders(JipTableView::Values);
    std::vector<QStringList> m_rows;
    std::vector<QString> m_flagTips;
};

namespace {

constexpr int kRowHeight = 24;

QPushButton *button(const QString &text, const QString &name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QRadioButton *radio(const QString &text, const QString &name, QButtonGroup *group, QWidget *parent)
{
    auto *r = new QRadioButton(text, parent);
    r->setObjectName(name);
    group->addButton(r);
    return r;
}

} // namespace

JipPage::JipPage(const AppState &state, SaveDialogState &dialog, DialogProvider &dialogs, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_dialog(dialog)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("TabSheetJip"));
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("对照"), this));
    m_controlBox = new QComboBox(this);
    m_controlBox->setObjectName(QStringLiteral("CBoxControl"));
    m_controlBox->setEditable(false);
    m_controlBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_controlBox->setMinimumContentsLength(12);
    top->addWidget(m_controlBox);
    top->addSpacing(16);
    auto *tableGroup = new QButtonGroup(this);
    m_valuesButton = radio(QStringLiteral("数值"), QStringLiteral("RdBtnJipValues"), tableGroup, this);
    m_relativeButton = radio(QStringLiteral("相对于对照"), QStringLiteral("RdBtnJipRelative"), tableGroup, this);
    m_valuesButton->setChecked(true);
    top->addWidget(m_valuesButton);
    top->addWidget(m_relativeButton);
    top->addStretch(1);
    QPushButton *saveTable = button(QStringLiteral("保存表格"), QStringLiteral("BtnSaveJip"), this);
    top->addWidget(saveTable);
    page->addLayout(top);

    auto *split = new QSplitter(Qt::Vertical, this);
    m_table = new QTableView(split);
    m_table->setObjectName(QStringLiteral("JipGrid"));
    m_model = new JipTableModel(m_table);
    m_table->setModel(m_model);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    split->addWidget(m_table);

    auto *charts = new QWidget(split);
    auto *chartRow = new QHBoxLayout(charts);
    chartRow->setContentsMargins(0, 0, 0, 0);

    auto *vtSide = new QVBoxLayout;
    auto *vtBar = new QHBoxLayout;
    auto *curveGroup = new QButtonGroup(this);
    m_vtButton = radio(QStringLiteral("Vt"), QStringLiteral("RdBtnVt"), curveGroup, charts);
    m_deltaButton = radio(QStringLiteral("ΔVt"), QStringLiteral("RdBtnDVt"), curveGroup, charts);
    m_vtButton->setChecked(true);
    vtBar->addWidget(m_vtButton);
    vtBar->addWidget(m_deltaButton);
    vtBar->addStretch(1);
    QPushButton *saveVt = button(QStringLiteral("保存曲线图"), QStringLiteral("BtnSaveVt"), charts);
    vtBar->addWidget(saveVt);
    vtSide->addLayout(vtBar);
    m_vtChart = new VtChart(charts);
    m_vtChart->setObjectName(QStringLiteral("VtChart"));
    vtSide->addWidget(m_vtChart, 1);
    chartRow->addLayout(vtSide, 2);

    auto *radarSide = new QVBoxLayout;
    auto *radarBar = new QHBoxLayout;
    radarBar->addStretch(1);
    QPushButton *saveRadar = button(QStringLiteral("保存雷达图"), QStringLiteral("BtnSaveRadar"), charts);
    radarBar->addWidget(saveRadar);
    radarSide->addLayout(radarBar);
    m_radar = new RadarChart(charts);
    m_radar->setObjectName(QStringLiteral("RadarChart"));
    radarSide->addWidget(m_radar, 1);
    chartRow->addLayout(radarSide, 1);

    split->addWidget(charts);
    // The pictures get the larger share; the table scrolls.
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 2);
    split->setSizes({150, 300});
    page->addWidget(split, 1);

    connect(m_controlBox, &QComboBox::activated, this,
            [this](int index) { chooseControl(m_controlBox->itemData(index).toInt()); });
    connect(m_relativeButton, &QRadioButton::toggled, this,
            [this](bool on) { chooseTableView(on ? JipTableView::Relative : JipTableView::Values); });
    connect(m_deltaButton, &QRadioButton::toggled, this,
            [this](bool on) { chooseCurveView(on ? VtView::DeltaVt : VtView::Vt); });
    connect(saveTable, &QPushButton::clicked, this, &JipPage::BtnSaveJipClick);
    connect(saveVt, &QPushButton::clicked, this, &JipPage::BtnSaveVtClick);
    connect(saveRadar, &QPushButton::clicked, this, &JipPage::BtnSaveRadarClick);

    showAll();
}

JipPage::~JipPage() = default;

void JipPage::refresh(const std::vector<int> &lines)
{
    // The data now, while the buffer holds what was ticked; the widgets wait while the
    // page is hidden, so ticking on another page costs little here.
    m_lines = lines;
    m_names.clear();
    m_names.reserve(m_lines.size());
    for (int line : m_lines)
        m_names.push_back(listLineText(RecordHeader(m_state.MeasurementBuffer, m_state.RecordIndex[size_t(line)].offset)));
    m_cmp.build(m_state.MeasurementBuffer, m_state.RecordIndex, m_lines);
    // The control stays while its line stays ticked.
    const auto at = std::find(m_lines.begin(), m_lines.end(), m_controlLine);
    if (at == m_lines.end())
        m_controlLine = -1;
    m_cmp.setControl(m_controlLine < 0 ? -1 : int(at - m_lines.begin()));
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    showAll();
}

void JipPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        showAll();
}

void JipPage::showAll()
{
    m_stale = false;
    fillControlBox();
    updateViewButtons();
    showTable();
    showPictures();
}

void JipPage::fillControlBox()
{
    const QSignalBlocker block(m_controlBox);
    m_controlBox->clear();
    m_controlBox->addItem(QStringLiteral("无"), -1);
    for (size_t i = 0; i < m_lines.size(); ++i)
        m_controlBox->addItem(m_names[i], m_lines[i]);
    m_controlBox->setCurrentIndex(std::max(0, m_controlBox->findData(m_controlLine)));
}

void JipPage::chooseControl(int line)
{
    const auto at = std::find(m_lines.begin(), m_lines.end(), line);
    m_controlLine = at == m_lines.end() ? -1 : line;
    m_cmp.setControl(m_controlLine < 0 ? -1 : int(at - m_lines.begin()));
    {
        const QSignalBlocker block(m_controlBox);
        m_controlBox->setCurrentIndex(std::max(0, m_controlBox->findData(m_controlLine)));
    }
    updateViewButtons();
    showTable();
    showPictures();
}

void JipPage::chooseTableView(JipTableView view)
{
    if (view == JipTableView::Relative && !m_cmp.hasControl())
        view = JipTableView::Values;
    if (view == m_tableView)
        return;
    m_tableView = view;
    updateViewButtons();
    showTable();
}

void JipPage::chooseCurveView(VtView view)
{
    if (view == VtView::DeltaVt && !m_cmp.hasControl())
        view = VtView::Vt;
    if (view == m_curveView)
        return;
    m_curveView = view;
    updateViewButtons();
    showPictures();
}

void JipPage::updateViewButtons()
{
    // The views against a control fall back when there is none.
    const bool control = m_cmp.hasControl();
    if (!control) {
        m_tableView = JipTableView::Values;
        m_curveView = VtView::Vt;
    }
    const QSignalBlocker b1(m_valuesButton), b2(m_relativeButton), b3(m_vtButton), b4(m_deltaButton);
    m_relativeButton->setEnabled(control);
    m_deltaButton->setEnabled(control);
    (m_tableView == JipTableView::Relative ? m_relativeButton : m_valuesButton)->setChecked(true);
    (m_curveView == VtView::DeltaVt ? m_deltaButton : m_vtButton)->setChecked(true);
}

void JipPage::showTable()
{
    std::vector<QStringList> rows;
    std::vector<QString> tips;
    rows.reserve(m_lines.size());
    tips.reserve(m_lines.size());
    for (size_t i = 0; i < m_cmp.lines().size(); ++i) {
        const JipLine &line = m_cmp.lines()[i];
        rows.push_back(jipTableRow(m_names[i], line, m_cmp.relative()[i], m_tableView));
        tips.push_back(jipFlagTooltip(line.set.flags));
    }
    m_model->setContent(jipTableHeaders(m_tableView), std::move(rows), std::move(tips));
    fitColumns();
}

// Each column as wide as its widest text; a column the user widened keeps its width.
void JipPage::fitColumns()
{
    const QFontMetrics fm(m_table->font());
    const int margin = 2 * (m_table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_table) + 1) + 1;
    QHeaderView *header = m_table->horizontalHeader();
    for (int c = 0; c < kJipTableColumns; ++c) {
        int widest = header->sectionSizeHint(c);
        for (const QStringList &row : m_model->rows())
            widest = std::max(widest, fm.horizontalAdvance(row[c]) + margin);
        if (m_table->columnWidth(c) < widest)
            m_table->setColumnWidth(c, widest);
    }
}

QString JipPage::controlName() const
{
    const auto at = std::find(m_lines.begin(), m_lines.end(), m_controlLine);
    return at == m_lines.end() ? QString() : m_names[size_t(at - m_lines.begin())];
}

void JipPage::showPictures()
{
    const bool delta = m_curveView == VtView::DeltaVt;
    m_vtChart->showCurves(m_cmp, m_curveView,
                          delta ? QStringLiteral("ΔVt（对照：%1）").arg(controlName()) : QStringLiteral("Vt"));
    m_radar->setPicture(radarPicture(m_cmp, m_cmp.hasControl() ? QStringLiteral("相对于对照：%1").arg(controlName())
                                                               : QStringLiteral("雷达图：请选择对照")));
}

void JipPage::BtnSaveJipClick()
{
    m_dialog.Title = QStringLiteral("存储JIP参数表");
    m_dialog.FileName = datedFileName(QStringLiteral("JIP_"));
    m_dialog.Filter = QStringLiteral("CSV（UTF-8）|*.csv|CSV（GBK）|*.csv");
    m_dialog.DefaultExt = QStringLiteral("csv");
    m_dialog.FilterIndex = 1;
    if (!m_dialogs.runSave(m_dialog, {}))
        return;
    const JipCsvEncoding encoding = m_dialog.FilterIndex == 2 ? JipCsvEncoding::Gbk : JipCsvEncoding::Utf8;
    const QString error = writeFileAtomically(m_dialog.FileName, jipTableCsv(m_cmp, m_names, m_tableView, encoding));
    if (!error.isEmpty())
        m_dialogs.showError(m_dialog.Title, QStringLiteral("JIP参数表没有保存。\n") + error);
}

bool JipPage::runPictureSave(const QString &title, const QString &prefix)
{
    m_dialog.Title = title;
    m_dialog.FileName = datedFileName(prefix);
    m_dialog.Filter = QStringLiteral("PNG图像|*.png|SVG矢量图|*.svg");
    m_dialog.DefaultExt = QStringLiteral("png");
    m_dialog.FilterIndex = 1;
    const auto typeChange = [this](int type) { m_dialog.DefaultExt = type == 2 ? QStringLiteral("svg") : QStringLiteral("png"); };
    if (!m_dialogs.runSave(m_dialog, typeChange))
        return false;
    // A name with another extension gets the chosen type's: the picture is PNG or SVG.
    if (pictureTypeOf(m_dialog.FileName) == PictureType::Unknown)
        m_dialog.FileName += m_dialog.FilterIndex == 2 ? QStringLiteral(".svg") : QStringLiteral(".png");
    return true;
}

void JipPage::BtnSaveVtClick()
{
    if (!runPictureSave(QStringLiteral("存储Vt曲线图"), QStringLiteral("VtQX_")))
        return;
    if (const QString error = m_vtChart->save(m_dialog.FileName); !error.isEmpty())
        m_dialogs.showError(m_dialog.Title, QStringLiteral("曲线图没有保存。\n") + error);
}

void JipPage::BtnSaveRadarClick()
{
    if (!runPictureSave(QStringLiteral("存储雷达图"), QStringLiteral("RadarQX_")))
        return;
    if (const QString error = m_radar->save(m_dialog.FileName); !error.isEmpty())
        m_dialogs.showError(m_dialog.Title, QStringLiteral("雷达图没有保存。\n") + error);
}

} // namespace corvane
