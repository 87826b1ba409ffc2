// Where the commands write, what they say about data they leave out, and what a
// killed write leaves behind.
#include "data/filewrite.h"
#include "sim/databuilder.h"
#include "sim/synthetic.h"

#include "support/clirun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <thread>

using namespace corvane;
using namespace corvane::test;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList tempFilesIn(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*") + QLatin1String(kTempFileTag) + QStringLiteral("*")},
                               QDir::Files | QDir::Hidden);
}

struct OutputCase
{
    const char *name;
    QStringList args;  // the file and -o follow
    const char *outName;
};

const OutputCase kOutputs[] = {
    {"list", {QStringLiteral("list")}, "list.txt"},
    {"table", {QStringLiteral("table")}, "table.csv"},
    {"raw csv", {QStringLiteral("raw"), QStringLiteral("--format"), QStringLiteral("csv")}, "raw.csv"},
    {"raw bin", {QStringLiteral("raw"), QStringLiteral("--format"), QStringLiteral("bin")}, "raw.bin"},
    {"p700", {QStringLiteral("p700"), QStringLiteral("--record"), QStringLiteral("LAST")}, "p700.csv"},
    {"plot", {QStringLiteral("plot"), QStringLiteral("--select"), QStringLiteral("1,2,3")}, "plot.png"},
};

QStringList withFile(QStringList args, const QString &file)
{
    args.insert(1, file);
    return args;
}

// What a command said on stderr, less what Qt itself says about the environment.
QByteArray ourMessages(const QByteArray &err)
{
    QByteArray ours;
    for (const QByteArray &line : err.split('\n'))
        if (line.startsWith("corvane-cli: "))
            ours += line + '\n';
    return ours;
}

} // namespace

// A FIFO's reader gets the output and the FIFO stays; "-o -" is standard output.
TEST(CliOutput, SpecialFilesAreWrittenInPlaceAndDashIsStandardOutput)
{
    QTemporaryDir dir;
    const QString data = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    const CliRun list = runCli({QStringLiteral("list"), data});
    // The last line of the demo is a post-steady-state measurement, which has P700 data.
    const QString lastLine = QString::number(list.out.count('\n'));
    for (OutputCase c : kOutputs) {
        SCOPED_TRACE(c.name);
        c.args.replaceInStrings(QStringLiteral("LAST"), lastLine);
        const QString regular = dir.filePath(QStringLiteral("regular-") + QString::fromLatin1(c.outName));
        const CliRun reference = runCli(withFile(c.args, data) << QStringLiteral("-o") << regular);
        ASSERT_EQ(reference.status, 0) << reference.err.constData();
        const QByteArray expected = readAll(regular);

        const QString fifo = dir.filePath(QStringLiteral("fifo-") + QString::fromLatin1(c.outName));
        ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QByteArray received;
        std::thread reader([&] {
            QFile f(fifo);
            if (f.open(QIODevice::ReadOnly))
                received = f.readAll();
        });
        const CliRun viaFifo = runCli(withFile(c.args, data) << QStringLiteral("-o") << fifo);
        reader.join();
        EXPECT_EQ(viaFifo.status, 0) << viaFifo.err.constData();
        EXPECT_EQ(received, expected);
        struct stat st{};
        ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode));

        if (c.args[0] != QLatin1String("plot")) {  // a picture needs a name saying its format
            const CliRun null = runCli(withFile(c.args, data) << QStringLiteral("-o") << QStringLiteral("/dev/null"));
            EXPECT_EQ(null.status, 0) << null.err.constData();
            ASSERT_EQ(::lstat("/dev/null", &st), 0);
            EXPECT_TRUE(S_ISCHR(st.st_mode));

            const CliRun dash = runCli(withFile(c.args, data) << QStringLiteral("-o") << QStringLiteral("-"));
            EXPECT_EQ(dash.status, 0) << dash.err.constData();
            EXPECT_EQ(dash.out, expected);
        }
    }
    EXPECT_TRUE(tempFilesIn(dir.path()).isEmpty());
}

