#include "CodePage.h"
#include "TextFileLines.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

namespace vesk {
namespace {

TEST(CodePageUtf16, Utf8RoundTripWithSurrogates) {
    const std::string text = "Zażółć \xF0\x9F\x98\x80 end";  // U+1F600 needs a surrogate pair
    std::u16string wide = utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 13u);
    EXPECT_EQ(wide[7], 0xD83D);
    EXPECT_EQ(utf16ToUtf8(wide), text);
}

TEST(CodePageUtf16, BrokenInputBecomesReplacement) {
    EXPECT_EQ(utf8ToUtf16("a\xC3"), u"a\uFFFD");
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xDC00))), "\xEF\xBF\xBD");
}

TEST(CodePageUtf16, Cp1250BothWays) {
    EXPECT_EQ(cp1250ToUtf16("\xB3\xB9\x9C"), u"łąś");
    EXPECT_EQ(utf16ToCp1250(u"łąś"), "\xB3\xB9\x9C");
    EXPECT_EQ(utf16ToCp1250(u"a\u0416b"), "a?b");  // Cyrillic has no place in 1250
    // The five bytes with no character keep their numbers, never "?", and
    // are refused on the way back.
    EXPECT_EQ(cp1250ToUtf8("a\x81\x83\x88\x90\x98\xB3"), "a\xC2\x81\xC2\x83\xC2\x88\xC2\x90\xC2\x98\xC5\x82");
    EXPECT_EQ(utf8ToCp1250Exactly("a\xC2\x83"), std::nullopt);
}

TEST(CodePageUtf16, SingleBytePagesByNumber) {
    ASSERT_NE(singleByteTable(1252), nullptr);
    EXPECT_EQ((*singleByteTable(1252))[0x80], u'\u20AC');
    EXPECT_EQ(singleByteTable(1252), singleByteTable(1252)) << "built once";
    EXPECT_EQ(singleByteTable(932), nullptr) << "a double-byte page";
    EXPECT_EQ(singleByteTable(99999), nullptr);
    // A page the converter could not load for want of descriptors is known once they are back.
    rlimit was{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &was), 0);
    const rlimit none{0, was.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &none), 0);
    const bool loadedWithout = singleByteTable(1257) != nullptr;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &was), 0);
    EXPECT_FALSE(loadedWithout);
    EXPECT_NE(singleByteTable(1257), nullptr);
    EXPECT_EQ(singleByteToUtf16("\xE9", 1252), u"é");
    EXPECT_EQ(singleByteToUtf16("\xB3", 99999), u"ł") << "unknown pages read as 1250";
    EXPECT_EQ(utf16ToSingleByte(u"é\u0142", 1252), "\xE9?");
}

// A text file as the user's editor wrote it, read as code page 1250.
TEST(CodePageTextFile, Utf8WhenMarkedOrValidWithMultiByteSequencesElseCp1250) {
    const struct {
        std::string bajty, cp1250;
    } przypadki[] = {
        {"\xEF\xBB\xBFw\xC4\x99ze\xC5\x82", "w\xEAze\xB3"},   // mark, UTF-8
        {"\xEF\xBB\xBFrun", "run"},                               // mark, ASCII
        {"w\xC4\x99ze\xC5\x82\r\n", "w\xEAze\xB3\r\n"},          // UTF-8 without a mark
        {"w\xEAze\xB3", "w\xEAze\xB3"},                            // code page 1250
        {"w\xC4\x99ze\xC5\x82\nw\xEAze\xB3", "w\xEAze\xB3\nw\xEAze\xB3"},           // each line as written
        {"\xC0\xAF", "\xC0\xAF"},                                  // overlong: not UTF-8
        {"\xED\xA0\x80", "\xED\xA0\x80"},                          // surrogate: not UTF-8
        {"a\xC4", "a\xC4"},                                        // cut sequence: not UTF-8
        {"", ""},
        {"x=\xD1\x8F\nw\xC4\x99ze\xC5\x82", "x=??\nw\xEAze\xB3"},            // U+044F in a UTF-8 file
        {"x=ZADA\xD1\x85\nw\xEAze\xB3", "x=ZADA\xD1\x85\nw\xEAze\xB3"},       // "ZADAŃ…" in code page 1250
    };
    for (const auto& p : przypadki) EXPECT_EQ(textFileToCp1250(p.bajty), p.cp1250) << p.bajty;
}

