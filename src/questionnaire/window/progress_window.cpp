#include "questionnaire/window/progress_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "controls/event_guard.h"
#include "controls/system_colors.h"

namespace lk63 {
namespace {

constexpr int kMessageTop = 35;  // with the bar hidden
constexpr int kMessageHeight = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 66;

}  // namespace

TProgressWindow::TProgressWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint),
      message_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Отмена"), this)) {
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(kWidth, kHeight);
    setAutoFillBackground(true);

    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(11);
    message_->setFont(font);
    message_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    message_->setGeometry(0, kMessageTop, kWidth, kMessageHeight);
    bar_->setGeometry(16, kMessageTop + kMessageHeight, kWidth - 32, 12);
    bar_->hide();
    cancel_->setGeometry((kWidth - kButtonWidth) / 2, kButtonTop, kButtonWidth, kButtonHeight);
    connect(cancel_, &QPushButton::clicked, this, [this] { Guarded([this] { Cancel(); }); });
}

void TProgressWindow::Start(int /*pageCount*/) {
    cancelled_ = false;
    previous_ = QApplication::activeWindow();
    message_->clear();
    CentreOnScreen();
    show();
    raise();
    activateWindow();
    cancel_->setFocus();
    QApplication::processEvents();
}

void TProgressWindow::Page(int number) {
    message_->setText(QString::fromStdString(ExportPageMessage(number)));
    QApplication::processEvents();
    if (OnPageShown) OnPageShown(number);
}

void TProgressWindow::Stop() { Close(); }

void TProgressWindow::Close() {
    if (!isVisible()) return;
    hide();
    if (previous_) previous_->activateWindow();
    previous_ = nullptr;
}

void TProgressWindow::Cancel() {
    if (cancelled_) return;
    cancelled_ = true;
    Close();
    if (OnCancel) OnCancel();
}

void TProgressWindow::CentreOnScreen() {
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    if (!screen) return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->geometry().center());
    move(frame.topLeft());
}

void TProgressWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        Guarded([this] { Cancel(); });
        return;
    }
    QWidget::keyPressEvent(e);
}

// The window has no title bar; it is moved by dragging its body.
void TProgressWindow::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    dragging_ = true;
    dragOffset_ = e->globalPosition().toPoint() - pos();
}

void TProgressWindow::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_) move(e->globalPosition().toPoint() - dragOffset_);
}

void TProgressWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) dragging_ = false;
}

void TProgressWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(SystemColor(TSysColor::cl3DDkShadow, palette()));
    p.drawRect(r);
    p.setPen(SystemColor(TSysColor::clBtnHighlight, palette()));
    p.drawLine(1, 1, r.right() - 1, 1);
    p.drawLine(1, 1, 1, r.bottom() - 1);
    p.setPen(SystemColor(TSysColor::clBtnShadow, palette()));
    p.drawLine(1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, 1, r.right() - 1, r.bottom() - 1);
}

// A close from the desktop (such as Alt+F4) cancels like "Отмена".
void TProgressWindow::closeEvent(QCloseEvent* e) {
    if (isVisible()) Guarded([this] { Cancel(); });
    QWidget::closeEvent(e);
}

}  // namespace lk63
