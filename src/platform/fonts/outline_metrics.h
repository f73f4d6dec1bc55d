#pragma once
// The outline metrics a PDF font descriptor needs, for an em of 1000 units
// (the unit of PDF glyph space), read from the resolved font file's tables.

#include "platform/fonts/font_key.h"

#include <optional>

namespace lk63::platform {

struct TOutlineMetrics {
    // Font bounding box (head).
    int Left = 0;
    int Bottom = 0;
    int Right = 0;
    int Top = 0;
    int ItalicAngle = 0;      // tenths of a degree, negative leaning right (post)
    int Ascent = 0;           // typographic ascender (hhea)
    int Descent = 0;          // typographic descender, negative (hhea)
    int InternalLeading = 0;  // CellHeight - 1000
    int CellHeight = 0;       // Windows ascent + Windows descent (OS/2)
    int Weight = 0;           // weight class, 400 regular, 700 bold (OS/2)
    int AvgCharWidth = 0;     // (OS/2)
    int MaxCharWidth = 0;     // widest advance (hhea)
    char16_t DefaultChar = 0; // substitute for missing characters; 0 means glyph 0 (OS/2)
    // What a descriptor of the embedded font program says besides.
    int CapHeight = 0;        // height of capital letters (OS/2 version 2 on), else Ascent
    int LineGap = 0;          // typographic line gap (hhea)
    bool FixedPitch = false;  // every glyph as wide as the next (post)
    bool Serif = false;       // an oldstyle, transitional, modern, clarendon, slab or freeform serif (OS/2 family class)
    bool Script = false;      // a script face (OS/2 family class 10)
    bool Italic = false;      // italic or oblique (OS/2 selection, or a slanted post table)

    bool operator==(const TOutlineMetrics&) const = default;
};

// Every value is the table's value in font units scaled to an em of 1000 and
// rounded, halves away from zero. A resolved file that is not an outline font
// with head, hhea and OS/2 tables gives the metrics of "Arial" in the same
// style instead. nullopt when neither can be read (no font at all).
std::optional<TOutlineMetrics> ReadOutlineMetrics(const TFontKey& font);

}  // namespace lk63::platform
