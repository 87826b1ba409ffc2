#pragma once
// corvane-cli plot --view vt|dvt|radar: the JIP page's pictures without a display.
#include "cli/cliargs.h"

namespace corvane::cli {

int runPlotView(const ParsedArgs &args);

} // namespace corvane::cli
