#pragma once
// What the report engine asks of the program around it: showing an error and
// letting pending window messages through during long runs. The window
// implements it with its toolkit, the command-line tool with stderr; the
// engine itself never touches a toolkit.

#include <exception>
#include <string>

namespace lk63 {

class TrpUserInterface {
public:
    virtual ~TrpUserInterface() = default;
    // A modal message box with an error icon.
    virtual void ShowError(const std::string& caption, const std::string& text) = 0;
    virtual void ProcessMessages() = 0;
    // The text an error of a run is listed with; the window words file
    // errors in its own language.
    [[nodiscard]] virtual std::string ErrorText(const std::exception& error) const { return error.what(); }
};

// Shows nothing and has no messages to process.
class TrpSilentUserInterface final : public TrpUserInterface {
public:
    void ShowError(const std::string&, const std::string&) override {}
    void ProcessMessages() override {}
};

}  // namespace lk63
