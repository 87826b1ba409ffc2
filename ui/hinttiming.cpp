#include "ui/hinttiming.h"

#include <QApplication>
#include <QProxyStyle>

namespace corvane {

namespace {

// Qt takes the tooltip delays from the style, so the timing rides on a proxy of the
// current style and changes nothing else about the look.
class HintTimingStyle : public QProxyStyle
{
public:
    HintTimingStyle(const QString &baseKey, const HintTiming &timing) : QProxyStyle(baseKey), m_timing(timing) {}

    HintTiming m_timing;

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_ToolTip_WakeUpDelay)
            return m_timing.pauseMs;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return m_timing.shortPauseMs;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

// The timing lives in the application's style, so it ends with the application and
// no global outlives a test.
void setHintTiming(const HintTiming &timing)
{
    if (auto *style = dynamic_cast<HintTimingStyle *>(QApplication::style()))
        style->m_timing = timing;
    else
        QApplication::setStyle(new HintTimingStyle(QApplication::style()->name(), timing));
}

HintTiming hintTiming()
{
    if (const auto *style = dynamic_cast<const HintTimingStyle *>(QApplication::style()))
        return style->m_timing;
    return HintTiming{};
}

} // namespace corvane
