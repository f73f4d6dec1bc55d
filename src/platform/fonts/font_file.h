#pragma once
// Font lookup: family name and style to the font file that a PDF viewer on
// this system draws for them. The PDF names its fonts without embedding them,
// so the glyph ids we write must be those of this very file.

#include "platform/fonts/font_key.h"

#include <optional>
#include <string>

namespace lk63::platform {

struct TFontFile {
    std::string Path;
    int Index = 0;       // face index inside the file (collections, named instances)
    std::string Family;  // the family actually found, e.g. "Liberation Sans" for "Arial"

    bool operator==(const TFontFile&) const = default;
};

// Resolves through fontconfig with the system's substitution rules, so an
// alias such as "Arial" gives its metric-compatible substitute and an unknown
// family whatever fontconfig falls back to. Cached for the process; safe to
// call from any thread. nullopt only when the system has no font at all.
std::optional<TFontFile> ResolveFontFile(const TFontKey& key);

}  // namespace lk63::platform
