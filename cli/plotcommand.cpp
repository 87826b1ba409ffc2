// corvane-cli plot: the viewer's chart for a selection, rendered offscreen.
#include "charts/bmpexport.h"
#include "charts/curvechart.h"
#include "charts/viewdraw.h"
#include "charts/viewersession.h"
#include "cli/clidata.h"
#include "cli/commands.h"
#include "cli/plotcommand.h"
#include "cli/plotsize.h"
#include "cli/plotview.h"
#include "data/record.h"
#include "data/recordtext.h"

#include <QFileInfo>

#include <algorithm>

namespace corvane::cli {

namespace {

// "All AL OJIP" is entry 0; the numbered entries run from 1 to Total - 1.
QString parseSection(const QString &text, const RecordHeader &h, int &section)
{
    if (text.isEmpty() || text == QLatin1String("All AL OJIP")) {
        section = 0;
        return {};
    }
    bool ok = false;
    section = text.toInt(&ok);
    if (!ok || section < 1 || section >= int(h.Total()))
        return QStringLiteral("--al: the record offers \"All AL OJIP\" and 1 to %1, not '%2'").arg(int(h.Total()) - 1).arg(text);
    return {};
}

// The plan of the next event, drawn after the ones before it.
void then(DrawPlan &plan, const DrawPlan &next)
{
    plan.insert(plan.end(), next.begin(), next.end());
}

} // namespace

int runPlot(const ParsedArgs &args)
{
    if (args.has(QStringLiteral("--view")) || args.has(QStringLiteral("--control")))
        return runPlotView(args);
    const QString out = args.value(QStringLiteral("-o"));
    const QString ext = QFileInfo(out).suffix().toLower();
    if (out.isEmpty() || (ext != QLatin1String("bmp") && ext != QLatin1String("png")))
        return fail(2, QStringLiteral("plot needs -o OUT.bmp or -o OUT.png"));
    QSize size = kDesignedChartSize;
    if (args.has(QStringLiteral("--size")))
        if (QString e = parsePictureSize(args.value(QStringLiteral("--size")), size); !e.isEmpty())
            return fail(2, e);
    if (args.has(QStringLiteral("--al")) && !args.has(QStringLiteral("--record")))
        return fail(2, QStringLiteral("--al needs --record N"));

    LoadedData data;
    if (QString e = loadForCli(args.file, data); !e.isEmpty())
        return fail(1, e);
    Measurements &state = *data.state;
    // The viewer's rules, driven as the window's handlers drive them.
    ViewerSession session(state.MeasurementBuffer, state.RecordIndex);

    int record = -1;
    if (args.has(QStringLiteral("--record"))) {
        bool ok = false;
        record = args.value(QStringLiteral("--record")).toInt(&ok) - 1;
        if (!ok || record < 0 || record >= data.listed)
            return fail(2, QStringLiteral("--record: line %1 does not exist (the file lists %2)")
                               .arg(args.value(QStringLiteral("--record")))
                               .arg(data.listed));
    }
    // Ticked lines: --select, else the record alone, else every line.
    std::vector<int> lines;
    const bool selectGiven = args.has(QStringLiteral("--select"));
    if (!selectGiven && record >= 0)
        lines = {record};
    else if (QString e = selectLines(args.value(QStringLiteral("--select")), selectGiven, data.listed, lines); !e.isEmpty())
        return fail(2, e);
    const auto chosen = std::find(lines.begin(), lines.end(), record);
    if (record >= 0 && chosen == lines.end())
        return fail(2, QStringLiteral("--record: line %1 is not among the --select lines").arg(record + 1));

    // Ticked one by one in list order, as the viewer's user would, taking its colours.
    const MeasurementBuffer &buffer = state.MeasurementBuffer;
    std::vector<TickedLine> tickedLines;
    for (int line : lines)
        tickedLines.push_back({line, listLineText(RecordHeader(buffer, state.RecordIndex[size_t(line)].offset))});
    DrawPlan plan = session.tickedInOrder(tickedLines);
    std::vector<RecordEntry> ticked;  // with the colours the ticks gave them
    for (int line : lines)
        ticked.push_back(state.RecordIndex[size_t(line)]);
    if (record >= 0) {
        // The file selector lists "All First OJIP" and then the ticked lines.
        const int fnIndex = int(chosen - lines.begin()) + 1;
        then(plan, session.lineChosen(fnIndex, record));
        if (args.has(QStringLiteral("--al"))) {
            const RecordHeader h(buffer, session.CurrentRecord);
            // The actinic-light radio button is there only when the viewer enables it.
            const bool hasActinic = session.controls().actinicEnabled;
            const ActinicView view = hasActinic ? ViewerSession::actinicView(h) : ActinicView::None;
            const QString sectionText = args.value(QStringLiteral("--al"));
            if (view == ActinicView::TimeCourse && sectionText.isEmpty()) {
                then(plan, session.actinicClicked());
            } else if (view == ActinicView::Sections) {
                int section = 0;
                if (QString e = parseSection(sectionText, h, section); !e.isEmpty())
                    return fail(2, e);
                then(plan, session.actinicClicked());
                if (section > 0)
                    then(plan, session.sectionChosen(section));
            } else if (hasActinic) {
                return fail(2, QStringLiteral("--al: a pulse-transient record has one time course and no sections"));
            } else {
                return fail(2, QStringLiteral("--al: line %1 has no actinic-light curves").arg(record + 1));
            }
        }
    }

    CurveChart chart;
    chart.resize(size);
    chart.model().createCurvePool();
    drawPlan(chart.model(), buffer, ticked, plan);
    const QByteArray bytes = pictureBytes(chart.renderImage(), out);
    if (bytes.isEmpty())
        return fail(1, QStringLiteral("%1: the picture could not be encoded").arg(out));
    if (QString e = writeOutput(out, bytes); !e.isEmpty())
        return fail(1, e);
    warnLeftOut(args.file, data);
    return 0;
}

} // namespace corvane::cli
