#pragma once
// The variant value of report variables, data set fields and expression
// results: null, a string (UTF-8 or UTF-16), an integer, a float, a date-time
// or a boolean.

#include <cstdint>
#include <string>
#include <variant>

namespace lk63 {

// Days since 1899-12-30, the fraction being the time of day.
struct TDateTime {
    double Days = 0;
    friend bool operator==(const TDateTime&, const TDateTime&) = default;
};

class TVariant {
public:
    using TData =
        std::variant<std::monostate, std::string, std::u16string, std::int64_t, double, TDateTime, bool>;

    TVariant() = default;
    TVariant(std::string value) : data_(std::move(value)) {}
    TVariant(const char* value) : data_(std::string(value)) {}
    TVariant(std::u16string value) : data_(std::move(value)) {}
    TVariant(std::int64_t value) : data_(value) {}
    TVariant(int value) : data_(static_cast<std::int64_t>(value)) {}
    TVariant(double value) : data_(value) {}
    TVariant(TDateTime value) : data_(value) {}
    TVariant(bool value) : data_(value) {}

    [[nodiscard]] bool IsNull() const { return std::holds_alternative<std::monostate>(data_); }
    // 8-bit or UTF-16 text.
    [[nodiscard]] bool IsString() const {
        return std::holds_alternative<std::string>(data_) || std::holds_alternative<std::u16string>(data_);
    }
    [[nodiscard]] const TData& Data() const { return data_; }

    // The text a memo prints for the value: Null gives an empty text, strings
    // their characters, numbers their usual decimal form (locale-independent),
    // booleans "True"/"False", date-times "DD.MM.YYYY HH:MM:SS".
    [[nodiscard]] std::u16string ToText() const;
    // The same as UTF-8.
    [[nodiscard]] std::string ToUtf8() const;

    friend bool operator==(const TVariant&, const TVariant&) = default;

private:
    TData data_;
};

}  // namespace lk63
