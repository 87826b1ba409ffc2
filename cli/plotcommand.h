#pragma once
// corvane-cli plot: the viewer's chart or a JIP picture, drawn with widgets offscreen.
#include "cli/cliargs.h"

namespace corvane::cli {

int runPlot(const ParsedArgs &args);

} // namespace corvane::cli
