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
#include "report/band.h"
#include "report/draw_text.h"
#include "report/memo_layout.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/prepared_pages.h"
#include "report/user_interface.h"

namespace lk63 {
namespace {

using platform::iotest::ReadFile;
using platform::iotest::TTempFolder;

constexpr int kSaves = 500;
constexpr unsigned kDefaultSeed = 20251210;
// The height between the page's top and bottom margins (297 - 2 x 10 mm).
constexpr double kPageBody = 277 * 3.77953;

// What goes into a field. Every character prints and reads back, in fonts
// that lack it as the missing glyph; only characters without appearance are
// left out of the text layer.
enum class TKind {
    Word,             // letters, read back exactly, blanks around included
    RightToLeftWord,  // read back, but the reader guesses where blanks at its ends go
    Other,            // digits and punctuation, which bidi moves about next to right-to-left text
    Invisible,        // soft hyphen, joiners, marks: left out, the text around as typed
    Control,          // a space in a single-line field; not checked
};

struct TPiece {
    std::string Text;
    TKind Kind;
};

const std::vector<TPiece>& Pieces() {
    using enum TKind;
    static const std::vector<TPiece> pieces = {
        {"ООО", Word}, {"Ромашка", Word}, {"Выключатель", Word}, {"Ёлка", Word}, {"Company", Word},
        {"Ωμέγα", Word}, {"Αθήνα", Word},
        {"中文", Word}, {"😀", Word}, {"𠀀", Word},  // planes 0, 1, 2, which the font lacks
        {"\xF0\xB0\x80\x80", Word},                 // plane 3
        {"\xF3\xB0\x80\x80", Word}, {"\xF4\x8F\xBF\xBD", Word},  // planes 15 and 16, private use
        {"e\xCC\x81", Word}, {"a\xCC\x88\xCC\xA3", Word},        // combining marks, read back composed
        {"\xD0\xB8\xCC\x86", Word},                               // и and a breve: й
        {"шлюз", Word}, {"за\xCC\x81мок", Word},                  // a stress mark that composes with nothing
        {"שלום", RightToLeftWord}, {"עברית", RightToLeftWord},
        {"مرحبا", RightToLeftWord},  // Arabic, which the font lacks
        {"Ltd.", Other}, {"42", Other}, {"+7-495-000-00-00", Other}, {"O'Brien", Other}, {"\"quoted\"", Other},
        {"''", Other}, {"[TOTALPAGES#]", Other}, {"[Описание]", Other}, {"[x[y]z]", Other}, {"[unclosed", Other},
        {"a]b", Other}, {"«ёлочки»", Other}, {"№5", Other},
        {"\xC2\xAD", Invisible}, {"\xE2\x80\x8B", Invisible}, {"\xE2\x80\x8C", Invisible},  // SHY, ZWSP, ZWNJ
        {"\xE2\x80\x8D", Invisible}, {"\xE2\x80\x8E", Invisible}, {"\xE2\x80\x8F", Invisible},  // ZWJ, LRM, RLM
        {"\xE2\x81\xA0", Invisible}, {"\xEF\xBB\xBF", Invisible}, {"\xEF\xB8\x8F", Invisible},  // WJ, BOM, VS16
        {"\xF3\xA0\x84\x80", Invisible},  // plane 14, a variation selector
        {"\x01", Control}, {"\t", Control}, {"\x1B[0m", Control}, {"\x7F", Control},
        {"\xC2\x85", Control}, {"\xE2\x80\xA8", Control},  // NEL, LS
    };
    return pieces;
}

// Embeddings and overrides that end where they begin: around a phone number,
// or a right-to-left word read as such.
constexpr const char* kLeftToRightWraps[] = {"\xE2\x80\xAA", "\xE2\x80\xAD"};  // LRE, LRO
constexpr const char* kRightToLeftWraps[] = {"\xE2\x80\xAB", "\xE2\x80\xAE"};  // RLE, RLO
constexpr const char* kPopDirection = "\xE2\x80\xAC";

// A text the reader must give back: a word, or two words with what stood
// between them (a blank or nothing, once the invisible characters are gone).
struct TExpected {
    std::string Text;
    bool RightToLeft = false;  // compared in every order the reader may give it
};

struct TRandomOrder {
    TReportFields Fields;
    std::vector<TExpected> Shown;  // what pdftotext must give back
};

class TOrderGenerator {
public:
    explicit TOrderGenerator(unsigned seed) : random_(seed) {}

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    void ChooseAll(TQuestionnaire& q) {
        for (const TGroup group : {TGroup::Breaker, TGroup::Accessory}) {
            for (int row = 0; row < TQuestionnaire::RowCount(group); ++row) {
                const int offered = static_cast<int>(q.EditList(group, row).size());
                q.CloseUp(group, row, Pick(0, offered - 1), true);
            }
        }
    }

