// 500 random complete questionnaires saved as PDF through the save path, with
// texts from every plane: each file is read back by qpdf and pdftotext, its
// page count is the prepared one, and no line of the note is lost or doubled
// on the way through the page breaks. The seed is printed on failure;
// LK63_ROBUST_SEED repeats a run.
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

// A word the report's font can show, or text that goes in only to be kept
// from harming anything (no glyph, a control, a mark, a plane the font lacks).
struct TPiece {
    std::string Text;
    bool Shown;               // pdftotext must give it back
    bool RightToLeft = false;  // a strong right-to-left character
    bool Letters = false;      // letters only, nothing that bidi moves about
};

const std::vector<TPiece>& Pieces() {
    static const std::vector<TPiece> pieces = {
        {"ООО", true, false, true},    {"Ромашка", true, false, true}, {"Выключатель", true, false, true},
        {"Ёлка", true, false, true},   {"Company", true, false, true}, {"Ωμέγα", true, false, true},
        {"Αθήνα", true, false, true},  {"שלום", true, true, true},     {"עברית", true, true, true},
        {"Ltd.", true},                {"42", true},                   {"+7-495-000-00-00", true},
        {"O'Brien", true},             {"\"quoted\"", true},           {"''", true},
        {"[TOTALPAGES#]", true},       {"[Описание]", true},           {"[x[y]z]", true},
        {"[unclosed", true},           {"a]b", true},                  {"«ёлочки»", true},
        {"№5", true},
        {"مرحبا", false, true},  // Arabic, which the font lacks
        {"中文", false},                {"😀", false},                   {"𠀀", false},  // planes 0, 1, 2
        {"\xF0\xB0\x80\x80", false},                                  // plane 3
        {"\xF3\xA0\x84\x80", false},                                  // plane 14, a variation selector
        {"\xF3\xB0\x80\x80", false}, {"\xF4\x8F\xBF\xBD", false},    // planes 15 and 16, private use
        {"e\xCC\x81", false},          {"a\xCC\x88\xCC\xA3", false},    // combining marks
        {"\x01", false},                {"\t", false},                   {"\x1B[0m", false},
        {"\x7F", false},                {"\xC2\x85", false},              {"\xE2\x80\xA8", false},  // NEL, LS
    };
    return pieces;
}

struct TRandomOrder {
    TReportFields Fields;
    std::vector<std::string> Shown;  // words pdftotext must give back
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

    // Pieces joined by a space, now and then by nothing; up to `characters`
    // code points.
    // With right-to-left text or a character without a glyph in it, only the
    // words of letters are checked:
    // bidi reorders digits and punctuation next to it, and the reader gives
    // the glyphs in the order they stand on the page.
    std::string Text(std::size_t characters, std::vector<std::string>& shown) {
        std::string text;
        std::size_t length = 0;
        std::vector<const TPiece*> used;
        bool bidi = false;
        while (length < characters) {
            const TPiece& piece = Pieces()[static_cast<std::size_t>(Pick(0, static_cast<int>(Pieces().size()) - 1))];
            const std::size_t n = platform::Utf8Length(piece.Text);
            if (length + n > characters) break;

            // A right-to-left word stands between blanks: the reader would
            // read it together with its neighbours in their order otherwise.
            if (piece.RightToLeft && !text.empty() && text.back() != ' ') {
                if (length + n + 1 > characters) break;
                text += ' ';
                ++length;
            }
            text += piece.Text;
            length += n;
            if (piece.Shown && piece.Text.size() > 2) used.push_back(&piece);
            // A character without a glyph reads back as whatever the font's
            // missing glyph was first used for, which may be right-to-left.
            bidi = bidi || piece.RightToLeft || !piece.Shown;
            if (length < characters && (piece.RightToLeft || Pick(0, 9) > 0)) {
                text += ' ';
                ++length;
            }
        }
        for (const TPiece* piece : used)
            if (!bidi || piece->Letters) shown.push_back(piece->Text);
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

// Without blanks, variation selectors and the direction marks the reader
// puts around right-to-left runs. The two characters of a mirrored pair count as one: in
// right-to-left text "[" is drawn with the glyph of "]", and a font's glyph
// maps back to the characters it was first used for, whichever that was.
std::string Comparable(const std::string& text) {
    std::u16string out;
    const std::u16string wide = platform::Utf8ToUtf16(text);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char16_t c = wide[i];
        // A variation selector has no width: the reader may put it before
        // the character it follows.
        if (c == 0xDB40 && i + 1 < wide.size() && wide[i + 1] >= 0xDD00 && wide[i + 1] <= 0xDDEF) {
            ++i;
            continue;
        }
        const bool mark = c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
        if (mark || c == u' ' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\t') continue;
        if (c == u']') c = u'[';
        if (c == u')') c = u'(';
        if (c == u'>') c = u'<';
        if (c == u'»') c = u'«';
        out += c;
    }
    return platform::Utf16ToUtf8(out);
}

// How the reader may give a word back. Left-to-right words as they are.
// Right-to-left ones (in the order of their glyphs, or read back; next to a
// character of no width the reader may also split off the word's last
// letter and give it first): every rotation of the word and of its reverse.
std::vector<std::string> ReadForms(const std::string& word) {
    const std::u16string wide = platform::Utf8ToUtf16(word);
    const bool rightToLeft = std::any_of(wide.begin(), wide.end(), [](char16_t c) { return c >= 0x0590 && c <= 0x05FF; });
    if (!rightToLeft) return {word};
    std::vector<std::string> forms;
    for (const std::u16string& w : {wide, std::u16string(wide.rbegin(), wide.rend())})
        for (std::size_t k = 0; k < w.size(); ++k) forms.push_back(platform::Utf16ToUtf8(w.substr(k) + w.substr(0, k)));
    return forms;
}

struct TSaved {
    std::string Path;
    int Pages = 0;
    std::string OrderCode;
    std::vector<std::string> Shown;
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
    const std::string page = Comparable(text.Output);
    std::string missing;
    for (const std::string& word : saved.Shown) {
        bool found = false;
        for (const std::string& form : ReadForms(Comparable(word))) found = found || page.find(form) != std::string::npos;
        if (!found) missing += " " + word;
    }
    if (page.find(Comparable(saved.OrderCode)) == std::string::npos) missing += " (order code) " + saved.OrderCode;
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
    // The pieces the readers must give back are ones the report's font shows.
    platform::TShaper arial({"Arial", false, false});
    ASSERT_TRUE(arial.HasFont());
    for (const TPiece& piece : Pieces()) {
        if (!piece.Shown) continue;
        for (const platform::TShapedGlyph& g : arial.Shape(platform::Utf8ToUtf16(piece.Text), piece.RightToLeft))
            ASSERT_NE(g.GlyphId, 0) << piece.Text << " has no glyph in the report's font";
    }

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
