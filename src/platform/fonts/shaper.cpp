#include "platform/fonts/shaper.h"

#include "platform/fonts/font_fallback.h"
#include "platform/fonts/font_file.h"
#include "platform/fonts/free_type_face.h"
#include "platform/fonts/text_runs.h"
#include "platform/unicode.h"

#include <hb-ft.h>
#include <hb-ot.h>
#include <hb.h>
#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace lk63::platform {

// Characters whose shaping in this font is the font's own glyph for them and
// its advance: no feature HarfBuzz applies to left-to-right text of the simple
// scripts touches the glyph, it is no mark, and the character needs neither
// the bidi algorithm nor a script shaper. A line of such characters skips
// itemising and HarfBuzz and gives what they would give.
class TPlainGlyphs {
public:
    TPlainGlyphs(hb_font_t* font, unsigned unitsPerEm);
    ~TPlainGlyphs();
    TPlainGlyphs(const TPlainGlyphs&) = delete;
    TPlainGlyphs& operator=(const TPlainGlyphs&) = delete;

    // Appends the line's glyphs and gives true, or leaves `glyphs` alone
    // and gives false when a character may shape otherwise.
    bool Map(std::u16string_view line, std::vector<TShapedGlyph>& glyphs);

private:
    struct TEntry {
        std::uint16_t Glyph = 0;  // 0: not plain
        bool Known = false;
        int Advance = 0;
    };
    using TPage = std::array<TEntry, 256>;

    const TEntry& For(char16_t c);
    [[nodiscard]] bool Plain(char16_t c, hb_codepoint_t glyph) const;
    void Block(hb_tag_t table, bool skipMarkPositioning);

    hb_font_t* FFont;
    unsigned FUnitsPerEm;
    bool FUsable = true;  // fonts shaped by tables other than GSUB/GPOS never are
    hb_set_t* FBlocked;   // glyphs some applied lookup may change
    std::array<std::unique_ptr<TPage>, 256> FPages;
};

struct TShaperFont {
    struct TFontDeleter {
        void operator()(hb_font_t* font) const { hb_font_destroy(font); }
    };
    struct TBufferDeleter {
        void operator()(hb_buffer_t* buffer) const { hb_buffer_destroy(buffer); }
    };

    std::unique_ptr<TFreeTypeFace> Face;  // outlives the HarfBuzz font made over it
    std::unique_ptr<hb_font_t, TFontDeleter> Font;
    std::unique_ptr<hb_buffer_t, TBufferDeleter> Buffer;
    unsigned UnitsPerEm = 0;
    std::vector<std::uint32_t> Clusters;  // reused between runs
    std::unique_ptr<TPlainGlyphs> Plain;  // made on the first line
};