// Its lines, or the line and the character that code page 1250 cannot
// spell; a line starting with "#" may keep any character, readable.
TEST(CodePageTextFile, LinesOrTheLineAndCharacterRefused) {
    using R = TextFileLines::Refusal;
    const std::string u16 = std::string("\xFF\xFE") + std::string("a\0\r\0b\0\x14\x04", 8);
    const struct {
        std::string bajty;
        R odmowa;
        std::size_t wiersz;
        std::string znak;
        std::vector<std::string> linie;
    } przypadki[] = {
        {"w\xEAze\xB3\r\nb", R::None, 0, "", {"w\xEAze\xB3", "b"}},                   // code page 1250
        {"w\xC4\x99ze\xC5\x82\n\xD0\x92", R::Unspellable, 2, "\\u0412", {}},          // Cyrillic in UTF-8
        {"w\xC4\x99ze\xC5\x82\n#\t\xD0\x92", R::None, 0, "", {"w\xEAze\xB3", "#\t\\u0412"}},
        {"\xEF\xBB\xBF" "a\n\xF0\x9F\x98\x80", R::Unspellable, 2, "\\U0001F600", {}},     // mark, beyond U+FFFF
        {"a\nZa\xCC\x87\xC5\x82", R::Decomposed, 2, "\\u0307", {}},                     // NFD
        {"w\xC4\x99ze\xC5\x82\n\xB1\n", R::TwoEncodings, 2, "", {}},                  // mixed
        {"\xEF\xBB\xBF" "a\n\xB1\n", R::NotUtf8, 2, "\\xB1", {}},                          // marked UTF-8
        {"w\xC4\x99ze\xC5\x82\n# \xB1\n", R::None, 0, "", {"w\xEAze\xB3", "# \\xB1"}},
        {"WSP\xD3\xA3 w\xEAze\xB3", R::None, 0, "", {"WSP\xD3\xA3 w\xEAze\xB3"}},       // a pair, more strays
        {u16, R::Unspellable, 2, "\\u0414", {}},
        {u16 + "x", R::Utf16OddLength, 0, "", {}},
        {std::string("a\0b\0", 4), R::Utf16NoMark, 0, "", {}},
        {std::string("a\0\0\0", 4), R::Utf32, 0, "", {}},
        {std::string("\xFF\xFE\0\0a\0\0\0", 8), R::Utf32, 0, "", {}},
        {std::string("MZ\x90\0\x03\0\0\0", 8), R::NulBytes, 0, "", {}},                  // a program
        {"#\xB1\xB1\xB1\nw\xC4\x99ze\xC5\x82", R::None, 0, "", {"#\\xB1\\xB1\\xB1", "w\xEAze\xB3"}},  // comments uncounted
        {"a\x83\n", R::UnusedByte, 1, "\\x83", {}},                                  // no character in 1250
        {"#\x83\nb", R::None, 0, "", {"#\x83", "b"}},
        {std::string("\xFF\xFE" "a\0\n\0\0\xD8", 8), R::Surrogate, 2, "\\uD800", {}},
        // Lines that read both ways ("ZADAŃ…", "się…”", U+044F or "ŃŹ") as the
        // file's other lines are, in code page 1250 where none tells.
        {"a\nKONIEC ZADA\xD1\x85", R::None, 0, "", {"a", "KONIEC ZADA\xD1\x85"}},
        {"si\xEA\x85\x94\n\xBF\xF3\xB3w", R::None, 0, "", {"si\xEA\x85\x94", "\xBF\xF3\xB3w"}},
        {"\xC5\xBC\xC3\xB3\xC5\x82w\ncall \xD1\x8F.roz", R::Unspellable, 2, "\\u044F", {}},
        {"\xD1\x8F\n#\xB1\n\xC5\xBC", R::Unspellable, 1, "\\u044F", {}},
        // "café…”" and "café – " (a no-break space) in code page 1250;
        // "№" (U+2116) in UTF-8 still tells.
        {"\xBF\xF3\xB3w\ncaf\xE9\x85\x94", R::None, 0, "", {"\xBF\xF3\xB3w", "caf\xE9\x85\x94"}},
        {"caf\xE9\xA0\x96 bar", R::None, 0, "", {"caf\xE9\xA0\x96 bar"}},
        {"\xBF\xF3\xB3w\nnr \xE2\x84\x96", R::TwoEncodings, 2, "", {}},
    };
    for (const auto& p : przypadki) {
        const TextFileLines t = textFileLines(p.bajty, LoneCr::EndsLine, [](const std::string& l) { return l[0] == '#' ? 0 : std::string::npos; });
        EXPECT_EQ(t.refusal, p.odmowa) << p.bajty;
        EXPECT_EQ(t.line, p.wiersz) << p.bajty;
        EXPECT_EQ(t.character, p.znak) << p.bajty;
        EXPECT_EQ(t.lines, p.linie) << p.bajty;
    }
    // A stream read line by line: as the lines before that told.
    EXPECT_EQ(textFileLines("5 ZADA\xD1\x85", LoneCr::InLine, {}, LineEncoding::Utf8).character, "\\u0445");
    EXPECT_EQ(textFileLines("5 ZADA\xD1\x85", LoneCr::InLine, {}, LineEncoding::Cp1250).refusal, R::None);
}

}  // namespace
}  // namespace vesk
