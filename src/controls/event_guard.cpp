#include "controls/event_guard.h"

#include <QApplication>
#include <QMessageBox>

namespace lk63 {
namespace {

void ShowMessageBox(const char* message) {
    try {
        QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(),
                              QString::fromUtf8(message));
    } catch (...) {
        // Nothing sensible is left to do; the event loop must go on.
    }
}

TExceptionHandler g_handler = &ShowMessageBox;

}  // namespace

void HandleEventException(const char* message) { g_handler(message); }

TExceptionHandler SetExceptionHandler(TExceptionHandler handler) {
    TExceptionHandler previous = g_handler;
    g_handler = handler ? handler : &ShowMessageBox;
    return previous;
}

}  // namespace lk63
