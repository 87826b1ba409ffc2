#include "ui/unit2.h"

#include "ui_Unit2.h"

namespace corvane {

void TForm2::setupChart() {}
void TForm2::createCurvePool() {}
void TForm2::resetCurvePool() {}
void TForm2::releaseCurvePool() {}
void TForm2::ReDrawAxis(uint8_t) {}
void TForm2::DrawSelectInChart() {}
void TForm2::RdBtnOJIPClick() {}
void TForm2::RdBtnALClick() {}
void TForm2::CBoxFNChange() {}
void TForm2::CBoxALNOChange() {}
void TForm2::BtnSavePicClick() {}

} // namespace corvane
