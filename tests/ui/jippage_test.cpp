#include "charts/radarchart.h"
#include "charts/vtchart.h"
#include "data/gbk.h"
#include "data/record.h"
#include "sim/synthetic.h"
#include "support/scripteddialogs.h"
#include "ui/jippagetable.h"
#include "ui/parametertablemodel.h"
#include "ui/unit2jippage.h"
#include "ui/windows.h"
#include "ui_Unit2.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>

using namespace corvane;

namespace {

using P = JipParam;

int column(P p)
{
    return 1 + int(p);
}

// Line 0 and 1: OJIP records of different heights; 2: a header with no curve behind it
// (its curve-based values are absent); 3: a pulse-transient record. Names in Chinese
// and with a comma, so the CSV's encoding and quoting show.
DataBuilder mixedFile()
{
    DataBuilder b;
    HeaderFields h;
    h.Number = 1;
    h.Name = toGbk(QStringLiteral("玉米"));
    addOjipRecord(b, h, {400, 900, 1400, 2000}, false);
    h.Number = 2;
    h.Name = "M,1";
    addOjipRecord(b, h, {500, 1200, 1800, 2600}, true);
    HeaderFields bare;
    bare.Number = 3;
    bare.Name = "BARE";
    bare.F0 = 450;
    bare.Fj = 1000;
    bare.Fi = 1500;
    bare.Fm = 2200;
    b.addHeader(bare);
    h.Number = 4;
    h.Name = "PT";
    addPulseTransientRecord(b, h, {420, 950, 1450, 2100}, 2);
    return b;
}

class JipPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const DataBuilder b = mixedFile();
        b.loadInto(state->MeasurementBuffer);
        state->VersionMarker = kCurrentVersion;
        state->ReportTotal = b.size() / 64;
        state->UploadedDataPresent = true;
        windows = std::make_unique<Windows>(*state, &dialogs);
        windows->form2.setExitFunction([](int) {});
        windows->form2.show();
        ui = windows->form2.ui();
    }

    JipPage &page() { return windows->form2.jipPage(); }
    void showPage() { ui->PageControl1->setCurrentWidget(&page()); }
    void tick(int line, bool on)
    {
        ui->ChkListBox1->setCurrentRow(line);
        ui->ChkListBox1->item(line)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    QString cell(int row, int col) const
    {
        QAbstractItemModel *m = windows->form2.jipPage().table()->model();
        return m->data(m->index(row, col)).toString();
    }
    int rows() const { return windows->form2.jipPage().table()->model()->rowCount(); }
    QStringList rowNames() const
    {
        QStringList out;
        for (int r = 0; r < rows(); ++r)
            out << cell(r, 0);
        return out;
    }
    QString listText(int line) const { return ui->ChkListBox1->item(line)->text(); }
    // As the user picks an entry of "对照".
    void pickControl(const QString &text)
    {
        QComboBox *box = page().controlBox();
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    QRadioButton *radio(const char *name) const
    {
        return windows->form2.jipPage().findChild<QRadioButton *>(QString::fromLatin1(name));
    }
    QByteArray read(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    double value(int line, P p) const
    {
        const JipSet set = jipTest(state->MeasurementBuffer, state->RecordIndex[size_t(line)].offset);
        return set[p].value();
    }

    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    test::ScriptedDialogs dialogs;
    std::unique_ptr<Windows> windows;
    Ui::TForm2 *ui = nullptr;
    QTemporaryDir dir;
};

} // namespace

TEST(JipPageTexts, HeadersCarryUnitsAndGreekNames)
{
    const QStringList values = jipTableHeaders(JipTableView::Values);
    ASSERT_EQ(values.size(), kJipTableColumns);
    EXPECT_EQ(values[0], QStringLiteral("测量"));
    EXPECT_EQ(values[column(P::F0)], QStringLiteral("F0 (counts)"));
    EXPECT_EQ(values[column(P::tFm)], QStringLiteral("tFm (ms)"));
    EXPECT_EQ(values[column(P::Mo)], QStringLiteral("Mo (1/ms)"));
    EXPECT_EQ(values[column(P::FvFm)], QStringLiteral("Fv/Fm"));
    EXPECT_EQ(values[column(P::PhiPo)], QStringLiteral("φPo"));
    EXPECT_EQ(values[column(P::PsiEo)], QStringLiteral("ψEo"));
    EXPECT_EQ(values[column(P::DeltaRo)], QStringLiteral("δRo"));
    EXPECT_EQ(values[kJipFlagsColumn], QStringLiteral("标记"));
    const QStringList relative = jipTableHeaders(JipTableView::Relative);
    EXPECT_EQ(relative[column(P::F0)], QStringLiteral("F0/对照"));
    EXPECT_EQ(relative[column(P::PhiPo)], QStringLiteral("φPo/对照"));
}

TEST(JipPageTexts, CellTexts)
{
    const std::optional<double> none;
    const double nan = std::nan("");
    struct Case
    {
        const char *what;
        P param;
        std::optional<double> value;
        const char *shown;
        const char *relative;
    };
    const Case cases[] = {
        {"absent is empty", P::FvFm, none, "", ""},
        {"nan is empty", P::FvFm, nan, "", ""},
        {"inf is empty", P::FvFm, INFINITY, "", ""},
        {"counts are whole", P::F0, 420.0, "420", "420.000"},
        {"counts round half away", P::TRoCSo, 336.5, "337", "336.500"},
        {"a fraction keeps four digits", P::FvFm, 0.81254, "0.8125", "0.813"},
        {"a ratio of one", P::FvFm, 1.0, "1.000", "1.000"},
        {"tens", P::Sm, 12.3456, "12.35", "12.346"},
        {"thousands lose the decimals", P::Area, 1234.56, "1235", "1234.560"},
        {"small values keep four decimals", P::Mo, 0.000123, "0.0001", "0.000"},
        {"a tiny negative is not -0", P::Mo, -0.00001, "0.0000", "0.000"},
        {"negative", P::PhiRo, -0.25, "-0.2500", "-0.250"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(jipValueText(c.param, c.value), QString::fromLatin1(c.shown)) << c.what;
        EXPECT_EQ(jipRelativeText(c.value), QString::fromLatin1(c.relative)) << c.what;
    }
    // The texts do not follow the locale's decimal comma.
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(jipValueText(P::FvFm, 0.81254), QStringLiteral("0.8125"));
    EXPECT_EQ(jipRelativeText(1.5), QStringLiteral("1.500"));
    QLocale::setDefault(before);
}

TEST(JipPageTexts, FlagTooltipExplainsEachRaisedFlag)
{
    QualityFlags flags;
    EXPECT_TRUE(jipFlagTooltip(flags).isEmpty());
    flags.raise(QualityFlag::NoCurve);
    flags.raise(QualityFlag::Absent);
    const QStringList lines = jipFlagTooltip(flags).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("NOCURVE: "))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("ABSENT: "))) << lines[1].toStdString();
    for (const QualityFlagInfo &f : qualityFlagLegend())
        EXPECT_TRUE(jipFlagLegendText().contains(QString::fromUtf8(f.code.data(), qsizetype(f.code.size()))));
}

