#pragma once
// Loading a data file the way the viewer does, and the selection and output rules
// every command shares.
#include "data/appstate.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <vector>

namespace corvane::cli {

struct LoadedData
{
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    int listed = 0;
    int leftOut = 0;
};

// Loads the file and builds the list (so version-0 FrTime is converted once).
// A file larger than the buffer is read in part, with a warning on stderr.
// Returns an error text naming the file and the reason.
QString loadForCli(const QString &path, LoadedData &out);

// Warns on stderr when the list left measurements out (past the 9999th).
void warnLeftOut(const QString &path, const LoadedData &data);

// Lines (from 1) to list indexes (from 0), in list order whatever the order given.
// Default (selectText empty): every listed line.
QString selectLines(const QString &selectText, bool given, int listed, std::vector<int> &indexes);

// Writes to `path` atomically, or to stdout when it is empty. Error text on failure.
QString writeOutput(const QString &path, const QByteArray &bytes);

} // namespace corvane::cli
