#include "report/paper_sizes.h"

#include <array>

namespace lk63 {
namespace {

// Sizes given in inches are converted at 25.4 mm and rounded to a tenth.
constexpr std::array<TrpPaperSize, 66> kPaperSizes{{
    {1, 2159, 2794},    // Letter 8 1/2 x 11 in
    {2, 2159, 2794},    // Letter Small
    {3, 2794, 4318},    // Tabloid 11 x 17 in
    {4, 4318, 2794},    // Ledger 17 x 11 in
    {5, 2159, 3556},    // Legal 8 1/2 x 14 in
    {6, 1397, 2159},    // Statement 5 1/2 x 8 1/2 in
    {7, 1842, 2667},    // Executive 7 1/4 x 10 1/2 in
    {8, 2970, 4200},    // A3
    {9, 2100, 2970},    // A4
    {10, 2100, 2970},   // A4 Small
    {11, 1480, 2100},   // A5
    {12, 2500, 3540},   // B4 (JIS)
    {13, 1820, 2570},   // B5 (JIS)
    {14, 2159, 3302},   // Folio 8 1/2 x 13 in
    {15, 2150, 2750},   // Quarto
    {16, 2540, 3556},   // 10 x 14 in
    {17, 2794, 4318},   // 11 x 17 in
    {18, 2159, 2794},   // Note 8 1/2 x 11 in
    {19, 984, 2254},    // Envelope #9 3 7/8 x 8 7/8 in
    {20, 1048, 2413},   // Envelope #10 4 1/8 x 9 1/2 in
    {21, 1143, 2635},   // Envelope #11 4 1/2 x 10 3/8 in
    {22, 1207, 2794},   // Envelope #12 4 3/4 x 11 in
    {23, 1270, 2921},   // Envelope #14 5 x 11 1/2 in
    {24, 4318, 5588},   // C size sheet 17 x 22 in
    {25, 5588, 8636},   // D size sheet 22 x 34 in
    {26, 8636, 11176},  // E size sheet 34 x 44 in
    {27, 1100, 2200},   // Envelope DL
    {28, 1620, 2290},   // Envelope C5
    {29, 3240, 4580},   // Envelope C3
    {30, 2290, 3240},   // Envelope C4
    {31, 1140, 1620},   // Envelope C6
    {32, 1140, 2290},   // Envelope C65
    {33, 2500, 3530},   // Envelope B4
    {34, 1760, 2500},   // Envelope B5
    {35, 1760, 1250},   // Envelope B6
    {36, 1100, 2300},   // Envelope Italy
    {37, 984, 1905},    // Envelope Monarch 3 7/8 x 7 1/2 in
    {38, 921, 1651},    // 6 3/4 Envelope 3 5/8 x 6 1/2 in
    {39, 3778, 2794},   // US Std Fanfold 14 7/8 x 11 in
    {40, 2159, 3048},   // German Std Fanfold 8 1/2 x 12 in
    {41, 2159, 3302},   // German Legal Fanfold 8 1/2 x 13 in
    {42, 2500, 3530},   // B4 (ISO)
    {43, 1000, 1480},   // Japanese Postcard
    {44, 2286, 2794},   // 9 x 11 in
    {45, 2540, 2794},   // 10 x 11 in
    {46, 3810, 2794},   // 15 x 11 in
    {47, 2200, 2200},   // Envelope Invite
    {50, 2413, 3048},   // Letter Extra 9 1/2 x 12 in
    {51, 2413, 3810},   // Legal Extra 9 1/2 x 15 in
    {52, 2969, 4572},   // Tabloid Extra 11.69 x 18 in
    {53, 2355, 3223},   // A4 Extra 9.27 x 12.69 in
    {54, 2159, 2794},   // Letter Transverse 8 1/2 x 11 in
    {55, 2100, 2970},   // A4 Transverse
    {56, 2413, 3048},   // Letter Extra Transverse 9 1/2 x 12 in
    {57, 2270, 3560},   // SuperA/SuperA/A4
    {58, 3050, 4870},   // SuperB/SuperB/A3
    {59, 2159, 3223},   // Letter Plus 8.5 x 12.69 in
    {60, 2100, 3300},   // A4 Plus
    {61, 1480, 2100},   // A5 Transverse
    {62, 1820, 2570},   // B5 (JIS) Transverse
    {63, 3220, 4450},   // A3 Extra
    {64, 1740, 2350},   // A5 Extra
    {65, 2010, 2760},   // B5 (ISO) Extra
    {66, 4200, 5940},   // A2
    {67, 2970, 4200},   // A3 Transverse
    {68, 3220, 4450},   // A3 Extra Transverse
}};

}  // namespace

std::span<const TrpPaperSize> PaperSizes() { return kPaperSizes; }

std::optional<TrpPaperSize> FindPaperSize(int code) {
    for (const auto& p : kPaperSizes) {
        if (p.Code == code) return p;
    }
    return std::nullopt;
}

}  // namespace lk63
