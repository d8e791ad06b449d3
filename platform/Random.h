// The program-wide pseudo-random generator: one 32-bit seed, 0 at program
// start; a draw over n values sets seed := seed * 134775813 + 1 (mod 2^32)
// and returns (seed * n) div 2^32.
#pragma once

#include <cstdint>

namespace vesk {

class Random {
public:
    std::uint32_t draw(std::uint32_t n) {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((std::uint64_t{seed_} * n) >> 32);
    }
    void reseed(std::uint32_t seed) { seed_ = seed; }
    std::uint32_t seed() const { return seed_; }

private:
    std::uint32_t seed_ = 0;
};

}  // namespace vesk
