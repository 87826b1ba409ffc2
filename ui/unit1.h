#pragma once
// The transfer window: status box, progress bar and the buttons of the device link.
#include "data/appstate.h"
#include "ui/forms.h"
#include "ui/processexit.h"

#include <QWidget>

#include <memory>

namespace Ui {
class TForm1;
}

namespace corvane {

class TForm1 : public QWidget
{
    Q_OBJECT

public:
    TForm1(AppState &state, Forms &forms, QWidget *parent = nullptr);
    ~TForm1() override;

    Ui::TForm1 *ui() const { return m_ui.get(); }
    void setExitFunction(ExitFunction exit) { m_exit = std::move(exit); }

    void FormShow();
    void BtnViewClick();
    void BtnExitClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppState &m_state;
    Forms &m_forms;
    std::unique_ptr<Ui::TForm1> m_ui;
    ExitFunction m_exit = exitImmediately;
    bool m_shown = false;
};

} // namespace corvane
