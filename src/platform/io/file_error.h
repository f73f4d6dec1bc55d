#pragma once
// A failed file operation: one line that names the file and the system's reason,
// in English whatever the process locale ("Cannot create file "/x/a.pdf". No space
// left on device"). The action, path and errno value stay available, so that a
// window can word the error in its own language.

#include <stdexcept>
#include <string>
#include <string_view>

namespace lk63::platform {

enum class TFileAction {
    Create,  // "Cannot create file": the file could not be opened or put in place
    Write,   // "Cannot write file": its bytes could not be written or flushed
};

class TFileError : public std::runtime_error {
public:
    // `code` is an errno value.
    TFileError(TFileAction action, std::string path, int code);

    [[nodiscard]] TFileAction Action() const { return action_; }
    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] int Code() const { return code_; }

private:
    TFileAction action_;
    std::string path_;
    int code_;
};

// The system's English description of an errno value.
std::string ErrnoText(int code);

}  // namespace lk63::platform
