#include "ui/unit3.h"

#include "ui_Unit3.h"

namespace corvane {

TForm3::TForm3(AppState &state, Forms &forms, QWidget *parent)
    : QWidget(parent, Qt::Dialog)
    , m_state(state)
    , m_forms(forms)
    , m_ui(std::make_unique<Ui::TForm3>())
{
    m_ui->setupUi(this);
}

TForm3::~TForm3() = default;

} // namespace corvane
