// The BIFF reader: workbooks assembled record by record (BIFF2 to BIFF8),
// other programs' files compared with xlrd, and malformed input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "CodePage.h"
#include "EXLSError.h"
#include "FileSystem.h"
#include "RecordFields.h"
#include "TempDir.h"
#include "XLSBuilder.h"
#include "XLSMini.h"
#include "XLSOracle.h"
#include "XLSUtilsMini.h"

namespace vesk {
namespace {

using test::B;
using test::Rec;
using test::SheetSpec;

std::string fixture(const std::string& name) { return std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name; }

// The cells of a workbook as xlrd would list them: sheet, row, column,
// kind (1 text, 2 number, 4 boolean, 5 error) and value; blanks left out.
std::set<std::string> ourCells(TXLSMini& xls) {
    std::set<std::string> out;
    for (int si = 0; si < xls.Sheets().Count(); ++si) {
        TSheet& s = xls.Sheets().Items(si);
        s.Cells().BeginIterate();
        while (TCell* cell = s.Cells().Next()) {
            const int col = static_cast<int>(cell->Key & 255), row = static_cast<int>(cell->Key >> 8);
            char head[64];
            std::string value;
            int kind = 0;
            TCellType type = cell->CellType() & 127;
            const auto* array = type == ctArrayFormula ? static_cast<TArrayFormulaCell*>(cell) : nullptr;
            if (array && array->ResultKind() != ctNumberFormula) type = array->ResultKind();
            switch (type) {
                case ctString: case ctStringFormula: {
                    kind = 1;
                    value = utf16ToUtf8(array ? array->Text : s.AsString(col, row));
                    std::string escaped;
                    for (char c : value) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
                    value = escaped;
                    break;
                }
                case ctFloat: case ctNumberFormula: case ctArrayFormula: {
                    kind = 2;
                    double v = (cell->CellType() & 127) == ctArrayFormula ? static_cast<TArrayFormulaCell*>(cell)->Value
                                                                         : s.AsFloat(col, row);
                    std::snprintf(head, sizeof head, "%.17g", v);
                    value = head;
                    break;
                }
                case ctBoolean: kind = 4; value = std::to_string(static_cast<TBooleanCell*>(cell)->Value); break;
                case ctBooleanFormula:
                    kind = 4;
                    value = std::to_string(array ? array->ResultByte() : static_cast<TBooleanFormulaCell*>(cell)->Value);
                    break;
                case ctError:
                    kind = 5;
                    value = std::to_string(ErrorIndexToCode(static_cast<TErrorCell*>(cell)->ErrorIndex));
                    break;
                case ctErrorFormula:
                    kind = 5;
                    value = std::to_string(array ? array->ResultByte()
                                                 : ErrorIndexToCode(static_cast<TErrorFormulaCell*>(cell)->ErrorIndex));
                    break;
                default: continue;
            }
            std::snprintf(head, sizeof head, "%d\t%d\t%d\t%d\t", si, row, col, kind);
            out.insert(head + value);
        }
    }
    return out;
}

const char* const XlrdCells =
    "import sys, xlrd\n"
    "b = xlrd.open_workbook(sys.argv[1], logfile=open(\"/dev/null\", \"w\"))\n"
    "out = []\n"
    "for si, s in enumerate(b.sheets()):\n"
    "    out.append(\"S\\t%d\\t%s\\t%d\" % (si, s.name, s.visibility))\n"
    "    for r in range(s.nrows):\n"
    "        for c in range(s.ncols):\n"
    "            cell = s.cell(r, c)\n"
    "            t = cell.ctype\n"
    "            if t in (0, 6): continue\n"
    "            if t == 3: t = 2\n"
    "            if t == 1: v = cell.value.replace(\"\\n\", \"\\\\n\")\n"
    "            elif t == 2: v = \"%.17g\" % cell.value\n"
    "            else: v = \"%d\" % cell.value\n"
    "            out.append(\"%d\\t%d\\t%d\\t%d\\t%s\" % (si, r, c, t, v))\n"
    "sys.stdout.buffer.write(\"\\n\".join(out).encode(\"utf-8\"))\n";

// xlrd's cells and sheets (lines "S", index, name, visibility) of a file.
bool xlrdCells(const std::string& path, std::set<std::string>& cells, std::vector<std::string>& sheets) {
    int status = 0;
    const std::string text = test::runPython(XlrdCells, path, status);
    if (status != 0) {
        ADD_FAILURE() << "xlrd failed: " << text;
        return false;
    }
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("S\t", 0) == 0) sheets.push_back(line.substr(2));
        else cells.insert(line);
    }
    return true;
}

std::vector<std::string> ourSheets(TXLSMini& xls) {
    std::vector<std::string> out;
    for (int i = 0; i < xls.Sheets().Count(); ++i) {
        TSheet& s = xls.Sheets().Items(i);
        out.push_back(std::to_string(i) + "\t" + utf16ToUtf8(s.Name()) + "\t" + std::to_string(s.Hidden));
    }
    return out;
}

void read(TXLSMini& xls, const std::vector<std::uint8_t>& bytes) { xls.ReadStream(&bytes); }

// ------------------------------------------------------------ BIFF8

std::vector<Rec> formulaCells() {
    const B tokens = B().u8(0x1E).u16(3);  // ptgInt 3
    auto formula = [&](unsigned col, std::vector<std::uint8_t> result, unsigned flags = 0) {
        B body;
        body.u16(2).u16(col).u16(15);
        for (std::uint8_t b : result) body.u8(b);
        body.u16(flags).u32(0).u16(3).u8(0x1E).u16(3);
        return Rec{BIFFID_FORMULA, body};
    };
    auto special = [](unsigned type, unsigned value) {
        return B().u8(type).u8(0).u8(value).u8(0).u8(0).u8(0).u8(0xFF).u8(0xFF).v();
    };
    return {
        formula(0, B().f64(3.0)),
        formula(1, special(0, 0)),
        {BIFFID_STRING, B().str16(u"wynik ąę")},
        formula(2, special(1, 1)),
        formula(3, special(2, 0x07)),
    };
}

