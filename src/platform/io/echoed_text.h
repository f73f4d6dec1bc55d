#pragma once
// A text that a one-line message echoes (a file name, an argument, a value
// from the input): what reaches a terminal or a log must not break the line
// or drive the terminal.

#include <string>
#include <string_view>

namespace lk63::platform {

// Control characters are written as escapes: "\n", "\r", "\t" and "\u001b"
// style for the rest of C0, DEL and C1 (U+0080 to U+009F), and for the line
// and paragraph separators U+2028 and U+2029; a byte that is not part of
// well-formed UTF-8 becomes "\xFF" style. NUL is escaped like any other
// control character, so nothing after it is lost. Everything else, Cyrillic
// included, stays as it is. The result holds no control character, so
// escaping it again changes nothing.
//   "1\n2"          -> "1\\n2"
//   "12\0" "345"    -> "12\\u0000345"
//   "\x1B[31mred"   -> "\\u001b[31mred"
//   "Опросный лист" -> "Опросный лист"
std::string EchoedText(std::string_view text);

}  // namespace lk63::platform
