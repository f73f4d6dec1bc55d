#pragma once
// A font value. Height (pixels at 96 dpi, negative: character height without
// internal leading) is what is kept; Size in whole points derives from it.

#include <cstdint>
#include <string>

#include "report/color.h"

namespace lk63 {

// Bits of the style set.
enum class TrpFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

inline constexpr int DEFAULT_CHARSET = 1;

class TrpFont {
public:
    [[nodiscard]] const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // Size = -Height * 72 / 96 and Height = -(Size * 96 / 72), each rounded
    // with halves away from zero.
    [[nodiscard]] int Size() const;
    void SetSize(int points);
    [[nodiscard]] int Height() const { return height_; }
    void SetHeight(int pixels) { height_ = pixels; }

    [[nodiscard]] TrpColor Color() const { return color_; }
    void SetColor(TrpColor color) { color_ = color; }

    [[nodiscard]] std::uint8_t Style() const { return style_; }
    void SetStyle(std::uint8_t bits) { style_ = bits & 0x0F; }
    [[nodiscard]] bool Has(TrpFontStyle s) const { return (style_ & static_cast<std::uint8_t>(s)) != 0; }

    [[nodiscard]] int Charset() const { return charset_; }
    void SetCharset(int charset) { charset_ = charset; }

    friend bool operator==(const TrpFont&, const TrpFont&) = default;

private:
    std::string name_ = "Arial";
    int height_ = -13;  // 10 pt
    TrpColor color_ = clBlack;
    std::uint8_t style_ = 0;
    int charset_ = DEFAULT_CHARSET;
};

}  // namespace lk63
