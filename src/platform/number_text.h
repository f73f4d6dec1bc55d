#pragma once
// Numbers as text, independent of the process locale: the program runs under
// Russian locales, where printf and streams would write a decimal comma.

#include <optional>
#include <string>
#include <string_view>

namespace lk63::platform {

// Shortest text that reads back to the same double ("718.1107", "0.1", "1e-05").
std::string ShortestDecimal(double value);

// The whole text as a number, or nothing (no blanks, no trailing characters).
std::optional<double> ParseDecimal(std::string_view text);

// Exactly `decimals` digits after a "." (0 to 20), rounded to the nearest with
// halves away from zero on the exact binary value; never "-0.00".
std::string FixedDecimal(double value, int decimals);

}  // namespace lk63::platform
