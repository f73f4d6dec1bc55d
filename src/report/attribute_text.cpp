#include "report/attribute_text.h"

#include <charconv>
#include <cstdint>

#include "report/error.h"

namespace lk63 {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }

bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '.' || c == '#'; }

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

[[noreturn]] void Fail(std::string_view what, std::size_t position) {
    throw TrpError("Property text: " + std::string(what) + " at position " + std::to_string(position + 1));
}

// Decodes the reference that starts with '&' at `i`; returns the position after ';'.
std::size_t DecodeReference(std::string_view text, std::size_t i, std::string& out) {
    const std::size_t semicolon = text.find(';', i);
    if (semicolon == std::string_view::npos || semicolon - i > 12)
        Fail("unterminated character reference", i);
    const std::string_view name = text.substr(i + 1, semicolon - i - 1);
    constexpr std::pair<std::string_view, char> kEntities[] = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& [entity, c] : kEntities) {
        if (name == entity) {
            out.push_back(c);
            return semicolon + 1;
        }
    }
    if (name.size() < 2 || name[0] != '#') Fail("unknown entity", i);
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    std::uint32_t code = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    // &#0; included: EscapeAttributeValue writes it for a NUL in the text.
    const bool valid = !digits.empty() && r.ec == std::errc{} && r.ptr == digits.data() + digits.size() &&
                       code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    if (!valid) Fail("invalid character reference", i);
    AppendUtf8(out, code);
    return semicolon + 1;
}

}  // namespace

namespace {

void AppendEscaped(std::string& out, std::string_view value) {
    out.reserve(out.size() + value.size());
    for (const char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out += "&#" + std::to_string(static_cast<int>(c)) + ";";
                } else {
                    out.push_back(c);
                }
        }
    }
}

}  // namespace

std::string EscapeAttributeValue(std::string_view value) {
    std::string out;
    AppendEscaped(out, value);
    return out;
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
    out.push_back(' ');
    out.append(name);
    out += "=\"";
    AppendEscaped(out, value);
    out.push_back('"');
}

std::vector<TAttribute> ParseAttributes(std::string_view text) {
    std::vector<TAttribute> attributes;
    std::size_t i = 0;
    while (true) {
        const std::size_t before = i;
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size()) break;
        if (!attributes.empty() && i == before) Fail("blank expected between attributes", i);
        if (!IsNameStart(text[i])) Fail("attribute name expected", i);
        const std::size_t nameStart = i;
        while (i < text.size() && IsNameChar(text[i])) ++i;
        std::string name(text.substr(nameStart, i - nameStart));
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size() || text[i] != '=') Fail("'=' expected after " + name, i);
        ++i;
        while (i < text.size() && IsBlank(text[i])) ++i;
        if (i == text.size() || text[i] != '"') Fail("'\"' expected for the value of " + name, i);
        ++i;
        std::string value;
        while (true) {
            if (i == text.size()) Fail("unterminated value of " + name, i);
            const char c = text[i];
            if (c == '"') break;
            if (c == '&') {
                i = DecodeReference(text, i, value);
            } else {
                value.push_back(c);
                ++i;
            }
        }
        ++i;  // the closing quote
        attributes.emplace_back(std::move(name), std::move(value));
    }
    return attributes;
}

}  // namespace lk63
