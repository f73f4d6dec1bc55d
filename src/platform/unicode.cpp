#include "platform/unicode.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace lk63::platform {
namespace {

// Calls `f` for every code point of `text`; ill-formed sequences yield U+FFFD.
template <typename F>
void ForEachCodePoint(std::string_view text, F&& f) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U8_NEXT_OR_FFFD(s, i, length, c);
        f(c);
    }
}

template <typename F>
void ForEachCodePoint(std::u16string_view text, F&& f) {
    const auto* s = reinterpret_cast<const UChar*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t i = 0;
    while (i < length) {
        UChar32 c = 0;
        U16_NEXT_OR_FFFD(s, i, length, c);
        f(c);
    }
}

void AppendUtf8(std::string& out, UChar32 c) {
    std::uint8_t buffer[U8_MAX_LENGTH];
    std::int32_t n = 0;
    UBool error = false;
    U8_APPEND(buffer, n, U8_MAX_LENGTH, c, error);
    if (error) return;  // unreachable for code points coming from the decoders above
    out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(n));
}

template <typename Text>
bool FoldedEqual(Text a, Text b) {
    std::u32string fa, fb;
    ForEachCodePoint(a, [&](UChar32 c) { fa.push_back(static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT))); });
    ForEachCodePoint(b, [&](UChar32 c) { fb.push_back(static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT))); });
    return fa == fb;
}

}  // namespace

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](UChar32 c) {
        if (c <= 0xFFFF) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(U16_LEAD(c)));
            out.push_back(static_cast<char16_t>(U16_TRAIL(c)));
        }
    });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    ForEachCodePoint(text, [&](UChar32 c) { AppendUtf8(out, c); });
    return out;
}

std::size_t Utf8Length(std::string_view text) {
    std::size_t n = 0;
    ForEachCodePoint(text, [&](UChar32) { ++n; });
    return n;
}

std::string Utf8Mid(std::string_view text, std::size_t first, std::size_t count) {
    std::string out;
    std::size_t index = 0;
    ForEachCodePoint(text, [&](UChar32 c) {
        if (index >= first && index - first < count) AppendUtf8(out, c);
        ++index;
    });
    return out;
}

std::string Utf8ToLower(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachCodePoint(text, [&](UChar32 c) { AppendUtf8(out, u_tolower(c)); });
    return out;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return FoldedEqual(a, b); }
bool EqualsIgnoreCase(std::u16string_view a, std::u16string_view b) { return FoldedEqual(a, b); }

namespace {

// Every character below U+0300 and the Cyrillic letters U+0400..U+047F are
// composed and of combining class 0: a text of only those needs no check.
bool SurelyComposed(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        const bool twoBytes = (lead >= 0xC2 && lead <= 0xCB) || lead == 0xD0 || lead == 0xD1;
        if (!twoBytes || i + 1 >= text.size() || (static_cast<unsigned char>(text[i + 1]) & 0xC0) != 0x80)
            return false;
        i += 2;
    }
    return true;
}

}  // namespace

std::string ToNfc(std::string_view text) {
    if (SurelyComposed(text)) return std::string(text);
    UErrorCode error = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&error);
    if (U_FAILURE(error)) return std::string(text);
    const std::u16string wide = Utf8ToUtf16(text);
    const auto* source = reinterpret_cast<const UChar*>(wide.data());
    const auto length = static_cast<std::int32_t>(wide.size());
    // Most texts are composed already.
    if (unorm2_isNormalized(nfc, source, length, &error) && U_SUCCESS(error)) return std::string(text);

    std::u16string out(wide.size() + 16, u'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        error = U_ZERO_ERROR;
        const std::int32_t written = unorm2_normalize(nfc, source, length, reinterpret_cast<UChar*>(out.data()),
                                                      static_cast<std::int32_t>(out.size()), &error);
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(static_cast<std::size_t>(written));
            continue;
        }
        if (U_FAILURE(error)) break;
        out.resize(static_cast<std::size_t>(written));
        return Utf16ToUtf8(out);
    }
    return std::string(text);
}

bool IsDefaultIgnorable(char32_t c) {
    // Nothing below U+061C is, but the soft hyphen and the grapheme joiner:
    // most text never asks the property tables.
    if (c < 0x061C) return c == 0x00AD || c == 0x034F;
    return u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_DEFAULT_IGNORABLE_CODE_POINT) != 0;
}

}  // namespace lk63::platform
