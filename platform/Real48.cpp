#include "Real48.h"

#include <cstring>

namespace vesk {

namespace {

constexpr int kBias = 129;
constexpr std::uint64_t kHidden = std::uint64_t{1} << 39;  // implicit leading bit
constexpr std::uint64_t kFractionMask = kHidden - 1;

// The 80-bit extended type: a 64-bit significand whose leading bit is
// explicit, then 15 bits of exponent biased by 16383 and the sign.
constexpr int kExtBias = 16383;
constexpr std::uint64_t kExtLeading = std::uint64_t{1} << 63;

struct Extended {
    std::uint64_t significand;
    std::uint16_t signExponent;
};

Extended bitsOf(long double x) {
    unsigned char raw[sizeof(long double)];
    std::memcpy(raw, &x, sizeof raw);
    Extended e;
    std::memcpy(&e.significand, raw, 8);
    std::memcpy(&e.signExponent, raw + 8, 2);
    return e;
}

long double fromBits(bool negative, int exponent, std::uint64_t significand) {
    unsigned char raw[sizeof(long double)] = {};
    const auto se = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | exponent);
    std::memcpy(raw, &significand, 8);
    std::memcpy(raw + 8, &se, 2);
    long double x;
    std::memcpy(&x, raw, sizeof x);
    return x;
}

struct Split {
    bool negative = false;
    int exponent = 0;            // biased, 1..255; 0 for the value 0
    std::uint64_t mantissa = 0;  // 40 bits with the hidden bit set
};

[[noreturn]] void tooLarge() { throw Real48Error("6-byte real: value too large for the format"); }
[[noreturn]] void notANumber() { throw Real48Error("6-byte real: NaN cannot be stored"); }
[[noreturn]] void infinite() { throw Real48Error("6-byte real: infinity cannot be stored"); }

// Splits x into sign, biased exponent and a 40-bit mantissa rounded to
// nearest (ties to even), on the bits of the extended value alone.
inline Split split(long double x) {
    const Extended e = bitsOf(x);
    const int ext = e.signExponent & 0x7FFF;
    Split s;
    if (ext == 0x7FFF) {
        // Only the significand 1.000... is an infinity; every other pattern,
        // the pseudo-infinity included, is not a number to the processor.
        if (e.significand == kExtLeading) infinite();
        notANumber();
    }
    // Zero, subnormal and pseudo-subnormal values lie far below the
    // smallest normal 6-byte real.
    if (ext == 0) return s;
    // An unnormal (exponent set, leading bit clear) is an invalid operand.
    if ((e.significand & kExtLeading) == 0) notANumber();
    // 64 bits to 40: the 24 bits cut off decide the rounding.
    std::uint64_t mant = e.significand >> 24;
    const std::uint64_t rest = e.significand & 0xFFFFFF;
    if (rest > 0x800000 || (rest == 0x800000 && (mant & 1) != 0)) ++mant;
    int biased = ext - kExtBias + kBias;
    if (mant == (std::uint64_t{1} << 40)) {  // rounding carried into a new bit
        mant >>= 1;
        ++biased;
    }
    if (biased > 255) tooLarge();
    if (biased < 1) return s;  // below the smallest normal value: 0
    s.negative = (e.signExponent & 0x8000) != 0;
    s.exponent = biased;
    s.mantissa = mant;
    return s;
}

// The extended value of a split with a non-zero exponent.
inline long double join(bool negative, int biased, std::uint64_t mantissa) {
    return fromBits(negative, biased - kBias + kExtBias, mantissa << 24);
}

}  // namespace

long double detail::roundToReal48Slow(long double x) {
    Split s = split(x);
    if (s.exponent == 0) return 0.0L;
    return join(s.negative, s.exponent, s.mantissa);
}

void encodeReal48(long double x, std::uint8_t* out) {
    roundToReal48InPlace(x);
    const Extended e = bitsOf(x);
    if ((e.signExponent & 0x7FFF) == 0) {
        std::memset(out, 0, 6);
        return;
    }
    // x is on the grid now: its exponent and top 40 significand bits are
    // the 6-byte real's.
    std::uint64_t bits = (e.significand >> 24) & kFractionMask;
    if ((e.signExponent & 0x8000) != 0) bits |= kHidden;  // bit 39 holds the sign
    out[0] = static_cast<std::uint8_t>((e.signExponent & 0x7FFF) - kExtBias + kBias);
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
    const bool negative = (bits & kHidden) != 0;
    return join(negative, b[0], (bits & kFractionMask) | kHidden);
}

long double real48Max() { return join(false, 255, (std::uint64_t{1} << 40) - 1); }

}  // namespace vesk
