#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "inflate.h"
#include "pdf/pdf_font.h"
#include "pdf/pdf_font_list.h"
#include "pdf/pdf_output.h"
#include "platform/fonts/font_fallback.h"

namespace lk63 {
namespace {

TrpFont MakeFont(std::string name, std::uint8_t style = 0, int height = -13, TrpColor color = clBlack) {
    TrpFont font;
    font.SetName(std::move(name));
    font.SetStyle(style);
    font.SetHeight(height);
    font.SetColor(color);
    return font;
}

constexpr std::uint8_t kBold = static_cast<std::uint8_t>(TrpFontStyle::fsBold);
constexpr std::uint8_t kItalic = static_cast<std::uint8_t>(TrpFontStyle::fsItalic);
constexpr std::uint8_t kUnderline = static_cast<std::uint8_t>(TrpFontStyle::fsUnderline);

TEST(PdfFontName, EscapesDelimitersAndNamesRealStyles) {
    struct Case {
        std::string name;
        std::uint8_t style;
        const char* pdfName;
    } const cases[] = {
        {"Arial", 0, "Arial"},
        {"Arial", kBold, "Arial,Bold"},
        {"Arial", kItalic, "Arial,Italic"},
        {"Arial", kBold | kItalic, "Arial,BoldItalic"},
        {"Arial", kUnderline, "Arial"},  // underline is drawn, not a font style
        {"Arial Unicode MS", 0, "Arial#20Unicode#20MS"},
        {"a(b)%c<d>[e]{f}/g", 0, "a#28b#29#25c#3Cd#3E#5Be#5D#7Bf#7D#2Fg"},
        {"No#1", kBold, "No#1,Bold"},               // a "#" of the name stays as it is
        {"MS UI Gothic", kBold | kItalic, "MS#20UI#20Gothic"},  // simulated styles: no suffix
        {"Шрифт", 0, "#D0#A8#D1#80#D0#B8#D1#84#D1#82"},
        {"Tab\tFont", 0, "Tab#09Font"},  // would end the name token
    };
    for (const Case& c : cases) EXPECT_EQ(PdfFontName(MakeFont(c.name, c.style)), c.pdfName) << c.name;
}

TEST(PdfFontIdentity, NameAndStyleMatterSizeAndColourDoNot) {
    struct Case {
        TrpFont first, second;
        bool same;
    } const cases[] = {
        {MakeFont("Arial", 0, -13), MakeFont("Arial", 0, -21), true},
        {MakeFont("Arial", kBold, -13, clBlack), MakeFont("Arial", kBold, -19, clGray), true},
        {MakeFont("Arial", 0), MakeFont("Arial", kBold), false},
        {MakeFont("Arial", 0), MakeFont("Arial", kUnderline), false},
        {MakeFont("Arial", 0), MakeFont("arial", 0), false},
        {MakeFont("MS UI Gothic", 0), MakeFont("MS UI Gothic", kBold | kItalic), true},
        {MakeFont("Arial", 0), MakeFont("Arial Unicode MS", 0), false},
    };
    for (const Case& c : cases) {
        TrpPDFFontList fonts;
        const std::size_t a = fonts.FindOrAdd(c.first);
        const std::size_t b = fonts.FindOrAdd(c.second);
        EXPECT_EQ(a, 0u);
        EXPECT_EQ(b == a, c.same) << c.first.Name() << "/" << c.second.Name() << " " << int(c.second.Style());
        EXPECT_EQ(fonts.Count(), c.same ? 1u : 2u);
    }
}

TEST(PdfFontList, NamesFontsByOrderOfFirstUse) {
    TrpPDFFontList fonts;
    EXPECT_EQ(fonts.FindOrAdd(MakeFont("Arial", kBold, -21)), 0u);
    EXPECT_EQ(fonts.FindOrAdd(MakeFont("Arial", 0, -13)), 1u);
    EXPECT_EQ(fonts.FindOrAdd(MakeFont("Arial", kBold, -13)), 0u);
    EXPECT_EQ(fonts[0].ResourceName(), "/F0");
    EXPECT_EQ(fonts[1].ResourceName(), "/F1");
    EXPECT_EQ(fonts[0].PdfFontName(), "Arial,Bold");
    EXPECT_EQ(fonts[1].PdfFontName(), "Arial");
    EXPECT_EQ(fonts[1].Font().Size(), 750);  // an em of 1000 pixels
}

// The characters each newly used glyph stands for, in order of first use.
std::vector<std::u16string> TextsOf(const TrpPDFFont& font) {
    std::vector<std::u16string> texts;
    for (const TrpUsedGlyph& g : font.UsedGlyphs()) texts.push_back(g.Text);
    return texts;
}

struct MappingCase {
    const char* name;
    std::string family;
    std::u16string line;
    bool rightToLeft;
    std::vector<std::u16string> texts;
};

class GlyphMappingTest : public testing::TestWithParam<MappingCase> {};

TEST_P(GlyphMappingTest, GlyphsStandForTheCharactersOfTheirCluster) {
    const MappingCase& c = GetParam();
    TrpPDFFont font(MakeFont(c.family), 0);
    const std::u16string glyphs = font.MapTextToGlyphs(c.line, c.rightToLeft);
    ASSERT_EQ(glyphs.size(), font.UsedGlyphs().size());
    for (std::size_t k = 0; k < glyphs.size(); ++k) EXPECT_EQ(glyphs[k], font.UsedGlyphs()[k].GlyphId) << k;
    EXPECT_EQ(TextsOf(font), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, GlyphMappingTest,
    testing::Values(
        MappingCase{"LeftToRight", "Arial", u"Лист 1", false, {u"Л", u"и", u"с", u"т", u" ", u"1"}},
        // Visual order: glyph k stands for character n - 1 - k.
        MappingCase{"RightToLeft", "Arial", u"שלום", true, {u"ם", u"ו", u"ל", u"ש"}},
        // Cyrillic stays left to right in a right-to-left memo, where the
        // positional rule would map the glyphs backwards.
        MappingCase{"CyrillicInRightToLeftMemo", "Arial", u"шлем", true, {u"ш", u"л", u"е", u"м"}},
        MappingCase{"HebrewInsideLatin", "Arial", u"ab שלו", false, {u"a", u"b", u" ", u"ו", u"ל", u"ש"}},
        MappingCase{"SurrogatePair", "Arial", u"a\U0001F600b", false, {u"a", u"\U0001F600", u"b"}},
        // A base and a combining accent that do not compose: each glyph
        // stands for its own character, so "е" keeps reading as "е".
        MappingCase{"CombiningMark", "Arial", u"е\u0301ж", false, {u"е", u"\u0301", u"ж"}},
        // Characters without appearance give no glyph and no text.
        MappingCase{"SoftHyphenAndBidiMark", "Arial", u"а\u00ADб \u200Eв", false, {u"а", u"б", u" ", u"в"}},
        MappingCase{"Ligature", "DejaVu Sans", u"file", false, {u"fi", u"l", u"e"}}),
    [](const testing::TestParamInfo<MappingCase>& info) { return std::string(info.param.name); });

TEST(PdfFontGlyphs, KeepTheWidthAndCharactersOfTheirFirstUse) {
    TrpPDFFont font(MakeFont("Arial"), 0);
    const std::u16string first = font.MapTextToGlyphs(u"Аа", false);
    const std::vector<TrpUsedGlyph> before = font.UsedGlyphs();
    ASSERT_EQ(before.size(), 2u);
    const std::u16string again = font.MapTextToGlyphs(u"аА аА", false);
    ASSERT_EQ(again.size(), 5u);
    EXPECT_EQ(again[0], first[1]);
    EXPECT_EQ(again[1], first[0]);
    ASSERT_EQ(font.UsedGlyphs().size(), 3u);  // only the space is new
    EXPECT_EQ(font.UsedGlyphs()[0], before[0]);
    EXPECT_EQ(font.UsedGlyphs()[1], before[1]);
    EXPECT_GT(before[0].Advance, before[1].Advance);  // capital wider than small
}

// Embedded, a code stands for one glyph with one width and one text: a
// glyph met again with other characters gets a code of its own beyond the
// font's glyph ids, which the CID-to-glyph map leads back to the glyph.
TEST(PdfFontGlyphs, EmbeddedGlyphMetWithOtherCharactersGetsAnotherCode) {
    struct Case {
        const char* name;
        std::u16string first, second;
        bool sameCode;
    } const cases[] = {
        {"MissingGlyphOfTwoCharacters", u"中", u"文", false},
        {"ComposedAndDecomposed", u"й", u"и\u0306", false},  // one glyph, drawn for both
        {"SameCharacterAgain", u"й", u"й", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrpPDFFont font(MakeFont("Arial"), 0, true);
        const std::u16string first = font.MapTextToGlyphs(c.first, false);
        const std::u16string second = font.MapTextToGlyphs(c.second, false);
        ASSERT_EQ(first.size(), 1u);
        ASSERT_EQ(second.size(), 1u);
        const std::vector<TrpUsedGlyph>& used = font.UsedGlyphs();
        ASSERT_EQ(used.size(), c.sameCode ? 1u : 2u);
        EXPECT_EQ(used[0].Cid, used[0].GlyphId);  // the first code is the glyph's own id
        EXPECT_EQ(used[0].Text, c.first);
        EXPECT_EQ(first[0], used[0].Cid);
        if (c.sameCode) {
            EXPECT_EQ(second, first);
            continue;
        }
        EXPECT_EQ(used[1].GlyphId, used[0].GlyphId);
        EXPECT_EQ(used[1].Text, c.second);
        EXPECT_EQ(second[0], used[1].Cid);
        EXPECT_GE(used[1].Cid, 2620);  // beyond the glyph ids of Liberation Sans
        // The same characters again reuse their code.
        EXPECT_EQ(font.MapTextToGlyphs(c.second, false), second);
        EXPECT_EQ(font.UsedGlyphs().size(), 2u);
    }
    // Named, the glyph id is the only code and keeps its first use.
    TrpPDFFont named(MakeFont("Arial"), 0);
    const std::u16string chinese = named.MapTextToGlyphs(u"中", false);
    EXPECT_EQ(named.MapTextToGlyphs(u"文", false), chinese);
    ASSERT_EQ(named.UsedGlyphs().size(), 1u);
    EXPECT_EQ(named.UsedGlyphs()[0].Text, u"中");
}

// A line's runs: one in the font when it lacks nothing; otherwise the
// fonts that show the rest join the list in the memo font's style and hold
// the glyphs of their characters.
TEST(PdfFontList, LinesRunIntoTheFontsThatShowWhatTheFontLacks) {
    for (const bool embedded : {false, true}) {
        SCOPED_TRACE(embedded ? "embedded" : "named");
        TrpPDFFontList fonts;
        fonts.SetEmbedded(embedded);
        const std::size_t arial = fonts.FindOrAdd(MakeFont("Arial", kBold));
        const std::vector<TrpGlyphRun> plain = fonts.MapTextToRuns(arial, u"Лист", false);
        ASSERT_EQ(plain.size(), 1u);
        EXPECT_EQ(plain[0].Font, arial);
        EXPECT_EQ(plain[0].Codes.size(), 4u);
        EXPECT_EQ(fonts.Count(), 1u);

        const std::vector<TrpGlyphRun> runs = fonts.MapTextToRuns(arial, u"ab 中文", false);
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_EQ(runs[0].Font, arial);
        ASSERT_EQ(fonts.Count(), 2u);
        EXPECT_EQ(runs[1].Font, 1u);
        const TrpPDFFont& other = fonts[1];
        EXPECT_EQ(other.Font().Name(), platform::FallbackFont({"Arial", true, false}, U'中')->Family);
        EXPECT_TRUE(other.Font().Has(TrpFontStyle::fsBold));
        EXPECT_EQ(other.ResourceName(), "/F1");
        EXPECT_EQ(other.Embedded(), embedded);
        EXPECT_EQ(TextsOf(other), (std::vector<std::u16string>{u"中", u"文"}));
        for (const TrpUsedGlyph& g : other.UsedGlyphs()) EXPECT_NE(g.GlyphId, 0);
        // The next line in need of it finds it in the list.
        EXPECT_EQ(fonts.MapTextToRuns(arial, u"文", false)[0].Font, 1u);
        EXPECT_EQ(fonts.Count(), 2u);
    }
}

// Devanagari draws the vowel sign of "वि" before its consonant: two glyphs
// of one cluster. The first stands for both characters, the second for
// nothing visible, and the run marks the pair so that a reader can take
// the cluster's text for both.
TEST(PdfFontList, ClusterOfSeveralGlyphsIsGivenItsText) {
    TrpPDFFontList fonts;
    fonts.SetEmbedded(true);
    const std::size_t font = fonts.FindOrAdd(MakeFont("Noto Sans Devanagari"));
    const std::vector<TrpGlyphRun> runs = fonts.MapTextToRuns(font, u"विद्युत", false);
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_GE(runs[0].Codes.size(), 4u);
    EXPECT_EQ(runs[0].Spans, (std::vector<TrpActualText>{{0, 2, u"वि"}}));
    const std::vector<std::u16string> texts = TextsOf(fonts[font]);
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], u"वि");
    EXPECT_EQ(texts[1], u"\u034F");
}

TEST(PdfFontGlyphs, EmptyLineRegistersNothing) {
    TrpPDFFont font(MakeFont("Arial"), 0);
    EXPECT_TRUE(font.MapTextToGlyphs(u"", false).empty());
    EXPECT_TRUE(font.MapTextToGlyphs(u"", true).empty());
    EXPECT_TRUE(font.UsedGlyphs().empty());
}

// Two objects before the font, whose Type0 number 3 was reserved on a page.
std::string WriteFont(TrpPDFFont& font, bool compressed, std::vector<std::uint64_t>* offsets = nullptr) {
    std::string bytes;
    TrpStringSink sink(bytes);
    TrpPDFOutput out(sink);
    out.WriteLine("%PDF-1.5");
    out.NewObjectNumber();
    out.NewObjectNumber();
    font.SetObjectNumber(out.NewObjectNumber());
    font.WriteObjects(out, compressed);
    out.Flush();
    if (offsets) *offsets = out.Offsets();
    return bytes;
}

TEST(PdfFontObjects, FontThatOnlyMetEmptyLinesIsWrittenByteForByte) {
    TrpPDFFont font(MakeFont("Arial"), 0);
    font.MapTextToGlyphs(u"", false);
    std::vector<std::uint64_t> offsets;
    const std::string bytes = WriteFont(font, false, &offsets);
    const std::string expected =
        "%PDF-1.5\r\n"
        "4 0 obj\r\n<<\r\n/Type /FontDescriptor\r\n/FontName /Arial\r\n/FontFamily /Arial\r\n/Flags 32\r\n"
        "/FontBBox [-544 -303 1302 980 ]\r\n/ItalicAngle 0\r\n/Ascent 905\r\n/Descent -212\r\n"
        "/Leading 117\r\n/CapHeight 1117\r\n/StemV 88\r\n/AvgWidth 580\r\n/MaxWidth 1338\r\n"
        "/MissingWidth 580\r\n>>\r\nendobj\r\n"
        "5 0 obj\r\n<< /Length 330 /Length1 330 >>\r\nstream\r\n"
        "/CIDInit /ProcSet findresource begin\r\n12 dict begin\r\nbegincmap\r\n/CIDSystemInfo\r\n"
        "<< /Registry (Adobe)\r\n/Ordering (UCS)\r\n/Supplement 0\r\n>> def\r\n/CMapName /Arial def\r\n"
        "/CMapType 2 def\r\n1 begincodespacerange\r\n<0000> <FFFF>\r\nendcodespacerange\r\n"
        "0 beginbfchar\r\nendbfchar\r\nendcmap\r\nCMapName currentdict /CMap defineresource pop\r\n"
        "end\r\nend\r\nendstream\r\nendobj\r\n"
        "6 0 obj\r\n<<\r\n/Registry (Adobe) /Ordering (Identity) /Supplement 0\r\n>>\r\nendobj\r\n"
        "7 0 obj\r\n<<\r\n/Type /Font\r\n/Subtype /CIDFontType2\r\n/BaseFont /Arial\r\n/CIDSystemInfo 6 0 R\r\n"
        "/FontDescriptor 4 0 R\r\n/W [ ]\r\n>>\r\nendobj\r\n"
        "3 0 obj\r\n<<\r\n/Type /Font\r\n/Subtype /Type0\r\n/BaseFont /Arial\r\n/Encoding /Identity-H\r\n"
        "/DescendantFonts [7 0 R]\r\n/ToUnicode 5 0 R\r\n>>\r\nendobj\r\n";
    EXPECT_EQ(bytes, expected);
    ASSERT_EQ(offsets.size(), 7u);
    for (int n = 3; n <= 7; ++n)
        EXPECT_EQ(bytes.compare(offsets[n - 1], std::to_string(n).size() + 6, std::to_string(n) + " 0 obj"), 0)
            << "object " << n;
}

TEST(PdfFontObjects, BoldFontListsItsGlyphsWithWidthsAndCharacters) {
    TrpPDFFont font(MakeFont("Arial", kBold), 0);
    font.MapTextToGlyphs(u"Ab Аб", false);
    font.MapTextToGlyphs(u"bA", false);
    const std::string bytes = WriteFont(font, false);
    EXPECT_NE(bytes.find("/FontName /Arial,Bold\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("/StemV 166\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("/CMapName /Arial+Bold def\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("5 beginbfchar\r\n<0024> <0041>\r\n<0045> <0062>\r\n<0003> <0020>\r\n<03C1> <0410>\r\n"
                         "<03E2> <0431>\r\nendbfchar\r\n"),
              std::string::npos);
    const std::size_t w = bytes.find("/W [");
    EXPECT_EQ(bytes.substr(w, bytes.find("\r\n", w) - w), "/W [ 36 [722] 69 [611] 3 [278] 961 [722] 994 [618] ]");
}

// More than 100 glyphs: blocks of at most 100 entries, all glyphs listed.
TEST(PdfFontObjects, ToUnicodeSplitsIntoBlocksOfAtMostOneHundred) {
    std::u16string line;
    for (char16_t c = u'!'; c <= u'~'; ++c) line += c;        // 94 Latin
    for (char16_t c = u'А'; c <= u'я'; ++c) line += c;        // 64 Cyrillic
    TrpPDFFont font(MakeFont("Arial"), 0);
    font.MapTextToGlyphs(line, false);
    ASSERT_EQ(font.UsedGlyphs().size(), 158u);

    const std::string text = font.ToUnicodeText();
    EXPECT_NE(text.find("endcodespacerange\r\n100 beginbfchar\r\n"), std::string::npos);
    EXPECT_NE(text.find("endbfchar\r\n58 beginbfchar\r\n"), std::string::npos);
    EXPECT_EQ(text.find("beginbfchar", text.find("58 beginbfchar") + 14), std::string::npos);
    // Every glyph once, in order of first use, with its character.
    std::string entries;
    for (const TrpUsedGlyph& g : font.UsedGlyphs()) {
        char entry[32];
        std::snprintf(entry, sizeof entry, "<%04X> <%04X>\r\n", g.GlyphId, static_cast<unsigned>(g.Text[0]));
        entries += entry;
    }
    std::string listed;
    for (std::size_t at = 0; (at = text.find("beginbfchar\r\n", at)) != std::string::npos;) {
        at += 13;
        listed += text.substr(at, text.find("endbfchar", at) - at);
    }
    EXPECT_EQ(listed, entries);

    // The stream holds the same text deflated, its lengths as declared.
    const std::string bytes = WriteFont(font, true);
    const std::string head = "5 0 obj\r\n<< /Length ";
    const std::size_t start = bytes.find(head);
    ASSERT_NE(start, std::string::npos);
    const std::size_t lengthEnd = bytes.find(' ', start + head.size());
    const std::size_t packedLength = std::stoul(bytes.substr(start + head.size(), lengthEnd - start - head.size()));
    const std::string rest = "  /Filter /FlateDecode /Length1 " + std::to_string(text.size()) + " >>\r\nstream\r\n";
    ASSERT_EQ(bytes.compare(lengthEnd, rest.size(), rest), 0);
    const std::size_t data = lengthEnd + rest.size();
    EXPECT_EQ(test::Inflate(std::string_view(bytes).substr(data, packedLength)), text);
    EXPECT_EQ(bytes.compare(data + packedLength, 19, "endstream\r\nendobj\r\n"), 0);
}

// The value of `key` in the dictionary of object `number`, up to the line end.
std::string EntryOf(const std::string& bytes, int number, const std::string& key) {
    const std::size_t object = bytes.find("\r\n" + std::to_string(number) + " 0 obj\r\n");
    const std::size_t at = bytes.find("\r\n" + key + " ", object);
    if (object == std::string::npos || at == std::string::npos) return {};
    const std::size_t start = at + key.size() + 3;
    return bytes.substr(start, bytes.find("\r\n", start) - start);
}

// The deflated data of stream object `number`, its declared length checked.
std::string InflatedStream(const std::string& bytes, int number) {
    const std::string head = "\r\n" + std::to_string(number) + " 0 obj\r\n<< /Length ";
    const std::size_t at = bytes.find(head);
    if (at == std::string::npos) return {};
    const std::size_t length = std::stoul(bytes.substr(at + head.size()));
    const std::size_t data = bytes.find(">>\r\nstream\r\n", at) + 12;
    std::string inflated = test::Inflate(std::string_view(bytes).substr(data, length));
    const std::size_t end = bytes.find("endstream\r\nendobj\r\n", data + length);
    EXPECT_TRUE(end == data + length || end == data + length + 2) << number;
    return inflated;
}

TEST(PdfFontObjects, EmbeddedFontCarriesTheSubsetOfItsProgram) {
    TrpPDFFont font(MakeFont("Arial", kItalic), 0, true);
    font.MapTextToGlyphs(u"Опросный лист", false);
    const std::string bytes = WriteFont(font, true);
    // Program 4, descriptor 5, ToUnicode 6, system info 7, descendant 8, Type0 3.
    const std::string program = InflatedStream(bytes, 4);
    ASSERT_GT(program.size(), 12u);
    EXPECT_EQ(program.compare(0, 4, std::string("\0\1\0\0", 4)), 0);  // TrueType outlines
    EXPECT_NE(bytes.find("/FlateDecode /Length1 " + std::to_string(program.size()) + " >>"), std::string::npos);
    EXPECT_LT(program.size(), 40000u);  // a subset, not the 400 KB file

    const std::string name = EntryOf(bytes, 5, "/FontName");
    EXPECT_TRUE(std::regex_match(name, std::regex("/[A-Z]{6}\\+LiberationSans-Italic"))) << name;
    EXPECT_EQ(EntryOf(bytes, 8, "/BaseFont"), name);
    EXPECT_EQ(EntryOf(bytes, 3, "/BaseFont"), name);
    EXPECT_EQ(EntryOf(bytes, 5, "/FontFile2"), "4 0 R");
    EXPECT_EQ(EntryOf(bytes, 5, "/Flags"), "68");  // symbolic, italic
    EXPECT_EQ(EntryOf(bytes, 5, "/ItalicAngle"), "-12");
    EXPECT_EQ(EntryOf(bytes, 8, "/CIDToGIDMap"), "/Identity");
    EXPECT_NE(InflatedStream(bytes, 6).find("/CMapName /" + name.substr(1) + " def"), std::string::npos);

    // The same glyphs give the same name; others another.
    TrpPDFFont same(MakeFont("Arial", kItalic), 0, true);
    same.MapTextToGlyphs(u"лист Опросный", false);
    EXPECT_EQ(EntryOf(WriteFont(same, true), 5, "/FontName"), name);
    TrpPDFFont other(MakeFont("Arial", kItalic), 0, true);
    other.MapTextToGlyphs(u"Опросный лист!", false);
    EXPECT_NE(EntryOf(WriteFont(other, true), 5, "/FontName"), name);
}

TEST(PdfFontObjects, FurtherCodesAreLedBackToTheirGlyphsByAMap) {
    TrpPDFFont font(MakeFont("Arial"), 0, true);
    font.MapTextToGlyphs(u"中 文", false);
    const std::string bytes = WriteFont(font, true);
    // Program 4, descriptor 5, ToUnicode 6, system info 7, map 8, descendant 9.
    EXPECT_EQ(EntryOf(bytes, 9, "/CIDToGIDMap"), "8 0 R");
    const std::string map = InflatedStream(bytes, 8);
    ASSERT_EQ(font.UsedGlyphs().size(), 3u);
    const TrpUsedGlyph& further = font.UsedGlyphs()[2];
    ASSERT_EQ(map.size(), 2u * (further.Cid + 1u));
    for (const TrpUsedGlyph& g : font.UsedGlyphs()) {
        const unsigned glyph = static_cast<unsigned char>(map[2 * g.Cid]) << 8 | static_cast<unsigned char>(map[2 * g.Cid + 1]);
        EXPECT_EQ(glyph, g.GlyphId) << g.Cid;
    }
    const std::string widths = EntryOf(bytes, 9, "/W");
    EXPECT_EQ(widths, "[ 0 [" + std::to_string(font.UsedGlyphs()[0].Advance) + "] 3 [278] " +
                          std::to_string(further.Cid) + " [" + std::to_string(further.Advance) + "] ]");
    const std::string toUnicode = InflatedStream(bytes, 6);
    char entry[32];
    std::snprintf(entry, sizeof entry, "<%04X> <6587>", further.Cid);
    EXPECT_NE(toUnicode.find("3 beginbfchar\r\n<0000> <4E2D>\r\n<0003> <0020>\r\n" + std::string(entry)),
              std::string::npos)
        << toUnicode;
}

TEST(PdfFontObjects, FontWithoutReservedNumberIsNotWritten) {
    TrpPDFFont font(MakeFont("Arial"), 0);
    std::string bytes;
    TrpStringSink sink(bytes);
    TrpPDFOutput out(sink);
    EXPECT_THROW(font.WriteObjects(out, false), std::logic_error);
}

}  // namespace
}  // namespace lk63
