#include "platform/io/echoed_text.h"

#include <cstdint>

namespace lk63::platform {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendUnicodeEscape(std::string& out, std::uint32_t code) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
}

void AppendByteEscape(std::string& out, unsigned char byte) {
    static constexpr char kUpperHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kUpperHex[byte >> 4];
    out += kUpperHex[byte & 0xF];
}

// Length of the well-formed UTF-8 sequence at the front of `text`, 0 when
// the first byte does not start one; its code point in `code`.
std::size_t SequenceAt(std::string_view text, std::uint32_t& code) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    std::uint32_t min = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() < length) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string EchoedText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto lead = static_cast<unsigned char>(text.front());
        if (lead < 0x80) {
            switch (lead) {
                case '\n': out += "\\n"; break;
                case '\r': out += "\\r"; break;
                case '\t': out += "\\t"; break;
                default:
                    if (lead < 0x20 || lead == 0x7F) {
                        AppendUnicodeEscape(out, lead);
                    } else {
                        out += static_cast<char>(lead);
                    }
            }
            text.remove_prefix(1);
            continue;
        }
        std::uint32_t code = 0;
        const std::size_t length = SequenceAt(text, code);
        if (length == 0) {
            AppendByteEscape(out, lead);
            text.remove_prefix(1);
        } else {
            if ((code >= 0x80 && code <= 0x9F) || code == 0x2028 || code == 0x2029) {
                AppendUnicodeEscape(out, code);
            } else {
                out.append(text.substr(0, length));
            }
            text.remove_prefix(length);
        }
    }
    return out;
}

}  // namespace lk63::platform
