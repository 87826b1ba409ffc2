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
    RecordIndex index{};
    ViewerSession session;
    uint32_t generator = kTickColourSeed;
    const uint32_t first = nextTickColour(generator);
    const uint32_t second = nextTickColour(generator);

    EXPECT_EQ(session.tickChanged(index, 4, true), first);
    EXPECT_EQ(index[4].colour, first);
    EXPECT_EQ(session.tickChanged(index, 4, false), 0u);
    EXPECT_EQ(index[4].colour, 0u);
    // Unticking draws no colour: the next tick gets the generator's next one.
    EXPECT_EQ(session.tickChanged(index, 2, true), second);
    EXPECT_EQ(session.tickChanged(index, -1, true), 0u);
    EXPECT_EQ(session.tickChanged(index, kMaxListed, true), 0u);
}

TEST(ViewerSession, ChoosingARecordMakesItCurrent)
{
    RecordIndex index{};
    index[1].offset = 512;
    ViewerSession session;
    session.chooseRecord(index, 1, QStringLiteral("B0002"));
    EXPECT_EQ(session.CurrentRecord, 512u);
    EXPECT_EQ(session.CurrentRecordName, QStringLiteral("B0002"));
    session.chooseRecord(index, kMaxListed, QStringLiteral("none"));
    EXPECT_EQ(session.CurrentRecord, 512u) << "a line outside the list changes nothing";
    EXPECT_EQ(session.CurrentRecordName, QStringLiteral("B0002"));
}
