#pragma once
// The viewer's rules without its widgets: which record is current, the colours ticks
// hand out, and what the view controls offer for a record. The viewer window and
// `corvane-cli plot` both ask this, so the two cannot decide differently.
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

class ViewerSession
{
public:
    uint32_t CurrentRecord = 0;
    QString CurrentRecordName;
    bool RawExportDialogOpen = false;  // SaveDialog1TypeChange acts only while it is set

    // A tick change of `line`: the line's colour in the index (the next tick colour, or
    // 0 when unticked), which it also returns.
    uint32_t tickChanged(RecordIndex &index, int line, bool ticked);

    // The file selector: "All First OJIP", then the ticked lines' texts in list order.
    static QStringList selectorEntries(const QStringList &tickedTexts);
    // A choice in the selector (entry fnIndex ≥ 1 naming a ticked line) makes that
    // record current.
    void chooseRecord(const RecordIndex &index, int line, const QString &text);

    static RecordControls controlsFor(const RecordHeader &h);
    static ActinicView actinicView(const RecordHeader &h);
    // CBoxALNO for a Kind 3 record: "All AL OJIP", then 1 .. Total − 1.
    static QStringList actinicSelectorEntries(const RecordHeader &h);

private:
    uint32_t m_tickColourState = kTickColourSeed;  // the unseeded generator's state
};

} // namespace corvane
