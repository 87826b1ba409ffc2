#include "exportfixtures.h"

#include "data/p700export.h"
#include "data/rawexport.h"
#include "support/viewerwindow.h"
#include "ui/windows.h"
#include "ui_Unit2.h"
#include "ui_Unit3.h"
#include "support/testfiles.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

// Notes whether the raw export flag was up while each save dialog ran.
class FlagWatchingDialogs : public ScriptedDialogs
{
public:
    const ViewerSession *session = nullptr;  // the viewer's, set by the fixture
    std::vector<bool> flagWhileOpen;

    bool runSave(SaveDialogState &dlg, const std::function<void(int)> &typeChange) override
    {
        flagWhileOpen.push_back(session->RawExportDialogOpen);
        return ScriptedDialogs::runSave(dlg, typeChange);
    }
};

// The viewer after an upload of the built data, `ticked` lines ticked as a click on
// their boxes ticks them.
struct Viewer : ViewerWindow<FlagWatchingDialogs>
{
    Viewer(const DataBuilder &b, const std::vector<int> &ticked)
    {
        dialogs.session = &form().session();
        enterWithUpload(b);
        for (int line : ticked)
            tick(line);
    }
    TForm3 &notice() { return windows->form3; }
};

DataBuilder threeRecords()
{
    DataBuilder b;
    HeaderFields h;
    h.Name = gbk("玉米");
    h.OjipSeconds = 2;
    for (uint16_t n = 1; n <= 3; ++n) {
        h.Number = n;
        b.addHeader(h);
        b.addCurve(curveOf(n));
        b.addExtension(extensionOf(n));
    }
    return b;
}

} // namespace

