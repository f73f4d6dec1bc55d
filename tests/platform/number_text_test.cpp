#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace lk63::platform {
namespace {

TEST(NumberText, ShortestTextReadsBackToTheSameDouble) {
    for (double v : {718.1107, 0.1, 1e-5, -3.77953, 49.13383874, 1046.92981, 0.0, 1e300,
                     std::numeric_limits<double>::denorm_min()}) {
        const std::string text = ShortestDecimal(v);
        const auto back = ParseDecimal(text);
        ASSERT_TRUE(back.has_value()) << text;
        EXPECT_EQ(*back, v) << text;
    }
    EXPECT_EQ(ShortestDecimal(718.1107), "718.1107");
}

TEST(NumberText, ParsingTakesTheWholeTextOrNothing) {
    EXPECT_EQ(ParseDecimal("12.5"), 12.5);
    EXPECT_EQ(ParseDecimal("-0.25"), -0.25);
    for (const char* bad : {"", " 1", "1 ", "1,5", "12ab", "+1", "."}) EXPECT_FALSE(ParseDecimal(bad)) << bad;
}

TEST(NumberText, FixedTextRoundsHalvesAwayFromZero) {
    struct Case {
        double value;
        int decimals;
        const char* text;
    } const cases[] = {
        {3, 2, "3.00"},          {595.2756, 2, "595.28"},  {841.39, 2, "841.39"},
        {0.125, 2, "0.13"},      {-0.125, 2, "-0.13"},     {0.625, 2, "0.63"},
        {2.5, 0, "3"},           {9.999, 2, "10.00"},      {-0.001, 2, "0.00"},
        {-5.5, 1, "-5.5"},       {0.75, 2, "0.75"},        {1e-9, 2, "0.00"},
        {538.5825, 2, "538.58"}, {15853019.0, 0, "15853019"},
    };
    for (const Case& c : cases) EXPECT_EQ(FixedDecimal(c.value, c.decimals), c.text) << c.value;
}

// Qt calls setlocale(LC_ALL, ""); under a Russian locale printf writes "0,5".
TEST(NumberText, IgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "ru_RU.UTF-8")) GTEST_FAIL() << "locale ru_RU.UTF-8 is not installed";
    EXPECT_EQ(FixedDecimal(0.5, 2), "0.50");
    EXPECT_EQ(ShortestDecimal(0.5), "0.5");
    EXPECT_EQ(ParseDecimal("0.5"), 0.5);
    std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace lk63::platform
