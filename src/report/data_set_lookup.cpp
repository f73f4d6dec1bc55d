#include "report/data_set_lookup.h"

#include "report/data_set.h"
#include "report/global_data_set_list.h"
#include "report/property_list.h"
#include "report/report.h"
#include "report/variables.h"

namespace lk63 {

TrpDataSet* LookUpDataSet(const TrpReport* owningReport, std::string_view name, TrpDataSet* current) {
    if (name.empty()) return nullptr;
    if (!owningReport || owningReport->EngineOptions.UseGlobalDataSetList) {
        TrpDataSet* found = TrpGlobalDataSetList::Instance().FindFirst([&](const TrpDataSet& d) {
            const TrpReport* owner = d.Report();
            if (owner && owner != owningReport) return false;
            return SameNameIgnoringCase(d.UserName(), name);
        });
        return found ? found : current;
    }
    return owningReport->GetDataset(name);
}

void TrpDataSetRef::SetDataSet(TrpDataSet* dataSet) {
    link_.Set(dataSet);
    name_ = dataSet ? dataSet->UserName() : std::string();
}

std::string TrpDataSetRef::DataSetName() const {
    const TrpDataSet* d = link_.Get();
    return d ? d->UserName() : name_;
}

void TrpDataSetRef::SetDataSetName(const TrpReport* owningReport, std::string name) {
    TrpDataSet* found = LookUpDataSet(owningReport, name, link_.Get());
    name_ = std::move(name);
    link_.Set(found);
    if (found) name_ = found->UserName();
}

void TrpDataSetRef::DefineProperties(TPropertyList& list) {
    list.Text(
        "DataSetName", [this] { return DataSetName(); },
        [this](std::string v) { SetStoredName(std::move(v)); });
    list.Reference(
        "DataSet", [this] { return static_cast<TrpComponent*>(DataSet()); },
        [this](TrpComponent* c) {
            auto* d = dynamic_cast<TrpDataSet*>(c);
            if (c && !d) return false;
            SetDataSet(d);
            return true;
        });
}

}  // namespace lk63
