#include "data/datafile.h"
#include "data/gbk.h"
#include "data/record.h"
#include "sim/databuilder.h"
#include "sim/synthetic.h"
#include "support/viewerwindow.h"
#include "ui/anchorlayout.h"
#include "charts/linecolour.h"
#include "ui/recordlistdelegate.h"
#include "ui_Unit2.h"

#include <QDate>
#include <QFile>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QStyleOptionComboBox>
#include <QToolTip>

#include <gtest/gtest.h>

using namespace corvane;

namespace {

// n small OJIP records numbered from 1, one curve block each.
DataBuilder records(int n, uint16_t frTime = 0)
{
    DataBuilder b;
    for (int i = 0; i < n; ++i) {
        HeaderFields h;
        h.Number = uint16_t(i + 1);
        h.FrTime = frTime;
        b.addHeader(h);
        b.addCurve({});
    }
    return b;
}

// The viewer window with what these tests add: files to open, line colours, the
// swatch, and real mouse clicks on the list.
class Viewer : public ::testing::Test, public test::ViewerWindow<>
{
protected:
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    void open(const QString &path)
    {
        dialogs.openAnswers.push_back(path);
        form().BtnOpenClick();
    }

    uint32_t colour(int line) const { return state->RecordIndex[size_t(line)].colour; }
    void setSwatch(uint32_t c)
    {
        QPalette p = ui()->Label2->palette();
        p.setColor(QPalette::Window, toQColor(c));
        ui()->Label2->setPalette(p);
    }
    uint32_t swatch() { return fromQColor(ui()->Label2->palette().color(QPalette::Window)); }

    QStringList lines()
    {
        QStringList out;
        for (int i = 0; i < ui()->ChkListBox1->count(); ++i)
            out << ui()->ChkListBox1->item(i)->text();
        return out;
    }

    QStringList selectorItems()
    {
        QStringList out;
        for (int i = 0; i < ui()->CBoxFN->count(); ++i)
            out << ui()->CBoxFN->itemText(i);
        return out;
    }

    // A real click on a line (or below the last one), as the user makes it.
    void clickAt(QPoint pos)
    {
        QTest::mouseClick(ui()->ChkListBox1->viewport(), Qt::LeftButton, {}, pos);
        QCoreApplication::processEvents();  // the click is handled once the view is done with it
    }
    void clickLine(int line) { clickAt(ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(line)).center()); }

    QTemporaryDir dir;
};

