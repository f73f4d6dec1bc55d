#pragma once
// Shaping a line into the glyph ids of the resolved font file, in visual
// order, with advances in thousandths of an em and the characters each glyph
// stands for.

#include "platform/fonts/font_key.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lk63::platform {

struct TShapedGlyph {
    std::uint16_t GlyphId = 0;   // 0 is the font's missing glyph
    int Advance = 0;             // nominal advance (no kerning), 1/1000 em
    std::uint32_t Cluster = 0;   // UTF-16 index of the cluster's first unit in the line
    std::uint32_t ClusterLength = 0;  // UTF-16 units of that cluster

    bool operator==(const TShapedGlyph&) const = default;
};

class TFreeTypeFace;
struct TShaperFont;
struct TTextRun;

// One per PDF font; it keeps the opened face between lines. An instance is
// not safe for concurrent use; separate instances are independent.
class TShaper {
public:
    explicit TShaper(const TFontKey& font);
    ~TShaper();
    TShaper(const TShaper&) = delete;
    TShaper& operator=(const TShaper&) = delete;

    // False when no font file could be found or opened; Shape then gives no glyphs.
    bool HasFont() const;

    // Bidi levels with paragraph level 1 when `rightToLeft`, else 0; each run
    // of one direction and script shaped on its own with the whole line as
    // context. Kerning is left out: a PDF font has one width per glyph.
    // Empty text gives no glyphs; a character the font lacks gives glyph 0;
    // unpaired surrogates shape as U+FFFD. Default-ignorable characters give
    // no glyph; their units count to the cluster before them (after them at
    // the start of a run). A combining mark that does not compose with its
    // base is a cluster of its own.
    std::vector<TShapedGlyph> Shape(std::u16string_view line, bool rightToLeft);

    // The same glyphs as Shape for a line of characters that shape as the
    // font's own glyph each (most Latin, Cyrillic and Greek text), found
    // without HarfBuzz; false, and `glyphs` untouched, for any other line.
    bool ShapePlain(std::u16string_view line, bool rightToLeft, std::vector<TShapedGlyph>& glyphs);

    // Appends the glyphs of one run of `line`, all of one direction and
    // script (internal to the font services).
    void ShapeRun(std::u16string_view line, const TTextRun& run, std::vector<TShapedGlyph>& glyphs);

private:
    std::unique_ptr<TShaperFont> FFont;
};

// Glyphs of one font in a shaped line.
struct TShapedRun {
    TFontKey Font;
    std::vector<TShapedGlyph> Glyphs;

    bool operator==(const TShapedRun&) const = default;
};

// Shaping a line in a font and, for the characters it lacks, in the fonts
// that show them (FontRuns): the runs of the bidi algorithm in visual order,
// each split where the font changes, with the whole line as context. A line
// the font shows by itself gives one run, exactly as TShaper::Shape. Not safe
// for concurrent use; keeps a shaper per font it met.
class TFallbackShaper {
public:
    explicit TFallbackShaper(const TFontKey& base);
    ~TFallbackShaper();
    TFallbackShaper(const TFallbackShaper&) = delete;
    TFallbackShaper& operator=(const TFallbackShaper&) = delete;

    // The shaper of the base font alone.
    TShaper& Base() { return ShaperOf(FBase); }
    std::vector<TShapedRun> Shape(std::u16string_view line, bool rightToLeft);
    // Appends the one run of the base font that Shape gives for a line the
    // base font shapes plainly (TShaper::ShapePlain); false for any other.
    bool ShapePlain(std::u16string_view line, bool rightToLeft, std::vector<TShapedRun>& runs);

private:
    TShaper& ShaperOf(const TFontKey& font);

    TFontKey FBase;
    std::unordered_map<TFontKey, std::unique_ptr<TShaper>> FShapers;
};

}  // namespace lk63::platform