std::vector<std::uint8_t> biff8Book() {
    std::vector<Rec> first = {
        {BIFFID_DIMENSIONS, B().u32(0).u32(3).u16(0).u16(6).u16(0)},
        {BIFFID_LABELSST, B().u16(0).u16(0).u16(15).u32(1)},
        {BIFFID_NUMBER, B().u16(0).u16(1).u16(15).f64(-2.5)},
        {BIFFID_RK, B().u16(0).u16(2).u16(15).u32((100u << 2) | 2)},
        {BIFFID_MULRK, B().u16(1).u16(1).u16(16).u32((7u << 2) | 2).u16(17).u32((8u << 2) | 3).u16(18)
                           .u32((9u << 2) | 2).u16(3)},
        {BIFFID_MULBLANK, B().u16(1).u16(4).u16(15).u16(15).u16(5)},
        {BIFFID_BOOLERR, B().u16(1).u16(0).u16(15).u8(1).u8(0)},
        {BIFFID_BOOLERR, B().u16(1).u16(5).u16(15).u8(0x2A).u8(1)},
    };
    for (Rec& r : formulaCells()) first.push_back(r);
    first.push_back({BIFFID_WINDOW2, B().u16(0x06B6).u16(0).u16(0).u16(64).u16(0).u16(0).u16(0).u32(0)});
    std::vector<Rec> chart = {{0x1001, B().u16(1)}, {BIFFID_CHART_BEGIN, {}}, {0x1002, B().u32(0)},
                              {BIFFID_CHART_END, {}}};
    std::vector<Rec> third = {{BIFFID_LABEL, B().u16(4).u16(3).u16(15).str16(u"Zażółć")}};
    std::vector<Rec> globals = {{BIFFID_CODEPAGE, B().u16(1200)}};
    for (int i = 0; i < 19; ++i) globals.push_back({BIFFID_XF, B().zeros(20)});
    // Records after the last sheet are never read.
    std::vector<Rec> trailing = {{0x8000, B().u16(0)}};
    return test::compound(test::bookStream(true, globals,
                                           {SheetSpec{u"Pierwszy", 0, 0, first}, SheetSpec{u"Wykres", 0, 2, chart},
                                            SheetSpec{u"Ukryty", 1, 0, third}},
                                           {test::sstRecord({u"alfa", u"gęślą jaźń"})}, trailing));
}

TEST(XLSReader, Biff8SheetsChartAndCells) {
    TXLSMini xls;
    std::vector<int> progress;
    xls.OnProgress = [&](int p) { progress.push_back(p); };
    const std::vector<std::uint8_t> bytes = biff8Book();
    read(xls, bytes);
    EXPECT_EQ(xls.Version(), xvExcel97);
    ASSERT_EQ(xls.Sheets().Count(), 2);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.Name(), u"Pierwszy");
    EXPECT_EQ(xls.Sheets().Items(1).Name(), u"Ukryty");
    EXPECT_EQ(xls.Sheets().Items(1).Hidden, hsHidden);
    ASSERT_EQ(xls.Charts().Count(), 1u);
    EXPECT_EQ(xls.Charts().Items(0).Name, u"Wykres");
    EXPECT_EQ(xls.Charts().Items(0).SheetIndex, 1);
    EXPECT_GE(xls.Charts().Items(0).Records.Children().size(), 5u);

    EXPECT_EQ(s.AsString(0, 0), u"gęślą jaźń");
    EXPECT_EQ(s.AsFloat(1, 0), -2.5);
    EXPECT_EQ(s.AsFloat(2, 0), 100.0);
    EXPECT_EQ(s.AsFloat(1, 1), 7.0);
    EXPECT_EQ(s.AsFloat(2, 1), 0.08);
    EXPECT_EQ(s.AsFloat(3, 1), 9.0);
    EXPECT_EQ(s.Cell(1, 1)->FormatIndex, 16);
    EXPECT_EQ(s.Cell(3, 1)->FormatIndex, 18);
    EXPECT_TRUE(s.AsBoolean(0, 1));
    EXPECT_EQ(s.AsString(5, 1), u"#N/A");
    EXPECT_EQ(s.CellType(4, 1), ctBlank);
    EXPECT_EQ(s.CellType(5, 1), ctError);  // BOOLERR over a MULBLANK cell
    EXPECT_EQ(s.AsFloat(0, 2), 3.0);
    EXPECT_EQ(s.CellType(1, 2), ctStringFormula);
    EXPECT_EQ(s.AsString(1, 2), u"wynik ąę");
    EXPECT_EQ(s.CellType(2, 2), ctBooleanFormula);
    EXPECT_EQ(s.AsString(2, 2), u"TRUE");
    EXPECT_EQ(s.AsString(3, 2), u"#DIV/0!");
    EXPECT_EQ(static_cast<TFormulaCell*>(s.Cell(0, 2))->Tokens, (std::vector<std::uint8_t>{0x1E, 3, 0}));
    EXPECT_EQ(xls.Sheets().Items(1).AsString(3, 4), u"Zażółć");

    EXPECT_EQ(s.FirstRow(), 0);
    EXPECT_EQ(s.LastRow(), 2);
    EXPECT_EQ(s.LastCol(), 5);
    EXPECT_TRUE(s.RecordsLoaded);
    EXPECT_FALSE(xls.DefaultFormats);
    EXPECT_EQ(xls.XFDateTime, 19);
    EXPECT_EQ(xls.XFDate, 20);
    EXPECT_EQ(xls.XFTime, 21);
    EXPECT_EQ(xls.Sheets().SST().FileOrderCount(), 0u);  // emptied after the read

    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.front(), 0);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));

    // After the read every cell is found.
    EXPECT_TRUE(xls.FindText(u"JAŹŃ", true));
    EXPECT_EQ(s.FindPos(), 7);
    EXPECT_TRUE(xls.FindText(u"Zażółć", false));
    EXPECT_EQ(xls.FindSheet(), 1);
}

