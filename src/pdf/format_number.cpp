#include "pdf/format_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>

#include "platform/number_text.h"

namespace lk63 {

void AppendNumber(std::string& out, double value) {
    if (!std::isfinite(value)) {
        out += "0.00";
        return;
    }
    // Every position of a page goes through here, so the common case avoids
    // the exact decimal expansion: value x 100 is off by at most an ulp, which
    // cannot move a fraction that is clearly away from one half across it.
    const double scaled = std::fabs(value) * 100.0;
    const double whole = std::floor(scaled);
    const double fraction = scaled - whole;
    if (scaled < 1e15 && std::fabs(fraction - 0.5) > 1e-6) {
        const auto cents = static_cast<std::uint64_t>(fraction > 0.5 ? whole + 1 : whole);
        if (value < 0 && cents != 0) out += '-';
        char digits[24];
        const auto result = std::to_chars(digits, digits + sizeof digits, cents / 100);
        out.append(digits, result.ptr);
        const auto rest = static_cast<unsigned>(cents % 100);
        out += '.';
        out += static_cast<char>('0' + rest / 10);
        out += static_cast<char>('0' + rest % 10);
        return;
    }
    out += platform::FixedDecimal(value, 2);
}

std::string FormatNumber(double value) {
    std::string out;
    AppendNumber(out, value);
    return out;
}

}  // namespace lk63
