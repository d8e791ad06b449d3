#include "EncodeFormula.h"
#include "ExcelFunctions.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "EXLSError.h"
#include "XLSUtilsMini.h"

namespace vesk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes dbl(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    Bytes b = {0x1F};
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    return b;
}

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// An encoder with the callbacks a workbook would give: two defined names,
// sheets "Arkusz1".."Arkusz3" (external-sheet entries 0..2) and one external
// file with a sheet and a name.
struct Encoder {
    TEncodeFormula e;
    std::vector<T3DReference> asked;
    std::vector<std::u16string> storage;  // keeps the texts asked about

    explicit Encoder(char16_t listSep = u',')
    {
        e.Settings.ArgumentSeparator = listSep;
        if (listSep == u';')
            e.Settings.DecimalSeparator = u',';
        e.OnNameIndex = [](std::u16string_view name) {
            std::u16string upper = WideUpperCase(name);
            if (upper == u"ZYSK")
                return 0;
            if (upper == u"KOSZT")
                return 4;
            return -1;
        };
        e.On3DReference = [this](const T3DReference& r) {
            asked.push_back(r);
            T3DResolution a;
            std::u16string sheet = WideUpperCase(r.Sheet);
            if (r.Path.empty() && r.File.empty()) {
                if (sheet.size() == 7 && sheet.compare(0, 6, u"ARKUSZ") == 0 && sheet[6] >= u'1' &&
                    sheet[6] <= u'3')
                    a.Position = a.ExtSheetIndex = sheet[6] - u'1';
                else if (sheet == u"O'BRIEN")
                    a.Position = a.ExtSheetIndex = 2;
            } else if (r.IsSheet && r.Path == u"C:\\dir\\" && r.File == u"book.xls") {
                a.Position = 0;
                a.ExtSheetIndex = 3;
            } else if (!r.IsSheet && r.Path == u"C:\\dir\\book.xls" && r.Name == u"ext") {
                a.Position = 2;
                a.ExtSheetIndex = 5;
            }
            return a;
        };
    }

    Bytes encode(std::u16string_view text, std::uint8_t cls = 0, bool ooc = false,
                 std::size_t size = 512)
    {
        std::vector<std::uint8_t> buf(size);
        int n = e.Encode(text, cls, ooc, buf);
        buf.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        return buf;
    }

    std::string failure(std::u16string_view text, bool ooc = false, std::size_t size = 512)
    {
        try {
            encode(text, 0, ooc, size);
        } catch (const EXLSError& err) {
            EXPECT_EQ(err.kind(), XLSErrorKind::Formula);
            return err.message();
        }
        ADD_FAILURE() << "no error";
        return {};
    }
};

std::string formulaError(const std::string& formula, const std::string& message)
{
    return "Error in formula " + formula + "\n" + message;
}

struct BytesCase {
    const char16_t* text;
    Bytes expected;
};

TEST(EncodeFormula, ConstantsAndOperators)
{
    const BytesCase cases[] = {
        {u"1+2*3", {0x1E, 1, 0, 0x1E, 2, 0, 0x1E, 3, 0, 0x05, 0x03}},
        {u"-2^2", {0x1E, 2, 0, 0x13, 0x1E, 2, 0, 0x07}},
        {u"--+1", {0x1E, 1, 0, 0x12, 0x13, 0x13}},
        {u"65535", {0x1E, 0xFF, 0xFF}},
        {u"0", {0x1E, 0, 0}},
        {u"65536", dbl(65536)},
        {u"1.5", dbl(1.5)},
        {u"1.0", {0x1E, 1, 0}},
        {u"\"\"", {0x17, 0, 1}},
        {u"\"a\"\"b\"", {0x17, 3, 1, 'a', 0, '"', 0, 'b', 0}},
        {u"\"ż\"", {0x17, 1, 1, 0x7C, 0x01}},
        {u"(1)", {0x1E, 1, 0, 0x15}},
        {u"1&2", {0x1E, 1, 0, 0x1E, 2, 0, 0x08}},
        {u"1<>2=TRUE", {0x1E, 1, 0, 0x1E, 2, 0, 0x0E, 0x1D, 1, 0x0B}},
        {u"1<=2", {0x1E, 1, 0, 0x1E, 2, 0, 0x0A}},
        {u"1>=2", {0x1E, 1, 0, 0x1E, 2, 0, 0x0C}},
        {u"1-2-3", {0x1E, 1, 0, 0x1E, 2, 0, 0x04, 0x1E, 3, 0, 0x04}},
        {u"8/4", {0x1E, 8, 0, 0x1E, 4, 0, 0x06}},
        {u"2^3%", {0x1E, 2, 0, 0x1E, 3, 0, 0x14, 0x07}},
        // "%" is postfix and any number of them is taken.
        {u"10%+5", {0x1E, 10, 0, 0x14, 0x1E, 5, 0, 0x03}},
        {u"10%%", {0x1E, 10, 0, 0x14, 0x14}},
        {u"TRUE", {0x1D, 1}},
        {u"false", {0x1D, 0}},
        {u"TRUE()", {0x41, 34, 0}},
        {u"PI()*2", {0x41, 19, 0, 0x1E, 2, 0, 0x05}},
        {u"  1+2\t", {0x1E, 1, 0, 0x1E, 2, 0, 0x03}},
    };
    Encoder enc;
    for (const BytesCase& c : cases)
        EXPECT_EQ(enc.encode(c.text), c.expected) << std::string(c.text, c.text + 5);
}

