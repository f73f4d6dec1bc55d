// libFuzzer's entry point for one target, named at compile time. A finding
// ends the run with its message, which libFuzzer reports as a crash.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz_check.h"
#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        lk63::fuzz::LK63_FUZZ_TARGET(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const lk63::fuzz::TFuzzFinding& finding) {
        std::fprintf(stderr, "finding: %s\n", finding.Message.c_str());
        std::abort();
    }
    return 0;
}