TEST_F(Viewer, EnteredWithoutUploadShowsThePromptAndAnEmptyList)
{
    enter();
    EXPECT_EQ(form().windowTitle(), QStringLiteral("Corvane-K300/K310"));
    EXPECT_TRUE(form().windowState() & Qt::WindowMaximized);
    EXPECT_FALSE(form().windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(ui()->Label1->text(), QStringLiteral("点击【打开】按钮打开测量数据文件。"));
    EXPECT_EQ(ui()->ChkListBox1->count(), 0);
    EXPECT_FALSE(ui()->BtnSaveAll->isEnabled());
    EXPECT_FALSE(ui()->CBoxFN->isEnabled());
    EXPECT_FALSE(ui()->RdBtnOJIP->isEnabled());
    EXPECT_FALSE(ui()->RdBtnAL->isEnabled());
    EXPECT_FALSE(ui()->CBoxALNO->isVisible());
    EXPECT_FALSE(ui()->BtnP700Save->isVisible());
    EXPECT_EQ(ui()->PageControl1->currentWidget(), ui()->TabSheet1);

    const std::vector<QWidget *> tabOrder{ui()->BtnExit, ui()->BtnOpen, ui()->BtnSaveAll, ui()->ChkListBox1, ui()->PageControl1};
    std::vector<QWidget *> chain{ui()->BtnExit};
    for (QWidget *w = ui()->BtnExit->nextInFocusChain(); w != ui()->BtnExit; w = w->nextInFocusChain())
        if (std::find(tabOrder.begin(), tabOrder.end(), w) != tabOrder.end())
            chain.push_back(w);
    EXPECT_EQ(chain, tabOrder);
}

TEST_F(Viewer, ListsEveryRecordOfAnOpenedFileUntickedInBlack)
{
    DataBuilder b = records(10);
    HeaderFields longName;
    longName.Name = "ABCDEFGH";  // eight bytes, no terminator
    longName.Number = 12345;
    b.addHeader(longName);
    b.addCurve({});
    HeaderFields unknownKind;
    unknownKind.Kind = 9;  // listed all the same
    unknownKind.Number = 7;
    b.addHeader(unknownKind);
    enterWithUpload(records(3));
    ASSERT_TRUE(ui()->BtnSaveAll->isEnabled());

    const uint8_t *bufferBefore = state->MeasurementBuffer.data();
    open(writeFile(QStringLiteral("QX_20130219.bin"), b.file()));
    EXPECT_EQ(state->MeasurementBuffer.data(), bufferBefore) << "the shared buffer stays where it is";

    EXPECT_EQ(ui()->Label1->text(), QStringLiteral("查看文件:QX_20130219.bin   数据个数:12"));
    QStringList expected;
    for (int i = 1; i <= 10; ++i)
        expected << QStringLiteral("LEAF%1").arg(i, 4, 10, QLatin1Char('0'));
    expected << QStringLiteral("ABCDEFGH12345") << QStringLiteral("LEAF0007");
    EXPECT_EQ(lines(), expected);
    for (int i = 0; i < 12; ++i) {
        EXPECT_FALSE(form().isTicked(i)) << i;
        EXPECT_EQ(colour(i), 0u) << i;
    }
    EXPECT_EQ(state->RecordIndex[11].offset, 11u * 2 * kBlockSize);
    EXPECT_EQ(state->RecordIndex[12].offset, 0u);
    EXPECT_FALSE(ui()->BtnSaveAll->isEnabled());
    EXPECT_EQ(dialogs.openTitlesSeen, std::vector<QString>{QStringLiteral("打开文件")});

    EXPECT_EQ(ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(1)).height(), 14);
    const QFontInfo font(ui()->ChkListBox1->font());
    const QFontMetrics metrics(ui()->ChkListBox1->font());
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('i')), metrics.horizontalAdvance(QLatin1Char('W'))) << "monospace";
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(font.pixelSize(), 13);
}

TEST_F(Viewer, TickingColoursALineAndFillsTheFileSelector)
{
    // Line 2 a post-steady-state record with actinic-light sections.
    DataBuilder b = records(2);
    HeaderFields post;
    post.Number = 3;
    addPostSteadyStateRecord(b, post, OjipShape{}, 3, 1);
    HeaderFields last;
    last.Number = 4;
    b.addHeader(last);
    b.addCurve({});
    enterWithUpload(b);

    // Its actinic-light sections were showing.
    tick(2, true);
    choose(1);
    QTest::mouseClick(ui()->RdBtnAL, Qt::LeftButton);
    ASSERT_TRUE(ui()->RdBtnAL->isChecked());
    ASSERT_TRUE(ui()->CBoxALNO->isVisible());

    tick(0, true);
    EXPECT_EQ(selectorItems(), (QStringList{QStringLiteral("All First OJIP"), QStringLiteral("LEAF0001"),
                                            QStringLiteral("LEAF0003")}));
    EXPECT_EQ(ui()->CBoxFN->currentIndex(), 0);
    EXPECT_TRUE(ui()->CBoxFN->isEnabled());
    EXPECT_TRUE(ui()->RdBtnOJIP->isEnabled());
    EXPECT_TRUE(ui()->RdBtnOJIP->isChecked());
    EXPECT_FALSE(ui()->RdBtnAL->isEnabled());
    EXPECT_FALSE(ui()->RdBtnAL->isChecked());
    EXPECT_FALSE(ui()->CBoxALNO->isVisible());
    for (int line : {0, 2}) {
        EXPECT_LT(colour(line), 0xFFFFFFu) << line;
        EXPECT_NE(colour(line), 0u) << line;
    }
    EXPECT_NE(colour(0), colour(2));
    EXPECT_EQ(swatch(), colour(0));
    EXPECT_EQ(form().tickedLines(), (std::vector<int>{0, 2}));

    tick(2, false);
    EXPECT_EQ(colour(2), 0u);
    EXPECT_EQ(swatch(), 0u);
    EXPECT_EQ(selectorItems(), (QStringList{QStringLiteral("All First OJIP"), QStringLiteral("LEAF0001")}));

    tick(0, false);
    EXPECT_EQ(selectorItems(), QStringList{QStringLiteral("All First OJIP")});
    EXPECT_FALSE(ui()->CBoxFN->isEnabled());
    EXPECT_FALSE(ui()->RdBtnOJIP->isEnabled());
    EXPECT_FALSE(ui()->RdBtnAL->isEnabled());
}

