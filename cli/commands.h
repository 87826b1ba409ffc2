#pragma once
// One function per corvane-cli command. Each returns the exit status: 0 done,
// 1 the file could not be read or written, 2 a usage error.
#include "cli/cliargs.h"

namespace corvane::cli {

struct Command
{
    const char *name;
    const char *usage;
    std::vector<OptionSpec> options;
    int (*run)(const ParsedArgs &args);
    bool gui = false;  // renders pictures: runs under a QApplication (offscreen by default)
    bool manyFiles = false;  // takes several data files in one call
};

int runList(const ParsedArgs &args);
int runRaw(const ParsedArgs &args);
int runP700(const ParsedArgs &args);
int runTable(const ParsedArgs &args);
int runJip(const ParsedArgs &args);
int runCurves(const ParsedArgs &args);

// Prints a message to stderr and returns `status`.
int fail(int status, const QString &message);

} // namespace corvane::cli
