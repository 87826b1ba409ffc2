#pragma once
// Every file the program writes goes through a temporary file in the target folder,
// flushed to the disk, and an atomic rename, so a failed or killed write never
// destroys an existing file. A target that exists and is not a regular file (a
// device node, a FIFO) is written in place as a stream: replacing it would destroy it.
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <sys/types.h>

class QIODevice;

namespace corvane {

// Temporary files are named ".NAME" + kTempFileTag + a random part, beside NAME. One
// left by a killed write is removed by the next write of the same target.
inline constexpr char kTempFileTag[] = ".corvane-tmp-";

// Returns an empty string on success, else a message naming the file and the reason.
QString writeFileAtomically(const QString &path, QByteArrayView bytes);

// The message of a failed write: "无法写入文件 NAME：reason".
QString writeFailureText(const QString &path, const QString &reason);

// For large outputs: `produce` writes to the device and returns false on failure.
QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &produce);

// The system call that puts bytes into the open file, as write(2): tests hand in one
// that fails the way a full disk does.
using WriteCall = std::function<ssize_t(int fd, const void *data, size_t size)>;
QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &produce,
                            const WriteCall &writeCall);

// Whether `fileName` (no folder) is a temporary file of a write to `targetName`.
bool isTempFileOf(const QString &fileName, const QString &targetName);

} // namespace corvane
