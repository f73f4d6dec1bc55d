#pragma once
// Test helpers: choose an option of a row through its pick list, as a customer does.

#include <gtest/gtest.h>

#include <vector>

#include "questionnaire/questionnaire.h"

namespace lk63::testing {

// Option numbers the row's pick list offers now.
inline std::vector<int> Offered(TQuestionnaire& q, TGroup group, int row) {
    std::vector<int> out;
    const TOptionList& options = q.OptionList(group, row);
    for (const std::string& entry : q.EditList(group, row)) {
        for (std::size_t i = 0; i < options.size(); ++i)
            if (options[i].Text == entry) out.push_back(static_cast<int>(i));
    }
    return out;
}

// Opens the row's list and accepts the entry of `option`; fails when not offered.
inline TChoiceEffect Choose(TQuestionnaire& q, TGroup group, int row, int option) {
    const std::vector<std::string> list = q.EditList(group, row);
    const std::string& text = q.OptionList(group, row).at(static_cast<std::size_t>(option)).Text;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == text) return q.CloseUp(group, row, static_cast<int>(i), true);
    ADD_FAILURE() << "option " << option << " of row " << static_cast<int>(group) << "." << row + 1
                  << " is not offered";
    return {};
}

inline void ChooseAll(TQuestionnaire& q, const std::vector<int>& breaker, const std::vector<int>& accessory) {
    for (std::size_t r = 0; r < breaker.size(); ++r) Choose(q, TGroup::Breaker, static_cast<int>(r), breaker[r]);
    for (std::size_t r = 0; r < accessory.size(); ++r)
        Choose(q, TGroup::Accessory, static_cast<int>(r), accessory[r]);
}

}  // namespace lk63::testing
