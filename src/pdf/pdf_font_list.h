#pragma once
// The fonts of an export run in order of first use; the index of a font is
// its resource name (/F0, /F1, ...) and its place in every page's resources.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "pdf/pdf_font.h"

namespace lk63 {

// A piece of a line in one font of the list: its index, the codes of its
// glyphs and the clusters of several glyphs among them.
struct TrpGlyphRun {
    std::size_t Font = 0;
    std::u16string Codes;
    std::vector<TrpActualText> Spans;
};

class TrpPDFFontList {
public:
    // The index of the font with the same identity, or of a new one made
    // from `font` and appended.
    std::size_t FindOrAdd(const TrpFont& font);

    // The line in font `index` as the runs to draw in visual order: what
    // that font lacks goes into the fonts that show it, added to the list as
    // they are first needed (same style, named after their family). A line
    // the font shows by itself is one run in it.
    std::vector<TrpGlyphRun> MapTextToRuns(std::size_t index, std::u16string_view line, bool rightToLeft);

    // Whether fonts added from now on embed their programs.
    void SetEmbedded(bool embedded) { embedded_ = embedded; }
    [[nodiscard]] bool Embedded() const { return embedded_; }

    [[nodiscard]] std::size_t Count() const { return fonts_.size(); }
    [[nodiscard]] TrpPDFFont& operator[](std::size_t index) { return *fonts_[index]; }
    [[nodiscard]] const TrpPDFFont& operator[](std::size_t index) const { return *fonts_[index]; }
    void Clear() { fonts_.clear(); }

private:
    std::vector<std::unique_ptr<TrpPDFFont>> fonts_;
    bool embedded_ = false;
};

}  // namespace lk63
