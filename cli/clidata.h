#pragma once
// Loading a data file the way the viewer does, and the selection and output rules
// every command shares.
#include "data/measurementbuffer.h"
#include "data/recordindex.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace corvane::cli {

// What a command reads from one data file: the buffer it loads into and the list built
// over it, as the viewer would hold them.
struct Measurements
{
    ::corvane::MeasurementBuffer MeasurementBuffer;
    uint32_t VersionMarker = 0;
    ::corvane::RecordIndex RecordIndex{};
};

struct LoadedData
{
    std::unique_ptr<Measurements> state = std::make_unique<Measurements>();
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

struct ParsedArgs;

// Loads each data file of args.files in turn and hands it with its selected list
// indexes to `visit`; --select applies only when a single file is given. Returns
// the exit status (0, 1 unreadable file, 2 usage error) having printed any message.
int forEachDataFile(const ParsedArgs &args,
                    const std::function<void(const QString &file, const Measurements &state, const std::vector<int> &lines)> &visit);

// Streams what `produce` writes to `path` atomically, or to stdout when `path` is empty
// or "-". When `produce` returns false nothing is kept at `path`.
QString writeOutputStream(const QString &path, const std::function<bool(QIODevice &)> &produce);

// Writes to `path` atomically, or to stdout when it is empty. Error text on failure.
QString writeOutput(const QString &path, const QByteArray &bytes);

} // namespace corvane::cli
