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
    : QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      message_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      cancel_(new QPushButton(QStringLiteral("Отмена"), this)) {
    // The window often comes and goes within milliseconds. Were it activated,
    // the window manager could hand it the focus after it has gone, and the
    // keyboard would go nowhere: so it never takes the focus, and it is not
    // modal either (the toolkit would pass the owner's activation on to a
    // modal window). The owner takes no input meanwhile anyway (TInputBlock);
    // Escape reaches the window through its event filter.
    setAttribute(Qt::WA_ShowWithoutActivating);
    cancel_->setFocusPolicy(Qt::NoFocus);
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
    message_->clear();
    CentreOnScreen();
    qApp->installEventFilter(this);
    show();
    raise();
    QApplication::processEvents();
}

void TProgressWindow::Page(int number) {
    message_->setText(QString::fromStdString(ExportPageMessage(number)));
    QApplication::processEvents();
    if (OnPageShown) OnPageShown(number);
}

void TProgressWindow::Stop() { Close(); }

void TProgressWindow::Close() {
    qApp->removeEventFilter(this);
    if (!isVisible()) return;
    // A platform that activates every window it shows gets the owner back active.
    const bool wasActive = isActiveWindow();
    hide();
    if (wasActive && parentWidget()) parentWidget()->window()->activateWindow();
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

bool TProgressWindow::eventFilter(QObject* watched, QEvent* e) {
    // Escape typed anywhere in the owner's window or in this one cancels.
    if (e->type() != QEvent::KeyPress || !isVisible() || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(e);
    const QWidget* target = static_cast<QWidget*>(watched)->window();
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    if (target != this && (!parentWidget() || target != parentWidget()->window())) return false;
    Guarded([this] { Cancel(); });
    return true;
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
