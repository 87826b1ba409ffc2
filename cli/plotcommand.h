#pragma once
// corvane-cli plot: the viewer's chart or a JIP picture, drawn with widgets offscreen.
#include "cli/commands.h"

namespace corvane::cli {

int runPlot(const ParsedArgs &args);

// The command's entry: runs runPlot under a QApplication, on the offscreen platform
// unless QT_QPA_PLATFORM names another, or under the process's application when there
// is one (a second application object is not allowed).
int plotMain(AppArgs app, const ParsedArgs &args);

} // namespace corvane::cli
