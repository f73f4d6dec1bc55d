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
    std::string text;
    for (std::size_t i = 0; i < note.size(); ++i) {
        if (note[i] == '\r' || note[i] == '\n') {
            if (note[i] == '\r' && i + 1 < note.size() && note[i + 1] == '\n') ++i;
            text += "\r\n";
        } else {
            text += note[i];
        }
    }
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

}  // namespace lk63
