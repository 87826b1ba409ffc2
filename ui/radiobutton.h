#pragma once
#include <QRadioButton>
#include <QSignalBlocker>

namespace corvane {

// An auto-exclusive radio button refuses to be unchecked directly; the viewer's
// handlers need exactly that, and without running any handler.
inline void uncheckRadio(QRadioButton *button)
{
    if (!button->isChecked())
        return;
    const QSignalBlocker block(button);
    const bool exclusive = button->autoExclusive();
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(exclusive);
}

} // namespace corvane
