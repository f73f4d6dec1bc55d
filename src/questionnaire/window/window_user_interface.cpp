#include "questionnaire/window/window_user_interface.h"

#include <QApplication>

#include "platform/io/file_error.h"
#include "questionnaire/window/file_error_text.h"

namespace lk63 {

void TWindowUserInterface::ShowError(const std::string& caption, const std::string& text) {
    if (showError_) showError_(caption, text);
}

void TWindowUserInterface::ProcessMessages() { QApplication::processEvents(); }

std::string TWindowUserInterface::ErrorText(const std::exception& error) const {
    if (const auto* file = dynamic_cast<const platform::TFileError*>(&error)) return WindowFileErrorText(*file);
    return error.what();
}

}  // namespace lk63
