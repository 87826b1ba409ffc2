#pragma once
// The P700 notice window, shown after a P700 export.
#include "data/appstate.h"
#include "ui/forms.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm3;
}

namespace corvane {

class TForm3 : public QWidget
{
    Q_OBJECT

public:
    TForm3(AppState &state, Forms &forms, QWidget *parent = nullptr);
    ~TForm3() override;

    Ui::TForm3 *ui() const { return m_ui.get(); }

private:
    AppState &m_state;
    Forms &m_forms;
    std::unique_ptr<Ui::TForm3> m_ui;
};

} // namespace corvane
