// Preparing the questionnaire's pages, and preparing with long notes.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "questionnaire/report_binding.h"
#include "questionnaire/report_template.h"
#include "report/prepared_pages.h"

namespace lk63 {
namespace {

struct TFilledReport {
    TrpUserDataSet d1, d2, d3;
    TQuestionnaire q;
    std::unique_ptr<TrpReport> report;

    explicit TFilledReport(const std::string& note) {
        for (int r = 0; r < kBreakerRows; ++r) q.CloseUp(TGroup::Breaker, r, (q.EditList(TGroup::Breaker, r), 0), true);
        for (int r = 0; r < kAccessoryRows; ++r)
            q.CloseUp(TGroup::Accessory, r, (q.EditList(TGroup::Accessory, r), 0), true);
        ConnectReportDataSets(q, d1, d2, d3);
        report = BuildQuestionnaireReport(d1, d2, d3);
        FillReportVariables(*report, q, {"ООО Ромашка", "г. Москва, +7 495 000-00-00", "Иванов И. И.", "2", note},
                            d3);
    }
};

void PrepareQuestionnaire(benchmark::State& state) {
    TFilledReport filled("");
    for (auto _ : state) benchmark::DoNotOptimize(filled.report->PreparePages(true));
    state.counters["pages"] = filled.report->PreviewPages().PageCount();
}
BENCHMARK(PrepareQuestionnaire)->Unit(benchmark::kMillisecond);

void PrepareLongNote(benchmark::State& state) {
    std::string note;
    for (int i = 0; i < state.range(0); ++i) note += "Строка примечания " + std::to_string(i + 1) + "\r\n";
    TFilledReport filled(note);
    for (auto _ : state) benchmark::DoNotOptimize(filled.report->PreparePages(true));
    state.counters["pages"] = filled.report->PreviewPages().PageCount();
}
BENCHMARK(PrepareLongNote)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lk63
