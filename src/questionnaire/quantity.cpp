#include "questionnaire/quantity.h"

namespace lk63 {

bool IsPrintableQuantity(std::string_view text) {
    if (text.empty()) return false;
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
        if (value > kMaxQuantity) return false;
    }
    return value >= kMinQuantity;
}

}  // namespace lk63
