#pragma once
// The number of breakers an order asks for: a whole number from 1 to 999999,
// the same for the window's field, the saved questionnaire and lk63-order.

#include <string_view>

namespace lk63 {

inline constexpr int kMinQuantity = 1;
inline constexpr int kMaxQuantity = 999999;

// The text of the message box "Ошибка" for a quantity that is not printed.
inline constexpr std::string_view kQuantityMessage =
    "Количество выключателей, шт.: введите целое число от 1 до 999999";
// The range as lk63-order's messages about "quantity" name it.
inline constexpr std::string_view kQuantityRangeText = "a whole number from 1 to 999999";

// A whole number from 1 to 999999 written in digits only ("007" is one).
bool IsPrintableQuantity(std::string_view text);

}  // namespace lk63
