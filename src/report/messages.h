#pragma once
// The texts of the report engine, looked up by key. A key that is not in the
// table yields the key itself, so a missing text never hides a message.

#include <string_view>

namespace lk63 {

std::string_view RpMessage(std::string_view key);

}  // namespace lk63
