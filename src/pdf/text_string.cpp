#include "pdf/text_string.h"

#include "platform/unicode.h"

namespace lk63 {

void AppendHex4(std::string& out, std::u16string_view units) {
    for (const char16_t unit : units) AppendHex4(out, unit);
}

std::string HexTextString(std::string_view text) {
    std::string out = "<FEFF";
    AppendHex4(out, platform::Utf8ToUtf16(text));
    out += '>';
    return out;
}

}  // namespace lk63
