#pragma once
// Building a report from a stored template description, and writing one.
//
//   <TrpReport Name="rpReport1" ...>
//     <Datasets><item DataSet="rpUserDataSet2" DataSetName="rpUserDataSet1"/></Datasets>
//     <Variables><item Name=" Heading"/><item Name="Note" Value=""/></Variables>
//     <TrpReportPage Name="Page1" ...><TrpHeader Name="Header1" .../></TrpReportPage>
//   </TrpReport>
//
// Each element is one object of the named class with the attributes of its
// stored properties, attached to the enclosing element's object in order.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report/report.h"

namespace lk63 {

class TrpTemplateLoader {
public:
    // A data set that lives outside the report, found by this name where the
    // template refers to it.
    void RegisterDataSet(std::string name, TrpDataSet& dataSet);

    // Throws TrpError when the text is no description, its root is no report,
    // or a stored property cannot be read. References are resolved after all
    // objects exist; what cannot be built (an unknown class, a reference
    // that does not resolve) is left out and listed in Problems.
    std::unique_ptr<TrpReport> Load(std::string_view description);
    [[nodiscard]] const std::vector<std::string>& Problems() const { return problems_; }

private:
    struct TPendingItem {
        TrpDataSetItem* Item;
        std::string DataSet;
    };

    TrpComponent* FindTarget(const TrpReport& report, std::string_view property, std::string_view name) const;

    std::vector<std::pair<std::string, TrpDataSet*>> external_;
    std::vector<std::string> problems_;
};

// The description of a report: every object with the properties that differ
// from a new object of its class, the data set items and the variables.
std::string WriteDescription(const TrpReport& report);

}  // namespace lk63
