#pragma once
// The stored properties of an object, each with its name and its text form.
// Every class lists its own after its base's; the serializer, the loader and
// the difference text all work from this one list.
//
// A list is made for every object written, compared or rebuilt, so making
// one must not allocate per property: names are the callers' literals and
// every accessor keeps its captures within std::function's inline storage.

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
    // Points to text that outlives every list (a literal or a static table).
    std::string_view Name;
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

    void Float(std::string_view name, double& field) {
        Float(
            name, [&field] { return field; }, [&field](double v) { field = v; });
    }
    template <typename G, typename S>
    void Float(std::string_view name, G get, S set) {
        TProperty& p = Add(name);
        p.Get = [get] { return property_text::FloatText(get()); };
        p.Check = [](std::string_view t) {
            double v = 0;
            return property_text::ParseFloat(t, v);
        };
        p.Set = [set](std::string_view t) {
            double v = 0;
            if (property_text::ParseFloat(t, v)) set(v);
        };
    }

    void Boolean(std::string_view name, bool& field) {
        Boolean(
            name, [&field] { return field; }, [&field](bool v) { field = v; });
    }
    template <typename G, typename S>
    void Boolean(std::string_view name, G get, S set) {
        TProperty& p = Add(name);
        p.Get = [get] { return property_text::BoolText(get()); };
        p.Check = [](std::string_view t) {
            bool v = false;
            return property_text::ParseBool(t, v);
        };
        p.Set = [set](std::string_view t) {
            bool v = false;
            if (property_text::ParseBool(t, v)) set(v);
        };
    }

    void Text(std::string_view name, std::string& field);
    template <typename G, typename S>
    void Text(std::string_view name, G get, S set) {
        TProperty& p = Add(name);
        p.Get = std::move(get);
        p.Check = [](std::string_view) { return true; };
        p.Set = [set](std::string_view t) { set(std::string(t)); };
    }
    template <typename G, typename S, typename C>
    void Text(std::string_view name, G get, S set, C check) {
        Text(name, std::move(get), std::move(set));
        items_.back().Check = std::move(check);
    }

    template <typename G, typename S>
    void WideText(std::string_view name, G get, S set) {
        TProperty& p = Add(name);
        p.Get = [get] { return WideToText(get()); };
        p.Check = [](std::string_view) { return true; };
        p.Set = [set](std::string_view t) { set(TextToWide(t)); };
    }

    template <typename G, typename S>
    void Reference(std::string_view name, G get, S set) {
        TProperty& p = Add(name);
        p.GetRef = std::move(get);
        p.SetRef = std::move(set);
    }

    template <typename T, typename G, typename S>
    requires std::is_integral_v<T>
    void Integer(std::string_view name, G get, S set) {
        TProperty& p = Add(name);
        p.Get = [get] { return property_text::IntegerText(static_cast<T>(get())); };
        p.Check = [](std::string_view t) {
            T v{};
            return property_text::ParseInteger(t, v);
        };
        p.Set = [set](std::string_view t) {
            T v{};
            if (property_text::ParseInteger(t, v)) set(v);
        };
    }

    template <typename T>
    requires std::is_integral_v<T>
    void Integer(std::string_view name, T& field) {
        Integer<T>(
            name, [&field] { return field; }, [&field](T v) { field = v; });
    }

    // A set stored as bits; bits outside `mask` are refused.
    template <typename T, typename G, typename S>
    requires std::is_unsigned_v<T>
    void Bits(std::string_view name, T mask, G get, S set) {
        Integer<T>(name, std::move(get), std::move(set));
        items_.back().Check = [mask](std::string_view t) {
            T v{};
            return property_text::ParseInteger(t, v) && (v & static_cast<T>(~mask)) == 0;
        };
    }

    // Enumerations are written by the names of their values; `names` (a
    // static table) is indexed by the value.
    template <typename E, std::size_t N, typename G, typename S>
    requires std::is_enum_v<E>
    void Enum(std::string_view name, const std::array<std::string_view, N>& names, G get, S set) {
        const std::array<std::string_view, N>* table = &names;
        TProperty& p = Add(name);
        p.Get = [table, get] {
            const auto i = static_cast<std::size_t>(static_cast<E>(get()));
            return i < N ? std::string((*table)[i]) : std::string();
        };
        p.Check = [table](std::string_view t) { return IndexOf(*table, t) >= 0; };
        p.Set = [table, set](std::string_view t) {
            const int i = IndexOf(*table, t);
            if (i >= 0) set(static_cast<E>(i));
        };
    }

    template <typename E, std::size_t N>
    requires std::is_enum_v<E>
    void Enum(std::string_view name, const std::array<std::string_view, N>& names, E& field) {
        Enum<E>(
            name, names, [&field] { return field; }, [&field](E v) { field = v; });
    }

    [[nodiscard]] const std::vector<TProperty>& Items() const { return items_; }
    // Gives back the room reserved for a list that is kept.
    void ShrinkToFit() { items_.shrink_to_fit(); }
    [[nodiscard]] const TProperty* Find(std::string_view name) const;

private:
    TProperty& Add(std::string_view name) {
        TProperty& p = items_.emplace_back();
        p.Name = name;
        return p;
    }
    static int IndexOf(std::span<const std::string_view> names, std::string_view text);
    static std::string WideToText(const std::u16string& text);
    static std::u16string TextToWide(std::string_view text);

    std::vector<TProperty> items_;
};

}  // namespace lk63
