#pragma once
// What a report font asks of the platform's font services: a family name and
// a style. Size, colour, underline and strikeout do not change the font file.

#include <cstddef>
#include <functional>
#include <string>

namespace lk63::platform {

struct TFontKey {
    std::string Family;
    bool Bold = false;
    bool Italic = false;

    bool operator==(const TFontKey&) const = default;
};

}  // namespace lk63::platform

template <>
struct std::hash<lk63::platform::TFontKey> {
    std::size_t operator()(const lk63::platform::TFontKey& key) const noexcept {
        const std::size_t style = (key.Bold ? 1u : 0u) | (key.Italic ? 2u : 0u);
        return std::hash<std::string>{}(key.Family) * 4 + style;
    }
};
