#include "Real48.h"

#include <cmath>
#include <cstring>

namespace vesk {

namespace {

constexpr int kBias = 129;
constexpr std::uint64_t kHidden = std::uint64_t{1} << 39;  // implicit leading bit
constexpr std::uint64_t kFractionMask = kHidden - 1;

struct Split {
    bool negative = false;
    int exponent = 0;            // biased, 1..255; 0 for the value 0
    std::uint64_t mantissa = 0;  // 40 bits with the hidden bit set
};

// Splits x into sign, biased exponent and a 40-bit mantissa rounded to
// nearest (ties to even).
Split split(long double x) {
    if (std::isnan(x)) throw Real48Error("6-byte real: NaN cannot be stored");
    if (std::isinf(x)) throw Real48Error("6-byte real: infinity cannot be stored");
    Split s;
    if (x == 0.0L) return s;
    s.negative = std::signbit(x);
    int e2 = 0;
    long double m = std::frexp(std::fabs(x), &e2);  // |x| = m * 2^e2, m in [0.5, 1)
    // m * 2^40 is exact in the 64-bit significand; nearbyint rounds it to
    // an integer under the default mode, which is to nearest, ties to even.
    long double scaled = std::nearbyint(std::ldexp(m, 40));
    auto mant = static_cast<std::uint64_t>(scaled);
    if (mant == (std::uint64_t{1} << 40)) {  // rounding carried into a new bit
        mant >>= 1;
        ++e2;
    }
    // value = mant * 2^(e2-40) = (mant / 2^39) * 2^(e2-1)  ->  e - 129 = e2 - 1
    int biased = e2 - 1 + kBias;
    if (biased > 255)
        throw Real48Error("6-byte real: value too large for the format");
    if (biased < 1) return Split{};  // below the smallest normal value: 0
    s.exponent = biased;
    s.mantissa = mant;
    return s;
}

}  // namespace

long double roundToReal48(long double x) {
    Split s = split(x);
    if (s.exponent == 0) return 0.0L;
    long double v = std::ldexp(static_cast<long double>(s.mantissa), s.exponent - kBias - 39);
    return s.negative ? -v : v;
}

void encodeReal48(long double x, std::uint8_t* out) {
    Split s = split(x);
    if (s.exponent == 0) {
        std::memset(out, 0, 6);
        return;
    }
    std::uint64_t bits = s.mantissa & kFractionMask;
    if (s.negative) bits |= kHidden;  // bit 39 holds the sign
    out[0] = static_cast<std::uint8_t>(s.exponent);
    for (int i = 0; i < 5; ++i) out[1 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

Real48Bytes encodeReal48(long double x) {
    Real48Bytes b{};
    encodeReal48(x, b.data());
    return b;
}

long double decodeReal48(const std::uint8_t* b) {
    if (b[0] == 0) return 0.0L;
    std::uint64_t bits = 0;
    for (int i = 0; i < 5; ++i) bits |= std::uint64_t{b[1 + i]} << (8 * i);
    bool negative = (bits & kHidden) != 0;
    std::uint64_t mant = (bits & kFractionMask) | kHidden;
    long double v = std::ldexp(static_cast<long double>(mant), int{b[0]} - kBias - 39);
    return negative ? -v : v;
}

long double real48Max() {
    return std::ldexp(static_cast<long double>((std::uint64_t{1} << 40) - 1), 255 - kBias - 39);
}

}  // namespace vesk
