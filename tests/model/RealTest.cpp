#include "Real.h"

#include <gtest/gtest.h>

#include "Tab.h"

namespace vesk {
namespace {

TEST(Real, EveryStoreRoundsToTheSixByteGrid) {
    Real r = 0.1L;
    EXPECT_EQ(static_cast<long double>(r), roundToReal48(0.1L));
    EXPECT_NE(static_cast<long double>(r), 0.1L);
    r = 1.0L / 3.0L;
    EXPECT_EQ(r.value(), roundToReal48(1.0L / 3.0L));
    r += 1.0L;
    EXPECT_EQ(r.value(), roundToReal48(roundToReal48(1.0L / 3.0L) + 1.0L));
    Real s = 1.0E-12L;
    EXPECT_NE(s.value(), 0.0L);
    EXPECT_EQ(encodeReal48(s.value()), encodeReal48(1.0E-12L));
}

TEST(Real, ExpressionsOfRealsRunInExtendedPrecision) {
    Real a = 3, b = 0.02L;
    // a * b is formed in extended precision and rounded once on the store.
    Real c = a * b + a;
    EXPECT_EQ(c.value(), roundToReal48(a.value() * b.value() + a.value()));
    EXPECT_TRUE(a > b);
    EXPECT_TRUE(a > 2);
}

TEST(Real, AValueBeyondTheFormatIsAnErrorNotAStore) {
    Real r = 5;
    EXPECT_THROW(r = 1.0E39L, Real48Error);
    EXPECT_EQ(r.value(), 5.0L);
    EXPECT_THROW(r /= 0.0L, Real48Error);
    EXPECT_EQ(r.value(), 5.0L);
}

TEST(Tab, IndexesFromItsLowerBound) {
    Tab<int, 1, 3> t;
    t[1] = 10;
    t[3] = 30;
    EXPECT_EQ(t[1] + t[3], 40);
    Tab<int, 0, 50> n;
    n[50] = 1;
    EXPECT_EQ(n[50], 1);
    EXPECT_EQ((Tab<int, 1, 3>::count), 3u);
}

}  // namespace
}  // namespace vesk