TEST(XLSReader, Biff8CellsEqualXlrds) {
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "python3-xlrd missing";
    test::TempDir dir;
    const std::string path = dir.file("assembled.xls");
    const std::vector<std::uint8_t> bytes = biff8Book();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
    std::set<std::string> expected;
    std::vector<std::string> sheets;
    ASSERT_TRUE(xlrdCells(path, expected, sheets));
    TXLSMini xls;
    xls.Filename = path;
    xls.Read();
    EXPECT_EQ(ourCells(xls), expected);
}

TEST(XLSReader, AStringFormulaWithoutItsStringKeepsAnEmptyText) {
    const auto bytes = test::compound(test::bookStream(
        true, {}, {SheetSpec{u"A", 0, 0, {{BIFFID_FORMULA, B().u16(2).u16(4).u16(15).u8(0).zeros(5).u16(0xFFFF)
                                                                .u16(0).u32(0).u16(3).u8(0x1E).u16(3)},
                                           {BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1.0)}}}}));
    TXLSMini xls;
    read(xls, bytes);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.CellType(4, 2), ctStringFormula);
    EXPECT_EQ(s.AsString(4, 2), u"");
    EXPECT_EQ(s.AsFloat(0, 0), 1.0);
}

TEST(XLSReader, SharedArrayAndNamedFormulasDecode) {
    auto exp = [](unsigned row) {  // ptgExp to the range's first cell
        return Rec{BIFFID_FORMULA, B().u16(row).u16(1).u16(15).f64(row + 1.0).u16(0x0008).u32(0).u16(5).u8(0x01)
                                       .u16(0).u16(1)};
    };
    std::vector<Rec> sheet = {
        exp(0),
        // =A<row>+1 shared over B1:B3: RefN to the cell on the left, ptgInt 1, ptgAdd
        {BIFFID_SHRFMLA, B().u16(0).u16(2).u8(1).u8(1).u16(0).u16(9).u8(0x2C).u16(0).u16(0xC0FF).u8(0x1E).u16(1)
                             .u8(0x03)},
        exp(1),
        exp(2),
        // An array formula and its ARRAY record.
        {BIFFID_FORMULA, B().u16(5).u16(0).u16(15).f64(4.0).u16(0).u32(0).u16(5).u8(0x01).u16(5).u16(0)},
        {BIFFID_ARRAY, B().u16(5).u16(6).u8(0).u8(0).u16(0).u32(0).u16(3).u8(0x1E).u16(4)},
        // A formula naming a defined name.
        {BIFFID_FORMULA, B().u16(7).u16(0).u16(15).f64(5.0).u16(0).u32(0).u16(5).u8(0x23).u16(1).u16(0)},
    };
    const Rec name = {BIFFID_NAME, B().u16(0).u8(0).u8(4).u16(3).u16(0).u16(0).u32(0).u8(0).bytes("Suma").u8(0x1E)
                                       .u16(5)};
    const auto bytes = test::compound(test::bookStream(true, {name}, {SheetSpec{u"A", 0, 0, sheet}}));
    TXLSMini xls;
    read(xls, bytes);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.AsFormula(1, 0), u"A1+1");
    EXPECT_EQ(s.AsFormula(1, 1), u"A2+1");
    EXPECT_EQ(s.AsFormula(1, 2), u"A3+1");
    EXPECT_EQ(s.AsFloat(1, 2), 3.0);
    ASSERT_EQ(s.CellType(0, 5), ctArrayFormula);
    EXPECT_EQ(static_cast<TArrayFormulaCell*>(s.Cell(0, 5))->ArrayTokens,
              (B().u16(5).u16(6).u8(0).u8(0).u16(0).u32(0).u16(3).u8(0x1E).u16(4).v()));
    EXPECT_EQ(xls.FormulaHandler().InternalNames().Count(), 1);
    EXPECT_EQ(s.AsFormula(0, 7), u"Suma");
    EXPECT_EQ(s.AsString(0, 7), u"5");
    xls.ShowFormulas = true;
    EXPECT_EQ(s.AsString(0, 7), u"Suma");
    EXPECT_EQ(s.AsString(1, 1), u"A2+1");
}

TEST(XLSReader, ArrayDataAfterTheTokensStaysWithTheCell) {
    // ={1,2}: ptgArray (7 reserved bytes), then the array's data: 2 columns,
    // 1 row, two numbers.
    B data;
    data.u8(1).u16(0).u8(1).f64(1.0).u8(1).f64(2.0);
    B f;
    f.u16(0).u16(0).u16(15).f64(1.0).u16(0).u32(0).u16(8).u8(0x60).zeros(7);
    std::vector<std::uint8_t> body = f;
    const std::vector<std::uint8_t> tail = data;
    body.insert(body.end(), tail.begin(), tail.end());
    const auto bytes = test::compound(test::bookStream(true, {}, {SheetSpec{u"A", 0, 0, {{BIFFID_FORMULA, body}}}}));
    TXLSMini xls;
    read(xls, bytes);
    auto* cell = static_cast<TFormulaCell*>(xls.Sheets().Items(0).Cell(0, 0));
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->TokenLength(), 8u);
    EXPECT_EQ(cell->ExtraLength, tail.size());
    EXPECT_EQ(xls.Sheets().Items(0).AsFormula(0, 0), u"{1,2}");
}

