#pragma once
// The report engine's and the export's user interface in the window: errors
// go to the window's message box, pending messages are let through.

#include <functional>
#include <string>

#include "report/user_interface.h"

namespace lk63 {

class TWindowUserInterface final : public TrpUserInterface {
public:
    using TShowError = std::function<void(const std::string& caption, const std::string& text)>;

    explicit TWindowUserInterface(TShowError showError) : showError_(std::move(showError)) {}

    void ShowError(const std::string& caption, const std::string& text) override;
    void ProcessMessages() override;
    // File errors in Russian (file_error_text.h); others as they are.
    [[nodiscard]] std::string ErrorText(const std::exception& error) const override;

private:
    TShowError showError_;
};

}  // namespace lk63
