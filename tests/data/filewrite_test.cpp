#include "data/filewrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace corvane;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writePlain(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList tempFilesIn(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList({QStringLiteral("*") + QLatin1String(kTempFileTag) + QStringLiteral("*")},
                                      QDir::Files | QDir::Hidden);
}

mode_t fileType(const QString &path)
{
    struct stat st{};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

std::function<bool(QIODevice &)> writing(const QByteArray &bytes)
{
    return [bytes](QIODevice &dev) { return dev.write(bytes) == bytes.size(); };
}

} // namespace

TEST(FileWrite, ReplacesARegularFileAndKeepsItsMode)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    writePlain(path, "old contents that are longer");
    ::chmod(QFile::encodeName(path).constData(), 0640);
    EXPECT_EQ(writeFileAtomically(path, QByteArrayView("new")), QString());
    EXPECT_EQ(readAll(path), QByteArray("new"));
    struct stat st{};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_TRUE(tempFilesIn(dir).isEmpty());
}

TEST(FileWrite, ALinkStaysALinkAndItsTargetIsReplaced)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("real.csv"));
    const QString link = dir.filePath(QStringLiteral("link.csv"));
    writePlain(target, "old");
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_EQ(writeFileAtomically(link, QByteArrayView("new")), QString());
    EXPECT_EQ(fileType(link), mode_t(S_IFLNK));
    EXPECT_EQ(readAll(target), QByteArray("new"));
}

// A device node or a FIFO must survive being named as the output.
TEST(FileWrite, SpecialFilesAreWrittenInPlace)
{
    EXPECT_EQ(writeFileAtomically(QStringLiteral("/dev/null"), QByteArrayView("discarded")), QString());
    EXPECT_EQ(fileType(QStringLiteral("/dev/null")), mode_t(S_IFCHR));

    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] {
        QFile f(fifo);
        if (f.open(QIODevice::ReadOnly))
            received = f.readAll();
    });
    const QByteArray sent(200000, 'x');  // more than a pipe holds at once
    EXPECT_EQ(writeFileAtomically(fifo, QByteArrayView(sent)), QString());
    reader.join();
    EXPECT_EQ(received, sent);
    EXPECT_EQ(fileType(fifo), mode_t(S_IFIFO));
    EXPECT_TRUE(tempFilesIn(dir).isEmpty());
}

// A reader that stops early makes the write fail; the program goes on.
TEST(FileWrite, AFifoClosedByItsReaderFailsTheWrite)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    std::thread reader([&] {
        const int fd = ::open(QFile::encodeName(fifo).constData(), O_RDONLY);
        char c;
        (void)!::read(fd, &c, 1);
        ::close(fd);
    });
    const QByteArray sent(4 << 20, 'x');
    const QString error = writeFileAtomically(fifo, QByteArrayView(sent));
    reader.join();
    EXPECT_EQ(error, QStringLiteral("无法写入文件 pipe：Broken pipe"));
    EXPECT_EQ(fileType(fifo), mode_t(S_IFIFO));
}

struct FullDiskCase
{
    const char *name;
    qint64 acceptedBefore;  // bytes the disk takes before it is full
    int error;
    const char *reason;
};

TEST(FileWrite, AFullDiskIsNamedAndTheOldFileKept)
{
    const FullDiskCase cases[] = {
        {"short write, then ENOSPC", 1000, ENOSPC, "磁盘已满"},
        {"nothing written", 0, ENOSPC, "磁盘已满"},
        {"quota", 10, EDQUOT, "磁盘配额已用完"},
        {"input/output error", 10, EIO, "Input/output error"},
    };
    for (const FullDiskCase &c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.csv"));
        writePlain(path, "the old file");
        qint64 room = c.acceptedBefore;
        const WriteCall fullDisk = [&](int fd, const void *data, size_t size) -> ssize_t {
            if (room == 0) {
                errno = c.error;
                return -1;
            }
            const size_t n = std::min<size_t>(size, size_t(room));
            room -= qint64(n);
            return ::write(fd, data, n);
        };
        const QString error = writeFileAtomically(path, writing(QByteArray(5000, 'n')), fullDisk);
        EXPECT_EQ(error, QStringLiteral("无法写入文件 old.csv：") + QString::fromUtf8(c.reason));
        EXPECT_EQ(readAll(path), QByteArray("the old file"));
        EXPECT_TRUE(tempFilesIn(dir).isEmpty());
    }
    // A real device that is always full.
    EXPECT_EQ(writeFileAtomically(QStringLiteral("/dev/full"), QByteArrayView("x")),
              QStringLiteral("无法写入文件 full：磁盘已满"));
}

// What a killed write leaves behind is removed by the next write of the same target;
// one that a live writer still holds, and those of other targets, are left alone.
TEST(FileWrite, StaleTemporaryFilesAreRemoved)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    const QString stale = dir.filePath(QStringLiteral(".out.csv") + QLatin1String(kTempFileTag) + QStringLiteral("k1ll3d"));
    const QString busy = dir.filePath(QStringLiteral(".out.csv") + QLatin1String(kTempFileTag) + QStringLiteral("w0rk1n"));
    const QString other = dir.filePath(QStringLiteral(".other.csv") + QLatin1String(kTempFileTag) + QStringLiteral("k1ll3d"));
    writePlain(stale, "half a file");
    writePlain(busy, "being written");
    writePlain(other, "half of another");
    const int held = ::open(QFile::encodeName(busy).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    EXPECT_EQ(writeFileAtomically(path, QByteArrayView("new")), QString());
    EXPECT_FALSE(QFileInfo::exists(stale));
    EXPECT_TRUE(QFileInfo::exists(busy));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_EQ(readAll(path), QByteArray("new"));
    ::close(held);

    EXPECT_TRUE(isTempFileOf(QStringLiteral(".out.csv.corvane-tmp-abc"), QStringLiteral("out.csv")));
    EXPECT_FALSE(isTempFileOf(QStringLiteral(".out.csv.corvane-tmp-"), QStringLiteral("out.csv")));
    EXPECT_FALSE(isTempFileOf(QStringLiteral("out.csv.corvane-tmp-abc"), QStringLiteral("out.csv")));
}

TEST(FileWrite, FailuresNameTheFile)
{
    QTemporaryDir dir;
    EXPECT_EQ(writeFileAtomically(dir.filePath(QStringLiteral("no/such/folder.csv")), QByteArrayView("x")),
              QStringLiteral("无法写入文件 folder.csv：No such file or directory"));
    EXPECT_EQ(writeFileAtomically(dir.path(), QByteArrayView("x")),
              QStringLiteral("无法写入文件 %1：Is a directory").arg(QFileInfo(dir.path()).fileName()));
    const QString path = dir.filePath(QStringLiteral("kept.csv"));
    writePlain(path, "kept");
    EXPECT_FALSE(writeFileAtomically(path, [](QIODevice &dev) { dev.write("partial"); return false; }).isEmpty());
    EXPECT_EQ(readAll(path), QByteArray("kept"));
    EXPECT_TRUE(tempFilesIn(dir).isEmpty());
}
