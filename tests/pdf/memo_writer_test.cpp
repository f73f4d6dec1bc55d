#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "pdf/color_operand.h"
#include "pdf/memo_writer.h"
#include "pdf/page_state.h"
#include "pdf/pdf_font_list.h"
#include "pdf/pdf_writer_lock.h"
#include "platform/fonts/font_fallback.h"
#include "report/band.h"
#include "report/draw_text.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/units.h"

namespace lk63 {
namespace {

constexpr std::uint8_t kBold = static_cast<std::uint8_t>(TrpFontStyle::fsBold);
constexpr std::uint8_t kItalic = static_cast<std::uint8_t>(TrpFontStyle::fsItalic);
constexpr std::uint8_t kUnderline = static_cast<std::uint8_t>(TrpFontStyle::fsUnderline);
constexpr std::uint8_t kStrikeOut = static_cast<std::uint8_t>(TrpFontStyle::fsStrikeOut);
constexpr std::uint8_t kLeft = static_cast<std::uint8_t>(TrpFrameSide::ftLeft);
constexpr std::uint8_t kRight = static_cast<std::uint8_t>(TrpFrameSide::ftRight);
constexpr std::uint8_t kTop = static_cast<std::uint8_t>(TrpFrameSide::ftTop);
constexpr std::uint8_t kBottom = static_cast<std::uint8_t>(TrpFrameSide::ftBottom);

TrpFont Font(int height, std::uint8_t style = 0, TrpColor color = clBlack, std::string name = "Arial") {
    TrpFont font;
    font.SetName(std::move(name));
    font.SetHeight(height);
    font.SetStyle(style);
    font.SetColor(color);
    return font;
}

// Every character 50 measuring units (8 pixels) wide, so that widths and
// positions can be worked out by hand; glyph ids still come from the font.
void FixedAdvances(const platform::TFontKey&, int, std::u16string_view line, std::vector<int>& positions) {
    positions.resize(line.size());
    for (std::size_t i = 0; i < line.size(); ++i) positions[i] = static_cast<int>(50 * (i + 1));
}

// An A4 page with 10 mm margins as the export opens it, one band on it.
class MemoWriterFixture {
public:
    explicit MemoWriterFixture(double bandTop) {
        page_.SetLeft(10 * rp01cm);
        page_.SetTop(10 * rp01cm);
        band_ = page_.Add(std::make_unique<TrpMasterData>());
        band_->SetBounds(0, bandTop, 718.1107, 100);
        memo_ = band_->Add(std::make_unique<TrpMemoView>());
        memo_->SetFont(Font(-13));
        memo_->Frame.SetTyp(kAllFrameSides);
        GlobalDrawText().SetMeasureFunction(FixedAdvances);
    }
    ~MemoWriterFixture() { GlobalDrawText().SetMeasureFunction({}); }

    TrpMemoView& Memo() { return *memo_; }
    TrpPDFFontList& Fonts() { return fonts_; }

