#include "questionnaire/window/window_user_interface.h"

#include <QApplication>

namespace lk63 {

void TWindowUserInterface::ShowError(const std::string& caption, const std::string& text) {
    if (showError_) showError_(caption, text);
}

void TWindowUserInterface::ProcessMessages() { QApplication::processEvents(); }

}  // namespace lk63
