#include "report/memo_view.h"

#include "platform/unicode.h"

namespace lk63 {

std::u16string TrpCustomMemoView::OpeningDelimiter() const {
    const std::string& d = ExpressionDelimiters;
    return platform::Utf8ToUtf16(d.substr(0, d.find(',')));
}

std::u16string TrpCustomMemoView::ClosingDelimiter() const {
    const std::string& d = ExpressionDelimiters;
    const std::size_t comma = d.find(',');
    return comma == std::string::npos ? std::u16string() : platform::Utf8ToUtf16(d.substr(comma + 1));
}

void TrpCustomMemoView::DefineProperties(TPropertyList& list) {
    TrpStretcheable::DefineProperties(list);
    list.WideText(
        "Text", [this] { return Memo.Text(); }, [this](std::u16string v) { Memo.SetText(std::move(v)); });
    list.Boolean("AllowExpressions", AllowExpressions);
    list.Text("ExpressionDelimiters", ExpressionDelimiters);
    list.Enum("DisplayFormat.Kind", kFormatKindNames, DisplayFormat.Kind);
    list.Text("DisplayFormat.FormatStr", DisplayFormat.FormatStr);
    list.Text("DisplayFormat.DecimalSeparator", DisplayFormat.DecimalSeparator);
    list.Text("DisplayFormat.ThousandSeparator", DisplayFormat.ThousandSeparator);
    list.Enum("HAlign", kHAlignNames, HAlign);
    list.Enum("VAlign", kVAlignNames, VAlign);
    list.Float("GapX", GapX);
    list.Float("GapY", GapY);
    list.Float("LineSpacing", LineSpacing);
    list.Float("CharSpacing", CharSpacing);
    list.Float("ParagraphGap", ParagraphGap);
    list.Boolean("WordWrap", WordWrap);
    list.Boolean("WordBreak", WordBreak);
    list.Boolean("AllowHTMLTags", AllowHTMLTags);
    list.Boolean("Clipped", Clipped);
    list.Boolean("Wysiwyg", Wysiwyg);
    list.Boolean("AutoWidth", AutoWidth);
    list.Integer("Rotation", Rotation);
    list.Boolean("RTLReading", RTLReading);
    list.Boolean("Underlines", Underlines);
    list.Boolean("HideZeros", HideZeros);
    list.Boolean("SuppressRepeated", SuppressRepeated);
    list.Boolean("UseDefaultCharset", UseDefaultCharset);
    list.Boolean("FirstParaBreak", FirstParaBreak);
    list.Boolean("LastParaBreak", LastParaBreak);
    list.Text("Highlight", Highlight);
    list.Text("Style", Style);
    list.Reference(
        "FlowTo", [this] { return static_cast<TrpComponent*>(FlowTo()); },
        [this](TrpComponent* c) {
            auto* m = dynamic_cast<TrpCustomMemoView*>(c);
            if (c && !m) return false;
            SetFlowTo(m);
            return true;
        });
}

void TrpCustomLineView::DefineProperties(TPropertyList& list) {
    TrpStretcheable::DefineProperties(list);
    list.Boolean("Diagonal", Diagonal);
    list.Boolean("ArrowStart", ArrowStart);
    list.Boolean("ArrowEnd", ArrowEnd);
    list.Integer("ArrowWidth", ArrowWidth);
    list.Integer("ArrowLength", ArrowLength);
    list.Boolean("ArrowSolid", ArrowSolid);
}

}  // namespace lk63
