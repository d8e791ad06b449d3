// The rounding to the 6-byte real works on the bits of the extended value.
// Here it is held against the earlier rounding through the library
// (frexp, ldexp, nearbyint), kept below as the reference: the same result,
// to the bit, or the same error, for the edge values and for millions of
// random bit patterns.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "Real48.h"

namespace vesk {
namespace {

namespace referencja {

struct Split {
    bool negative = false;
    int exponent = 0;
    std::uint64_t mantissa = 0;
};

Split split(long double x) {
    if (std::isnan(x)) throw Real48Error("6-byte real: NaN cannot be stored");
    if (std::isinf(x)) throw Real48Error("6-byte real: infinity cannot be stored");
    Split s;
    if (x == 0.0L) return s;
    s.negative = std::signbit(x);
    int e2 = 0;
    long double m = std::frexp(std::fabs(x), &e2);
    long double scaled = std::nearbyint(std::ldexp(m, 40));
    auto mant = static_cast<std::uint64_t>(scaled);
    if (mant == (std::uint64_t{1} << 40)) {
        mant >>= 1;
        ++e2;
    }
    int biased = e2 - 1 + 129;
    if (biased > 255) throw Real48Error("6-byte real: value too large for the format");
    if (biased < 1) return Split{};
    s.exponent = biased;
    s.mantissa = mant;
    return s;
}

long double roundToReal48(long double x) {
    Split s = split(x);
    if (s.exponent == 0) return 0.0L;
    long double v = std::ldexp(static_cast<long double>(s.mantissa), s.exponent - 129 - 39);
    return s.negative ? -v : v;
}

Real48Bytes encodeReal48(long double x) {
    Split s = split(x);
    Real48Bytes out{};
    if (s.exponent == 0) return out;
    std::uint64_t bits = s.mantissa & ((std::uint64_t{1} << 39) - 1);
    if (s.negative) bits |= std::uint64_t{1} << 39;
    out[0] = static_cast<std::uint8_t>(s.exponent);
    for (int i = 0; i < 5; ++i) out[1 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
    return out;
}

}  // namespace referencja

long double extended(bool negative, int exponent, std::uint64_t significand) {
    unsigned char raw[sizeof(long double)] = {};
    const auto se = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | (exponent & 0x7FFF));
    std::memcpy(raw, &significand, 8);
    std::memcpy(raw + 8, &se, 2);
    long double x;
    std::memcpy(&x, raw, sizeof x);
    return x;
}

// The 10 significant bytes: equal values of different signs or encodings
// count as different.
std::string bitsOf(long double x) {
    unsigned char raw[sizeof(long double)];
    std::memcpy(raw, &x, sizeof raw);
    return std::string(reinterpret_cast<const char*>(raw), 10);
}

struct Outcome {
    std::optional<std::string> value;  // the bits of the result
    std::optional<Real48Bytes> bytes;
    std::string error;
};

template <typename Round, typename Encode>
Outcome outcome(long double x, Round round, Encode encode) {
    Outcome o;
    try {
        o.value = bitsOf(round(x));
    } catch (const Real48Error& e) {
        o.error = e.what();
    }
    try {
        o.bytes = encode(x);
    } catch (const Real48Error& e) {
        o.error += std::string("|") + e.what();
    }
    return o;
}

// How many inputs differed; the first few are reported.
int compare(long double x, int& reported) {
    const Outcome fast = outcome(x, [](long double v) { return roundToReal48(v); },
                                 [](long double v) { return encodeReal48(v); });
    const Outcome ref = outcome(x, referencja::roundToReal48, referencja::encodeReal48);
    if (fast.value == ref.value && fast.bytes == ref.bytes && fast.error == ref.error) return 0;
    if (reported++ < 10) {
        const std::string b = bitsOf(x);
        std::string hex;
        for (int i = 9; i >= 0; --i) {
            char h[4];
            std::snprintf(h, sizeof h, "%02x", static_cast<unsigned char>(b[static_cast<std::size_t>(i)]));
            hex += h;
        }
        ADD_FAILURE() << "input bits " << hex << ": errors '" << fast.error << "' vs '" << ref.error << "'";
    }
    return 1;
}

// The extended exponents around the 6-byte real's range (2^-129 .. 2^127).
constexpr int kExtBias = 16383;
constexpr int kNajmniejszy = kExtBias - 129 - 2;
constexpr int kNajwiekszy = kExtBias + 127 + 2;

TEST(Real48Reference, EdgeValuesRoundAsTheLibraryRoundingDid) {
    int reported = 0, differ = 0;
    const std::uint64_t top = std::uint64_t{1} << 63;
    std::vector<long double> inputs = {0.0L, -0.0L, 1.0L, -1.0L, real48Max(), -real48Max(),
                                       std::numeric_limits<long double>::infinity(),
                                       -std::numeric_limits<long double>::infinity(),
                                       std::numeric_limits<long double>::quiet_NaN(),
                                       std::numeric_limits<long double>::signaling_NaN(),
                                       std::numeric_limits<long double>::max(),
                                       std::numeric_limits<long double>::min(),
                                       std::numeric_limits<long double>::denorm_min()};
    for (bool neg : {false, true}) {
        for (int e = kNajmniejszy; e <= kNajwiekszy; ++e) {
            // Every bit position of the cut: exactly half, just below, just above,
            // and the all-ones significand that carries into the exponent.
            for (int bit = 0; bit < 64; ++bit) {
                const std::uint64_t b = std::uint64_t{1} << bit;
                inputs.push_back(extended(neg, e, top | b));
                inputs.push_back(extended(neg, e, (top | b) - 1));
                inputs.push_back(extended(neg, e, top | b | 1));
            }
            for (std::uint64_t low : {0x7FFFFFull, 0x800000ull, 0x800001ull, 0xFFFFFFull})
                for (std::uint64_t odd : {0ull, 1ull << 24})
                    inputs.push_back(extended(neg, e, top | odd | low));
            inputs.push_back(extended(neg, e, ~std::uint64_t{0}));
            inputs.push_back(extended(neg, e, top));
        }
        // Subnormal, pseudo-subnormal, unnormal and the patterns of the top exponent.
        for (std::uint64_t s : {std::uint64_t{1}, top - 1, top, top | 1, ~std::uint64_t{0}, std::uint64_t{0}}) {
            inputs.push_back(extended(neg, 0, s));
            inputs.push_back(extended(neg, 0x7FFF, s));
            inputs.push_back(extended(neg, kExtBias, s & ~top));
            inputs.push_back(extended(neg, 1, s));
        }
    }
    for (long double x : inputs) differ += compare(x, reported);
    EXPECT_EQ(differ, 0) << "of " << inputs.size();
}

TEST(Real48Reference, MillionsOfRandomBitPatternsRoundAsTheLibraryRoundingDid) {
    std::mt19937_64 gen(20240611);
    int reported = 0, differ = 0;
    const int n = 2'000'000;
    std::uniform_int_distribution<int> wRange(kNajmniejszy, kNajwiekszy);
    for (int i = 0; i < n; ++i) {
        const std::uint64_t s = gen();
        const std::uint64_t r = gen();
        const bool neg = (r & 1) != 0;
        long double x;
        switch (i % 16) {
            case 0:  // anything at all, invalid encodings included
                x = extended(neg, static_cast<int>((r >> 1) & 0x7FFF), s);
                break;
            case 1:  // a tie or a near tie at the cut
                x = extended(neg, wRange(gen),
                             ((s | (std::uint64_t{1} << 63)) & ~std::uint64_t{0xFFFFFF}) |
                                 (0x800000 + static_cast<std::uint64_t>(static_cast<int>(r >> 8) % 3) - 1));
                break;
            default:  // a normal value in and around the range
                x = extended(neg, wRange(gen), s | (std::uint64_t{1} << 63));
                break;
        }
        differ += compare(x, reported);
    }
    EXPECT_EQ(differ, 0) << "of " << n;
}

}  // namespace
}  // namespace vesk
