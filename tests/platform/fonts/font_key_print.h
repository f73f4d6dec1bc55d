#pragma once
// Readable names of parameterised cases that hold a font.

#include "platform/fonts/font_key.h"

#include <ostream>

namespace lk63::platform {

inline void PrintTo(const TFontKey& key, std::ostream* out) {
    *out << key.Family << (key.Bold ? " bold" : "") << (key.Italic ? " italic" : "");
}

}  // namespace lk63::platform
