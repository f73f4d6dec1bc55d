#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "pdf/color_operand.h"
#include "pdf/dash_operator.h"
#include "pdf/format_number.h"
#include "platform/number_text.h"

namespace lk63 {
namespace {

TEST(FormatNumber, TwoDecimalsRoundedToTheNearestHundredth) {
    struct Case {
        double value;
        const char* text;
    } const cases[] = {
        {3, "3.00"},
        {0, "0.00"},
        {595.2756, "595.28"},
        {841.8897, "841.89"},
        {538.583025, "538.58"},
        {0.75, "0.75"},
        {-1.5, "-1.50"},
        {-0.001, "0.00"},   // never "-0.00"
        {-0.005, "-0.01"},  // just above a half in binary
        {0.125, "0.13"},    // an exact half goes away from zero
        {-0.125, "-0.13"},
        {1.005, "1.00"},  // 1.00499999... in binary: a decimal half that is not one
        {2.675, "2.67"},
        {9.999, "10.00"},
        {1234567.891, "1234567.89"},
        {1e17, "100000000000000000.00"},
        {std::numeric_limits<double>::infinity(), "0.00"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << c.value;
}

// The quick path must give what the exact decimal expansion gives, also next
// to halves, where a sloppy x 100 would go the wrong way.
TEST(FormatNumber, AgreesWithTheExactExpansion) {
    std::mt19937_64 random(63);
    std::uniform_real_distribution<double> spread(-2000.0, 2000.0);
    for (int i = 0; i < 20000; ++i) {
        const double v = spread(random);
        ASSERT_EQ(FormatNumber(v), platform::FixedDecimal(v, 2)) << v;
    }
    for (int k = -300000; k <= 300000; k += 7) {
        const double v = k / 1000.0;  // thousandths: every third decimal, halves included
        ASSERT_EQ(FormatNumber(v), platform::FixedDecimal(v, 2)) << v;
        const double pixels = k / 100.0 * 0.75 + 0.5;  // positions as the page writes them
        ASSERT_EQ(FormatNumber(pixels), platform::FixedDecimal(pixels, 2)) << pixels;
    }
}

TEST(FormatNumber, IgnoresTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, "ru_RU.UTF-8"), nullptr) << "locale ru_RU.UTF-8 is not installed";
    EXPECT_EQ(FormatNumber(0.5), "0.50");
    EXPECT_EQ(FormatNumber(0.125), "0.13");
    std::setlocale(LC_ALL, saved.c_str());
}

TEST(ColorOperand, WritesRedGreenBlueAsFractions) {
    struct Case {
        TrpColor color;
        const char* text;
    } const cases[] = {
        {clBlack, "0 0 0"},
        {clWhite, "1 1 1"},
        {clGray, "0.50 0.50 0.50"},
        {15853019, "0.86 0.90 0.95"},  // the title's fill #DBE5F1
        {8210719, "0.12 0.29 0.49"},   // the title's font #1F497D
        {0x0000FF, "1.00 0.00 0.00"},  // red sits in the lowest byte
        {0xFF0000, "0.00 0.00 1.00"},
        {0x010101, "0.00 0.00 0.00"},
        {static_cast<TrpColor>(0x8000000F), "0.94 0.94 0.94"},  // button face
        {static_cast<TrpColor>(0x80000008), "0.00 0.00 0.00"},  // window text: a system colour, not 0
        {static_cast<TrpColor>(0x80000005), "1.00 1.00 1.00"},  // window
        {static_cast<TrpColor>(0x800000FF), "0.00 0.00 0.00"},  // no such system colour
    };
    for (const Case& c : cases) {
        TrpColorOperand colors;
        EXPECT_EQ(colors(c.color), c.text) << std::hex << c.color;
    }
}

// One remembered colour: switching back and forth must never hand out the
// text of the other colour.
TEST(ColorOperand, RemembersOnlyWhatItConvertedLast) {
    TrpColorOperand colors;
    const TrpColor sequence[] = {clGray, clGray, 15853019, clBlack, 15853019, clGray, clWhite, clGray, 8210719};
    const char* expected[] = {"0.50 0.50 0.50", "0.50 0.50 0.50", "0.86 0.90 0.95",
                              "0 0 0",          "0.86 0.90 0.95", "0.50 0.50 0.50",
                              "1 1 1",          "0.50 0.50 0.50", "0.12 0.29 0.49"};
    for (std::size_t i = 0; i < std::size(sequence); ++i) EXPECT_EQ(colors(sequence[i]), expected[i]) << i;
}

TEST(ColorOperand, ResolvesSystemColoursThroughTheFixedScheme) {
    EXPECT_EQ(ResolveColor(static_cast<TrpColor>(0x8000000F)), (TrpRgb{240, 240, 240}));
    EXPECT_EQ(ResolveColor(static_cast<TrpColor>(0x8000000D)), (TrpRgb{0x33, 0x99, 0xFF}));
    EXPECT_EQ(ResolveColor(static_cast<TrpColor>(0x80000018)), (TrpRgb{255, 255, 225}));
    EXPECT_EQ(ResolveColor(static_cast<TrpColor>(0x80010005)), (TrpRgb{}));  // stray bits: not a system colour we know
    EXPECT_EQ(ResolveColor(0x7D491F), (TrpRgb{0x1F, 0x49, 0x7D}));
}

TEST(DashOperator, PatternPerLineStyle) {
    struct Case {
        TrpFrameStyle style;
        double width;
        const char* text;
    } const cases[] = {
        {TrpFrameStyle::fsSolid, 1, "[] 0 d"},
        {TrpFrameStyle::fsDouble, 1, "[] 0 d"},
        {TrpFrameStyle::fsAltDot, 1, "[] 0 d"},
        {TrpFrameStyle::fsSquare, 3, "[] 0 d"},
        {TrpFrameStyle::fsDash, 1, "[6.00 ] 0 d"},
        {TrpFrameStyle::fsDot, 1, "[2.00 6.00 ] 0 d"},
        {TrpFrameStyle::fsDashDot, 1, "[6.00 6.00 2.00 6.00 ] 0 d"},
        {TrpFrameStyle::fsDashDotDot, 1, "[6.00 6.00 2.00 6.00 2.00 6.00 ] 0 d"},
        {TrpFrameStyle::fsDash, 2.5, "[15.00 ] 0 d"},
        {TrpFrameStyle::fsDot, 0.125, "[0.25 0.75 ] 0 d"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DashOperator(c.style, c.width), c.text) << static_cast<int>(c.style) << " " << c.width;
}

}  // namespace
}  // namespace lk63