TEST(CliOutput, AFullDiskIsNamed)
{
    QTemporaryDir dir;
    const QString data = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    const CliRun r = runCli({QStringLiteral("table"), data, QStringLiteral("-o"), QStringLiteral("/dev/full")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(QString::fromUtf8(r.err), QStringLiteral("corvane-cli: 无法写入文件 full：磁盘已满\n"));
}

// Every command says when it read only part of the file or listed only part of it.
TEST(CliOutput, DataLeftOutIsReportedOnStandardError)
{
    QTemporaryDir dir;
    DataBuilder big;
    HeaderFields h;
    h.Kind = 3;
    big.addHeader(h);
    for (uint32_t i = 1; i <= kBlockPositions; ++i)  // one block more than the instrument holds
        big.addBlock(kContinuationMarker);
    const QString bigFile = writeTemp(dir, QStringLiteral("big.bin"), big.file());
    DataBuilder many;
    for (int i = 0; i < 9999 + 2; ++i)
        many.addHeader(HeaderFields{});
    const QString manyFile = writeTemp(dir, QStringLiteral("many.bin"), many.file());
    const QString out = dir.filePath(QStringLiteral("out"));
    const QByteArray truncated = bigFile.toUtf8()
        + ": the file holds more than the instrument's 32768 blocks; the first 32768 blocks were read and the rest of "
          "the file was ignored\n";
    const QByteArray leftOut = manyFile.toUtf8() + ": 2 more measurements are not listed (at most 9999)\n";

    const QStringList commands[] = {
        {QStringLiteral("list")},
        {QStringLiteral("table")},
        {QStringLiteral("raw"), QStringLiteral("--format"), QStringLiteral("csv")},
        {QStringLiteral("raw"), QStringLiteral("--format"), QStringLiteral("bin")},
        {QStringLiteral("plot"), QStringLiteral("--size"), QStringLiteral("64x64")},
        {QStringLiteral("p700"), QStringLiteral("--record"), QStringLiteral("1")},
    };
    for (const QStringList &c : commands) {
        SCOPED_TRACE(c.join(' ').toStdString());
        const QString outFile = out + (c[0] == QLatin1String("plot") ? QStringLiteral(".png") : QStringLiteral(".csv"));
        const CliRun r = runCli(withFile(c, bigFile) << QStringLiteral("-o") << outFile);
        EXPECT_EQ(r.status, 0) << r.err.constData();
        EXPECT_EQ(ourMessages(r.err), "corvane-cli: " + truncated);
        if (c[0] == QLatin1String("p700"))
            continue;  // one record, counted from 1: never past the list
        const CliRun m = runCli(withFile(c, manyFile) << QStringLiteral("-o") << outFile);
        EXPECT_EQ(m.status, 0) << m.err.constData();
        EXPECT_EQ(ourMessages(m.err), "corvane-cli: " + leftOut);
    }
}

// SIGKILL in the middle of a large raw CSV over an existing file: the old file stays
// whole, and the next run is not disturbed by what the killed one left.
TEST(CliOutput, AKilledWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    DataBuilder b;
    HeaderFields h;
    h.Kind = 2;
    while (b.size() + 60 * kBlockSize <= kBufferSize) {
        b.addHeader(h);
        for (int i = 0; i < 59; ++i)
            b.addCurve({}, {});
    }
    const QString data = writeTemp(dir, QStringLiteral("large.bin"), b.file());
    const QString out = writeTemp(dir, QStringLiteral("out.csv"), "the old file\r\n");
    const QStringList args = {QStringLiteral("raw"), data, QStringLiteral("--format"), QStringLiteral("csv"),
                              QStringLiteral("-o"), out};

    bool killedMidWrite = false;
    for (int attempt = 0; attempt < 10 && !killedMidWrite; ++attempt) {
        QProcess p;
        p.start(QStringLiteral(CORVANE_CLI_PATH), args);
        ASSERT_TRUE(p.waitForStarted());
        // Killed as soon as its temporary file holds part of the output.
        QElapsedTimer clock;
        clock.start();
        while (p.state() == QProcess::Running && clock.elapsed() < 60000) {
            const QStringList temps = tempFilesIn(dir.path());
            if (!temps.isEmpty() && QFileInfo(dir.filePath(temps[0])).size() > 0) {
                ::kill(pid_t(p.processId()), SIGKILL);
                killedMidWrite = true;
                break;
            }
            QThread::usleep(200);
        }
        p.waitForFinished();
        ASSERT_EQ(readAll(out), QByteArray("the old file\r\n"));
    }
    ASSERT_TRUE(killedMidWrite) << "every run finished before it could be killed";
    EXPECT_FALSE(tempFilesIn(dir.path()).isEmpty()) << "the killed run's temporary file";

    const CliRun r = runCli(args);
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_GT(QFileInfo(out).size(), 10 * 1000 * 1000);
    EXPECT_TRUE(tempFilesIn(dir.path()).isEmpty()) << "stale temporary files are removed";
}
