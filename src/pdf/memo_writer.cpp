#include "pdf/memo_writer.h"

#include <mutex>
#include <vector>

#include "pdf/color_operand.h"
#include "pdf/dash_operator.h"
#include "pdf/format_number.h"
#include "pdf/page_state.h"
#include "pdf/pdf_font_list.h"
#include "pdf/pdf_writer_lock.h"
#include "pdf/text_string.h"
#include "report/draw_text.h"
#include "report/memo_layout.h"
#include "report/memo_view.h"
#include "report/units.h"

namespace lk63 {
namespace {


// Layout lock first, writer lock second; released in the same order, also
// when writing throws.
class TrpMemoLocks {
public:
    TrpMemoLocks() : layout_(LockDrawText()), writer_(LockPdfWriter()) {}
    ~TrpMemoLocks() {
        if (layout_.owns_lock()) layout_.unlock();
        if (writer_.owns_lock()) writer_.unlock();
    }
    TrpMemoLocks(const TrpMemoLocks&) = delete;
    TrpMemoLocks& operator=(const TrpMemoLocks&) = delete;

private:
    std::unique_lock<std::recursive_mutex> layout_;
    std::unique_lock<std::recursive_mutex> writer_;
};

int Nearest(double value) { return static_cast<int>(RoundToInt(value)); }

// The layout rectangle of the writer: like the memo's text rectangle, but a
// drop shadow takes nothing off.
TrpTextRect WriterTextRect(const TrpCustomMemoView& memo) {
    const TrpFrame& frame = memo.Frame;
    const double fw = frame.Width();
    const double left = memo.AbsLeft();
    const double top = memo.AbsTop();
    TrpTextRect rect;
    rect.Left = Nearest(left) + (frame.Has(TrpFrameSide::ftLeft) ? Nearest((fw - 1) / 2) : 0) + Nearest(memo.GapX);
    rect.Top = Nearest(top) + (frame.Has(TrpFrameSide::ftTop) ? Nearest((fw - 1) / 2) : 0) + Nearest(memo.GapY);
    rect.Right = Nearest(left + memo.Width()) - (frame.Has(TrpFrameSide::ftRight) ? Nearest(fw / 2) : 0) -
                 Nearest(memo.GapX) + 1;
    rect.Bottom = Nearest(top + memo.Height()) - (frame.Has(TrpFrameSide::ftBottom) ? Nearest(fw / 2) : 0) -
                  Nearest(memo.GapY) + 1;
    return rect;
}

void AppendPoint(std::string& out, double x, double y, const char* op) {
    AppendNumber(out, x);
    out += ' ';
    AppendNumber(out, y);
    out += op;
}

struct TrpEdges {
    double X0, Y0, X1, Y1;
};

void WriteSide(std::string& out, const TrpFrameLine& line, double ax, double ay, double bx, double by,
               TrpColorOperand& colors) {
    out += colors(line.Color);
    out += " RG\r\n";
    out += DashOperator(line.Style, line.Width);
    out += "\r\n";
    AppendNumber(out, line.Width * 0.75);
    out += " w\r\n";
    AppendPoint(out, ax, ay, " m\r\n");
    AppendPoint(out, bx, by, " l\r\nS\r\n");
}

enum class TrpSide { Top, Right, Bottom, Left };

// One side, and its second stroke 2 points inside for a double line.
void WriteFrameSide(std::string& out, TrpSide side, const TrpFrameLine& line, const TrpEdges& outer,
                    TrpColorOperand& colors) {
    const auto stroke = [&](const TrpEdges& e) {
        switch (side) {
            case TrpSide::Top:
                WriteSide(out, line, e.X0, e.Y0, e.X1, e.Y0, colors);
                break;
            case TrpSide::Right:
                WriteSide(out, line, e.X1, e.Y0, e.X1, e.Y1, colors);
                break;
            case TrpSide::Bottom:
                WriteSide(out, line, e.X0, e.Y1, e.X1, e.Y1, colors);
                break;
            case TrpSide::Left:
                WriteSide(out, line, e.X0, e.Y0, e.X0, e.Y1, colors);
                break;
        }
    };
    stroke(outer);
    if (line.Style == TrpFrameStyle::fsDouble) stroke({outer.X0 + 2, outer.Y0 - 2, outer.X1 - 2, outer.Y1 + 2});
}

void WriteFrame(std::string& out, const TrpCustomMemoView& memo, const TrpEdges& edges, TrpColorOperand& colors) {
    const TrpFrame& frame = memo.Frame;
    if (frame.Typ() == 0 || frame.Color() == clNone) return;
    out += colors(frame.Color());
    out += " RG\r\n";
    if (frame.Has(TrpFrameSide::ftTop)) WriteFrameSide(out, TrpSide::Top, frame.TopLine, edges, colors);
    if (frame.Has(TrpFrameSide::ftRight)) WriteFrameSide(out, TrpSide::Right, frame.RightLine, edges, colors);
    if (frame.Has(TrpFrameSide::ftBottom)) WriteFrameSide(out, TrpSide::Bottom, frame.BottomLine, edges, colors);
    if (frame.Has(TrpFrameSide::ftLeft)) WriteFrameSide(out, TrpSide::Left, frame.LeftLine, edges, colors);
}

void AppendGlyphs(std::string& out, std::u16string_view glyphs);

// The run's codes, each cluster of several glyphs inside a span whose actual
// text is the cluster's characters.
void AppendRun(std::string& out, const TrpGlyphRun& run) {
    if (run.Spans.empty()) {
        AppendGlyphs(out, run.Codes);
        return;
    }
    const std::u16string_view codes = run.Codes;
    std::size_t at = 0;
    for (const TrpActualText& span : run.Spans) {
        if (span.First > at) AppendGlyphs(out, codes.substr(at, span.First - at));
        out += "/Span << /ActualText <FEFF";
        AppendHex4(out, span.Text);
        out += "> >> BDC\r\n";
        AppendGlyphs(out, codes.substr(span.First, span.Count));
        out += "EMC\r\n";
        at = span.First + span.Count;
    }
    if (at < codes.size()) AppendGlyphs(out, codes.substr(at));
}

void AppendGlyphs(std::string& out, std::u16string_view glyphs) {
    out += '<';
    AppendHex4(out, glyphs);
    out += "> Tj\r\n";
}

// Underline and strike-out: a stroke under or through the measured line.
void WriteTextLine(std::string& out, double x, double y, double width, int size, const std::string& color) {
    out += color;
    out += " RG\r\n";
    AppendNumber(out, size * 0.08);
    out += " w\r\n";
    AppendPoint(out, x, y, " m\r\n");
    AppendPoint(out, width * 0.75 + x, y, " l\r\nS\r\n");
}

void WriteText(std::string& out, const TrpCustomMemoView& memo, TrpDrawText& layout, const TrpPDFPageState& page,
               TrpColorOperand& colors, TrpPDFFontList& fonts) {
    // The lines as the layout wrapped them; breaking single lines below
    // reuses the layout object, so they are copied first.
    std::vector<std::u16string> lines;
    lines.reserve(layout.Lines().size());
    for (const TrpWrappedLine& line : layout.Lines()) lines.push_back(line.Text);
    if (lines.empty()) return;

    const TrpFont& memoFont = memo.Font();
    const int size = memoFont.Size();
    const std::size_t font = fonts.FindOrAdd(memoFont);
    const auto selectFont = [&](std::size_t index) {
        out += fonts[index].ResourceName();
        out += ' ';
        out += std::to_string(size);
        out += " Tf\r\n";
    };
    selectFont(font);

    const TrpColor textColor = memoFont.Color() == clNone ? clBlack : memoFont.Color();
    out += colors(textColor);
    out += " rg\r\n";
    const double cs = memo.CharSpacing * 0.75;
    if (cs != 0) {
        AppendNumber(out, cs);
        out += " Tc\r\n";
    }
    layout.ApplySpacing(0, memo.CharSpacing, memo.LineSpacing);

    const bool simulated = IsSimulatedStyleFont(memoFont.Name());
    const bool simulatedItalic = simulated && memoFont.Has(TrpFontStyle::fsItalic);
    const bool simulatedBold = simulated && memoFont.Has(TrpFontStyle::fsBold);
    const double lineStep = Nearest(size * 600.0 / 72) * 96.0 / 600 + memo.LineSpacing;
    const double sw = memo.Frame.ShadowWidth;
    const double left = memo.AbsLeft();
    const double top = memo.AbsTop();
    const auto n = static_cast<double>(lines.size());

    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].empty()) continue;
        const double pg = k == 0 ? memo.ParagraphGap : 0;
        const double wl = layout.WidestLineAlone(lines[k]);

