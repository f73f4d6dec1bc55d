#pragma once
// Visible objects: frame, fill, shift mode and data binding; stretchable
// views can grow to fit their content.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "report/data_set_lookup.h"
#include "report/fill.h"
#include "report/frame.h"
#include "report/report_component.h"

namespace lk63 {

enum class TrpShiftMode { smDontShift, smAlways, smWhenOverlapped };
enum class TrpAlign { baNone, baLeft, baRight, baCenter, baWidth, baBottom, baClient };
enum class TrpStretchMode { smDontStretch, smActualHeight, smMaxHeight };
// Bits of Visibility.
enum class TrpVisibilityType : std::uint8_t { vsPreview = 1, vsExport = 2, vsPrint = 4 };
inline constexpr std::uint8_t kAllVisibility = 7;

inline constexpr std::array<std::string_view, 3> kShiftModeNames{"smDontShift", "smAlways",
                                                                 "smWhenOverlapped"};
inline constexpr std::array<std::string_view, 7> kAlignNames{"baNone",  "baLeft",   "baRight", "baCenter",
                                                             "baWidth", "baBottom", "baClient"};
inline constexpr std::array<std::string_view, 3> kStretchModeNames{"smDontStretch", "smActualHeight",
                                                                   "smMaxHeight"};
inline constexpr std::array<std::string_view, 8> kFrameStyleNames{
    "fsSolid", "fsDash", "fsDot", "fsDashDot", "fsDashDotDot", "fsDouble", "fsAltDot", "fsSquare"};
inline constexpr std::array<std::string_view, 1> kFillTypeNames{"ftBrush"};
inline constexpr std::array<std::string_view, 8> kBrushStyleNames{"bsSolid",    "bsClear",     "bsHorizontal",
                                                                  "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                                                  "bsCross",    "bsDiagCross"};

class TrpView : public TrpReportComponent {
public:
    TrpFrame Frame;
    TrpFillType FillType = TrpFillType::ftBrush;
    TrpBrushFill Fill;
    TrpShiftMode ShiftMode = TrpShiftMode::smAlways;
    TrpAlign Align = TrpAlign::baNone;
    std::uint8_t Visibility = kAllVisibility;
    bool Printable = true;
    std::string DataField;
    // Carried, not used by this system.
    std::string Hint, Hyperlink, TagStr;
    int GroupIndex = 0;
    int Restrictions = 0;
    int Cursor = 0;

    // Colour and brush style of the background follow Fill.
    [[nodiscard]] TrpColor Color() const { return Fill.BackColor; }
    void SetColor(TrpColor color) { Fill.BackColor = color; }
    [[nodiscard]] TrpBrushStyle BrushStyle() const { return Fill.Style; }
    void SetBrushStyle(TrpBrushStyle style) { Fill.Style = style; }

    [[nodiscard]] TrpDataSet* DataSet() const { return dataSet_.DataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { dataSet_.SetDataSet(dataSet); }
    [[nodiscard]] std::string DataSetName() const { return dataSet_.DataSetName(); }
    void SetDataSetName(std::string name);
    // A view with a data set and a field shows the field, not its own text.
    [[nodiscard]] bool IsDataField() const { return DataSet() && !DataField.empty(); }

    void DefineProperties(TPropertyList& list) override;

private:
    TrpDataSetRef dataSet_;
};

class TrpStretcheable : public TrpView {
public:
    TrpStretchMode StretchMode = TrpStretchMode::smDontStretch;
    void DefineProperties(TPropertyList& list) override;
};

// Properties of a frame and of a fill, shared by views and bands.
void DefineFrameProperties(TPropertyList& list, TrpFrame& frame);
void DefineFillProperties(TPropertyList& list, TrpFillType& type, TrpBrushFill& fill);

}  // namespace lk63
