// The command entries called inside a process that already runs an application, as a
// host program or a test would: they draw and write under it and start no second one.
#include "cli/commands.h"
#include "cli/plotcommand.h"
#include "sim/synthetic.h"

#include "support/clirun.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

TEST(CliEntry, RunsUnderTheProcessApplicationAsTheProgramDoes)
{
    QTemporaryDir dir;
    const QString demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    struct Case
    {
        const char *command;
        int (*entry)(cli::AppArgs, const cli::ParsedArgs &);
        std::vector<cli::OptionSpec> options;
        QStringList extra;
        const char *out;
    } cases[] = {
        {"plot", cli::plotMain, {{"--record"}, {"-o"}}, {"--record", "4"}, "rec.png"},
        {"plot", cli::plotMain, {{"--view"}, {"-o"}}, {"--view", "vt"}, "vt.svg"},
        {"table", cli::coreMain<cli::runTable>, {{"-o"}}, {}, "table.csv"},
    };
    char name[] = "corvane-cli";
    char *argv[] = {name, nullptr};
    int argc = 1;
    QCoreApplication *const app = QCoreApplication::instance();
    for (const Case &c : cases) {
        const QString inProcess = dir.filePath(QStringLiteral("in-") + QLatin1String(c.out));
        const QString program = dir.filePath(QStringLiteral("cli-") + QLatin1String(c.out));
        cli::ParsedArgs parsed;
        ASSERT_EQ(cli::parseArgs(QStringList{demo} + c.extra + QStringList{QStringLiteral("-o"), inProcess}, c.options,
                                 parsed),
                  QString());
        EXPECT_EQ(c.entry(cli::AppArgs{argc, argv}, parsed), 0) << c.out;
        EXPECT_EQ(QCoreApplication::instance(), app) << c.out << ": the entry replaced the process's application";

        const CliRun r =
            runCli(QStringList{QLatin1String(c.command), demo} + c.extra + QStringList{QStringLiteral("-o"), program});
        ASSERT_EQ(r.status, 0) << c.out << ": " << r.err.constData();
        QFile a(inProcess), b(program);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly)) << c.out;
        ASSERT_TRUE(b.open(QIODevice::ReadOnly)) << c.out;
        EXPECT_EQ(a.readAll(), b.readAll()) << c.out;
    }
}