        const double a = (memo.Width() - sw) - 2 * memo.GapX - pg;
        const double b = left + memo.GapX + 0.01 * size + memo.GapX / 2 + pg;
        double x = b;
        if (memo.HAlign == TrpHAlign::haRight) x = a + b - wl;
        else if (memo.HAlign == TrpHAlign::haCenter) x = b + (a - wl) / 2;
        double px = page.X(x);
        if (memo.HAlign == TrpHAlign::haRight) px += cs;

        const double t = top + memo.GapY - 0.1 * size;
        const double v = (memo.Height() - sw) - 2 * memo.GapY;
        const auto row = static_cast<double>(k);
        double y = t + (row + 1) * lineStep;
        if (memo.VAlign == TrpVAlign::vaBottom) y = t + v - (n - row - 1) * lineStep;
        else if (memo.VAlign == TrpVAlign::vaCenter) y = t + (v - n * lineStep) / 2 + (row + 1) * lineStep;
        const double py = page.Y(y);

        out += "BT\r\n";
        AppendPoint(out, px, py, " Td\r\n");
        if (simulatedItalic) {
            out += "1 0 0.3333 1 ";
            AppendPoint(out, px, py, " Tm\r\n");
        }
        if (simulatedBold) {
            out += "2 Tr ";
            AppendNumber(out, size / 35.0);
            out += " w ";
            out += colors(textColor);
            out += " RG\r\n";
        }
        // What the memo's font lacks is drawn in the fonts that show it;
        // each line ends in the memo's font again.
        const std::vector<TrpGlyphRun> runs = fonts.MapTextToRuns(font, lines[k], memo.RTLReading);
        if (runs.empty()) AppendGlyphs(out, u"");
        std::size_t current = font;
        for (const TrpGlyphRun& run : runs) {
            if (run.Font != current) selectFont(run.Font);
            current = run.Font;
            AppendRun(out, run);
        }
        if (current != font) selectFont(font);
        out += "ET\r\n";
        if (simulatedBold) out += "0 Tr\r\n";
        if (memoFont.Has(TrpFontStyle::fsUnderline)) {
            out += "[] 0 d\r\n";
            WriteTextLine(out, px, py - size * 0.12, wl, size, colors(textColor));
        }
        if (memoFont.Has(TrpFontStyle::fsStrikeOut))
            WriteTextLine(out, px, py + size * 0.28, wl, size, colors(textColor));
    }
}

}  // namespace

