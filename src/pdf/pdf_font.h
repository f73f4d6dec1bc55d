#pragma once
// One font of an export run: turns lines into glyph ids of the font file that
// a viewer on this system draws for the font's name, remembers every glyph
// used with its width and the characters it stands for, and writes itself as
// a composite font (Type0 over CIDFontType2, Identity-H, no font program).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fonts/outline_metrics.h"
#include "report/font.h"

namespace lk63 {

class TrpPDFOutput;
struct TrpSharedFace;

// Fonts whose bold and italic the export simulates; one PDF font serves all
// their styles. The last four entries are ill-formed UTF-8 and so match no
// font name: they keep the list's shape and have no effect.
inline constexpr std::array<std::string_view, 5> SimulatedStyleFonts{
    "MS UI Gothic", "\xFF\xFE\x01", "\xFF\xFE\x02", "\xFF\xFE\x03", "\xFF\xFE\x04"};

bool IsSimulatedStyleFont(std::string_view name);

// A glyph as first used: its width and the characters of its cluster (empty
// for the further glyphs of a cluster that shaped into several).
struct TrpUsedGlyph {
    std::uint16_t GlyphId = 0;
    int Advance = 0;  // thousandths of an em
    std::u16string Text;
    friend bool operator==(const TrpUsedGlyph&, const TrpUsedGlyph&) = default;
};

class TrpPDFFont {
public:
    // Copies the memo font, reads its metrics and opens it for shaping.
    // `index` gives the resource name /F<index>.
    TrpPDFFont(const TrpFont& font, int index);
    ~TrpPDFFont();
    TrpPDFFont(const TrpPDFFont&) = delete;
    TrpPDFFont& operator=(const TrpPDFFont&) = delete;

    // Same name (case-sensitive) and either the same style set or a name
    // with simulated styles; size and colour do not matter.
    [[nodiscard]] bool Matches(const TrpFont& font) const;

    [[nodiscard]] const TrpFont& Font() const { return font_; }
    [[nodiscard]] const std::string& ResourceName() const { return resourceName_; }
    // Escaped name with ",Bold", ",Italic" or ",BoldItalic" for real styles.
    [[nodiscard]] const std::string& PdfFontName() const { return pdfName_; }
    // nullopt when the system has no font to read them from.
    [[nodiscard]] const std::optional<platform::TOutlineMetrics>& Metrics() const { return metrics_; }

    // The glyph ids of the line in visual order, one code unit per glyph.
    // Glyphs not seen before are registered with their first-use width and
    // the characters of their cluster. Text the font cannot shape gives none.
    std::u16string MapTextToGlyphs(std::u16string_view line, bool rightToLeft);
    [[nodiscard]] const std::vector<TrpUsedGlyph>& UsedGlyphs() const { return used_; }

    // Number of the Type0 object, reserved when a page first used the font.
    [[nodiscard]] bool HasObjectNumber() const { return objectNumber_ > 0; }
    [[nodiscard]] int ObjectNumber() const { return objectNumber_; }
    void SetObjectNumber(int number) { objectNumber_ = number; }

    // Descriptor, ToUnicode map, CID system info and descendant font under
    // new numbers, then the Type0 font under its reserved number.
    void WriteObjects(TrpPDFOutput& out, bool compressed) const;

    // The ToUnicode map's text (what the stream holds before compression).
    [[nodiscard]] std::string ToUnicodeText() const;

private:
    void LoadMetrics();
    void Register(std::uint16_t glyph, int advance, std::u16string_view text);

    TrpFont font_;
    std::string resourceName_;
    std::string pdfName_;
    std::optional<platform::TOutlineMetrics> metrics_;
    TrpSharedFace& face_;  // shaper and shaped lines, kept for the process
    std::vector<TrpUsedGlyph> used_;
    std::vector<std::int32_t> usedIndex_;  // by glyph id; -1 when not used yet
    int objectNumber_ = 0;
};

// The PDF name of a font (see TrpPDFFont::PdfFontName).
std::string PdfFontName(const TrpFont& font);

}  // namespace lk63
