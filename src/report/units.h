#pragma once
// Report units: positions and sizes are pixels at 96 per inch, paper sizes and
// margins millimetres. The names are part of the report vocabulary.

#include <cmath>
#include <cstdint>

namespace lk63 {

inline constexpr double rp01cm = 3.77953;  // pixels per millimetre
inline constexpr double rp1cm = 37.7953;   // pixels per centimetre
inline constexpr double rp01in = 9.6;      // pixels per tenth of an inch
inline constexpr double rp1in = 96;        // pixels per inch
inline constexpr double rp1CharX = 9.6;    // pixels per character column
inline constexpr double rp1CharY = 17;     // pixels per character row

// Every rounding of the report engine: nearest integer, halves to the even
// neighbour (2.5 -> 2, 3.5 -> 4). Independent of the floating-point mode.
inline double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

// Out-of-range and non-finite values clamp instead of overflowing the cast.
inline std::int64_t RoundToInt(double value) {
    constexpr double kLimit = 9.0e18;
    if (!(value > -kLimit)) return value != value ? 0 : -static_cast<std::int64_t>(kLimit);
    if (!(value < kLimit)) return static_cast<std::int64_t>(kLimit);
    return static_cast<std::int64_t>(RoundHalfEven(value));
}

// numerator / denominator rounded with halves away from zero, as font size and
// height conversions require (-13 px -> 10 pt, -1 px -> 1 pt).
inline std::int64_t DivRoundHalfAway(std::int64_t numerator, std::int64_t denominator) {
    const bool negative = (numerator < 0) != (denominator < 0);
    const std::int64_t n = numerator < 0 ? -numerator : numerator;
    const std::int64_t d = denominator < 0 ? -denominator : denominator;
    const std::int64_t q = (2 * n + d) / (2 * d);
    return negative ? -q : q;
}

}  // namespace lk63
