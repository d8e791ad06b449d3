// The 6-byte real of the model files.
//
// Byte 0 is the exponent biased by 129 (0 means the value 0 whatever the
// other bytes hold); bytes 1..5, read as a little-endian 40-bit integer,
// carry a 39-bit fraction in bits 0..38 and the sign in bit 39.
// value = (-1)^s * 2^(e-129) * (1 + f / 2^39).
//
// The model computes in 80-bit extended precision and rounds every stored
// value to this grid: to nearest, ties to even; a magnitude below the
// smallest normal value becomes 0; an overflow, an infinity or a NaN is
// an error (Real48Error), never stored.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>

namespace vesk {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the model needs the 80-bit extended type (x86-64 long double)");

using Real48Bytes = std::array<std::uint8_t, 6>;

class Real48Error : public std::range_error {
public:
    explicit Real48Error(const std::string& what) : std::range_error(what) {}
};

// Rounds x to the nearest value the 6-byte real can hold.
// Throws Real48Error for NaN, infinities and magnitudes beyond the format.
// The common case is inline (below).

namespace detail {
// Every case the inline path below leaves: zero, values beyond or near the
// ends of the range, a carry into the exponent, invalid encodings.
long double roundToReal48Slow(long double x);
}  // namespace detail

// Every store of a model quantity rounds, so the common cases are inline
// and work on the stored value itself: a normal value whose exponent the
// 6-byte real holds, rounded on the bits of its 64-bit significand (to 40
// bits, to nearest, ties to even) without a carry into the exponent; and
// the zero, subnormal or pseudo-subnormal values, which become 0.
inline void roundToReal48InPlace(long double& x) {
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &x, 8);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&x) + 8, 2);
    // Extended exponents 16255..16509 are the 6-byte exponents 1..255.
    const unsigned exponent = signExponent & 0x7FFFu;
    std::uint64_t rounded;
    if (__builtin_expect(exponent - 16255u < 255u && (significand >> 63) != 0 &&
                             !__builtin_add_overflow(significand, 0x7FFFFFu + ((significand >> 24) & 1u), &rounded),
                         1)) {
        rounded &= ~std::uint64_t{0xFFFFFF};
        std::memcpy(&x, &rounded, 8);
        return;
    }
    x = exponent == 0 ? 0.0L : detail::roundToReal48Slow(x);
}

inline long double roundToReal48(long double x) {
    roundToReal48InPlace(x);
    return x;
}

// Encodes x (rounded as above) into 6 bytes; throws Real48Error as above.
Real48Bytes encodeReal48(long double x);
void encodeReal48(long double x, std::uint8_t* out);

// Decodes 6 bytes; never fails (every bit pattern is a number).
long double decodeReal48(const std::uint8_t* bytes);
inline long double decodeReal48(const Real48Bytes& b) { return decodeReal48(b.data()); }

// Largest finite value of the format.
long double real48Max();

}  // namespace vesk
