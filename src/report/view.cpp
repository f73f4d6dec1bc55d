#include "report/view.h"

#include "report/data_set.h"
#include "report/report.h"

namespace lk63 {

void DefineFrameProperties(TPropertyList& list, TrpFrame& frame) {
    list.Bits<std::uint8_t>(
        "Frame.Typ", kAllFrameSides, [&frame] { return frame.Typ(); },
        [&frame](std::uint8_t v) { frame.SetTyp(v); });
    // Width, Color and Style pass to the four lines; the lines follow, so
    // that a line changed on its own reads back as it was.
    list.Float(
        "Frame.Width", [&frame] { return frame.Width(); }, [&frame](double v) { frame.SetWidth(v); });
    list.Integer<TrpColor>(
        "Frame.Color", [&frame] { return frame.Color(); }, [&frame](TrpColor v) { frame.SetColor(v); });
    list.Enum<TrpFrameStyle>(
        "Frame.Style", kFrameStyleNames, [&frame] { return frame.Style(); },
        [&frame](TrpFrameStyle v) { frame.SetStyle(v); });
    list.Boolean("Frame.DropShadow", frame.DropShadow);
    list.Float("Frame.ShadowWidth", frame.ShadowWidth);
    list.Integer("Frame.ShadowColor", frame.ShadowColor);
    // Whole names: a property's name is never built.
    struct TLineNames {
        std::string_view Color, Style, Width;
    };
    static constexpr TLineNames kLineNames[] = {
        {"Frame.LeftLine.Color", "Frame.LeftLine.Style", "Frame.LeftLine.Width"},
        {"Frame.TopLine.Color", "Frame.TopLine.Style", "Frame.TopLine.Width"},
        {"Frame.RightLine.Color", "Frame.RightLine.Style", "Frame.RightLine.Width"},
        {"Frame.BottomLine.Color", "Frame.BottomLine.Style", "Frame.BottomLine.Width"},
    };
    TrpFrameLine* const lines[] = {&frame.LeftLine, &frame.TopLine, &frame.RightLine, &frame.BottomLine};
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        list.Integer(kLineNames[i].Color, lines[i]->Color);
        list.Enum(kLineNames[i].Style, kFrameStyleNames, lines[i]->Style);
        list.Float(kLineNames[i].Width, lines[i]->Width);
    }
}

void DefineFillProperties(TPropertyList& list, TrpFillType& type, TrpBrushFill& fill) {
    list.Enum("FillType", kFillTypeNames, type);
    list.Integer("Fill.BackColor", fill.BackColor);
    list.Integer("Fill.ForeColor", fill.ForeColor);
    list.Enum("Fill.Style", kBrushStyleNames, fill.Style);
}

void TrpView::SetDataSetName(std::string name) { dataSet_.SetDataSetName(Report(), std::move(name)); }

void TrpView::DefineProperties(TPropertyList& list) {
    TrpReportComponent::DefineProperties(list);
    DefineFrameProperties(list, Frame);
    DefineFillProperties(list, FillType, Fill);
    list.Enum("ShiftMode", kShiftModeNames, ShiftMode);
    list.Enum("Align", kAlignNames, Align);
    list.Bits<std::uint8_t>(
        "Visibility", kAllVisibility, [this] { return Visibility; },
        [this](std::uint8_t v) { Visibility = v; });
    list.Boolean("Printable", Printable);
    dataSet_.DefineProperties(list);
    list.Text("DataField", DataField);
    list.Text("Hint", Hint);
    list.Text("Hyperlink", Hyperlink);
    list.Integer("GroupIndex", GroupIndex);
    list.Integer("Restrictions", Restrictions);
    list.Text("TagStr", TagStr);
    list.Integer("Cursor", Cursor);
}

void TrpStretcheable::DefineProperties(TPropertyList& list) {
    TrpView::DefineProperties(list);
    list.Enum("StretchMode", kStretchModeNames, StretchMode);
}

}  // namespace lk63
