#include "ui/unit2.h"

#include "ui_Unit2.h"

namespace corvane {

void TForm2::setupGrid() {}
void TForm2::FillSelectToGrid() {}
void TForm2::BtnSaveGridClick() {}

} // namespace corvane
