#pragma once
// An independent look into a font file for the tests: what FreeType itself
// says about a character's glyph and its design advance.

#include "platform/fonts/font_file.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <stdexcept>
#include <string>

namespace lk63::platform::test {

class TFreeTypeOracle {
public:
    explicit TFreeTypeOracle(const TFontKey& key) {
        const auto file = ResolveFontFile(key);
        if (!file) throw std::runtime_error("no font file for " + key.Family);
        Path = file->Path;
        if (FT_Init_FreeType(&FLibrary) != 0) throw std::runtime_error("FreeType");
        if (FT_New_Face(FLibrary, file->Path.c_str(), file->Index, &FFace) != 0) {
            FT_Done_FreeType(FLibrary);
            throw std::runtime_error("cannot open " + file->Path);
        }
    }
    ~TFreeTypeOracle() {
        FT_Done_Face(FFace);
        FT_Done_FreeType(FLibrary);
    }
    TFreeTypeOracle(const TFreeTypeOracle&) = delete;
    TFreeTypeOracle& operator=(const TFreeTypeOracle&) = delete;

    unsigned GlyphOf(char32_t c) const { return FT_Get_Char_Index(FFace, c); }

    // Unhinted advance in font units.
    long DesignAdvance(unsigned glyph) const {
        if (FT_Load_Glyph(FFace, glyph, FT_LOAD_NO_SCALE) != 0) throw std::runtime_error("glyph");
        return FFace->glyph->advance.x;
    }

    // Design advance at an em of `em` units, unrounded.
    double AdvanceAtEm(char32_t c, double em) const {
        return static_cast<double>(DesignAdvance(GlyphOf(c))) * em / FFace->units_per_EM;
    }

    std::string Path;

private:
    FT_Library FLibrary = nullptr;
    FT_Face FFace = nullptr;
};

}  // namespace lk63::platform::test
