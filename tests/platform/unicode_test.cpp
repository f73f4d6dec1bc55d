#include "platform/unicode.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lk63::platform
