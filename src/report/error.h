#pragma once
// The one exception type of the report engine: it carries the message that
// page preparation collects and shows.

#include <stdexcept>
#include <string>

namespace lk63 {

class TrpError : public std::runtime_error {
public:
    explicit TrpError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace lk63
