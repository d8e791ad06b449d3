// The workbook component and its sheets: defaults, naming, the cell
// accessors, search and the used area.
#include <gtest/gtest.h>

#include <vector>

#include "EXLSError.h"
#include "RecordFields.h"
#include "XLSUtilsMini.h"
#include "XLSMini.h"

namespace vesk {
namespace {

std::uint8_t tokens[] = {0x1E, 0x01, 0x00};  // ptgInt 1

TEST(XLSMini, NewComponentHasOneEmptySheetAndTheDefaults) {
    TXLSMini xls;
    ASSERT_EQ(xls.Sheets().Count(), 1);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.Name(), u"Sheet1");
    EXPECT_EQ(s.FirstRow(), 0);
    EXPECT_EQ(s.LastRow(), 0);
    EXPECT_EQ(s.FirstCol(), 0);
    EXPECT_EQ(s.LastCol(), 0);
    EXPECT_EQ(s.CellType(0, 0), ctNone);
    EXPECT_EQ(s.AsString(0, 0), u"");
    EXPECT_EQ(xls.Version(), xvExcel97);
    EXPECT_EQ(xls.MaxBodySize(), 8224u);
    EXPECT_EQ(xls.StrTRUE(), u"TRUE");
    EXPECT_EQ(xls.ComponentVersion(), "2.00.00");
    EXPECT_TRUE(xls.PreserveMacros);
    EXPECT_TRUE(xls.DefaultFormats);
    EXPECT_EQ(xls.Workbook().Width(), 10000);
    EXPECT_EQ(xls.OptionsDialog().CalcMode, cmAutomatic);
    EXPECT_EQ(xls.XFDateTime, 21);
    EXPECT_EQ(xls.XFTime, 23);
    xls.SetVersion(xvExcel50);
    EXPECT_EQ(xls.MaxBodySize(), 2080u);
    EXPECT_EQ(xls.Sheets().SST().MaxBodySize(), 2080u);
}

TEST(XLSMini, SheetNamesAreUniqueWithoutRegardToCase) {
    TXLSMini xls;
    std::vector<std::u16string> notices;
    xls.OnNotify = [&](std::u16string_view t) { notices.emplace_back(t); };
    TSheet& first = xls.Sheets().Items(0);
    TSheet& second = xls.Sheets().Add();
    EXPECT_EQ(second.Name(), u"Sheet2");
    EXPECT_TRUE(first.SetName(u"SHEET1"));
    EXPECT_EQ(first.Name(), u"Sheet1");  // a change of case alone is not applied
    EXPECT_FALSE(second.SetName(u"sheet1"));
    EXPECT_EQ(second.Name(), u"Sheet2");
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0], u"Sheet name \"sheet1\" allready exists");
    EXPECT_TRUE(first.SetName(u"Zażółć"));
    EXPECT_FALSE(second.SetName(u"ZAŻÓŁĆ"));  // Polish letters equal across case
    for (const char16_t* bad : {u"", u"a/b", u"a[1]", u"x:y", u"*", u"?", u"a\\b"}) EXPECT_FALSE(second.SetName(bad));
    EXPECT_FALSE(second.SetName(std::u16string(32, u'x')));
    EXPECT_TRUE(second.SetName(std::u16string(31, u'x')));
    EXPECT_FALSE(second.SetNameAsRead(std::u16string(256, u'x')));
    EXPECT_TRUE(second.SetNameAsRead(std::u16string(255, u'x')));
    EXPECT_EQ(xls.Sheets().SheetByName(u"zażółć"), &first);
    int index = 0, count = 0;
    xls.SheetIndexByName(u"XXX", index, count);
    EXPECT_EQ(index, -1);
    xls.SheetIndexByName(std::u16string(255, u'X'), index, count);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(count, 2);
    std::u16string text = u"unchanged";
    xls.SheetTextByIndex(0, 0, 0, 0, text);
    EXPECT_EQ(text, u"Zażółć");
    xls.SheetTextByIndex(2, 0, 0, 0, text);
    EXPECT_EQ(text, u"Zażółć");
}

TEST(XLSMini, ClearContinuesTheSheetNumbers) {
    TXLSMini xls;
    xls.Sheets().Add();
    xls.Sheets().Items(0).SetAsString(1, 1, u"x");
    xls.Clear();
    ASSERT_EQ(xls.Sheets().Count(), 1);
    EXPECT_EQ(xls.Sheets().Items(0).Name(), u"Sheet3");
    EXPECT_EQ(xls.Sheets().Add().Name(), u"Sheet4");
    EXPECT_EQ(xls.Sheets().Items(0).CellType(1, 1), ctNone);
    EXPECT_EQ(xls.Sheets().SST().Count(), 0u);
    EXPECT_THROW(xls.Sheets().Items(2), EXLSError);
    EXPECT_THROW(xls.Sheets().Items(-1), EXLSError);
}

