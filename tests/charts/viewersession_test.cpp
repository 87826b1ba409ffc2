// The viewer's rules without a window: what the controls offer for each kind of
// record, the selectors' entries and the colours ticks hand out.
#include "charts/viewersession.h"
#include "sim/databuilder.h"

#include <gtest/gtest.h>

using namespace corvane;

namespace {

struct OneRecord
{
    MeasurementBuffer buffer;
    explicit OneRecord(uint16_t kind, uint16_t ojipSeconds, uint16_t total = 3, bool header = true)
    {
        DataBuilder b;
        HeaderFields h;
        h.Kind = kind;
        h.OjipSeconds = ojipSeconds;
        h.Total = total;
        if (header)
            b.addHeader(h);
        else
            b.addCurve({});
        b.loadInto(buffer);
    }
    RecordHeader header() const { return RecordHeader(buffer, 0); }
};

} // namespace

TEST(ViewerSession, ControlsAndActinicViewFollowKindAndOjipSeconds)
{
    const struct
    {
        const char *what;
        uint16_t kind, ojipSeconds;
        bool header;
        bool actinicEnabled, p700Shown;
        ActinicView view;
    } cases[] = {
        {"OJIP", 1, 2, true, false, false, ActinicView::None},
        {"pulse-transient", 2, 1, true, true, false, ActinicView::TimeCourse},
        {"pulse-transient without actinic curves", 2, 0, true, false, false, ActinicView::TimeCourse},
        {"post-steady-state", 3, 2, true, true, true, ActinicView::Sections},
        {"post-steady-state without actinic area", 3, 0, true, false, true, ActinicView::Sections},
        {"invalid kind with OjipSeconds", 9, 1, true, true, false, ActinicView::None},
        {"no header block", 3, 2, false, false, false, ActinicView::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const OneRecord r(c.kind, c.ojipSeconds, 3, c.header);
        const RecordControls controls = ViewerSession::controlsFor(r.header());
        EXPECT_EQ(controls.actinicEnabled, c.actinicEnabled);
        EXPECT_EQ(controls.p700Shown, c.p700Shown);
        EXPECT_EQ(ViewerSession::actinicView(r.header()), c.view);
    }
}

TEST(ViewerSession, SelectorEntries)
{
    EXPECT_EQ(ViewerSession::selectorEntries({}), QStringList{QStringLiteral("All First OJIP")});
    EXPECT_EQ(ViewerSession::selectorEntries({QStringLiteral("A0001"), QStringLiteral("B0002")}),
              QStringList({QStringLiteral("All First OJIP"), QStringLiteral("A0001"), QStringLiteral("B0002")}));

    const struct
    {
        uint16_t total;
        QStringList entries;
    } cases[] = {
        {0, {QStringLiteral("All AL OJIP")}},
        {1, {QStringLiteral("All AL OJIP")}},
        {4, {QStringLiteral("All AL OJIP"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.total);
        EXPECT_EQ(ViewerSession::actinicSelectorEntries(OneRecord(3, 2, c.total).header()), c.entries);
    }
}

TEST(ViewerSession, TicksTakeTheNextColourAndUntickingClearsIt)
{
    MeasurementBuffer buffer;
    RecordIndex index{};
    ViewerSession session(buffer, index);
    uint32_t generator = kTickColourSeed;
    const uint32_t first = nextTickColour(generator);
    const uint32_t second = nextTickColour(generator);

    EXPECT_EQ(session.tickColour(4, true), first);
    EXPECT_EQ(index[4].colour, first);
    EXPECT_EQ(session.tickColour(4, false), 0u);
    EXPECT_EQ(index[4].colour, 0u);
    // Unticking draws no colour: the next tick gets the generator's next one.
    EXPECT_EQ(session.tickChanged(2, true, {{2, QStringLiteral("B")}}).colour, second);
    EXPECT_EQ(index[2].colour, second);
    EXPECT_FALSE(session.tickChanged(-1, true, {}).coloured);
    EXPECT_FALSE(session.tickChanged(kMaxListed, true, {}).coloured);
}

TEST(ViewerSession, ChoosingARecordMakesItCurrent)
{
    MeasurementBuffer buffer;
    RecordIndex index{};
    index[1].offset = 512;
    ViewerSession session(buffer, index);
    session.chooseRecord(1, QStringLiteral("B0002"));
    EXPECT_EQ(session.CurrentRecord, 512u);
    EXPECT_EQ(session.CurrentRecordName, QStringLiteral("B0002"));
    session.chooseRecord(kMaxListed, QStringLiteral("none"));
    EXPECT_EQ(session.CurrentRecord, 512u) << "a line outside the list changes nothing";
    EXPECT_EQ(session.CurrentRecordName, QStringLiteral("B0002"));
}

namespace {

// Four lines: an OJIP record, a pulse-transient one, a post-steady-state one with three
// sections, and a second post-steady-state one whose line reads like the first line.
struct FourLines
{
    MeasurementBuffer buffer;
    RecordIndex index{};
    const QStringList texts{QStringLiteral("A0001"), QStringLiteral("P0002"), QStringLiteral("S0003"),
                            QStringLiteral("A0001")};
    uint32_t offset[4] = {};

    FourLines()
    {
        DataBuilder b;
        const uint16_t kinds[4] = {1, 2, 3, 3};
        for (int i = 0; i < 4; ++i) {
            HeaderFields h;
            h.Kind = kinds[i];
            h.OjipSeconds = kinds[i] == 1 ? 1 : 2;
            h.Total = 4;
            offset[i] = b.addHeader(h);
            index[size_t(i)].offset = offset[i];
            b.addCurve({});
        }
        b.loadInto(buffer);
    }
};

// One viewer event; ticks carry the lines ticked after them, in list order.
struct Event
{
    enum Kind { Tick, Untick, File, Ojip, Actinic, Section, Rebuilt } kind;
    int arg = 0;
};

DrawStep selection(int fileIndex, uint32_t record)
{
    return {.op = DrawStep::Op::Selection, .fileIndex = fileIndex, .record = record};
}
DrawStep axis(AxisMode mode, int fileIndex, uint32_t record)
{
    return {.op = DrawStep::Op::Axis, .axis = mode, .fileIndex = fileIndex, .record = record};
}
DrawStep curves(DrawMode mode, uint32_t record, int section)
{
    return {.op = DrawStep::Op::Curves, .mode = mode, .record = record, .section = section};
}
DrawStep timeCourse(uint32_t record)
{
    return {.op = DrawStep::Op::TimeCourse, .record = record};
}

const QString kAll = QStringLiteral("All First OJIP");
const QStringList kSections{QStringLiteral("All AL OJIP"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};

} // namespace

// g++ 12 takes a designated initializer that leaves a class-type member to its default
// for a missing one; the cases name only the controls that differ from the defaults.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

// Each case runs its events on a new session and checks every control and the last
// event's drawing, as the window and the plot command apply them.
TEST(ViewerSession, ViewRules)
{
    const FourLines f;
    const uint32_t *o = f.offset;
    using E = Event;
    const struct
    {
        const char *what;
        std::vector<Event> events;
        ViewControls controls;
        DrawPlan draw;
    } cases[] = {
        {"the first tick opens the OJIP view before the selector has a choice",
         {{E::Tick, 0}},
         {.fileEntries = {kAll, "A0001"}, .fileIndex = 0, .fileEnabled = true, .ojipEnabled = true, .ojipChecked = true},
         {axis(AxisMode::Ojip, -1, 0), curves(DrawMode::AllCurves, 0, -1), selection(0, 0)}},
        {"a tick with the OJIP button checked redraws only the selection",
         {{E::Tick, 0}, {E::Tick, 1}},
         {.fileEntries = {kAll, "A0001", "P0002"}, .fileIndex = 0, .fileEnabled = true, .ojipEnabled = true, .ojipChecked = true},
         {selection(0, 0)}},
        {"unticking the last line leaves nothing to choose",
         {{E::Tick, 0}, {E::Untick, 0}},
         {.fileEntries = {kAll}, .ojipChecked = true},
         {selection(-1, 0)}},
        {"entry 0 shows the selection again",
         {{E::Tick, 0}, {E::Tick, 1}, {E::File, 2}, {E::File, 0}},
         {.fileEntries = {kAll, "A0001", "P0002"}, .fileIndex = 0, .fileEnabled = true, .ojipEnabled = true, .ojipChecked = true},
         {selection(0, o[1])}},
        {"an OJIP record offers no actinic-light view and no P700 export",
         {{E::Tick, 0}, {E::File, 1}},
         {.fileEntries = {kAll, "A0001"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true, .ojipChecked = true},
         {curves(DrawMode::AllCurves, o[0], -1)}},
        {"a pulse-transient record enables the actinic-light button; the axes stay",
         {{E::Tick, 0}, {E::Tick, 1}, {E::File, 2}},
         {.fileEntries = {kAll, "A0001", "P0002"}, .fileIndex = 2, .fileEnabled = true, .ojipEnabled = true,
          .ojipChecked = true, .actinicEnabled = true},
         {curves(DrawMode::AllCurves, o[1], -1)}},
        {"a post-steady-state record shows the P700 button too",
         {{E::Tick, 2}, {E::File, 1}},
         {.fileEntries = {kAll, "S0003"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true, .ojipChecked = true,
          .actinicEnabled = true, .p700Shown = true},
         {curves(DrawMode::AllCurves, o[2], -1)}},
        {"the actinic-light view of a pulse-transient record is its time course",
         {{E::Tick, 1}, {E::File, 1}, {E::Actinic}},
         {.fileEntries = {kAll, "P0002"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true,
          .actinicEnabled = true, .actinicChecked = true},
         {timeCourse(o[1])}},
        {"the actinic-light view of a post-steady-state record offers its sections",
         {{E::Tick, 2}, {E::File, 1}, {E::Actinic}},
         {.fileEntries = {kAll, "S0003"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true,
          .actinicEnabled = true, .actinicChecked = true, .sectionEntries = kSections, .sectionIndex = 0,
          .sectionShown = true, .p700Shown = true},
         {axis(AxisMode::ActinicOjip, 1, o[2]), curves(DrawMode::ActinicCurves, o[2], 0)}},
        {"a section choice draws that section",
         {{E::Tick, 2}, {E::File, 1}, {E::Actinic}, {E::Section, 2}},
         {.fileEntries = {kAll, "S0003"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true,
          .actinicEnabled = true, .actinicChecked = true, .sectionEntries = kSections, .sectionIndex = 2,
          .sectionShown = true, .p700Shown = true},
         {curves(DrawMode::ActinicCurves, o[2], 2)}},
        {"the OJIP button leaves the actinic-light view",
         {{E::Tick, 2}, {E::File, 1}, {E::Actinic}, {E::Ojip}},
         {.fileEntries = {kAll, "S0003"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true, .ojipChecked = true,
          .actinicEnabled = true, .sectionEntries = kSections, .sectionIndex = 0, .p700Shown = true},
         {axis(AxisMode::Ojip, 1, o[2]), curves(DrawMode::AllCurves, o[2], 0)}},
        {"a file choice from the actinic-light view returns to OJIP first",
         {{E::Tick, 1}, {E::Tick, 2}, {E::File, 2}, {E::Actinic}, {E::File, 1}},
         {.fileEntries = {kAll, "P0002", "S0003"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true,
          .ojipChecked = true, .actinicEnabled = true, .sectionEntries = kSections, .sectionIndex = 0},
         {axis(AxisMode::Ojip, 1, o[2]), curves(DrawMode::AllCurves, o[2], 0), curves(DrawMode::AllCurves, o[1], 0)}},
        {"the actinic-light button keeps the last sections, showing none for a time course",
         {{E::Tick, 1}, {E::Tick, 2}, {E::File, 2}, {E::Actinic}, {E::File, 1}, {E::Actinic}},
         {.fileEntries = {kAll, "P0002", "S0003"}, .fileIndex = 1, .fileEnabled = true, .ojipEnabled = true,
          .actinicEnabled = true, .actinicChecked = true, .sectionEntries = kSections, .sectionIndex = 0},
         {timeCourse(o[1])}},
        {"a tick resets a chosen view and reopens OJIP",
         {{E::Tick, 2}, {E::File, 1}, {E::Actinic}, {E::Tick, 0}},
         {.fileEntries = {kAll, "A0001", "S0003"}, .fileIndex = 0, .fileEnabled = true, .ojipEnabled = true,
          .ojipChecked = true, .sectionEntries = kSections, .sectionIndex = 0},
         {axis(AxisMode::Ojip, -1, o[2]), curves(DrawMode::AllCurves, o[2], 0), selection(0, o[2])}},
        {"a new list disables the selector, which keeps its entries",
         {{E::Tick, 2}, {E::File, 1}, {E::Rebuilt}},
         {.fileEntries = {kAll, "S0003"}, .ojipChecked = true},
         {}},
        {"a line's entry chooses the first ticked line with its text",
         {{E::Tick, 0}, {E::Tick, 3}, {E::File, 2}},
         {.fileEntries = {kAll, "A0001", "A0001"}, .fileIndex = 2, .fileEnabled = true, .ojipEnabled = true,
          .ojipChecked = true},
         {curves(DrawMode::AllCurves, o[0], -1)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RecordIndex index = f.index;
        ViewerSession session(f.buffer, index);
        std::vector<bool> ticked(4, false);
        DrawPlan last;
        for (const Event &e : c.events) {
            switch (e.kind) {
            case E::Tick:
            case E::Untick: {
                ticked[size_t(e.arg)] = e.kind == E::Tick;
                std::vector<TickedLine> lines;
                for (int i = 0; i < 4; ++i)
                    if (ticked[size_t(i)])
                        lines.push_back({i, f.texts[i]});
                last = session.tickChanged(e.arg, e.kind == E::Tick, lines).draw;
                break;
            }
            case E::File: last = session.fileChosen(e.arg); break;
            case E::Ojip: last = session.ojipClicked(); break;
            case E::Actinic: last = session.actinicClicked(); break;
            case E::Section: last = session.sectionChosen(e.arg); break;
            case E::Rebuilt:
                session.listRebuilt();
                last.clear();
                break;
            }
        }
        EXPECT_EQ(session.controls(), c.controls);
        EXPECT_EQ(last, c.draw);
    }
}

#pragma GCC diagnostic pop

TEST(ViewerSession, TheChosenRecordIsTheOneAPlotCallerNames)
{
    const FourLines f;
    RecordIndex index = f.index;
    ViewerSession session(f.buffer, index);
    session.tickChanged(0, true, {{0, f.texts[0]}});
    session.tickChanged(3, true, {{0, f.texts[0]}, {3, f.texts[3]}});
    EXPECT_EQ(session.lineChosen(2, 3), DrawPlan{curves(DrawMode::AllCurves, f.offset[3], -1)});
    EXPECT_EQ(session.CurrentRecordName, QStringLiteral("A0001"));
    EXPECT_TRUE(session.controls().p700Shown);
}

TEST(ViewerSession, TickingInOrderIsAsManyTickChanges)
{
    const FourLines f;
    RecordIndex oneByOne = f.index;
    RecordIndex atOnce = f.index;
    ViewerSession a(f.buffer, oneByOne);
    ViewerSession b(f.buffer, atOnce);
    std::vector<TickedLine> lines;
    for (int line : {0, 2, 3}) {
        lines.push_back({line, f.texts[line]});
        a.tickChanged(line, true, lines);
    }
    EXPECT_EQ(b.tickedInOrder(lines),
              (DrawPlan{axis(AxisMode::Ojip, -1, 0), curves(DrawMode::AllCurves, 0, -1), selection(0, 0)}));
    EXPECT_EQ(b.controls(), a.controls());
    for (int line = 0; line < 4; ++line)
        EXPECT_EQ(atOnce[size_t(line)].colour, oneByOne[size_t(line)].colour) << line;
    EXPECT_NE(atOnce[3].colour, 0u);
}
