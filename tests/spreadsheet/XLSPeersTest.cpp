// Workbooks of other writers (scripts/make-xls-fixtures-peers.sh): BIFF5
// texts over one record, array formulas, functions stored as "_xlfn." names,
// BIFF5 names and the default records a save may add, read and saved ten
// times as those writers' readers show them.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "CodePage.h"
#include "CompoundFile.h"
#include "EXLSError.h"
#include "TempDir.h"
#include "XLSBuilder.h"
#include "XLSMini.h"
#include "XLSOracle.h"
#include "XLSUtilsMini.h"

namespace vesk {
namespace {

using test::B;
using test::Rec;

std::string fixture(const std::string& name) { return std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name; }

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {});
}

// The bytes after `saves` reads and writes by the library.
std::vector<std::uint8_t> saved(std::vector<std::uint8_t> file, int saves) {
    for (int i = 0; i < saves; ++i) {
        TXLSMini xls;
        xls.ReadStream(&file);
        xls.WriteStream(&file);
    }
    return file;
}

// Records of the workbook stream: id and body, in order.
std::vector<Rec> streamRecords(const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> s = file;
    if (isCompoundFile(file.data(), file.size()))
        for (const CompoundEntry& e : readCompoundFile(file.data(), file.size()).children)
            if (e.name == "Workbook" || e.name == "Book") s = e.data;
    std::vector<Rec> out;
    for (std::size_t p = 0; p + 4 <= s.size();) {
        const std::size_t n = s[p + 2] | (s[p + 3] << 8);
        out.push_back({static_cast<std::uint16_t>(s[p] | (s[p + 1] << 8)),
                       std::vector<std::uint8_t>(s.begin() + p + 4, s.begin() + std::min(s.size(), p + 4 + n))});
        p += 4 + n;
    }
    return out;
}

std::vector<std::vector<std::uint8_t>> bodiesOf(const std::vector<std::uint8_t>& file, std::uint16_t id) {
    std::vector<std::vector<std::uint8_t>> out;
    for (const Rec& r : streamRecords(file))
        if (r.id == id) out.push_back(r.body);
    return out;
}

// Formula texts of sheet 0 of the file after 0 and after 10 saves.
void expectFormulas(const std::string& file, const std::map<std::pair<int, int>, std::string>& expected) {
    for (int saves : {0, 10}) {
        const std::vector<std::uint8_t> bytes = saved(fileBytes(fixture(file)), saves);
        TXLSMini xls;
        xls.ReadStream(&bytes);
        for (const auto& [cell, text] : expected)
            EXPECT_EQ(utf16ToUtf8(xls.Sheets().Items(0).AsFormula(cell.first, cell.second)), text)
                << file << " after " << saves << " saves, " << ColRowToRefStr(cell.first, cell.second, false, false);
    }
}

TEST(XLSPeers, Biff5TextOverOneRecordReadWhole) {
    // gnumeric's LABEL + CONTINUE, against the CSV it was made from.
    TXLSMini xls;
    xls.Filename = fixture("gn-dlugi-tekst-biff5.xls");
    xls.Read();
    std::ifstream csv(fixture("gn-dlugi-tekst.csv"), std::ios::binary);
    int row = 0;
    for (std::string line; std::getline(csv, line); ++row) {
        const std::string text = line.substr(0, line.find(','));
        EXPECT_EQ(xls.Sheets().Items(0).AsString(0, row), utf8ToUtf16(text)) << "row " << row;
    }
    EXPECT_EQ(row, 4);
    EXPECT_EQ(xls.Sheets().Items(0).AsString(0, 0).size(), 3000u);
    // A LABEL or a formula's STRING whose CONTINUE is missing keeps what it
    // holds, as other readers do, and says so; the workbook and its other
    // cells stay.
    for (const auto& [label, continued] : std::vector<std::pair<bool, bool>>{{true, true}, {true, false}, {false, false}}) {
        std::vector<Rec> cells = {{BIFFID_LABEL, B().u16(0).u16(0).u16(15).u16(3000).bytes(std::string(2072, 'a'))}};
        if (!label)
            cells = {{BIFFID_FORMULA, B().u16(0).u16(0).u16(15).u32(0).u16(0).u16(0xFFFF).u16(0).u32(0).u16(2).u8(0x16).u8(0)},
                     {BIFFID_STRING, B().u16(3000).bytes(std::string(2072, 'a'))}};
        if (continued) cells.push_back({BIFFID_CONTINUE, B().bytes(std::string(928, 'b'))});
        cells.push_back({BIFFID_NUMBER, B().u16(1).u16(0).u16(15).f64(2.5)});
        const auto bytes = test::compound(test::bookStream(false, {}, {{u"A", 0, 0, cells}}), "Book");
        TXLSMini book;
        std::u16string notice;
        book.OnNotify = [&](std::u16string_view text) { notice = text; };
        book.ReadStream(&bytes);
        const std::u16string text = book.Sheets().Items(0).AsString(0, 0);
        EXPECT_EQ(text, utf8ToUtf16(std::string(2072, 'a') + (continued ? std::string(928, 'b') : "")));
        EXPECT_EQ(book.Sheets().Items(0).AsFloat(0, 1), 2.5);
        EXPECT_EQ(utf16ToUtf8(notice), continued ? "" : "Sheet \"A\", cell A1: the file holds 2072 of its 3000 characters");
    }
}

