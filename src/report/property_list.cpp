#include "report/property_list.h"

#include <cmath>

#include "platform/number_text.h"
#include "platform/unicode.h"

namespace lk63 {

namespace property_text {

std::string FloatText(double value) { return platform::ShortestDecimal(value); }

bool ParseFloat(std::string_view text, double& value) {
    const auto parsed = platform::ParseDecimal(text);
    if (!parsed || !std::isfinite(*parsed)) return false;
    value = *parsed;
    return true;
}

std::string BoolText(bool value) { return value ? "True" : "False"; }

bool ParseBool(std::string_view text, bool& value) {
    if (text != "True" && text != "False") return false;
    value = text == "True";
    return true;
}

}  // namespace property_text

void TPropertyList::Text(std::string_view name, std::string& field) {
    Text(
        name, [&field] { return field; }, [&field](std::string v) { field = std::move(v); });
}

std::string TPropertyList::WideToText(const std::u16string& text) { return platform::Utf16ToUtf8(text); }

std::u16string TPropertyList::TextToWide(std::string_view text) { return platform::Utf8ToUtf16(text); }

const TProperty* TPropertyList::Find(std::string_view name) const {
    for (const auto& p : items_) {
        if (p.Name == name) return &p;
    }
    return nullptr;
}

int TPropertyList::IndexOf(std::span<const std::string_view> names, std::string_view text) {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == text) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace lk63
