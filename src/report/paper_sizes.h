#pragma once
// The published Windows paper sizes by paper code (1 to 68; 48 and 49 do not
// exist), in tenths of a millimetre, portrait.

#include <optional>
#include <span>

namespace lk63 {

struct TrpPaperSize {
    int Code;
    int Width;   // tenths of a millimetre
    int Height;  // tenths of a millimetre
};

inline constexpr int kCustomPaperSize = 256;

[[nodiscard]] std::span<const TrpPaperSize> PaperSizes();
[[nodiscard]] std::optional<TrpPaperSize> FindPaperSize(int code);

}  // namespace lk63
