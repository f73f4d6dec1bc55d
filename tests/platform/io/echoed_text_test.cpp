#include "platform/io/echoed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace lk63::platform {
namespace {

TEST(EchoedText, ControlCharactersBecomeEscapesAndTheRestStays) {
    const struct {
        const char* Name;
        std::string Text, Expected;
    } cases[] = {
        {"plain and Cyrillic", "Опросный лист 2, \"x\" \\ y", "Опросный лист 2, \"x\" \\ y"},
        {"line breaks and tab", "1\n2\r3\t4", "1\\n2\\r3\\t4"},
        {"NUL cuts nothing", std::string("12\0" "345", 6), "12\\u0000345"},
        {"escape sequence", "\x1B[31mred", "\\u001b[31mred"},
        {"DEL", "a\x7F", "a\\u007f"},
        {"C1 controls", "\xC2\x85 \xC2\x9B" "2J", "\\u0085 \\u009b2J"},
        {"line and paragraph separators", "a\xE2\x80\xA8" "b\xE2\x80\xA9", "a\\u2028b\\u2029"},
        {"bytes that are not UTF-8", "\xFF\xFE.json \xC3 \xE2\x80", "\\xFF\\xFE.json \\xC3 \\xE2\\x80"},
        {"overlong and surrogate forms", "\xC0\xAF \xED\xA0\x80", "\\xC0\\xAF \\xED\\xA0\\x80"},
        {"four-byte characters", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string once = EchoedText(c.Text);
        EXPECT_EQ(once, c.Expected);
        EXPECT_EQ(EchoedText(once), once) << "escaping twice changes nothing";
    }
}

}  // namespace
}  // namespace lk63::platform
