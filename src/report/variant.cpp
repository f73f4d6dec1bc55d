#include "report/variant.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "platform/unicode.h"

namespace lk63 {
namespace {

void AppendTwoDigits(std::string& out, int value) {
    out.push_back(static_cast<char>('0' + value / 10 % 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

// Civil date from a day count (days since 1970-01-01), proleptic Gregorian.
void CivilFromDays(std::int64_t z, std::int64_t& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = yoe + era * 400;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    if (m <= 2) ++y;
}

std::string DateTimeText(TDateTime value) {
    if (!std::isfinite(value.Days) || std::fabs(value.Days) > 1.0e7) return {};
    const double whole = std::floor(value.Days);
    auto seconds = static_cast<std::int64_t>(std::floor((value.Days - whole) * 86400.0 + 0.5));
    auto days = static_cast<std::int64_t>(whole);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    std::string out;
    if (days != 0) {
        std::int64_t y = 0;
        int m = 0, d = 0;
        CivilFromDays(days - 25569, y, m, d);  // 25569: 1899-12-30 to 1970-01-01
        AppendTwoDigits(out, d);
        out.push_back('.');
        AppendTwoDigits(out, m);
        out.push_back('.');
        std::array<char, 24> buffer{};
        const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), y);
        out.append(static_cast<std::size_t>(4 - std::min<std::ptrdiff_t>(4, r.ptr - buffer.data())), '0');
        out.append(buffer.data(), r.ptr);
    }
    if (seconds != 0 || days == 0) {
        if (!out.empty()) out.push_back(' ');
        AppendTwoDigits(out, static_cast<int>(seconds / 3600));
        out.push_back(':');
        AppendTwoDigits(out, static_cast<int>(seconds / 60 % 60));
        out.push_back(':');
        AppendTwoDigits(out, static_cast<int>(seconds % 60));
    }
    return out;
}

// Fifteen significant digits, the usual display precision, without
// trailing zeros; "." whatever the locale.
std::string FloatText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    std::array<char, 64> buffer{};
    const auto r =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
    return std::string(buffer.data(), r.ptr);
}

}  // namespace

std::string TVariant::ToUtf8() const {
    struct Visitor {
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(const std::u16string& s) const { return platform::Utf16ToUtf8(s); }
        std::string operator()(std::int64_t v) const {
            std::array<char, 24> buffer{};
            const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
            return std::string(buffer.data(), r.ptr);
        }
        std::string operator()(double v) const { return FloatText(v); }
        std::string operator()(TDateTime v) const { return DateTimeText(v); }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
    };
    return std::visit(Visitor{}, data_);
}

std::u16string TVariant::ToText() const {
    if (const auto* wide = std::get_if<std::u16string>(&data_)) return *wide;
    return platform::Utf8ToUtf16(ToUtf8());
}

}  // namespace lk63
