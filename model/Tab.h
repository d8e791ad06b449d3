// Arrays indexed the way the model speaks of them: products, materials and
// years 1..3, cost rows 0..3, node numbers 0..50. An index outside the
// bounds is a broken invariant and stops the program in checked builds.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace vesk {

template <typename T, int Lo, int Hi>
class Tab {
    static_assert(Hi >= Lo);

public:
    static constexpr int lo = Lo;
    static constexpr int hi = Hi;
    static constexpr std::size_t count = static_cast<std::size_t>(Hi - Lo + 1);

    T& operator[](int i) {
        assert(i >= Lo && i <= Hi);
        return a_[static_cast<std::size_t>(i - Lo)];
    }
    const T& operator[](int i) const {
        assert(i >= Lo && i <= Hi);
        return a_[static_cast<std::size_t>(i - Lo)];
    }

    void fill(const T& v) { a_.fill(v); }
    auto begin() { return a_.begin(); }
    auto end() { return a_.end(); }
    auto begin() const { return a_.begin(); }
    auto end() const { return a_.end(); }

    bool operator==(const Tab&) const = default;

private:
    std::array<T, count> a_{};
};

}  // namespace vesk
