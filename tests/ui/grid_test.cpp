#include "analysis/tablecsv.h"
#include "data/gbk.h"
#include "sim/databuilder.h"
#include "sim/synthetic.h"
#include "support/clirun.h"
#include "support/viewerwindow.h"
#include "ui/parametertablemodel.h"
#include "ui_Unit2.h"
#include "support/testfiles.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

namespace {

// The viewer window, its grid read back by column.
struct Viewer : ViewerWindow<>
{
    using ViewerWindow::list;
    QListWidget *list() { return ui()->ChkListBox1; }

    QStringList column0()
    {
        QStringList names;
        for (int r = 0; r < form().gridModel().gridRowCount(); ++r)
            names << form().gridModel().cellText(r, 0);
        return names;
    }
};

DataBuilder tenRecords()
{
    DataBuilder b;
    HeaderFields h;
    for (int n = 0; n < 10; ++n) {
        h.Number = uint16_t(n);
        addOjipRecord(b, h, OjipShape{}, false);
    }
    return b;
}

// Every kind, with the longest names and numbers a record holds: eight-byte names in
// Latin letters and in Chinese, five-digit numbers, large settings.
DataBuilder mixedRecords()
{
    DataBuilder b;
    HeaderFields h;
    h.Name = "ARABID01";
    h.Number = 12345;
    h.Year = 2013;
    h.Hour = 23;
    h.Minute = 59;
    h.Second = 58;
    h.SlTime = 65535;
    h.AlTime = 65535;
    h.FrTime = 65535;
    h.DarkTime = 65535;
    h.Total = 65535;
    addOjipRecord(b, h, OjipShape{}, true);
    h.Name = toGbk(QStringLiteral("光合作用"));
    h.Number = 54321;
    h.Kind = 2;
    addPulseTransientRecord(b, h, OjipShape{400, 900, 1400, 4000}, 3);
    h.Name = "WWWWMMMM";
    h.Number = 65535;
    h.Kind = 3;
    addPostSteadyStateRecord(b, h, OjipShape{4000, 9000, 14000, 60000}, 3, 10);
    return b;
}

test::ScriptedDialogs::SaveAnswer saveTo(const QString &path)
{
    return {path, 0, {}};
}

} // namespace