TEST(XLSPeers, Biff5SaveKeepsEveryCharacter) {
    // Text lengths around 255 and one record's 2,072 characters; each as a
    // text cell (column A) and as a formula's text (column B).
    const std::vector<std::size_t> lengths = {255, 256, 2072, 2073, 3000, 10000};
    auto textOf = [](std::size_t n) {
        std::u16string t;
        for (std::size_t i = 0; i < n; ++i) t.push_back(static_cast<char16_t>(i % 7 == 0 ? u'ż' : u'a' + i % 26));
        return t;
    };
    const std::vector<std::uint8_t> tokens = {0x17, 1, 0, 'x'};  // ="x"
    std::vector<std::uint8_t> file;
    {
        TXLSMini xls;
        xls.SetVersion(xvExcel50);
        for (std::size_t i = 0; i < lengths.size(); ++i) {
            xls.Sheets().Items(0).SetAsString(0, static_cast<int>(i), textOf(lengths[i]));
            xls.Sheets().Items(0).AddStringFormula(1, static_cast<int>(i), textOf(lengths[i]), 15, tokens.data(),
                                                   tokens.size());
        }
        xls.WriteStream(&file);
    }
    file = saved(file, 10);
    TXLSMini back;
    back.ReadStream(&file);
    ASSERT_EQ(back.Version(), xvExcel50);
    for (std::size_t i = 0; i < lengths.size(); ++i)
        for (int col : {0, 1})
            EXPECT_EQ(back.Sheets().Items(0).AsString(col, static_cast<int>(i)), textOf(lengths[i]))
                << lengths[i] << " characters, column " << col;
    // xlrd opens the file; it takes a LABEL's first record only (as
    // LibreOffice does) and a formula's text whole.
    if (test::requireOracle("xlrd")) {
        test::TempDir dir;
        std::ofstream(dir.file("b5.xls"), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
        int status = 0;
        const std::string lines = test::runPython(
            "import sys, xlrd\n"
            "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
            "print(\" \".join(\"%d,%d\" % (len(s.cell_value(r, 0)), len(s.cell_value(r, 1))) for r in range(s.nrows)))\n",
            dir.file("b5.xls"), status);
        EXPECT_EQ(status, 0) << lines;
        EXPECT_EQ(lines, "255,255 256,256 2072,2072 2072,2073 2072,3000 2072,10000\n");
    }
    // What no record can count is refused, naming the cell; nothing is cut.
    TXLSMini xls;
    xls.SetVersion(xvExcel50);
    xls.Sheets().Items(0).AddStringFormula(1, 7, textOf(70000), 15, tokens.data(), tokens.size());
    std::vector<std::uint8_t> out;
    try {
        xls.WriteStream(&out);
        ADD_FAILURE() << "a text of 70,000 characters was written";
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Refused);
        EXPECT_NE(e.message().find("Sheet \"Sheet1\", cell B8: a text of 70000 characters"), std::string::npos)
            << e.message();
        EXPECT_TRUE(out.empty());
    }
}

TEST(XLSPeers, DefaultWidthAndHeightOnlyWhereTheFileHadThem) {
    using Bodies = std::vector<std::vector<std::uint8_t>>;
    struct Case {
        const char* file;  // "" for a new workbook
        int setWidth;      // 0: left alone
        Bodies width, height;  // DEFCOLWIDTH and DEFAULTROWHEIGHT after ten saves
    };
    for (const Case& c : std::vector<Case>{
             {"xlwt-liczby.xls", 0, {}, {{0, 0, 255, 0}}},
             {"xlwt-liczby.xls", 12, {{12, 0}}, {{0, 0, 255, 0}}},
             {"gn-dlugi-tekst-biff5.xls", 0, {{10, 0}}, {{0, 0, 0x0E, 1}}},
             {"polskie-biff8.xls", 0, {}, {}},
             {"polskie-biff5.xls", 0, {}, {}},
             {"polskie-biff2.xls", 0, {}, {}},  // saved as BIFF4
             {"", 0, {{8, 0}}, {{0, 0, 255, 0}}},
         }) {
        std::vector<std::uint8_t> file;
        TXLSMini xls;
        if (*c.file) {
            xls.Filename = fixture(c.file);
            xls.Read();
            if (xls.Version() < xvExcel40) xls.SetVersion(xvExcel40);
        }
        if (c.setWidth) xls.Sheets().Items(0).SetDefaultColWidth(static_cast<std::uint16_t>(c.setWidth));
        xls.WriteStream(&file);
        file = saved(file, 9);
        EXPECT_EQ(bodiesOf(file, BIFFID_DEFCOLWIDTH), c.width) << c.file << " " << c.setWidth;
        EXPECT_EQ(bodiesOf(file, BIFFID_DEFAULTROWHEIGHT), c.height) << c.file << " " << c.setWidth;
    }
}

