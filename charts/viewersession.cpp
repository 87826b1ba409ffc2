#include "charts/viewersession.h"

#include <algorithm>

namespace corvane {

void ViewerSession::listRebuilt()
{
    ViewControls &c = m_controls;
    c.fileEnabled = false;
    c.fileIndex = -1;
    c.ojipEnabled = false;
    c.sectionIndex = -1;
    c.sectionShown = false;
    c.actinicEnabled = false;
    c.p700Shown = false;
}

TickUpdate ViewerSession::tickChanged(int line, bool ticked, const std::vector<TickedLine> &tickedLines)
{
    TickUpdate update;
    if (line >= 0 && line < kMaxListed) {
        update.coloured = true;
        update.colour = tickColour(line, ticked);
    }
    update.draw = offerTicked(tickedLines);
    return update;
}

DrawPlan ViewerSession::tickedInOrder(const std::vector<TickedLine> &lines)
{
    for (const TickedLine &t : lines)
        tickColour(t.line, true);
    return offerTicked(lines);
}

DrawPlan ViewerSession::offerTicked(const std::vector<TickedLine> &tickedLines)
{
    DrawPlan plan;
    // After a tick change nothing is chosen: the view controls wait for the selector.
    ViewControls &c = m_controls;
    c.fileEnabled = false;
    c.ojipEnabled = false;
    c.actinicEnabled = false;
    c.actinicChecked = false;
    c.sectionShown = false;
    c.p700Shown = false;

    m_offeredLines.clear();
    QStringList texts;
    texts.reserve(qsizetype(tickedLines.size()));
    for (const TickedLine &t : tickedLines) {
        m_offeredLines.push_back(t.line);
        texts << t.text;
    }
    c.fileEntries = selectorEntries(texts);
    c.fileIndex = -1;
    if (!tickedLines.empty()) {
        c.ojipEnabled = true;
        // Checking the OJIP button shows its view at once, before the selector has a choice.
        if (!c.ojipChecked)
            showOjip(plan);
        c.fileEnabled = true;
        c.fileIndex = 0;
    }
    plan.push_back(selection());
    return plan;
}

DrawPlan ViewerSession::fileChosen(int entry)
{
    // The first ticked line with the entry's text, as lines may share one.
    int line = -1;
    if (entry > 0 && entry < m_controls.fileEntries.size()) {
        const QStringList &entries = m_controls.fileEntries;
        const auto first = std::find(entries.begin() + 1, entries.end(), entries[entry]);
        line = m_offeredLines[size_t(first - entries.begin() - 1)];
    }
    return lineChosen(entry, line);
}

DrawPlan ViewerSession::lineChosen(int entry, int line)
{
    DrawPlan plan;
    ViewControls &c = m_controls;
    c.fileIndex = entry;
    c.p700Shown = false;
    // Back to the OJIP view first when the actinic-light view was showing.
    if (!c.ojipChecked)
        showOjip(plan);
    c.actinicEnabled = false;
    c.actinicChecked = false;
    c.sectionShown = false;
    if (entry == 0) {
        plan.push_back(selection());
        return plan;
    }
    if (line < 0 || line >= kMaxListed || entry < 0 || entry >= c.fileEntries.size())
        return plan;
    chooseRecord(line, c.fileEntries[entry]);
    // The axes stay as the previous view left them.
    plan.push_back(curves(DrawMode::AllCurves));
    const RecordControls offered = controlsFor(currentHeader());
    if (offered.actinicEnabled) {
        c.actinicEnabled = true;
        c.sectionShown = false;
    }
    if (offered.p700Shown)
        c.p700Shown = true;
    return plan;
}

DrawPlan ViewerSession::ojipClicked()
{
    DrawPlan plan;
    showOjip(plan);
    return plan;
}

DrawPlan ViewerSession::actinicClicked()
{
    DrawPlan plan;
    ViewControls &c = m_controls;
    c.ojipChecked = false;
    c.actinicChecked = true;
    // The selector keeps the entries of the last record that had sections.
    c.sectionIndex = c.sectionEntries.isEmpty() ? -1 : 0;
    const RecordHeader h = currentHeader();
    switch (actinicView(h)) {
    case ActinicView::None:
        break;
    case ActinicView::TimeCourse:
        plan.push_back({.op = DrawStep::Op::TimeCourse, .record = CurrentRecord});
        break;
    case ActinicView::Sections:
        c.sectionShown = true;
        c.sectionEntries = actinicSelectorEntries(h);
        c.sectionIndex = 0;
        plan.push_back(
            {.op = DrawStep::Op::Axis, .axis = AxisMode::ActinicOjip, .fileIndex = c.fileIndex, .record = CurrentRecord});
        plan.push_back(curves(DrawMode::ActinicCurves));
        break;
    }
    return plan;
}

DrawPlan ViewerSession::sectionChosen(int entry)
{
    m_controls.sectionIndex = entry;
    return {curves(DrawMode::ActinicCurves)};
}

DrawPlan ViewerSession::selectionRedrawn() const
{
    return {selection()};
}

DrawStep ViewerSession::selection() const
{
    return {.op = DrawStep::Op::Selection, .fileIndex = m_controls.fileIndex, .record = CurrentRecord};
}

void ViewerSession::showOjip(DrawPlan &plan)
{
    ViewControls &c = m_controls;
    c.actinicChecked = false;
    c.sectionShown = false;
    c.ojipChecked = true;
    if (c.fileIndex != 0) {
        plan.push_back({.op = DrawStep::Op::Axis, .axis = AxisMode::Ojip, .fileIndex = c.fileIndex, .record = CurrentRecord});
        plan.push_back(curves(DrawMode::AllCurves));
    } else {
        plan.push_back(selection());
    }
}

// Every view of one record starts in pool series 0 in red.
DrawStep ViewerSession::curves(DrawMode mode) const
{
    return {.op = DrawStep::Op::Curves, .mode = mode, .record = CurrentRecord, .section = m_controls.sectionIndex};
}

uint32_t ViewerSession::tickColour(int line, bool ticked)
{
    if (line < 0 || line >= kMaxListed)
        return 0;
    const uint32_t colour = ticked ? nextTickColour(m_tickColourState) : 0;
    m_index[size_t(line)].colour = colour;
    return colour;
}

QStringList ViewerSession::selectorEntries(const QStringList &tickedTexts)
{
    QStringList names{QStringLiteral("All First OJIP")};
    names.reserve(tickedTexts.size() + 1);
    names += tickedTexts;
    return names;
}

void ViewerSession::chooseRecord(int line, const QString &text)
{
    if (line < 0 || line >= kMaxListed)
        return;
    CurrentRecordName = text;
    CurrentRecord = m_index[size_t(line)].offset;
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
