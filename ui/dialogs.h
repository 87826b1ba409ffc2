#pragma once
// The file and colour dialogs sit behind this seam, so tests answer them without a
// person and without blocking.
#include <QString>

#include <cstdint>
#include <functional>

namespace corvane {

// The viewer's one shared save dialog: every export sets these before running it.
// Filters are written "description|pattern|description|pattern"; types count from 1.
struct SaveDialogState
{
    QString Title;
    QString FileName;    // proposed name in; chosen full path out
    QString Filter;
    QString DefaultExt;  // appended when the user types a name without extension
    int FilterIndex = 1; // proposed type in; chosen type out
};

class DialogProvider
{
public:
    virtual ~DialogProvider() = default;

    // Runs the save dialog; it asks before replacing an existing file. `typeChange`
    // is called with the new type whenever the user picks another one while it is open
    // (it may change dlg.DefaultExt). Returns false when cancelled.
    virtual bool runSave(SaveDialogState &dlg, const std::function<void(int)> &typeChange) = 0;
    // Returns false when cancelled; else fileName holds the chosen full path.
    virtual bool runOpen(const QString &title, const QString &filter, QString &fileName) = 0;
    // Colours have red in the lowest byte. `colour` comes in as the line's colour; the
    // dialog opens on the colour last chosen in it (black the first time), not on that.
    // True and the new colour in `colour` when confirmed.
    virtual bool runColour(uint32_t &colour) = 0;
    // A failure the user must hear about: a file that did not load or could not be written.
    virtual void showError(const QString &title, const QString &text) = 0;
};

// The proposed name of a dated export: prefix + today as "yyyymmdd" (QX_20130219).
QString datedFileName(const QString &prefix);

// "name" + ".ext" when the name has no extension of its own.
QString applyDefaultExtension(const QString &path, const QString &ext);

// "a|*.bin|b|*.csv" as a Qt name filter list ("a (*.bin)", "b (*.csv)").
QStringList qtNameFilters(const QString &filter);

} // namespace corvane
