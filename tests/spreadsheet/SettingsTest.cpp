#include "SheetSettings.h"
#include "WorkbookSettings.h"

#include <gtest/gtest.h>

#include "BIFFRecsMini.h"
#include "XLSBytes.h"

namespace vesk {
namespace {

std::uint16_t word(const TRawRecord& r, std::size_t offset)
{
    return TRecordBody(r.Data, r.Id).u16(offset);
}

// The record of that id in the list the writer walks.
const TRawRecord* inList(const TBaseRecordStorage& list, std::uint16_t id)
{
    for (std::size_t i = 0; i < list.Count(); ++i)
        if (list.Items(i) && list.Items(i)->Id == id)
            return list.Items(i);
    return nullptr;
}

TEST(SheetSettings, WindowOptions)
{
    TRecordStorageSheet records;
    EXPECT_EQ(SheetOptions(records), (TSheetOptions{soGridlines, soRowColHeadings, soShowZeros}));
    struct Case {
        TSheetOptions set;
        std::uint16_t word;
    };
    const Case cases[] = {
        {{soGridlines}, 0x04A2},
        {{}, 0x04A0},
        {{soProtected, soR1C1Mode, soIteration}, 0x04A0},  // not kept in WINDOW2
        {{soShowFormulas, soGridlines, soRowColHeadings, soFrozenPanes, soShowZeros}, 0x04BF},
    };
    for (const Case& c : cases) {
        SetSheetOptions(records, c.set);
        EXPECT_EQ(word(records.Window2(), 0), c.word);
    }
    EXPECT_EQ(SheetOptions(records),
              (TSheetOptions{soShowFormulas, soGridlines, soRowColHeadings, soFrozenPanes, soShowZeros}));
}

TEST(SheetSettings, WorkspaceOptionsAndDefaults)
{
    TRecordStorageSheet records;
    EXPECT_EQ(WorkspaceOptions(records),
              (TWorkspaceOptions{woShowAutoBreaks, woRowSumsBelow, woColSumsRight, woOutlineSymbols}));
    SetWorkspaceOptions(records, {woFitToPage, woApplyStyles});
    EXPECT_EQ(records.WsBool(), 0x0120);
    SetWorkspaceOptions(records, {woOutlineSymbols});
    EXPECT_EQ(records.WsBool(), 0x0400);
    records.SetWsBool(0x0811);  // dialog and column-outline bits are no options
    SetWorkspaceOptions(records, {woFitToPage});
    EXPECT_EQ(records.WsBool(), 0x0910);
    EXPECT_EQ(WorkspaceOptions(records), TWorkspaceOptions{woFitToPage});

    EXPECT_EQ(DefaultRowHeight(records), 255);
    SetDefaultRowHeight(records, 300);
    EXPECT_EQ(word(records.DefaultRowHeight(), 0), 0);
    EXPECT_EQ(word(records.DefaultRowHeight(), 2), 300);
    EXPECT_EQ(DefaultColWidth(records), 8);
    SetDefaultColWidth(records, 12);
    EXPECT_EQ(records.DefColWidth(), 12);
}

TEST(PrintSettings, NewSheet)
{
    TRecordStorageSheet records;
    TPrintSettings ps(records, psA4);
    EXPECT_EQ(ps.MarginLeft, -1.0);
    EXPECT_EQ(ps.MarginBottom, -1.0);
    EXPECT_EQ(ps.StartingPage(), 1);
    EXPECT_EQ(ps.PaperSize(), psA4);
    EXPECT_EQ(ps.Options(), TPrintSetupOptions{psoPortrait});
    EXPECT_EQ(word(records.Setup(), 10), 0x0002);  // the setter starts from 0
    EXPECT_EQ(ps.ScalingFactor(), 100);
    EXPECT_EQ(ps.HeaderMargin(), 0.5);
    EXPECT_TRUE(ps.HorizPagebreaks.empty());
}

TEST(PrintSettings, MarginsInCentimetres)
{
    TRecordStorageSheet records;
    TPrintSettings ps(records, psA4);
    ps.SetMarginLeftCm(2.54);
    EXPECT_DOUBLE_EQ(ps.MarginLeft, 1.0);
    ps.MarginTop = 2.0;
    EXPECT_DOUBLE_EQ(ps.MarginTopCm(), 5.08);
    ps.SetMarginRightCm(5.08);
    ps.SetMarginBottomCm(1.27);
    EXPECT_DOUBLE_EQ(ps.MarginRight, 2.0);
    EXPECT_DOUBLE_EQ(ps.MarginBottom, 0.5);
}

TEST(PrintSettings, SetupFields)
{
    TRecordStorageSheet records;
    TPrintSettings ps(records, psA4);
    records.Setup().Data[0] = 0x09;
    records.Setup().Data[1] = 0x12;  // a high byte the property does not show
    EXPECT_EQ(ps.PaperSize(), psA4);
    ps.SetPaperSize(psA3);
    EXPECT_EQ(word(records.Setup(), 0), 8);
    ps.SetCopies(3);
    ps.SetScalingFactor(75);
    ps.SetStartingPage(4);
    ps.SetResolution(600);
    ps.SetHeaderMargin(0.25);
    ps.SetFooterMargin(0.75);
    EXPECT_EQ(word(records.Setup(), 32), 3);
    EXPECT_EQ(word(records.Setup(), 2), 75);
    EXPECT_EQ(word(records.Setup(), 4), 4);
    EXPECT_EQ(word(records.Setup(), 12), 600);
    EXPECT_EQ(TRecordBody(records.Setup().Data, BIFFID_SETUP).f64(16), 0.25);
    EXPECT_EQ(ps.FooterMargin(), 0.75);
    EXPECT_EQ(ps.Copies(), 3);
    EXPECT_EQ(ps.Resolution(), 600);
}

TEST(PrintSettings, OptionsSpreadOverFiveRecords)
{
    TRecordStorageSheet records;
    TPrintSettings ps(records, psA4);
    struct Case {
        TPrintSetupOptions set;
        std::uint16_t setupWord;
        bool headers, gridlines, hcenter, vcenter;
    };
    const Case cases[] = {
        {{psoLeftToRight, psoNoColor, psoGridlines, psoVertCenter}, 0x0009, false, true, false, true},
        {{psoDraftQuality, psoNotes, psoRowColHeading, psoHorizCenter}, 0x0030, true, false, true, false},
        {{}, 0x0000, false, false, false, false},
    };
    for (const Case& c : cases) {
        ps.SetOptions(c.set);
        EXPECT_EQ(word(records.Setup(), 10), c.setupWord);
        EXPECT_EQ(records.PrintHeaders(), c.headers);
        EXPECT_EQ(records.PrintGridlines(), c.gridlines);
        EXPECT_EQ(records.HCenter(), c.hcenter);
        EXPECT_EQ(records.VCenter(), c.vcenter);
        EXPECT_EQ(ps.Options(), c.set);
    }
}

TEST(PrintSettings, ResetKeepsHeaderAndFooter)
{
    TRecordStorageSheet records;
    TPrintSettings ps(records, psLetter);
    ps.Header = u"Wskaźniki";
    ps.Footer = u"&P";
    ps.MarginLeft = 1.5;
    ps.SetStartingPage(7);
    ps.SetPaperSize(psA5);
    ps.SetOptions({psoGridlines});
    THorizPagebreak& h = ps.AddHorizPagebreak();
    EXPECT_EQ(h.Col2, 255);
    TVertPagebreak& v = ps.AddVertPagebreak();
    EXPECT_EQ(v.Row2, 65535);
    ps.Reset();
    EXPECT_EQ(ps.Header, u"Wskaźniki");
    EXPECT_EQ(ps.Footer, u"&P");
    EXPECT_EQ(ps.MarginLeft, -1.0);
    EXPECT_EQ(ps.StartingPage(), 1);
    EXPECT_EQ(ps.PaperSize(), psLetter);
    EXPECT_EQ(ps.Options(), TPrintSetupOptions{psoPortrait});
    EXPECT_TRUE(ps.HorizPagebreaks.empty());
    EXPECT_TRUE(ps.VertPagebreaks.empty());
}

TEST(PrintSettings, SetterAfterUseDefaultsChangesTheWrittenBlock)
{
    TRecordStorageSheet records;
    TPrintSettings ps(records, psA4);
    TSelection sel(records);
    records.UseDefaults();
    ps.SetCopies(3);
    ps.SetOptions({psoGridlines});
    sel.SetActiveRow(42);
    const TRawRecord* setup = inList(records, BIFFID_SETUP);
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(word(*setup, 32), 3);
    EXPECT_EQ(word(*setup, 0), 9);  // set before UseDefaults: copied along
    const TRawRecord* grid = inList(records, BIFFID_PRINTGRIDLINES);
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(word(*grid, 0), 1);
    const TRawRecord* selection = inList(records, BIFFID_SELECTION);
    ASSERT_NE(selection, nullptr);
    EXPECT_EQ(word(*selection, 1), 42);
}

TEST(Selection, FieldsAndReset)
{
    TRecordStorageSheet records;
    TSelection sel(records);
    EXPECT_EQ(sel.ActiveRow(), 1);
    EXPECT_EQ(sel.ActiveCol(), 1);
    EXPECT_EQ(sel.Row1(), 1);
    EXPECT_EQ(sel.Col2(), 1);
    sel.SetActiveRow(10);
    sel.SetActiveCol(3);
    sel.SetRow1(10);
    sel.SetRow2(20);
    sel.SetCol1(3);
    sel.SetCol2(250);
    const std::vector<std::uint8_t> expected = {3, 10, 0, 3, 0, 0, 0, 1, 0, 10, 0, 20, 0, 3, 250};
    EXPECT_EQ(records.Selection().Data, expected);
    sel.Reset();
    EXPECT_EQ(records.Selection().Data,
              (std::vector<std::uint8_t>{3, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(WorkbookData, Window1Fields)
{
    TRecordStorageGlobals globals;
    TWorkbookData wb(globals);
    EXPECT_EQ(wb.Left(), 100);
    EXPECT_EQ(wb.Top(), 100);
    EXPECT_EQ(wb.Width(), 10000);
    EXPECT_EQ(wb.Height(), 7000);
    EXPECT_EQ(wb.SelectedTab(), 0);
    EXPECT_EQ(wb.Options(), (TWorkbookOptions{woHScroll, woVScroll, woTabs}));
    wb.SetOptions({woHidden});
    EXPECT_EQ(word(globals.Window1(), 8), 0x0001);
    wb.SetOptions({woIconized, woTabs});
    EXPECT_EQ(word(globals.Window1(), 8), 0x0022);
    wb.SetLeft(1);
    wb.SetTop(2);
    wb.SetWidth(3);
    wb.SetHeight(4);
    wb.SetSelectedTab(5);
    EXPECT_EQ(globals.Window1().Data,
              (std::vector<std::uint8_t>{1, 0, 2, 0, 3, 0, 4, 0, 0x22, 0, 5, 0, 0, 0, 1, 0, 0x58, 2}));
}

TEST(OptionsDialog, RecordsAndCalculationFields)
{
    TRecordStorageGlobals globals;
    TOptionsDialog od(globals);
    EXPECT_TRUE(od.PrecisionAsDisplayed());  // PRECISION 1 in the defaults
    EXPECT_FALSE(od.SaveExtLinkVal());
    EXPECT_EQ(od.ShowObjects(), soShowAll);
    od.SetShowObjects(soHideAll);
    EXPECT_EQ(globals.HideObj(), 2);
    od.SetSaveExtLinkVal(true);
    EXPECT_TRUE(globals.BookBool());
    od.SetPrecisionAsDisplayed(false);
    EXPECT_FALSE(globals.Precision());

    TRecordStorageSheet sheet;
    od.CalcMode = cmManual;
    od.LoadFrom(sheet);
    EXPECT_EQ(od.CalcMode, cmAutomatic);
    EXPECT_EQ(od.CalcCount, 100);
    EXPECT_EQ(od.Delta, 0.001);
    EXPECT_FALSE(od.R1C1Mode);
    EXPECT_FALSE(od.Iteration);
    EXPECT_TRUE(od.SaveRecalc);

    sheet.SetCalcMode(5);  // unknown: the mode stays
    od.CalcMode = cmAutoExTables;
    od.LoadFrom(sheet);
    EXPECT_EQ(od.CalcMode, cmAutoExTables);

    od.CalcMode = cmManual;
    od.CalcCount = 7;
    od.R1C1Mode = true;
    od.Iteration = true;
    od.SaveRecalc = false;
    od.Delta = 0.5;
    od.StoreTo(sheet);
    EXPECT_EQ(sheet.CalcMode(), 0);
    EXPECT_EQ(sheet.CalcCount(), 7);
    EXPECT_EQ(sheet.RefMode(), 0);
    EXPECT_TRUE(sheet.Iteration());
    EXPECT_FALSE(sheet.SaveRecalc());
    EXPECT_EQ(sheet.Delta(), 0.001);  // not written
    od.CalcMode = cmAutoExTables;
    od.StoreTo(sheet);
    EXPECT_EQ(sheet.CalcMode(), 0xFFFF);
}

TEST(SheetCharts, NewChartIsNamedChart)
{
    TSheetCharts charts;
    TSheetChart& c = charts.Add();
    EXPECT_EQ(c.Name, u"Chart");
    c.SheetIndex = 2;
    EXPECT_EQ(charts.Count(), 1u);
    EXPECT_EQ(charts.Items(0).SheetIndex, 2);
    charts.Clear();
    EXPECT_EQ(charts.Count(), 0u);
}

}  // namespace
}  // namespace vesk
