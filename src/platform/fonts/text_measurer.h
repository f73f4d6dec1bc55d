#pragma once
// Measuring text for line breaking: cumulative advance positions of a line in
// whole pixels at a given em height, as the memo layout needs them.

#include "platform/fonts/font_key.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lk63::platform {

class TFreeTypeFace;
class TAdvanceTable;
class TFallbackShaper;

class TTextMeasurer {
public:
    TTextMeasurer();
    ~TTextMeasurer();
    TTextMeasurer(const TTextMeasurer&) = delete;
    TTextMeasurer& operator=(const TTextMeasurer&) = delete;

    // positions[k] = width of code units 0..k of `line` at an em of `emPixels`
    // (a font height of -emPixels, e.g. 83 for 10 pt at 600 dpi). Each
    // character adds its hinted advance rounded to whole pixels; a surrogate
    // pair's advance sits on its second unit, a lone surrogate measures as
    // U+FFFD, a character the font lacks in the font that shows it instead
    // (FallbackFont), or as the font's missing glyph where none does, and a
    // default-ignorable one as nothing (shaping leaves it out). A line with
    // letters that take their shape from their neighbours (Arabic, the Indic
    // scripts, Hangul jamo) is shaped instead, each cluster's advance on its
    // last unit, rounded glyph by glyph. The line is
    // measured in full whatever its length; `positions` is resized to
    // the line's length and reuses its capacity. When no font file can be
    // found or opened every character advances round(emPixels / 2) (halves
    // to even). Sums past INT_MAX stay at INT_MAX.
    // Throws std::invalid_argument unless 1 <= emPixels <= MaxEmPixels.
    void Measure(const TFontKey& font, int emPixels, std::u16string_view line, std::vector<int>& positions);

    static constexpr int MaxEmPixels = 65535;  // the rasteriser's limit

    // Whether the width of a part of `line` may differ measured on its own
    // from measured inside the line: letters that take their shape from
    // their neighbours. Otherwise advances simply add up.
    static bool DependsOnContext(std::u16string_view line) { return NeedsShaping(line); }

private:
    friend class TAdvanceTable;  // measures what its font lacks in another font

    struct TSizedFontKey {
        TFontKey Font;
        int EmPixels = 0;
        bool operator==(const TSizedFontKey&) const = default;
    };
    struct TSizedFontKeyHash {
        std::size_t operator()(const TSizedFontKey& key) const noexcept;
    };

    TAdvanceTable& TableFor(const TFontKey& font, int emPixels);
    TFreeTypeFace* FaceFor(const TFontKey& font);
    static bool NeedsShaping(std::u16string_view line);
    void MeasureShaped(const TFontKey& font, int emPixels, std::u16string_view line, std::vector<int>& positions);

    std::mutex FLock;
    // Faces before tables: a table's size object dies before its face.
    std::unordered_map<std::string, std::unique_ptr<TFreeTypeFace>> FFaces;  // by file and index
    std::unordered_map<TSizedFontKey, std::unique_ptr<TAdvanceTable>, TSizedFontKeyHash> FTables;
    TAdvanceTable* FLastTable = nullptr;  // most lines come in the font of the line before
    std::unordered_map<TFontKey, std::unique_ptr<TFallbackShaper>> FShapers;  // for lines that need shaping
    TSizedFontKey FLastKey;
};

// The process-wide measurer; internally locked.
TTextMeasurer& SharedTextMeasurer();

}  // namespace lk63::platform