TEST_F(JipPageTest, IsTheThirdPageAfterTheTwoExistingOnes)
{
    ASSERT_EQ(ui->PageControl1->count(), 3);
    EXPECT_EQ(ui->PageControl1->widget(0), ui->TabSheet1);
    EXPECT_EQ(ui->PageControl1->widget(1), ui->TabSheet2);
    EXPECT_EQ(ui->PageControl1->tabText(2), QStringLiteral("JIP参数"));
    EXPECT_EQ(ui->PageControl1->widget(2), &page());
}

TEST_F(JipPageTest, RowsFollowTheTicksInListOrder)
{
    showPage();
    EXPECT_EQ(rows(), 0);
    tick(2, true);
    tick(0, true);
    EXPECT_EQ(rowNames(), (QStringList{listText(0), listText(2)}));
    // The same lines as the parameter table (its first row is the header, its last an empty row).
    EXPECT_EQ(windows->form2.gridModel().rows().size(), size_t(rows()) + 2);

    EXPECT_EQ(cell(0, column(P::F0)), QStringLiteral("400"));
    EXPECT_EQ(cell(0, column(P::FvFm)), jipValueText(P::FvFm, value(0, P::FvFm)));
    EXPECT_TRUE(cell(0, kJipFlagsColumn).isEmpty());
    // The record without a curve: header values shown, curve-based ones empty, flagged.
    EXPECT_EQ(cell(1, column(P::Fm)), QStringLiteral("2200"));
    EXPECT_TRUE(cell(1, column(P::FK)).isEmpty());
    EXPECT_TRUE(cell(1, column(P::Mo)).isEmpty());
    EXPECT_EQ(cell(1, kJipFlagsColumn), QStringLiteral("NOCURVE;ABSENT"));
    QAbstractItemModel *m = page().table()->model();
    EXPECT_TRUE(m->data(m->index(1, kJipFlagsColumn), Qt::ToolTipRole).toString().contains(QStringLiteral("NOCURVE: ")));
    EXPECT_EQ(m->headerData(column(P::F0), Qt::Horizontal).toString(), QStringLiteral("F0 (counts)"));

    tick(0, false);
    EXPECT_EQ(rowNames(), QStringList{listText(2)});

    // Ticked on another page: the rows are there once the page shows.
    ui->PageControl1->setCurrentIndex(1);
    tick(3, true);
    tick(1, true);
    showPage();
    EXPECT_EQ(rowNames(), (QStringList{listText(1), listText(2), listText(3)}));
    EXPECT_EQ(page().vtChart().model().Title, QStringLiteral("Vt"));
}