TEST(XLSReader, PrintSettingsPaletteAndRawRecords) {
    std::vector<Rec> sheet = {
        {BIFFID_HEADER, B().str16(u"Nagłówek")},
        {BIFFID_FOOTER, {}},
        {BIFFID_LEFTMARGIN, B().f64(0.75)},
        {BIFFID_BOTTOMMARGIN, B().f64(1.25)},
        {BIFFID_HORIZONTALPAGEBREAKS, B().u16(2).u16(10).u16(0).u16(255).u16(20).u16(1).u16(3)},
        {BIFFID_VERTICALPAGEBREAKS, B().u16(1).u16(4).u16(0).u16(65535)},
        {0x1234, B().zeros(9000)},  // over the body limit: kept raw
        // An embedded chart: OBJ of type 5, then its substream.
        {BIFFID_OBJ, B().u16(0x15).u16(18).u16(5).u16(1).zeros(14)},
        test::bof8(0x20),
        {0x1001, B().u16(1)},
        test::eof(),
        {BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1.0)},
    };
    const std::vector<Rec> globals = {{BIFFID_PALETTE, B().u16(2).u32(0x00112233).u32(0x00445566)},
                                      {BIFFID_WRITEACCESS, B().u16(3).u8(0).bytes("Jan").zeros(20)}};
    const auto bytes = test::compound(test::bookStream(true, globals, {SheetSpec{u"A", 0, 0, sheet}}));
    TXLSMini xls;
    read(xls, bytes);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.PrintSettings().Header, u"Nagłówek");
    EXPECT_EQ(s.PrintSettings().Footer, u"");
    EXPECT_EQ(s.PrintSettings().MarginLeft, 0.75);
    EXPECT_EQ(s.PrintSettings().MarginBottom, 1.25);
    EXPECT_EQ(s.PrintSettings().MarginTop, -1.0);
    ASSERT_EQ(s.PrintSettings().HorizPagebreaks.size(), 2u);
    EXPECT_EQ(s.PrintSettings().HorizPagebreaks[1].Row, 19);
    EXPECT_EQ(s.PrintSettings().HorizPagebreaks[1].Col2, 3);
    ASSERT_EQ(s.PrintSettings().VertPagebreaks.size(), 1u);
    EXPECT_EQ(s.PrintSettings().VertPagebreaks[0].Col, 3);
    EXPECT_EQ(xls.Palette()[8], 0x00112233u);
    EXPECT_EQ(xls.Palette()[9], 0x00445566u);
    EXPECT_EQ(xls.Palette()[10], DefaultPalette()[10]);
    EXPECT_EQ(xls.UserName(), u"Jan");
    EXPECT_EQ(s.AsFloat(0, 0), 1.0);  // after the chart's EOF the sheet goes on
    std::vector<std::uint16_t> ids;
    for (std::size_t i = 0; i < s.Records().Count(); ++i)
        if (const TRawRecord* r = s.Records().Items(i)) ids.push_back(r->Id);
    for (std::uint16_t id : {std::uint16_t{0x1234}, BIFFID_OBJ, std::uint16_t{0x1001}, INTID_HEADERFOOTER,
                             INTID_MARGINS, INTID_PAGEBREAKS})
        EXPECT_NE(std::find(ids.begin(), ids.end(), id), ids.end()) << std::hex << id;
    EXPECT_EQ(std::count(ids.begin(), ids.end(), BIFFID_EOF), 2);  // the chart's and the sheet's
}

TEST(XLSReader, Biff5WriteAccessAndAModuleInTheDirectory) {
    const std::vector<Rec> globals = {{BIFFID_WRITEACCESS, B().u8(5).bytes("Marta").zeros(3)}};
    std::vector<std::uint8_t> stream = test::bookStream(
        false, globals,
        {SheetSpec{u"Moduł", 0, 6, {}}, SheetSpec{u"Dane", 0, 0, {{BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(2.0)}}}});
    TXLSMini xls;
    read(xls, test::compound(stream, "Book"));
    EXPECT_EQ(xls.UserName(), u"Marta");
    ASSERT_EQ(xls.Sheets().Count(), 1);
    EXPECT_EQ(xls.Sheets().Items(0).Name(), u"Dane");
    EXPECT_EQ(xls.Sheets().Items(0).AsFloat(0, 0), 2.0);
    EXPECT_EQ(xls.Charts().Count(), 0u);
}

TEST(XLSReader, RecordsOutOfPlaceStayRaw) {
    const std::vector<Rec> globals = {{BIFFID_HEADER, B().str16(u"x")}, {BIFFID_LEFTMARGIN, B().f64(2.0)}};
    const std::vector<Rec> sheet = {test::sstRecord({u"obce"}),
                                    {BIFFID_BOUNDSHEET, B().u32(0).u8(0).u8(0).u8(1).u8(0).bytes("Z")},
                                    {BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1.0)}};
    const auto bytes = test::compound(test::bookStream(true, globals, {SheetSpec{u"A", 0, 0, sheet}}));
    TXLSMini xls;
    read(xls, bytes);
    ASSERT_EQ(xls.Sheets().Count(), 1);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.AsFloat(0, 0), 1.0);
    EXPECT_EQ(s.PrintSettings().Header, u"");
    EXPECT_EQ(s.PrintSettings().MarginLeft, -1.0);
    std::size_t raw = 0;
    for (std::size_t i = 0; i < s.Records().Count(); ++i)
        if (const TRawRecord* r = s.Records().Items(i))
            raw += (r->Id == BIFFID_SST && r->Data.size() == 15) || r->Id == BIFFID_BOUNDSHEET;
    EXPECT_EQ(raw, 2u);
    raw = 0;
    for (std::size_t i = 0; i < xls.Globals().Count(); ++i)
        if (const TRawRecord* r = xls.Globals().Items(i)) raw += r->Id == BIFFID_HEADER || r->Id == BIFFID_LEFTMARGIN;
    EXPECT_EQ(raw, 2u);
}

