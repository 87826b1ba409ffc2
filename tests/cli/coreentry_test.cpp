// The data commands built against the command library alone: this program links no
// chart library, so a data command that came to need one would stop it linking.
#include "cli/commands.h"
#include "sim/synthetic.h"

#include "support/clirun.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace corvane;
using namespace corvane::test;

TEST(CliCoreEntry, DataCommandsWriteInProcessWhatTheProgramWrites)
{
    QTemporaryDir dir;
    const QString demo = writeTemp(dir, QStringLiteral("demo.bin"), demoData().file());
    const struct
    {
        const char *command;
        int (*entry)(cli::AppArgs, const cli::ParsedArgs &);
        std::vector<cli::OptionSpec> options;
        QStringList extra;
        bool manyFiles = false;
    } cases[] = {
        {"list", cli::coreMain<cli::runList>, {{"-o"}}, {}},
        {"raw", cli::coreMain<cli::runRaw>, {{"--format"}, {"-o"}}, {"--format", "csv"}},
        {"p700", cli::coreMain<cli::runP700>, {{"--record"}, {"-o"}}, {"--record", "6"}},
        {"table", cli::coreMain<cli::runTable>, {{"-o"}}, {}},
        {"jip", cli::coreMain<cli::runJip>, {{"--format"}, {"-o"}}, {"--format", "long"}, true},
        {"curves", cli::coreMain<cli::runCurves>, {{"--normalise"}, {"-o"}}, {"--normalise", "vt"}, true},
    };
    char name[] = "corvane-cli";
    char *argv[] = {name, nullptr};
    int argc = 1;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.command);
        const QString inProcess = dir.filePath(QStringLiteral("in-") + QLatin1String(c.command));
        const QString program = dir.filePath(QStringLiteral("cli-") + QLatin1String(c.command));
        cli::ParsedArgs parsed;
        ASSERT_EQ(cli::parseArgs(QStringList{demo} + c.extra + QStringList{QStringLiteral("-o"), inProcess}, c.options,
                                 parsed, c.manyFiles),
                  QString());
        ASSERT_EQ(c.entry(cli::AppArgs{argc, argv}, parsed), 0);
        const CliRun r = runCli(QStringList{QLatin1String(c.command), demo} + c.extra + QStringList{QStringLiteral("-o"), program});
        ASSERT_EQ(r.status, 0) << r.err.constData();
        const QByteArray written = readFile(inProcess);
        EXPECT_FALSE(written.isEmpty());
        EXPECT_EQ(written, readFile(program));
    }
}
