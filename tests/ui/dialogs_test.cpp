// The real Qt dialogs as the program runs them, answered from timers.
#include "ui/qtdialogs.h"
#include "ui/qttranslations.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <functional>

using namespace corvane;

namespace {

// Runs `answer` on the dialog once it is the modal window on top.
void whenModal(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

class QtDialogs : public ::testing::Test
{
protected:
    void SetUp() override { translator = installQtTranslations(*QCoreApplication::instance()); }
    void TearDown() override
    {
        if (translator)
            QCoreApplication::removeTranslator(translator);
        delete translator;
    }

    QTranslator *translator = nullptr;
    QTemporaryDir dir;
};

TEST_F(QtDialogs, SaveAsksInChineseBeforeReplacingAFile)
{
    ASSERT_NE(translator, nullptr) << "Qt's Chinese translations (qt6-translations-l10n) are not installed";
    const QString existing = dir.filePath(QStringLiteral("GridQX_20130219.csv"));
    {
        QFile f(existing);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    SaveDialogState dlg;
    dlg.Title = QStringLiteral("存储表格数据");
    dlg.FileName = existing;
    dlg.Filter = QStringLiteral("*.csv|*.csv");
    dlg.DefaultExt = QStringLiteral("csv");
    dlg.FilterIndex = 1;

    QString question;
    QStringList buttons;
    QStringList dialogButtons;
    QStringList labels;
    whenModal([&](QWidget *w) {
        auto *fd = qobject_cast<QFileDialog *>(w);
        ASSERT_NE(fd, nullptr);
        for (const QPushButton *b : fd->findChildren<QPushButton *>())
            dialogButtons << b->text();
        for (const char *name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            if (const QLabel *l = fd->findChild<QLabel *>(QLatin1String(name)))
                labels << l->text();
        // The overwrite question runs inside accept(): answer it from there, then cancel.
        whenModal([&](QWidget *box) {
            auto *mb = qobject_cast<QMessageBox *>(box);
            ASSERT_NE(mb, nullptr);
            question = mb->text();
            for (const QAbstractButton *b : mb->buttons())
                buttons << b->text();
            mb->button(QMessageBox::No)->click();
        });
        static_cast<QDialog *>(fd)->accept();  // as the Save button does
        fd->reject();
    });
    QtDialogProvider provider;
    EXPECT_FALSE(provider.runSave(dlg, {}));

    EXPECT_EQ(question.toStdString(), "GridQX_20130219.csv 已存在。\n您想要替换它吗？");
    EXPECT_EQ(buttons.join(QLatin1Char(' ')).toStdString(), "是(&Y) 否(&N)");
    EXPECT_TRUE(dialogButtons.contains(QStringLiteral("保存(&S)")) && dialogButtons.contains(QStringLiteral("取消")))
        << dialogButtons.join(QLatin1Char(' ')).toStdString();
    ASSERT_EQ(labels.size(), 3);
    for (const QString &label : labels)
        EXPECT_FALSE(label.contains(QRegularExpression(QStringLiteral("[a-z]{3}")))) << label.toStdString();
}

TEST_F(QtDialogs, ColourDialogAndMessageButtonsAreChinese)
{
    ASSERT_NE(translator, nullptr);
    const QColorDialog colour;
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Ok);
    const QRegularExpression chinese(QStringLiteral("^[\\x{4e00}-\\x{9fff}]+"));
    for (const QString &text : {colour.windowTitle(), box.button(QMessageBox::Ok)->text()})
        EXPECT_TRUE(chinese.match(text).hasMatch()) << text.toStdString();
}

} // namespace
