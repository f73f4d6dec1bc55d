#include "platform/fonts/outline_metrics.h"

#include "platform/fonts/font_file.h"
#include "platform/fonts/free_type_face.h"

#include FT_TRUETYPE_TABLES_H

#include <cmath>

namespace lk63::platform {
namespace {

std::optional<TOutlineMetrics> ReadTables(const TFontKey& font) {
    const std::optional<TFontFile> file = ResolveFontFile(font);
    if (!file) return std::nullopt;
    const std::unique_ptr<TFreeTypeFace> opened = TFreeTypeFace::Open(*file);
    if (!opened) return std::nullopt;
    const FT_Face face = opened->Face();
    const auto* head = static_cast<const TT_Header*>(FT_Get_Sfnt_Table(face, FT_SFNT_HEAD));
    const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const auto* post = static_cast<const TT_Postscript*>(FT_Get_Sfnt_Table(face, FT_SFNT_POST));
    // An OS/2 version of 0xFFFF marks a table FreeType found missing.
    if (head == nullptr || hhea == nullptr || os2 == nullptr || os2->version == 0xFFFF || head->Units_Per_EM == 0)
        return std::nullopt;

    const double scale = 1000.0 / head->Units_Per_EM;
    const auto em = [scale](long units) { return static_cast<int>(std::lround(static_cast<double>(units) * scale)); };
    TOutlineMetrics metrics;
    metrics.Left = em(head->xMin);
    metrics.Bottom = em(head->yMin);
    metrics.Right = em(head->xMax);
    metrics.Top = em(head->yMax);
    // 16.16 fixed-point degrees.
    if (post != nullptr)
        metrics.ItalicAngle = static_cast<int>(std::lround(static_cast<double>(post->italicAngle) * 10.0 / 65536.0));
    metrics.Ascent = em(hhea->Ascender);
    metrics.Descent = em(hhea->Descender);
    // Each half rounded on its own, as a cell is a whole number of pixels above and below.
    metrics.CellHeight = em(os2->usWinAscent) + em(os2->usWinDescent);
    metrics.InternalLeading = metrics.CellHeight - 1000;
    metrics.Weight = os2->usWeightClass;
    metrics.AvgCharWidth = em(os2->xAvgCharWidth);
    metrics.MaxCharWidth = em(hhea->advance_Width_Max);
    if (os2->version >= 2) metrics.DefaultChar = static_cast<char16_t>(os2->usDefaultChar);
    metrics.CapHeight = os2->version >= 2 && os2->sCapHeight > 0 ? em(os2->sCapHeight) : metrics.Ascent;
    metrics.LineGap = em(hhea->Line_Gap);
    metrics.FixedPitch = post != nullptr && post->isFixedPitch != 0;
    const int familyClass = (os2->sFamilyClass >> 8) & 0xFF;
    metrics.Serif = (familyClass >= 1 && familyClass <= 5) || familyClass == 7;
    metrics.Script = familyClass == 10;
    metrics.Italic = (os2->fsSelection & 1) != 0 || metrics.ItalicAngle != 0;
    return metrics;
}

}  // namespace

std::optional<TOutlineMetrics> ReadOutlineMetrics(const TFontKey& font) {
    if (auto metrics = ReadTables(font)) return metrics;
    if (font.Family == "Arial") return std::nullopt;
    return ReadTables(TFontKey{"Arial", font.Bold, font.Italic});
}

}  // namespace lk63::platform
