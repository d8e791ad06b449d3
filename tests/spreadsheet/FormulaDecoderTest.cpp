#include "FormulaDecoder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "CodePage.h"
#include "EXLSError.h"

namespace vesk {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes cat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes le16(unsigned v) { return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }

Bytes f64(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    Bytes b;
    for (int i = 0; i < 8; ++i)
        b.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
    return b;
}

// References of each layout; rel*: relative flags.
Bytes ref8(unsigned row, unsigned col, bool relRow = true, bool relCol = true, std::uint8_t ptg = 0x24)
{
    return cat({{ptg}, le16(row), le16(col | (relRow ? 0x8000 : 0) | (relCol ? 0x4000 : 0))});
}
Bytes ref5(unsigned row, unsigned col, bool relRow = true, bool relCol = true, std::uint8_t ptg = 0x24)
{
    return cat({{ptg}, le16(row | (relRow ? 0x8000 : 0) | (relCol ? 0x4000 : 0)), {static_cast<std::uint8_t>(col)}});
}
Bytes area8(unsigned r1, unsigned r2, unsigned c1, unsigned c2, unsigned flags1, unsigned flags2,
            std::uint8_t ptg = 0x25)
{
    return cat({{ptg}, le16(r1), le16(r2), le16(c1 | flags1), le16(c2 | flags2)});
}

// A resolver whose texts show what was asked.
std::u16string stub(int kind, int index, int nameIndex)
{
    switch (kind) {
    case nrName: return u"Name" + std::u16string(1, static_cast<char16_t>(u'0' + index));
    case nrNameX5: return u"X" + std::u16string(1, static_cast<char16_t>(u'0' + index));
    case nrExternSheet:
        if (nameIndex >= 0)
            return u"Ext" + std::u16string(1, static_cast<char16_t>(u'0' + nameIndex));
        return index == 0 ? u"Dane!" : u"'Dane 2'!";
    case nrSheet5: return index == 0 ? u"Dane" : u"Dane 2";
    case nrSheetIndex: return u"Arkusz";
    }
    return {};
}

std::u16string decode(const Bytes& tokens, TExcelVersion v = xvExcel97, int row = 0, int col = 0,
                      std::size_t length = SIZE_MAX, const TFormulaSettings& settings = {})
{
    return DecodeFormula(v, tokens, length == SIZE_MAX ? tokens.size() : length, stub, row, col, 0, settings);
}

std::string text(const std::u16string& s) { return utf16ToUtf8(s); }

struct Case {
    const char* title;
    Bytes tokens;
    const char* expected;
    TExcelVersion version = xvExcel97;
};

TEST(FormulaDecoder, OperatorsAndOperands)
{
    const Case cases[] = {
        {"no parentheses", cat({ref8(0, 0), ref8(0, 1), {0x03}, ref8(0, 2), {0x05}}), "A1+B1*C1"},
        {"paren", cat({ref8(0, 0), ref8(0, 1), {0x03, 0x15}, ref8(0, 2), {0x05}}), "(A1+B1)*C1"},
        {"int 40000", cat({{0x1E}, le16(40000)}), "40000"},
        {"percent", cat({ref8(0, 0), {0x14}}), "A1%"},
        {"uplus", cat({ref8(0, 0), {0x12}}), "A1"},
        {"uminus", cat({ref8(0, 0), {0x13}}), "-A1"},
        {"all operators", cat({{0x1E, 1, 0, 0x1E, 2, 0, 0x04, 0x1E, 3, 0, 0x06, 0x1E, 4, 0, 0x07, 0x1E, 5, 0,
                                0x08, 0x1E, 6, 0, 0x0E, 0x1E, 7, 0, 0x0C}}),
         "1-2/3^4&5<>6>=7"},
        {"compare", cat({{0x1E, 1, 0, 0x1E, 2, 0, 0x09, 0x1E, 3, 0, 0x0A, 0x1E, 4, 0, 0x0B, 0x1E, 5, 0, 0x0D}}),
         "1<2<=3=4>5"},
        {"union uses the separator", cat({ref8(0, 0), ref8(1, 1), {0x10}}), "A1,B2"},
        {"range", cat({ref8(0, 0), ref8(1, 1), {0x11}}), "A1:B2"},
        {"str biff8", {0x17, 3, 0, 'a', 'b', 'c'}, "\"abc\""},
        {"str biff5", {0x17, 3, 'a', 'b', 'c'}, "\"abc\"", xvExcel50},
        {"str biff8 16-bit", {0x17, 2, 1, 0x41, 0x01, 'z', 0}, "\"\xC5\x81z\""},
        {"inner quotes doubled", {0x17, 3, 0, 'a', '"', 'b'}, "\"a\"\"b\""},
        {"str biff5 code page 1250", {0x17, 1, 0xA3}, "\"\xC5\x81\"", xvExcel50},
        {"bool", {0x1D, 1, 0x1D, 0, 0x03}, "TRUE+FALSE"},
        {"errors", {0x1C, 0x07, 0x1C, 0x2A, 0x03, 0x1C, 0x99, 0x03}, "#DIV/0!+#N/A+#???"},
        {"number", cat({{0x1F}, f64(1.5)}), "1.5"},
        {"missing arg", cat({{0x16}, ref8(0, 0), {0x22, 2, 0x04, 0x00}}), "SUM(,A1)"},
        {"fixed function", cat({ref8(0, 0), {0x1E, 2, 0, 0x41, 27, 0}}), "ROUND(A1,2)"},
        {"fixed MID of other writers", {0x17, 2, 0, 'a', 'b', 0x1E, 2, 0, 0x1E, 3, 0, 0x41, 31, 0}, "MID(\"ab\",2,3)"},
        {"fixed index above the table", cat({ref8(0, 0), {0x21}, le16(400)}), "?<400>?(A1)"},
        {"funcvar 255 takes its name", cat({{0x23, 1, 0, 0, 0}, ref8(0, 0), {0x22, 2, 0xFF, 0x00}}), "Name1(A1)"},
        {"funcvar beyond the table", cat({{0x17, 2, 0, 'f', 'n'}, {0x1E, 1, 0, 0x22, 2}, le16(500)}), "\"fn\"(1)"},
        {"attr sum", cat({ref8(0, 0), {0x19, 0x10, 0, 0}}), "SUM(A1)"},
        {"attr space and if", cat({{0x19, 0x40, 0, 1}, ref8(0, 0), {0x19, 0x02, 4, 0}, {0x1E, 1, 0}}), "1"},
        {"attr choose skips its table",
         cat({{0x1E, 1, 0, 0x19, 0x04, 1, 0, 8, 0, 9, 0}, {0x1E, 2, 0, 0x22, 2, 100, 0}}), "CHOOSE(1,2)"},
        {"empty buffer", {}, "[ERROR]"},
        {"two operands", cat({ref8(0, 0), ref8(0, 1)}), "B1"},
        {"operator short of operands", cat({ref8(0, 0), {0x03}}), "<Val missing>"},
        {"uminus on nothing", {0x13}, "<Val missing>"},
        {"ends at token 0", cat({ref8(0, 0), {0x00}, ref8(0, 1)}), "A1"},
        {"unlisted token", cat({ref8(0, 0), {0x02, 1, 0}}), "Unknown ptg[02]"},
        {"isect ends", cat({ref8(0, 0), {0x0F}}), "Unknown ptg[0F]"},
        {"unknown eptg goes on", cat({{0x18, 0x55}, ref8(0, 0), {0x03}}), "Unknown eptg[55]+A1"},
        {"eptg 6 gives the sheet", {0x18, 6, 0, 0, 0, 0}, "Arkusz"},
        {"name biff8", {0x23, 2, 0, 0, 0}, "Name2"},
        {"namex biff8", {0x39, 0, 0, 3, 0, 0, 0}, "Ext3"},
        {"namex biff5", cat({{0x39}, le16(0xFFFF), Bytes(8), le16(4), Bytes(12)}), "X4", xvExcel50},
        {"name biff4", Bytes{0x23, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "[NAME]", xvExcel40},
        {"name in an external block",
         cat({Bytes{0x1A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Bytes{0x23, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}}),
         "[EXTERNNAME]", xvExcel40},
        {"exp skipped whole", {0x01, 0, 0, 0, 0}, "[ERROR]"},
        {"memfunc skipped", cat({{0x29, 5, 0}, ref8(0, 0)}), "A1"},
        {"referr and areaerr", cat({{0x2A, 0, 0, 0, 0}, {0x6B, 0, 0, 0, 0, 0, 0, 0, 0}, {0x03}}), "#REF!+#REF!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(decode(c.tokens, c.version)), c.expected) << c.title;
}

TEST(FormulaDecoder, SeparatorsOfTheSettings)
{
    TFormulaSettings s{u';', u',', u'|'};
    Bytes sum = {0x1E, 1, 0, 0x1E, 2, 0, 0x1E, 3, 0, 0x22, 3, 4, 0};
    EXPECT_EQ(text(decode(sum, xvExcel97, 0, 0, SIZE_MAX, s)), "SUM(1;2;3)");
    EXPECT_EQ(text(decode(cat({{0x1F}, f64(-2.25)}), xvExcel97, 0, 0, SIZE_MAX, s)), "-2,25");
    Bytes arr = {0x40, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1};
    arr = cat({arr, f64(1.5), {1}, f64(2), {1}, f64(3), {1}, f64(4)});
    EXPECT_EQ(text(decode(arr, xvExcel97, 0, 0, 8, s)), "{1,5;2|3;4}");
}

TEST(FormulaDecoder, ReferencesInTheThreeLayouts)
{
    // $A$1+B$2+$C3+D4:$E$5 in each layout.
    Bytes b8 = cat({ref8(0, 0, false, false), ref8(1, 1, false, true), {0x03}, ref8(2, 2, true, false), {0x03},
                    area8(3, 4, 3, 4, 0xC000, 0), {0x03}});
    Bytes b5 = cat({ref5(0, 0, false, false), ref5(1, 1, false, true), {0x03}, ref5(2, 2, true, false), {0x03},
                    {0x25}, le16(3 | 0xC000), le16(4), {3, 4}, {0x03}});
    const char* expected = "$A$1+B$2+$C3+D4:$E$5";
    EXPECT_EQ(text(decode(b8, xvExcel97)), expected);
    EXPECT_EQ(text(decode(b5, xvExcel50)), expected);
    EXPECT_EQ(text(decode(b5, xvExcel40)), expected);
    EXPECT_EQ(text(decode(b5, xvExcel21)), expected);
    // A 14-bit column field wraps into 0..255.
    EXPECT_EQ(text(decode(ref8(0, 0x101, false, false))), "$B$1");
}

TEST(FormulaDecoder, RelativeReferencesOfSharedFormulas)
{
    const Case cases[] = {
        // BIFF8: row offsets as signed 16 bits, columns as signed 8 bits.
        {"biff8 row +200", ref8(200, 0xFF, true, true, 0x2C), "E211"},
        {"biff8 row -1", ref8(0xFFFF, 0, true, true, 0x4C), "F10"},
        {"biff8 absolute parts", ref8(300, 2, false, false, 0x6C), "$C$301"},
        {"biff8 area", area8(0, 130, 0, 1, 0xC000, 0xC000, 0x2D), "F11:G141"},
        // BIFF5: the row offset takes 14 bits, the absolute row all 14.
        {"biff5 row +300", ref5(300, 0, true, true, 0x2C), "F311", xvExcel50},
        {"biff5 row -2", ref5(0x3FFE, 0xFE, true, true, 0x2C), "D9", xvExcel50},
        {"biff5 absolute row 300", ref5(300, 1, false, false, 0x2C), "$B$301", xvExcel50},
        {"biff5 area", cat({{0x2D}, le16(0xC000 | 200), le16(0x8000 | 300), {1, 2}}), "G211:$C311", xvExcel50},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(decode(c.tokens, c.version, 10, 5)), c.expected) << c.title;
    // Wrapping: column 0 - 1 is IV, row 0 - 1 is 65536.
    EXPECT_EQ(text(decode(ref8(0xFFFF, 0xFF, true, true, 0x2C))), "IV65536");
}

TEST(FormulaDecoder, ThreeDimensionalReferences)
{
    Bytes ref3 = cat({{0x3A}, le16(0), ref8(0, 0, false, false)});
    ref3.erase(ref3.begin() + 3);
    EXPECT_EQ(text(decode(ref3)), "Dane!$A$1");
    for (std::uint8_t ptg : {0x3C, 0x5C, 0x7C})
        EXPECT_EQ(text(decode({ptg, 1, 0, 0, 0, 0, 0})), "'Dane 2'!#REF!");
    for (std::uint8_t ptg : {0x3D, 0x5D, 0x7D})
        EXPECT_EQ(text(decode({ptg, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})), "Dane!#REF!");
    // BIFF5: external index (negative: this workbook), sheet numbers, body.
    auto b5 = [](std::uint8_t ptg, unsigned first, unsigned last, Bytes body) {
        return cat({{ptg}, le16(0xFFFF), Bytes(8), le16(first), le16(last), body});
    };
    Bytes refBody = {0x00, 0x00, 0x00, 0x00};
    refBody = cat({le16(4), {2}});
    Bytes areaBody = cat({le16(0), le16(1), {0, 1}});
    for (std::uint8_t ptg : {0x3C, 0x5C, 0x7C})
        EXPECT_EQ(text(decode(b5(ptg, 1, 1, refBody), xvExcel50)), "'Dane 2'!#REF!");
    for (std::uint8_t ptg : {0x3D, 0x5D, 0x7D})
        EXPECT_EQ(text(decode(b5(ptg, 0, 0, areaBody), xvExcel50)), "Dane!#REF!");
    EXPECT_EQ(text(decode(b5(0x3A, 0, 0, refBody), xvExcel50)), "Dane!$C$5");
    EXPECT_EQ(text(decode(b5(0x3B, 0, 1, areaBody), xvExcel50)), "'Dane:Dane 2'!$A$1:$B$2");
    EXPECT_EQ(text(decode(b5(0x3A, 0xFFFF, 0, refBody), xvExcel50)), "[DELETED]!$C$5");
    // Without a resolver.
    EXPECT_EQ(utf16ToUtf8(DecodeFormula(xvExcel97, ref3, ref3.size(), nullptr, 0, 0, 0)), "[ExternSheet]$A$1");
}

TEST(FormulaDecoder, ArrayConstants)
{
    auto num = [](double v) { return cat({{1}, f64(v)}); };
    Bytes tok = {0x60, 0, 0, 0, 0, 0, 0, 0};
    const struct {
        const char* title;
        Bytes data;
        const char* expected;
    } cases[] = {
        {"one row", cat({{2, 0, 0}, num(1), num(2), num(3)}), "{1,2,3}"},
        {"one column", cat({{0, 1, 0}, num(1), num(2)}), "{1;2}"},
        {"2 x 2 mixed", cat({{1, 1, 0}, num(1), {2, 2, 0, 0, 'a', '"'}, {4, 1, 0, 0, 0, 0, 0, 0, 0},
                             {0x10, 0x2A, 0, 0, 0, 0, 0, 0, 0}}),
         "{1,\"a\"\"\";TRUE,#N/A}"},
        {"empty and 16-bit", cat({{1, 0, 0}, Bytes(9), {2, 1, 0, 1, 0x41, 0x01}}), "{,\"\xC5\x81\"}"},
        {"bad element", cat({{0, 0, 0}, {3, 0, 0, 0, 0, 0, 0, 0, 0}}), "Bad element ID#3 in array"},
        {"data cut short", cat({{1, 0, 0}, num(1)}), "Unknown ptg[60]"},
        {"no data", {}, "Unknown ptg[60]"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(text(decode(cat({tok, c.data}), xvExcel97, 0, 0, tok.size())), c.expected) << c.title;
    // Two constants take their data in token order.
    Bytes two = cat({tok, tok, {0x03}, {0, 0, 0}, num(1), {0, 0, 0}, num(2)});
    EXPECT_EQ(text(decode(two, xvExcel97, 0, 0, 17)), "{1}+{2}");
}

TEST(FormulaDecoder, BadTokensNeverReadPastTheEnd)
{
    const Case cases[] = {
        {"ref cut short", cat({{0x1E, 1, 0}, {0x24, 0, 0}}), "Unknown ptg[24]"},
        {"str cut short", {0x17, 9, 0, 'a'}, "Unknown ptg[17]"},
        {"attr choose table past the end", {0x1E, 1, 0, 0x19, 0x04, 5, 0, 1, 0}, "Unknown ptg[19]"},
        {"3d cut short", {0x3A, 0, 0, 0}, "Unknown ptg[3A]"},
        {"num cut short", {0x1F, 0, 0}, "Unknown ptg[1F]"},
        {"high token", {0x80}, "Unknown ptg[80]"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(text(decode(c.tokens, c.version)), c.expected) << c.title;
    // The length is what counts, not the buffer.
    EXPECT_EQ(text(decode(cat({ref8(0, 0), ref8(0, 1)}), xvExcel97, 0, 0, 5)), "A1");
}

TEST(FormulaDecoder, FunctionsShortOfOperandsRaise)
{
    const Bytes cases[] = {
        cat({ref8(0, 0), {0x41, 27, 0}}),  // ROUND with one operand
        {0x22, 3, 4, 0},                   // SUM of three, none there
        {0x15},                            // parenthesis around nothing
        {0x19, 0x10, 0, 0},                // sum of one, none there
        {0x22, 0, 0xFF, 0},                // a call without its name
        {0x21, 53, 0},                     // GOTO has no fixed argument count
    };
    for (const Bytes& tokens : cases) {
        try {
            decode(tokens);
            ADD_FAILURE() << "no error";
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Formula);
        }
    }
}

TEST(SharedFormula, ConvertedInPlace)
{
    // BIFF8: RefN (row +1, column -1, both relative) and an AreaN with an
    // absolute corner, at the cell F11 (row 10, column 5).
    Bytes t8 = cat({ref8(1, 0xFF, true, true, 0x4C), area8(0, 3, 2, 0x01, 0, 0xC000, 0x2D), {0x03}});
    ConvertSharedFormula(true, t8, 10, 5);
    Bytes want8 = cat({ref8(11, 4, true, true, 0x44), area8(0, 13, 2, 6, 0, 0xC000, 0x25), {0x03}});
    EXPECT_EQ(t8, want8);
    EXPECT_EQ(text(decode(t8, xvExcel97, 99, 99)), "E12+$C$1:G14");
    // BIFF5: the row keeps its flags, the column byte is replaced.
    Bytes t5 = cat({{0x1E, 1, 0}, ref5(0x3FFF, 2, true, true, 0x2C), {0x03}});
    ConvertSharedFormula(false, t5, 10, 5);
    EXPECT_EQ(t5, cat({{0x1E, 1, 0}, ref5(9, 7, true, true, 0x24), {0x03}}));
    // Strings, choose tables and 3D tokens are walked over untouched.
    Bytes walk = cat({{0x17, 2, 0, 'a', 'b', 0x19, 0x04, 1, 0, 0, 0, 0, 0}, {0x3A, 0, 0, 0x2C, 0, 0, 0xC0}});
    Bytes before = walk;
    ConvertSharedFormula(true, walk, 3, 3);
    EXPECT_EQ(walk, before);
    for (Bytes bad : {Bytes{0x1E, 1, 0, 0x02, 0, 0}, Bytes{0x4C, 0, 0}, Bytes{0x17, 5, 0, 'a'}, Bytes{0x90}}) {
        try {
            ConvertSharedFormula(true, bad, 0, 0);
            ADD_FAILURE() << "no error";
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Formula);
        }
    }
    Bytes unknown = {0x02, 0, 0, 0, 0};
    try {
        ConvertSharedFormula(true, unknown, 0, 0);
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.message(), "Unknown ptg[02] in Shared Formula");
    }
}

TEST(FormulaDecoder, SheetNamesQuotedWhereNeeded)
{
    const struct {
        const char16_t* name;
        const char16_t* expected;
    } cases[] = {
        {u"Dane", u"Dane"},          {u"Dane 2010", u"'Dane 2010'"}, {u"O'Brien", u"'O''Brien'"},
        {u"2010", u"'2010'"},        {u"Zyski_\u0141", u"Zyski_\u0141"}, {u"a-b", u"'a-b'"},
        {u"", u"''"},                {u"x,y", u"'x,y'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteSheetName(c.name), c.expected);
    EXPECT_EQ(QuoteSheetName(u"x;y", u';'), u"'x;y'");
    EXPECT_EQ(BuiltInNameText(6), u"Print_Area");
    EXPECT_EQ(BuiltInNameText(13), u"");
}

}  // namespace
}  // namespace vesk
