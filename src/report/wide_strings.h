#pragma once
// An ordered list of UTF-16 text lines: the text of a memo.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lk63 {

class TWideStrings {
public:
    TWideStrings() = default;
    TWideStrings(std::initializer_list<std::u16string> lines) : lines_(lines) {}

    // All lines, each followed by CR LF (the last one too).
    [[nodiscard]] std::u16string Text() const;
    // Splits at CR LF, lone CR, lone LF and U+2028; a break at the very end
    // makes no empty last line.
    void SetText(std::u16string_view text);

    [[nodiscard]] std::size_t Count() const { return lines_.size(); }
    [[nodiscard]] bool Empty() const { return lines_.empty(); }
    [[nodiscard]] const std::u16string& operator[](std::size_t index) const { return lines_[index]; }
    [[nodiscard]] const std::vector<std::u16string>& Lines() const { return lines_; }
    void Add(std::u16string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }

    friend bool operator==(const TWideStrings&, const TWideStrings&) = default;

private:
    std::vector<std::u16string> lines_;
};

// The same rules for 8-bit lists (script text, field names): split at CR LF,
// lone CR and lone LF; joined with CR LF after every line.
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace lk63
