#include "FormulaHandler.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "CodePage.h"
#include "EXLSError.h"

namespace vesk {
namespace {

struct Workbook {
    TFormulaHandler h;
    std::vector<std::u16string> sheets = {u"Arkusz1", u"Dane 2010", u"O'Brien", u"Zyski"};
    Workbook()
    {
        h.OnSheetLookup = [this](std::u16string_view name, int& count) {
            count = static_cast<int>(sheets.size());
            for (std::size_t i = 0; i < sheets.size(); ++i)
                if (WideUpperCase(sheets[i]) == WideUpperCase(name))
                    return static_cast<int>(i);
            return -1;
        };
        h.OnSheetName = [this](int i) {
            return i >= 0 && static_cast<std::size_t>(i) < sheets.size() ? sheets[static_cast<std::size_t>(i)]
                                                                         : std::u16string();
        };
        TInternalName& n = h.InternalNames().Add();
        n.SetName(u"Obszar");
        n.SetDefinition(u"Arkusz1!$A$1:$B$2");
    }
    std::vector<std::uint8_t> encode(std::u16string_view text)
    {
        std::vector<std::uint8_t> buf(1024);
        int n = h.Encoder().Encode(text, 0, false, buf);
        buf.resize(static_cast<std::size_t>(n));
        return buf;
    }
    std::u16string roundTrip(std::u16string_view text)
    {
        std::vector<std::uint8_t> tokens = encode(text);
        return h.DecodeFormula(tokens, tokens.size(), 4, 2, 0);
    }
};

TEST(FormulaHandler, EncodeThenDecodeGivesTheTextBack)
{
    const char16_t* comma[] = {
        u"A1+B1*C1",
        u"(A1+B1)/2",
        u"SUM(A1:B2,3)",
        u"IF(A1>0,\"tak\",\"nie\")",
        u"ROUND(A1*1.5,2)",
        u"'Dane 2010'!A1+Arkusz1!$B$2",
        u"'O''Brien'!A1:B$2",
        u"\"a\"\"b\"&C3",
        u"SUM(IF(A1,B1,C1),MAX(1,2,3),MIN(Zyski!A1:A9))",
        u"-A1%",
        u"Obszar*2",
        u"TRUE<>FALSE",
        u"#N/A",
        u"A1^2>=0.5",
        u"1E300*2.5E-10",
        u"IF(,1,)",
        u"\"\u017b\u00f3\u0142w\"&LEFT(\"x\",1)",
        u"'C:\\dir\\[Book.xls]Sheet1'!A1*2",
    };
    Workbook wb;
    for (const char16_t* text : comma)
        EXPECT_EQ(utf16ToUtf8(wb.roundTrip(text)), utf16ToUtf8(text));
    // Blanks are kept as attributes and not written back.
    EXPECT_EQ(wb.roundTrip(u"A1 + SUM( B1 , 2 )"), u"A1+SUM(B1,2)");

    Workbook semi;
    semi.h.Settings().ArgumentSeparator = u';';
    semi.h.Settings().DecimalSeparator = u',';
    for (const char16_t* text : {u"SUM(A1;2,5)", u"IF(A1>0,5;\"a;b\";'Dane 2010'!B2)", u"ROUND(1,25;1)"})
        EXPECT_EQ(utf16ToUtf8(semi.roundTrip(text)), utf16ToUtf8(text));
}

TEST(FormulaHandler, ThreeDimensionalReferencesShareTheirEntries)
{
    Workbook wb;
    wb.encode(u"'C:\\dir\\[Book.xls]Sheet1'!A1");
    wb.encode(u"'C:\\DIR\\[book.xls]SHEET1'!B2");
    wb.encode(u"Zyski!A1+Zyski!B1+Arkusz1!C1");
    const TExternalNames& ext = wb.h.ExternalNames();
    // Arkusz1 (from the defined name), the external sheet and Zyski.
    EXPECT_EQ(ext.ExtSheets().size(), 3u);
    ASSERT_EQ(ext.SupBooks().size(), 2u);
    EXPECT_TRUE(ext.SupBooks()[0]->Self());
    EXPECT_EQ(ext.SupBooks()[0]->SheetCount, 4u);
    // An unknown sheet of this workbook stays an error and adds nothing.
    EXPECT_THROW(wb.encode(u"Brak!A1"), EXLSError);
    EXPECT_EQ(ext.SupBooks().size(), 2u);
    // An entry whose sheet is gone decodes as "#REF!".
    std::vector<std::uint8_t> tokens = wb.encode(u"Zyski!A1");
    wb.sheets.pop_back();
    EXPECT_EQ(wb.h.DecodeFormula(tokens, tokens.size(), 0, 0, 0), u"#REF!A1");
}

TEST(FormulaHandler, VersionAndBooleanTexts)
{
    Workbook wb;
    wb.h.SetVersion(xvExcel50);
    EXPECT_EQ(wb.h.Version(), xvExcel50);
    EXPECT_EQ(wb.h.Encoder().Version, xvExcel50);
    // BIFF5 strings have no option byte.
    const std::vector<std::uint8_t> str5 = {0x17, 2, 'a', 'b'};
    EXPECT_EQ(wb.h.DecodeFormula(str5, str5.size(), 0, 0, 0), u"\"ab\"");
    wb.h.SetVersion(xvExcel97);
    // The encoder's boolean texts do not change the decoder's.
    wb.h.SetStrTRUE(u"PRAWDA");
    std::vector<std::uint8_t> tokens = wb.encode(u"PRAWDA");
    EXPECT_EQ(wb.h.DecodeFormula(tokens, tokens.size(), 0, 0, 0), u"TRUE");
    // Clear empties both name containers.
    wb.h.Clear();
    EXPECT_EQ(wb.h.InternalNames().Count(), 0);
    EXPECT_TRUE(wb.h.ExternalNames().SupBooks().empty());
}

}  // namespace
}  // namespace vesk
