#pragma once
// Itemising a line for shaping: runs of one direction and one script, in the
// visual order of the bidirectional algorithm. Internal to the font services.

#include <hb.h>

#include <cstddef>
#include <string_view>
#include <vector>

namespace lk63::platform {

struct TTextRun {
    std::size_t Start = 0;   // first UTF-16 unit in the line
    std::size_t Length = 0;  // UTF-16 units
    bool RightToLeft = false;
    hb_script_t Script = HB_SCRIPT_COMMON;
};

// Paragraph level 1 when `rightToLeft`, else 0. Characters common to all
// scripts (digits, spaces, punctuation) and combining marks join the script
// before them, or the one after them at the start of a run.
// Throws std::length_error for a line beyond the bidi algorithm's int32 limit.
std::vector<TTextRun> VisualRuns(std::u16string_view line, bool rightToLeft);

}  // namespace lk63::platform