TEST(XLSMini, AccessorsByCellKind) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    s.AddBoolean(0, 0, 2, 15);
    s.AddError(1, 0, 0, 15);
    s.AddError(2, 0, ErrorCodeToIndex(0x07), 15);
    s.SetAsString(3, 0, u"12");
    s.AddBooleanFormula(4, 0, 1, 15, tokens, 3);
    s.AddNumberFormula(5, 0, 2.5, 15, tokens, 3);
    s.AddStringFormula(6, 0, u"wynik", 15, tokens, 3);
    s.AddErrorFormula(7, 0, 0x2A, 15, tokens, 3);
    s.AddBlank(8, 0, 15);
    s.AddArrayFormula(9, 0, 4.0, 15, tokens, 3, tokens, 1);

    EXPECT_EQ(s.AsString(0, 0), u"TRUE");
    EXPECT_TRUE(s.AsBoolean(0, 0));
    EXPECT_EQ(s.AsString(1, 0), u"[int] No error value");
    EXPECT_EQ(s.AsString(2, 0), u"#DIV/0!");
    EXPECT_EQ(s.AsFloat(3, 0), 0.0);
    EXPECT_EQ(s.AsString(4, 0), u"TRUE");
    EXPECT_EQ(s.AsString(5, 0), u"2.5");
    EXPECT_EQ(s.AsFloat(5, 0), 2.5);
    EXPECT_EQ(s.AsString(6, 0), u"wynik");
    EXPECT_EQ(s.AsString(7, 0), u"#N/A");
    EXPECT_EQ(s.AsString(8, 0), u"");
    EXPECT_EQ(s.AsString(9, 0), u"");
    EXPECT_EQ(s.CellType(9, 0), ctArrayFormula);
    EXPECT_EQ(s.CellType(6, 0), ctStringFormula);

    struct Bad {
        int col;
        bool boolean;
    };
    for (Bad b : {Bad{4, true}, Bad{3, true}, Bad{10, true}, Bad{0, false}, Bad{3, false}, Bad{10, false}}) {
        try {
            if (b.boolean) s.AsBoolean(b.col, 0);
            else s.AsFormula(b.col, 0);
            ADD_FAILURE() << "column " << b.col;
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Usage);
            EXPECT_EQ(e.message(), "Cell is missing/is of wrong type");
        }
    }
    EXPECT_EQ(s.AsFormula(5, 0), u"1");
    xls.ShowFormulas = true;
    EXPECT_EQ(s.AsString(5, 0), u"1");
    EXPECT_EQ(s.AsString(6, 0), u"1");
    EXPECT_EQ(s.AsString(3, 0), u"12");
    xls.ShowFormulas = false;
    xls.SetStrTRUE(u"PRAWDA");
    EXPECT_EQ(s.AsString(0, 0), u"PRAWDA");
}

TEST(XLSMini, NumbersAsTextWithEitherSeparator) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    struct Case {
        double value;
        const char16_t* dot;
        const char16_t* comma;
    };
    const Case cases[] = {
        {0.1, u"0.1", u"0,1"},
        {1E-6, u"1E-6", u"1E-6"},
        {1E16, u"1E16", u"1E16"},
        {123456789012345678.0, u"1.23456789012346E17", u"1,23456789012346E17"},
        {-1234.5, u"-1234.5", u"-1234,5"},
    };
    for (const Case& c : cases) {
        s.AddFloat(0, 0, c.value, 15);
        xls.FormulaSettings().DecimalSeparator = u'.';
        EXPECT_EQ(s.AsString(0, 0), c.dot);
        xls.FormulaSettings().DecimalSeparator = u',';
        EXPECT_EQ(s.AsString(0, 0), c.comma);
    }
}

TEST(XLSMini, SetAsStringKeepsAFormatAndGives15ToNewCells) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    s.AddFloat(2, 3, 7.0, 20);
    s.SetAsString(2, 3, u"tekst");
    s.SetAsString(4, 4, u"inny");
    EXPECT_EQ(s.Cell(2, 3)->FormatIndex, 20);
    EXPECT_EQ(s.Cell(4, 4)->FormatIndex, 15);
    EXPECT_EQ(s.AsString(2, 3), u"tekst");
}

TEST(XLSMini, PositionsOutsideTheSheetAreUsageErrors) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    for (auto [col, row] : {std::pair{256, 0}, std::pair{300, 1}, std::pair{0, 65536}, std::pair{-1, 0}}) {
        try {
            s.SetAsString(col, row, u"x");
            ADD_FAILURE() << col << "," << row;
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Usage);
        }
        EXPECT_THROW(s.CellType(col, row), EXLSError);
    }
    EXPECT_EQ(s.CellType(44, 1), ctNone);  // nothing written onto another column
    s.SetAsString(255, 65535, u"corner");
    EXPECT_EQ(s.AsString(255, 65535), u"corner");
}

