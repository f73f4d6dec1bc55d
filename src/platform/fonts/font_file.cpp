#include "platform/fonts/font_file.h"

#include <fontconfig/fontconfig.h>

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
    if (!match) return std::nullopt;

    FcChar8* file = nullptr;
    if (FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch || file == nullptr) return std::nullopt;
    TFontFile found;
    found.Path = reinterpret_cast<const char*>(file);
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.Index) != FcResultMatch) found.Index = 0;
    FcChar8* family = nullptr;
    if (FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch && family != nullptr)
        found.Family = reinterpret_cast<const char*>(family);
    return found;
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