TEST(EncodeFormula, ErrorLiteralsAreOperands)
{
    Encoder enc;
    const std::pair<const char16_t*, std::uint8_t> literals[] = {
        {u"#NULL!", 0x00}, {u"#DIV/0!", 0x07}, {u"#VALUE!", 0x0F}, {u"#REF!", 0x17},
        {u"#NAME?", 0x1D}, {u"#NUM!", 0x24},   {u"#N/A", 0x2A},
    };
    for (auto [text, code] : literals)
        EXPECT_EQ(enc.encode(text), (Bytes{0x1C, code}));
    EXPECT_EQ(enc.encode(u"A1+#ref!"), (Bytes{0x44, 0, 0, 0, 0xC0, 0x1C, 0x17, 0x03}));
    EXPECT_EQ(enc.failure(u"A1+#FOO"), formulaError("A1+#FOO", "Invalid constant #FOO"));
}

TEST(EncodeFormula, ReferencesAndClasses)
{
    Encoder enc;
    EXPECT_EQ(enc.encode(u"A1"), (Bytes{0x44, 0, 0, 0, 0xC0}));
    EXPECT_EQ(enc.encode(u"$B$3"), (Bytes{0x44, 2, 0, 1, 0}));
    EXPECT_EQ(enc.encode(u"b$3"), (Bytes{0x44, 2, 0, 1, 0x40}));
    EXPECT_EQ(enc.encode(u"$IV65536"), (Bytes{0x44, 0xFF, 0xFF, 0xFF, 0x80}));
    EXPECT_EQ(enc.encode(u"A1", 0x20), (Bytes{0x24, 0, 0, 0, 0xC0}));
    EXPECT_EQ(enc.encode(u"A1:B2", 0x60), (Bytes{0x65, 0, 0, 1, 0, 0, 0xC0, 1, 0xC0}));
    EXPECT_EQ(enc.encode(u"SUM(A1:B2)"),
              (Bytes{0x25, 0, 0, 1, 0, 0, 0xC0, 1, 0xC0, 0x42, 1, 4, 0}));
    EXPECT_EQ(enc.encode(u"Zysk"), (Bytes{0x43, 1, 0, 0, 0}));
    EXPECT_EQ(enc.encode(u"koszt", 0x20), (Bytes{0x23, 5, 0, 0, 0}));
    EXPECT_EQ(enc.failure(u"Zysk+Strata"), formulaError("Zysk+Strata", "Unknown name Strata"));
    // A reference running on into a longer name is that name.
    EXPECT_EQ(enc.failure(u"A1B"), formulaError("A1B", "Unknown name A1B"));
    EXPECT_EQ(enc.failure(u"IW1"), formulaError("IW1", "Unknown name IW1"));
}

