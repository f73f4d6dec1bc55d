#pragma once
// Options of a report run.

#include <array>
#include <string>
#include <string_view>

namespace lk63 {

enum class TrpSilentMode { simMessageBoxes, simSilent, simReThrow };
inline constexpr std::array<std::string_view, 3> kSilentModeNames{"simMessageBoxes", "simSilent",
                                                                  "simReThrow"};

struct TrpEngineOptions {
    bool ConvertNulls = true;
    bool DoublePass = false;
    int MaxMemSize = 10;  // megabytes
    bool PrintIfEmpty = true;
    TrpSilentMode NewSilentMode = TrpSilentMode::simMessageBoxes;
    std::string TempDir;
    bool UseFileCache = false;
    bool IgnoreDevByZero = false;
    // Not stored with a template.
    bool UseGlobalDataSetList = true;  // data set names resolve through the process-wide list
    bool DestroyForms = true;          // a run restores the template afterwards
};

}  // namespace lk63
