#include "report/wide_strings.h"

namespace lk63 {

std::u16string TWideStrings::Text() const {
    std::size_t size = 0;
    for (const TLine& line : lines_) size += line.Length + 2;
    std::u16string out;
    out.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += (*this)[i];
        out += u"\r\n";
    }
    return out;
}

void TWideStrings::SetText(std::u16string&& text) {
    text_ = std::move(text);
    lines_.clear();
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text_.size()) {
        const char16_t c = text_[i];
        if (c == u'\r' || c == u'\n' || c == u'\u2028') {
            lines_.push_back({start, i - start});
            i += (c == u'\r' && i + 1 < text_.size() && text_[i + 1] == u'\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text_.size()) lines_.push_back({start, text_.size() - start});
}

std::vector<std::u16string> TWideStrings::Lines() const {
    std::vector<std::u16string> lines;
    lines.reserve(lines_.size());
    for (std::size_t i = 0; i < lines_.size(); ++i) lines.emplace_back((*this)[i]);
    return lines;
}

void TWideStrings::Add(std::u16string_view line) {
    lines_.push_back({text_.size(), line.size()});
    text_ += line;
}

bool operator==(const TWideStrings& a, const TWideStrings& b) {
    if (a.Count() != b.Count()) return false;
    for (std::size_t i = 0; i < a.Count(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace lk63
