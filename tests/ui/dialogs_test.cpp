// The real Qt dialogs as the program runs them, answered from timers.
#include "ui/qtdialogs.h"
#include "ui/qttranslations.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>
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

// The columns of the detail view as a person sees them, and what each would need.
struct ColumnFit
{
    QStringList cut;  // header texts of the columns cut or out of sight
    int columns = 0;
};

ColumnFit detailColumns(QFileDialog *fd)
{
    ColumnFit fit;
    const auto *tree = fd->findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!tree)
        return fit;
    const QHeaderView *header = tree->header();
    fit.columns = header->count();
    for (int c = 0; c < header->count(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        // What the header and the visible rows ask for, against what the column has
        // and how much of it lies inside the view.
        const int wanted = std::max(header->sectionSizeHint(c), static_cast<const QAbstractItemView *>(tree)->sizeHintForColumn(c));
        const int shown = std::min(header->sectionViewportPosition(c) + header->sectionSize(c), tree->viewport()->width())
                          - header->sectionViewportPosition(c);
        if (shown < wanted)
            fit.cut << tree->model()->headerData(c, Qt::Horizontal).toString()
                           + QStringLiteral(" %1<%2").arg(shown).arg(wanted);
    }
    return fit;
}

TEST_F(QtDialogs, FileDialogsShowTheirDetailColumnsWhole)
{
    // A folder with a long name, a large file and a dated one, as a data folder holds.
    for (const char *name : {"QX_20130219.bin", "GridQX_20130219_leaf_samples_from_the_field.csv"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1234567, 'x'));
    }
    for (bool save : {true, false}) {
        SCOPED_TRACE(save ? "save" : "open");
        ColumnFit fit;
        whenModal([&](QWidget *w) {
            auto *fd = qobject_cast<QFileDialog *>(w);
            ASSERT_NE(fd, nullptr);
            fd->setViewMode(QFileDialog::Detail);
            // The folder is read on a thread; the rows appear once it is done.
            QTest::qWait(300);
            fit = detailColumns(fd);
            fd->reject();
        });
        QtDialogProvider provider;
        if (save) {
            SaveDialogState dlg;
            dlg.Title = QStringLiteral("存储所有数据");
            dlg.FileName = dir.filePath(QStringLiteral("QX_20130219"));
            dlg.Filter = QStringLiteral("*.bin|*.bin");
            dlg.DefaultExt = QStringLiteral("bin");
            dlg.FilterIndex = 1;
            EXPECT_FALSE(provider.runSave(dlg, {}));
        } else {
            QString path = dir.filePath(QStringLiteral("*.bin"));
            EXPECT_FALSE(provider.runOpen(QStringLiteral("打开文件"), QStringLiteral("*.bin"), path));
        }
        EXPECT_EQ(fit.columns, 4);
        EXPECT_TRUE(fit.cut.isEmpty()) << fit.cut.join(QStringLiteral(", ")).toStdString();
    }
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
