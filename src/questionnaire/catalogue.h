#pragma once
// Constant catalogue of the ЛК63-19 breaker series: row captions, option lists,
// compatibility tables, order-code alphabets and code items.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

namespace lk63 {

struct TParamItem {
    std::string_view Text;
    // Only meaningful for row 1.1: bit i allows option i of row 1.2.
    std::uint32_t Mask;
};

struct TCodeItem {
    std::string_view Code;
    std::string_view Text;
};

// A set of option numbers 0..255; negative numbers are never members.
class TOptionSet {
public:
    constexpr TOptionSet() = default;
    constexpr TOptionSet(std::initializer_list<int> members) {
        for (int m : members) words_[static_cast<unsigned>(m) / 64] |= std::uint64_t{1} << (m % 64);
    }
    [[nodiscard]] constexpr bool Contains(int n) const {
        return n >= 0 && n < 256 && ((words_[static_cast<unsigned>(n) / 64] >> (n % 64)) & 1U) != 0;
    }

private:
    std::array<std::uint64_t, 4> words_{};
};

inline constexpr int kBreakerRows = 8;
inline constexpr int kAccessoryRows = 10;
inline constexpr int kMaskColumns = 10;

using TMaskRow = std::array<std::uint32_t, kMaskColumns>;

struct TTableItem {
    TOptionSet Currents;
    TOptionSet Capacities;
    std::int8_t TableID;
    // [row 1.3 .. 1.8][option of the row before]
    std::array<TMaskRow, 6> BreakerMasks;
    // [row 2.1 .. 2.10][option of the row before]
    std::array<TMaskRow, kAccessoryRows> AccessoryMasks;
};

using TParamList = std::span<const TParamItem>;

extern const std::span<const std::string_view, kBreakerRows> BreakerCaptions;
extern const std::span<const std::string_view, kAccessoryRows> AccessoryCaptions;

extern const TParamList RatedCurrents, BreakingCapacities, FrameSizes, PoleCounts, Executions,
    TripUnits, TripUnitSupplies, TripUnitProtocols;
extern const TParamList MotorDrives, ClosingSolenoids, ShuntReleases, UndervoltageReleases,
    DelayUnits, AuxContacts, KeyInterlocks, MechInterlocks, ExtraContacts, PhaseBarriers;

// The option lists of rows 1.1..1.8 and 2.1..2.10, in row order.
extern const std::array<TParamList, kBreakerRows> BreakerParams;
extern const std::array<TParamList, kAccessoryRows> AccessoryParams;

extern const std::span<const TTableItem, 5> Tables;

extern const std::span<const std::string_view, 5> VoltageWords;
extern const std::span<const std::string_view, 3> DelayWords;
extern const std::span<const std::string_view, 15> CurrentCodes;
extern const std::span<const std::string_view, 9> FrameCodes;
extern const std::string_view ExecutionLetters;  // 8 characters
extern const std::span<const std::string_view, 16> AccessoryCodes;
extern const std::span<const std::string_view, 50> TripCodes;
extern const std::string_view SupplyLetters;     // 5 characters
extern const std::string_view AccessoryLetters;  // 4 characters
extern const std::span<const TCodeItem, 142> CodeItems;

// Element number of the first code item whose Code equals `code` exactly
// (case-sensitive), or -1.
int FindCodeItem(std::string_view code);

}  // namespace lk63
