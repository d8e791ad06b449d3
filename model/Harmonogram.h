// The investment schedule: 18 entries of 24 bytes, [product 1..3][year row
// 1..3][project 1..2]. An entry is kept as its 24 bytes so that the bytes
// no procedure interprets travel unchanged between record and model:
//   byte 0      variant code: 0 none, 1..8 = row + 1 of the variants
//   byte 1      completed flag
//   byte 2      started flag
//   bytes 8-13  start time (6-byte real, calendar years)
//   bytes 16-21 completion time (6-byte real)
#pragma once

#include <array>
#include <cstdint>

#include "Real48.h"
#include "Tab.h"

namespace vesk {

struct WpisHarmonogramu {
    std::array<std::uint8_t, 24> b{};

    std::uint8_t KodWariantu() const { return b[0]; }
    std::uint8_t Oddana() const { return b[1]; }
    std::uint8_t Rozpoczeta() const { return b[2]; }
    long double Start() const { return decodeReal48(b.data() + 8); }
    long double Koniec() const { return decodeReal48(b.data() + 16); }

    void UstawKodWariantu(std::uint8_t v) { b[0] = v; }
    void UstawOddana(std::uint8_t v) { b[1] = v; }
    void UstawRozpoczeta(std::uint8_t v) { b[2] = v; }
    void UstawStart(long double t) { encodeReal48(t, b.data() + 8); }
    void UstawKoniec(long double t) { encodeReal48(t, b.data() + 16); }

    bool operator==(const WpisHarmonogramu&) const = default;
};

using Harmonogram = Tab<Tab<Tab<WpisHarmonogramu, 1, 2>, 1, 3>, 1, 3>;

inline constexpr std::size_t RozmiarHarmonogramu = 432;

// Copies between a schedule and its 432 record bytes; entry (p, y, k) lies
// at 144(p-1) + 48(y-1) + 24(k-1).
inline void HarmonogramDoBajtow(const Harmonogram& h, std::uint8_t* out) {
    for (int p = 1; p <= 3; ++p)
        for (int y = 1; y <= 3; ++y)
            for (int k = 1; k <= 2; ++k) {
                const auto& e = h[p][y][k].b;
                std::uint8_t* dst = out + 144 * (p - 1) + 48 * (y - 1) + 24 * (k - 1);
                for (std::size_t i = 0; i < e.size(); ++i) dst[i] = e[i];
            }
}

inline void HarmonogramZBajtow(const std::uint8_t* in, Harmonogram& h) {
    for (int p = 1; p <= 3; ++p)
        for (int y = 1; y <= 3; ++y)
            for (int k = 1; k <= 2; ++k) {
                auto& e = h[p][y][k].b;
                const std::uint8_t* src = in + 144 * (p - 1) + 48 * (y - 1) + 24 * (k - 1);
                for (std::size_t i = 0; i < e.size(); ++i) e[i] = src[i];
            }
}

}  // namespace vesk