    std::string Write() {
        std::string content;
        const TrpPDFPageState page{210 * rp01cm * 0.75, 297 * rp01cm * 0.75, 0.5, 0.5};
        WriteMemoView(content, *memo_, page, colors_, fonts_);
        return content;
    }

private:
    TrpReportPage page_;
    TrpBand* band_ = nullptr;
    TrpMemoView* memo_ = nullptr;
    TrpColorOperand colors_;
    TrpPDFFontList fonts_;
};

struct MemoCase {
    const char* name;
    double bandTop;
    std::function<void(TrpMemoView&)> setUp;
    const char* expected;
};

class MemoWriterTest : public testing::TestWithParam<MemoCase> {};

TEST_P(MemoWriterTest, WritesClipBackgroundFrameAndTextByteForByte) {
    const MemoCase& c = GetParam();
    MemoWriterFixture fixture(c.bandTop);
    c.setUp(fixture.Memo());
    EXPECT_EQ(fixture.Write(), c.expected);
}

// Worked out from the placement rules with 8-pixel characters; the page is
// A4, so X(x) = 0.75x + 0.5 and Y(y) = 841.39 - 0.75y before formatting.
INSTANTIATE_TEST_SUITE_P(
    Memos, MemoWriterTest,
    testing::Values(
    MemoCase{"Title", 18.89765,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 718.1107, 26.45671);
                  m.SetFont(Font(-21, kBold, 8210719));
                  m.SetColor(15853019);
                  m.HAlign = TrpHAlign::haCenter;
                  m.Memo = {u"AB"};
              },
            "q\r\n"
            "28.10 778.28 540.08 21.34 re\r\n"
            "W\r\n"
            "n\r\n"
            "0.86 0.90 0.95 rg\r\n"
            "28.85 779.03 538.58 19.84 re\r\n"
            "f\r\n"
            "0 0 0 RG\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 798.87 m\r\n"
            "567.43 798.87 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "567.43 798.87 m\r\n"
            "567.43 779.03 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 779.03 m\r\n"
            "567.43 779.03 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 798.87 m\r\n"
            "28.85 779.03 l\r\n"
            "S\r\n"
            "/F0 16 Tf\r\n"
            "0.12 0.29 0.49 rg\r\n"
            "BT\r\n"
            "291.51 781.86 Td\r\n"
            "<00240025> Tj\r\n"
            "ET\r\n"
            "Q\r\n"},
    MemoCase{"OrderCode", 700,
              [](TrpMemoView& m) {
                  m.SetBounds(566.9295, 7.55906, 151.1812, 15.11811024);
                  m.SetFont(Font(-1));
                  m.Frame.SetTyp(0);
                  m.GapX = 5;
                  m.HAlign = TrpHAlign::haRight;
                  m.WordWrap = false;
                  m.Memo = {u"AB"};
              },
            "q\r\n"
            "453.29 270.29 114.89 12.84 re\r\n"
            "W\r\n"
            "n\r\n"
            "/F0 1 Tf\r\n"
            "0 0 0 rg\r\n"
            "BT\r\n"
            "550.56 279.24 Td\r\n"
            "<00240025> Tj\r\n"
            "ET\r\n"
            "Q\r\n"},
    MemoCase{"CompositionLine", 699.21305,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 718.1107, 18.89765);
                  m.Frame.SetTyp(kLeft | kRight);
                  m.GapX = 5;
                  m.Memo = {u"A"};
              },
            "q\r\n"
            "28.10 273.71 540.08 15.67 re\r\n"
            "W\r\n"
            "n\r\n"
            "0 0 0 RG\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "567.43 288.63 m\r\n"
            "567.43 274.46 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 288.63 m\r\n"
            "28.85 274.46 l\r\n"
            "S\r\n"
            "/F0 10 Tf\r\n"
            "0 0 0 rg\r\n"
            "BT\r\n"
            "34.55 277.17 Td\r\n"
            "<0024> Tj\r\n"
            "ET\r\n"
            "Q\r\n"},
    MemoCase{"NoTextLines", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 200, 20);
              },
            "q\r\n"
            "28.10 722.29 151.50 16.50 re\r\n"
            "W\r\n"
            "n\r\n"
            "0 0 0 RG\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 738.04 m\r\n"
            "178.85 738.04 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "178.85 738.04 m\r\n"
            "178.85 723.04 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 723.04 m\r\n"
            "178.85 723.04 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 738.04 m\r\n"
            "28.85 723.04 l\r\n"
            "S\r\n"
            "Q\r\n"},
    MemoCase{"EmptySourceLine", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 200, 20);
                  m.SetColor(clGray);
                  m.Memo = {u""};
              },
            "q\r\n"
            "28.10 722.29 151.50 16.50 re\r\n"
            "W\r\n"
            "n\r\n"
            "0.50 0.50 0.50 rg\r\n"
            "28.85 723.04 150.00 15.00 re\r\n"
            "f\r\n"
            "0 0 0 RG\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 738.04 m\r\n"
            "178.85 738.04 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "178.85 738.04 m\r\n"
            "178.85 723.04 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 723.04 m\r\n"
            "178.85 723.04 l\r\n"
            "S\r\n"
            "0 0 0 RG\r\n"
            "[] 0 d\r\n"
            "0.75 w\r\n"
            "28.85 738.04 m\r\n"
            "28.85 723.04 l\r\n"
            "S\r\n"
            "/F0 10 Tf\r\n"
            "0 0 0 rg\r\n"
            "BT\r\n"
            "31.17 726.58 Td\r\n"
            "<0003> Tj\r\n"
            "ET\r\n"
            "Q\r\n"},
    MemoCase{"TwoLinesCentredVertically", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(10, 5, 300, 60);
                  m.Frame.SetTyp(0);
                  m.VAlign = TrpVAlign::vaCenter;
                  m.HAlign = TrpHAlign::haRight;
                  m.CharSpacing = 1;
                  m.Memo = {u"A", u"B"};
              },
            "q\r\n"
            "35.60 688.54 226.50 46.50 re\r\n"
            "W\r\n"
            "n\r\n"
            "/F0 10 Tf\r\n"
            "0 0 0 rg\r\n"
            "0.75 Tc\r\n"
            "BT\r\n"
            "251.70 714.04 Td\r\n"
            "<0024> Tj\r\n"
            "ET\r\n"
            "BT\r\n"
            "251.70 702.58 Td\r\n"
            "<0025> Tj\r\n"
            "ET\r\n"
            "Q\r\n"},
    MemoCase{"BottomWithParagraphGap", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(10, 5, 300, 60);
                  m.SetFont(Font(-16));
                  m.Frame.SetTyp(0);
                  m.VAlign = TrpVAlign::vaBottom;
                  m.ParagraphGap = 3;
                  m.Memo = {u"A", u"", u"B"};
              },
            "q\r\n"
            "35.60 688.54 226.50 46.50 re\r\n"
            "W\r\n"
            "n\r\n"
            "/F0 12 Tf\r\n"
            "0 0 0 rg\r\n"
            "BT\r\n"
            "40.94 720.94 Td\r\n"
            "<0024> Tj\r\n"
            "ET\r\n"
            "BT\r\n"
            "38.69 707.44 Td\r\n"
            "<0003> Tj\r\n"
            "ET\r\n"
            "BT\r\n"
            "38.69 693.94 Td\r\n"
            "<0025> Tj\r\n"
            "ET\r\n"
            "Q\r\n"},
    MemoCase{"DoubleDashedFrame", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 200, 20);
                  m.Frame.SetTyp(kTop | kBottom);
                  m.Frame.SetWidth(2);
                  m.Frame.SetColor(0x0000FF);
                  m.Frame.SetStyle(TrpFrameStyle::fsDouble);
              },
            "q\r\n"
            "27.35 721.54 153.00 18.00 re\r\n"
            "W\r\n"
            "n\r\n"
            "1.00 0.00 0.00 RG\r\n"
            "1.00 0.00 0.00 RG\r\n"
            "[] 0 d\r\n"
            "1.50 w\r\n"
            "28.85 738.04 m\r\n"
            "178.85 738.04 l\r\n"
            "S\r\n"
            "1.00 0.00 0.00 RG\r\n"
            "[] 0 d\r\n"
            "1.50 w\r\n"
            "30.85 736.04 m\r\n"
            "176.85 736.04 l\r\n"
            "S\r\n"
            "1.00 0.00 0.00 RG\r\n"
            "[] 0 d\r\n"
            "1.50 w\r\n"
            "28.85 723.04 m\r\n"
            "178.85 723.04 l\r\n"
            "S\r\n"
            "1.00 0.00 0.00 RG\r\n"
            "[] 0 d\r\n"
            "1.50 w\r\n"
            "30.85 725.04 m\r\n"
            "176.85 725.04 l\r\n"
            "S\r\n"
            "Q\r\n"},
    MemoCase{"UnderlinedStruckOut", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 200, 20);
                  m.SetFont(Font(-13, kUnderline | kStrikeOut, clGray));
                  m.Frame.SetTyp(0);
                  m.Memo = {u"AB"};
              },
            "q\r\n"
            "28.10 722.29 151.50 16.50 re\r\n"
            "W\r\n"
            "n\r\n"
            "/F0 10 Tf\r\n"
            "0.50 0.50 0.50 rg\r\n"
            "BT\r\n"
            "31.17 726.58 Td\r\n"
            "<00240025> Tj\r\n"
            "ET\r\n"
            "[] 0 d\r\n"
            "0.50 0.50 0.50 RG\r\n"
            "0.80 w\r\n"
            "31.17 725.38 m\r\n"
            "43.17 725.38 l\r\n"
            "S\r\n"
            "0.50 0.50 0.50 RG\r\n"
            "0.80 w\r\n"
            "31.17 729.38 m\r\n"
            "43.17 729.38 l\r\n"
            "S\r\n"
            "Q\r\n"},
    MemoCase{"SimulatedBoldItalic", 100,
              [](TrpMemoView& m) {
                  m.SetBounds(0, 0, 200, 20);
                  m.SetFont(Font(-13, kBold | kItalic, clBlack, "MS UI Gothic"));
                  m.Frame.SetTyp(0);
                  m.Memo = {u"A"};
              },
            "q\r\n"
            "28.10 722.29 151.50 16.50 re\r\n"
            "W\r\n"
            "n\r\n"
            "/F0 10 Tf\r\n"
            "0 0 0 rg\r\n"
            "BT\r\n"
            "31.17 726.58 Td\r\n"
            "1 0 0.3333 1 31.17 726.58 Tm\r\n"
            "2 Tr 0.29 w 0 0 0 RG\r\n"
            "<0024> Tj\r\n"
            "ET\r\n"
            "0 Tr\r\n"
            "Q\r\n"}
),
    [](const testing::TestParamInfo<MemoCase>& info) { return std::string(info.param.name); });

