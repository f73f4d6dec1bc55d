#pragma once
// The questionnaire: what the customer has chosen in the eighteen rows and the
// rules that decide which options each row offers. A window (or the command-line
// tool) delegates every grid event to this class and applies the returned effects.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "questionnaire/catalogue.h"
#include "questionnaire/derived_texts.h"

namespace lk63 {

// Rows 1.1..1.8 are group 1 (the breaker), rows 2.1..2.10 group 2 (accessories).
enum class TGroup { Breaker = 1, Accessory = 2 };

// One option as offered: its text and the mask attached to it.
struct TOptionItem {
    std::string Text;
    std::uint32_t Mask = 0;
};
using TOptionList = std::vector<TOptionItem>;

// What a window must do after a choice: the model never touches widgets.
struct TChoiceEffect {
    bool Applied = false;            // false: nothing changed at all
    std::vector<int> ClearedRows;    // value cells of the same grid to repaint empty
    bool AccessoriesInvalidated = false;  // repaint the whole accessory grid
    bool RebuildAccessoryEditor = false;  // toggle its editor, then focus the breaker grid
    bool SaveEnabled = false;             // the new enabled state of the save command
};

class TQuestionnaire {
public:
    using TSelection = std::int8_t;  // option number, -1 = not chosen

    TQuestionnaire();

    // Grid events. `row` counts from 0 within the group; column 0 is the name
    // column, column 1 the value column.
    [[nodiscard]] std::string CellText(TGroup group, int col, int row) const;
    // The entries the value cell of `row` offers now; also becomes FPickList.
    std::vector<std::string> EditList(TGroup group, int row);
    // A pick list closed with `itemIndex` highlighted. Only an accepted entry is
    // a choice; closing without choosing changes nothing.
    TChoiceEffect CloseUp(TGroup group, int row, int itemIndex, bool accept);

    // "Сбросить": every row unchosen, texts and table id empty, save disabled.
    void Reset();

    [[nodiscard]] int FindTable(TSelection current, TSelection capacity);
    [[nodiscard]] static bool AllChosen(const TSelection* first, int count);
    [[nodiscard]] bool Complete() const;
    [[nodiscard]] bool SaveEnabled() const { return saveEnabled_; }

    void ClearTexts();
    void DeriveTexts();
    [[nodiscard]] const TDerivedTexts& Texts() const { return texts_; }

    [[nodiscard]] TSelection Selection(TGroup group, int row) const;
    [[nodiscard]] const std::array<TSelection, kBreakerRows>& Breaker() const { return FBreaker; }
    [[nodiscard]] const std::array<TSelection, kAccessoryRows>& Accessory() const {
        return FAccessory;
    }
    [[nodiscard]] int TableID() const { return FTableID; }
    // Caption of the hidden table-id label: empty until a table was found.
    [[nodiscard]] const std::string& TableIDText() const { return tableIdText_; }
    [[nodiscard]] const std::vector<std::string>& PickList() const { return FPickList; }
    [[nodiscard]] const TOptionList& OptionList(TGroup group, int row) const;
    [[nodiscard]] static int RowCount(TGroup group);
    [[nodiscard]] static std::string_view Caption(TGroup group, int row);

private:
    std::vector<std::string> BreakerEditList(int row);
    std::vector<std::string> AccessoryEditList(int row);
    // A choice that was not taken: the save command keeps its state.
    [[nodiscard]] TChoiceEffect NothingChanged() const;
    TChoiceEffect BreakerCloseUp(int row, int itemIndex);
    TChoiceEffect AccessoryCloseUp(int row, int itemIndex);
    // Number of the first option of the row's list with the picked entry's text.
    [[nodiscard]] TSelection OptionOfPick(const TOptionList& list, int itemIndex) const;
    void UpdateSaveCommand();

    std::array<TSelection, kBreakerRows> FBreaker{};
    std::array<TSelection, kAccessoryRows> FAccessory{};
    int FTableID = -1;
    std::array<TOptionList, kBreakerRows> FBreakerLists;
    std::array<TOptionList, kAccessoryRows> FAccessoryLists;
    std::vector<std::string> FPickList;

    std::string tableIdText_;
    bool saveEnabled_ = false;
    TDerivedTexts texts_;
};

}  // namespace lk63
