#include "ui/unit2.h"

#include "ui_Unit2.h"

#include "data/datafile.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "device/reportlayout.h"
#include "ui/anchorlayout.h"
#include "ui/hinttiming.h"
#include "charts/linecolour.h"
#include "ui/recordlistdelegate.h"
#include "ui/unit2jippage.h"
#include "ui/viewerlabel.h"
#include "data/tickcolour.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMouseEvent>
#include <QStyleOptionComboBox>

#include <cstring>

namespace corvane {

namespace {

const QSize kDesignClientSize(903, 590);
const QSize kDesignPageSize(744, 477);

constexpr Qt::Edges kLeftTopRight = Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge;
constexpr Qt::Edges kTopRight = Qt::TopEdge | Qt::RightEdge;
constexpr Qt::Edges kLeftTop = Qt::LeftEdge | Qt::TopEdge;

QFont pixelFont(QFont font, int pixels, bool bold = false)
{
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

// Courier New where it is installed; the type-writer hint lets fontconfig pick the
// system's monospace face otherwise.
QFont monospaceFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

// The widest line text a record can give: eight of the widest letter or digit for the
// name, five of the widest digit for the number.
QString widestLineText(const QFontMetrics &metrics)
{
    QChar letter = QLatin1Char('W');
    QChar digit = QLatin1Char('0');
    for (char c = '0'; c <= 'z'; ++c) {
        const QChar ch = QLatin1Char(c);
        if (!ch.isLetterOrNumber())
            continue;
        if (metrics.horizontalAdvance(ch) > metrics.horizontalAdvance(letter))
            letter = ch;
        if (ch.isDigit() && metrics.horizontalAdvance(ch) > metrics.horizontalAdvance(digit))
            digit = ch;
    }
    return QString(8, letter) + QString(5, digit);
}

// The file selector's designed width was made for a narrower font: widened so the closed
// box shows a whole line text, with the controls to its right moved along by as much.
void fitFileSelector(Ui::TForm2 &ui)
{
    QComboBox *box = ui.CBoxFN;
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = false;
    opt.frame = true;
    const QFontMetrics metrics(box->font());
    const QSize text(metrics.horizontalAdvance(widestLineText(metrics)), metrics.height());
    const int needed = box->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, text, box).width();
    const int delta = needed - box->width();
    if (delta <= 0)
        return;
    box->resize(needed, box->height());
    for (QWidget *w : {static_cast<QWidget *>(ui.RdBtnOJIP), static_cast<QWidget *>(ui.Bevel1),
                       static_cast<QWidget *>(ui.RdBtnAL), static_cast<QWidget *>(ui.CBoxALNO)})
        w->move(w->x() + delta, w->y());
}

} // namespace

TForm2::TForm2(AppState &state, Forms &forms, DialogProvider &dialogs, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                  | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_state(state)
    , m_forms(forms)
    , m_dialogs(dialogs)
    , m_ui(std::make_unique<Ui::TForm2>())
    , m_session(state.MeasurementBuffer, state.RecordIndex)
{
    m_ui->setupUi(this);
    setupList();
    setupGrid();
    setupChart();
    setupExport();
    connect(m_ui->BtnExit, &QPushButton::clicked, this, &TForm2::BtnExitClick);
}

TForm2::~TForm2() = default;

void TForm2::setupList()
{
    // The window was designed in an 11 px sans-serif; Label1 and the list have their own.
    setFont(pixelFont(QApplication::font(), 11));
    m_ui->Label1->setFont(pixelFont(QApplication::font(), 13));
    m_ui->Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    resize(kDesignClientSize);
    // Below the designed size the anchored controls run into one another.
    setMinimumSize(kDesignClientSize);
    fitFileSelector(*m_ui);
    setupWindowAnchors();

    QListWidget *list = m_ui->ChkListBox1;
    list->setFont(pixelFont(monospaceFont(), 13, true));
    list->setItemDelegate(new RecordListDelegate(m_state.RecordIndex, list));
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setMouseTracking(true);
    list->viewport()->setMouseTracking(true);
    list->viewport()->installEventFilter(this);
    list->installEventFilter(this);
    connect(list, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (m_fillingList)
            return;
        m_ui->ChkListBox1->setCurrentItem(item);
        ChkListBox1ClickCheck();
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { ChkListBox1DblClick(); });

    m_ui->BtnP700Save->hide();
    m_ui->CBoxALNO->hide();
    // Shows the window's own colour until a line gives it one.
    m_ui->Label2->setAutoFillBackground(true);

    connect(m_ui->BtnOpen, &QPushButton::clicked, this, &TForm2::BtnOpenClick);
    connect(m_ui->BtnSaveAll, &QPushButton::clicked, this, &TForm2::BtnSaveAllClick);
}

void TForm2::setupWindowAnchors()
{
    auto *window = new AnchorLayout(this, kDesignClientSize);
    window->add(m_ui->Label1, kLeftTopRight);
    window->add(m_ui->BtnOpen, kTopRight);
    window->add(m_ui->BtnSaveAll, kTopRight);
    window->add(m_ui->BtnExit, kTopRight);
    window->add(m_ui->Label2, kTopRight);
    window->add(m_ui->ChkListBox1, Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);
    window->add(m_ui->PageControl1, kAllAnchors);

    auto *curves = new AnchorLayout(m_ui->TabSheet1, kDesignPageSize);
    for (QWidget *w : {static_cast<QWidget *>(m_ui->Label3), static_cast<QWidget *>(m_ui->CBoxFN),
                       static_cast<QWidget *>(m_ui->RdBtnOJIP), static_cast<QWidget *>(m_ui->Bevel1),
                       static_cast<QWidget *>(m_ui->RdBtnAL), static_cast<QWidget *>(m_ui->CBoxALNO)})
        curves->add(w, kLeftTop);
    curves->add(m_ui->BtnP700Save, kTopRight);
    curves->add(m_ui->BtnSavePic, kTopRight);
    curves->add(m_ui->Chart1Host, kAllAnchors);

    auto *table = new AnchorLayout(m_ui->TabSheet2, kDesignPageSize);
    table->add(m_ui->StrGrid1, kAllAnchors);
    table->add(m_ui->BtnSaveGrid, kTopRight);
    table->add(m_ui->BtnSaveODat, kTopRight);
}

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
    setWindowState(windowState() | Qt::WindowMaximized);
    m_ui->Label1->setText(QStringLiteral("点击【打开】按钮打开测量数据文件。"));
    setHintTiming({.pauseMs = 0, .hidePauseMs = 2000, .shortPauseMs = 100});
    if (m_state.UploadedDataPresent) {
        m_ui->Label1->setText(QStringLiteral("查看上传的数据:"));
        m_ui->BtnSaveAll->setEnabled(true);
        FillFNtoChkListBox();
    }
    m_session.listRebuilt();
    showViewControls();
    createCurvePool();
}

void TForm2::BtnOpenClick()
{
    QString path = QStringLiteral("*.bin");
    if (!m_dialogs.runOpen(QStringLiteral("打开文件"), QStringLiteral("*.bin"), path))
        return;

    // Loaded aside, so a file that fails leaves the shown data (perhaps an upload
    // that exists nowhere else) untouched.
    auto scratch = std::make_unique<MeasurementBuffer>();
    const LoadResult loaded = loadDataFile(path, *scratch);
    const QString fileName = QFileInfo(path).fileName();
    if (!loaded.ok()) {
        m_dialogs.showError(QStringLiteral("打开文件"), openFailureText(fileName, loaded));
        return;
    }

    resetCurvePool();
    // Copied, not swapped: the shared buffer keeps its one allocation for the whole run.
    m_state.MeasurementBuffer.copyFrom(*scratch);
    m_state.VersionMarker = loaded.versionMarker;
    m_ui->Label1->setText(openedFileLabel(fileName, loaded));
    m_ui->BtnSaveAll->setEnabled(false);
    FillFNtoChkListBox();
    m_session.listRebuilt();
    showViewControls();
}

void TForm2::BtnSaveAllClick()
{
    if (!runExportDialog({QStringLiteral("存储所有数据"), datedFileName(QStringLiteral("QX_")), QStringLiteral("*.bin|*.bin"),
                          QStringLiteral("bin")}))
        return;
    // After a failure the data is still only in memory: the button stays for another try.
    if (writeChosenFile(dataFileBytes(m_state.MeasurementBuffer, uint64_t(m_state.ReportTotal) * kReportPayload)))
        m_ui->BtnSaveAll->setEnabled(false);
}

void TForm2::BtnExitClick()
{
    m_exit(0);
}

void TForm2::FillFNtoChkListBox()
{
    QListWidget *list = m_ui->ChkListBox1;
    m_fillingList = true;
    list->setUpdatesEnabled(false);
    list->clear();
    setListHint(QString());
    resetSwatchColour();

    const ListBuild build = buildRecordIndex(m_state.MeasurementBuffer, m_state.VersionMarker, m_state.RecordIndex);
    for (int i = 0; i < build.listed; ++i) {
        auto *item = new QListWidgetItem(listLineText(RecordHeader(m_state.MeasurementBuffer, m_state.RecordIndex[size_t(i)].offset)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        list->addItem(item);
    }
    if (build.leftOut > 0)
        m_ui->Label1->setText(m_ui->Label1->text() + leftOutNote(build.leftOut));
    list->setUpdatesEnabled(true);
    m_fillingList = false;
}

void TForm2::setListHint(const QString &hint)
{
    m_ui->ChkListBox1->setToolTip(hint);
}

void TForm2::setSwatchColour(uint32_t colour)
{
    QPalette palette = m_ui->Label2->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    m_ui->Label2->setPalette(palette);
}

// Back to the window's own colour: after a rebuild no line has a colour yet.
void TForm2::resetSwatchColour()
{
    m_ui->Label2->setPalette(QPalette());
}

void TForm2::ChkListBox1MouseMove(int x, int y)
{
    m_listMousePos = QPoint(x, y);
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    QListWidget *list = m_ui->ChkListBox1;
    if (watched == list->viewport()) {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress: {
            const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
            ChkListBox1MouseMove(pos.x(), pos.y());
            break;
        }
        case QEvent::MouseButtonRelease:
            // A press on a tick box makes its line current only while the view handles
            // the release, so the click is handled once that is done.
            if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
                QMetaObject::invokeMethod(this, &TForm2::ChkListBox1Click, Qt::QueuedConnection);
            break;
        default:
            break;
        }
    } else if (watched == list && event->type() == QEvent::KeyRelease) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            ChkListBox1Click();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm2::ChkListBox1Click()
{
    QListWidget *list = m_ui->ChkListBox1;
    if (!list->itemAt(m_listMousePos)) {
        setListHint(QString());
        return;
    }
    const int line = list->currentRow();
    if (line < 0 || line >= kMaxListed)
        return;
    const RecordHeader header(m_state.MeasurementBuffer, m_state.RecordIndex[size_t(line)].offset);
    if (!header.isHeader() || !isValidKind(header.Kind())) {
        setListHint(kindText(Kind{}));
        return;
    }
    setListHint(kindText(header.Kind()) + QStringLiteral("[测量时间:") + measurementTimeText(header) + QLatin1Char(']'));
    setSwatchColour(m_state.RecordIndex[size_t(line)].colour);
}

void TForm2::ChkListBox1ClickCheck()
{
    const int line = m_ui->ChkListBox1->currentRow();
    const TickUpdate update = m_session.tickChanged(line, isTicked(line), tickedLineTexts());
    if (update.coloured)
        showLineColour(update.colour);
    showView(update.draw);
    FillSelectToGrid();
}

void TForm2::showLineColour(uint32_t colour)
{
    m_ui->ChkListBox1->viewport()->update();
    setSwatchColour(colour);
}

void TForm2::ChkListBox1DblClick()
{
    const int line = m_ui->ChkListBox1->currentRow();
    if (line < 0 || line >= kMaxListed || !isTicked(line))
        return;
    uint32_t colour = m_state.RecordIndex[size_t(line)].colour;
    if (!m_dialogs.runColour(colour))
        return;
    m_state.RecordIndex[size_t(line)].colour = colour;
    showLineColour(colour);
    DrawSelectInChart();
    jipPage().refresh(tickedLines());  // its curves and polygons take the new colour
}

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

std::vector<TickedLine> TForm2::tickedLineTexts() const
{
    std::vector<TickedLine> lines;
    for (int line : tickedLines())
        lines.push_back({line, m_ui->ChkListBox1->item(line)->text()});
    return lines;
}

void TForm2::closeEvent(QCloseEvent *event)
{
    event->ignore();
    releaseCurvePool();
    m_exit(0);
}

} // namespace corvane
