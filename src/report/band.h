#pragma once
// Bands: horizontal strips of a page that hold views. The kind index of a
// band is its position in the fixed table of band classes.

#include <memory>
#include <string>
#include <string_view>

#include "report/data_set.h"
#include "report/data_set_lookup.h"
#include "report/fill.h"
#include "report/report_component.h"

namespace lk63 {

class TrpChild;

struct TrpFillGap {
    double Top = 0, Left = 0, Bottom = 0, Right = 0;
};

class TrpBand : public TrpReportComponent {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpBand"; }

    // 0 TrpReportTitle ... 17 TrpOverlay; -1 for a band outside the table.
    [[nodiscard]] virtual int KindIndex() const { return -1; }

    [[nodiscard]] TrpChild* Child() const { return child_.Get(); }
    // Throws TrpError "Circular child reference is not allowed" when the chain
    // that starts at `child` leads back to this band; Child keeps its value.
    void SetChild(TrpChild* child);

    bool KeepChild = false;
    bool Stretched = false;
    bool AllowSplit = false;
    bool StartNewPage = false;
    bool PrintChildIfInvisible = false;
    bool Vertical = false;
    std::string OutlineText;
    TrpFillType FillType = TrpFillType::ftBrush;
    TrpBrushFill Fill;
    TrpFillGap FillGap;

    void DefineProperties(TPropertyList& list) override;

private:
    TrpLink<TrpChild> child_;
};

class TrpReportTitle : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpReportTitle"; }
    [[nodiscard]] int KindIndex() const override { return 0; }
};

class TrpReportSummary : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpReportSummary"; }
    [[nodiscard]] int KindIndex() const override { return 1; }
};

class TrpPageHeader : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpPageHeader"; }
    [[nodiscard]] int KindIndex() const override { return 2; }
};

class TrpPageFooter : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpPageFooter"; }
    [[nodiscard]] int KindIndex() const override { return 3; }
};

class TrpHeader : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpHeader"; }
    [[nodiscard]] int KindIndex() const override { return 4; }
    bool ReprintOnNewPage = false;
    void DefineProperties(TPropertyList& list) override;
};

class TrpFooter : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpFooter"; }
    [[nodiscard]] int KindIndex() const override { return 5; }
};

// A band repeated once per data row. Its hidden data set has RowCount rows;
// the engine uses it for a band without a DataSet and a positive RowCount.
class TrpDataBand : public TrpBand {
public:
    TrpDataBand();
    [[nodiscard]] std::string_view ClassName() const override { return "TrpDataBand"; }

    [[nodiscard]] TrpDataSet* DataSet() const { return dataSet_.DataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { dataSet_.SetDataSet(dataSet); }
    [[nodiscard]] std::string DataSetName() const { return dataSet_.DataSetName(); }
    void SetDataSetName(std::string name) { dataSet_.SetDataSetName(Report(), std::move(name)); }

    [[nodiscard]] int RowCount() const { return rowCount_; }
    void SetRowCount(int count);
    [[nodiscard]] TrpUserDataSet& HiddenDataSet() { return *hiddenDataSet_; }

    int Columns = 0;
    double ColumnWidth = 0;
    double ColumnGap = 0;
    std::string Filter;
    bool FooterAfterEach = false;
    bool KeepFooter = false;
    bool KeepHeader = false;
    bool KeepTogether = false;
    bool PrintIfDetailEmpty = false;

    void DefineProperties(TPropertyList& list) override;

private:
    TrpDataSetRef dataSet_;
    int rowCount_ = 0;
    std::unique_ptr<TrpUserDataSet> hiddenDataSet_;
};

#define LK63_BAND_CLASS(Name, Base, Index)                                          \
    class Name : public Base {                                                      \
    public:                                                                         \
        [[nodiscard]] std::string_view ClassName() const override { return #Name; } \
        [[nodiscard]] int KindIndex() const override { return Index; }              \
    }

LK63_BAND_CLASS(TrpMasterData, TrpDataBand, 6);
LK63_BAND_CLASS(TrpDetailData, TrpDataBand, 7);
LK63_BAND_CLASS(TrpSubdetailData, TrpDataBand, 8);
LK63_BAND_CLASS(TrpDataBand4, TrpDataBand, 9);
LK63_BAND_CLASS(TrpDataBand5, TrpDataBand, 10);
LK63_BAND_CLASS(TrpDataBand6, TrpDataBand, 11);
LK63_BAND_CLASS(TrpGroupHeader, TrpBand, 12);
LK63_BAND_CLASS(TrpGroupFooter, TrpBand, 13);
LK63_BAND_CLASS(TrpChild, TrpBand, 14);
LK63_BAND_CLASS(TrpColumnHeader, TrpBand, 15);
LK63_BAND_CLASS(TrpColumnFooter, TrpBand, 16);
LK63_BAND_CLASS(TrpOverlay, TrpBand, 17);

#undef LK63_BAND_CLASS

// The band the engine uses to output the views placed directly on a page.
class TrpNullBand : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpNullBand"; }
};

// The first band among the page's direct children that is a T or derives
// from it; none otherwise.
template <typename T>
T* FindBand(const TrpComponent& page) {
    for (const auto& child : page.Objects()) {
        if (auto* band = dynamic_cast<T*>(child.get())) return band;
    }
    return nullptr;
}

}  // namespace lk63
