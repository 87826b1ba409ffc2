#pragma once
// Every file the program writes goes through a temporary file in the target folder
// and an atomic rename, so a failed write never destroys an existing file.
#include <QByteArrayView>
#include <QString>

#include <functional>

class QIODevice;

namespace corvane {

// Returns an empty string on success, else a message naming the file and the reason.
QString writeFileAtomically(const QString &path, QByteArrayView bytes);

// For large outputs: `produce` writes to the device and returns false on failure.
QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &produce);

} // namespace corvane
