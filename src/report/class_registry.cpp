#include <array>
#include <utility>

#include "report/band.h"
#include "report/data_set.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/report.h"
#include "report/serializer.h"

namespace lk63 {
namespace {

template <typename T>
std::unique_ptr<TrpComponent> Make() {
    return std::make_unique<T>();
}

using TFactory = std::unique_ptr<TrpComponent> (*)();

constexpr std::array<std::pair<std::string_view, TFactory>, 30> kClasses{{
    {"TrpReport", &Make<TrpReport>},
    {"TrpReportPage", &Make<TrpReportPage>},
    {"TrpDataPage", &Make<TrpDataPage>},
    {"TrpMemoView", &Make<TrpMemoView>},
    {"TrpCustomMemoView", &Make<TrpCustomMemoView>},
    {"TrpLineView", &Make<TrpLineView>},
    {"TrpCustomLineView", &Make<TrpCustomLineView>},
    {"TrpBand", &Make<TrpBand>},
    {"TrpReportTitle", &Make<TrpReportTitle>},
    {"TrpReportSummary", &Make<TrpReportSummary>},
    {"TrpPageHeader", &Make<TrpPageHeader>},
    {"TrpPageFooter", &Make<TrpPageFooter>},
    {"TrpHeader", &Make<TrpHeader>},
    {"TrpFooter", &Make<TrpFooter>},
    {"TrpDataBand", &Make<TrpDataBand>},
    {"TrpMasterData", &Make<TrpMasterData>},
    {"TrpDetailData", &Make<TrpDetailData>},
    {"TrpSubdetailData", &Make<TrpSubdetailData>},
    {"TrpDataBand4", &Make<TrpDataBand4>},
    {"TrpDataBand5", &Make<TrpDataBand5>},
    {"TrpDataBand6", &Make<TrpDataBand6>},
    {"TrpGroupHeader", &Make<TrpGroupHeader>},
    {"TrpGroupFooter", &Make<TrpGroupFooter>},
    {"TrpChild", &Make<TrpChild>},
    {"TrpColumnHeader", &Make<TrpColumnHeader>},
    {"TrpColumnFooter", &Make<TrpColumnFooter>},
    {"TrpOverlay", &Make<TrpOverlay>},
    {"TrpNullBand", &Make<TrpNullBand>},
    {"TrpDataSet", &Make<TrpDataSet>},
    {"TrpUserDataSet", &Make<TrpUserDataSet>},
}};

}  // namespace

std::unique_ptr<TrpComponent> CreateComponent(std::string_view className) {
    for (const auto& [name, factory] : kClasses) {
        if (name == className) return factory();
    }
    return nullptr;
}

}  // namespace lk63