TEST(XLSReader, TheAddedFormatsAreNotAddedTwice) {
    std::vector<Rec> globals = {{BIFFID_XF, B().zeros(20)}};
    for (unsigned format : {22u, 14u, 20u})
        globals.push_back({BIFFID_XF, B().u16(0).u16(format).u16(1).u16(0x20).zeros(10).u16(0x20C0)});
    const auto bytes = test::compound(test::bookStream(true, globals, {SheetSpec{u"A", 0, 0, {}}}));
    TXLSMini xls;
    read(xls, bytes);
    EXPECT_EQ(xls.XFDateTime, 1);
    EXPECT_EQ(xls.XFTime, 3);
    std::size_t xfs = 0;
    for (std::size_t i = 0; i < xls.Globals().Count(); ++i)
        if (xls.Globals().Items(i) && xls.Globals().Items(i)->Id == BIFFID_XF) ++xfs;
    EXPECT_EQ(xfs, 4u);
}

// ------------------------------------------------------------ BIFF5

TEST(XLSReader, Biff5Window2DimensionsAndCodePage) {
    for (std::size_t window2 : {10u, 14u, 18u}) {
        std::vector<Rec> sheet = {
            {BIFFID_DIMENSIONS, B().u16(1).u16(4).u16(2).u16(3)},
            {BIFFID_LABEL, B().u16(3).u16(2).u16(15).u16(6).bytes("\xA5\xB9\x8C\x9C\xAF\xBF")},
            {BIFFID_HEADER, B().u8(4).bytes("Nag\xB3")},
            {BIFFID_WINDOW2, B().u16(0x06B6).u16(0).u16(0).u16(64).u16(0).zeros(window2 - 10)},
        };
        for (std::size_t i = 10; i < window2; ++i) sheet.back().body[i] = 0x77;
        const auto bytes = test::compound(
            test::bookStream(false, {{BIFFID_CODEPAGE, B().u16(1250)}}, {SheetSpec{u"Ark\xB3", 2, 0, sheet}}), "Book");
        TXLSMini xls;
        read(xls, bytes);
        ASSERT_EQ(xls.Version(), xvExcel50);
        ASSERT_EQ(xls.Sheets().Count(), 1);
        TSheet& s = xls.Sheets().Items(0);
        EXPECT_EQ(s.Name(), u"Arkł");
        EXPECT_EQ(s.Hidden, hsVeryHidden);
        EXPECT_EQ(s.AsString(2, 3), u"ĄąŚśŻż");
        EXPECT_EQ(s.PrintSettings().Header, u"Nagł");
        const TRawRecord& w = s.Records().Window2();
        EXPECT_EQ(w.Data.size(), 18u) << window2;
        EXPECT_EQ(w.Data, (B().u16(0x06B6).u16(0).u16(0).u16(64).u16(0).zeros(8).v()));
        EXPECT_EQ(s.Records().Dimensions().Data.size(), 14u);
        EXPECT_EQ(s.FirstRow(), 1);
        EXPECT_EQ(s.LastRow(), 3);
        EXPECT_EQ(s.FirstCol(), 2);
        EXPECT_EQ(s.LastCol(), 2);
    }
}

// ------------------------------------------------------------ BIFF2 to BIFF4

TEST(XLSReader, Biff3And4PlainFiles) {
    for (std::uint16_t bofId : {BIFFID_BOF3, BIFFID_BOF4}) {
        const std::uint16_t formulaId = bofId == BIFFID_BOF3 ? BIFFID_FORMULA3 : BIFFID_FORMULA4;
        const auto bytes = test::plain({
            {bofId, B().u16(0).u16(0x0010).u16(0)},
            {BIFFID_INDEX, B().u32(0).u16(0).u16(5).u32(0)},
            {BIFFID_CALCMODE, B().u16(0)},
            {BIFFID_DIMENSIONS, B().u16(0).u16(5).u16(0).u16(3)},
            {BIFFID_NUMBER, B().u16(0).u16(0).u16(21).f64(1.5)},
            {BIFFID_LABEL, B().u16(1).u16(1).u16(21).u16(3).bytes("abc")},
            {formulaId, B().u16(4).u16(2).u16(21).f64(6.0).u16(0).u16(3).u8(0x1E).u16(6)},
            {formulaId, B().u16(3).u16(2).u16(21).u8(1).u8(0).u8(1).u8(0).u8(0).u8(0).u8(0xFF).u8(0xFF).u16(0)
                            .u16(3).u8(0x1E).u16(1)},
            {BIFFID_BOOLERR, B().u16(2).u16(0).u16(21).u8(0x17).u8(1)},
            // An array formula: tExp, ARRAY (no unused bytes before the
            // token count), STRING.
            {formulaId, B().u16(4).u16(1).u16(15).zeros(6).u16(0xFFFF).u16(0).u16(4).u8(1).u16(4).u8(1)},
            {BIFFID_ARRAY, B().u16(4).u16(4).u8(1).u8(1).u16(0).u16(8).u8(0x17).u8(2).bytes("ab").u8(0x17).u8(1)
                               .bytes("c").u8(0x08)},
            {BIFFID_STRING, B().u16(3).bytes("abc")},
            {BIFFID_WINDOW2, B().u16(0x06B6).u16(0).u16(0).u16(64).u16(0)},
            test::eof(),
        });
        TXLSMini xls;
        read(xls, bytes);
        EXPECT_EQ(xls.Version(), bofId == BIFFID_BOF3 ? xvExcel30 : xvExcel40);
        ASSERT_EQ(xls.Sheets().Count(), 1);
        TSheet& s = xls.Sheets().Items(0);
        EXPECT_EQ(s.Name(), u"Sheet1");
        EXPECT_EQ(s.AsFloat(0, 0), 1.5);
        EXPECT_EQ(s.Cell(0, 0)->FormatIndex, 21);
        EXPECT_EQ(s.AsString(1, 1), u"abc");
        EXPECT_EQ(s.AsFloat(2, 4), 6.0);
        EXPECT_EQ(s.CellType(2, 3), ctBooleanFormula);
        EXPECT_EQ(s.AsString(0, 2), u"#REF!");
        EXPECT_EQ(s.Records().CalcMode(), 0);  // the sheet's list is current
        EXPECT_EQ(xls.OptionsDialog().CalcMode, cmManual);
        EXPECT_EQ(s.Records().Window2().Data.size(), 18u);
        EXPECT_EQ(s.FirstRow(), 0);
        EXPECT_EQ(s.LastRow(), 4);
        EXPECT_EQ(s.LastCol(), 2);
        // The array formula as read and after a save (as BIFF4).
        std::vector<std::uint8_t> saved;
        xls.SetVersion(xvExcel40);
        xls.WriteStream(&saved);
        TXLSMini back;
        read(back, saved);
        for (TSheet* sheet : {&s, &back.Sheets().Items(0)}) {
            EXPECT_EQ(sheet->AsFormula(1, 4), u"{=\"ab\"&\"c\"}") << bofId;
            const auto* array = dynamic_cast<const TArrayFormulaCell*>(sheet->Cell(1, 4));
            EXPECT_TRUE(array && array->Text == u"abc") << bofId;
        }
    }
}

