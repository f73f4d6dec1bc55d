#include "questionnaire/questionnaire.h"

#include <algorithm>
#include <string_view>

namespace lk63 {
namespace {

constexpr int kNameColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kBarrierRow = 9;        // row 2.10
constexpr int kFrame4000H = 6;        // option of row 1.3
constexpr int kExecutionRow = 4;      // row 1.5

TOptionList MakeOptionList(TParamList params) {
    TOptionList list;
    list.reserve(params.size());
    for (const TParamItem& p : params) list.push_back({std::string(p.Text), p.Mask});
    return list;
}

// Appends, in option order, the text of every option whose bit is set in `mask`.
void AppendMasked(std::vector<std::string>& out, const TOptionList& options, std::uint32_t mask) {
    for (std::size_t i = 0; i < options.size() && i < 32; ++i)
        if ((mask >> i) & 1U) out.push_back(options[i].Text);
}

bool HasVerticalUpperBusbars(int execution) { return execution % 2 == 1; }

}  // namespace

TQuestionnaire::TQuestionnaire() {
    for (int r = 0; r < kBreakerRows; ++r) FBreakerLists[r] = MakeOptionList(BreakerParams[r]);
    for (int r = 0; r < kAccessoryRows; ++r) FAccessoryLists[r] = MakeOptionList(AccessoryParams[r]);
    FBreaker.fill(-1);
    FAccessory.fill(-1);
}

int TQuestionnaire::RowCount(TGroup group) {
    return group == TGroup::Breaker ? kBreakerRows : kAccessoryRows;
}

std::string_view TQuestionnaire::Caption(TGroup group, int row) {
    if (row < 0 || row >= RowCount(group)) return {};
    return group == TGroup::Breaker ? BreakerCaptions[row] : AccessoryCaptions[row];
}

const TOptionList& TQuestionnaire::OptionList(TGroup group, int row) const {
    return group == TGroup::Breaker ? FBreakerLists.at(row) : FAccessoryLists.at(row);
}

TQuestionnaire::TSelection TQuestionnaire::Selection(TGroup group, int row) const {
    if (row < 0 || row >= RowCount(group)) return -1;
    return group == TGroup::Breaker ? FBreaker[row] : FAccessory[row];
}

bool TQuestionnaire::AllChosen(const TSelection* first, int count) {
    return std::none_of(first, first + count, [](TSelection s) { return s == -1; });
}

bool TQuestionnaire::Complete() const {
    return AllChosen(FBreaker.data(), kBreakerRows) && AllChosen(FAccessory.data(), kAccessoryRows);
}

int TQuestionnaire::FindTable(TSelection current, TSelection capacity) {
    for (int i = 0; i < static_cast<int>(Tables.size()); ++i) {
        const TTableItem& t = Tables[i];
        if (current >= 0 && t.Currents.Contains(current) && capacity >= 0 &&
            t.Capacities.Contains(capacity)) {
            FTableID = t.TableID;
            // The 4000H frame is reached through table id 3 but belongs to id 4.
            if (FTableID == 3 && FBreaker[2] == kFrame4000H) FTableID = 4;
            tableIdText_ = std::to_string(FTableID);
            return i;
        }
    }
    return -1;
}

std::string TQuestionnaire::CellText(TGroup group, int col, int row) const {
    if (row < 0 || row >= RowCount(group)) return {};
    if (col == kNameColumn) return std::string(Caption(group, row));
    if (col == kValueColumn) {
        const TSelection s = Selection(group, row);
        return s < 0 ? std::string() : OptionList(group, row)[static_cast<std::size_t>(s)].Text;
    }
    return {};
}

std::vector<std::string> TQuestionnaire::EditList(TGroup group, int row) {
    if (row < 0 || row >= RowCount(group)) {
        FPickList.clear();
        return {};
    }
    return group == TGroup::Breaker ? BreakerEditList(row) : AccessoryEditList(row);
}

std::vector<std::string> TQuestionnaire::BreakerEditList(int row) {
    FPickList.clear();
    if (row == 0) {
        for (const TOptionItem& o : FBreakerLists[0]) FPickList.push_back(o.Text);
    } else if (row == 1) {
        if (FBreaker[0] >= 0)
            AppendMasked(FPickList, FBreakerLists[1], FBreakerLists[0][FBreaker[0]].Mask);
    } else {
        const int t = FindTable(FBreaker[0], FBreaker[1]);
        if (t < 0) return {};
        const TSelection previous = FBreaker[row - 1];
        if (previous >= 0)
            AppendMasked(FPickList, FBreakerLists[row], Tables[t].BreakerMasks[row - 2][previous]);
    }
    return FPickList;
}

std::vector<std::string> TQuestionnaire::AccessoryEditList(int row) {
    FPickList.clear();
    if (AllChosen(FBreaker.data(), kBreakerRows)) {
        const int t = FindTable(FBreaker[0], FBreaker[1]);
        if (t < 0) return {};
        const TSelection previous = row == 0 ? FBreaker[kBreakerRows - 1] : FAccessory[row - 1];
        std::uint32_t mask = previous >= 0 ? Tables[t].AccessoryMasks[row][previous] : 0;
        // Table id 2 with vertical upper busbars needs the interphase barriers.
        if (row == kBarrierRow && FTableID == 2 && HasVerticalUpperBusbars(FBreaker[kExecutionRow]))
            mask = 0x2;
        if (previous >= 0) AppendMasked(FPickList, FAccessoryLists[row], mask);
    }
    return FPickList;
}

TQuestionnaire::TSelection TQuestionnaire::OptionOfPick(const TOptionList& list, int itemIndex) const {
    const std::string& text = FPickList[static_cast<std::size_t>(itemIndex)];
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].Text == text) return static_cast<TSelection>(i);
    return -1;
}

