#pragma once
// Random complete questionnaires with texts from every plane, invisible
// characters and controls among them, for the tests that save many; each
// text knows the words a reader must give back. LK63_ROBUST_SEED repeats a
// run.

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "platform/unicode.h"
#include "questionnaire/questionnaire.h"
#include "questionnaire/report_binding.h"

namespace lk63::robust {

inline constexpr unsigned kDefaultSeed = 20251210;

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

inline const std::vector<TPiece>& Pieces() {
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
inline constexpr const char* kLeftToRightWraps[] = {"\xE2\x80\xAA", "\xE2\x80\xAD"};  // LRE, LRO
inline constexpr const char* kRightToLeftWraps[] = {"\xE2\x80\xAB", "\xE2\x80\xAE"};  // RLE, RLO
inline constexpr const char* kPopDirection = "\xE2\x80\xAC";

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

inline unsigned Seed() {
    const char* text = std::getenv("LK63_ROBUST_SEED");
    return text && *text ? static_cast<unsigned>(std::strtoul(text, nullptr, 10)) : kDefaultSeed;
}

}  // namespace lk63::robust
