#pragma once
// Runs the built corvane-cli and collects what it printed.
#include <QFile>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace corvane::test {

struct CliRun
{
    int status = -1;
    QByteArray out, err;
};

inline CliRun runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(CORVANE_CLI_PATH), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

inline QString writeTemp(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

} // namespace corvane::test
