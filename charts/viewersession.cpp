#include "charts/viewersession.h"

namespace corvane {

uint32_t ViewerSession::tickChanged(RecordIndex &index, int line, bool ticked)
{
    if (line < 0 || line >= kMaxListed)
        return 0;
    const uint32_t colour = ticked ? nextTickColour(m_tickColourState) : 0;
    index[size_t(line)].colour = colour;
    return colour;
}

QStringList ViewerSession::selectorEntries(const QStringList &tickedTexts)
{
    QStringList names{QStringLiteral("All First OJIP")};
    names.reserve(tickedTexts.size() + 1);
    names += tickedTexts;
    return names;
}

void ViewerSession::chooseRecord(const RecordIndex &index, int line, const QString &text)
{
    if (line < 0 || line >= kMaxListed)
        return;
    CurrentRecordName = text;
    CurrentRecord = index[size_t(line)].offset;
}

RecordControls ViewerSession::controlsFor(const RecordHeader &h)
{
    if (!h.isHeader())
        return {};
    return {h.Kind() != Kind::Ojip && h.hasActinicArea(), h.Kind() == Kind::PostSteadyState};
}

ActinicView ViewerSession::actinicView(const RecordHeader &h)
{
    if (!h.isHeader())
        return ActinicView::None;
    switch (h.Kind()) {
    case Kind::PulseTransient: return ActinicView::TimeCourse;
    case Kind::PostSteadyState: return ActinicView::Sections;
    default: return ActinicView::None;
    }
}

QStringList ViewerSession::actinicSelectorEntries(const RecordHeader &h)
{
    QStringList entries{QStringLiteral("All AL OJIP")};
    for (int i = 1; i < int(h.Total()); ++i)
        entries << QString::number(i);
    return entries;
}

} // namespace corvane
