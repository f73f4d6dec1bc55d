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

void TPropertyList::Float(std::string name, double& field) {
    Float(
        std::move(name), [&field] { return field; }, [&field](double v) { field = v; });
}

void TPropertyList::Float(std::string name, std::function<double()> get, std::function<void(double)> set) {
    TProperty p;
    p.Name = std::move(name);
    p.Get = [get] { return property_text::FloatText(get()); };
    p.Check = [](std::string_view t) {
        double v = 0;
        return property_text::ParseFloat(t, v);
    };
    p.Set = [set](std::string_view t) {
        double v = 0;
        if (property_text::ParseFloat(t, v)) set(v);
    };
    items_.push_back(std::move(p));
}

void TPropertyList::Boolean(std::string name, bool& field) {
    Boolean(
        std::move(name), [&field] { return field; }, [&field](bool v) { field = v; });
}

void TPropertyList::Boolean(std::string name, std::function<bool()> get, std::function<void(bool)> set) {
    TProperty p;
    p.Name = std::move(name);
    p.Get = [get] { return property_text::BoolText(get()); };
    p.Check = [](std::string_view t) {
        bool v = false;
        return property_text::ParseBool(t, v);
    };
    p.Set = [set](std::string_view t) {
        bool v = false;
        if (property_text::ParseBool(t, v)) set(v);
    };
    items_.push_back(std::move(p));
}

void TPropertyList::Text(std::string name, std::string& field) {
    Text(
        std::move(name), [&field] { return field; }, [&field](std::string v) { field = std::move(v); });
}

void TPropertyList::Text(std::string name, std::function<std::string()> get,
                         std::function<void(std::string)> set, std::function<bool(std::string_view)> check) {
    TProperty p;
    p.Name = std::move(name);
    p.Get = std::move(get);
    p.Check = check ? std::move(check) : [](std::string_view) { return true; };
    p.Set = [set](std::string_view t) { set(std::string(t)); };
    items_.push_back(std::move(p));
}

void TPropertyList::WideText(std::string name, std::function<std::u16string()> get,
                             std::function<void(std::u16string)> set) {
    TProperty p;
    p.Name = std::move(name);
    p.Get = [get] { return platform::Utf16ToUtf8(get()); };
    p.Check = [](std::string_view) { return true; };
    p.Set = [set](std::string_view t) { set(platform::Utf8ToUtf16(t)); };
    items_.push_back(std::move(p));
}

void TPropertyList::Reference(std::string name, std::function<TrpComponent*()> get,
                              std::function<bool(TrpComponent*)> set) {
    TProperty p;
    p.Name = std::move(name);
    p.GetRef = std::move(get);
    p.SetRef = std::move(set);
    items_.push_back(std::move(p));
}

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
