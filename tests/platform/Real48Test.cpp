#include "Real48.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace vesk {
namespace {

Real48Bytes bytes(std::initializer_list<int> b) {
    Real48Bytes r{};
    int i = 0;
    for (int v : b) r[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(v);
    return r;
}

TEST(Real48, KnownByteVectorsEncodeAndDecode) {
    struct Case {
        long double value;
        Real48Bytes b;
    } cases[] = {
        {1.0L, bytes({0x81, 0x00, 0x00, 0x00, 0x00, 0x00})},
        {150.0L, bytes({0x88, 0x00, 0x00, 0x00, 0x00, 0x16})},
        {1.0E30L, bytes({0xE4, 0x04, 0xCD, 0xC9, 0xF2, 0x49})},
        {-1.0E30L, bytes({0xE4, 0x04, 0xCD, 0xC9, 0xF2, 0xC9})},
        {0.02L, bytes({0x7B, 0x71, 0x3D, 0x0A, 0xD7, 0x23})},
        {0.0L, bytes({0, 0, 0, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(encodeReal48(c.value), c.b) << static_cast<double>(c.value);
        EXPECT_EQ(decodeReal48(c.b), roundToReal48(c.value)) << static_cast<double>(c.value);
    }
    EXPECT_EQ(decodeReal48(bytes({0x81, 0, 0, 0, 0, 0})), 1.0L);
    EXPECT_EQ(decodeReal48(bytes({0x88, 0, 0, 0, 0, 0x16})), 150.0L);
}

TEST(Real48, ZeroExponentMeansZeroWhateverTheOtherBytes) {
    EXPECT_EQ(decodeReal48(bytes({0x00, 0xFF, 0x12, 0x34, 0x56, 0xFF})), 0.0L);
    EXPECT_FALSE(std::signbit(decodeReal48(bytes({0x00, 0, 0, 0, 0, 0x80}))));
}

TEST(Real48, EveryPatternWithNonZeroExponentRoundTrips) {
    std::mt19937 gen(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int n = 0; n < 20000; ++n) {
        Real48Bytes b;
        for (auto& x : b) x = static_cast<std::uint8_t>(byte(gen));
        if (b[0] == 0) b[0] = 1;
        long double v = decodeReal48(b);
        EXPECT_EQ(encodeReal48(v), b);
        EXPECT_EQ(roundToReal48(v), v);
    }
}

TEST(Real48, RoundsToNearestWithTiesToEven) {
    const long double ulp = std::ldexp(1.0L, -39);  // spacing of the grid in [1, 2)
    EXPECT_EQ(roundToReal48(1.0L + ulp / 2), 1.0L);                // tie: stays even
    EXPECT_EQ(roundToReal48(1.0L + 3 * ulp / 2), 1.0L + 2 * ulp);  // tie: up to even
    EXPECT_EQ(roundToReal48(1.0L + ulp / 2 + ulp / 8), 1.0L + ulp);
    EXPECT_EQ(roundToReal48(1.0L + ulp / 2 - ulp / 8), 1.0L);
    EXPECT_EQ(roundToReal48(-(1.0L + 3 * ulp / 2)), -(1.0L + 2 * ulp));
    // A carry into a new bit moves the exponent.
    EXPECT_EQ(roundToReal48(2.0L - ulp / 4), 2.0L);
}

TEST(Real48, TooSmallStoresZeroAndTooLargeIsAnError) {
    const long double smallest = std::ldexp(1.0L, -128);
    EXPECT_EQ(roundToReal48(smallest), smallest);
    EXPECT_EQ(encodeReal48(smallest)[0], 1);
    EXPECT_EQ(roundToReal48(std::ldexp(1.0L, -129)), 0.0L);
    EXPECT_EQ(encodeReal48(-std::ldexp(1.0L, -140)), bytes({0, 0, 0, 0, 0, 0}));

    EXPECT_EQ(roundToReal48(real48Max()), real48Max());
    EXPECT_THROW(roundToReal48(std::ldexp(1.0L, 127)), Real48Error);
    EXPECT_THROW(roundToReal48(std::numeric_limits<long double>::infinity()), Real48Error);
    EXPECT_THROW(roundToReal48(-std::numeric_limits<long double>::infinity()), Real48Error);
    EXPECT_THROW(encodeReal48(std::numeric_limits<long double>::quiet_NaN()), Real48Error);
}

}  // namespace
}  // namespace vesk
