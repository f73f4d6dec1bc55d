#pragma once
// The stored properties of an object, each with its name and its text form.
// Every class lists its own after its base's; the serializer, the loader and
// the difference text all work from this one list.

#include <array>
#include <charconv>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace lk63 {

class TrpComponent;

struct TProperty {
    std::string Name;
    // Value properties: the text form, a check that a text is acceptable, and
    // the assignment (only called with checked text).
    std::function<std::string()> Get;
    std::function<bool(std::string_view)> Check;
    std::function<void(std::string_view)> Set;
    // Reference properties: the object referred to; its text form is its Name.
    std::function<TrpComponent*()> GetRef;
    std::function<bool(TrpComponent*)> SetRef;  // false: not an object of the right kind

    [[nodiscard]] bool IsReference() const { return static_cast<bool>(GetRef); }
};

namespace property_text {

std::string FloatText(double value);
bool ParseFloat(std::string_view text, double& value);  // finite numbers only
std::string BoolText(bool value);
bool ParseBool(std::string_view text, bool& value);

template <typename T>
std::string IntegerText(T value) {
    std::array<char, 24> buffer{};
    const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), r.ptr);
}

template <typename T>
bool ParseInteger(std::string_view text, T& value) {
    if (text.empty() || text.front() == '+') return false;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc{} && r.ptr == text.data() + text.size();
}

}  // namespace property_text

class TPropertyList {
public:
    // A memo defines about a hundred properties; growing the list step by
    // step would move them all several times, on every page recorded.
    TPropertyList() { items_.reserve(128); }

    void Float(std::string name, double& field);
    void Float(std::string name, std::function<double()> get, std::function<void(double)> set);
    void Boolean(std::string name, bool& field);
    void Boolean(std::string name, std::function<bool()> get, std::function<void(bool)> set);
    void Text(std::string name, std::string& field);
    void Text(std::string name, std::function<std::string()> get, std::function<void(std::string)> set,
              std::function<bool(std::string_view)> check = {});
    void WideText(std::string name, std::function<std::u16string()> get,
                  std::function<void(std::u16string)> set);
    void Reference(std::string name, std::function<TrpComponent*()> get,
                   std::function<bool(TrpComponent*)> set);

    template <typename T>
    requires std::is_integral_v<T>
    void Integer(std::string name, std::function<T()> get, std::function<void(T)> set) {
        TProperty p;
        p.Name = std::move(name);
        p.Get = [get] { return property_text::IntegerText(get()); };
        p.Check = [](std::string_view t) {
            T v{};
            return property_text::ParseInteger(t, v);
        };
        p.Set = [set](std::string_view t) {
            T v{};
            if (property_text::ParseInteger(t, v)) set(v);
        };
        items_.push_back(std::move(p));
    }

    template <typename T>
    requires std::is_integral_v<T>
    void Integer(std::string name, T& field) {
        Integer<T>(
            std::move(name), [&field] { return field; }, [&field](T v) { field = v; });
    }

    // A set stored as bits; bits outside `mask` are refused.
    template <typename T>
    requires std::is_unsigned_v<T>
    void Bits(std::string name, T mask, std::function<T()> get, std::function<void(T)> set) {
        Integer<T>(std::move(name), std::move(get), std::move(set));
        items_.back().Check = [mask](std::string_view t) {
            T v{};
            return property_text::ParseInteger(t, v) && (v & static_cast<T>(~mask)) == 0;
        };
    }

    // Enumerations are written by the names of their values; `names` is
    // indexed by the value.
    template <typename E>
    requires std::is_enum_v<E>
    void Enum(std::string name, std::span<const std::string_view> names, std::function<E()> get,
              std::function<void(E)> set) {
        TProperty p;
        p.Name = std::move(name);
        p.Get = [names, get] {
            const auto i = static_cast<std::size_t>(get());
            return i < names.size() ? std::string(names[i]) : std::string();
        };
        p.Check = [names](std::string_view t) { return IndexOf(names, t) >= 0; };
        p.Set = [names, set](std::string_view t) {
            const int i = IndexOf(names, t);
            if (i >= 0) set(static_cast<E>(i));
        };
        items_.push_back(std::move(p));
    }

    template <typename E>
    requires std::is_enum_v<E>
    void Enum(std::string name, std::span<const std::string_view> names, E& field) {
        Enum<E>(
            std::move(name), names, [&field] { return field; }, [&field](E v) { field = v; });
    }

    [[nodiscard]] const std::vector<TProperty>& Items() const { return items_; }
    [[nodiscard]] const TProperty* Find(std::string_view name) const;

private:
    static int IndexOf(std::span<const std::string_view> names, std::string_view text);

    std::vector<TProperty> items_;
};

}  // namespace lk63
