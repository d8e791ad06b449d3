#include "Porownania.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(Porownania, SmallestAndLargestOfThree) {
    EXPECT_EQ(Min3_Real(2, 1, 1).value(), 1.0L);
    EXPECT_EQ(Min3_Real(3, 2, 1).value(), 1.0L);
    EXPECT_EQ(Min3_Real(-1, 0, 1).value(), -1.0L);
    EXPECT_EQ(Max3_Real(1, 3, 3).value(), 3.0L);
    EXPECT_EQ(Max3_Real(1, 2, 3).value(), 3.0L);
    EXPECT_EQ(Max3_Real(-4, -5, -6).value(), -4.0L);
}

TEST(Porownania, SmallestOfAnArray) {
    R3 t;
    t[1] = 5;
    t[2] = 5;
    t[3] = 5;
    EXPECT_EQ(MinTablicy3_Real(t).value(), 5.0L);
    t[1] = 3;
    t[2] = 1;
    t[3] = 2;
    EXPECT_EQ(MinTablicy3_Real(t).value(), 1.0L);
    t[3] = -7;
    EXPECT_EQ(MinTablicy3_Real(t).value(), -7.0L);
}

}  // namespace
}  // namespace vesk
