#pragma once
// The process-wide list of live data sets, in creation order, behind a lock.

#include <functional>
#include <mutex>
#include <string_view>
#include <vector>

namespace lk63 {

class TrpDataSet;

class TrpGlobalDataSetList {
public:
    static TrpGlobalDataSetList& Instance();

    void Add(TrpDataSet* dataSet);
    void Remove(TrpDataSet* dataSet);
    // The first data set, in creation order, for which `match` is true.
    [[nodiscard]] TrpDataSet* FindFirst(const std::function<bool(const TrpDataSet&)>& match) const;
    [[nodiscard]] std::vector<TrpDataSet*> Snapshot() const;

private:
    mutable std::mutex lock_;
    std::vector<TrpDataSet*> items_;
};

}  // namespace lk63
