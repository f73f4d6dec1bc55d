#include "report/global_data_set_list.h"

#include <algorithm>

namespace lk63 {

TrpGlobalDataSetList& TrpGlobalDataSetList::Instance() {
    static TrpGlobalDataSetList list;
    return list;
}

void TrpGlobalDataSetList::Add(TrpDataSet* dataSet) {
    const std::lock_guard guard(lock_);
    items_.push_back(dataSet);
}

void TrpGlobalDataSetList::Remove(TrpDataSet* dataSet) {
    const std::lock_guard guard(lock_);
    const auto it = std::find(items_.begin(), items_.end(), dataSet);
    if (it != items_.end()) items_.erase(it);
}

TrpDataSet* TrpGlobalDataSetList::FindFirst(const std::function<bool(const TrpDataSet&)>& match) const {
    const std::lock_guard guard(lock_);
    for (TrpDataSet* d : items_) {
        if (match(*d)) return d;
    }
    return nullptr;
}

std::vector<TrpDataSet*> TrpGlobalDataSetList::Snapshot() const {
    const std::lock_guard guard(lock_);
    return items_;
}

}  // namespace lk63
