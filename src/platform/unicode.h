#pragma once
// Unicode helpers shared by every layer: UTF-8 is the 8-bit text of this
// platform, UTF-16 the text of memo layout. Counting and case work on
// characters (code points), never on bytes.

#include <cstddef>
#include <string>
#include <string_view>

namespace lk63::platform {

// Ill-formed input sequences become U+FFFD; nothing is dropped silently.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Number of code points.
std::size_t Utf8Length(std::string_view text);

// Code points [first, first + count) of `text`; fewer when the text ends first.
std::string Utf8Mid(std::string_view text, std::size_t first, std::size_t count);

// Simple (one-to-one) lower-case mapping of every code point.
std::string Utf8ToLower(std::string_view text);

// Equality after Unicode case folding (Cyrillic and Latin letters alike).
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b);

}  // namespace lk63::platform