TEST(XLSMini, NewFormulaCellByCode) {
    for (TCellType code : {ctNumberFormula, ctStringFormula, ctBooleanFormula, ctErrorFormula}) {
        auto cell = TSheet::NewFormulaCell(code, tokens, 3, CellKey(1, 2), 17);
        EXPECT_EQ(cell->CellType(), code);
        EXPECT_EQ(cell->Tokens.size(), 3u);
        EXPECT_EQ(cell->FormatIndex, 17);
    }
    for (TCellType code : {ctFloat, ctArrayFormula, TCellType{13}}) {
        try {
            TSheet::NewFormulaCell(code, tokens, 3, 0, 0);
            ADD_FAILURE();
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.message(), "Invalid Formula cell type");
        }
    }
}

TEST(XLSMini, FindTextGoesOnAfterEachMatchAndStartsAgain) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    s.SetAsString(0, 0, u"aaa");
    for (int pos = 1; pos <= 3; ++pos) {
        ASSERT_TRUE(xls.FindText(u"a", false)) << pos;
        EXPECT_EQ(s.FindPos(), pos);
    }
    EXPECT_FALSE(xls.FindText(u"a", false));
    EXPECT_TRUE(xls.FindText(u"a", false));  // a full pass without a match starts again
    EXPECT_EQ(s.FindPos(), 1);

    TSheet& other = xls.Sheets().Add();
    other.SetAsString(5, 2, u"Zażółć gęślą");
    s.SetAsString(200, 7, u"nic");
    xls.ResetFind();
    EXPECT_TRUE(xls.FindText(u"GĘŚLĄ", true));
    EXPECT_EQ(xls.FindSheet(), 1);
    EXPECT_EQ(other.FindRow(), 2);
    EXPECT_EQ(other.FindCol(), 5);
    EXPECT_EQ(other.FindPos(), 8);
    EXPECT_FALSE(xls.FindText(u"GĘŚLĄ", true));
    xls.ResetFind();
    EXPECT_FALSE(xls.FindText(u"GĘŚLĄ", false));
    EXPECT_TRUE(xls.FindText(u"ni", false));
    EXPECT_EQ(s.FindCol(), 200);
    EXPECT_EQ(s.FindRow(), 7);
}

TEST(XLSMini, CalcDimensionsStoresLimitsOfUsedSheets) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    s.CalcDimensions();
    EXPECT_EQ(s.LastCol(), 0);
    EXPECT_EQ(fieldU16(s.Records().Dimensions(), 10), 0);
    s.SetAsString(0, 0, u"A1");
    s.CalcDimensions();
    const TRawRecord& d = s.Records().Dimensions();
    EXPECT_EQ(fieldU16(d, 4), 1);   // row limit
    EXPECT_EQ(fieldU16(d, 10), 1);  // column limit
    EXPECT_EQ(s.LastCol(), 0);
    EXPECT_EQ(s.LastRow(), 0);
    s.AddFloat(7, 300, 1.0, 15);
    s.AddFloat(3, 2, 1.0, 15);
    s.CalcDimensions();
    EXPECT_EQ(s.FirstCol(), 0);
    EXPECT_EQ(s.LastCol(), 7);
    EXPECT_EQ(s.LastRow(), 300);
    s.AddFloat(255, 65535, 1.0, 15);
    s.CalcDimensions();
    EXPECT_EQ(s.LastRow(), 65535);
    EXPECT_EQ(s.LastCol(), 255);
}

TEST(XLSMini, ProgressStaysWithinBoundsAndNeverGoesBack) {
    TXLSMini xls;
    std::vector<int> seen;
    xls.OnProgress = [&](int p) { seen.push_back(p); };
    xls.BeginProgress(3);
    for (int i = 0; i < 5; ++i) xls.StepProgress();
    xls.ReportProgress(40);
    xls.ReportProgress(-5);
    xls.EndProgress();
    EXPECT_EQ(seen, (std::vector<int>{0, 33, 67, 100}));
}

TEST(XLSMini, OptionsDialogGoesToEverySheet) {
    TXLSMini xls;
    xls.Sheets().Add();
    xls.OptionsDialog().CalcMode = cmManual;
    xls.OptionsDialog().CalcCount = 7;
    xls.StoreOptionsDialog();
    EXPECT_EQ(xls.Sheets().Items(1).Records().CalcMode(), 0);
    EXPECT_EQ(xls.Sheets().Items(1).Records().CalcCount(), 7);
    xls.OptionsDialog().CalcMode = cmAutomatic;
    xls.LoadOptionsDialog();
    EXPECT_EQ(xls.OptionsDialog().CalcMode, cmManual);
}

}  // namespace
}  // namespace vesk
