#include "fuzz_check.h"

namespace lk63::fuzz {

std::vector<std::string_view> SplitInput(std::string_view input, std::size_t limit) {
    std::vector<std::string_view> pieces;
    while (pieces.size() + 1 < limit) {
        const std::size_t zero = input.find('\0');
        if (zero == std::string_view::npos) break;
        pieces.push_back(input.substr(0, zero));
        input.remove_prefix(zero + 1);
    }
    pieces.push_back(input);
    return pieces;
}

}  // namespace lk63::fuzz