TEST(XLSReader, Biff2CellsBlanksAndBooleans) {
    const auto bytes = test::plain({
        {BIFFID_BOF2, B().u16(2).u16(0x0010)},
        {BIFFID_DIMENSIONS2, B().u16(0).u16(3).u16(0).u16(4)},
        {BIFFID_INTEGER2, B().u16(0).u16(0).u8(0).u8(0).u8(0).u16(42)},
        {BIFFID_NUMBER2, B().u16(0).u16(1).u8(0).u8(0).u8(0).f64(0.25)},
        {BIFFID_LABEL2, B().u16(1).u16(0).u8(0).u8(0).u8(0).u8(2).bytes("ok")},
        {BIFFID_BLANK2, B().u16(1).u16(1).u8(0).u8(0).u8(0)},
        {BIFFID_BOOLERR2, B().u16(1).u16(2).u8(0).u8(0).u8(0).u8(1).u8(0)},
        {BIFFID_BOOLERR2, B().u16(1).u16(3).u8(0).u8(0).u8(0).u8(0x24).u8(1)},
        {BIFFID_FORMULA, B().u16(2).u16(0).u8(0).u8(0).u8(0).f64(5.0).u8(0).u8(3).u8(0x1E).u16(5)},
        {BIFFID_FORMULA, B().u16(2).u16(1).u8(0).u8(0).u8(0).u8(2).u8(0).u8(0x0F).u8(0).u8(0).u8(0).u8(0xFF)
                             .u8(0xFF).u8(0).u8(3).u8(0x1E).u16(5)},
        test::eof(),
    });
    TXLSMini xls;
    read(xls, bytes);
    EXPECT_EQ(xls.Version(), xvExcel21);
    TSheet& s = xls.Sheets().Items(0);
    EXPECT_EQ(s.AsFloat(0, 0), 42.0);
    EXPECT_EQ(s.AsFloat(1, 0), 0.25);
    EXPECT_EQ(s.AsString(0, 1), u"ok");
    EXPECT_EQ(s.CellType(1, 1), ctBlank);
    EXPECT_TRUE(s.AsBoolean(2, 1));
    EXPECT_EQ(s.AsString(3, 1), u"#NUM!");
    EXPECT_EQ(s.AsFloat(0, 2), 5.0);
    EXPECT_EQ(s.AsString(1, 2), u"#VALUE!");
    for (int col = 0; col < 2; ++col) EXPECT_EQ(s.Cell(col, 2)->FormatIndex, 15);
    EXPECT_EQ(s.LastRow(), 2);
    EXPECT_EQ(s.LastCol(), 3);
}

// ------------------------------------------------------------ other programs' files

TEST(XLSReader, OtherProgramsFilesEqualXlrds) {
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "python3-xlrd missing";
    test::TempDir dir;
    for (const auto& [name, lastRow] : std::vector<std::pair<std::string, int>>{
             {"polskie-biff8.xls", 25}, {"polskie-biff5.xls", 25}, {"polskie-biff2.xls", 25},
             {"gn-tablice-wyniki.xls", 5}}) {
        std::set<std::string> expected;
        std::vector<std::string> sheets;
        ASSERT_TRUE(xlrdCells(fixture(name), expected, sheets));
        TXLSMini xls;
        xls.Filename = fixture(name);
        xls.Read();
        EXPECT_EQ(ourCells(xls), expected) << name;
        EXPECT_EQ(xls.Sheets().Count(), static_cast<int>(sheets.size())) << name;
        if (std::string(name) != "polskie-biff2.xls") {
            EXPECT_EQ(ourSheets(xls), sheets) << name;
        }
        EXPECT_GE(xls.Sheets().Items(0).LastRow(), lastRow) << name << " " << xls.Sheets().Items(0).Records().Dimensions().Data.size();
        // The library's save as xlrd reads it.
        if (xls.Version() < xvExcel40) xls.SetVersion(xvExcel40);
        xls.Filename = dir.file("kopia.xls");
        xls.Write();
        std::set<std::string> copy;
        std::vector<std::string> copySheets;
        ASSERT_TRUE(xlrdCells(dir.file("kopia.xls"), copy, copySheets)) << name;
        EXPECT_EQ(copy, expected) << name;
    }
}