TEST_F(Viewer, TickColoursFollowTheSameSequenceInEveryRun)
{
    std::vector<uint32_t> runs[2];
    for (auto &colours : runs) {
        test::ViewerWindow<> run;  // new windows on new state
        run.enterWithUpload(records(3));
        for (int line : {1, 0, 2}) {
            run.tick(line, true);
            colours.push_back(run.state->RecordIndex[size_t(line)].colour);
        }
    }
    EXPECT_EQ(runs[0], runs[1]);
}

TEST_F(Viewer, DoubleClickChangesTheColourOfATickedLineOnlyWhenConfirmed)
{
    enterWithUpload(records(2));
    dialogs.colourAnswers = {0x00FF00u};
    ui()->ChkListBox1->setCurrentRow(1);
    form().ChkListBox1DblClick();
    EXPECT_EQ(dialogs.colourAnswers.size(), 1u) << "an unticked line opens no dialog";
    EXPECT_EQ(colour(1), 0u);

    tick(1, true);
    const uint32_t given = colour(1);
    dialogs.colourAnswers = {std::nullopt};
    form().ChkListBox1DblClick();
    EXPECT_TRUE(dialogs.colourAnswers.empty());
    EXPECT_EQ(colour(1), given) << "cancel keeps the colour";

    dialogs.colourAnswers = {0x00FF00u};
    clickLine(1);
    QTest::mouseDClick(ui()->ChkListBox1->viewport(), Qt::LeftButton, {},
                       ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(1)).center());
    EXPECT_EQ(colour(1), 0x00FF00u);
    EXPECT_EQ(swatch(), 0x00FF00u);
    EXPECT_TRUE(form().isTicked(1));
}