void WriteMemoView(std::string& content, const TrpCustomMemoView& memo, const TrpPDFPageState& page,
                   TrpColorOperand& colors, TrpPDFFontList& fonts) {
    const double fw = memo.Frame.Width();
    const double left = memo.AbsLeft();
    const double top = memo.AbsTop();
    const double width = memo.Width();
    const double height = memo.Height();

    content += "q\r\n";
    AppendPoint(content, page.X(left - fw), page.Y(top + height + fw), " ");
    AppendPoint(content, (2 * fw + width) * 0.75, (2 * fw + height) * 0.75, " re\r\nW\r\nn\r\n");

    {
        const TrpMemoLocks locks;
        TrpDrawText& layout = DrawTextOf(memo);
        layout.ApplyFont(memo.Font());
        layout.ApplyOptions({memo.WordWrap, memo.AllowHTMLTags, memo.Rotation, memo.Wysiwyg, memo.Clipped,
                             memo.WordBreak, memo.RTLReading});
        layout.ApplySpacing(memo.ParagraphGap, memo.CharSpacing, memo.LineSpacing);
        layout.ApplyBounds(WriterTextRect(memo));
        layout.BreakLines(memo.Memo, false);

        const TrpPDFViewBox box(page, memo);
        if (memo.Color() != clNone) {
            content += colors(memo.Color());
            content += " rg\r\n";
            content += box.X0 + " " + box.Y1 + " " + box.W + " " + box.H + " re\r\nf\r\n";
        }
        const TrpEdges edges{page.X(left), page.Y(top), page.X(left + width), page.Y(top + height)};
        WriteFrame(content, memo, edges, colors);
        WriteText(content, memo, layout, page, colors, fonts);
    }
    content += "Q\r\n";
}

}  // namespace lk63
