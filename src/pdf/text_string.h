#pragma once
// Text strings of the document's information and of its attachments' names.

#include <string>
#include <string_view>

namespace lk63 {

inline constexpr char kHexDigits[] = "0123456789ABCDEF";

// Four upper-case hex digits: 0x0416 gives "0416".
inline void AppendHex4(std::string& out, char16_t value) {
    out += kHexDigits[(value >> 12) & 0xF];
    out += kHexDigits[(value >> 8) & 0xF];
    out += kHexDigits[(value >> 4) & 0xF];
    out += kHexDigits[value & 0xF];
}
// Each unit as four hex digits: u"Ab" gives "00410062".
void AppendHex4(std::string& out, std::u16string_view units);

// UTF-8 text as a hex string in UTF-16 with its byte order mark:
// "Ab" gives "<FEFF00410062>", "" gives "<FEFF>".
std::string HexTextString(std::string_view text);

}  // namespace lk63