TEST(RawExportButton, TypeChosenInTheDialogDecidesFormAndExtension)
{
    struct Case
    {
        const char *name;
        std::vector<int> typeChanges;
        const char *typed;
        const char *written;
        bool csv;
    } cases[] = {
        {"proposed type: data file", {}, "out", "out.bin", false},
        {"CSV picked: csv extension", {2}, "out", "out.csv", true},
        {"CSV picked and back: data file", {2, 1}, "out", "out.bin", false},
        {"typed extension does not decide the form", {2}, "out.bin", "out.bin", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Viewer v(threeRecords(), {0, 2});
        QTemporaryDir dir;
        v.dialogs.saveAnswers.push_back({dir.filePath(QString::fromLatin1(c.typed)), 0, c.typeChanges});
        v.ui()->BtnSaveODat->click();

        ASSERT_EQ(v.dialogs.savesSeen.size(), 1u);
        const SaveDialogState &seen = v.dialogs.savesSeen[0];
        EXPECT_EQ(seen.Title, QStringLiteral("存储选中文件的原始数据"));
        EXPECT_EQ(seen.FileName, QStringLiteral("SelQX_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
        EXPECT_EQ(seen.Filter, QStringLiteral("二进制|*.bin|CSV格式|*.csv"));
        EXPECT_EQ(seen.DefaultExt, QStringLiteral("bin"));
        EXPECT_EQ(seen.FilterIndex, 1);
        EXPECT_EQ(v.dialogs.flagWhileOpen, std::vector<bool>{true});
        EXPECT_FALSE(v.form().session().RawExportDialogOpen);

        const std::vector<int> ticked{0, 2};
        const QByteArray expected = c.csv ? rawCsvBytes(v.state->MeasurementBuffer, v.state->RecordIndex, ticked)
                                          : rawDataFileBytes(v.state->MeasurementBuffer, v.state->RecordIndex, ticked);
        EXPECT_EQ(readFile(dir.filePath(QString::fromLatin1(c.written))), expected);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
        EXPECT_TRUE(v.dialogs.errors.empty());
    }
}

TEST(RawExportButton, CancelAndWriteFailureLeaveNoFile)
{
    QTemporaryDir dir;
    struct Case
    {
        const char *name;
        QString path;
        size_t errors;
    } cases[] = {
        {"cancelled", QString(), 0},
        {"folder does not exist", dir.filePath(QStringLiteral("missing/out.csv")), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Viewer v(threeRecords(), {1});
        v.dialogs.saveAnswers.push_back({c.path, 2, {}});
        v.form().BtnSaveODatClick();
        EXPECT_EQ(v.dialogs.errors.size(), c.errors);
        EXPECT_FALSE(v.form().session().RawExportDialogOpen);
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
}

TEST(RawExportButton, TypeChangeActsOnlyForTheRawExport)
{
    Viewer v(threeRecords(), {0});
    // Another export's dialog: the handler leaves its extension alone.
    v.form().saveDialog().DefaultExt = QStringLiteral("png");
    v.form().SaveDialog1TypeChange(2);
    EXPECT_EQ(v.form().saveDialog().DefaultExt, QStringLiteral("png"));

    // The P700 export hands its dialog no type-change handler at all, so even a
    // raised flag cannot turn its csv into bin.
    v.choose(1);
    v.form().session().RawExportDialogOpen = true;
    QTemporaryDir dir;
    v.dialogs.saveAnswers.push_back({dir.filePath(QStringLiteral("p")), 0, {1}});
    v.form().BtnP700SaveClick();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("p.csv"))));
    v.notice().BtnOKClick();
}

TEST(P700ExportButton, WritesTheCurrentRecordAndShowsTheNoticeUntilClosed)
{
    struct Case
    {
        const char *name;
        uint16_t total;
        bool closeByFrame;
        QByteArray rows;
    } cases[] = {
        {"three pulses, closed with OK", 3, false, "1,812,2040,935,\r\n2,,1990,940,\r\n3,800,2000,,\r\n"},
        {"Total 0, closed by the frame", 0, true, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DataBuilder b;
        HeaderFields h;
        h.Name = gbk("玉米");
        h.Number = 12;
        h.IrLevel = 3;
        b.addHeader(h);
        b.addCurve(curveOf(1));
        h.Kind = 3;
        h.Number = 13;
        h.Total = c.total;
        h.OjipSeconds = 0;
        b.addHeader(h);
        b.addCurve(curveOf(1), TailSamples{812, 2040, 935});
        b.addCurve(curveOf(2), TailSamples{0, 1990, 940});
        b.addCurve(curveOf(3), TailSamples{800, 2000, 0});
        // The record chosen in the file selector, not the first ticked one.
        Viewer v(b, {0, 1});
        v.choose(2);
        QTemporaryDir dir;
        v.dialogs.saveAnswers.push_back({dir.filePath(QStringLiteral("p700")), 0, {}});
        v.ui()->BtnP700Save->click();

        ASSERT_EQ(v.dialogs.savesSeen.size(), 1u);
        const SaveDialogState &seen = v.dialogs.savesSeen[0];
        EXPECT_EQ(seen.Title, QStringLiteral("存储当前文件的P700数据"));
        EXPECT_EQ(seen.FileName, QStringLiteral("玉米0013_P700"));
        EXPECT_EQ(seen.Filter, QStringLiteral("*.csv|*.csv"));
        EXPECT_EQ(seen.DefaultExt, QStringLiteral("csv"));
        EXPECT_EQ(readFile(dir.filePath(QStringLiteral("p700.csv"))),
                  gbk("后稳态测量,文件名:,玉米0013,IR强度等级:3\r\n--暗适应--\r\n饱和脉冲序号,采样点A,采样点B,采样点C \r\n")
                      + c.rows);
        EXPECT_FALSE(v.form().isEnabled());
        EXPECT_TRUE(v.notice().isVisible());

        if (c.closeByFrame)
            v.notice().close();
        else
            QTest::mouseClick(v.notice().ui()->BtnOK, Qt::LeftButton);
        EXPECT_TRUE(v.form().isEnabled());
        EXPECT_FALSE(v.notice().isVisible());
    }
}

TEST(P700ExportButton, CancelOrWriteFailureShowsNoNotice)
{
    QTemporaryDir dir;
    struct Case
    {
        const char *name;
        QString path;
        size_t errors;
    } cases[] = {
        {"cancelled", QString(), 0},
        {"folder does not exist", dir.filePath(QStringLiteral("missing/p700.csv")), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        DataBuilder b;
        HeaderFields h;
        h.Kind = 3;
        h.Total = 1;
        b.addHeader(h);
        b.addCurve(curveOf(1), TailSamples{1, 2, 3});
        Viewer v(b, {0});
        v.choose(1);
        v.dialogs.saveAnswers.push_back({c.path, 0, {}});
        v.form().BtnP700SaveClick();
        EXPECT_EQ(v.dialogs.errors.size(), c.errors);
        EXPECT_TRUE(v.form().isEnabled());
        EXPECT_FALSE(v.notice().isVisible());
        EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    }
}

TEST(P700Notice, LayoutTextsAndPicture)
{
    auto state = std::make_unique<AppState>();
    ScriptedDialogs dialogs;
    Windows w(*state, &dialogs);
    TForm3 &f = w.form3;
    auto *ui = f.ui();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("P700数据保存完毕"));
    EXPECT_EQ(f.size(), QSize(461, 194));
    EXPECT_EQ(ui->Image1->geometry(), QRect(24, 16, 171, 115));
    EXPECT_EQ(ui->Memo1->geometry(), QRect(208, 16, 217, 121));
    EXPECT_EQ(ui->BtnOK->geometry(), QRect(176, 152, 105, 33));
    EXPECT_EQ(ui->BtnOK->text(), QStringLiteral("确   定"));
    EXPECT_TRUE(ui->Memo1->isReadOnly());
    EXPECT_EQ(ui->Memo1->font().pixelSize(), 16);
    EXPECT_EQ(ui->Memo1->toPlainText().split(QLatin1Char('\n')),
              QStringList({QStringLiteral("当前测量过程中的P700数据"), QStringLiteral("保存完毕。"), QString(),
                           QStringLiteral("如左图所示，ABC三点为每个"), QStringLiteral("饱和光附近的三个测量点位。")}));

    const QImage picture = ui->Image1->pixmap().toImage();
    ASSERT_EQ(picture.size(), QSize(171, 115));
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(255, 255, 232));
    // Each colour of the drawing is there: base line, pulse, far-red line, dots.
    bool black = false, blue = false, red = false, darkRed = false;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QColor p = picture.pixelColor(x, y);
            black |= p == QColor(Qt::black);
            blue |= p == QColor(Qt::blue);
            red |= p == QColor(Qt::red);
            darkRed |= p == QColor(127, 0, 0);
        }
    EXPECT_TRUE(black && blue && red && darkRed);

    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((f.frameGeometry().center() - screen.center()).manhattanLength(), 2);
    f.close();
}

// Every export runs the shared dialog through one runner: each proposes type 1 even
// after the raw export left type 2 behind, and a failed write is told in Chinese under
// the title the dialog had.
TEST(ExportButtons, ProposeTypeOneAndReportFailuresUnderTheirTitle)
{
    QTemporaryDir dir;
    struct Case
    {
        const char *title;
        void (TForm2::*click)();
    } cases[] = {
        {"存储所有数据", &TForm2::BtnSaveAllClick},
        {"存储表格数据", &TForm2::BtnSaveGridClick},
        {"存储图像", &TForm2::BtnSavePicClick},
        {"存储选中文件的原始数据", &TForm2::BtnSaveODatClick},
        {"存储当前文件的P700数据", &TForm2::BtnP700SaveClick},
    };
    DataBuilder b;
    HeaderFields h;
    h.Kind = 3;
    h.Total = 1;
    b.addHeader(h);
    b.addCurve(curveOf(1), TailSamples{1, 2, 3});
    for (const Case &c : cases) {
        const QString title = QString::fromUtf8(c.title);
        SCOPED_TRACE(c.title);
        Viewer v(b, {0});
        v.choose(1);
        // The raw export, CSV chosen, leaves type 2 in the shared dialog.
        v.dialogs.saveAnswers.push_back({dir.filePath(QStringLiteral("first")), 2, {2}});
        v.form().BtnSaveODatClick();
        ASSERT_EQ(v.form().saveDialog().FilterIndex, 2);
        v.dialogs.saveAnswers.push_back({dir.filePath(QStringLiteral("missing/out")), 0, {}});
        (v.form().*c.click)();
        ASSERT_EQ(v.dialogs.savesSeen.size(), 2u);
        EXPECT_EQ(v.dialogs.savesSeen[1].Title, title);
        EXPECT_EQ(v.dialogs.savesSeen[1].FilterIndex, 1);
        ASSERT_EQ(v.dialogs.errors.size(), 1u);
        EXPECT_EQ(v.dialogs.errorTitles[0], title);
        EXPECT_TRUE(v.dialogs.errors[0].startsWith(QStringLiteral("无法写入文件 out"))) << v.dialogs.errors[0].toStdString();
        EXPECT_FALSE(v.form().session().RawExportDialogOpen);
        EXPECT_FALSE(v.notice().isVisible());
    }
}
