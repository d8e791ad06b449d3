#include "Decimal.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>

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

// Texts cut out of a longer line end without a terminator: the reader
// stays within them (the sanitizer build sees any read past the end of
// these exactly sized buffers) and never takes the characters after them.
TEST(Decimal, ReadsOnlyTheTextItIsGivenEvenWithoutATerminator) {
    struct Case {
        std::string text;
        std::optional<long double> value;
    } cases[] = {{"n.5", std::nullopt}, {"+IIIIII(", std::nullopt}, {"i", std::nullopt}, {"N", std::nullopt},
                 {"in", std::nullopt},  {"12", 12.0L},               {"-0.5", -0.5L}};
    for (const Case& c : cases) {
        auto bufor = std::make_unique<char[]>(c.text.size());
        std::memcpy(bufor.get(), c.text.data(), c.text.size());
        EXPECT_EQ(parseDecimal(std::string_view(bufor.get(), c.text.size())), c.value) << c.text;
    }
    // The digits after the view do not belong to the number.
    const std::string linia = "12345";
    EXPECT_EQ(parseDecimal(std::string_view(linia).substr(0, 2)), 12.0L);
}

}  // namespace
}  // namespace vesk