    // Pieces joined by a blank, now and then by nothing, with invisible
    // characters among them; up to `characters` code points.
    // Two words with a blank between them must come back with that blank,
    // two glued ones glued: a line may wrap at the blank (the reader gives a
    // line break, which counts as a blank) but not inside a word, so runs of
    // non-blanks longer than kShortRun characters are not checked. Next to
    // right-to-left text bidi moves digits and punctuation about, and the
    // reader guesses where blanks go: in such a text only words are checked.
    std::string Text(std::size_t characters, std::vector<TExpected>& shown) {
        using enum TKind;
        std::string text;
        std::size_t length = 0;
        bool rightToLeft = false;
        std::vector<TExpected> expected, pairs, others;
        std::string wordBefore, joint;  // the word before the current piece and what joined them
        std::size_t run = 0;            // characters since the last blank
        bool runChecked = true;         // no right-to-left word in the run
        bool lastRunShort = false;      // the run before the last blank is checked
        // Of the current run, kept once it ends short.
        std::vector<TExpected> pending, pendingPairs;

        const auto endRun = [&] {
            lastRunShort = runChecked && run <= kShortRun;
            if (lastRunShort) {
                expected.insert(expected.end(), pending.begin(), pending.end());
                pairs.insert(pairs.end(), pendingPairs.begin(), pendingPairs.end());
            }
            pending.clear();
            pendingPairs.clear();
            run = 0;
            runChecked = true;
        };
        // A right-to-left mark is strong: digits and punctuation next to it move.
        const auto invisible = [&](const std::string& mark) {
            text += mark;
            rightToLeft = rightToLeft || mark == "\xE2\x80\x8F";
        };
        const auto blank = [&] {
            text += ' ';
            ++length;
            endRun();
        };
        while (length < characters) {
            const TPiece& piece = Pieces()[static_cast<std::size_t>(Pick(0, static_cast<int>(Pieces().size()) - 1))];
            const std::size_t n = platform::Utf8Length(piece.Text);
            if (length + n + 2 > characters) break;
            length += n;
            switch (piece.Kind) {
                case Invisible:
                    invisible(piece.Text);
                    continue;  // joins nothing and parts nothing
                case Control:
                    text += piece.Text;
                    endRun();
                    wordBefore.clear();
                    continue;
                case RightToLeftWord: {
                    rightToLeft = true;
                    // Between blanks: the reader would read it with its neighbours otherwise.
                    if (run > 0) blank();
                    const bool wrapped = Pick(0, 3) == 0;
                    if (wrapped) text += kRightToLeftWraps[Pick(0, 1)];
                    text += piece.Text;
                    if (wrapped) text += kPopDirection;
                    expected.push_back({platform::ToNfc(piece.Text), true});
                    wordBefore.clear();
                    run += n;
                    runChecked = false;
                    blank();
                    continue;
                }
                case Other: {
                    const bool wrapped = Pick(0, 5) == 0;
                    if (wrapped) text += kLeftToRightWraps[Pick(0, 1)];
                    text += piece.Text;
                    if (wrapped) text += kPopDirection;
                    others.push_back({platform::ToNfc(piece.Text)});
                    wordBefore.clear();
                    run += n;
                    break;
                }
                case Word:
                    text += piece.Text;
                    if (!wordBefore.empty() && (joint.empty() || lastRunShort))
                        pendingPairs.push_back({platform::ToNfc(wordBefore + joint + piece.Text)});
                    pending.push_back({platform::ToNfc(piece.Text)});
                    wordBefore = piece.Text;
                    run += n;
                    break;
            }
            // A blank after most pieces, an invisible character now and then on either side of it.
            if (Pick(0, 4) == 0) invisible(InvisiblePiece());
            joint = Pick(0, 9) > 0 ? " " : "";
            if (!joint.empty()) blank();
            if (Pick(0, 4) == 0) invisible(InvisiblePiece());
        }
        endRun();
        shown.insert(shown.end(), expected.begin(), expected.end());
        if (rightToLeft) return text;
        shown.insert(shown.end(), pairs.begin(), pairs.end());
        shown.insert(shown.end(), others.begin(), others.end());
        return text;
    }

    TRandomOrder Next(int index) {
        TRandomOrder order;
        const auto field = [&](std::string& out) {
            // Every 50th order has a name of 10,000 characters.
            const std::size_t size = index % 50 == 7 ? 10000 : static_cast<std::size_t>(Pick(0, 120));
            out = Text(size, order.Shown);
        };
        field(order.Fields.Organisation);
        field(order.Fields.Address);
        field(order.Fields.Contact);
        const int quantity = Pick(1, 999999);
        order.Fields.Quantity = (Pick(0, 9) == 0 ? "00" : "") + std::to_string(quantity);
        // Notes of 1 to 3,000 lines: most short, every 25th long.
        const int lines = index % 25 == 3 ? Pick(1, 3000) : Pick(1, 12);
        const char* const breaks[] = {"\n", "\r\n", "\r"};
        for (int l = 0; l < lines; ++l) {
            if (l) order.Fields.Note += breaks[Pick(0, 2)];
            order.Fields.Note += Text(static_cast<std::size_t>(Pick(0, 70)), order.Shown);
        }
        return order;
    }

private:
    static constexpr std::size_t kShortRun = 20;

    const std::string& InvisiblePiece() {
        for (;;) {
            const TPiece& piece = Pieces()[static_cast<std::size_t>(Pick(0, static_cast<int>(Pieces().size()) - 1))];
            if (piece.Kind == TKind::Invisible) return piece.Text;
        }
    }

    std::mt19937 random_;
};

class TRecordedErrors : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown += caption + ": " + text; }
    void ProcessMessages() override {}
    std::string Shown;
};

unsigned Seed() {
    const char* text = std::getenv("LK63_ROBUST_SEED");
    return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : kDefaultSeed;
}

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
