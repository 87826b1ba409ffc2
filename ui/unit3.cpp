#include "ui/unit3.h"

#include "ui/unit2.h"
#include "ui_Unit3.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace corvane {

TForm3::TForm3(AppState &state, Forms &forms, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_state(state)
    , m_forms(forms)
    , m_ui(std::make_unique<Ui::TForm3>())
{
    m_ui->setupUi(this);
    setFixedSize(size());
    QFont memoFont = m_ui->Memo1->font();
    memoFont.setPixelSize(16);
    m_ui->Memo1->setFont(memoFont);
    // The lines are laid out for the memo's width; the default margin would clip them.
    m_ui->Memo1->document()->setDocumentMargin(2);
    m_ui->Image1->setPixmap(QPixmap::fromImage(p700PointsPicture(m_ui->Image1->size())));
    connect(m_ui->BtnOK, &QPushButton::clicked, this, &TForm3::BtnOKClick);
}

TForm3::~TForm3() = default;

void TForm3::BtnOKClick()
{
    if (m_forms.Form2)
        m_forms.Form2->setEnabled(true);
    hide();
}

void TForm3::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm3::closeEvent(QCloseEvent *event)
{
    // The viewer was disabled for the notice; closing by the frame must give it back.
    BtnOKClick();
    event->accept();
}

QImage p700PointsPicture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(255, 255, 232));
    const int w = size.width();
    const int h = size.height();
    const int base = h * 3 / 4;
    const int xA = w * 30 / 100;
    const int xB = w * 52 / 100;
    const int xC = w * 86 / 100;
    const int top = h * 22 / 100;

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(0, base, xA, base);
    p.setPen(QPen(Qt::blue, 2));
    p.drawPolyline(QPolygon({QPoint(xA, base), QPoint(xA, top), QPoint(xB, top), QPoint(xB, base)}));
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(xB, base, xC, base);

    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::blue);
    p.drawText(QRect(xA, top - 18, xB - xA, 16), Qt::AlignCenter, QStringLiteral("SL"));
    p.setPen(Qt::red);
    p.drawText(QRect(xB, base - 18, xC - xB, 16), Qt::AlignCenter, QStringLiteral("FR"));

    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor dot(127, 0, 0);
    const QColor letter(0, 0, 128);
    const std::pair<int, QString> points[] = {
        {xA, QStringLiteral("A")}, {xB, QStringLiteral("B")}, {xC, QStringLiteral("C")}};
    for (const auto &[x, name] : points) {
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QPoint(x, base), 4, 4);
        p.setPen(letter);
        p.drawText(QRect(x - 10, base + 6, 20, 16), Qt::AlignCenter, name);
    }
    return image;
}

} // namespace corvane