TEST_F(Viewer, SaveAllWritesTheUploadWithTheMarkerAndDisablesTheButton)
{
    DataBuilder b = records(5, 25);  // 10 blocks: 40 reports of version-0 data
    const QString path = dir.filePath(QStringLiteral("all"));
    dialogs.saveAnswers.push_back({path, 0, {}});
    enterWithUpload(b, 0);
    ASSERT_EQ(state->ReportTotal, 40u);

    QTest::mouseClick(ui()->BtnSaveAll, Qt::LeftButton);

    ASSERT_EQ(dialogs.savesSeen.size(), 1u);
    const SaveDialogState &seen = dialogs.savesSeen[0];
    EXPECT_EQ(seen.Title, QStringLiteral("存储所有数据"));
    EXPECT_EQ(seen.FileName, QStringLiteral("QX_") + QDate::currentDate().toString(QStringLiteral("yyyyMMdd")));
    EXPECT_EQ(seen.Filter, QStringLiteral("*.bin|*.bin"));
    EXPECT_EQ(seen.DefaultExt, QStringLiteral("bin"));
    EXPECT_EQ(seen.FilterIndex, 1);

    QFile f(path + QStringLiteral(".bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    ASSERT_EQ(written.size(), 256 + 2560);
    MeasurementBuffer reread;
    const LoadResult loaded = loadDataFile(QByteArrayView(written), reread);
    EXPECT_EQ(loaded.versionMarker, kCurrentVersion);
    EXPECT_EQ(RecordHeader(reread, 2 * kBlockSize).FrTime(), 250) << "converted once when listed";
    EXPECT_FALSE(ui()->BtnSaveAll->isEnabled());
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(Viewer, SaveAllThatCannotWriteSaysSoAndKeepsTheButton)
{
    dialogs.saveAnswers.push_back({dir.filePath(QStringLiteral("missing/folder/QX.bin")), 0, {}});
    dialogs.saveAnswers.push_back({});  // then the user cancels
    enterWithUpload(records(1));

    form().BtnSaveAllClick();
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("QX.bin"))) << dialogs.errors[0].toStdString();
    EXPECT_TRUE(ui()->BtnSaveAll->isEnabled());

    form().BtnSaveAllClick();
    EXPECT_EQ(dialogs.errors.size(), 1u);
    EXPECT_TRUE(ui()->BtnSaveAll->isEnabled());
}

TEST_F(Viewer, AFileThatFailsToLoadLeavesTheUploadAsItWas)
{
    QByteArray badMarker = fileHeader();
    badMarker[3] = 0x21;
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool exists;
    } cases[] = {
        {"empty.bin", QByteArray(), true},
        {"headeronly.bin", fileHeader(), true},
        {"badmarker.bin", badMarker + records(1).body(), true},
        {"missing.bin", QByteArray(), false},
    };
    const DataBuilder upload = records(3, 25);
    enterWithUpload(upload, 0);
    const QStringList listed = lines();
    const QString label = ui()->Label1->text();
    tick(1, true);
    const uint32_t ticked = colour(1);
    const QByteArray before(reinterpret_cast<const char *>(state->MeasurementBuffer.data()), upload.size());

    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        dialogs.errors.clear();
        open(c.exists ? writeFile(name, c.bytes) : dir.filePath(name));

        ASSERT_EQ(dialogs.errors.size(), 1u);
        EXPECT_TRUE(dialogs.errors[0].contains(name)) << dialogs.errors[0].toStdString();
        EXPECT_EQ(lines(), listed);
        EXPECT_EQ(ui()->Label1->text(), label);
        EXPECT_TRUE(ui()->BtnSaveAll->isEnabled());
        EXPECT_TRUE(form().isTicked(1));
        EXPECT_EQ(colour(1), ticked);
        EXPECT_EQ(state->VersionMarker, 0u);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(state->MeasurementBuffer.data()), upload.size()), before);
        EXPECT_EQ(state->MeasurementBuffer.byteAt(upload.size()), 0);
    }
}

TEST_F(Viewer, AVersion0FileConvertsFrTimeOnceEachTimeItIsOpened)
{
    enter();
    const QString path = writeFile(QStringLiteral("old.bin"), records(2, 25).file(false));
    for (int round = 0; round < 2; ++round) {
        open(path);
        EXPECT_EQ(state->VersionMarker, 0u);
        for (int line = 0; line < 2; ++line)
            EXPECT_EQ(RecordHeader(state->MeasurementBuffer, state->RecordIndex[size_t(line)].offset).FrTime(), 250)
                << "round " << round << " line " << line;
    }
    open(writeFile(QStringLiteral("new.bin"), records(1, 25).file(true)));
    EXPECT_EQ(RecordHeader(state->MeasurementBuffer, 0).FrTime(), 25);
}

