// 500 random complete questionnaires saved as PDF through the save path, with
// texts from every plane and invisible characters among them: each file is
// read back by qpdf and pdftotext, its page count is the prepared one, every
// word typed comes back with the blank or the nothing that stood next to it,
// and no line of the note is lost or doubled on the way through the page
// breaks. The seed is printed on failure; LK63_ROBUST_SEED repeats a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "pdf/pdf_check.h"
#include "platform/fonts/shaper.h"
#include "platform/io/temp_folder.h"
#include "platform/unicode.h"
#include "questionnaire/questionnaire_document.h"
#include "questionnaire/report_binding.h"
#include "questionnaire/report_texts.h"
#include "report/band.h"
#include "report/draw_text.h"
#include "report/memo_layout.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/prepared_pages.h"
#include "report/user_interface.h"
#include "robust/random_order.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;
using namespace robust;

constexpr int kSaves = 500;
// The height between the page's top and bottom margins (297 - 2 x 10 mm).
constexpr double kPageBody = 277 * 3.77953;

class TRecordedErrors : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown += caption + ": " + text; }
    void ProcessMessages() override {}
    std::string Shown;
};

// The reader's text with every run of whitespace (blanks, line and page
// breaks) one blank: a line that wrapped at a blank reads as that blank.
// Nothing else is taken out, neither blanks nor marks.
std::string Folded(const std::string& text) {
    std::string out;
    bool blank = false;
    for (const char c : text) {
        if (c == ' ' || c == '\n' || c == '\r' || c == '\f' || c == '\t') {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// How the reader may give a right-to-left word back: in the order of its
// glyphs or read back; next to a character of no width it may also split
// off the word's last letter and give it first: every rotation of the word
// and of its reverse.
std::vector<std::string> ReadForms(const TExpected& expected) {
    if (!expected.RightToLeft) return {expected.Text};
    const std::u16string wide = platform::Utf8ToUtf16(expected.Text);
    std::vector<std::string> forms;
    for (const std::u16string& w : {wide, std::u16string(wide.rbegin(), wide.rend())})
        for (std::size_t k = 0; k < w.size(); ++k) forms.push_back(platform::Utf16ToUtf8(w.substr(k) + w.substr(0, k)));
    return forms;
}

struct TSaved {
    std::string Path;
    int Pages = 0;
    std::string OrderCode;
    std::vector<TExpected> Shown;
    TReportFields Fields;
};

std::string ReadBackProblem(const TSaved& saved);

// What the independent readers say about one file; empty when all is well.
// A file they find fault with is kept in the build folder for a look, with
// the texts it was saved from.
std::string ReadBack(const TSaved& saved) {
    std::string problem = ReadBackProblem(saved);
    if (problem.empty()) {
        std::remove(saved.Path.c_str());
        return problem;
    }
    const std::string kept = std::string(LK63_ACTUAL_DIR) + "/" + saved.Path.substr(saved.Path.rfind('/') + 1);
    if (std::rename(saved.Path.c_str(), kept.c_str()) != 0) return problem + " (file " + saved.Path + ")";
    std::FILE* fields = std::fopen((kept + ".fields.txt").c_str(), "wb");
    if (fields) {
        for (const std::string* f : {&saved.Fields.Organisation, &saved.Fields.Address, &saved.Fields.Contact,
                                     &saved.Fields.Quantity, &saved.Fields.Note})
            std::fprintf(fields, "%s\n----\n", f->c_str());
        std::fclose(fields);
    }
    return problem + " (file kept as " + kept + ")";
}

std::string ReadBackProblem(const TSaved& saved) {
    const test::TToolResult check = test::RunTool("qpdf --check " + test::Quote(saved.Path));
    if (check.Status != 0) return "qpdf --check: " + check.Output;
    const test::TToolResult pages = test::RunTool("qpdf --show-npages " + test::Quote(saved.Path));
    if (pages.Status != 0 || std::stoi(pages.Output) != saved.Pages)
        return "qpdf counts " + pages.Output + " pages, the store prepared " + std::to_string(saved.Pages);
    const test::TToolResult text = test::RunTool("pdftotext -raw -enc UTF-8 " + test::Quote(saved.Path) + " -");
    if (text.Status != 0) return "pdftotext: " + text.Output;
    const std::string page = Folded(text.Output);
    std::string missing;
    for (const TExpected& expected : saved.Shown) {
        bool found = false;
        for (const std::string& form : ReadForms(expected)) found = found || page.find(form) != std::string::npos;
        if (!found) missing += " \"" + expected.Text + "\"";
    }
    if (page.find(saved.OrderCode) == std::string::npos) missing += " (order code) " + saved.OrderCode;
    if (!missing.empty()) return "pdftotext does not give back:" + missing;
    return {};
}

// The note as the layout sees it: its wrapped lines at the width of Memo8.
std::size_t WrappedNoteLines(const TrpCustomMemoView& memo8, const std::string& note) {
    TrpMemoView memo;
    memo.SetFont(memo8.Font());
    memo.Frame = memo8.Frame;
    memo.GapX = memo8.GapX;
    memo.GapY = memo8.GapY;
    memo.SetBounds(0, 0, memo8.Width(), 100);
    memo.Memo.SetText(platform::Utf8ToUtf16(note));
    const auto lock = LockDrawText();
    TrpDrawText& dt = DrawTextOf(memo);
    SetUpDrawText(dt, memo, MemoTextRect(memo));
    dt.BreakLines(memo.Memo, false);
    return dt.Lines().size();
}

// The page count follows from the note's height: the store's parts of Memo8
// hold every wrapped line of the note once, and the pages are at least as
// many as those lines need. Gives what is wrong, or nothing.
std::string CheckNoteParts(TrpPreviewPages& store, const std::string& note) {
    std::size_t partLines = 0;
    const TrpCustomMemoView* first = nullptr;
    for (int p = 0; p < store.PageCount(); ++p) {
        const TrpReportPage& page = store.MaterializePage(p);
        for (const auto& band : page.Objects()) {
            for (const auto& view : band->Objects()) {
                const auto* memo = dynamic_cast<const TrpCustomMemoView*>(view.get());
                if (!memo || memo->Name() != "Memo8") continue;
                if (!first) first = memo;
                const auto lock = LockDrawText();
                TrpDrawText& dt = DrawTextOf(*memo);
                SetUpDrawText(dt, *memo, MemoTextRect(*memo));
                dt.BreakLines(memo->Memo, memo->FirstParaBreak, memo->LastParaBreak);
                partLines += dt.Lines().size();
            }
        }
    }
    if (!first) return "no Memo8 in the prepared pages";
    // The memo's text is its one bracket and a line break: the note expands
    // in front of that line break (an empty note prints a blank line).
    const std::size_t lines = WrappedNoteLines(*first, note + "\r\n");
    if (partLines != lines)
        return "the note has " + std::to_string(lines) + " wrapped lines, its parts " + std::to_string(partLines);
    const double height = static_cast<double>(lines) * (83 / 6.25 + 2);
    const int least = static_cast<int>(std::ceil(height / kPageBody));
    if (store.PageCount() < least)
        return std::to_string(lines) + " note lines need " + std::to_string(least) + " pages, prepared " +
               std::to_string(store.PageCount());
    return {};
}

TEST(RandomSaves, FiveHundredQuestionnairesGiveCompleteReadablePdfs) {
    const unsigned seed = Seed();
    SCOPED_TRACE("seed " + std::to_string(seed) + " (LK63_ROBUST_SEED repeats it)");
    TOrderGenerator generator(seed);
    TTempFolder folder;
    std::optional<std::future<std::string>> reading;
    std::string readingName;
    const auto collect = [&] {
        if (!reading) return;
        const std::string problem = reading->get();
        EXPECT_EQ(problem, "") << readingName;
        reading.reset();
    };

    for (int i = 0; i < kSaves && !HasFailure(); ++i) {
        const std::string name = "order " + std::to_string(i);
        SCOPED_TRACE(name);
        TQuestionnaire q;
        generator.ChooseAll(q);
        ASSERT_TRUE(q.SaveEnabled());
        TRandomOrder order = generator.Next(i);

        TRecordedErrors errors;
        TQuestionnaireDocument document(q, &errors);
        ASSERT_EQ(document.Prepare(order.Fields), TSavePreparation::Prepared) << errors.Shown;
        TSaved saved{folder / ("order-" + std::to_string(i) + ".pdf"), 0, q.Texts().OrderCode, std::move(order.Shown),
                     order.Fields};
        ASSERT_TRUE(document.Export(saved.Path)) << errors.Shown;
        ASSERT_EQ(errors.Shown, "");
        TrpPreviewPages& store = document.Report().PreviewPages();
        saved.Pages = store.PageCount();
        const std::string problem = CheckNoteParts(store, TrimNote(order.Fields.Note));
        EXPECT_EQ(problem, "");

        // The readers of this file run while the next one is made.
        collect();
        readingName = name;
        reading = std::async(std::launch::async, ReadBack, std::move(saved));
    }
    collect();
}

}  // namespace
}  // namespace lk63
