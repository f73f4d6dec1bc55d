#pragma once
// A measurer with known advances, so that line breaking can be checked
// character by character: 'W' is 160 units wide, every other character 10.

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "report/draw_text.h"

namespace lk63::testing {

inline void FixedAdvances(const platform::TFontKey&, int, std::u16string_view line, std::vector<int>& positions) {
    positions.resize(line.size());
    int sum = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        sum += line[i] == u'W' ? 160 : 10;
        positions[i] = sum;
    }
}

// Installs the fixed measurer in the process-wide layout object for a test.
class FixedAdvanceTest : public ::testing::Test {
protected:
    void SetUp() override { GlobalDrawText().SetMeasureFunction(FixedAdvances); }
    void TearDown() override { GlobalDrawText().SetMeasureFunction({}); }
};

}  // namespace lk63::testing
