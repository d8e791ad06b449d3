// Read -> write -> read of workbooks made by LibreOffice and by this library,
// checked by xlrd, olefile and LibreOffice; crafted files that must stay
// within bounds; file names in UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "CodePage.h"
#include "EXLSError.h"
#include "TempDir.h"
#include "XLSBuilder.h"
#include "XLSMini.h"
#include "XLSOracle.h"

namespace vesk {
namespace {

using test::B;
using test::Rec;

std::string fixture(const std::string& name) { return std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name; }

// Every cell of every sheet as "sheet row col text [= formula]".
std::string cells(TXLSMini& xls) {
    std::ostringstream out;
    for (int i = 0; i < xls.Sheets().Count(); ++i) {
        TSheet& s = xls.Sheets().Items(i);
        s.Cells().BeginIterate();
        while (TCell* c = s.Cells().Next()) {
            const int col = static_cast<int>(c->Key & 255), row = static_cast<int>(c->Key >> 8);
            out << utf16ToUtf8(s.Name()) << ' ' << row << ' ' << col << ' ' << utf16ToUtf8(s.AsString(col, row));
            if ((c->CellType() & 127) >= ctNumberFormula) out << " = " << utf16ToUtf8(s.AsFormula(col, row));
            out << '\n';
        }
    }
    return out.str();
}

const char* const XlrdAndOle =
    "import sys, xlrd, olefile\n"
    "b = xlrd.open_workbook(sys.argv[1])\n"
    "for s in b.sheets():\n"
    "    for r in range(s.nrows): print(s.name, r, repr(s.row_values(r)))\n"
    "print(sorted(\"/\".join(p) for p in olefile.OleFileIO(sys.argv[1]).listdir()))\n";

TEST(XLSRoundTrip, LibreOfficeWorkbookWithChartAndLongTextResult) {
    TXLSMini xls;
    xls.Filename = fixture("lo-wykres.xls");
    xls.Read();
    const std::string before = cells(xls);
    EXPECT_EQ(xls.Sheets().Items(0).AsString(2, 0).size(), 5000u);
    EXPECT_EQ(utf16ToUtf8(xls.Sheets().Items(0).AsFormula(3, 3)), "MID(\"abcdef\",2,3)");
    test::TempDir dir;
    xls.Filename = dir.file("kopia.xls");
    xls.Write();
    TXLSMini back;
    back.Filename = dir.file("kopia.xls");
    back.Read();
    EXPECT_EQ(cells(back), before);

    if (!test::requireOracle("xlrd") || !test::requireOracle("olefile")) GTEST_SKIP() << "oracles missing";
    int status = 0;
    const std::string original = test::runPython(XlrdAndOle, fixture("lo-wykres.xls"), status);
    ASSERT_EQ(status, 0) << original;
    const std::string copy = test::runPython(XlrdAndOle, dir.file("kopia.xls"), status);
    ASSERT_EQ(status, 0) << copy;
    EXPECT_EQ(copy, original);

    // LibreOffice's formula CSV of the copy, sheet by sheet, as of the source.
    if (std::system("command -v soffice >/dev/null 2>&1") != 0) GTEST_SKIP() << "soffice missing";
    const std::string command = "cd '" + dir.folder() + "' && soffice -env:UserInstallation=file://" + dir.folder() +
                                "lo --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,"
                                "true,false,true,false,-1' kopia.xls >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    for (const char* sheet : {"Wykres", "Dane2"}) {
        auto text = [](const std::string& path) {
            std::ifstream in(path, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        EXPECT_EQ(text(dir.file(std::string("kopia-") + sheet + ".csv")),
                  text(fixture(std::string("lo-wykres-") + sheet + ".csv")))
            << sheet;
    }
}

TEST(XLSRoundTrip, LongCachedTextAndBiff5FormulasOfOurOwn) {
    for (TExcelVersion version : {xvExcel97, xvExcel50}) {
        TXLSMini xls;
        xls.SetVersion(version);
        TSheet& s = xls.Sheets().Items(0);
        s.AddFloat(0, 0, 2, 15);
        s.AddFloat(1, 0, 3, 15);
        const std::u16string formulas[] = {u"A1+B1*2", u"SUM(A1:B1)", u"IF(A1>1,\"tak\",\"nie\")",
                                           u"MID(\"abcdef\",2,3)", u"-$A$1%+B$1^2<>1.5"};
        for (int i = 0; i < 5; ++i) {
            std::vector<std::uint8_t> tokens(512);
            const int n = xls.FormulaHandler().Encoder().Encode(formulas[i], 0x40, false, tokens);
            s.AddNumberFormula(2, i, 0, 15, tokens.data(), static_cast<std::size_t>(n));
        }
        const std::u16string text(version == xvExcel97 ? 9000 : 200, u'ą');
        const std::uint8_t tokens[] = {0x17, 1, 0, 'x'};
        s.AddStringFormula(3, 0, text, 15, tokens, sizeof tokens);
        std::vector<std::uint8_t> out;
        xls.WriteStream(&out);
        TXLSMini back;
        back.ReadStream(&out);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(back.Sheets().Items(0).AsFormula(2, i), formulas[i]) << version;
        EXPECT_EQ(back.Sheets().Items(0).AsString(3, 0), text) << version;
    }
}

// A compound document whose extra streams all claim the workbook stream's
// sector chain.
std::vector<std::uint8_t> sharedChain(int streams) {
    CompoundEntry root;
    root.name = "Root Entry";
    root.storage = true;
    std::vector<std::uint8_t> book = test::bookStream(true, {}, {{u"A", 0, 0, {}}});
    book.resize(8192, 0);
    root.children.push_back({"Workbook", false, {}, book, {}});
    for (int i = 0; i < streams; ++i) root.children.push_back({"S" + std::to_string(i), false, {}, {1}, {}});
    std::vector<std::uint8_t> file = writeCompoundFile(root);
    auto u32 = [&](std::size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24; };
    const std::size_t directory = 512 + 512 * static_cast<std::size_t>(u32(0x30));
    std::uint32_t start = 0;
    for (std::size_t e = directory; e + 128 <= file.size() && e < directory + 512 * 4; e += 128) {
        if (file[e] == 'W') start = u32(e + 116);
        if (file[e] == 'S' && file[e + 66] == 2) {
            std::memcpy(&file[e + 116], &start, 4);
            file[e + 120] = 0, file[e + 121] = 0x20;  // 8,192 bytes
        }
    }
    return file;
}

TEST(XLSRoundTrip, CraftedFilesEndInAnErrorOrAReadWithinBounds) {
    // One sector chain used by many streams.
    TXLSMini xls;
    const std::vector<std::uint8_t> shared = sharedChain(6);
    try {
        xls.ReadStream(&shared);
        ADD_FAILURE() << "read";
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Container) << e.what();
    }
    // Many shared formulas, every other one with a range beside its cell.
    std::vector<Rec> records;
    const int count = 60000;
    for (int i = 0; i < count; ++i) {
        const unsigned row = static_cast<unsigned>(i), col = i % 2;
        records.push_back({BIFFID_FORMULA, B().u16(row).u16(0).u16(15).f64(1).u16(8).u32(0).u16(5).u8(1).u16(row).u16(0)});
        records.push_back({BIFFID_SHRFMLA, B().u16(row).u16(row).u8(col).u8(col).u16(0).u16(3).u8(0x1E).u16(row)});
    }
    const std::vector<std::uint8_t> many = test::compound(test::bookStream(true, {}, {{u"A", 0, 0, records}}));
    xls.ReadStream(&many);
    EXPECT_EQ(utf16ToUtf8(xls.Sheets().Items(0).AsFormula(0, count - 2)), std::to_string(count - 2));
    EXPECT_EQ(xls.Sheets().Items(0).AsFloat(0, count - 1), 1);
    // 65,536 rows cannot go into BIFF5: refused, nothing written.
    TXLSMini tall;
    tall.SetVersion(xvExcel50);
    tall.Sheets().Items(0).AddFloat(0, 65535, 1, 15);
    std::vector<std::uint8_t> out;
    EXPECT_THROW(tall.WriteStream(&out), EXLSError);
    EXPECT_TRUE(out.empty());
}

TEST(XLSRoundTrip, Utf8FileNames) {
    test::TempDir dir;
    for (const std::string name : {"Zażółć gęślą/jaźń.xls", "表/數據.xls"}) {
        TXLSMini xls;
        xls.Sheets().Items(0).SetAsString(0, 0, u"ą");
        dir.write(name, "");
        xls.Filename = dir.file(name);
        xls.Write();
        TXLSMini back;
        back.Filename = dir.file(name);
        back.Read();
        EXPECT_EQ(back.Sheets().Items(0).AsString(0, 0), u"ą") << name;
    }
}

TEST(XLSRoundTrip, SubstreamsAndEmptyStreams) {
    // A substream of an unknown type inside the last sheet goes whole; the
    // sheet's cells after it stay.
    const std::vector<Rec> sheet = {{BIFFID_NUMBER, B().u16(0).u16(0).u16(15).f64(1)},
                                    test::bof8(0x0777), {0x1001, B().u16(0)}, test::eof(),
                                    {BIFFID_NUMBER, B().u16(1).u16(0).u16(15).f64(2)}};
    const std::vector<std::uint8_t> book = test::compound(test::bookStream(true, {}, {{u"A", 0, 0, sheet}}));
    TXLSMini xls;
    xls.ReadStream(&book);
    EXPECT_EQ(xls.Sheets().Items(0).AsFloat(0, 1), 2);
    // An empty workbook stream is no workbook.
    const std::vector<std::uint8_t> empty = test::compound({});
    EXPECT_THROW(xls.ReadStream(&empty), EXLSError);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(XLSRoundTrip, SheetWithoutDimensionsGetsItsWindow) {
    for (const std::vector<Rec>& sheet :
         {std::vector<Rec>{{BIFFID_NUMBER, B().u16(2).u16(1).u16(15).f64(1)}},
          std::vector<Rec>{{BIFFID_NUMBER, B().u16(2).u16(1).u16(15).f64(1)}, {BIFFID_WINDOW2, B().u16(0x6B6).zeros(16)}}}) {
        const std::vector<std::uint8_t> book = test::compound(test::bookStream(true, {}, {{u"A", 0, 0, sheet}}));
        TXLSMini xls;
        xls.ReadStream(&book);
        std::vector<std::uint8_t> out;
        xls.WriteStream(&out);
        TXLSStream stream;
        stream.SetSource(&out);
        stream.Open("");
        std::vector<std::uint16_t> ids;
        TRecordHeader h;
        std::vector<std::uint8_t> body;
        while (stream.ReadRecord(h, body)) ids.push_back(h.Id);
        const auto sheetAt = std::find(ids.begin() + 1, ids.end(), BIFFID_BOF);
        for (std::uint16_t id : {BIFFID_DIMENSIONS, BIFFID_WINDOW2, BIFFID_SELECTION})
            EXPECT_EQ(std::count(sheetAt, ids.end(), id), 1) << id;
    }
}

}  // namespace
}  // namespace vesk
