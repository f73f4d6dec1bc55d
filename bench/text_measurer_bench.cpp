// Measuring memo lines the way the layout does: one call per source line,
// the positions vector reused, the font's advances already cached.

#include "platform/fonts/text_measurer.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const lk63::platform::TFontKey kArial{"Arial", false, false};
constexpr int kEm = 83;  // 10 pt at 600 dpi

// About a hundred Cyrillic characters, as in a questionnaire value.
const std::u16string kQuestionnaireLine =
    u"Выключатель автоматический ЛК63-19-2500S, выдвижного исполнения, с электронным расцепителем TK71";

std::u16string LongLine(std::size_t length) {
    std::u16string line;
    while (line.size() < length) line += kQuestionnaireLine + u' ';
    line.resize(length);
    return line;
}

void MeasureLine(benchmark::State& state, const std::u16string& line) {
    std::vector<int> positions;
    lk63::platform::SharedTextMeasurer().Measure(kArial, kEm, line, positions);  // fills the cache
    for (auto _ : state) {
        lk63::platform::SharedTextMeasurer().Measure(kArial, kEm, line, positions);
        benchmark::DoNotOptimize(positions.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}

void BM_MeasureQuestionnaireLine(benchmark::State& state) { MeasureLine(state, kQuestionnaireLine); }
BENCHMARK(BM_MeasureQuestionnaireLine);

void BM_MeasureLongLine(benchmark::State& state) { MeasureLine(state, LongLine(3000)); }
BENCHMARK(BM_MeasureLongLine);

}  // namespace