TEST(ParameterGrid, StartsWithTwoEmptyRowsAndItsDesignedColumns)
{
    Viewer v;
    const ParameterTableModel &m = v.form().gridModel();
    ASSERT_EQ(m.gridRowCount(), 2);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < kTableColumns; ++c)
            EXPECT_TRUE(m.cellText(r, c).isEmpty());
    QTableView *grid = v.ui()->StrGrid1;
    EXPECT_EQ(grid->model()->columnCount(), 23);
    const int widths[] = {75, 109, 64, 48, 46, 47, 46, 50, 42, 43, 40, 42, 42, 41, 61, 50, 47, 47, 46, 49, 51, 48, 46};
    for (int c = 0; c < 23; ++c)
        EXPECT_EQ(grid->columnWidth(c), widths[c]) << c;
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 24);
    EXPECT_EQ(grid->horizontalHeader()->height(), 24);
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(grid->model()->flags(grid->model()->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(grid->geometry(), QRect(0, 40, 744, 433));
}

TEST(ParameterGrid, RowsFollowTheListWhateverTheOrderOfTicking)
{
    Viewer v;
    v.list(tenRecords());
    QTableView *grid = v.ui()->StrGrid1;
    grid->setColumnWidth(1, 130);  // as if dragged by the user
    for (int line : {9, 5, 2})
        v.tick(line, true);
    // A fill keeps the column widths.
    EXPECT_EQ(grid->columnWidth(0), 75);
    EXPECT_EQ(grid->columnWidth(1), 130);
    EXPECT_EQ(grid->rowHeight(2), 24);
    EXPECT_EQ(v.column0(), QStringList({QStringLiteral("文件名"), QStringLiteral("LEAF0002"), QStringLiteral("LEAF0005"),
                                        QStringLiteral("LEAF0009"), QString()}));
    const ParameterTableModel &m = v.form().gridModel();
    EXPECT_EQ(m.cellText(0, 21), QStringLiteral("ΦPSII"));
    EXPECT_EQ(m.cellText(0, 22), QStringLiteral(" "));
    EXPECT_EQ(m.cellText(1, 2), QStringLiteral("OJIP"));
    EXPECT_EQ(v.ui()->StrGrid1->model()->headerData(0, Qt::Horizontal), QStringLiteral("文件名"));
    EXPECT_EQ(v.ui()->StrGrid1->model()->rowCount(), 4);

    v.tick(5, false);
    EXPECT_EQ(v.column0(), QStringList({QStringLiteral("文件名"), QStringLiteral("LEAF0002"), QStringLiteral("LEAF0009"), QString()}));
    for (int c = 0; c < kTableColumns; ++c)
        EXPECT_TRUE(m.cellText(3, c).isEmpty()) << c;
    // No cell keeps text from an earlier fill.
    for (int line : {2, 9})
        v.tick(line, false);
    EXPECT_EQ(v.column0(), QStringList({QStringLiteral("文件名"), QString()}));
    for (int c = 0; c < kTableColumns; ++c)
        EXPECT_TRUE(m.cellText(1, c).isEmpty()) << c;
}

TEST(ParameterGrid, SaveWritesTheTableAsGbkCsv)
{
    Viewer v;
    v.list(tenRecords());
    QTemporaryDir dir;
    // Before the first fill the table has no header texts: two lines of commas.
    v.dialogs.saveAnswers.push_back(saveTo(dir.filePath(QStringLiteral("unfilled"))));
    v.form().BtnSaveGridClick();
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("unfilled.csv"))), QByteArray(22, ',') + "\r\n" + QByteArray(22, ',') + "\r\n");
    ASSERT_EQ(v.dialogs.savesSeen.size(), 1u);
    const SaveDialogState &seen = v.dialogs.savesSeen[0];
    EXPECT_EQ(seen.Title, QStringLiteral("存储表格数据"));
    EXPECT_EQ(seen.FileName, QStringLiteral("GridQX_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(seen.Filter, QStringLiteral("*.csv|*.csv"));
    EXPECT_EQ(seen.DefaultExt, QStringLiteral("csv"));

    v.tick(7, true);
    v.tick(1, true);
    v.dialogs.saveAnswers.push_back(saveTo(dir.filePath(QStringLiteral("t.csv"))));
    v.form().BtnSaveGridClick();
    const QByteArray written = readFile(dir.filePath(QStringLiteral("t.csv")));
    EXPECT_EQ(written, tableCsv(parameterTableRows(v.state->MeasurementBuffer, v.state->RecordIndex, {1, 7})));
    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 5);  // four lines and nothing behind the last CR LF
    EXPECT_TRUE(lines[0].startsWith(toGbk(QStringLiteral("文件名,时间日期,"))));
    EXPECT_TRUE(lines[0].endsWith(", \r"));
    EXPECT_TRUE(lines[1].startsWith("LEAF0001,2013/02/19  09:05:30,"));
    EXPECT_EQ(lines[3], QByteArray(22, ',') + '\r');
}

TEST(ParameterGrid, CancelWritesNothingAndAFailedWriteIsReported)
{
    Viewer v;
    v.list(tenRecords());
    v.tick(0, true);
    QTemporaryDir dir;
    v.dialogs.saveAnswers.push_back(saveTo(QString()));
    v.form().BtnSaveGridClick();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
    EXPECT_TRUE(v.dialogs.errors.empty());

    v.dialogs.saveAnswers.push_back(saveTo(dir.filePath(QStringLiteral("no/such/folder/t.csv"))));
    v.form().BtnSaveGridClick();
    ASSERT_EQ(v.dialogs.errors.size(), 1u);
    EXPECT_TRUE(v.dialogs.errors[0].contains(QStringLiteral("t.csv")));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST(ParameterGrid, FollowsThePageAsTheWindowGrows)
{
    Viewer v;
    v.ui()->PageControl1->setCurrentIndex(1);
    v.enter();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&v.form()));
    for (QSize size : {QSize(1100, 800), QSize(1300, 700)}) {
        v.form().showNormal();
        v.form().resize(size);
        QApplication::processEvents();
        const QWidget *page = v.ui()->TabSheet2;
        ASSERT_GT(page->width(), 744);
        EXPECT_EQ(v.ui()->StrGrid1->geometry(), QRect(0, 40, page->width(), page->height() - 44));
        EXPECT_EQ(v.ui()->BtnSaveGrid->geometry(), QRect(page->width() - 201, 8, 81, 25));
    }
}