TEST_F(Viewer, ClickingALineDescribesItsRecordInTheHint)
{
    DataBuilder b;
    const struct
    {
        uint16_t kind;
        QString hint;
    } cases[] = {
        {1, QStringLiteral("OJIP测量数据[测量时间:2013/02/19  09:05:30]")},
        {2, QStringLiteral("脉冲瞬态荧光动力学测量数据[测量时间:2013/02/19  09:05:30]")},
        {3, QStringLiteral("后稳态荧光动力学测量数据[测量时间:2013/02/19  09:05:30]")},
        {0, QStringLiteral("数据类型错误")},
        {4, QStringLiteral("数据类型错误")},
    };
    for (const auto &c : cases) {
        HeaderFields h;
        h.Kind = c.kind;
        b.addHeader(h);
    }
    enterWithUpload(b);
    tick(0, true);
    tick(3, true);

    for (int line = 0; line < 5; ++line) {
        SCOPED_TRACE(line);
        setSwatch(0x123456);
        clickLine(line);
        EXPECT_EQ(form().listMousePos(), ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(line)).center());
        EXPECT_EQ(ui()->ChkListBox1->currentRow(), line);
        EXPECT_EQ(ui()->ChkListBox1->toolTip(), cases[line].hint);
        EXPECT_EQ(swatch(), line < 3 ? colour(line) : 0x123456u) << "an invalid kind leaves the swatch";
    }

    // A click on a line's tick box describes that line too, not the one current before.
    const QRect box = ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(2));
    clickAt(QPoint(box.left() + 6, box.center().y()));
    EXPECT_TRUE(form().isTicked(2));
    EXPECT_EQ(ui()->ChkListBox1->toolTip(), cases[2].hint);
    clickLine(4);

    // The hint shows at once where the mouse rests, for two seconds.
    EXPECT_EQ(QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), 0);
    const QPoint onLine = ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(1)).center();
    QHelpEvent rest(QEvent::ToolTip, onLine, ui()->ChkListBox1->viewport()->mapToGlobal(onLine));
    QApplication::sendEvent(ui()->ChkListBox1->viewport(), &rest);
    EXPECT_EQ(QToolTip::text(), cases[4].hint) << "describes the line clicked last";

    const QRect last = ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(4));
    clickAt(QPoint(last.center().x(), last.bottom() + 20));
    EXPECT_EQ(ui()->ChkListBox1->toolTip(), QString()) << "below the last line";

    const QPoint resting(5, 3);
    QMouseEvent move(QEvent::MouseMove, resting, ui()->ChkListBox1->viewport()->mapToGlobal(resting), Qt::NoButton, {}, {});
    QApplication::sendEvent(ui()->ChkListBox1->viewport(), &move);
    EXPECT_EQ(form().listMousePos(), resting);
}

TEST_F(Viewer, MoreRecordsThanTheListHoldsAreCountedInTheLabel)
{
    DataBuilder b;
    for (int i = 0; i < kMaxListed + 2; ++i)
        b.addHeader(HeaderFields{});
    enterWithUpload(b);
    EXPECT_EQ(ui()->ChkListBox1->count(), kMaxListed);
    EXPECT_TRUE(ui()->Label1->text().startsWith(QStringLiteral("查看上传的数据:")));
    EXPECT_TRUE(ui()->Label1->text().contains(QStringLiteral("另有2个未列出"))) << ui()->Label1->text().toStdString();
}

