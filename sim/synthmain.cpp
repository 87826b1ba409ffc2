// corvane-synth: writes synthetic data files for demos and benchmarks.
//   corvane-synth demo OUT.bin            a few records of each kind (samples/demo.bin)
//   corvane-synth bulk N OUT.bin          N records cycling through the three kinds
//   corvane-synth kind K OUT.bin          one record of Kind K (1, 2 or 3)
//   corvane-synth full OUT.bin            records filling all 32 768 blocks
//   add --no-header to write a version-0 file.
#include "data/filewrite.h"
#include "sim/synthetic.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool withHeader = !args.removeAll(QStringLiteral("--no-header"));
    corvane::DataBuilder data;
    QString out;
    if (args.size() == 2 && args[0] == QLatin1String("demo")) {
        data = corvane::demoData();
        out = args[1];
    } else if (args.size() == 3 && args[0] == QLatin1String("bulk") && args[1].toInt() > 0) {
        data = corvane::bulkData(args[1].toInt());
        out = args[2];
    } else if (args.size() == 3 && args[0] == QLatin1String("kind") && args[1].toInt() >= 1 && args[1].toInt() <= 3) {
        data = corvane::singleRecordData(args[1].toInt());
        out = args[2];
    } else if (args.size() == 2 && args[0] == QLatin1String("full")) {
        data = corvane::fullBufferData();
        out = args[1];
    } else {
        std::fputs("usage: corvane-synth demo OUT.bin | bulk N OUT.bin | kind K OUT.bin | full OUT.bin [--no-header]\n",
                   stderr);
        return 2;
    }
    const QString error = corvane::writeFileAtomically(out, data.file(withHeader));
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
