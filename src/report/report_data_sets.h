#pragma once
// The report's ordered list of data set items.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "report/data_set_lookup.h"

namespace lk63 {

class TrpDataSet;
class TrpReport;

class TrpDataSetItem {
public:
    explicit TrpDataSetItem(const TrpReport* report) : report_(report) {}

    [[nodiscard]] TrpDataSet* DataSet() const { return ref_.DataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { ref_.SetDataSet(dataSet); }
    [[nodiscard]] std::string DataSetName() const { return ref_.DataSetName(); }
    void SetDataSetName(std::string name) { ref_.SetDataSetName(report_, std::move(name)); }
    void SetStoredName(std::string name) { ref_.SetStoredName(std::move(name)); }

private:
    const TrpReport* report_;
    TrpDataSetRef ref_;
};

class TrpReportDataSets {
public:
    explicit TrpReportDataSets(const TrpReport* report) : report_(report) {}

    TrpDataSetItem& Add();
    TrpDataSetItem& Add(TrpDataSet* dataSet);
    void Clear() { items_.clear(); }
    void Delete(std::size_t index);
    [[nodiscard]] std::size_t Count() const { return items_.size(); }
    [[nodiscard]] TrpDataSetItem& operator[](std::size_t index) const { return *items_[index]; }

    // The first item whose data set has this UserName, ignoring ASCII case.
    [[nodiscard]] TrpDataSetItem* Find(std::string_view name) const;
    [[nodiscard]] TrpDataSetItem* Find(const TrpDataSet* dataSet) const;

private:
    const TrpReport* report_;
    std::vector<std::unique_ptr<TrpDataSetItem>> items_;
};

}  // namespace lk63
