#pragma once
// The program of a resolved font file as a PDF document carries it: its
// PostScript name, and subsets that hold only the glyphs a document uses.

#include "platform/fonts/font_file.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace lk63::platform {

struct TFontProgramData;

// Opened once per file for the process and shared; safe to use from any
// thread.
class TFontProgram {
public:
    // nullptr when the file cannot be read as an OpenType font.
    static std::shared_ptr<const TFontProgram> Open(const TFontFile& file);

    explicit TFontProgram(std::unique_ptr<TFontProgramData> data);
    ~TFontProgram();
    TFontProgram(const TFontProgram&) = delete;
    TFontProgram& operator=(const TFontProgram&) = delete;

    // The name table's PostScript name ("LiberationSans-Bold"); the family
    // without blanks when the font has none.
    [[nodiscard]] const std::string& PostScriptName() const;
    // Glyph ids run from 0 to GlyphCount() - 1.
    [[nodiscard]] unsigned GlyphCount() const;

    // A TrueType program with glyph 0 (outline kept: a character no font
    // shows prints as its box), `glyphs` and the glyphs that composite ones
    // are built of. Every glyph keeps its id, so text
    // shaped with the whole font draws the same glyphs from the subset.
    // Hinting instructions and the layout tables (GSUB, GPOS, ...) are left
    // out: a reader scales the outlines and is given glyphs already shaped.
    // Ids at or beyond GlyphCount() are ignored. Throws std::runtime_error
    // when the subsetter fails (no memory, a damaged font).
    [[nodiscard]] std::string Subset(const std::vector<std::uint16_t>& glyphs) const;

private:
    std::unique_ptr<TFontProgramData> FData;
};

}  // namespace lk63::platform