TEST_F(Viewer, ControlsFollowTheWindowEdgesTheyAreAnchoredTo)
{
    enter();
    form().showNormal();
    form().resize(1103, 690);  // 200 px wider and 100 px taller than designed
    ui()->PageControl1->setCurrentWidget(ui()->TabSheet2);
    const QSize page = ui()->TabSheet1->size();

    const struct
    {
        QWidget *control;
        QRect expected;
    } cases[] = {
        {ui()->Label1, QRect(16, 8, 944, 25)},
        {ui()->BtnOpen, QRect(995, 17, 101, 25)},
        {ui()->Label2, QRect(1079, 128, 17, 17)},
        {ui()->ChkListBox1, QRect(967, 144, 129, 509)},
        {ui()->PageControl1, QRect(8, 48, 952, 605)},
        {ui()->Label3, QRect(8, 8, 57, 25)},
        {ui()->BtnSavePic, QRect(page.width() - 73, 8, 73, 25)},
        {ui()->Chart1Host, QRect(8, 40, page.width() - 16, page.height() - 44)},
        {ui()->StrGrid1, QRect(0, 40, page.width(), page.height() - 44)},
        {ui()->BtnSaveODat, QRect(page.width() - 113, 8, 105, 25)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.control->geometry(), c.expected) << c.control->objectName().toStdString();
}

TEST(AnchoredGeometry, FollowsTheAnchoredEdges)
{
    const QRect design(10, 20, 100, 50);
    const QSize designParent(400, 300);
    const struct
    {
        const char *name;
        Qt::Edges anchors;
        QSize parent;
        QRect expected;
    } cases[] = {
        {"left top stays", Qt::LeftEdge | Qt::TopEdge, {600, 500}, QRect(10, 20, 100, 50)},
        {"right moves", Qt::TopEdge | Qt::RightEdge, {600, 500}, QRect(210, 20, 100, 50)},
        {"left right stretches", Qt::LeftEdge | Qt::RightEdge | Qt::TopEdge, {600, 500}, QRect(10, 20, 300, 50)},
        {"all four stretch", kAllAnchors, {600, 500}, QRect(10, 20, 300, 250)},
        {"bottom moves", Qt::LeftEdge | Qt::BottomEdge, {600, 500}, QRect(10, 220, 100, 50)},
        {"shrinking never goes negative", kAllAnchors, {50, 40}, QRect(10, 20, 0, 0)},
    };
    for (const auto &c : cases)
        EXPECT_EQ(anchoredGeometry(design, designParent, c.parent, c.anchors), c.expected) << c.name;
}

} // namespace

TEST_F(Viewer, AFileLargerThanTheBufferSaysSoInTheLabel)
{
    DataBuilder b;
    HeaderFields h;
    h.Kind = 2;
    b.addHeader(h);
    for (uint32_t i = 1; i <= kBlockPositions; ++i)  // one block more than the buffer holds
        b.addBlock(kContinuationMarker);
    enter();
    open(writeFile(QStringLiteral("big.bin"), b.file()));
    EXPECT_EQ(ui()->Label1->text(),
              QStringLiteral("查看文件:big.bin   数据个数:1   （文件过大，只读入前32768个数据块，其余部分已忽略）"));

    open(writeFile(QStringLiteral("small.bin"), records(2).file()));
    EXPECT_EQ(ui()->Label1->text(), QStringLiteral("查看文件:small.bin   数据个数:2"));
}

TEST_F(Viewer, CannotBeMadeSmallerThanItsDesignedClientSize)
{
    enter();
    form().showNormal();
    form().resize(600, 400);
    QApplication::processEvents();
    EXPECT_EQ(form().size(), QSize(903, 590));
    // At that size the curve page's controls still stand apart.
    EXPECT_FALSE(ui()->BtnSavePic->geometry().intersects(ui()->RdBtnAL->geometry()));
    EXPECT_FALSE(ui()->BtnSavePic->geometry().intersects(ui()->CBoxALNO->geometry()));
    EXPECT_GE(ui()->Chart1Host->width(), 728);
    EXPECT_GE(ui()->Chart1Host->height(), 433);
}

TEST_F(Viewer, OpeningAFileGivesTheSwatchBackTheWindowsColour)
{
    enterWithUpload(records(2));
    const QColor neutral = form().palette().color(QPalette::Window);
    EXPECT_EQ(ui()->Label2->palette().color(QPalette::Window), neutral);
    tick(1, true);
    ASSERT_NE(ui()->Label2->palette().color(QPalette::Window), neutral);

    open(writeFile(QStringLiteral("next.bin"), records(3).file()));
    EXPECT_EQ(ui()->Label2->palette().color(QPalette::Window), neutral);
    EXPECT_TRUE(ui()->Label2->autoFillBackground());
}

