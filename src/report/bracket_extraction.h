#pragma once
// Finding the bracketed expression that starts at a position of a memo text.
// Delimiters inside single or double quotes do not count; brackets nest.

#include <cstddef>
#include <string>
#include <string_view>

namespace lk63 {

struct TrpBracket {
    std::u16string Expression;  // the text between the delimiters
    std::size_t Start = 0;      // where the opening delimiter begins
    // The last character of the closing delimiter; equal to Start when no
    // bracket starts there.
    std::size_t End = 0;
    bool Closed = true;  // false: the text ends before the bracket closes
};

// Positions count from 0. At a position where no opening delimiter starts,
// End == Start. An unclosed bracket runs to the end of the text.
TrpBracket ExtractBracketed(std::u16string_view text, std::size_t start, std::u16string_view open,
                            std::u16string_view close);

}  // namespace lk63