TEST(XLSReader, ArrayFormulasKeepTheirCachedResults) {
    // gnumeric's results of the ranges' first cells (row 4) as xlrd lists
    // them: read, after one and ten saves, and as plain cells of a BIFF4 save.
    const std::set<std::string> expected = {"0\t3\t0\t1\tw0-x", "0\t3\t1\t4\t1", "0\t3\t2\t5\t7", "0\t3\t3\t2\t10"};
    for (const char* name : {"gn-tablice-wyniki.xls", "gn-tablice-wyniki-biff5.xls"}) {
        for (const auto& [saves, version] : std::vector<std::pair<int, TExcelVersion>>{
                 {0, xvNone}, {1, xvNone}, {10, xvNone}, {1, xvExcel40}}) {
            TXLSMini xls;
            xls.Filename = fixture(name);
            xls.Read();
            std::vector<std::uint8_t> bytes;
            if (version != xvNone) xls.SetVersion(version);
            for (int i = 0; i < saves; ++i) xls.WriteStream(&bytes), xls.ReadStream(&bytes);
            std::set<std::string> row4;
            for (const std::string& line : ourCells(xls))
                if (line.rfind("0\t3\t", 0) == 0) row4.insert(line);
            EXPECT_EQ(row4, expected) << name << " " << saves << " " << static_cast<int>(version);
        }
    }
}

// The fields of a CSV line (double quotes around fields, doubled inside).
std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') out.back() += '"', ++i;
            else if (c == '"') quoted = false;
            else out.back() += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

// LibreOffice's formula text in the form the library writes: no "=", no
// array braces, "Sheet!" for "$Sheet.".
std::string normalisedFormula(std::string text) {
    if (text.rfind("{=", 0) == 0 && text.back() == '}') text = text.substr(2, text.size() - 3);
    else text = text.substr(1);
    std::size_t at;
    while ((at = text.find('$')) != std::string::npos && text.find('.', at) != std::string::npos &&
           std::isalpha(static_cast<unsigned char>(text[at + 1]))) {
        const std::size_t dot = text.find('.', at);
        text = text.substr(0, at) + text.substr(at + 1, dot - at - 1) + "!" + text.substr(dot + 1);
    }
    return text;
}

TEST(XLSReader, LibreOfficeFileEqualsXlrdAndItsFormulaExport) {
    TXLSMini xls;
    xls.Filename = fixture("lo-biff8.xls");
    xls.Read();
    ASSERT_EQ(xls.Sheets().Count(), 3);
    EXPECT_EQ(xls.Sheets().Items(1).Hidden, hsHidden);
    TSheet& dane = xls.Sheets().Items(0);
    EXPECT_EQ(dane.LastRow(), 30);
    EXPECT_EQ(dane.LastCol(), 8);
    std::string longText;  // split over CONTINUE records in the SST
    for (int i = 1; i <= 700; ++i) longText += "gęślą jaźń " + std::to_string(i) + " ";
    EXPECT_EQ(dane.AsString(7, 2), utf8ToUtf16(longText));
    int formulas = 0;
    for (int si = 0; si < xls.Sheets().Count(); ++si) {
        TSheet& s = xls.Sheets().Items(si);
        std::ifstream in(fixture("lo-biff8-" + utf16ToUtf8(s.Name()) + ".csv"), std::ios::binary);
        int row = 0;
        for (std::string line; std::getline(in, line); ++row) {
            const std::vector<std::string> fields = csvFields(line);
            for (std::size_t col = 0; col < fields.size(); ++col) {
                const std::string& f = fields[col];
                if (f.rfind("=", 0) != 0 && f.rfind("{=", 0) != 0) continue;
                ++formulas;
                const int c = static_cast<int>(col);
                const std::string expected =
                    f.rfind("{=", 0) == 0 ? "{=" + normalisedFormula(f) + "}" : normalisedFormula(f);
                EXPECT_EQ(utf16ToUtf8(s.AsFormula(c, row)), expected) << utf16ToUtf8(s.Name()) << " " << row << ","
                                                                      << col;
            }
        }
    }
    EXPECT_GE(formulas, 37);
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "python3-xlrd missing";
    std::set<std::string> expected;
    std::vector<std::string> sheets;
    ASSERT_TRUE(xlrdCells(fixture("lo-biff8.xls"), expected, sheets));
    EXPECT_EQ(ourCells(xls), expected);
    EXPECT_EQ(ourSheets(xls), sheets);
}

TEST(XLSReader, ReadingLeavesTheFileAlone) {
    test::TempDir dir;
    const std::string path = dir.file("kopia.xls");
    const std::vector<std::uint8_t> bytes = biff8Book();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                               static_cast<std::streamsize>(bytes.size()));
    TXLSMini xls;
    xls.Filename = path;
    xls.Read();
    std::ifstream in(path, std::ios::binary);
    const std::vector<std::uint8_t> after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(after, bytes);
}

TEST(XLSReader, AWorkbookWithoutWorksheetsHasNoSheets) {
    const auto bytes = test::compound(test::bookStream(true, {}, {}));
    TXLSMini xls;
    xls.OptionsDialog().CalcCount = 9;
    read(xls, bytes);
    EXPECT_EQ(xls.Sheets().Count(), 0);
    EXPECT_EQ(xls.OptionsDialog().CalcCount, 9);
    EXPECT_THROW(xls.Sheets().Items(0), EXLSError);
}

// ------------------------------------------------------------ malformed input

struct Malformed {
    const char* what;
    std::vector<std::uint8_t> bytes;
    int record;          // number of the failing record
    std::uint16_t id;    // its id
    std::int64_t offset; // its header's position in the workbook stream
    const char* message; // part of the message
};

std::vector<std::uint8_t> book8(std::vector<Rec> sheet, std::vector<Rec> globals = {}, std::vector<Rec> sst = {}) {
    return test::compound(test::bookStream(true, globals, {SheetSpec{u"A", 0, 0, std::move(sheet)}}, sst));
}

// Globals BOF (20 bytes), one BOUNDSHEET (13 bytes for "A"), EOF (4): the
// sheet's BOF at 37, its first record (number 4) at 57.
constexpr std::int64_t FirstSheetRecord = 57;

