#include "platform/unicode.h"

#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>

namespace lk63::platform {
namespace {

TEST(Unicode, RoundTripsEveryPlane) {
    const std::string text = "Ромашка A \xF0\x9F\x98\x80 \xE4\xB8\xAD \xD7\xA9";  // emoji, CJK, Hebrew
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide[0], u'Р');
    EXPECT_EQ(wide[10], 0xD83D);  // the emoji as a surrogate pair
    EXPECT_EQ(wide[11], 0xDE00);
    EXPECT_EQ(Utf16ToUtf8(wide), text);
}

TEST(Unicode, IllFormedInputBecomesReplacementCharacters) {
    EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(Utf16ToUtf8(std::u16string{u'a', char16_t(0xD800), u'b'}), "a\xEF\xBF\xBD" "b");
}

TEST(Unicode, CountsAndCutsCharactersNotBytes) {
    EXPECT_EQ(Utf8Length("ЛК63-19-2500M"), 13u);
    EXPECT_EQ(Utf8Mid("ЛК63-19-2500M", 8, 5), "2500M");
    EXPECT_EQ(Utf8Mid("ЛК63-19-1000", 8, 5), "1000");
    EXPECT_EQ(Utf8Mid("ab", 5, 5), "");
}

TEST(Unicode, LowerCasesCyrillicAndLatinCapitals) {
    EXPECT_EQ(Utf8ToLower("Выдвижное ИСПОЛНЕНИЕ, Ёлка ABC"), "выдвижное исполнение, ёлка abc");
    EXPECT_EQ(Utf8ToLower("0,5/1/2/3 сек"), "0,5/1/2/3 сек");
}

TEST(Unicode, ComparesIgnoringCaseInEveryScript) {
    EXPECT_TRUE(EqualsIgnoreCase("Наименование Организации", "НАИМЕНОВАНИЕ организации"));
    EXPECT_TRUE(EqualsIgnoreCase(u"Memo12", u"memo12"));
    EXPECT_FALSE(EqualsIgnoreCase("Описание", "Описани"));
    // Latin A and Cyrillic А look alike but are different letters.
    EXPECT_FALSE(EqualsIgnoreCase("A", "А"));
}

TEST(Unicode, ComposesToNfc) {
    struct Case {
        const char* name;
        std::string text, nfc;
    } const cases[] = {
        {"CyrillicShortI", "Нови\u0306 дом", "Новй дом"},
        {"CyrillicYo", "е\u0308лка", "ёлка"},
        {"LatinAcute", "Cafe\u0301", "Café"},
        {"NoComposedForm", "е\u0301", "е\u0301"},  // Cyrillic е with an acute has none
        {"MarksReordered", "a\u0307\u0323", "\u1EA1\u0307"},  // dot below goes first and composes
        {"Singleton", "\u212B", "\u00C5"},                   // the angstrom sign is the letter Å
        {"HangulJamo", "\u1100\u1161", "\uAC00"},
        {"AlreadyComposed", "ООО «Ромашка» 😀", "ООО «Ромашка» 😀"},
        {"Empty", "", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ToNfc(c.text), c.nfc) << c.name;
}

// Each character of the first blocks, alone and before a mark, composes as
// the normalizer composes it: the quick path for composed text passes no text
// that is not.
TEST(Unicode, ComposesEveryLowCharacterAsTheNormalizerDoes) {
    UErrorCode error = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&error);
    ASSERT_TRUE(U_SUCCESS(error));
    const auto normalized = [&](const std::u16string& text) {
        std::u16string out(text.size() * 4 + 8, u'\0');
        UErrorCode status = U_ZERO_ERROR;
        const std::int32_t n = unorm2_normalize(nfc, reinterpret_cast<const UChar*>(text.data()),
                                                static_cast<std::int32_t>(text.size()),
                                                reinterpret_cast<UChar*>(out.data()),
                                                static_cast<std::int32_t>(out.size()), &status);
        out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(n) : 0);
        return out;
    };
    for (char16_t c = 1; c < 0x0800; ++c) {
        for (const std::u16string after : {u"", u"\u0301", u"\u0306"}) {
            const std::u16string text = std::u16string(1, c) + u"a" + std::u16string(1, c) + after;
            ASSERT_EQ(ToNfc(Utf16ToUtf8(text)), Utf16ToUtf8(normalized(text))) << std::hex << static_cast<unsigned>(c);
        }
    }
}

TEST(Unicode, TellsCharactersWithoutAppearance) {
    for (const char32_t c : {0x00ADu, 0x200Bu, 0x200Cu, 0x200Du, 0x200Eu, 0x200Fu, 0x202Au, 0x202Eu, 0x2066u, 0x2060u,
                             0xFEFFu, 0xFE0Fu, 0x034Fu, 0x180Eu, 0xE0001u, 0xE0100u})
        EXPECT_TRUE(IsDefaultIgnorable(c)) << std::hex << static_cast<unsigned>(c);
    for (const char32_t c : {0x20u, 0x41u, 0x0439u, 0x0301u, 0x00A0u, 0x2028u, 0x09u, 0x05D0u, 0x1F600u})
        EXPECT_FALSE(IsDefaultIgnorable(c)) << std::hex << static_cast<unsigned>(c);
    // The quick answer for the low characters agrees with the property tables.
    for (char32_t c = 0; c < 0x0800; ++c)
        EXPECT_EQ(IsDefaultIgnorable(c),
                  u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_DEFAULT_IGNORABLE_CODE_POINT) != 0)
            << std::hex << static_cast<unsigned>(c);
}

}  // namespace
}  // namespace lk63::platform
