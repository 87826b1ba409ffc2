#pragma once
// The viewer's rules without its widgets: which record is current, the colours ticks
// hand out, what every view control shows after a tick, a selector choice or a radio
// click, and what the chart must draw. The viewer window and `corvane-cli plot` both
// drive this, so the two cannot decide differently.
#include "charts/viewmodes.h"
#include "data/measurementbuffer.h"
#include "data/record.h"
#include "data/recordindex.h"
#include "data/tickcolour.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace corvane {

// How the actinic-light radio button shows a record.
enum class ActinicView : uint8_t {
    None,        // no actinic-light view (no header, Kind 1, or OjipSeconds 0)
    TimeCourse,  // Kind 2: the time course of every pulse
    Sections,    // Kind 3: the actinic-light curves, all or one section
};

// What the controls offer once a record is chosen in the file selector.
struct RecordControls
{
    bool actinicEnabled = false;  // RdBtnAL
    bool p700Shown = false;       // BtnP700Save
};

// Everything the view controls show. An index of -1 is no entry chosen.
struct ViewControls
{
    QStringList fileEntries;  // CBoxFN
    int fileIndex = -1;
    bool fileEnabled = false;
    bool ojipEnabled = false;  // RdBtnOJIP
    bool ojipChecked = false;
    bool actinicEnabled = false;  // RdBtnAL
    bool actinicChecked = false;
    QStringList sectionEntries;  // CBoxALNO
    int sectionIndex = -1;
    bool sectionShown = false;
    bool p700Shown = false;  // BtnP700Save

    bool operator==(const ViewControls &) const = default;
};

// One drawing call, with the selector entries and record it was decided on.
struct DrawStep
{
    enum class Op : uint8_t {
        Selection,   // DrawSelectInChart: the first curve of every ticked record
        Axis,        // ReDrawAxis(axis)
        Curves,      // DrawOJIP(mode) of `record` in pool series 0, in red
        TimeCourse,  // DrawAL of `record`
    };
    Op op = Op::Selection;
    AxisMode axis = AxisMode::Ojip;
    DrawMode mode = DrawMode::AllCurves;
    int fileIndex = -1;
    uint32_t record = 0;
    int section = -1;

    bool operator==(const DrawStep &) const = default;
};
using DrawPlan = std::vector<DrawStep>;

// A ticked line of the list, as the selector offers it.
struct TickedLine
{
    int line = 0;
    QString text;
};

struct TickUpdate
{
    bool coloured = false;  // the line is in the list and took `colour` (0 when unticked)
    uint32_t colour = 0;
    DrawPlan draw;
};

class ViewerSession
{
public:
    ViewerSession(const MeasurementBuffer &buffer, RecordIndex &index) : m_buffer(buffer), m_index(index) {}

    uint32_t CurrentRecord = 0;
    QString CurrentRecordName;
    bool RawExportDialogOpen = false;  // SaveDialog1TypeChange acts only while it is set

    const ViewControls &controls() const { return m_controls; }

    // ---- what the viewer's events do; each returns what to draw, in order ----

    // A new list (an open, or the window's first showing): nothing can be chosen until
    // a line is ticked. The selector keeps its old entries, disabled.
    void listRebuilt();
    // A tick change of `line`, with the lines ticked now in list order: the line takes
    // the next tick colour (0 when unticked), the selector offers the ticked lines and
    // nothing is chosen yet.
    TickUpdate tickChanged(int line, bool ticked, const std::vector<TickedLine> &tickedLines);
    // `lines` ticked one after another in list order, from none ticked: the colours,
    // controls and chart of as many tick changes, with the selector offered once.
    // Each tick's plan ends by drawing the whole selection, so the returned plan draws
    // what all of them together would.
    DrawPlan tickedInOrder(const std::vector<TickedLine> &lines);
    // The user's choice of selector entry `entry`: 0 shows the selection, a line's
    // entry makes its record current and shows all of its curves.
    DrawPlan fileChosen(int entry);
    // Entry `entry` of the selector chosen as standing for `line`: the viewer's selector
    // knows only texts and takes the first ticked line with the entry's text; a caller
    // that knows the line it means says so.
    DrawPlan lineChosen(int entry, int line);
    DrawPlan ojipClicked();
    DrawPlan actinicClicked();
    // The user's choice in the actinic-light selector.
    DrawPlan sectionChosen(int entry);
    // The selection redrawn, as after a line changes colour.
    DrawPlan selectionRedrawn() const;

    // ---- the rules' parts ----

    // The colour a tick change gives `line` in the index: the next tick colour, or 0.
    uint32_t tickColour(int line, bool ticked);
    // Makes the record of `line` current.
    void chooseRecord(int line, const QString &text);
    // The file selector: "All First OJIP", then the ticked lines' texts in list order.
    static QStringList selectorEntries(const QStringList &tickedTexts);
    static RecordControls controlsFor(const RecordHeader &h);
    static ActinicView actinicView(const RecordHeader &h);
    // CBoxALNO for a Kind 3 record: "All AL OJIP", then 1 .. Total − 1.
    static QStringList actinicSelectorEntries(const RecordHeader &h);

private:
    RecordHeader currentHeader() const { return RecordHeader(m_buffer, CurrentRecord); }
    DrawStep selection() const;
    DrawPlan offerTicked(const std::vector<TickedLine> &tickedLines);
    void showOjip(DrawPlan &plan);
    DrawStep curves(DrawMode mode) const;

    const MeasurementBuffer &m_buffer;
    RecordIndex &m_index;
    ViewControls m_controls;
    std::vector<int> m_offeredLines;  // the line of each selector entry after the first
    uint32_t m_tickColourState = kTickColourSeed;  // the unseeded generator's state
};

} // namespace corvane
