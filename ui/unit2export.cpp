#include "ui/unit2.h"

#include "ui_Unit2.h"

namespace corvane {

void TForm2::setupExport() {}
void TForm2::BtnSaveODatClick() {}
void TForm2::SaveDialog1TypeChange(int) {}
void TForm2::BtnP700SaveClick() {}

} // namespace corvane