TEST(MemoWriterFonts, OnlyMemosWithTextLinesRegisterTheirFont) {
    MemoWriterFixture fixture(100);
    fixture.Memo().SetBounds(0, 0, 200, 20);
    fixture.Write();  // no lines at all
    EXPECT_EQ(fixture.Fonts().Count(), 0u);
    fixture.Memo().SetFont(Font(-16, kBold));
    fixture.Memo().Memo = {u"Шапка"};
    fixture.Write();
    ASSERT_EQ(fixture.Fonts().Count(), 1u);
    EXPECT_EQ(fixture.Fonts()[0].PdfFontName(), "Arial,Bold");
    EXPECT_EQ(fixture.Fonts()[0].UsedGlyphs().size(), 4u);  // "а" twice
    fixture.Memo().SetFont(Font(-21, kBold, clGray));  // same PDF font, other size and colour
    EXPECT_NE(fixture.Write().find("/F0 16 Tf\r\n0.50 0.50 0.50 rg\r\n"), std::string::npos);
    fixture.Memo().SetFont(Font(-13));
    EXPECT_NE(fixture.Write().find("/F1 10 Tf\r\n"), std::string::npos);
}

// A line longer than the memo is written as the layout wrapped it, one text
// object per wrapped line, each measured on its own.
// What Arial lacks is drawn in the font that shows it: the line switches to
// that font's resource for the run and back to the memo's font before it ends.
TEST(MemoWriterFonts, CharactersTheFontLacksSwitchToTheFontThatShowsThem) {
    MemoWriterFixture fixture(100);
    fixture.Memo().SetBounds(0, 0, 400, 20);
    fixture.Memo().Memo = {u"ООО 中文 Ltd."};
    const std::string content = fixture.Write();
    ASSERT_EQ(fixture.Fonts().Count(), 2u);
    const TrpPDFFont& chinese = fixture.Fonts()[1];
    EXPECT_EQ(chinese.Font().Name(), platform::FallbackFont({"Arial", false, false}, U'中')->Family);
    ASSERT_EQ(chinese.UsedGlyphs().size(), 2u);
    const auto code = [&](std::size_t k) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", chinese.UsedGlyphs()[k].Cid);
        return std::string(hex);
    };
    EXPECT_NE(content.find("> Tj\r\n/F1 10 Tf\r\n<" + code(0) + code(1) + "> Tj\r\n/F0 10 Tf\r\n<"),
              std::string::npos)
        << content;
    EXPECT_EQ(content.find(" Tf", content.find("BT")), content.find("/F1 10 Tf") + 6);  // none before the run
    EXPECT_NE(content.find("/F0 10 Tf\r\n<", content.find("/F1 10 Tf")), std::string::npos);
    EXPECT_LT(content.rfind("/F0 10 Tf"), content.rfind("ET\r\n")) << "the line ends in the memo's font";
}

