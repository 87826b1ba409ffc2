#pragma once
// Builds the three windows in their start-up order, all hidden, sharing one state.
#include "ui/forms.h"
#include "ui/qtdialogs.h"
#include "ui/unit1.h"
#include "ui/unit2.h"
#include "ui/unit3.h"

#include <memory>

namespace corvane {

struct Windows
{
    explicit Windows(AppState &state, DialogProvider *dialogs = nullptr)
        : dialogProvider(dialogs ? dialogs : &qtDialogs)
        , form1(state, forms)
        , form2(state, forms, *dialogProvider)
        , form3(state, forms)
    {
        forms = {&form1, &form2, &form3};
        qtDialogs.setParent(&form2);
    }

    Forms forms;
    QtDialogProvider qtDialogs;
    DialogProvider *dialogProvider;
    TForm1 form1;
    TForm2 form2;
    TForm3 form3;
};

} // namespace corvane
