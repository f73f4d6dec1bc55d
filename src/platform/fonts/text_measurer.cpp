#include "platform/fonts/text_measurer.h"

#include "platform/fonts/font_fallback.h"
#include "platform/fonts/font_file.h"
#include "platform/fonts/free_type_face.h"
#include "platform/fonts/shaper.h"
#include "platform/unicode.h"

#include FT_SIZES_H

#include <unicode/uchar.h>

#include <array>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace lk63::platform {

// Advances of one font at one em size, in whole pixels, filled on first use
// of each character. The Basic Multilingual Plane sits in pages of 256 so
// that a lookup is two indexings; the rarer characters beyond it in a map.
class TAdvanceTable {
public:
    // Characters `face` lacks are measured in the font that shows them
    // instead, through `measurer`'s table of it at the same size.
    TAdvanceTable(TFreeTypeFace* face, int emPixels, TTextMeasurer& measurer, const TFontKey& font)
        : FFace(face), FFallback(HalfEven(emPixels)), FEmPixels(emPixels), FMeasurer(measurer), FFont(font) {
        if (FFace == nullptr) return;
        if (FT_New_Size(FFace->Face(), &FSize) != 0) {
            FSize = nullptr;
            FFace = nullptr;
            return;
        }
        FT_Activate_Size(FSize);
        if (FT_Set_Pixel_Sizes(FFace->Face(), 0, static_cast<FT_UInt>(emPixels)) != 0) {
            FT_Done_Size(FSize);
            FSize = nullptr;
            FFace = nullptr;
        }
    }
    ~TAdvanceTable() {
        if (FSize != nullptr) FT_Done_Size(FSize);
    }
    TAdvanceTable(const TAdvanceTable&) = delete;
    TAdvanceTable& operator=(const TAdvanceTable&) = delete;

    int Advance(char32_t c) {
        if (c <= 0xFFFF) {
            auto& page = FPages[c >> 8];
            if (!page) {
                page = std::make_unique<std::array<int, 256>>();
                page->fill(kUnknown);
            }
            int& slot = (*page)[c & 0xFF];
            if (slot == kUnknown) slot = Load(c);
            return slot;
        }
        const auto known = FAstral.find(c);
        if (known != FAstral.end()) return known->second;
        return FAstral.emplace(c, Load(c)).first->second;
    }

private:
    static constexpr int kUnknown = -1;

    static int HalfEven(int emPixels) { return emPixels / 2 + ((emPixels % 4) == 3 ? 1 : 0); }

    int Load(char32_t c) {
        // Shaping drops them: they take no room on the line either.
        if (IsDefaultIgnorable(c)) return 0;
        if (FFace == nullptr) return FFallback;
        const unsigned glyph = FFace->GlyphOf(c);
        if (glyph == 0) {
            if (const std::optional<TFontKey> other = FallbackFont(FFont, c))
                return FMeasurer.TableFor(*other, FEmPixels).Advance(c);
        }
        FT_Activate_Size(FSize);
        if (FT_Load_Glyph(FFace->Face(), glyph, FT_LOAD_DEFAULT) != 0) return FFallback;
        const FT_Pos advance = FFace->Face()->glyph->advance.x;  // 26.6 pixels
        if (advance <= 0) return 0;
        return static_cast<int>((advance + 32) >> 6);
    }

    TFreeTypeFace* FFace;
    FT_Size FSize = nullptr;
    int FFallback;
    int FEmPixels;
    TTextMeasurer& FMeasurer;
    TFontKey FFont;
    std::array<std::unique_ptr<std::array<int, 256>>, 256> FPages;
    std::unordered_map<char32_t, int> FAstral;
};

std::size_t TTextMeasurer::TSizedFontKeyHash::operator()(const TSizedFontKey& key) const noexcept {
    return std::hash<TFontKey>{}(key.Font) ^ (static_cast<std::size_t>(key.EmPixels) * 0x9E3779B97F4A7C15ull);
}

TTextMeasurer::TTextMeasurer() = default;
TTextMeasurer::~TTextMeasurer() = default;

TFreeTypeFace* TTextMeasurer::FaceFor(const TFontKey& font) {
    const std::optional<TFontFile> file = ResolveFontFile(font);
    if (!file) return nullptr;
    const std::string id = file->Path + '\0' + std::to_string(file->Index);
    auto known = FFaces.find(id);
    if (known == FFaces.end()) known = FFaces.emplace(id, TFreeTypeFace::Open(*file)).first;
    return known->second.get();
}

