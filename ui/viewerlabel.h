#pragma once
// The viewer's Label1 texts, composed apart from the window so each reads the same
// wherever the viewer sets it.
#include "data/datafile.h"

#include <QString>

namespace corvane {

// After an open: the file's name and record count, and a note when the file was cut.
QString openedFileLabel(const QString &fileName, const LoadResult &loaded);
// The message when a file cannot be opened.
QString openFailureText(const QString &fileName, const LoadResult &loaded);
// Appended when the list shows only the first kMaxListed records.
QString leftOutNote(int leftOut);

} // namespace corvane
