#pragma once
// One font of an export run: turns lines into codes (CIDs) of glyphs of the
// resolved font file, remembers every code used with its glyph, width and the
// characters it stands for, and writes itself as a composite font (Type0 over
// CIDFontType2, Identity-H), either naming the font or embedding a subset of
// its program.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/fonts/outline_metrics.h"
#include "platform/fonts/shaper.h"
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

// A code of the font as first used: the glyph it draws, its width and the
// characters of its cluster (empty for the further glyphs of a cluster that
// shaped into several). A font that only names its program has one code per
// glyph, the glyph id itself.
struct TrpUsedGlyph {
    std::uint16_t Cid = 0;
    std::uint16_t GlyphId = 0;
    int Advance = 0;  // thousandths of an em
    std::u16string Text;
    friend bool operator==(const TrpUsedGlyph&, const TrpUsedGlyph&) = default;
};

// Glyphs that together stand for the characters of one cluster (a
// Devanagari syllable with its vowel sign drawn first, a character the font
// decomposes): codes [First, First + Count) of a run, read back as Text.
struct TrpActualText {
    std::size_t First = 0;
    std::size_t Count = 0;
    std::u16string Text;
    friend bool operator==(const TrpActualText&, const TrpActualText&) = default;
};

class TrpPDFFont {
public:
    // Copies the memo font, reads its metrics and opens it for shaping.
    // `index` gives the resource name /F<index>. With `embedded` the font's
    // program travels in the document as a subset of the glyphs used.
    TrpPDFFont(const TrpFont& font, int index, bool embedded = false);
    ~TrpPDFFont();
    TrpPDFFont(const TrpPDFFont&) = delete;
    TrpPDFFont& operator=(const TrpPDFFont&) = delete;

    // Same name (case-sensitive) and either the same style set or a name
    // with simulated styles; size and colour do not matter.
    [[nodiscard]] bool Matches(const TrpFont& font) const;

    [[nodiscard]] const TrpFont& Font() const { return font_; }
    [[nodiscard]] const std::string& ResourceName() const { return resourceName_; }
    // Escaped name with ",Bold", ",Italic" or ",BoldItalic" for real styles.
    // An embedded font is written under the name of its subset instead.
    [[nodiscard]] const std::string& PdfFontName() const { return pdfName_; }
    [[nodiscard]] bool Embedded() const { return embedded_; }
    // nullopt when the system has no font to read them from.
    [[nodiscard]] const std::optional<platform::TOutlineMetrics>& Metrics() const { return metrics_; }

    // The codes of the line's glyphs in visual order, one code unit per
    // glyph. A font that names its program uses the glyph ids as codes and a
    // glyph keeps the width and characters of its first use. An embedded
    // font gives a code to each glyph, width and text as met: a glyph first
    // met as "й" and later as "и" + U+0306, or as the font's missing glyph
    // for two different characters, has two codes, each reading back as
    // what it stood for; the glyph's own id is its first code. Characters
    // that have no appearance (default-ignorable) are left out of the texts.
    // Throws TrpError when the system has no file for the font, or, embedded,
    // none that allows embedding. Text the font cannot shape gives nothing.
    std::u16string MapTextToGlyphs(std::u16string_view line, bool rightToLeft);
    [[nodiscard]] const std::vector<TrpUsedGlyph>& UsedGlyphs() const { return used_; }

    // The line shaped in this font and, for what it lacks, in the fonts
    // that show it, in visual order. Throws as MapTextToGlyphs.
    std::vector<platform::TShapedRun> ShapeRuns(std::u16string_view line, bool rightToLeft);
    // The codes of glyphs this font's file gave for `line`, registered as
    // MapTextToGlyphs registers them. The first glyph of a cluster stands for
    // its characters in the ToUnicode map (embedded, the further ones for
    // U+034F, a character without appearance); a cluster of several glyphs
    // is also given to `spans`, so that a reader reads the cluster's text in
    // place of glyphs that cannot stand for it on their own.
    std::u16string MapGlyphs(const std::vector<platform::TShapedGlyph>& glyphs, std::u16string_view line,
                             std::vector<TrpActualText>* spans = nullptr);
    // The family and style the font is shaped with.
    [[nodiscard]] platform::TFontKey Key() const;