TEST_F(Viewer, TheClosedFileSelectorShowsWholeLineTexts)
{
    const QByteArray names[] = {"ARABID01", "WWWWWWWW", "MMMMMMMM", toGbk(QStringLiteral("光合作用"))};
    DataBuilder b;
    for (const QByteArray &name : names)
        for (uint16_t number : {uint16_t(7), uint16_t(65535)}) {
            HeaderFields h;
            h.Name = name;
            h.Number = number;
            b.addHeader(h);
        }
    enterWithUpload(b);
    form().showNormal();
    QApplication::processEvents();
    tickAll();
    ASSERT_EQ(ui()->CBoxFN->count(), 9);
    EXPECT_EQ(ui()->CBoxFN->itemText(1), QStringLiteral("ARABID010007"));

    QComboBox *box = ui()->CBoxFN;
    const QFontMetrics metrics(box->font());
    for (int i = 0; i < box->count(); ++i) {
        choose(i);
        QStyleOptionComboBox opt;
        opt.initFrom(box);
        opt.editable = false;
        opt.frame = true;
        opt.currentText = box->currentText();
        // The label is drawn in the edit field, a pixel in from either side.
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
        EXPECT_LE(metrics.horizontalAdvance(box->currentText()), field.width() - 2) << box->currentText().toStdString();
    }
    // The controls beside it moved along, and still stand apart from those on the right.
    const std::vector<QWidget *> row{ui()->Label3, ui()->CBoxFN, ui()->RdBtnOJIP, ui()->Bevel1, ui()->RdBtnAL, ui()->CBoxALNO, ui()->BtnP700Save};
    // What a control draws ends at its size hint when that is less than its place.
    const auto drawnRight = [](const QWidget *w) { return w->x() + std::min(w->width(), w->sizeHint().width()); };
    for (size_t i = 0; i + 1 < row.size(); ++i)
        EXPECT_LE(drawnRight(row[i]), row[i + 1]->x())
            << row[i]->objectName().toStdString() << " runs into " << row[i + 1]->objectName().toStdString();
}

TEST(ListTextColour, ReadsOnTheListAndOnTheSelectionKeepingItsHue)
{
    const QPalette palette = QApplication::palette();
    const QColor grounds[] = {Qt::white, selectionFill(palette, QPalette::Active)};
    const struct
    {
        const char *name;
        QColor colour;
        bool keptOnWhite;
    } cases[] = {
        {"black", QColor(0, 0, 0), true},
        {"dark red", QColor(128, 0, 0), true},
        {"navy", QColor(0, 0, 128), true},
        {"yellow", QColor(255, 255, 0), false},
        {"almost white", QColor(254, 255, 255), false},
        {"pale cyan", QColor(160, 255, 255), false},
        {"mid green", QColor(40, 200, 40), false},
    };
    for (const QColor &ground : grounds) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.name);
            const QColor text = legibleTextColour(c.colour, ground);
            EXPECT_GE(contrastRatio(text, ground), 4.5) << text.name().toStdString() << " on " << ground.name().toStdString();
            if (contrastRatio(c.colour, ground) >= 4.5) {
                EXPECT_EQ(text, c.colour) << "a colour that reads is kept";
                continue;
            }
            EXPECT_LT(contrastRatio(text, ground), 5.0) << "darkened no further than it takes";
            if (c.colour.hsvSaturation() > 50) {
                EXPECT_NEAR(text.hsvHue(), c.colour.hsvHue(), 3);
            }
        }
    }
    for (const auto &c : cases)
        EXPECT_EQ(legibleTextColour(c.colour, Qt::white) == c.colour, c.keptOnWhite) << c.name;
    EXPECT_GT(selectionFill(palette, QPalette::Active).lightness(), 200) << "a light selection fill";
}