namespace {

// The face is sized to one pixel per font unit, so HarfBuzz positions (26.6)
// are exact design units and rounding to thousandths of an em happens once.
int ThousandthsOfEm(hb_position_t position, unsigned unitsPerEm) {
    return static_cast<int>(std::lround(static_cast<double>(position) / 64.0 * 1000.0 / unitsPerEm));
}

std::unique_ptr<TShaperFont> OpenFont(const TFontKey& key) {
    const std::optional<TFontFile> file = ResolveFontFile(key);
    if (!file) return nullptr;
    auto font = std::make_unique<TShaperFont>();
    font->Face = TFreeTypeFace::Open(*file);
    if (!font->Face) return nullptr;
    font->UnitsPerEm = font->Face->Face()->units_per_EM;
    if (font->UnitsPerEm == 0) return nullptr;
    if (FT_Set_Char_Size(font->Face->Face(), 0, static_cast<FT_F26Dot6>(font->UnitsPerEm) * 64, 72, 72) != 0)
        return nullptr;
    font->Font.reset(hb_ft_font_create_referenced(font->Face->Face()));
    font->Buffer.reset(hb_buffer_create());
    if (!hb_buffer_allocation_successful(font->Buffer.get())) return nullptr;
    return font;
}

// The features HarfBuzz turns on for horizontal left-to-right text of the
// default shaper, less kerning, which shaping turns off.
constexpr std::array kAppliedFeatures{
    HB_TAG('r', 'v', 'r', 'n'), HB_TAG('l', 't', 'r', 'a'), HB_TAG('l', 't', 'r', 'm'), HB_TAG('f', 'r', 'a', 'c'),
    HB_TAG('n', 'u', 'm', 'r'), HB_TAG('d', 'n', 'o', 'm'), HB_TAG('r', 'a', 'n', 'd'), HB_TAG('t', 'r', 'a', 'k'),
    HB_TAG('a', 'b', 'v', 'm'), HB_TAG('b', 'l', 'w', 'm'), HB_TAG('c', 'c', 'm', 'p'), HB_TAG('l', 'o', 'c', 'l'),
    HB_TAG('m', 'a', 'r', 'k'), HB_TAG('m', 'k', 'm', 'k'), HB_TAG('r', 'l', 'i', 'g'), HB_TAG('c', 'a', 'l', 't'),
    HB_TAG('c', 'l', 'i', 'g'), HB_TAG('c', 'u', 'r', 's'), HB_TAG('d', 'i', 's', 't'), HB_TAG('l', 'i', 'g', 'a'),
    HB_TAG('r', 'c', 'l', 't'), HB_TAG('H', 'A', 'R', 'F'), HB_TAG('B', 'U', 'Z', 'Z'), HB_TAG_NONE};

std::uint16_t ReadU16(const char* data, unsigned length, unsigned at) {
    if (at + 2 > length) return 0;
    return static_cast<std::uint16_t>((static_cast<unsigned char>(data[at]) << 8) |
                                      static_cast<unsigned char>(data[at + 1]));
}

// The type of a positioning lookup, looking through an extension; 0 when
// the table cannot tell.
unsigned PositioningLookupType(hb_blob_t* gpos, unsigned lookup) {
    unsigned length = 0;
    const char* data = hb_blob_get_data(gpos, &length);
    const unsigned list = ReadU16(data, length, 8);
    if (list == 0 || lookup >= ReadU16(data, length, list)) return 0;
    const unsigned table = list + ReadU16(data, length, list + 2 + 2 * lookup);
    const unsigned type = ReadU16(data, length, table);
    if (type != 9 || ReadU16(data, length, table + 4) == 0) return type;
    return ReadU16(data, length, table + ReadU16(data, length, table + 6) + 2);
}

bool PlainCharacter(char16_t c) {
    if (c >= 0xD800 && c <= 0xDFFF) return false;
    if (c == 0x2044) return false;  // the fraction slash turns numerator and denominator features on
    if (IsDefaultIgnorable(c)) return false;
    switch (u_charType(c)) {
        case U_NON_SPACING_MARK:
        case U_ENCLOSING_MARK:
        case U_COMBINING_SPACING_MARK:
        case U_CONTROL_CHAR:
        case U_FORMAT_CHAR:
        case U_SURROGATE:
        case U_PRIVATE_USE_CHAR:
        case U_UNASSIGNED:
        case U_LINE_SEPARATOR:
        case U_PARAGRAPH_SEPARATOR:
            return false;
        default:
            break;
    }
    // Nothing that makes a left-to-right paragraph other than one run at level 0.
    switch (u_charDirection(c)) {
        case U_LEFT_TO_RIGHT:
        case U_EUROPEAN_NUMBER:
        case U_EUROPEAN_NUMBER_SEPARATOR:
        case U_EUROPEAN_NUMBER_TERMINATOR:
        case U_COMMON_NUMBER_SEPARATOR:
        case U_WHITE_SPACE_NEUTRAL:
        case U_OTHER_NEUTRAL:
            break;
        default:
            return false;
    }
    // Scripts HarfBuzz shapes with its default shaper.
    UErrorCode error = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(c, &error);
    if (U_FAILURE(error)) return false;
    return script == USCRIPT_COMMON || script == USCRIPT_LATIN || script == USCRIPT_CYRILLIC ||
           script == USCRIPT_GREEK;
}

}  // namespace

TPlainGlyphs::TPlainGlyphs(hb_font_t* font, unsigned unitsPerEm)
    : FFont(font), FUnitsPerEm(unitsPerEm), FBlocked(hb_set_create()) {
    hb_face_t* face = hb_font_get_face(font);
    for (const hb_tag_t table : {HB_TAG('m', 'o', 'r', 'x'), HB_TAG('m', 'o', 'r', 't'), HB_TAG('k', 'e', 'r', 'x'),
                                 HB_TAG('t', 'r', 'a', 'k')}) {
        hb_blob_t* blob = hb_face_reference_table(face, table);
        if (hb_blob_get_length(blob) > 0) FUsable = false;
        hb_blob_destroy(blob);
    }
    if (!hb_set_allocation_successful(FBlocked)) FUsable = false;
    if (!FUsable) return;
    Block(HB_OT_TAG_GSUB, false);
    // Attaching a mark moves the mark, never the advance of its base.
    Block(HB_OT_TAG_GPOS, true);
    if (!hb_set_allocation_successful(FBlocked)) FUsable = false;
}

TPlainGlyphs::~TPlainGlyphs() { hb_set_destroy(FBlocked); }

