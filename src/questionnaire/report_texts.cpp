#include "questionnaire/report_texts.h"

namespace lk63 {

std::string QuoteLiteral(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    out += '\'';
    return out;
}

std::string TrimNote(std::string_view note) {
    // Line breaks and blanks both lie up to the space: cutting first gives
    // what cutting after the breaks are rewritten gives.
    std::size_t b = 0, e = note.size();
    while (b < e && static_cast<unsigned char>(note[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(note[e - 1]) <= 32) --e;
    note = note.substr(b, e - b);
    std::string text;
    text.reserve(note.size() + note.size() / 16);
    std::size_t from = 0;
    for (std::size_t i = 0; i < note.size(); ++i) {
        if (note[i] != '\r' && note[i] != '\n') continue;
        text.append(note, from, i - from);
        text += "\r\n";
        if (note[i] == '\r' && i + 1 < note.size() && note[i + 1] == '\n') ++i;
        from = i + 1;
    }
    text.append(note, from, note.size() - from);
    return text;
}

}  // namespace lk63
