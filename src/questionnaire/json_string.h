#pragma once
// Quoting a text as a JSON string quickly: the order's note may hold
// millions of characters, and the general JSON writer checks and copies them
// one at a time.

#include <cstddef>
#include <string>
#include <string_view>

namespace lk63 {

// Whether `text` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsWellFormedUtf8(std::string_view text);

// Appends `text` in double quotes as the JSON writer of the order writes a
// well-formed UTF-8 text: the quote, the backslash and the control
// characters escaped (\b \t \n \f \r by name, the others as \u00xx), every
// other character as it is.
void AppendJsonString(std::string& out, std::string_view text);
// The bytes AppendJsonString appends for `text`, quotes included.
std::size_t JsonStringSize(std::string_view text);

}  // namespace lk63
