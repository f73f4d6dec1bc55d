#include "platform/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <system_error>

namespace lk63::platform {

std::string ShortestDecimal(double value) {
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return ec == std::errc{} ? std::string(buffer.data(), end) : std::string("0");
}

std::optional<double> ParseDecimal(std::string_view text) {
    double value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') return std::nullopt;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{} || end != last) return std::nullopt;
    return value;
}

std::string FixedDecimal(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    if (decimals < 0) decimals = 0;
    if (decimals > 20) decimals = 20;
    // Enough digits to see whether the first dropped digits are an exact half.
    constexpr int kExact = 60;
    std::array<char, 400> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                         std::chars_format::fixed, kExact);
    if (ec != std::errc{}) return "0";
    std::string digits(buffer.data(), end);
    const std::size_t point = digits.find('.');
    std::string kept = digits.substr(0, point) + digits.substr(point + 1, static_cast<std::size_t>(decimals));
    const bool roundUp = digits[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') kept[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) kept.insert(kept.begin(), '1');
        else ++kept[static_cast<std::size_t>(i)];
    }
    std::string out = kept.substr(0, kept.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) out += "." + kept.substr(kept.size() - static_cast<std::size_t>(decimals));
    if (value < 0 && out.find_first_not_of("0.") != std::string::npos) out.insert(out.begin(), '-');
    return out;
}

}  // namespace lk63::platform