// A cluster of several glyphs is a span whose actual text is its characters.
TEST(MemoWriterFonts, ClustersOfSeveralGlyphsCarryTheirActualText) {
    MemoWriterFixture fixture(100);
    fixture.Memo().SetBounds(0, 0, 400, 20);
    fixture.Memo().SetFont(Font(-13, 0, clBlack, "Noto Sans Devanagari"));
    fixture.Memo().Memo = {u"विद्युत"};
    const std::string content = fixture.Write();
    const std::size_t span = content.find("/Span << /ActualText <FEFF0935093F> >> BDC\r\n<");
    ASSERT_NE(span, std::string::npos) << content;
    const std::size_t end = content.find("> Tj\r\nEMC\r\n<", span);
    ASSERT_NE(end, std::string::npos) << content;
    EXPECT_EQ(end - content.find('<', span + 40) - 1, 8u) << "the two glyphs of the cluster";
}

TEST(MemoWriterFonts, WritesTheWrappedLines) {
    MemoWriterFixture fixture(100);
    fixture.Memo().SetBounds(0, 0, 40, 60);  // text rectangle 37 px: four 8-pixel characters
    fixture.Memo().Memo = {u"AB AB"};
    const std::string content = fixture.Write();
    EXPECT_NE(content.find("<00240025> Tj\r\nET\r\nBT\r\n"), std::string::npos);
    std::size_t objects = 0;
    for (std::size_t at = 0; (at = content.find("<00240025> Tj", at)) != std::string::npos; ++at) ++objects;
    EXPECT_EQ(objects, 2u);
}

