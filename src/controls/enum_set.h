#pragma once
// A set of enumeration values stored as bits, the way option sets of the
// controls are written: {mkArrows, mkMouse} + mkMouseDrag.

#include <initializer_list>
#include <type_traits>

namespace lk63 {

template <class E>
class TEnumSet {
public:
    using Bits = unsigned;

    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values) {
        for (E v : values) bits_ |= Bit(v);
    }
    static constexpr TEnumSet FromBits(Bits bits) {
        TEnumSet s;
        s.bits_ = bits;
        return s;
    }

    [[nodiscard]] constexpr bool Contains(E v) const { return (bits_ & Bit(v)) != 0; }
    [[nodiscard]] constexpr Bits ToBits() const { return bits_; }
    [[nodiscard]] constexpr bool IsEmpty() const { return bits_ == 0; }

    constexpr TEnumSet& operator+=(E v) { bits_ |= Bit(v); return *this; }
    constexpr TEnumSet& operator-=(E v) { bits_ &= ~Bit(v); return *this; }
    friend constexpr TEnumSet operator+(TEnumSet s, E v) { return s += v; }
    friend constexpr TEnumSet operator-(TEnumSet s, E v) { return s -= v; }
    friend constexpr bool operator==(TEnumSet, TEnumSet) = default;

private:
    // Enumerations whose values are bit values (TMoveKey) keep them; the others
    // use their ordinal as the bit number.
    static constexpr Bits Bit(E v) {
        const auto raw = static_cast<std::underlying_type_t<E>>(v);
        if constexpr (requires { E::BitValued; }) return static_cast<Bits>(raw);
        else return Bits{1} << raw;
    }
    Bits bits_ = 0;
};

}  // namespace lk63
