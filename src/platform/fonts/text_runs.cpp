#include "platform/fonts/text_runs.h"

#include <unicode/ubidi.h>
#include <unicode/uscript.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace lk63::platform {
namespace {

struct TBidiDeleter {
    void operator()(UBiDi* bidi) const { ubidi_close(bidi); }
};

bool IsNeutral(UScriptCode script) {
    return script == USCRIPT_COMMON || script == USCRIPT_INHERITED || script == USCRIPT_UNKNOWN;
}

hb_script_t ToHarfBuzz(UScriptCode script) {
    if (IsNeutral(script)) return HB_SCRIPT_COMMON;
    const char* tag = uscript_getShortName(script);  // ISO 15924, e.g. "Cyrl"
    if (tag == nullptr) return HB_SCRIPT_COMMON;
    const hb_script_t found = hb_script_from_string(tag, -1);
    return found == HB_SCRIPT_INVALID ? HB_SCRIPT_COMMON : found;
}

// Splits units [start, start + length) of one bidi run into script items in logical order.
void AppendScriptItems(std::u16string_view line, std::int32_t start, std::int32_t length, bool rightToLeft,
                       std::vector<TTextRun>& items) {
    const auto* text = reinterpret_cast<const UChar*>(line.data());
    const std::int32_t end = start + length;
    std::int32_t itemStart = start;
    UScriptCode itemScript = USCRIPT_COMMON;
    std::int32_t i = start;
    while (i < end) {
        const std::int32_t here = i;
        UChar32 c = 0;
        U16_NEXT(text, i, end, c);
        UErrorCode error = U_ZERO_ERROR;
        const UScriptCode script = uscript_getScript(c, &error);
        if (U_FAILURE(error) || IsNeutral(script)) continue;
        if (IsNeutral(itemScript)) {
            itemScript = script;
        } else if (script != itemScript) {
            items.push_back({static_cast<std::size_t>(itemStart), static_cast<std::size_t>(here - itemStart),
                             rightToLeft, ToHarfBuzz(itemScript)});
            itemStart = here;
            itemScript = script;
        }
    }
    items.push_back({static_cast<std::size_t>(itemStart), static_cast<std::size_t>(end - itemStart), rightToLeft,
                     ToHarfBuzz(itemScript)});
}

}  // namespace

std::vector<TTextRun> VisualRuns(std::u16string_view line, bool rightToLeft) {
    std::vector<TTextRun> runs;
    if (line.empty()) return runs;
    if (line.size() > static_cast<std::size_t>(INT32_MAX))
        throw std::length_error("text shaping: line longer than 2^31 - 1 units");
    const auto length = static_cast<std::int32_t>(line.size());
    const UBiDiLevel paragraph = rightToLeft ? 1 : 0;

    UErrorCode error = U_ZERO_ERROR;
    const std::unique_ptr<UBiDi, TBidiDeleter> bidi(ubidi_openSized(length, 0, &error));
    if (U_SUCCESS(error))
        ubidi_setPara(bidi.get(), reinterpret_cast<const UChar*>(line.data()), length, paragraph, nullptr, &error);
    const std::int32_t count = U_SUCCESS(error) ? ubidi_countRuns(bidi.get(), &error) : 0;
    if (U_FAILURE(error)) {
        // Without the bidi algorithm the line still shapes as one run of the paragraph direction.
        AppendScriptItems(line, 0, length, rightToLeft, runs);
        if (rightToLeft) std::reverse(runs.begin(), runs.end());
        return runs;
    }
    std::vector<TTextRun> items;
    for (std::int32_t r = 0; r < count; ++r) {
        std::int32_t start = 0;
        std::int32_t runLength = 0;
        const bool runRtl = ubidi_getVisualRun(bidi.get(), r, &start, &runLength) == UBIDI_RTL;
        items.clear();
        AppendScriptItems(line, start, runLength, runRtl, items);
        if (runRtl)
            runs.insert(runs.end(), items.rbegin(), items.rend());
        else
            runs.insert(runs.end(), items.begin(), items.end());
    }
    return runs;
}

}  // namespace lk63::platform