TEST(EncodeFormula, FunctionCalls)
{
    Encoder semi(u';');
    EXPECT_EQ(semi.encode(u"IF(A1;1)"), (Bytes{0x44, 0, 0, 0, 0xC0, 0x1E, 1, 0, 0x42, 2, 1, 0}));
    EXPECT_EQ(semi.encode(u"SUM(A1)+MAX(B1;C1)"),
              (Bytes{0x24, 0, 0, 0, 0xC0, 0x42, 1, 4, 0, 0x24, 0, 0, 1, 0xC0, 0x24, 0, 0, 2, 0xC0,
                     0x42, 2, 7, 0, 0x03}));
    EXPECT_EQ(semi.encode(u"1,5"), dbl(1.5));
    // Classes follow the table; an argument past the listed ones keeps the last.
    EXPECT_EQ(semi.encode(u"VLOOKUP(A1;B1:C2;2;A2;A3)"),
              (Bytes{0x44, 0, 0, 0, 0xC0, 0x25, 0, 0, 1, 0, 1, 0xC0, 2, 0xC0, 0x1E, 2, 0, 0x44,
                     1, 0, 0, 0xC0, 0x44, 2, 0, 0, 0xC0, 0x42, 5, 102, 0}));
    Encoder enc;
    EXPECT_EQ(enc.encode(u"ROUND(1.5,0)"), cat({dbl(1.5), {0x1E, 0, 0, 0x41, 27, 0}}));
    EXPECT_EQ(enc.encode(u"IF(,1,)"), (Bytes{0x16, 0x1E, 1, 0, 0x16, 0x42, 3, 1, 0}));
    EXPECT_EQ(enc.encode(u"sum(1)"), (Bytes{0x1E, 1, 0, 0x42, 1, 4, 0}));
    EXPECT_EQ(enc.failure(u"SUM("), formulaError("SUM(", "Closing paranthese missing in function"));
    EXPECT_EQ(enc.failure(u"SUM(1,"), formulaError("SUM(1,", "Closing paranthese missing in function"));
    EXPECT_EQ(enc.failure(u"ROUND(A1)"),
              formulaError("ROUND(A1)", "Wrong number of arguments for function ROUND"));
    EXPECT_EQ(enc.failure(u"GOTO(A1)"), formulaError("GOTO(A1)", "Invalid function name GOTO"));
    EXPECT_EQ(enc.failure(u"HALT(1)"), formulaError("HALT(1)", "Invalid function name HALT"));
    EXPECT_EQ(enc.failure(u"GET.CELL(1)"), "Invalid name");  // "." ends a name
    EXPECT_EQ(enc.failure(u"NOSUCH(1)"), formulaError("NOSUCH(1)", "Invalid function name NOSUCH"));
    // More arguments than the count byte holds.
    std::u16string many = u"SUM(";
    for (int i = 0; i < 256; ++i)
        many += u',';
    many += u')';
    EXPECT_NE(enc.failure(many).find("Wrong number of arguments for function SUM"), std::string::npos);
}

TEST(EncodeFormula, EveryUnusableRowIsRefused)
{
    Encoder enc;
    int refused = 0;
    for (const TExcelFunction& f : TExcelFunctions) {
        if (f.usable())
            continue;
        std::u16string call = std::u16string(f.Name) + u"(1)";
        std::string narrow(call.begin(), call.end());
        std::string name(f.Name.begin(), f.Name.end());
        if (name.find('.') != std::string::npos) {
            EXPECT_EQ(enc.failure(call), "Invalid name") << narrow;  // "." ends a name
        } else if (name[0] >= '0' && name[0] <= '9') {
            EXPECT_EQ(enc.failure(call), formulaError(narrow, "Illegal number")) << narrow;
        } else {
            EXPECT_EQ(enc.failure(call), formulaError(narrow, "Invalid function name " + name)) << narrow;
        }
        ++refused;
    }
    EXPECT_EQ(refused, 137);
}

TEST(EncodeFormula, Blanks)
{
    Encoder enc;
    EXPECT_EQ(enc.encode(u"1  +2"), (Bytes{0x1E, 1, 0, 0x1E, 2, 0, 0x19, 0x40, 0, 2, 0x03}));
    EXPECT_EQ(enc.encode(u"(1 + 2 )"),
              (Bytes{0x1E, 1, 0, 0x19, 0x40, 0, 1, 0x1E, 2, 0, 0x19, 0x40, 0, 1, 0x03, 0x19, 0x40,
                     4, 1, 0x15}));
    EXPECT_EQ(enc.encode(u"1+ (2)"), (Bytes{0x1E, 1, 0, 0x1E, 2, 0, 0x19, 0x40, 2, 1, 0x15, 0x03}));
    EXPECT_EQ(enc.encode(u"PI( )"), (Bytes{0x19, 0x40, 4, 1, 0x41, 19, 0}));
    EXPECT_EQ(enc.encode(u"- 1"), (Bytes{0x19, 0x40, 0, 1, 0x1E, 1, 0, 0x13}));
}

