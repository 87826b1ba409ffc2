#include "support/scripteddialogs.h"
#include "ui/windows.h"
#include "ui_Unit1.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvane;

TEST(ProgramShell, StartsWithTheTransferWindowAndHandsOverToTheViewer)
{
    auto state = std::make_unique<AppState>();
    state->MeasurementBuffer.data()[0] = 0x5A;  // cleared by the transfer window's show
    state->ReportTotal = 9;
    test::ScriptedDialogs dialogs;
    Windows w(*state, &dialogs);
    int exitStatus = -1;
    w.form1.setExitFunction([&](int s) { exitStatus = s; });
    w.form2.setExitFunction([&](int s) { exitStatus = s; });

    EXPECT_FALSE(w.form1.isVisible());
    EXPECT_FALSE(w.form2.isVisible());
    EXPECT_FALSE(w.form3.isVisible());
    w.form1.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.form1));

    auto *ui = w.form1.ui();
    EXPECT_EQ(w.form1.windowTitle(), QStringLiteral("数据传输"));
    EXPECT_EQ(ui->RichEdit1->toPlainText(), QStringLiteral("请连接荧光仪"));
    EXPECT_EQ(ui->Label1->text(), QStringLiteral("Corvane-K300/K310数据传输"));
    EXPECT_FALSE(ui->BtnConn->isEnabled());
    EXPECT_FALSE(ui->BtnTrans->isEnabled());
    EXPECT_EQ(ui->BtnConn->text(), QStringLiteral("连  接"));
    EXPECT_EQ(state->MeasurementBuffer.byteAt(0), 0);
    EXPECT_EQ(state->ReportTotal, 0u);

    QTest::mouseClick(ui->BtnView, Qt::LeftButton);
    EXPECT_FALSE(w.form1.isVisible());
    EXPECT_TRUE(w.form2.isVisible());
    EXPECT_FALSE(state->UploadedDataPresent);  // nothing was uploaded

    QTest::mouseClick(ui->BtnExit, Qt::LeftButton);
    EXPECT_EQ(exitStatus, 0);
    exitStatus = -1;
    w.form2.close();
    EXPECT_EQ(exitStatus, 0);
}

TEST(ProgramShell, ViewAfterReportsArrivedMarksUploadedData)
{
    auto state = std::make_unique<AppState>();
    test::ScriptedDialogs dialogs;
    Windows w(*state, &dialogs);
    w.form1.show();
    state->ReportsReceived = 3;
    w.form1.BtnViewClick();
    EXPECT_TRUE(state->UploadedDataPresent);
}

TEST(ProgramShell, StatusBoxTakesNoTypingAndTabLeavesItInTheDesignedOrder)
{
    auto state = std::make_unique<AppState>();
    test::ScriptedDialogs dialogs;
    Windows w(*state, &dialogs);
    w.form1.setExitFunction([](int) {});
    w.form1.show();
    w.form1.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.form1));
    auto *ui = w.form1.ui();
    ui->BtnConn->setEnabled(true);
    ui->BtnTrans->setEnabled(true);
    const QString status = ui->RichEdit1->toPlainText();

    ui->RichEdit1->setFocus();
    ASSERT_TRUE(ui->RichEdit1->hasFocus());
    QTest::keyClicks(ui->RichEdit1, QStringLiteral("abc"));
    QTest::keyClick(ui->RichEdit1, Qt::Key_Return);
    QTest::keyClick(ui->RichEdit1, Qt::Key_Backspace);
    QTest::keyClick(ui->RichEdit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ui->RichEdit1->toPlainText().toStdString(), status.toStdString());
    // Texts from the link still arrive.
    ui->RichEdit1->append(QStringLiteral("检测到荧光仪插入"));
    const QString appended = ui->RichEdit1->toPlainText();

    // The progress bar takes no focus, so Tab goes from the status box to "查  看".
    const struct
    {
        QWidget *from;
        Qt::KeyboardModifiers modifiers;
        QWidget *to;
    } steps[] = {
        {ui->BtnConn, Qt::NoModifier, ui->BtnTrans},
        {ui->BtnTrans, Qt::NoModifier, ui->BtnExit},
        {ui->BtnExit, Qt::NoModifier, ui->RichEdit1},
        {ui->RichEdit1, Qt::NoModifier, ui->BtnView},
        {ui->BtnView, Qt::ShiftModifier, ui->RichEdit1},
        {ui->RichEdit1, Qt::ShiftModifier, ui->BtnExit},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.from->objectName().toStdString());
        s.from->setFocus();
        QTest::keyClick(QApplication::focusWidget(), s.modifiers & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab,
                        s.modifiers);
        const QWidget *focus = QApplication::focusWidget();
        EXPECT_EQ(focus, s.to) << (focus ? focus->objectName().toStdString() : "none");
    }
    EXPECT_EQ(ui->RichEdit1->toPlainText().toStdString(), appended.toStdString()) << "no tab character went in";
}
