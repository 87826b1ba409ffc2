#pragma once
// The P700 notice window, shown after a P700 export.
#include "data/appstate.h"
#include "ui/forms.h"

#include <QImage>
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

    void BtnOKClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppState &m_state;
    Forms &m_forms;
    std::unique_ptr<Ui::TForm3> m_ui;
};

// The picture of Image1: the base line, the saturating pulse "SL", the far-red
// period "FR" and the sampling points A, B and C on a pale yellow ground.
QImage p700PointsPicture(const QSize &size);

} // namespace corvane
