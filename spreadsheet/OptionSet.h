// A set of the values of a small enumeration, one bit per value.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace vesk {

template <typename E>
class TOptionSet {
public:
    constexpr TOptionSet() = default;
    constexpr TOptionSet(std::initializer_list<E> values)
    {
        for (E v : values)
            bits_ |= bit(v);
    }

    constexpr bool Contains(E v) const { return (bits_ & bit(v)) != 0; }
    constexpr void Include(E v) { bits_ |= bit(v); }
    constexpr void Exclude(E v) { bits_ &= ~bit(v); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const TOptionSet&) const = default;

private:
    static constexpr std::uint32_t bit(E v) { return std::uint32_t{1} << static_cast<unsigned>(v); }
    std::uint32_t bits_ = 0;
};

}  // namespace vesk
