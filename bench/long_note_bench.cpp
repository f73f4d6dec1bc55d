// A note of millions of characters on one line, as a careless user pastes it:
// preparing its pages, and the whole save into memory. The time must grow
// with the length of the note, not with its square.

#include <benchmark/benchmark.h>

#include <string>

#include "pdf/pdf_sink.h"
#include "questionnaire/questionnaire_document.h"
#include "report/prepared_pages.h"

namespace lk63 {
namespace {

struct TOneLineNote {
    TQuestionnaire q;
    TQuestionnaireDocument document{q};
    TReportFields fields;

    explicit TOneLineNote(std::size_t length) {
        for (int r = 0; r < kBreakerRows; ++r) q.CloseUp(TGroup::Breaker, r, (q.EditList(TGroup::Breaker, r), 0), true);
        for (int r = 0; r < kAccessoryRows; ++r)
            q.CloseUp(TGroup::Accessory, r, (q.EditList(TGroup::Accessory, r), 0), true);
        fields = {"ООО Ромашка", "г. Москва, +7 495 000-00-00", "Иванов И. И.", "2", std::string(length, 'x')};
    }
};

void PrepareOneLineNote(benchmark::State& state) {
    TOneLineNote note(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(note.document.Prepare(note.fields));
    state.counters["pages"] = note.document.Report().PreviewPages().PageCount();
}
BENCHMARK(PrepareOneLineNote)->Arg(1'000'000)->Arg(5'000'000)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kSecond);

void SaveOneLineNote(benchmark::State& state) {
    TOneLineNote note(static_cast<std::size_t>(state.range(0)));
    std::string pdf;
    TrpStringSink sink(pdf);
    note.document.PdfExport().Stream = &sink;
    for (auto _ : state) {
        pdf.clear();
        if (note.document.Prepare(note.fields) != TSavePreparation::Prepared || !note.document.Export("memory.pdf"))
            state.SkipWithError("the save failed");
    }
    state.counters["pages"] = note.document.Report().PreviewPages().PageCount();
    state.counters["MB"] = static_cast<double>(pdf.size()) / 1e6;
}
BENCHMARK(SaveOneLineNote)->Arg(1'000'000)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace lk63
