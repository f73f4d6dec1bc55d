#include "fuzz_check.h"

namespace lk63::fuzz {

void RequireOneLine(std::string_view message) {
    Require(!message.empty(), "an error without a message");
    for (std::size_t i = 0; i < message.size(); ++i) {
        const auto byte = static_cast<unsigned char>(message[i]);
        const auto next = i + 1 < message.size() ? static_cast<unsigned char>(message[i + 1]) : 0;
        Require(byte >= 0x20 && byte != 0x7F, "an error with a control character");
        Require(!(byte == 0xC2 && next >= 0x80 && next <= 0x9F), "an error with a C1 control character");
        Require(message.substr(i, 3) != "\u2028" && message.substr(i, 3) != "\u2029", "an error with a line separator");
    }
}

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
