#pragma once
// One function per corvane-cli command (plot's is in plotcommand.h). Each returns the
// exit status: 0 done, 1 the file could not be read or written, 2 a usage error.
#include "cli/cliargs.h"

namespace corvane::cli {

// What the application object a command starts is given; Qt keeps both for its lifetime.
struct AppArgs
{
    int &argc;
    char **argv;
};

struct Command
{
    const char *name;
    const char *usage;
    std::vector<OptionSpec> options;
    // Starts the application object the command needs, unless the process has one.
    int (*run)(AppArgs app, const ParsedArgs &args);
    bool manyFiles = false;  // takes several data files in one call
};

int runList(const ParsedArgs &args);
int runRaw(const ParsedArgs &args);
int runP700(const ParsedArgs &args);
int runTable(const ParsedArgs &args);
int runJip(const ParsedArgs &args);
int runCurves(const ParsedArgs &args);

// Runs `command` under a QCoreApplication, or under the process's application when
// there is one. The application sets the process locale from the environment, which
// the system's error texts follow.
int runUnderCoreApplication(AppArgs app, int (*command)(const ParsedArgs &), const ParsedArgs &args);

// The entry of a command that needs no more than Qt Core.
template <int (*command)(const ParsedArgs &)>
int coreMain(AppArgs app, const ParsedArgs &args)
{
    return runUnderCoreApplication(app, command, args);
}

// Prints a message to stderr and returns `status`.
int fail(int status, const QString &message);

} // namespace corvane::cli