    // Number of the Type0 object, reserved when a page first used the font.
    [[nodiscard]] bool HasObjectNumber() const { return objectNumber_ > 0; }
    [[nodiscard]] int ObjectNumber() const { return objectNumber_; }
    void SetObjectNumber(int number) { objectNumber_ = number; }

    // Descriptor, ToUnicode map, CID system info and descendant font under
    // new numbers, then the Type0 font under its reserved number. Embedded:
    // the subset's program first, and a CID-to-glyph map after the system
    // info when a glyph has more than one code. Compression deflates the
    // streams. Throws TrpError when the program cannot be embedded.
    void WriteObjects(TrpPDFOutput& out, bool compressed) const;

    // The ToUnicode map's text (what the stream holds before compression).
    [[nodiscard]] std::string ToUnicodeText() const;

private:
    void LoadMetrics();
    // The code of the glyph as used here.
    std::uint16_t Register(std::uint16_t glyph, int advance, std::u16string_view text);
    std::uint16_t NewCode(std::uint16_t glyph, int advance, std::u16string_view text);
    std::uint16_t FreeCode();
    void RequireEmbeddable() const;
    void RequireFont();
    void WriteNamedObjects(TrpPDFOutput& out, bool compressed) const;
    void WriteEmbeddedObjects(TrpPDFOutput& out, bool compressed) const;
    int WriteToUnicode(TrpPDFOutput& out, bool compressed) const;
    [[nodiscard]] std::string WidthArray() const;
    [[nodiscard]] std::vector<std::uint16_t> GlyphIds() const;  // sorted, each once
    [[nodiscard]] std::string SubsetName() const;
    [[nodiscard]] std::string CidToGidMap() const;
    int WriteSystemInfo(TrpPDFOutput& out) const;
    // The CIDFontType2 dictionary; no /CIDToGIDMap entry when `cidToGid` is empty.
    int WriteDescendant(TrpPDFOutput& out, const std::string& baseFont, int systemInfo, int descriptor,
                        std::string_view cidToGid) const;
    void WriteType0(TrpPDFOutput& out, const std::string& name, int descendant, int toUnicode) const;

    TrpFont font_;
    std::string resourceName_;
    std::string pdfName_;
    bool embedded_ = false;
    std::optional<platform::TOutlineMetrics> metrics_;
    TrpSharedFace& face_;  // shaper and shaped lines, kept for the process
    std::vector<TrpUsedGlyph> used_;
    // Index into used_ by code, -1 when not used yet; a page of 256 codes is
    // made when one of them is first used, so a font costs what it uses.
    class TCodeIndex {
    public:
        [[nodiscard]] std::int32_t Get(std::uint32_t code) const {
            const auto& page = pages_[code >> 8];
            return page ? (*page)[code & 0xFF] : -1;
        }
        std::int32_t& At(std::uint32_t code) {
            auto& page = pages_[code >> 8];
            if (!page) {
                page = std::make_unique<std::array<std::int32_t, 256>>();
                page->fill(-1);
            }
            return (*page)[code & 0xFF];
        }

    private:
        std::array<std::unique_ptr<std::array<std::int32_t, 256>>, 256> pages_;
    };
    TCodeIndex usedIndex_;
    // Embedded: the further codes of glyphs met with another width or text,
    // as indexes into used_, and where the search for a free code goes on.
    std::unordered_multimap<std::uint16_t, std::size_t> moreCodes_;
    std::uint32_t nextCode_ = 0;
    std::uint32_t nextLowCode_ = 0;
    int objectNumber_ = 0;
};

// The PDF name of a font (see TrpPDFFont::PdfFontName).
std::string PdfFontName(const TrpFont& font);

}  // namespace lk63
