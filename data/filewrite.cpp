#include "data/filewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {

QString writeFailureText(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入文件 %1：%2").arg(QFileInfo(path).fileName(), reason);
}

namespace {

QString reasonText(int error)
{
    // The one reason a user can act on at once gets words of its own.
    if (error == ENOSPC)
        return QStringLiteral("磁盘已满");
    if (error == EDQUOT)
        return QStringLiteral("磁盘配额已用完");
    if (error == 0)
        return QStringLiteral("写入不完整");
    return QString::fromLocal8Bit(std::strerror(error));
}

QString failure(const QString &path, int error)
{
    return writeFailureText(path, reasonText(error));
}

// An unbuffered device over a file descriptor that keeps the errno of the first failure
// and retries short writes, as write(2) may stop early without an error.
class DescriptorDevice : public QIODevice
{
public:
    DescriptorDevice(int fd, const WriteCall &writeCall) : m_fd(fd), m_write(writeCall)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    int error() const { return m_error; }
    bool failed() const { return m_failed; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (m_failed)
            return -1;
        qint64 done = 0;
        while (done < size) {
            const ssize_t n = m_write(m_fd, data + done, size_t(size - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                // write(2) returning 0 for a non-empty request means no room either.
                m_error = n < 0 ? errno : ENOSPC;
                m_failed = true;
                return -1;
            }
            done += n;
        }
        return done;
    }

private:
    int m_fd;
    const WriteCall &m_write;
    int m_error = 0;
    bool m_failed = false;
};

// Runs `produce` on the descriptor; 0 on success, else the errno to report (-1: the
// producer gave up without a system error).
int produceInto(int fd, const std::function<bool(QIODevice &)> &produce, const WriteCall &writeCall)
{
    DescriptorDevice device(fd, writeCall);
    const bool ok = produce(device);
    if (device.failed())
        return device.error();
    return ok ? 0 : -1;
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// A write of this target that was killed left its temporary file behind; it is stale
// when no live writer holds its lock.
void removeStaleTempFiles(const QString &dir, const QString &targetName)
{
    // No name filter: a target name may hold wildcard characters.
    const QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (!isTempFileOf(name, targetName))
            continue;
        const QByteArray p = encoded(QDir(dir).filePath(name));
        const int fd = ::open(p.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(p.constData());
        ::close(fd);
    }
}

// Creates and locks a fresh temporary file beside the target; -1 with errno set on failure.
int createTempFile(const QString &dir, const QString &targetName, QByteArray &tempPath)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString suffix = QString::number(QRandomGenerator::global()->generate64() & 0xFFFFFFFFFFFFull, 36);
        tempPath = encoded(QDir(dir).filePath(QLatin1Char('.') + targetName + QLatin1String(kTempFileTag) + suffix));
        // 0666 less the umask: the same permissions a new file gets from a plain write.
        const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        ::flock(fd, LOCK_EX);
        // Another run's clean-up may have taken the name between open and lock.
        struct stat byName{}, byFd{};
        if (::stat(tempPath.constData(), &byName) == 0 && ::fstat(fd, &byFd) == 0 && byName.st_ino == byFd.st_ino
            && byName.st_dev == byFd.st_dev)
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// The existing target's mode, kept by the replacement.
void keepMode(int fd, const struct stat &target)
{
    ::fchmod(fd, target.st_mode & 07777);
}

// A FIFO whose reader went away raises SIGPIPE, which would end the program: while a
// stream is written the signal is held back, so the write fails with EPIPE instead,
// and one that the write raised is taken away again.
class SigpipeHeldBack
{
public:
    SigpipeHeldBack()
    {
        sigemptyset(&m_pipe);
        sigaddset(&m_pipe, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        m_wasPending = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &m_pipe, &m_old);
    }
    ~SigpipeHeldBack()
    {
        if (!m_wasPending) {
            const timespec none{};
            while (sigtimedwait(&m_pipe, nullptr, &none) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    SigpipeHeldBack(const SigpipeHeldBack &) = delete;
    SigpipeHeldBack &operator=(const SigpipeHeldBack &) = delete;

private:
    sigset_t m_pipe{}, m_old{};
    bool m_wasPending = false;
};

QString writeInPlace(const QString &path, const std::function<bool(QIODevice &)> &produce, const WriteCall &writeCall)
{
    const int fd = ::open(encoded(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return failure(path, errno);
    int error = 0;
    {
        const SigpipeHeldBack held;
        error = produceInto(fd, produce, writeCall);
    }
    ::close(fd);
    return error == 0 ? QString() : failure(path, error < 0 ? 0 : error);
}

void syncFolder(const QString &dir)
{
    const int fd = ::open(encoded(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

bool isTempFileOf(const QString &fileName, const QString &targetName)
{
    const QString prefix = QLatin1Char('.') + targetName + QLatin1String(kTempFileTag);
    return fileName.startsWith(prefix) && fileName.size() > prefix.size();
}

QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &produce,
                            const WriteCall &writeCall)
{
    // A link is followed: the file it names is the one replaced, and the link stays.
    QString target = path;
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        target = info.canonicalFilePath();

    struct stat existing{};
    const bool exists = ::stat(encoded(target).constData(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failure(path, EISDIR);
    if (exists && !S_ISREG(existing.st_mode))
        return writeInPlace(target, produce, writeCall);

    const QFileInfo targetInfo(target);
    const QString dir = targetInfo.absolutePath();
    const QString name = targetInfo.fileName();
    removeStaleTempFiles(dir, name);

    QByteArray tempPath;
    const int fd = createTempFile(dir, name, tempPath);
    if (fd < 0)
        return failure(path, errno);
    if (exists)
        keepMode(fd, existing);

    int error = produceInto(fd, produce, writeCall);
    // On the disk before it takes the target's name, so a crash leaves old or new, never a hole.
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (error == 0 && ::rename(tempPath.constData(), encoded(target).constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(tempPath.constData());
    ::close(fd);
    if (error != 0)
        return failure(path, error < 0 ? 0 : error);
    syncFolder(dir);
    return {};
}

QString writeFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &produce)
{
    return writeFileAtomically(path, produce, [](int fd, const void *data, size_t size) { return ::write(fd, data, size); });
}

QString writeFileAtomically(const QString &path, QByteArrayView bytes)
{
    return writeFileAtomically(path, [bytes](QIODevice &dev) {
        return dev.write(bytes.data(), bytes.size()) == bytes.size();
    });
}

} // namespace corvane