TEST_F(Viewer, TheSelectedLineIsALightFillWithAFrameAndPaleTextReads)
{
    enterWithUpload(records(3));
    form().showNormal();
    tick(0, true);
    tick(1, true);
    const uint32_t paleYellow = 0x40FFFF;  // red and green in the low bytes
    state->RecordIndex[0].colour = paleYellow;
    state->RecordIndex[1].colour = paleYellow;
    ui()->ChkListBox1->setCurrentRow(1);
    QApplication::processEvents();
    const QImage image = ui()->ChkListBox1->viewport()->grab().toImage();
    const qreal dpr = image.devicePixelRatio();
    const QPalette::ColorGroup group = ui()->ChkListBox1->isActiveWindow() ? QPalette::Active : QPalette::Inactive;

    for (int line : {0, 1}) {
        SCOPED_TRACE(line);
        const QRect rect = ui()->ChkListBox1->visualItemRect(ui()->ChkListBox1->item(line));
        const QColor fill = line == 1 ? selectionFill(ui()->ChkListBox1->palette(), group) : QColor(Qt::white);
        // Right of the text, where nothing but the fill is drawn.
        const QPoint ground(rect.right() - 4, rect.center().y());
        EXPECT_EQ(image.pixelColor(ground * dpr), fill);
        if (line == 1) {
            EXPECT_GT(fill.lightness(), 200);
            EXPECT_EQ(image.pixelColor(QPoint(rect.right() - 4, rect.top()) * dpr),
                      ui()->ChkListBox1->palette().color(group, QPalette::Highlight))
                << "the frame";
        }
        QColor darkest = fill;
        for (int x = rect.left() + 18; x < rect.left() + 90; ++x)
            for (int y = rect.top() + 2; y < rect.bottom() - 1; ++y) {
                const QColor p = image.pixelColor(QPoint(x, y) * dpr);
                if (p.lightness() < darkest.lightness())
                    darkest = p;
            }
        EXPECT_GE(contrastRatio(darkest, fill), 4.5) << darkest.name().toStdString();
    }
    EXPECT_EQ(state->RecordIndex[1].colour, paleYellow) << "the curves keep the line's own colour";
}

TEST_F(Viewer, LinesOfEightCharacterNamesAndFiveDigitNumbersFitTheListWithoutScrolling)
{
    DataBuilder b;
    for (int i = 0; i < 20; ++i) {
        HeaderFields h;
        h.Name = i % 2 ? QByteArray("WHEATLF2") : toGbk(QStringLiteral("光合作用"));
        h.Number = 54321;
        b.addHeader(h);
    }
    enterWithUpload(b);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    tick(0, true);
    ui()->ChkListBox1->setCurrentRow(0);
    QApplication::processEvents();
    QListWidget *list = ui()->ChkListBox1;
    list->doItemsLayout();
    QApplication::processEvents();
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << "nothing to scroll to";
    const QFontMetrics metrics(list->font());
    for (int line : {0, 1}) {  // both kinds of name
        const QRect rect = list->visualItemRect(list->item(line));
        const int advance = metrics.horizontalAdvance(list->item(line)->text());
        EXPECT_GE(rect.width(), advance + 16) << "room for the tick box and the text";
        EXPECT_LE(rect.right(), list->viewport()->width() - 1) << "the selection frame is seen whole";
    }
}

TEST_F(Viewer, TwelveCharacterLinesFitTheDesignedListBesideItsScrollBar)
{
    DataBuilder b;
    for (int i = 0; i < 40; ++i) {  // more than the designed height shows
        HeaderFields h;
        h.Name = "ARABID01";
        h.Number = uint16_t(i);
        b.addHeader(h);
    }
    enterWithUpload(b);
    form().showNormal();
    QListWidget *list = ui()->ChkListBox1;
    list->doItemsLayout();
    QApplication::processEvents();
    ASSERT_EQ(list->width(), 129);
    ASSERT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0) << "ARABID010007 is seen whole";
}
