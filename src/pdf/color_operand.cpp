#include "pdf/color_operand.h"

#include <array>

#include "pdf/format_number.h"

namespace lk63 {
namespace {

constexpr std::uint32_t kSystemColorBit = 0x80000000u;

// The standard desktop scheme by system colour index (scroll bar, background,
// active caption, ..., menu bar), as 0xRRGGBB.
constexpr std::array<std::uint32_t, 31> kSystemColors{
    0xC8C8C8,  // scroll bar
    0x000000,  // desktop background
    0x99B4D1,  // active caption
    0xBFCDDB,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xF4F7FC,  // inactive border
    0xABABAB,  // application work space
    0x3399FF,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x000000,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3D dark shadow
    0xE3E3E3,  // 3D light
    0x000000,  // info text
    0xFFFFE1,  // info background
    0x000000,  // (unused index)
    0x0066CC,  // hot light
    0xB9D1EA,  // gradient of the active caption
    0xD7E4F2,  // gradient of the inactive caption
    0x3399FF,  // menu highlight
    0xF0F0F0,  // menu bar
};

}  // namespace

TrpRgb ResolveColor(TrpColor color) {
    const auto bits = static_cast<std::uint32_t>(color);
    if (bits & kSystemColorBit) {
        const std::uint32_t index = bits & 0xFF;
        if ((bits & 0x7FFFFF00u) != 0 || index >= kSystemColors.size()) return {};
        const std::uint32_t rgb = kSystemColors[index];
        return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                static_cast<std::uint8_t>(rgb)};
    }
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16)};
}

const std::string& TrpColorOperand::operator()(TrpColor color) {
    static const std::string kBlack = "0 0 0";
    static const std::string kWhite = "1 1 1";
    if (color == clBlack) return kBlack;
    if (color == clWhite) return kWhite;
    if (color == last_) return text_;
    const TrpRgb rgb = ResolveColor(color);
    text_.clear();
    AppendNumber(text_, rgb.R / 255.0);
    text_ += ' ';
    AppendNumber(text_, rgb.G / 255.0);
    text_ += ' ';
    AppendNumber(text_, rgb.B / 255.0);
    last_ = color;
    return text_;
}

}  // namespace lk63
