#include "controls/mul_div.h"

#include <cstdint>
#include <limits>

namespace lk63 {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t num = static_cast<std::int64_t>(a) * b;
    std::int64_t q = num / c;
    const std::int64_t r = num % c;
    // Round half away from zero: compare twice the remainder with the divisor.
    const std::int64_t twiceR = r < 0 ? -2 * r : 2 * r;
    const std::int64_t absC = c < 0 ? -static_cast<std::int64_t>(c) : c;
    if (twiceR >= absC) q += ((num < 0) != (c < 0)) ? -1 : 1;
    if (q > std::numeric_limits<int>::max() || q < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(q);
}

}  // namespace lk63
