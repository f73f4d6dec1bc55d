#pragma once
// One opened font file for the font services. Each face has a FreeType
// library of its own, so faces used by different owners never share state
// and need no common lock. Internal to the platform layer.

#include "platform/fonts/font_file.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <memory>

namespace lk63::platform {

class TFreeTypeFace {
public:
    // nullptr when the file cannot be opened as a scalable face.
    static std::unique_ptr<TFreeTypeFace> Open(const TFontFile& file);

    struct TOpened;  // only Open can make one
    TFreeTypeFace(const TOpened&, FT_Library library, FT_Face face) : FLibrary(library), FFace(face) {}
    ~TFreeTypeFace();
    TFreeTypeFace(const TFreeTypeFace&) = delete;
    TFreeTypeFace& operator=(const TFreeTypeFace&) = delete;

    FT_Face Face() const { return FFace; }

    // Glyph of a Unicode code point in the face's Unicode map; 0 when missing.
    unsigned GlyphOf(char32_t codePoint) const;

private:
    FT_Library FLibrary;
    FT_Face FFace;
};

}  // namespace lk63::platform
