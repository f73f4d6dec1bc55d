#include "report/bracket_extraction.h"

namespace lk63 {
namespace {

bool StartsAt(std::u16string_view text, std::size_t i, std::u16string_view s) {
    return !s.empty() && text.substr(i, s.size()) == s;
}

}  // namespace

TrpBracket ExtractBracketed(std::u16string_view text, std::size_t start, std::u16string_view open,
                            std::u16string_view close) {
    TrpBracket b;
    b.Start = b.End = start;
    // No bracket starts here (a closing delimiter here must not count down
    // and run on to a later bracket).
    if (start >= text.size() || !StartsAt(text, start, open)) return b;
    std::size_t i = start;
    std::size_t j = start;
    long depth = 0;
    bool outsideDouble = true, outsideSingle = true;
    while (true) {
        if (outsideDouble && outsideSingle) {
            if (StartsAt(text, j, open)) {
                if (depth == 0) i = j;
                ++depth;
            } else if (StartsAt(text, j, close)) {
                --depth;
            }
        }
        if (text[j] == u'"' && outsideSingle) outsideDouble = !outsideDouble;
        if (text[j] == u'\'' && outsideDouble) outsideSingle = !outsideSingle;
        if (depth == 0 || j + 1 >= text.size()) break;
        ++j;
    }
    b.Start = i;
    b.Closed = depth == 0;
    const std::size_t from = i + open.size();
    // Before a closing delimiter, or one character before the end of an
    // unclosed text; never negative.
    b.Expression = j > from ? std::u16string(text.substr(from, j - from)) : std::u16string();
    if (i != j) {
        b.End = j + (close.empty() ? 0 : close.size() - 1);
        if (b.End >= text.size()) b.End = text.size() - 1;
    } else {
        b.End = j;
    }
    return b;
}

}  // namespace lk63
