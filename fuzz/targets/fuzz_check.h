#pragma once
// What the fuzz targets share: a broken invariant is a finding, and the input
// is cut into the pieces a target feeds to the code under test.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lk63::fuzz {

// Thrown when a target sees a broken invariant. Not a std::exception, so no
// catch of the code under test can take it for one of its own errors.
struct TFuzzFinding {
    std::string Message;
};

inline void Require(bool condition, std::string_view message) {
    if (!condition) throw TFuzzFinding{std::string(message)};
}

// An error message is one line, and nothing a terminal would act on: no C0
// control, DEL or C1 control (U+0080 to U+009F), no line separator.
void RequireOneLine(std::string_view message);

// The input cut at every zero byte; at most `limit` pieces, the last one
// keeping the rest (zero bytes included).
std::vector<std::string_view> SplitInput(std::string_view input, std::size_t limit);

// Small numbers taken from the front of a piece of input, 0 when it runs out.
class TByteReader {
public:
    explicit TByteReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint8_t Byte() {
        if (bytes_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return b;
    }
    int Word() { return Byte() | (Byte() << 8); }
    [[nodiscard]] std::string_view Rest() const { return bytes_; }

private:
    std::string_view bytes_;
};

}  // namespace lk63::fuzz
