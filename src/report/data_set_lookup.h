#pragma once
// Finding a data set by name for a band, view, report or list item, and the
// reference such an object keeps.

#include <string>
#include <string_view>

#include "report/component_link.h"

namespace lk63 {

class TPropertyList;
class TrpDataSet;
class TrpReport;

// Through the process-wide list (locale case rules, data sets of other
// reports skipped, no match keeps `current`) when there is no owning report or
// the report resolves names that way; otherwise through the report's own list.
TrpDataSet* LookUpDataSet(const TrpReport* owningReport, std::string_view name, TrpDataSet* current);

class TrpDataSetRef {
public:
    [[nodiscard]] TrpDataSet* DataSet() const { return link_.Get(); }
    // The name becomes the data set's UserName (empty for none).
    void SetDataSet(TrpDataSet* dataSet);
    // The data set's current UserName when one is set, the stored name otherwise.
    [[nodiscard]] std::string DataSetName() const;
    // Looks the name up; an empty name clears the data set.
    void SetDataSetName(const TrpReport* owningReport, std::string name);
    // Keeps the name without a lookup (templates resolve references later).
    void SetStoredName(std::string name) { name_ = std::move(name); }
    // The stored pair "DataSetName" (kept as text) and "DataSet" (a reference
    // resolved once all objects exist), as every data-bound object stores it.
    void DefineProperties(TPropertyList& list);

private:
    TrpLink<TrpDataSet> link_;
    std::string name_;
};

}  // namespace lk63
