#pragma once
// Texts as the report's variables take them.

#include <string>
#include <string_view>

namespace lk63 {

// The text in single quotes, every single quote inside doubled.
std::string QuoteLiteral(std::string_view text);
// Line breaks of any kind become CR LF; characters up to the space are cut
// from both ends.
std::string TrimNote(std::string_view note);

}  // namespace lk63
