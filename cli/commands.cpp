#include "cli/commands.h"

#include <cstdio>

namespace corvane::cli {

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "corvane-cli: %s\n", message.toUtf8().constData());
    return status;
}

} // namespace corvane::cli
