#pragma once
// The viewer window with its own state and scripted dialogs, driven as the user drives
// it: through the window's handlers, never by setting its widgets. The view rules live
// in the window's session; a selector filled or a radio button checked by hand would
// leave the session deciding on something else than the widgets show.
#include "charts/chartmodel.h"
#include "charts/curvechart.h"
#include "sim/databuilder.h"
#include "support/scripteddialogs.h"
#include "ui/windows.h"
#include "ui_Unit2.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace corvane::test {

// Dialogs: the scripted answers the windows ask; a subclass may watch them as well.
template <class Dialogs = ScriptedDialogs>
class ViewerWindow
{
    static_assert(std::is_base_of_v<DialogProvider, Dialogs>);

public:
    ViewerWindow()
    {
        // Closing the window would otherwise end the test run.
        form().setExitFunction([this](int status) { exitStatus = status; });
    }

    TForm2 &form() { return windows->form2; }
    Ui::TForm2 *ui() { return form().ui(); }

    // Shows the window as the user enters it; its first showing lists an upload.
    void enter() { form().show(); }

    // The viewer as "查  看" leaves it after an upload of these blocks.
    void enterWithUpload(const DataBuilder &b, uint32_t versionMarker = kCurrentVersion)
    {
        b.loadInto(state->MeasurementBuffer);
        state->VersionMarker = versionMarker;
        state->ReportTotal = b.size() / 64;
        state->UploadedDataPresent = true;
        enter();
    }

    // These blocks in the buffer and the list filled from them, as the window fills it,
    // without showing the window. Another list for a window already ticked comes from
    // an open, as the user gets it, so the session starts afresh with the list.
    void list(const DataBuilder &b, uint32_t versionMarker = kCurrentVersion)
    {
        EXPECT_TRUE(form().tickedLines().empty()) << "a ticked window is listed afresh through an open";
        b.loadInto(state->MeasurementBuffer);
        state->VersionMarker = versionMarker;
        form().FillFNtoChkListBox();
    }

    // As a click on the line's box: the line becomes current and the list's tick
    // handler runs, colouring the line and offering it in the file selector.
    void tick(int line, bool on = true)
    {
        ui()->ChkListBox1->setCurrentRow(line);
        ui()->ChkListBox1->item(line)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    // Every line not yet ticked, in list order.
    void tickAll()
    {
        for (int line = 0; line < ui()->ChkListBox1->count(); ++line)
            if (!form().isTicked(line))
                tick(line);
    }

    // The user's choice of file-selector entry: 0 the selection, then the ticked lines.
    void choose(int entry)
    {
        ui()->CBoxFN->setCurrentIndex(entry);
        form().CBoxFNChange();
    }

    ChartModel &chart() { return form().chart1().model(); }
    // The pool curves that hold points: those drawn.
    int curves()
    {
        int n = 0;
        for (const ChartSeries &s : chart().CurvePool)
            n += s.points.empty() ? 0 : 1;
        return n;
    }

    // Declared in this order so the windows go before the dialogs and state they use.
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    Dialogs dialogs;
    std::unique_ptr<Windows> windows = std::make_unique<Windows>(*state, &dialogs);
    int exitStatus = -1;  // what the window last exited with; -1 while it has not
};

} // namespace corvane::test
