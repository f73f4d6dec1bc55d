#pragma once
// Font lookup: family name and style to the font file that measures, shapes
// and, embedded in the PDF, draws them. A PDF that only names its fonts is
// drawn by a viewer on this system from this very file too.

#include "platform/fonts/font_key.h"

#include <optional>
#include <string>

namespace lk63::platform {

struct TFontFile {
    std::string Path;
    int Index = 0;       // face index inside the file (collections, named instances)
    std::string Family;  // the family actually found, e.g. "Liberation Sans" for "Arial"
    // TrueType outlines whose licence (OS/2 fsType) allows embedding a
    // subset of them in a document.
    bool Embeddable = false;

    bool operator==(const TFontFile&) const = default;
};

// Resolves through fontconfig with the system's substitution rules, so an
// alias such as "Arial" gives its metric-compatible substitute and an unknown
// family whatever fontconfig falls back to. A font that cannot be embedded
// (its licence forbids embedding or subsetting, or it has no TrueType
// outlines) is passed over for the next one fontconfig offers; only when no
// font can be embedded is the best match given, with Embeddable false.
// Cached for the process; safe to call from any thread. nullopt only when
// the system has no font at all.
std::optional<TFontFile> ResolveFontFile(const TFontKey& key);

}  // namespace lk63::platform