TChoiceEffect TQuestionnaire::NothingChanged() const {
    return {.Applied = false,
            .ClearedRows = {},
            .AccessoriesInvalidated = false,
            .RebuildAccessoryEditor = false,
            .SaveEnabled = saveEnabled_};
}

TChoiceEffect TQuestionnaire::CloseUp(TGroup group, int row, int itemIndex, bool accept) {
    // An index beyond the last pick list cannot name an entry: nothing to choose.
    if (!accept || itemIndex < 0 || itemIndex >= static_cast<int>(FPickList.size()) || row < 0 ||
        row >= RowCount(group))
        return NothingChanged();
    return group == TGroup::Breaker ? BreakerCloseUp(row, itemIndex) : AccessoryCloseUp(row, itemIndex);
}

TChoiceEffect TQuestionnaire::BreakerCloseUp(int row, int itemIndex) {
    TChoiceEffect effect;
    const TSelection chosen = OptionOfPick(FBreakerLists[row], itemIndex);
    if (chosen < 0) return NothingChanged();
    effect.Applied = true;
    ClearTexts();
    FBreaker[row] = chosen;
    for (int i = row + 1; i < kBreakerRows; ++i) {
        if (FBreaker[i] != -1) {
            FBreaker[i] = -1;
            effect.ClearedRows.push_back(i);
        }
    }
    bool anyAccessory = false;
    for (TSelection& s : FAccessory) {
        if (s != -1) {
            s = -1;
            anyAccessory = true;
        }
    }
    effect.AccessoriesInvalidated = true;
    effect.RebuildAccessoryEditor = anyAccessory;
    UpdateSaveCommand();
    effect.SaveEnabled = saveEnabled_;
    return effect;
}

TChoiceEffect TQuestionnaire::AccessoryCloseUp(int row, int itemIndex) {
    TChoiceEffect effect;
    const TSelection chosen = OptionOfPick(FAccessoryLists[row], itemIndex);
    if (chosen < 0) return NothingChanged();
    effect.Applied = true;
    ClearTexts();
    FAccessory[row] = chosen;
    for (int i = row + 1; i < kAccessoryRows; ++i) {
        if (FAccessory[i] != -1) {
            FAccessory[i] = -1;
            effect.ClearedRows.push_back(i);
        }
    }
    UpdateSaveCommand();
    effect.SaveEnabled = saveEnabled_;
    return effect;
}

void TQuestionnaire::UpdateSaveCommand() {
    saveEnabled_ = Complete();
    if (saveEnabled_) DeriveTexts();
}

void TQuestionnaire::ClearTexts() { texts_ = {}; }

void TQuestionnaire::DeriveTexts() { texts_ = BuildDerivedTexts(FBreaker, FAccessory, FTableID); }

void TQuestionnaire::Reset() {
    FTableID = -1;
    FBreaker.fill(-1);
    FAccessory.fill(-1);
    ClearTexts();
    tableIdText_.clear();
    saveEnabled_ = false;
}

}  // namespace lk63