TEST(XLSPeers, ArrayFormulasReadFromTheirArrayRecord) {
    // Every cell of the range, as LibreOffice exports them
    // (lo-tablice-Tablice.csv); the same from gnumeric's BIFF5 copy.
    const std::map<std::pair<int, int>, std::string> arrays = {
        {{0, 5}, "{=SUM(A1:A5*B1:B5)}"}, {{1, 5}, "{=A1:A3*10}"}, {{1, 6}, "{=A1:A3*10}"}, {{1, 7}, "{=A1:A3*10}"}};
    expectFormulas("lo-tablice.xls", arrays);
    expectFormulas("gn-tablice-biff5.xls", arrays);
}

TEST(XLSPeers, NewFunctionsReadByTheirNames) {
    // Stored as a call of the name "_xlfn.IFERROR", which a save keeps.
    for (const char* file : {"lo-tablice.xls", "gn-tablice-biff5.xls"}) {
        expectFormulas(file, {{{2, 5}, "IFERROR(1/0,-1)"}});
        int names = 0;
        for (const auto& body : bodiesOf(saved(fileBytes(fixture(file)), 10), BIFFID_NAME))
            names += std::string(body.begin(), body.end()).find("_xlfn.IFERROR") != std::string::npos;
        EXPECT_EQ(names, 1) << file;
    }
}

TEST(XLSPeers, Biff5FormulasNameTheirDefinedNames) {
    // The NAME records of a BIFF5 file, numbered from 1; a built-in name by
    // its published name; a number past the names stays #REF!.
    expectFormulas("gn-tablice-biff5.xls", {{{3, 5}, "SUM(Zakres_A)*Stawka"}});
    const std::vector<Rec> globals = {
        {BIFFID_NAME, B().u16(0).u8(0).u8(5).u16(0).u16(0).u16(0).u32(0).bytes("Kwota")},
        {BIFFID_NAME, B().u16(0x0020).u8(0).u8(1).u16(0).u16(0).u16(1).u32(0).u8(6)},
    };
    // Built-in name 6 is Print_Area; the third is missing.
    for (const auto& [first, text] : std::vector<std::pair<unsigned, std::string>>{{1, "Kwota"}, {2, "Print_Area"}, {3, "#REF!"}}) {
        std::vector<Rec> one = {{BIFFID_FORMULA, B().u16(0).u16(0).u16(15).f64(0).u16(0).u32(0).u16(15).u8(0x23).u16(first).zeros(12)}};
        const auto bytes = test::compound(test::bookStream(false, globals, {{u"A", 0, 0, one}}), "Book");
        TXLSMini xls;
        xls.ReadStream(&bytes);
        EXPECT_EQ(utf16ToUtf8(xls.Sheets().Items(0).AsFormula(0, 0)), text) << first;
    }
}

TEST(XLSPeers, PrintRecordsAsOtherWritersWriteThem) {
    // A plain BIFF4 save has its GRIDSET; BIFF5 header and footer texts end
    // with their last character.
    struct Case {
        TExcelVersion version;
        std::u16string footer;
        std::uint16_t id;
        std::vector<std::vector<std::uint8_t>> expected;
    };
    for (const Case& c : std::vector<Case>{{xvExcel40, u"", BIFFID_GRIDSET, {{1, 0}}},
                                           {xvExcel50, u"abc", BIFFID_FOOTER, {{3, 'a', 'b', 'c'}}},
                                           {xvExcel50, u"", BIFFID_FOOTER, {{0}}},
                                           {xvExcel40, u"abc", BIFFID_FOOTER, {{3, 'a', 'b', 'c'}}}}) {
        TXLSMini xls;
        xls.SetVersion(c.version);
        xls.Sheets().Items(0).PrintSettings().Footer = c.footer;
        std::vector<std::uint8_t> file;
        xls.WriteStream(&file);
        EXPECT_EQ(bodiesOf(file, c.id), c.expected) << c.version << " " << c.id;
    }
}

}  // namespace
}  // namespace vesk
