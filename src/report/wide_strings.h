#pragma once
// An ordered list of UTF-16 text lines: the text of a memo.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lk63 {

class TWideStrings {
public:
    TWideStrings() = default;
    TWideStrings(std::initializer_list<std::u16string_view> lines) {
        for (const std::u16string_view line : lines) Add(line);
    }

    // All lines, each followed by CR LF (the last one too).
    [[nodiscard]] std::u16string Text() const;
    // Splits at CR LF, lone CR, lone LF and U+2028; a break at the very end
    // makes no empty last line. The lines point into one copy of the text,
    // or into `text` itself when it is handed over.
    void SetText(std::u16string_view text) { SetText(std::u16string(text)); }
    void SetText(std::u16string&& text);

    [[nodiscard]] std::size_t Count() const { return lines_.size(); }
    [[nodiscard]] bool Empty() const { return lines_.empty(); }
    [[nodiscard]] std::u16string_view operator[](std::size_t index) const {
        return std::u16string_view(text_).substr(lines_[index].Start, lines_[index].Length);
    }
    // Copies of the lines.
    [[nodiscard]] std::vector<std::u16string> Lines() const;
    void Add(std::u16string_view line);
    void Clear() {
        text_.clear();
        lines_.clear();
    }

    friend bool operator==(const TWideStrings& a, const TWideStrings& b);

private:
    struct TLine {
        std::size_t Start = 0;
        std::size_t Length = 0;
    };
    std::u16string text_;
    std::vector<TLine> lines_;
};

// The same rules for 8-bit lists (script text, field names): split at CR LF,
// lone CR and lone LF; joined with CR LF after every line.
std::vector<std::string> SplitLines(std::string_view text);
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace lk63
