#include "platform/fonts/font_fallback.h"

#include "platform/fonts/font_file.h"
#include "platform/fonts/free_type_face.h"
#include "platform/unicode.h"

#include <fontconfig/fontconfig.h>
#include <unicode/uchar.h>

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

namespace lk63::platform {
namespace {

struct TPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct TFontSetDeleter {
    void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

// A resolved font opened to ask which characters it has.
class TCoverage {
public:
    explicit TCoverage(const TFontKey& key) {
        const std::optional<TFontFile> file = ResolveFontFile(key);
        if (file) {
            FEmbeddable = file->Embeddable;
            FFace = TFreeTypeFace::Open(*file);
        }
    }
    bool Has(char32_t c) const { return FFace && FFace->GlyphOf(c) != 0; }
    bool Embeddable() const { return FEmbeddable && FFace; }

private:
    std::unique_ptr<TFreeTypeFace> FFace;
    bool FEmbeddable = false;
};

// The fallback decisions of one base font: fontconfig's fonts for the base
// family and then sans-serif, in its order, sorted once; each character takes
// the first of them that has it.
class TFallbackList {
public:
    explicit TFallbackList(const TFontKey& base) : FBase(base), FBaseCoverage(base) {}

    // Index into Keys(), -1 for the base font itself or none.
    int For(char32_t c) {
        if (c <= 0xFFFF) {
            auto& page = FPages[c >> 8];
            if (!page) {
                page = std::make_unique<std::array<std::int16_t, 256>>();
                page->fill(kUnknown);
            }
            std::int16_t& slot = (*page)[c & 0xFF];
            if (slot == kUnknown) slot = static_cast<std::int16_t>(Decide(c));
            return slot;
        }
        const auto known = FAstral.find(c);
        if (known != FAstral.end()) return known->second;
        return FAstral.emplace(c, Decide(c)).first->second;
    }

    const TFontKey& Key(int index) const { return FKeys[static_cast<std::size_t>(index)]; }
    bool BaseHas(char32_t c) const { return FBaseCoverage.Has(c); }
    bool Has(int index, char32_t c) { return index < 0 ? FBaseCoverage.Has(c) : CoverageOf(Key(index)).Has(c); }

private:
    static constexpr std::int16_t kUnknown = -2;

    static bool NeverLookedFor(char32_t c) {
        return IsDefaultIgnorable(c) || u_iscntrl(static_cast<UChar32>(c)) || c == 0xFFFD ||
               (c >= 0xD800 && c <= 0xDFFF);
    }

    // Sorting the installed fonts costs milliseconds with a large font
    // collection, so it waits for the first character the base lacks.
    const FcFontSet* Sorted() {
        if (FSorted) return FFonts.get();
        FSorted = true;
        const std::unique_ptr<FcPattern, TPatternDeleter> pattern(FcPatternCreate());
        if (!pattern) return nullptr;
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(FBase.Family.c_str()));
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, FBase.Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern.get(), FC_SLANT, FBase.Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
        if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return nullptr;
        FcDefaultSubstitute(pattern.get());
        FcResult result = FcResultNoMatch;
        FFonts.reset(FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result));
        return FFonts.get();
    }

    int Decide(char32_t c) {
        if (FBaseCoverage.Has(c) || NeverLookedFor(c)) return -1;
        const FcFontSet* fonts = Sorted();
        if (!fonts) return -1;
        for (int i = 0; i < fonts->nfont; ++i) {
            FcCharSet* chars = nullptr;
            if (FcPatternGetCharSet(fonts->fonts[i], FC_CHARSET, 0, &chars) != FcResultMatch ||
                !FcCharSetHasChar(chars, c))
                continue;
            FcChar8* family = nullptr;
            if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch || family == nullptr)
                continue;
            // The family in the base's style must be the file that has it.
            const TFontKey key{reinterpret_cast<const char*>(family), FBase.Bold, FBase.Italic};
            if (key.Family == FBase.Family) continue;
            TCoverage& coverage = CoverageOf(key);
            if (!coverage.Embeddable() || !coverage.Has(c)) continue;
            return IndexOf(key);
        }
        return -1;
    }

    TCoverage& CoverageOf(const TFontKey& key) {
        std::unique_ptr<TCoverage>& coverage = FCoverage[key];
        if (!coverage) coverage = std::make_unique<TCoverage>(key);
        return *coverage;
    }

    int IndexOf(const TFontKey& key) {
        for (std::size_t i = 0; i < FKeys.size(); ++i)
            if (FKeys[i] == key) return static_cast<int>(i);
        FKeys.push_back(key);
        return static_cast<int>(FKeys.size() - 1);
    }

    TFontKey FBase;
    TCoverage FBaseCoverage;
    std::unique_ptr<FcFontSet, TFontSetDeleter> FFonts;
    bool FSorted = false;
    std::vector<TFontKey> FKeys;
    std::unordered_map<TFontKey, std::unique_ptr<TCoverage>> FCoverage;
    std::array<std::unique_ptr<std::array<std::int16_t, 256>>, 256> FPages;
    std::unordered_map<char32_t, int> FAstral;
};

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}

TFallbackList& ListFor(const TFontKey& base) {
    static std::unordered_map<TFontKey, std::unique_ptr<TFallbackList>> lists;
    std::unique_ptr<TFallbackList>& list = lists[base];
    if (!list) list = std::make_unique<TFallbackList>(base);
    return *list;
}

bool IsMark(char32_t c) {
    const std::int8_t type = u_charType(static_cast<UChar32>(c));
    return type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK || type == U_COMBINING_SPACING_MARK;
}

}  // namespace

std::optional<TFontKey> FallbackFont(const TFontKey& base, char32_t c) {
    const std::lock_guard guard(Lock());
    TFallbackList& list = ListFor(base);
    const int index = list.For(c);
    if (index < 0) return std::nullopt;
    return list.Key(index);
}

std::vector<TFontRun> FontRuns(const TFontKey& base, std::u16string_view line) {
    std::vector<TFontRun> runs;
    if (line.empty()) return runs;
    const std::lock_guard guard(Lock());
    TFallbackList& list = ListFor(base);
    int current = -1;
    std::size_t runStart = 0;
    const auto add = [&](std::size_t end, int font) {
        if (end > runStart) runs.push_back({runStart, end - runStart, font < 0 ? base : list.Key(font)});
        runStart = end;
    };
    for (std::size_t i = 0; i < line.size();) {
        char32_t c = line[i];
        std::size_t units = 1;
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (line[i + 1] - 0xDC00);
            units = 2;
        }
        int font = list.For(c);
        // Invisible characters and marks the font before them has keep to it.
        if (i > 0 && (IsDefaultIgnorable(c) || (IsMark(c) && list.Has(current, c)))) font = current;
        if (i > 0 && font != current) add(i, current);
        current = font;
        i += units;
    }
    add(line.size(), current);
    return runs;
}

}  // namespace lk63::platform
