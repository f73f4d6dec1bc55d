#pragma once
// A failed file operation: one line that names the file and the system's reason,
// in English whatever the process locale ("Cannot create file "/x/a.pdf". No space
// left on device").

#include <stdexcept>
#include <string>
#include <string_view>

namespace lk63::platform {

class TFileError : public std::runtime_error {
public:
    // `action` starts the message ("Cannot create file"); `code` is an errno value.
    TFileError(std::string_view action, std::string path, int code);

    [[nodiscard]] const std::string& Path() const { return path_; }
    [[nodiscard]] int Code() const { return code_; }

private:
    std::string path_;
    int code_;
};

// The system's English description of an errno value.
std::string ErrnoText(int code);

}  // namespace lk63::platform