TEST_F(JipPageTest, ControlChoiceChangesRatiosAndDeltaVt)
{
    showPage();
    for (int line : {0, 1, 3})
        tick(line, true);
    QComboBox *box = page().controlBox();
    ASSERT_EQ(box->count(), 4);
    EXPECT_EQ(box->currentText(), QStringLiteral("无"));
    EXPECT_EQ(box->itemText(1), listText(0));
    EXPECT_EQ(box->itemText(3), listText(3));
    EXPECT_FALSE(radio("RdBtnJipRelative")->isEnabled());
    EXPECT_FALSE(radio("RdBtnDVt")->isEnabled());
    EXPECT_FALSE(page().radarChart().picture().hasControl);

    pickControl(listText(0));
    EXPECT_EQ(page().controlLine(), 0);
    ASSERT_TRUE(radio("RdBtnJipRelative")->isEnabled());
    radio("RdBtnJipRelative")->setChecked(true);
    EXPECT_EQ(page().tableView(), JipTableView::Relative);
    EXPECT_EQ(page().table()->model()->headerData(column(P::Fm), Qt::Horizontal).toString(), QStringLiteral("Fm/对照"));
    EXPECT_EQ(cell(0, column(P::Fm)), QStringLiteral("1.000"));
    EXPECT_EQ(cell(1, column(P::Fm)), QStringLiteral("1.300"));  // 2600 / 2000
    EXPECT_EQ(cell(1, column(P::PIabs)), jipRelativeText(value(1, P::PIabs) / value(0, P::PIabs)));
    EXPECT_EQ(cell(1, 0), listText(1));

    radio("RdBtnDVt")->setChecked(true);
    EXPECT_EQ(page().curveView(), VtView::DeltaVt);
    EXPECT_EQ(page().vtChart().model().Title, QStringLiteral("ΔVt（对照：%1）").arg(listText(0)));
    const JipComparison &cmp = page().comparison();
    for (double d : cmp.deltaVt()[0].values)
        EXPECT_EQ(d, 0.0) << "the control against itself";
    const std::vector<double> deltaAgainst0 = cmp.deltaVt()[1].values;
    ASSERT_FALSE(deltaAgainst0.empty());
    EXPECT_TRUE(page().radarChart().picture().hasControl);
    EXPECT_EQ(page().radarChart().picture().polygons.size(), 2u);

    pickControl(listText(1));
    EXPECT_EQ(cell(1, column(P::Fm)), QStringLiteral("1.000"));
    EXPECT_EQ(cell(0, column(P::Fm)), jipRelativeText(2000.0 / 2600.0));
    EXPECT_EQ(page().curveView(), VtView::DeltaVt) << "the views stay while a control is chosen";
    EXPECT_NE(cmp.deltaVt()[1].values, deltaAgainst0);
    for (double d : cmp.deltaVt()[1].values)
        EXPECT_EQ(d, 0.0);

    // Another tick keeps the control; unticking it falls back to no control.
    tick(2, true);
    EXPECT_EQ(box->currentText(), listText(1));
    EXPECT_EQ(cell(0, column(P::Fm)), jipRelativeText(2000.0 / 2600.0));
    tick(1, false);
    EXPECT_EQ(page().controlLine(), -1);
    EXPECT_EQ(box->currentText(), QStringLiteral("无"));
    EXPECT_EQ(page().tableView(), JipTableView::Values);
    EXPECT_EQ(page().curveView(), VtView::Vt);
    EXPECT_TRUE(radio("RdBtnJipValues")->isChecked());
    EXPECT_TRUE(radio("RdBtnVt")->isChecked());
    EXPECT_EQ(cell(0, column(P::Fm)), QStringLiteral("2000"));

    pickControl(QStringLiteral("无"));
    EXPECT_FALSE(page().comparison().hasControl());
}

