#include "report/report_data_sets.h"

#include "report/component.h"
#include "report/data_set.h"

namespace lk63 {

TrpDataSetItem& TrpReportDataSets::Add() {
    items_.push_back(std::make_unique<TrpDataSetItem>(report_));
    return *items_.back();
}

TrpDataSetItem& TrpReportDataSets::Add(TrpDataSet* dataSet) {
    TrpDataSetItem& item = Add();
    item.SetDataSet(dataSet);
    return item;
}

void TrpReportDataSets::Delete(std::size_t index) {
    if (index < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

TrpDataSetItem* TrpReportDataSets::Find(std::string_view name) const {
    for (const auto& item : items_) {
        const TrpDataSet* d = item->DataSet();
        if (d && SameTextAscii(d->UserName(), name)) return item.get();
    }
    return nullptr;
}

TrpDataSetItem* TrpReportDataSets::Find(const TrpDataSet* dataSet) const {
    for (const auto& item : items_) {
        if (item->DataSet() == dataSet) return item.get();
    }
    return nullptr;
}

}  // namespace lk63
