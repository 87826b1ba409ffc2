#include "ui/qtdialogs.h"

#include "charts/linecolour.h"

#include <QColorDialog>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QMessageBox>
#include <QTreeView>

namespace corvane {

QString datedFileName(const QString &prefix)
{
    return prefix + QDate::currentDate().toString(QStringLiteral("yyyyMMdd"));
}

QString applyDefaultExtension(const QString &path, const QString &ext)
{
    if (ext.isEmpty() || path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + ext;
}

QStringList qtNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        out << (parts[i] == parts[i + 1] ? parts[i] : parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    if (parts.size() == 1 && !parts[0].isEmpty())
        out << parts[0];
    return out;
}

namespace {

// Qt's own dialog gives its detail columns fixed widths that cut the type and the date:
// those take the width of their texts and the name column the rest. A native dialog
// has no such view and is left as it is.
void fitDetailColumns(QFileDialog &fd)
{
    auto *tree = fd.findChild<QTreeView *>(QStringLiteral("treeView"));
    if (!tree)
        return;
    QHeaderView *header = tree->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < header->count(); ++c)
        header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
}

} // namespace

bool QtDialogProvider::runSave(SaveDialogState &dlg, const std::function<void(int)> &typeChange)
{
    QFileDialog fd(m_parent, dlg.Title);
    fd.setAcceptMode(QFileDialog::AcceptSave);
    fd.setFileMode(QFileDialog::AnyFile);
    fd.setOption(QFileDialog::DontUseNativeDialog);
    const QStringList filters = qtNameFilters(dlg.Filter);
    fd.setNameFilters(filters);
    if (dlg.FilterIndex >= 1 && dlg.FilterIndex <= filters.size())
        fd.selectNameFilter(filters[dlg.FilterIndex - 1]);
    fd.setDefaultSuffix(dlg.DefaultExt);
    fd.selectFile(dlg.FileName);
    fitDetailColumns(fd);
    QObject::connect(&fd, &QFileDialog::filterSelected, &fd, [&](const QString &f) {
        if (typeChange)
            typeChange(int(filters.indexOf(f)) + 1);
        fd.setDefaultSuffix(dlg.DefaultExt);
    });
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty())
        return false;
    dlg.FileName = fd.selectedFiles().constFirst();
    dlg.FilterIndex = int(filters.indexOf(fd.selectedNameFilter())) + 1;
    return true;
}

bool QtDialogProvider::runOpen(const QString &title, const QString &filter, QString &fileName)
{
    QFileDialog fd(m_parent, title);
    fd.setAcceptMode(QFileDialog::AcceptOpen);
    fd.setFileMode(QFileDialog::ExistingFile);
    fd.setNameFilters(qtNameFilters(filter));
    fitDetailColumns(fd);
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty())
        return false;
    fileName = fd.selectedFiles().constFirst();
    return true;
}

bool QtDialogProvider::runColour(uint32_t &colour)
{
    const QColor c = QColorDialog::getColor(toQColor(m_lastColour), m_parent);
    if (!c.isValid())
        return false;
    m_lastColour = fromQColor(c);
    colour = m_lastColour;
    return true;
}

void QtDialogProvider::showError(const QString &title, const QString &text)
{
    QMessageBox::warning(m_parent, title, text);
}

} // namespace corvane