TEST(EncodeFormula, ThreeDOperands)
{
    Encoder enc;
    EXPECT_EQ(enc.encode(u"Arkusz2!A1+1"),
              (Bytes{0x5A, 1, 0, 0, 0, 0, 0xC0, 0x1E, 1, 0, 0x03}));
    EXPECT_EQ(enc.e.LastSheetIndex(), 1);
    ASSERT_EQ(enc.asked.size(), 1u);
    EXPECT_EQ(enc.asked[0].Sheet, u"Arkusz2");
    EXPECT_EQ(enc.encode(u"Arkusz3!$A$1:$B$2"),
              (Bytes{0x3B, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(enc.e.LastSheetIndex(), 2);
    EXPECT_EQ(enc.encode(u"'O''Brien'!A1"), (Bytes{0x5A, 2, 0, 0, 0, 0, 0xC0}));
    EXPECT_EQ(enc.encode(u"'C:\\dir\\[book.xls]Dane'!B1"), (Bytes{0x5A, 3, 0, 0, 0, 1, 0xC0}));
    EXPECT_EQ(enc.asked.back().Path, u"C:\\dir\\");
    EXPECT_EQ(enc.asked.back().File, u"book.xls");
    EXPECT_EQ(enc.asked.back().Sheet, u"Dane");
    EXPECT_EQ(enc.encode(u"'C:\\dir\\book.xls'!ext"), (Bytes{0x59, 5, 0, 3, 0, 0, 0}));
    EXPECT_FALSE(enc.asked.back().IsSheet);
    EXPECT_EQ(enc.encode(u"1"), (Bytes{0x1E, 1, 0}));
    EXPECT_EQ(enc.e.LastSheetIndex(), -1);  // set back for every encoding
    EXPECT_EQ(enc.failure(u"Inny!A1"), formulaError("Inny!A1", "Unknown name Inny"));
}

TEST(EncodeFormula, LeftoverTokensAndMisplacedOperatorsAreErrors)
{
    Encoder enc;
    EXPECT_EQ(enc.failure(u"A1 B1"), formulaError("A1 B1", "Error in formula"));
    EXPECT_EQ(enc.failure(u"A1)+2"), formulaError("A1)+2", "Error in formula"));
    Encoder semi(u';');
    EXPECT_EQ(semi.failure(u"A1;B1"), formulaError("A1;B1", "Error in formula"));
    EXPECT_EQ(enc.failure(u"1+*2"), formulaError("1+*2", "Invalid symbol *"));
    EXPECT_EQ(enc.failure(u"=1"), formulaError("=1", "Invalid symbol ="));
    EXPECT_EQ(enc.failure(u"1+"), formulaError("1+", "Error in formula"));
    EXPECT_EQ(enc.failure(u"()"), formulaError("()", "Invalid symbol )"));
}

TEST(EncodeFormula, TokenizerErrors)
{
    Encoder enc;
    std::u16string long256 = u"\"" + std::u16string(256, u'x') + u"\"";
    std::string long256n(long256.begin(), long256.end());
    const std::pair<const char16_t*, std::string> cases[] = {
        {u"", "Empty formula"},
        {u" \t", "Empty formula"},
        {u"\"abc", "Missing quote characther in string \"abc"},
        {u"(1+2", "Missmatching parantheses"},
        {u"1.2.3", "Illegal number"},
        {u"12a", "Illegal number"},
        {u"1E+", "Illegal number"},
        {u"'a*b'!A1", "Illegal character in string a*b"},
        {u"[book.xls", "Bad filename [book.xls"},
        {u"\"x\"!A1", "Invalid 3D name x"},
        {u"1!A1", "Illegal number"},
        {u"$$A1", "Invalid name $$A1"},
        {u"{A1}", "Error in formula"},
    };
    for (const auto& [text, message] : cases) {
        std::u16string_view t(text);
        std::string trimmed(t.begin(), t.end());
        if (trimmed.find_first_not_of(" \t") == std::string::npos)
            trimmed.clear();
        EXPECT_EQ(enc.failure(text), formulaError(trimmed, message)) << trimmed;
    }
    EXPECT_EQ(enc.failure(long256), formulaError(long256n, "Strings can have max 255 characthers"));
    std::u16string long255 = u"\"" + std::u16string(255, u'x') + u"\"";
    EXPECT_EQ(enc.encode(long255, 0, false, 513).size(), 3u + 510u);
    EXPECT_EQ(enc.failure(long255), "Formula buffer overflow.");
    EXPECT_EQ(enc.failure(u"A1+?"), "Invalid name");
    EXPECT_EQ(enc.failure(u"[.A1]+]", true), "Unexpected character \"]\" in OOC formula");
}

TEST(EncodeFormula, BufferOverflowIsCheckedBeforeEveryWrite)
{
    Encoder enc;
    EXPECT_EQ(enc.failure(u"1+2", false, 6), "Formula buffer overflow.");
    EXPECT_EQ(enc.encode(u"1+2", 0, false, 7).size(), 7u);
    EXPECT_EQ(enc.failure(u"1.5", false, 8), "Formula buffer overflow.");
    EXPECT_EQ(enc.failure(u"\"abc\"", false, 8), "Formula buffer overflow.");
    std::u16string deep(600, u'(');
    deep += u'1';
    deep += std::u16string(600, u')');
    EXPECT_EQ(enc.failure(deep), "Formula buffer overflow.");
    std::u16string signs(5000, u'-');
    signs += u'1';
    EXPECT_EQ(enc.failure(signs, false, 20000), formulaError(std::string(signs.begin(), signs.end()), "Error in formula"));
}

TEST(EncodeFormula, ErrorCallbackReceivesErrorsInsteadOfExceptions)
{
    Encoder enc;
    std::vector<std::string> got;
    enc.e.OnError = [&](const std::string& m) { got.push_back(m); };
    EXPECT_TRUE(enc.encode(u"ROUND(1)").empty());
    EXPECT_TRUE(enc.encode(u"A1+?").empty());
    EXPECT_EQ(enc.encode(u"1"), (Bytes{0x1E, 1, 0}));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], formulaError("ROUND(1)", "Wrong number of arguments for function ROUND"));
    EXPECT_EQ(got[1], "Invalid name");
}

TEST(EncodeFormula, BooleanTextsFollowTheWorkbook)
{
    Encoder enc;
    enc.e.SetStrTRUE(u"Prawda");
    enc.e.SetStrFALSE(u"fałsz");
    EXPECT_EQ(enc.encode(u"PRAWDA"), (Bytes{0x1D, 1}));
    EXPECT_EQ(enc.encode(u"Fałsz"), (Bytes{0x1D, 0}));
    EXPECT_EQ(enc.failure(u"TRUE"), formulaError("TRUE", "Unknown name TRUE"));
}

TEST(EncodeFormula, OOCFormulasEqualTheirA1Twins)
{
    const std::pair<const char16_t*, const char16_t*> twins[] = {
        {u"[.A1]+[.B2]", u"A1+B2"},
        {u"SUM([.A1:.B2])", u"SUM(A1:B2)"},
        {u"[.$A$1]*2", u"$A$1*2"},
        {u"[$Arkusz2.A1]+1", u"Arkusz2!A1+1"},
        {u"[$'Arkusz3'.A1:.C4]", u"Arkusz3!A1:C4"},
        {u"Zysk-1", u"Zysk-1"},
    };
    for (auto [ooc, a1] : twins) {
        Encoder enc;
        EXPECT_EQ(enc.encode(ooc, 0, true), enc.encode(a1)) << std::string(a1, a1 + 4);
    }
    Encoder enc;
    EXPECT_EQ(enc.failure(u"A1", true), formulaError("A1", "Unknown name A1"));
    EXPECT_EQ(enc.failure(u"$A1", true), formulaError("$A1", "Invalid name $A1"));
}

}  // namespace
}  // namespace vesk
