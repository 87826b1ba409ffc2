#include "ui/hinttiming.h"

#include <QApplication>
#include <QProxyStyle>

namespace corvane {

namespace {

HintTiming g_timing;

// Qt takes the tooltip delays from the style, so the timing rides on a proxy of the
// current style and changes nothing else about the look.
class HintTimingStyle : public QProxyStyle
{
public:
    explicit HintTimingStyle(const QString &baseKey) : QProxyStyle(baseKey) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return g_timing.pauseMs;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return g_timing.shortPauseMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void setHintTiming(const HintTiming &timing)
{
    g_timing = timing;
    if (!dynamic_cast<HintTimingStyle *>(QApplication::style()))
        QApplication::setStyle(new HintTimingStyle(QApplication::style()->name()));
}

const HintTiming &hintTiming()
{
    return g_timing;
}

} // namespace corvane
