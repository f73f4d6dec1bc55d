#include "platform/fonts/shaper.h"

#include "platform/fonts/font_fallback.h"
#include "platform/fonts/font_file.h"
#include "platform/fonts/free_type_face.h"
#include "platform/fonts/text_runs.h"

#include <hb-ft.h>
#include <hb.h>

#include <algorithm>
#include <cmath>

namespace lk63::platform {

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

}  // namespace

TShaper::TShaper(const TFontKey& font) : FFont(OpenFont(font)) {}
TShaper::~TShaper() = default;

bool TShaper::HasFont() const { return FFont != nullptr; }

std::vector<TShapedGlyph> TShaper::Shape(std::u16string_view line, bool rightToLeft) {
    std::vector<TShapedGlyph> glyphs;
    if (line.empty() || !FFont) return glyphs;
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

std::vector<TShapedRun> TFallbackShaper::Shape(std::u16string_view line, bool rightToLeft) {
    std::vector<TShapedRun> shaped;
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
