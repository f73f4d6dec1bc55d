#include "platform/fonts/free_type_face.h"

namespace lk63::platform {

struct TFreeTypeFace::TOpened {};

std::unique_ptr<TFreeTypeFace> TFreeTypeFace::Open(const TFontFile& file) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return nullptr;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.Path.c_str(), file.Index, &face) != 0) {
        FT_Done_FreeType(library);
        return nullptr;
    }
    // Bitmap-only faces cannot be measured at an arbitrary size nor shaped
    // into outline glyph ids; without a Unicode map characters find no glyph.
    if (!FT_IS_SCALABLE(face) || FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
        return nullptr;
    }
    return std::make_unique<TFreeTypeFace>(TOpened{}, library, face);
}

TFreeTypeFace::~TFreeTypeFace() {
    FT_Done_Face(FFace);
    FT_Done_FreeType(FLibrary);
}

unsigned TFreeTypeFace::GlyphOf(char32_t codePoint) const {
    return FT_Get_Char_Index(FFace, static_cast<FT_ULong>(codePoint));
}

}  // namespace lk63::platform