TEST(XLSReader, MalformedInputIsAWrappedErrorNamingTheRecord) {
    std::vector<std::uint8_t> cut = book8({{BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1.0)}});
    std::vector<std::uint8_t> cutCompound(cut.begin(), cut.begin() + static_cast<std::ptrdiff_t>(cut.size() / 2));
    std::vector<std::uint8_t> cutPlain = test::plain({{BIFFID_BOF4, B().u16(0).u16(0x10).u16(0)}});
    cutPlain.insert(cutPlain.end(), {0x03, 0x02, 0x0E, 0x00, 1, 2});
    std::vector<std::uint8_t> bigBof = test::compound(test::plain({{BIFFID_BOF, B().u16(0x600).u16(5).zeros(253)}}));
    const Malformed cases[] = {
        {"truncated body", cutPlain, 1, 0x0203, 10, "cut short"},
        {"token length past the record", book8({{BIFFID_FORMULA, B().u16(0).u16(0).u16(15).f64(1).u16(0).u32(0)
                                                                     .u16(9).u8(0x1E).u16(1)}}),
         4, BIFFID_FORMULA, FirstSheetRecord, "record"},
        {"LABELSST beyond the SST", book8({{BIFFID_LABELSST, B().u16(0).u16(0).u16(15).u32(1)}}, {},
                                           {test::sstRecord({u"x"})}),
         5, BIFFID_LABELSST, FirstSheetRecord + 16, "SST string 1"},
        {"column 256", book8({{BIFFID_NUMBER, B().u16(0).u16(256).u16(15).f64(1.0)}}), 4, BIFFID_NUMBER,
         FirstSheetRecord, "Column 256"},
        {"MULRK shorter than 6 bytes", book8({{BIFFID_MULRK, B().u16(0).u16(0).u8(0)}}), 4, BIFFID_MULRK,
         FirstSheetRecord, "MULRK"},
        {"MULRK past column 255", book8({{BIFFID_MULRK, B().u16(0).u16(255).u16(15).u32(2).u16(15).u32(2).u16(256)}}),
         4, BIFFID_MULRK, FirstSheetRecord, "MULRK run"},
        {"MULBLANK past column 255", book8({{BIFFID_MULBLANK, B().u16(0).u16(254).u16(15).u16(15).u16(15).u16(256)}}),
         4, BIFFID_MULBLANK, FirstSheetRecord, "MULBLANK run"},
        {"worksheet BOF without BOUNDSHEET", test::compound(test::plain({test::bof8(5), test::bof8(0x10)})),
         1, BIFFID_BOF, 20, "directory"},
        {"an id from 0x8000", book8({{0x8000, {}}}), 4, 0x8000, FirstSheetRecord, "Bad record in file"},
        {"FILEPASS", book8({}, {{BIFFID_FILEPASS, B().u16(0)}}), 1, BIFFID_FILEPASS, 20, "File is encrypted."},
        {"XCT without its CRN", book8({}, {{BIFFID_XCT, B().u16(1).u16(0)}}), 1, BIFFID_XCT, 20, "CRN record missing"},
        {"BOF over 256 bytes", bigBof, 0, BIFFID_BOF, 0, "Invalid BOF size"},
        {"STRING before its SHRFMLA", book8({{BIFFID_FORMULA, B().u16(0).u16(0).u16(15).u8(0).zeros(5).u16(0xFFFF)
                                                                   .u16(0).u32(0).u16(3).u8(0x1E).u16(1)},
                                              {BIFFID_SHRFMLA, B().zeros(10)}}),
         4, BIFFID_FORMULA, FirstSheetRecord, "Unxepected SHRFMLA"},
        {"BIFF4 macro sheet", test::plain({{BIFFID_BOF4, B().u16(0).u16(0x40).u16(0)}}), 0, BIFFID_BOF4, 0,
         "BIFF4 Macro unhandled"},
        {"not a workbook", test::plain({{0x1234, B().u16(0)}}), 0, 0, 0, "not an Excel workbook"},
    };
    for (const Malformed& c : cases) {
        TXLSMini xls;
        try {
            read(xls, c.bytes);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EXLSError& e) {
            char head[80];
            std::snprintf(head, sizeof head, "Error on reading record # %d, %.4X Offs: %.8X\n", c.record,
                          static_cast<unsigned>(c.id), static_cast<unsigned>(c.offset));
            EXPECT_EQ(e.message().rfind(head, 0), 0u) << c.what << ": " << e.message() << " / " << head;
            EXPECT_NE(e.message().find(c.message), std::string::npos) << c.what << ": " << e.message();
            EXPECT_EQ(e.recordId(), c.id) << c.what;
            EXPECT_EQ(e.offset(), c.offset) << c.what;
        }
    }
}

TEST(XLSReader, ACutCompoundFileIsAContainerError) {
    std::vector<std::uint8_t> bytes = biff8Book();
    bytes.resize(bytes.size() / 3);
    TXLSMini xls;
    try {
        read(xls, bytes);
        ADD_FAILURE() << "no error";
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.message().rfind("Error on reading record # 0, 0000 Offs: 00000000\n", 0), 0u) << e.message();
        EXPECT_EQ(e.kind(), XLSErrorKind::Container);
    }
}

TEST(XLSReader, AnUnendedCustomViewEndsWithItsSheet) {
    const auto bytes = book8({{0x01AA, B().zeros(4)}, {BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1.0)}});
    TXLSMini xls;
    read(xls, bytes);
    EXPECT_EQ(xls.Sheets().Items(0).CellType(0, 0), ctNone);
    const auto more = test::compound(test::bookStream(
        true, {}, {SheetSpec{u"A", 0, 0, {{0x01AA, B().zeros(4)}}}, SheetSpec{u"B", 0, 0, {{BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1.0)}}}}));
    read(xls, more);
    ASSERT_EQ(xls.Sheets().Count(), 2);
    EXPECT_EQ(xls.Sheets().Items(1).AsFloat(0, 0), 1.0);
}

}  // namespace
}  // namespace vesk
