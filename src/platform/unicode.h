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

// Canonical composition (NFC): "и" + U+0306 becomes "й", as most keyboards
// type it. Text that is already composed comes back unchanged.
std::string ToNfc(std::string_view text);

// Characters that have no appearance of their own and are skipped when text
// is shown: soft hyphen, zero-width space and joiners, direction marks and
// embeddings, the byte order mark, variation selectors, ...
bool IsDefaultIgnorable(char32_t c);

}  // namespace lk63::platform