TEST(ParameterGrid, CliTableWritesTheBytesTheButtonWrites)
{
    // Version-0 data: FrTime in whole seconds, converted once by listing.
    DataBuilder b = demoData();
    HeaderFields h;
    h.Kind = 2;
    h.Name = toGbk(QStringLiteral("叶片"));
    h.FrTime = 25;
    addPulseTransientRecord(b, h, OjipShape{}, 3);
    QTemporaryDir dir;
    const QString bin = test::writeTemp(dir, QStringLiteral("v0.bin"), b.file(false));

    Viewer v;
    v.list(b, 0);
    const int last = v.list()->count() - 1;
    for (int line : {last, 0, 2})
        v.tick(line, true);
    v.dialogs.saveAnswers.push_back(saveTo(dir.filePath(QStringLiteral("gui.csv"))));
    v.form().BtnSaveGridClick();
    const QByteArray gui = readFile(dir.filePath(QStringLiteral("gui.csv")));
    EXPECT_TRUE(gui.contains(toGbk(QStringLiteral("叶片0001,")) + "2013/02/19  09:05:30," + toGbk(QStringLiteral("脉冲瞬态"))
                             + ",0(1),0(9),30,25.0,0,"));

    const QString select = QStringLiteral("%1,1,3").arg(last + 1);
    const test::CliRun r = test::runCli({QStringLiteral("table"), bin, QStringLiteral("--select"), select,
                                         QStringLiteral("-o"), dir.filePath(QStringLiteral("cli.csv"))});
    ASSERT_EQ(r.status, 0) << r.err.constData();
    EXPECT_EQ(readFile(dir.filePath(QStringLiteral("cli.csv"))), gui);

    // Every listed line by default, to standard output.
    v.tickAll();
    v.dialogs.saveAnswers.push_back(saveTo(dir.filePath(QStringLiteral("all.csv"))));
    v.form().BtnSaveGridClick();
    const test::CliRun all = test::runCli({QStringLiteral("table"), bin});
    ASSERT_EQ(all.status, 0) << all.err.constData();
    EXPECT_EQ(all.out, readFile(dir.filePath(QStringLiteral("all.csv"))));
    EXPECT_EQ(all.out.count("\r\n"), last + 3);
}

TEST(ParameterGrid, NoCellOrHeaderTextIsCutAtTheDesignedFontOrALargerOne)
{
    const int fontPixels[] = {11, 16};
    for (int pixels : fontPixels) {
        SCOPED_TRACE(pixels);
        Viewer v;
        QTableView *grid = v.ui()->StrGrid1;
        QFont font = grid->font();
        font.setPixelSize(pixels);
        grid->setFont(font);
        grid->horizontalHeader()->setFont(font);
        v.list(mixedRecords());
        v.tickAll();
        const ParameterTableModel &m = v.form().gridModel();
        ASSERT_EQ(m.gridRowCount(), 5);
        ASSERT_TRUE(m.cellText(1, 0) == QStringLiteral("ARABID0112345")) << m.cellText(1, 0).toStdString();
        ASSERT_TRUE(m.cellText(2, 0) == QStringLiteral("光合作用54321"));

        const QFontMetrics header(grid->horizontalHeader()->font());
        const int headerMargin = grid->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, grid->horizontalHeader());
        const int designed[] = {75, 109, 64, 48, 46, 47, 46, 50, 42, 43, 40, 42, 42, 41, 61, 50, 47, 47, 46, 49, 51, 48, 46};
        for (int c = 0; c < kTableColumns; ++c) {
            SCOPED_TRACE(m.cellText(0, c).toStdString());
            EXPECT_GE(grid->columnWidth(c), designed[c]) << "the designed width is the least";
            EXPECT_LE(header.horizontalAdvance(m.cellText(0, c)) + 2 * headerMargin, grid->columnWidth(c));
            for (int r = 0; r < grid->model()->rowCount(); ++r) {
                const QModelIndex index = grid->model()->index(r, c);
                QStyleOptionViewItem opt;
                opt.initFrom(grid->viewport());
                opt.font = grid->font();
                opt.fontMetrics = QFontMetrics(opt.font);
                opt.rect = grid->visualRect(index);
                // The room the delegate asks for to draw this cell's text whole.
                const QSize wanted = grid->itemDelegate()->sizeHint(opt, index);
                EXPECT_LE(wanted.width(), opt.rect.width()) << m.cellText(r + 1, c).toStdString();
            }
        }
        if (pixels == 11) {
            // At the designed font most columns keep their designed width.
            int kept = 0;
            for (int c = 0; c < kTableColumns; ++c)
                kept += grid->columnWidth(c) == designed[c];
            EXPECT_GT(kept, kTableColumns / 2);
        }
    }
}