TAdvanceTable& TTextMeasurer::TableFor(const TFontKey& font, int emPixels) {
    if (FLastTable != nullptr && FLastKey.EmPixels == emPixels && FLastKey.Font == font) return *FLastTable;
    TSizedFontKey key{font, emPixels};
    auto known = FTables.find(key);
    if (known == FTables.end())
        known = FTables.emplace(key, std::make_unique<TAdvanceTable>(FaceFor(font), emPixels, *this, font)).first;
    FLastKey = std::move(key);
    FLastTable = known->second.get();
    return *FLastTable;
}

void TTextMeasurer::Measure(const TFontKey& font, int emPixels, std::u16string_view line,
                            std::vector<int>& positions) {
    if (emPixels < 1 || emPixels > MaxEmPixels)
        throw std::invalid_argument("text measuring: em height " + std::to_string(emPixels) +
                                    " px is outside 1 to " + std::to_string(MaxEmPixels));
    const std::lock_guard guard(FLock);
    if (NeedsShaping(line)) {
        MeasureShaped(font, emPixels, line, positions);
        return;
    }
    TAdvanceTable& table = TableFor(font, emPixels);
    const std::size_t length = line.size();
    positions.resize(length);
    std::int64_t total = 0;
    for (std::size_t i = 0; i < length; ++i) {
        char32_t c = line[i];
        if (c >= 0xD800 && c <= 0xDFFF) {
            const bool pair = c <= 0xDBFF && i + 1 < length && line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF;
            if (pair) {
                positions[i] = static_cast<int>(total);
                ++i;
                c = 0x10000 + ((c - 0xD800) << 10) + (line[i] - 0xDC00);
            } else {
                c = 0xFFFD;
            }
        }
        total += table.Advance(c);
        if (total > INT_MAX) total = INT_MAX;
        positions[i] = static_cast<int>(total);
    }
}

// Letters that join (Arabic, Syriac, N'Ko, ...), syllables of the Indic and
// South-East Asian scripts and conjoining Hangul jamo take other shapes and
// widths in context than alone.
bool TTextMeasurer::NeedsShaping(std::u16string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        char32_t c = line[i];
        if (c < 0x0600) continue;  // Latin, Greek, Cyrillic, Armenian, Hebrew
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < line.size() && line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (line[i + 1] - 0xDC00);
            ++i;
        }
        const auto u = static_cast<UChar32>(c);
        if (u_getIntPropertyValue(u, UCHAR_JOINING_TYPE) != U_JT_NON_JOINING && !IsDefaultIgnorable(c)) return true;
        if (u_getIntPropertyValue(u, UCHAR_INDIC_SYLLABIC_CATEGORY) != U_INSC_OTHER) return true;
        const int hangul = u_getIntPropertyValue(u, UCHAR_HANGUL_SYLLABLE_TYPE);
        if (hangul == U_HST_LEADING_JAMO || hangul == U_HST_VOWEL_JAMO || hangul == U_HST_TRAILING_JAMO) return true;
    }
    return false;
}

// The advances of the shaped glyphs, each cluster's on its last unit and
// rounded to whole pixels glyph by glyph.
void TTextMeasurer::MeasureShaped(const TFontKey& font, int emPixels, std::u16string_view line,
                                  std::vector<int>& positions) {
    std::unique_ptr<TFallbackShaper>& shaper = FShapers[font];
    if (!shaper) shaper = std::make_unique<TFallbackShaper>(font);
    const std::size_t length = line.size();
    std::vector<std::int64_t> advances(length, 0);
    for (const TShapedRun& run : shaper->Shape(line, false)) {
        for (const TShapedGlyph& glyph : run.Glyphs) {
            const std::size_t last = std::min<std::size_t>(glyph.Cluster + std::max<std::uint32_t>(glyph.ClusterLength, 1), length) - 1;
            advances[last] += std::lrint(static_cast<double>(glyph.Advance) * emPixels / 1000.0);
        }
    }
    positions.resize(length);
    std::int64_t total = 0;
    for (std::size_t i = 0; i < length; ++i) {
        total = std::min<std::int64_t>(total + advances[i], INT_MAX);
        positions[i] = static_cast<int>(total);
    }
}

TTextMeasurer& SharedTextMeasurer() {
    static TTextMeasurer measurer;
    return measurer;
}

}  // namespace lk63::platform
