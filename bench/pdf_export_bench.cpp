// Saving the questionnaire as a PDF: in process (prepare and export), the
// export of a 2,000-page document, and `lk63-order pdf` as a whole process.

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "pdf/pdf_sink.h"
#include "questionnaire/questionnaire_document.h"
#include "report/prepared_pages.h"

extern char** environ;

namespace lk63 {
namespace {

struct TSaved {
    TQuestionnaire q;
    std::unique_ptr<TQuestionnaireDocument> document;
    TReportFields fields{"ООО Ромашка", "г. Москва, +7 495 000-00-00", "Иванов И. И.", "2", ""};

    explicit TSaved(std::string note) {
        for (int r = 0; r < kBreakerRows; ++r) q.CloseUp(TGroup::Breaker, r, (q.EditList(TGroup::Breaker, r), 0), true);
        for (int r = 0; r < kAccessoryRows; ++r)
            q.CloseUp(TGroup::Accessory, r, (q.EditList(TGroup::Accessory, r), 0), true);
        document = std::make_unique<TQuestionnaireDocument>(q);
        fields.Note = std::move(note);
    }

    void Prepare() {
        if (document->Prepare(fields) != TSavePreparation::Prepared) throw std::runtime_error("not prepared");
    }
    // Into memory: what the export itself costs, without the disk.
    std::size_t ExportToMemory() {
        std::string bytes;
        TrpStringSink sink(bytes);
        document->PdfExport().Stream = &sink;
        if (!document->PdfExport().ExportTo(document->Report())) throw std::runtime_error("not exported");
        document->PdfExport().Stream = nullptr;
        return bytes.size();
    }
};

std::string LongNote(int lines) {
    std::string note;
    for (int i = 0; i < lines; ++i) note += "Строка примечания " + std::to_string(i + 1) + "\r\n";
    return note;
}

// With the fonts named (embedded 0) and, as the questionnaire saves, embedded.
void PrepareAndExportQuestionnaire(benchmark::State& state) {
    TSaved saved("Примечание к заказу");
    saved.document->PdfExport().EmbeddedFonts = state.range(0) != 0;
    std::size_t size = 0;
    for (auto _ : state) {
        saved.Prepare();
        size = saved.ExportToMemory();
    }
    state.counters["bytes"] = static_cast<double>(size);
}
BENCHMARK(PrepareAndExportQuestionnaire)->ArgName("embedded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same into a file, synced to the disk and renamed into place.
void PrepareAndSaveQuestionnaire(benchmark::State& state) {
    TSaved saved("Примечание к заказу");
    const std::string path = "/tmp/lk63-bench-" + std::to_string(::getpid()) + ".pdf";
    for (auto _ : state) {
        saved.Prepare();
        if (!saved.document->Export(path)) throw std::runtime_error("not saved");
    }
    ::unlink(path.c_str());
}
BENCHMARK(PrepareAndSaveQuestionnaire)->Unit(benchmark::kMillisecond);

void PrepareQuestionnaire(benchmark::State& state) {
    TSaved saved("Примечание к заказу");
    for (auto _ : state) saved.Prepare();
}
BENCHMARK(PrepareQuestionnaire)->Unit(benchmark::kMillisecond);

void ExportQuestionnaire(benchmark::State& state) {
    TSaved saved("Примечание к заказу");
    saved.document->PdfExport().EmbeddedFonts = state.range(0) != 0;
    saved.Prepare();
    for (auto _ : state) benchmark::DoNotOptimize(saved.ExportToMemory());
}
BENCHMARK(ExportQuestionnaire)->ArgName("embedded")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The process's peak resident size so far, in megabytes: run one size alone
// (--benchmark_filter) for the figure of that size.
double PeakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A note of 136,000 lines: about 2,000 pages; ten times that for how the
// time grows with the pages.
void PrepareAndExportLongNote(benchmark::State& state) {
    TSaved saved(LongNote(static_cast<int>(state.range(0))));
    std::size_t size = 0;
    for (auto _ : state) {
        saved.Prepare();
        size = saved.ExportToMemory();
    }
    state.counters["pages"] = saved.document->Report().PreviewPages().PageCount();
    state.counters["bytes"] = static_cast<double>(size);
    state.counters["peakMB"] = PeakMegabytes();
}
BENCHMARK(PrepareAndExportLongNote)->Arg(136000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(PrepareAndExportLongNote)->Arg(1360000)->Unit(benchmark::kMillisecond)->Iterations(1);

void ExportLongNote(benchmark::State& state) {
    TSaved saved(LongNote(static_cast<int>(state.range(0))));
    saved.Prepare();
    for (auto _ : state) benchmark::DoNotOptimize(saved.ExportToMemory());
    state.counters["pages"] = saved.document->Report().PreviewPages().PageCount();
}
BENCHMARK(ExportLongNote)->Arg(136000)->Unit(benchmark::kMillisecond)->Iterations(3);

// `lk63-order pdf ORDER.json -o OUT.pdf`, start to exit.
void OrderToolPdf(benchmark::State& state) {
    const std::string out = "/tmp/lk63-bench-tool-" + std::to_string(::getpid()) + ".pdf";
    std::vector<std::string> args{LK63_ORDER_TOOL, "pdf", LK63_ORDER_JSON, "-o", out};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto _ : state) {
        pid_t child = 0;
        if (::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
            throw std::runtime_error("cannot start the tool");
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("the tool failed");
    }
    ::unlink(out.c_str());
}
BENCHMARK(OrderToolPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lk63