TEST_F(JipPageTest, AControlWithAnAbsentValueGivesAnEmptyRatio)
{
    showPage();
    for (int line : {0, 2})
        tick(line, true);
    pickControl(listText(2));  // no curve: FK, Mo, Area and what is built on them are absent
    radio("RdBtnJipRelative")->setChecked(true);
    for (P p : {P::FK, P::Mo, P::Area, P::TRoRC, P::PIabs, P::PItotal})
        EXPECT_TRUE(cell(0, column(p)).isEmpty()) << jipParamInfo()[size_t(p)].name;
    EXPECT_EQ(cell(0, column(P::Fm)), jipRelativeText(2000.0 / 2200.0));
    for (int r = 0; r < rows(); ++r)
        for (int c = 1; c < kJipFlagsColumn; ++c) {
            const QString t = cell(r, c);
            EXPECT_FALSE(t.contains(QStringLiteral("inf")) || t.contains(QStringLiteral("nan"))) << r << "," << c;
        }
    // The control has no curve to subtract.
    EXPECT_TRUE(page().comparison().deltaVt()[0].absent());
}

TEST_F(JipPageTest, SavesTheTableAsUtf8OrGbkCsv)
{
    showPage();
    for (int line : {0, 1, 2})
        tick(line, true);
    struct Case
    {
        const char *what;
        int type;
        bool gbk;
    };
    for (const Case c : {Case{"UTF-8", 1, false}, Case{"GBK", 2, true}}) {
        const QString path = dir.filePath(QStringLiteral("jip_%1").arg(c.type));
        dialogs.saveAnswers.push_back({path, c.type, {}});
        page().BtnSaveJipClick();
        ASSERT_FALSE(dialogs.savesSeen.empty());
        const SaveDialogState &seen = dialogs.savesSeen.back();
        EXPECT_EQ(seen.FileName, datedFileName(QStringLiteral("JIP_"))) << c.what;
        EXPECT_EQ(seen.Filter.split(QLatin1Char('|')).size(), 4) << c.what;
        const QByteArray bytes = read(path + QStringLiteral(".csv"));
        ASSERT_FALSE(bytes.isEmpty()) << c.what;
        const QByteArray phi = QStringLiteral("φPo").toUtf8();
        EXPECT_EQ(bytes.contains(phi), !c.gbk) << c.what;
        EXPECT_EQ(bytes.contains(toGbk(QStringLiteral("φPo"))), c.gbk) << c.what;
        EXPECT_EQ(bytes.contains("\r\n"), c.gbk) << c.what;
        const QString text = c.gbk ? fromGbk(bytes) : QString::fromUtf8(bytes);
        EXPECT_FALSE(text.contains(QChar(0xFFFD))) << c.what;
        QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (QString &l : lines)
            l.remove(QLatin1Char('\r'));
        ASSERT_EQ(lines.size(), 4) << c.what;
        EXPECT_EQ(lines[0], jipTableHeaders(JipTableView::Values).join(QLatin1Char(','))) << c.what;
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("玉米0001,400,"))) << lines[1].toStdString();
        EXPECT_TRUE(lines[2].startsWith(QStringLiteral("\"M,10002\",500,"))) << lines[2].toStdString();
        EXPECT_TRUE(lines[3].endsWith(QStringLiteral("NOCURVE;ABSENT"))) << c.what;
        // Full precision: the cell reads back to the very double.
        const QStringList cells = lines[1].split(QLatin1Char(','));
        ASSERT_EQ(cells.size(), kJipTableColumns) << c.what;
        EXPECT_EQ(cells[column(P::PIabs)].toDouble(), value(0, P::PIabs)) << c.what;
        EXPECT_TRUE(lines[3].split(QLatin1Char(','))[column(P::Mo)].isEmpty()) << c.what;
    }

    // The relative view is saved as shown.
    pickControl(listText(0));
    radio("RdBtnJipRelative")->setChecked(true);
    dialogs.saveAnswers.push_back({dir.filePath(QStringLiteral("rel.csv")), 1, {}});
    page().BtnSaveJipClick();
    const QStringList rel = QString::fromUtf8(read(dir.filePath(QStringLiteral("rel.csv")))).split(QLatin1Char('\n'));
    ASSERT_GE(rel.size(), 3);
    EXPECT_EQ(rel[0], jipTableHeaders(JipTableView::Relative).join(QLatin1Char(',')));
    EXPECT_EQ(rel[2].split(QLatin1Char(','))[column(P::Fm) + 1], QStringLiteral("1.3")) << "the name cell is quoted";
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(JipPageTest, SavesBothPicturesAsPngOrSvg)
{
    showPage();
    for (int line : {0, 1})
        tick(line, true);
    pickControl(listText(0));
    struct Case
    {
        const char *what;
        void (JipPage::*click)();
        const char *prefix;
        const char *typed;
        int type;
        const char *written;
        bool svg;
    };
    const Case cases[] = {
        {"Vt as PNG", &JipPage::BtnSaveVtClick, "VtQX_", "vt", 1, "vt.png", false},
        {"Vt as SVG", &JipPage::BtnSaveVtClick, "VtQX_", "vt", 2, "vt.svg", true},
        {"radar as PNG", &JipPage::BtnSaveRadarClick, "RadarQX_", "radar", 1, "radar.png", false},
        {"radar as SVG", &JipPage::BtnSaveRadarClick, "RadarQX_", "radar", 2, "radar.svg", true},
        {"another extension gets the type's", &JipPage::BtnSaveRadarClick, "RadarQX_", "radar.jpg", 1,
         "radar.jpg.png", false},
        {"the extension typed wins", &JipPage::BtnSaveVtClick, "VtQX_", "typed.svg", 1, "typed.svg", true},
    };
    for (const Case &c : cases) {
        // The type is picked while the dialog is open, as a person does.
        dialogs.saveAnswers.push_back({dir.filePath(QString::fromLatin1(c.typed)), 0, {c.type}});
        (page().*c.click)();
        EXPECT_EQ(dialogs.savesSeen.back().FileName, datedFileName(QString::fromLatin1(c.prefix))) << c.what;
        const QByteArray bytes = read(dir.filePath(QString::fromLatin1(c.written)));
        ASSERT_FALSE(bytes.isEmpty()) << c.what;
        if (c.svg) {
            QXmlStreamReader xml(bytes);
            ASSERT_TRUE(xml.readNextStartElement()) << c.what;
            EXPECT_EQ(xml.name(), QStringLiteral("svg")) << c.what;
            while (!xml.atEnd())
                xml.readNext();
            EXPECT_FALSE(xml.hasError()) << c.what << ": " << xml.errorString().toStdString();
        } else {
            EXPECT_TRUE(bytes.startsWith("\x89PNG\r\n\x1a\n")) << c.what;
        }
    }
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(JipPageTest, AFailedSaveSaysSoInChineseAndWritesNothing)
{
    showPage();
    tick(0, true);
    const QString missing = dir.filePath(QStringLiteral("no-such-folder/out"));
    struct Case
    {
        const char *what;
        void (JipPage::*click)();
        const char *message;
    };
    const Case cases[] = {
        {"table", &JipPage::BtnSaveJipClick, "JIP参数表没有保存。"},
        {"Vt", &JipPage::BtnSaveVtClick, "曲线图没有保存。"},
        {"radar", &JipPage::BtnSaveRadarClick, "雷达图没有保存。"},
    };
    for (const Case &c : cases) {
        dialogs.errors.clear();
        dialogs.saveAnswers.push_back({missing, 0, {}});
        (page().*c.click)();
        ASSERT_EQ(dialogs.errors.size(), 1u) << c.what;
        EXPECT_TRUE(dialogs.errors[0].startsWith(QString::fromUtf8(c.message))) << dialogs.errors[0].toStdString();
        EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("无法写入文件"))) << dialogs.errors[0].toStdString();
    }
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("no-such-folder"))).exists());
    // A cancelled dialog writes nothing and says nothing.
    dialogs.errors.clear();
    page().BtnSaveJipClick();
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(JipPageTest, ANewLineColourReachesTheCurvesAndPolygons)
{
    showPage();
    tick(0, true);
    tick(1, true);
    pickControl(listText(0));
    dialogs.colourAnswers.push_back(0x123456u);
    ui->ChkListBox1->setCurrentRow(1);
    windows->form2.ChkListBox1DblClick();
    EXPECT_EQ(page().comparison().lines()[1].colour, 0x123456u);
    ASSERT_EQ(page().radarChart().picture().polygons.size(), 1u);
    EXPECT_EQ(page().radarChart().picture().polygons[0].colour, 0x123456u);
    EXPECT_EQ(page().controlLine(), 0) << "a colour change keeps the control";
}
