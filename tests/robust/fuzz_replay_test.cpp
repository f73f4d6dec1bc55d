// The seed corpus and the inputs of past findings of every fuzz target, run
// through the same target code in the ordinary sanitized build.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "fuzz_targets.h"

namespace lk63::fuzz {

// Test names and messages show the target's name.
void PrintTo(const TFuzzTarget& target, std::ostream* out) { *out << target.Name; }

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsOf(const std::string& target) {
    std::vector<fs::path> files;
    for (const char* folder : {"corpus", "regressions"}) {
        const fs::path dir = fs::path(LK63_FUZZ_DIR) / folder / target;
        if (!fs::is_directory(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FuzzReplay : public ::testing::TestWithParam<TFuzzTarget> {};

TEST_P(FuzzReplay, KeptInputsHoldEveryInvariant) {
    const TFuzzTarget target = GetParam();
    const std::vector<fs::path> inputs = InputsOf(target.Name);
    ASSERT_FALSE(inputs.empty()) << "no seed corpus for " << target.Name;
    for (const fs::path& input : inputs) {
        SCOPED_TRACE(input.string());
        try {
            target.Run(ReadBytes(input));
        } catch (const TFuzzFinding& finding) {
            ADD_FAILURE() << finding.Message;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, FuzzReplay, ::testing::ValuesIn(kFuzzTargets),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace lk63::fuzz
