#pragma once
// Text objects (memos) and lines.

#include <array>
#include <string>
#include <string_view>

#include "report/component_link.h"
#include "report/display_format.h"
#include "report/variant.h"
#include "report/view.h"
#include "report/wide_strings.h"

namespace lk63 {

enum class TrpHAlign { haLeft, haRight, haCenter, haBlock };
enum class TrpVAlign { vaTop, vaBottom, vaCenter };

inline constexpr std::array<std::string_view, 4> kHAlignNames{"haLeft", "haRight", "haCenter", "haBlock"};
inline constexpr std::array<std::string_view, 3> kVAlignNames{"vaTop", "vaBottom", "vaCenter"};
inline constexpr std::array<std::string_view, 4> kFormatKindNames{"fkText", "fkNumeric", "fkDateTime",
                                                                  "fkBoolean"};

class TrpCustomMemoView : public TrpStretcheable {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpCustomMemoView"; }

    // The text, one entry per line; may hold bracketed expressions.
    TWideStrings Memo;
    bool AllowExpressions = true;
    std::string ExpressionDelimiters = "[,]";
    TrpFormat DisplayFormat;
    TrpHAlign HAlign = TrpHAlign::haLeft;
    TrpVAlign VAlign = TrpVAlign::vaTop;
    double GapX = 2;
    double GapY = 1;
    double LineSpacing = 2;
    double CharSpacing = 0;
    double ParagraphGap = 0;
    bool WordWrap = true;
    bool WordBreak = false;
    bool AllowHTMLTags = false;
    bool Clipped = true;
    bool Wysiwyg = true;
    bool AutoWidth = false;
    int Rotation = 0;
    bool RTLReading = false;
    bool Underlines = false;
    bool HideZeros = false;
    bool SuppressRepeated = false;
    bool UseDefaultCharset = false;
    // The text continues a paragraph from the previous part / into the next
    // part when a band is split.
    bool FirstParaBreak = false;
    bool LastParaBreak = false;
    // Not used by this system.
    std::string Highlight;
    std::string Style;

    [[nodiscard]] TrpCustomMemoView* FlowTo() const { return flowTo_.Get(); }
    void SetFlowTo(TrpCustomMemoView* memo) { flowTo_.Set(memo); }

    // Opening and closing delimiter: the text before and after the first comma.
    [[nodiscard]] std::u16string OpeningDelimiter() const;
    [[nodiscard]] std::u16string ClosingDelimiter() const;

    // The value last fetched (Null before the first).
    TVariant Value;

    // The text kept while a band is output, put back afterwards.
    void SaveText() { savedText_ = Memo; }
    void RestoreText() { Memo = savedText_; }

    void DefineProperties(TPropertyList& list) override;

private:
    TrpLink<TrpCustomMemoView> flowTo_;
    TWideStrings savedText_;
};

class TrpMemoView : public TrpCustomMemoView {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpMemoView"; }
};

class TrpCustomLineView : public TrpStretcheable {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpCustomLineView"; }

    // Color is the view's Color (default clNone); the line is drawn with the
    // frame's colour, width and style.
    bool Diagonal = false;
    bool ArrowStart = false;
    bool ArrowEnd = false;
    int ArrowWidth = 5;
    int ArrowLength = 20;
    bool ArrowSolid = false;

    void DefineProperties(TPropertyList& list) override;
};

class TrpLineView : public TrpCustomLineView {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpLineView"; }
};

}  // namespace lk63
