#include "platform/fonts/font_file.h"

#include "platform/fonts/free_type_face.h"

#include <fontconfig/fontconfig.h>

#include FT_TRUETYPE_TAGS_H
#include FT_TRUETYPE_TABLES_H

#include <memory>
#include <mutex>
#include <unordered_map>

namespace lk63::platform {
namespace {

struct TPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using TPattern = std::unique_ptr<FcPattern, TPatternDeleter>;

const FcChar8* AsFc(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

struct TFontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

std::optional<TFontFile> FileOf(FcPattern* font) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) return std::nullopt;
    TFontFile found;
    found.Path = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(font, FC_INDEX, 0, &found.Index) != FcResultMatch) found.Index = 0;
    FcChar8* family = nullptr;
    if (FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch && family != nullptr)
        found.Family = reinterpret_cast<const char*>(family);
    return found;
}

// A subset of its TrueType outlines may travel in a document: the licence
// permits installable, editable or preview-and-print embedding (the least
// restrictive bit wins), subsetting and outlines rather than bitmaps only.
bool CanEmbed(const TFontFile& file) {
    const std::unique_ptr<TFreeTypeFace> opened = TFreeTypeFace::Open(file);
    if (!opened) return false;
    const FT_Face face = opened->Face();
    FT_ULong glyf = 0;
    if (!FT_IS_SFNT(face) || FT_Load_Sfnt_Table(face, TTAG_glyf, 0, nullptr, &glyf) != 0 || glyf == 0) return false;
    const FT_UShort fsType = FT_Get_FSType_Flags(face);
    if (fsType & (FT_FSTYPE_NO_SUBSETTING | FT_FSTYPE_BITMAP_EMBEDDING_ONLY)) return false;
    const bool restricted = (fsType & FT_FSTYPE_RESTRICTED_LICENSE_EMBEDDING) != 0 &&
                            (fsType & (FT_FSTYPE_PREVIEW_AND_PRINT_EMBEDDING | FT_FSTYPE_EDITABLE_EMBEDDING)) == 0;
    return !restricted;
}

std::optional<TFontFile> Match(const TFontKey& key) {
    TPattern pattern(FcPatternCreate());
    if (!pattern) return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, AsFc(key.Family));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, key.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, key.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return std::nullopt;
    FcDefaultSubstitute(pattern.get());

    FcResult result = FcResultNoMatch;
    const TPattern match(FcFontMatch(nullptr, pattern.get(), &result));
    std::optional<TFontFile> best = match ? FileOf(match.get()) : std::nullopt;
    if (best && CanEmbed(*best)) {
        best->Embeddable = true;
        return best;
    }
    // The rare font that cannot travel: the next one in fontconfig's order that can.
    const std::unique_ptr<FcFontSet, TFontSetDeleter> sorted(
        FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
    for (int i = 0; sorted && i < sorted->nfont; ++i) {
        std::optional<TFontFile> candidate = FileOf(sorted->fonts[i]);
        if (candidate && CanEmbed(*candidate)) {
            candidate->Embeddable = true;
            return candidate;
        }
    }
    return best;
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// fontconfig 2.14 loses a few hundred bytes, once, while it parses the system
// configuration; nothing of ours holds them. Defined here so that every
// program that looks up fonts gets it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

std::optional<TFontFile> ResolveFontFile(const TFontKey& key) {
    static std::mutex lock;
    static std::unordered_map<TFontKey, std::optional<TFontFile>> cache;
    const std::lock_guard guard(lock);
    const auto known = cache.find(key);
    if (known != cache.end()) return known->second;
    return cache.emplace(key, Match(key)).first->second;
}

}  // namespace lk63::platform