// The mutexes behind the two locks, to probe them from other threads.
std::recursive_mutex& LayoutMutex() { return *LockDrawText().mutex(); }
std::recursive_mutex& WriterMutex() { return *LockPdfWriter().mutex(); }

bool HeldByAnotherThread(std::recursive_mutex& mutex) {
    bool held = false;
    std::thread probe([&] {
        if (mutex.try_lock()) mutex.unlock();
        else held = true;
    });
    probe.join();
    return held;
}

// While the memo is laid out, nobody else can take either lock.
TEST(MemoWriterLocks, BothLocksAreHeldWhileTheMemoIsLaidOut) {
    MemoWriterFixture fixture(100);
    fixture.Memo().SetBounds(0, 0, 200, 20);
    fixture.Memo().Memo = {u"AB"};
    int checks = 0;
    GlobalDrawText().SetMeasureFunction(
        [&](const platform::TFontKey& key, int em, std::u16string_view line, std::vector<int>& positions) {
            EXPECT_TRUE(HeldByAnotherThread(LayoutMutex()));
            EXPECT_TRUE(HeldByAnotherThread(WriterMutex()));
            ++checks;
            FixedAdvances(key, em, line, positions);
        });
    fixture.Write();
    EXPECT_GT(checks, 0);
    EXPECT_FALSE(HeldByAnotherThread(LayoutMutex()));
    EXPECT_FALSE(HeldByAnotherThread(WriterMutex()));
}

// The layout lock comes first: with the writer's lock held elsewhere, the
// memo writer waits holding the layout lock, never the other way round.
TEST(MemoWriterLocks, TakesTheLayoutLockBeforeItsOwn) {
    MemoWriterFixture fixture(100);
    fixture.Memo().SetBounds(0, 0, 200, 20);
    fixture.Memo().Memo = {u"AB"};
    std::recursive_mutex& layout = LayoutMutex();
    std::recursive_mutex& writer = WriterMutex();

    std::atomic<bool> holding{false}, release{false};
    std::thread blocker([&] {
        std::lock_guard hold(writer);
        holding = true;
        while (!release) std::this_thread::yield();
    });
    while (!holding) std::this_thread::yield();

    std::atomic<bool> written{false};
    std::thread memoThread([&] {
        fixture.Write();
        written = true;
    });
    bool layoutTaken = false;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!layoutTaken && std::chrono::steady_clock::now() < giveUp) {
        if (layout.try_lock()) {
            layout.unlock();
            std::this_thread::yield();
        } else {
            layoutTaken = true;
        }
    }
    EXPECT_TRUE(layoutTaken) << "the writer did not take the layout lock while its own was busy";
    EXPECT_FALSE(written);
    release = true;
    blocker.join();
    memoThread.join();
    EXPECT_TRUE(written);
}

}  // namespace
}  // namespace lk63
