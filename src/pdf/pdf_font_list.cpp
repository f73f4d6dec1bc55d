#include "pdf/pdf_font_list.h"

namespace lk63 {

std::size_t TrpPDFFontList::FindOrAdd(const TrpFont& font) {
    for (std::size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i]->Matches(font)) return i;
    fonts_.push_back(std::make_unique<TrpPDFFont>(font, static_cast<int>(fonts_.size()), embedded_));
    return fonts_.size() - 1;
}

std::vector<TrpGlyphRun> TrpPDFFontList::MapTextToRuns(std::size_t index, std::u16string_view line,
                                                       bool rightToLeft) {
    std::vector<TrpGlyphRun> runs;
    const platform::TFontKey base = fonts_[index]->Key();
    for (const platform::TShapedRun& shaped : fonts_[index]->ShapeRuns(line, rightToLeft)) {
        std::size_t font = index;
        if (shaped.Font != base) {
            // The fallback shapes in the base's bold and italic: its PDF font
            // takes exactly those.
            TrpFont fallback = fonts_[index]->Font();
            fallback.SetName(shaped.Font.Family);
            std::uint8_t style = fallback.Style();
            const auto bold = static_cast<std::uint8_t>(TrpFontStyle::fsBold);
            const auto italic = static_cast<std::uint8_t>(TrpFontStyle::fsItalic);
            style = static_cast<std::uint8_t>((style & ~(bold | italic)) | (shaped.Font.Bold ? bold : 0) |
                                              (shaped.Font.Italic ? italic : 0));
            fallback.SetStyle(style);
            font = FindOrAdd(fallback);
        }
        TrpGlyphRun& run = runs.emplace_back();
        run.Font = font;
        run.Codes = fonts_[font]->MapGlyphs(shaped.Glyphs, line, &run.Spans);
    }
    return runs;
}

}  // namespace lk63
