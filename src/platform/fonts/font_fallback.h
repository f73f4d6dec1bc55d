#pragma once
// Characters a font cannot show, and the fonts that show them instead: the
// same style of the first family fontconfig offers for the font (then for
// sans-serif) that has the character and may be embedded.

#include "platform/fonts/font_key.h"

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace lk63::platform {

// The font that shows `c` for `base`: nullopt when `base` has it itself, or
// when no installed font that may travel in a document has it (it then
// prints as `base`'s missing glyph). Characters without appearance and
// control characters are never looked for. Decided once per base font and
// character for the process; safe to call from any thread.
std::optional<TFontKey> FallbackFont(const TFontKey& base, char32_t c);

// A stretch of a line in one font.
struct TFontRun {
    std::size_t Start = 0;   // first UTF-16 unit
    std::size_t Length = 0;  // UTF-16 units
    TFontKey Font;

    bool operator==(const TFontRun&) const = default;
};

// The line in logical order as runs of the fonts that show its characters:
// one run in `base` when it lacks none. A character without appearance and
// a combining mark that the font before it has stay in that font's run, so a
// mark keeps to its letter. Empty text gives no runs.
std::vector<TFontRun> FontRuns(const TFontKey& base, std::u16string_view line);

}  // namespace lk63::platform