// Every glyph a lookup of the applied features may substitute or move sits
// at an input position of a lookup those features reach (a nested lookup
// works at its parent's input positions), in any script and language.
void TPlainGlyphs::Block(hb_tag_t table, bool skipMarkPositioning) {
    hb_face_t* face = hb_font_get_face(FFont);
    hb_set_t* lookups = hb_set_create();
    hb_set_t* input = hb_set_create();
    hb_ot_layout_collect_lookups(face, table, nullptr, nullptr, kAppliedFeatures.data(), lookups);
    hb_blob_t* gpos = skipMarkPositioning ? hb_face_reference_table(face, HB_OT_TAG_GPOS) : nullptr;
    for (hb_codepoint_t lookup = HB_SET_VALUE_INVALID; hb_set_next(lookups, &lookup);) {
        if (gpos) {
            const unsigned type = PositioningLookupType(gpos, lookup);
            if (type >= 4 && type <= 6) continue;
        }
        hb_set_clear(input);
        hb_ot_layout_lookup_collect_glyphs(face, table, lookup, nullptr, input, nullptr, nullptr);
        hb_set_union(FBlocked, input);
    }
    if (!hb_set_allocation_successful(lookups) || !hb_set_allocation_successful(input)) FUsable = false;
    hb_blob_destroy(gpos);
    hb_set_destroy(input);
    hb_set_destroy(lookups);
}

bool TPlainGlyphs::Plain(char16_t c, hb_codepoint_t glyph) const {
    return glyph != 0 && glyph <= 0xFFFF && PlainCharacter(c) && !hb_set_has(FBlocked, glyph) &&
           hb_ot_layout_get_glyph_class(hb_font_get_face(FFont), glyph) != HB_OT_LAYOUT_GLYPH_CLASS_MARK;
}

const TPlainGlyphs::TEntry& TPlainGlyphs::For(char16_t c) {
    std::unique_ptr<TPage>& page = FPages[c >> 8];
    if (!page) page = std::make_unique<TPage>();
    TEntry& entry = (*page)[c & 0xFF];
    if (!entry.Known) {
        entry.Known = true;
        hb_codepoint_t glyph = 0;
        if (hb_font_get_nominal_glyph(FFont, c, &glyph) && Plain(c, glyph)) {
            entry.Glyph = static_cast<std::uint16_t>(glyph);
            entry.Advance = ThousandthsOfEm(hb_font_get_glyph_h_advance(FFont, glyph), FUnitsPerEm);
        }
    }
    return entry;
}

bool TPlainGlyphs::Map(std::u16string_view line, std::vector<TShapedGlyph>& glyphs) {
    if (!FUsable || line.size() > static_cast<std::size_t>(INT32_MAX)) return false;
    const std::size_t before = glyphs.size();
    glyphs.reserve(before + line.size());
    for (std::size_t k = 0; k < line.size(); ++k) {
        const TEntry& entry = For(line[k]);
        if (entry.Glyph == 0) {
            glyphs.resize(before);
            return false;
        }
        glyphs.push_back({entry.Glyph, entry.Advance, static_cast<std::uint32_t>(k), 1});
    }
    return true;
}

TShaper::TShaper(const TFontKey& font) : FFont(OpenFont(font)) {}
TShaper::~TShaper() = default;

bool TShaper::HasFont() const { return FFont != nullptr; }

bool TShaper::ShapePlain(std::u16string_view line, bool rightToLeft, std::vector<TShapedGlyph>& glyphs) {
    if (rightToLeft || line.empty() || !FFont) return false;
    if (!FFont->Plain) FFont->Plain = std::make_unique<TPlainGlyphs>(FFont->Font.get(), FFont->UnitsPerEm);
    return FFont->Plain->Map(line, glyphs);
}

std::vector<TShapedGlyph> TShaper::Shape(std::u16string_view line, bool rightToLeft) {
    std::vector<TShapedGlyph> glyphs;
    if (line.empty() || !FFont) return glyphs;
    if (ShapePlain(line, rightToLeft, glyphs)) return glyphs;
    for (const TTextRun& run : VisualRuns(line, rightToLeft)) ShapeRun(line, run, glyphs);
    return glyphs;
}

