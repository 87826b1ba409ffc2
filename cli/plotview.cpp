// corvane-cli plot --view: the Vt / ΔVt chart or the radar plot of the selected lines,
// drawn as the JIP page draws them, PNG or SVG by the output's extension.
#include "cli/plotview.h"

#include "analysis/jipcomparison.h"
#include "charts/chartmodel.h"
#include "charts/picturefile.h"
#include "charts/radarchart.h"
#include "charts/vtchart.h"
#include "cli/clidata.h"
#include "cli/commands.h"
#include "cli/plotsize.h"
#include "data/record.h"
#include "data/recordtext.h"
#include "data/tickcolour.h"


#include <algorithm>

namespace corvane::cli {

namespace {

enum class View { Vt, DeltaVt, Radar };

} // namespace

int runPlotView(const ParsedArgs &args)
{
    if (!args.has(QStringLiteral("--view")))
        return fail(2, QStringLiteral("--control compares the JIP pictures: it needs --view dvt or --view radar"));
    const QString viewText = args.value(QStringLiteral("--view"));
    View view;
    if (viewText == QLatin1String("vt"))
        view = View::Vt;
    else if (viewText == QLatin1String("dvt"))
        view = View::DeltaVt;
    else if (viewText == QLatin1String("radar"))
        view = View::Radar;
    else
        return fail(2, QStringLiteral("--view is vt, dvt or radar, not '%1'").arg(viewText));
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || pictureTypeOf(out) == PictureType::Unknown)
        return fail(2, QStringLiteral("plot --view needs -o OUT.png or -o OUT.svg"));
    if (args.has(QStringLiteral("--record")) || args.has(QStringLiteral("--al")))
        return fail(2, QStringLiteral("--view draws the ticked lines: it takes --select and --control, not --record or --al"));
    if (view != View::Vt && !args.has(QStringLiteral("--control")))
        return fail(2, QStringLiteral("--view %1 compares with a control: give --control N").arg(viewText));
    QSize size = kDesignedChartSize;
    if (args.has(QStringLiteral("--size")))
        if (QString e = parsePictureSize(args.value(QStringLiteral("--size")), size); !e.isEmpty())
            return fail(2, e);

    LoadedData data;
    if (QString e = loadForCli(args.file, data); !e.isEmpty())
        return fail(1, e);
    Measurements &state = *data.state;

    std::vector<int> lines;
    if (QString e = selectLines(args.value(QStringLiteral("--select")), args.has(QStringLiteral("--select")), data.listed, lines);
        !e.isEmpty())
        return fail(2, e);
    // The page shows what the chart can: the first 61 ticked lines.
    if (lines.size() > size_t(kCurvePoolSize)) {
        fail(0, QStringLiteral("--view draws the first %1 of the %2 selected lines").arg(kCurvePoolSize).arg(lines.size()));
        lines.resize(size_t(kCurvePoolSize));
    }
    int control = -1;
    if (args.has(QStringLiteral("--control"))) {
        const QString text = args.value(QStringLiteral("--control"));
        bool ok = false;
        const int line = text.toInt(&ok) - 1;
        if (!ok || line < 0 || line >= data.listed)
            return fail(2, QStringLiteral("--control: line %1 does not exist (the file lists %2)").arg(text).arg(data.listed));
        const auto at = std::find(lines.begin(), lines.end(), line);
        if (at == lines.end())
            return fail(2, QStringLiteral("--control: line %1 is not among the drawn lines (--select)").arg(text));
        control = int(at - lines.begin());
    }

    // Colours as the viewer gives them when the lines are ticked one by one in list order.
    uint32_t colourState = kTickColourSeed;
    for (int line : lines)
        state.RecordIndex[size_t(line)].colour = nextTickColour(colourState);
    JipComparison cmp;
    cmp.build(state.MeasurementBuffer, state.RecordIndex, lines);
    cmp.setControl(control);
    QString controlName;
    if (control >= 0)
        controlName = listLineText(RecordHeader(state.MeasurementBuffer, cmp.lines()[size_t(control)].offset));

    QString e;
    if (view == View::Radar) {
        RadarChart radar;
        radar.resize(size);
        radar.setPicture(radarPicture(cmp, QStringLiteral("相对于对照：%1").arg(controlName)));
        e = radar.save(out);
    } else {
        VtChart chart;
        chart.resize(size);
        const bool delta = view == View::DeltaVt;
        chart.showCurves(cmp, delta ? VtView::DeltaVt : VtView::Vt,
                         delta ? QStringLiteral("ΔVt（对照：%1）").arg(controlName) : QStringLiteral("Vt"));
        e = chart.save(out);
    }
    if (!e.isEmpty())
        return fail(1, e);
    warnLeftOut(args.file, data);
    return 0;
}

} // namespace corvane::cli
