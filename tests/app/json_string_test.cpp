#include "questionnaire/json_string.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <string>

namespace lk63 {
namespace {

// What the general JSON writer gives for a text, or nothing when it finds
// the text ill-formed.
std::optional<std::string> WriterQuoted(const std::string& text) {
    try {
        return nlohmann::ordered_json(text).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::strict);
    } catch (const nlohmann::ordered_json::exception&) {
        return std::nullopt;
    }
}

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

void ExpectAsTheWriter(const std::string& text) {
    const std::optional<std::string> expected = WriterQuoted(text);
    ASSERT_EQ(IsWellFormedUtf8(text), expected.has_value()) << testing::PrintToString(text);
    if (!expected) return;
    std::string quoted = "x";
    AppendJsonString(quoted, text);
    ASSERT_EQ(quoted, "x" + *expected) << testing::PrintToString(text);
    ASSERT_EQ(JsonStringSize(text), expected->size()) << testing::PrintToString(text);
}

// Every character, and texts of random bytes, well-formed or not: the
// quick quoting and its test of the UTF-8 agree with the general writer.
TEST(JsonString, QuotesAsTheGeneralWriterDoes) {
    for (const std::string text : {"", "plain", "\"quoted\" \\ back\\slash", "line\r\nbreak\ttab\b\f", "\x7F del",
                                   "Опросный лист «ЛК63-19» № 1", "😀 U+1F600"})
        ExpectAsTheWriter(text);
    for (char32_t c = 0; c <= 0x10FFFF; c += (c < 0x3000 ? 1 : 97)) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        ExpectAsTheWriter("a" + Utf8(c) + "b");
    }
    // Overlong forms, surrogates, beyond U+10FFFF, cut sequences, stray continuations.
    for (const std::string bad : {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF0\x80\x80\x80",
                                  "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xD0", "\xE2\x82", "\x80", "a\xBF"})
        ExpectAsTheWriter(bad);

    std::mt19937 random(3);
    std::uniform_int_distribution<int> byte(0, 255), length(0, 12);
    const std::string pieces[] = {"\xD0\x9B", "\xE2\x82\xBD", "\xF0\x9F\x98\x80", "\"", "\\", "\n", "a"};
    std::uniform_int_distribution<std::size_t> piece(0, std::size(pieces) - 1);
    for (int n = 0; n < 20000; ++n) {
        std::string text;
        for (int k = length(random); k > 0; --k) {
            if (byte(random) < 128) {
                text += pieces[piece(random)];
            } else {
                text += static_cast<char>(byte(random));
            }
        }
        ExpectAsTheWriter(text);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace lk63
