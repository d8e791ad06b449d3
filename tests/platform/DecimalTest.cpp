#include "Decimal.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(Decimal, NumbersAsTypedAndNothingElse) {
    EXPECT_EQ(parseDecimal("+1.0"), 1.0L);
    EXPECT_EQ(parseDecimal(".5"), 0.5L);
    EXPECT_EQ(parseDecimal("5."), 5.0L);
    EXPECT_EQ(parseDecimal("2.5E1"), 25.0L);
    EXPECT_EQ(parseDecimal("-3"), -3.0L);
    EXPECT_EQ(parseDecimal("0.1"), 0.1L);
    for (const char* bad : {"", "+", "-", "+-5", "++5", " 5", "5 ", "1e", "1e+", "2,5", "0x10", "nan", "inf",
                            "-inf", "1e99999", "100abc", "x"})
        EXPECT_FALSE(parseDecimal(bad)) << bad;
}

}  // namespace
}  // namespace vesk
