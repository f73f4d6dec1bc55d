#pragma once
// Bands: horizontal strips of a page that hold views. A band's kind is its
// place in the fixed table of band classes; the engine asks the band what it
// is rather than which class it has.

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

// The band table, in its order: a kind's number is its kind index.
enum class TrpBandKind : int {
    None = -1,  // a band outside the table
    ReportTitle,
    ReportSummary,
    PageHeader,
    PageFooter,
    Header,
    Footer,
    MasterData,
    DetailData,
    SubdetailData,
    DataBand4,
    DataBand5,
    DataBand6,
    GroupHeader,
    GroupFooter,
    Child,
    ColumnHeader,
    ColumnFooter,
    Overlay,
};

class TrpBand : public TrpReportComponent {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpBand"; }

    [[nodiscard]] virtual TrpBandKind Kind() const { return TrpBandKind::None; }
    // 0 TrpReportTitle ... 17 TrpOverlay; -1 for a band outside the table.
    [[nodiscard]] int KindIndex() const { return static_cast<int>(Kind()); }

    // Repeated once per data row: master data (level 1) to the sixth level.
    [[nodiscard]] bool IsDataBand() const { return DataLevel() > 0; }
    // 1 for master data, 2 for detail data, ...; 0 for a band of another kind.
    [[nodiscard]] int DataLevel() const {
        const TrpBandKind kind = Kind();
        if (kind < TrpBandKind::MasterData || kind > TrpBandKind::DataBand6) return 0;
        return static_cast<int>(kind) - static_cast<int>(TrpBandKind::MasterData) + 1;
    }
    // The bands organised with the data bands: the data bands, the headers
    // and footers that attach to them, and group headers and footers.
    [[nodiscard]] bool InDataTree() const {
        const TrpBandKind kind = Kind();
        return kind >= TrpBandKind::Header && kind <= TrpBandKind::GroupFooter;
    }

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
    [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::ReportTitle; }
};

class TrpReportSummary : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpReportSummary"; }
    [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::ReportSummary; }
};

class TrpPageHeader : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpPageHeader"; }
    [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::PageHeader; }
};

class TrpPageFooter : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpPageFooter"; }
    [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::PageFooter; }
};

class TrpHeader : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpHeader"; }
    [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::Header; }
    bool ReprintOnNewPage = false;
    void DefineProperties(TPropertyList& list) override;
};

class TrpFooter : public TrpBand {
public:
    [[nodiscard]] std::string_view ClassName() const override { return "TrpFooter"; }
    [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::Footer; }
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

#define LK63_BAND_CLASS(Name, Base, BandKind)                                                          \
    class Name : public Base {                                                                        \
    public:                                                                                           \
        [[nodiscard]] std::string_view ClassName() const override { return #Name; }                   \
        [[nodiscard]] TrpBandKind Kind() const override { return TrpBandKind::BandKind; }             \
    }

LK63_BAND_CLASS(TrpMasterData, TrpDataBand, MasterData);
LK63_BAND_CLASS(TrpDetailData, TrpDataBand, DetailData);
LK63_BAND_CLASS(TrpSubdetailData, TrpDataBand, SubdetailData);
LK63_BAND_CLASS(TrpDataBand4, TrpDataBand, DataBand4);
LK63_BAND_CLASS(TrpDataBand5, TrpDataBand, DataBand5);
LK63_BAND_CLASS(TrpDataBand6, TrpDataBand, DataBand6);
LK63_BAND_CLASS(TrpGroupHeader, TrpBand, GroupHeader);
LK63_BAND_CLASS(TrpGroupFooter, TrpBand, GroupFooter);
LK63_BAND_CLASS(TrpChild, TrpBand, Child);
LK63_BAND_CLASS(TrpColumnHeader, TrpBand, ColumnHeader);
LK63_BAND_CLASS(TrpColumnFooter, TrpBand, ColumnFooter);
LK63_BAND_CLASS(TrpOverlay, TrpBand, Overlay);

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
