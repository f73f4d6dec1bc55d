#pragma once
// Numbers in PDF syntax: exactly two decimals and a "." whatever the locale.

#include <string>

namespace lk63 {

// 3 gives "3.00", 595.2756 gives "595.28", -0.001 gives "0.00"; halves of the
// exact binary value round away from zero. Not finite: "0.00".
std::string FormatNumber(double value);

// The same text appended to `out`, without a temporary string.
void AppendNumber(std::string& out, double value);

}  // namespace lk63
