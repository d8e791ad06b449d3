#include "XLSTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vesk {
namespace {

struct Token {
    std::u16string text;
    TXLSTokenKind kind;
    bool operator==(const Token&) const = default;
};

std::vector<Token> tokens(const TXLSTokenizer& t)
{
    std::vector<Token> out;
    for (const TXLSToken& k : t.Tokens())
        out.push_back({k.Text, k.Kind});
    return out;
}

struct Case {
    const char16_t* formula;
    std::vector<Token> expected;
};

TEST(XLSTokenizer, A1Kinds)
{
    const Case cases[] = {
        {u"a1:$b$2", {{u"A1:$B$2", ttArea}}},
        {u"sum(x_1)", {{u"sum", ttFunc}, {u"x_1", ttName}, {u")", ttParenR}}},
        {u"(1) ", {{u"(", ttParenL}, {u"1", ttNumber}, {u")", ttParenR}, {u" ", ttSpace}}},
        {u"1<=2<>3>=4", {{u"1", ttNumber}, {u"<=", ttLE}, {u"2", ttNumber}, {u"<>", ttNE},
                         {u"3", ttNumber}, {u">=", ttGE}, {u"4", ttNumber}}},
        {u"Dane!B2", {{u"Dane", ttSheetName}, {u"B2", ttRef3d}}},
        {u"S1!A1:A2", {{u"S1", ttSheetName}, {u"A1:A2", ttArea3d}}},
        {u"'Mój arkusz'!A1", {{u"Mój arkusz", ttSheetName}, {u"A1", ttRef3d}}},
        {u"[b.xls]Dane!A1", {{u"b.xls", ttFile}, {u"Dane", ttSheetNameX}, {u"A1", ttRefX}}},
        {u"'C:\\d\\[b.xls]Dane'!A1:B2",
         {{u"C:\\d\\", ttPath}, {u"b.xls", ttFile}, {u"Dane", ttSheetNameX}, {u"A1:B2", ttAreaX}}},
        {u"'C:\\d\\b.xls'!Suma", {{u"C:\\d\\b.xls", ttPath}, {u"Suma", ttNameX}}},
        {u"\"x\"\"y\"&#n/a", {{u"x\"y", ttString}, {u"&", ttConcat}, {u"#N/A", ttError}}},
        {u"AB12CD", {{u"AB12CD", ttName}}},
        {u"IV1+IW1", {{u"IV1", ttRef}, {u"+", ttAdd}, {u"IW1", ttName}}},
        {u"A65536+A65537", {{u"A65536", ttRef}, {u"+", ttAdd}, {u"A65537", ttName}}},
    };
    for (const Case& c : cases) {
        TXLSTokenizer t;
        t.TokenizeA1(c.formula);
        EXPECT_FALSE(t.Error());
        EXPECT_EQ(tokens(t), c.expected) << std::u16string_view(c.formula).size();
    }
}

TEST(XLSTokenizer, SeparatorsComeFromTheSettings)
{
    TXLSTokenizer t;
    t.ListSeparator = u';';
    t.DecimalSeparator = u',';
    t.TokenizeA1(u"IF(1,5;2)");
    EXPECT_EQ(tokens(t), (std::vector<Token>{{u"IF", ttFunc}, {u"1,5", ttNumber}, {u";", ttListSep},
                                             {u"2", ttNumber}, {u")", ttParenR}}));
}

TEST(XLSTokenizer, ErrorsReachTheCallbackAndStop)
{
    struct ErrorCase {
        const char16_t* formula;
        int code;
        bool ooc;
    };
    const ErrorCase cases[] = {
        {u"\"abc", 5, false},  {u"1.2.3", 12, false}, {u"'a?b'!A1", 13, false},
        {u"[x", 14, false},    {u"[]A1", 14, false},  {u"+!A1", 15, false},
        {u"$Q", 16, false},    {u"#X", 1, false},     {u"A1+\\", -1, false},
        {u"A1]", -2, true},    {u"$A$1", 16, true},   {u"[.ZZ1]", 16, true},
        {u"[.A1", 0, true},
    };
    for (const ErrorCase& c : cases) {
        TXLSTokenizer t;
        std::vector<int> codes;
        t.OnError = [&](int code, std::u16string_view) { codes.push_back(code); };
        if (c.ooc)
            t.TokenizeOOC(c.formula);
        else
            t.TokenizeA1(c.formula);
        EXPECT_TRUE(t.Error());
        EXPECT_EQ(codes, std::vector<int>{c.code}) << std::u16string_view(c.formula).size();
    }
    TXLSTokenizer braces;
    braces.TokenizeA1(u"{A1}");
    EXPECT_TRUE(braces.Error());
    braces.Clear();
    EXPECT_FALSE(braces.Error());
    EXPECT_TRUE(braces.Tokens().empty());
}

TEST(XLSTokenizer, OOCKinds)
{
    const Case cases[] = {
        {u"[.A1]", {{u"A1", ttRef}}},
        {u"[.A1:.B2]", {{u"A1:B2", ttArea}}},
        {u"[$Dane.A1]", {{u"Dane", ttSheetName}, {u"A1", ttRef3d}}},
        {u"[$'Mój arkusz'.A1:.C3]", {{u"Mój arkusz", ttSheetName}, {u"A1:C3", ttArea3d}}},
        {u"a1", {{u"a1", ttName}}},
        {u"max([.A1])", {{u"max", ttFunc}, {u"A1", ttRef}, {u")", ttParenR}}},
    };
    for (const Case& c : cases) {
        TXLSTokenizer t;
        t.TokenizeOOC(c.formula);
        EXPECT_FALSE(t.Error());
        EXPECT_EQ(tokens(t), c.expected) << std::u16string_view(c.formula).size();
    }
}

}  // namespace
}  // namespace vesk