void TShaper::ShapeRun(std::u16string_view line, const TTextRun& run, std::vector<TShapedGlyph>& glyphs) {
    if (!FFont || run.Length == 0) return;
    static const hb_feature_t kNoKerning{HB_TAG('k', 'e', 'r', 'n'), 0, HB_FEATURE_GLOBAL_START,
                                         HB_FEATURE_GLOBAL_END};
    hb_buffer_t* buffer = FFont->Buffer.get();
    std::vector<std::uint32_t>& clusters = FFont->Clusters;
    const auto* text = reinterpret_cast<const std::uint16_t*>(line.data());
    const auto length = static_cast<int>(line.size());

    const auto runEnd = static_cast<std::uint32_t>(run.Start + run.Length);
    hb_buffer_clear_contents(buffer);
    hb_buffer_set_direction(buffer, run.RightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
    hb_buffer_set_script(buffer, run.Script);
    // Invisible characters (soft hyphen, bidi marks, joiners, ...) give
    // no glyph at all: HarfBuzz would otherwise draw them as the space
    // glyph with no advance, one glyph with two widths.
    unsigned flags = HB_BUFFER_FLAG_REMOVE_DEFAULT_IGNORABLES;
    if (run.Start == 0) flags |= HB_BUFFER_FLAG_BOT;
    if (runEnd == line.size()) flags |= HB_BUFFER_FLAG_EOT;
    hb_buffer_set_flags(buffer, static_cast<hb_buffer_flags_t>(flags));
    // A combining mark is a cluster of its own, so that its base letter
    // keeps standing for that letter alone.
    hb_buffer_set_cluster_level(buffer, HB_BUFFER_CLUSTER_LEVEL_MONOTONE_CHARACTERS);
    // The whole line is the context; clusters come out as indices into it.
    hb_buffer_add_utf16(buffer, text, length, static_cast<unsigned>(run.Start), static_cast<int>(run.Length));
    hb_shape(FFont->Font.get(), buffer, &kNoKerning, 1);
    if (!hb_buffer_allocation_successful(buffer)) return;  // this run is left out

    unsigned count = 0;
    const hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &count);
    const hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &count);
    clusters.clear();
    for (unsigned g = 0; g < count; ++g) clusters.push_back(infos[g].cluster);
    std::sort(clusters.begin(), clusters.end());
    clusters.erase(std::unique(clusters.begin(), clusters.end()), clusters.end());

    for (unsigned g = 0; g < count; ++g) {
        const std::uint32_t cluster = infos[g].cluster;
        const auto next = std::upper_bound(clusters.begin(), clusters.end(), cluster);
        const std::uint32_t clusterEnd = next == clusters.end() ? runEnd : *next;
        glyphs.push_back({static_cast<std::uint16_t>(infos[g].codepoint),
                          ThousandthsOfEm(positions[g].x_advance, FFont->UnitsPerEm), cluster, clusterEnd - cluster});
    }
}

TFallbackShaper::TFallbackShaper(const TFontKey& base) : FBase(base) {}
TFallbackShaper::~TFallbackShaper() = default;

TShaper& TFallbackShaper::ShaperOf(const TFontKey& font) {
    std::unique_ptr<TShaper>& shaper = FShapers[font];
    if (!shaper) shaper = std::make_unique<TShaper>(font);
    return *shaper;
}

// A line the base font shows plainly needs no fallback either.
bool TFallbackShaper::ShapePlain(std::u16string_view line, bool rightToLeft, std::vector<TShapedRun>& runs) {
    std::vector<TShapedGlyph> glyphs;
    if (!Base().ShapePlain(line, rightToLeft, glyphs)) return false;
    runs.push_back({FBase, std::move(glyphs)});
    return true;
}

std::vector<TShapedRun> TFallbackShaper::Shape(std::u16string_view line, bool rightToLeft) {
    std::vector<TShapedRun> shaped;
    if (ShapePlain(line, rightToLeft, shaped)) return shaped;
    const std::vector<TFontRun> fonts = FontRuns(FBase, line);
    if (fonts.empty()) return shaped;
    if (fonts.size() == 1) {
        shaped.push_back({fonts.front().Font, ShaperOf(fonts.front().Font).Shape(line, rightToLeft)});
        return shaped;
    }
    // Each run of one direction and script, split where the font changes:
    // in logical order, backwards for a right-to-left run.
    std::vector<TTextRun> pieces;
    std::vector<const TFontKey*> pieceFonts;
    for (const TTextRun& run : VisualRuns(line, rightToLeft)) {
        pieces.clear();
        pieceFonts.clear();
        const std::size_t end = run.Start + run.Length;
        for (const TFontRun& font : fonts) {
            const std::size_t start = std::max(run.Start, font.Start);
            const std::size_t stop = std::min(end, font.Start + font.Length);
            if (start >= stop) continue;
            pieces.push_back({start, stop - start, run.RightToLeft, run.Script});
            pieceFonts.push_back(&font.Font);
        }
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            const std::size_t i = run.RightToLeft ? pieces.size() - 1 - k : k;
            const TFontKey& font = *pieceFonts[i];
            if (shaped.empty() || shaped.back().Font != font) shaped.push_back({font, {}});
            ShaperOf(font).ShapeRun(line, pieces[i], shaped.back().Glyphs);
        }
    }
    return shaped;
}

}  // namespace lk63::platform
