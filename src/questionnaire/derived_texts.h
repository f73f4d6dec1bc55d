#pragma once
// The three texts derived from a complete questionnaire: the description, the
// order code and the structural composition.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "questionnaire/catalogue.h"

namespace lk63 {

struct TDerivedTexts {
    std::string Description;
    std::string OrderCode;
    std::vector<std::string> Composition;

    [[nodiscard]] bool Empty() const {
        return Description.empty() && OrderCode.empty() && Composition.empty();
    }
    bool operator==(const TDerivedTexts&) const = default;
};

// Shown in place of the description when no compatibility table is known.
inline constexpr std::string_view kUndeterminedBreaker = "Автоматический выключатель НЕ ОПРЕДЕЛЁН";

// Builds the texts from complete selections. `tableId` below 0 yields only the
// undetermined-breaker description.
TDerivedTexts BuildDerivedTexts(const std::array<std::int8_t, kBreakerRows>& breaker,
                                const std::array<std::int8_t, kAccessoryRows>& accessory,
                                int tableId);

}  // namespace lk63
