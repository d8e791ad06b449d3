// The cell writer and the workbook writer: record bytes of the edge cases,
// the default globals of a new workbook, refusals and failed saves, and
// round trips through our reader and through xlrd and olefile.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

#include "CodePage.h"
#include "CompoundFile.h"
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

struct Rec {
    std::uint16_t id;
    std::vector<std::uint8_t> body;
    std::size_t offset;
};

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}
std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return u16(b, at) | (static_cast<std::uint32_t>(u16(b, at + 2)) << 16);
}

std::vector<Rec> records(const std::vector<std::uint8_t>& s) {
    std::vector<Rec> out;
    for (std::size_t p = 0; p + 4 <= s.size();) {
        const std::uint16_t id = u16(s, p), n = u16(s, p + 2);
        EXPECT_LE(p + 4 + n, s.size());
        out.push_back({id, std::vector<std::uint8_t>(s.begin() + p + 4, s.begin() + p + 4 + n), p});
        p += 4 + n;
    }
    return out;
}

// The workbook stream of a written compound document (or a plain file).
std::vector<std::uint8_t> workbookStream(const std::vector<std::uint8_t>& file) {
    if (file.size() < 8 || file[0] != 0xD0) return file;
    CompoundEntry root = readCompoundFile(file.data(), file.size());
    for (const CompoundEntry& e : root.children)
        if (e.name == "Workbook" || e.name == "Book") return e.data;
    ADD_FAILURE() << "no workbook stream";
    return {};
}

std::vector<Rec> written(TXLSMini& xls) {
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    return records(workbookStream(out));
}

std::vector<Rec> only(const std::vector<Rec>& rs, std::uint16_t id) {
    std::vector<Rec> out;
    for (const Rec& r : rs)
        if (r.id == id) out.push_back(r);
    return out;
}

std::uint64_t bits(double v) {
    std::uint64_t b;
    std::memcpy(&b, &v, 8);
    return b;
}

// ------------------------------------------------------------ cell writer

TEST(CellWriter, OneMulRkForARunOfRkNumbers) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    for (int c = 0; c < 4; ++c) s.AddFloat(c, 0, c < 3 ? c + 1.0 : 0.1, 15);
    const std::vector<Rec> mulrk = only(written(xls), BIFFID_MULRK);
    ASSERT_EQ(mulrk.size(), 1u);
    const std::vector<std::uint8_t>& b = mulrk[0].body;
    ASSERT_EQ(b.size(), 6u + 6 * 4);
    EXPECT_EQ(u16(b, 0), 0);
    EXPECT_EQ(u16(b, 2), 0);
    const std::uint32_t expected[] = {0x3FF00000, 0x40000000, 0x40080000, 0x40240001};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(u16(b, 4 + 6 * i), 15);
        EXPECT_EQ(u32(b, 6 + 6 * i), expected[i]) << i;
    }
    EXPECT_EQ(u16(b, b.size() - 2), 3);
}

TEST(CellWriter, GapFlushesTheCacheAndWritesNumber) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    s.AddFloat(0, 0, 1.0, 15);
    s.AddFloat(2, 0, 2.0, 15);
    s.AddFloat(0, 1, 1.5e300, 15);
    const std::vector<Rec> rs = written(xls);
    const std::vector<Rec> rk = only(rs, BIFFID_RK), number = only(rs, BIFFID_NUMBER);
    ASSERT_EQ(rk.size(), 1u);
    EXPECT_EQ(u16(rk[0].body, 2), 0);
    ASSERT_EQ(number.size(), 2u);
    EXPECT_EQ(u16(number[0].body, 2), 2);
    EXPECT_EQ(u16(number[1].body, 0), 1);
    EXPECT_TRUE(only(rs, BIFFID_MULRK).empty());
}

TEST(CellWriter, BlankAndMulBlank) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    s.AddBlank(5, 0, 15);
    for (int c = 0; c < 3; ++c) s.AddBlank(c, 1, static_cast<std::uint16_t>(16 + c));
    const std::vector<Rec> rs = written(xls);
    ASSERT_EQ(only(rs, BIFFID_BLANK).size(), 1u);
    const std::vector<Rec> mul = only(rs, BIFFID_MULBLANK);
    ASSERT_EQ(mul.size(), 1u);
    EXPECT_EQ(mul[0].body.size(), 12u);
    EXPECT_EQ(u16(mul[0].body, 4), 16);
    EXPECT_EQ(u16(mul[0].body, 8), 18);
    EXPECT_EQ(u16(mul[0].body, 10), 2);
}

TEST(CellWriter, EmptyStringFormulaIsType3WithoutString) {
    TXLSMini xls;
    const std::uint8_t tokens[] = {0x17, 0, 0};  // ""
    xls.Sheets().Items(0).AddStringFormula(0, 0, u"", 15, tokens, 3);
    xls.Sheets().Items(0).AddStringFormula(1, 0, u"ab", 15, tokens, 3);
    const std::vector<Rec> rs = written(xls);
    const std::vector<Rec> f = only(rs, BIFFID_FORMULA);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0].body[6], 3);
    EXPECT_EQ(f[1].body[6], 0);
    EXPECT_EQ(u16(f[0].body, 20), 3);
    const std::vector<Rec> str = only(rs, BIFFID_STRING);
    ASSERT_EQ(str.size(), 1u);
    EXPECT_EQ(str[0].body, (std::vector<std::uint8_t>{2, 0, 1, 'a', 0, 'b', 0}));
}

TEST(CellWriter, ANumberFormulaWithoutTokensIsWrittenAsItsValue) {
    // Such a cell comes from an odd file (a BIFF4 FORMULA inside a BIFF8
    // sheet); a BIFF5/8 reader takes a tokenless FORMULA for no cell.
    TXLSMini xls;
    const std::uint8_t noTokens[] = {0x11, 0x00};  // bytes after the (empty) tokens
    xls.Sheets().Items(0).AddNumberFormula(2, 0, 7.0, 15, noTokens, 0, 2);
    const std::uint8_t tokens[] = {0x1E, 5, 0};  // 5
    xls.Sheets().Items(0).AddNumberFormula(3, 0, 5.0, 15, tokens, 3);
    const std::vector<Rec> rs = written(xls);
    const std::vector<Rec> number = only(rs, BIFFID_NUMBER);
    ASSERT_EQ(number.size(), 1u);
    EXPECT_EQ(u16(number[0].body, 2), 2);
    ASSERT_EQ(only(rs, BIFFID_FORMULA).size(), 1u);
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    TXLSMini back;
    back.ReadStream(&out);
    EXPECT_EQ(back.Sheets().Items(0).AsFloat(2, 0), 7.0);
    EXPECT_EQ(back.Sheets().Items(0).AsFloat(3, 0), 5.0);
}

TEST(CellWriter, LongFormulaTextContinues) {
    TXLSMini xls;
    const std::uint8_t tokens[] = {0x17, 0, 0};
    xls.Sheets().Items(0).AddStringFormula(0, 0, std::u16string(6000, u'x'), 15, tokens, 3);
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    const std::vector<Rec> rs = records(workbookStream(out));
    std::size_t i = 0;
    while (rs[i].id != BIFFID_STRING) ++i;
    EXPECT_LE(rs[i].body.size(), MaxRecordBodyBiff8);
    EXPECT_EQ(rs[i + 1].id, BIFFID_CONTINUE);
    EXPECT_EQ(rs[i + 1].body[0], 1);
    EXPECT_EQ(rs[i].body.size() - 3 + rs[i + 1].body.size() - 1, 12000u);
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "xlrd missing";
    test::TempDir dir;
    {
        std::ofstream f(dir.file("long.xls"), std::ios::binary);
        f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    }
    int status = 0;
    const std::string text = test::runPython(
        "import sys, xlrd\nb = xlrd.open_workbook(sys.argv[1])\nprint(len(b.sheet_by_index(0).cell_value(0, 0)))\n",
        dir.file("long.xls"), status);
    EXPECT_EQ(status, 0) << text;
    EXPECT_EQ(text, "6000\n");
}

TEST(CellWriter, ErrorCodesAndIndexZero) {
    TXLSMini xls;
    for (int i = 0; i <= 7; ++i) xls.Sheets().Items(0).AddError(i, 0, static_cast<std::uint8_t>(i), 15);
    const std::vector<Rec> be = only(written(xls), BIFFID_BOOLERR);
    ASSERT_EQ(be.size(), 8u);
    const std::uint8_t codes[] = {0x2A, 0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A};
    for (int i = 0; i <= 7; ++i) {
        EXPECT_EQ(be[static_cast<std::size_t>(i)].body[6], codes[i]) << i;
        EXPECT_EQ(be[static_cast<std::size_t>(i)].body[7], 1);
    }
}

TEST(CellWriter, RkOnlyWhenExact) {
    std::vector<double> values = {0.0, -0.0, 1.0, -1.0, 536870911.0, -536870912.0, 536870912.0, -536870913.0,
                                  std::numeric_limits<double>::denorm_min(), 4.9e-310, 1e300, -2.5};
    for (int k = -300; k <= 300; k += 7) {
        const double v = k / 100.0;
        values.push_back(v);
        values.push_back(std::nextafter(v, 1e9));
        values.push_back(std::nextafter(v, -1e9));
    }
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    for (std::size_t i = 0; i < values.size(); ++i) s.AddFloat(static_cast<int>(i % 200), static_cast<int>(i / 200), values[i], 15);
    for (double v : values) {
        std::uint32_t rk;
        if (EncodeRK(v, rk)) {
            EXPECT_EQ(bits(DecodeRK(rk)), bits(v)) << v;
        }
    }
    std::uint32_t rk = 0;
    EXPECT_TRUE(EncodeRK(0.01, rk));
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    TXLSMini back;
    back.ReadStream(&out);
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(bits(back.Sheets().Items(0).AsFloat(static_cast<int>(i % 200), static_cast<int>(i / 200))),
                  bits(values[i]))
            << values[i];
}

// ------------------------------------------------------------ writer

TEST(XLSWriter, FreshBiff8Globals) {
    TXLSMini xls;
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    const std::vector<Rec> rs = records(workbookStream(out));
    EXPECT_EQ(only(rs, BIFFID_FONT).size(), 4u);
    EXPECT_EQ(only(rs, BIFFID_XF).size(), 24u);
    EXPECT_EQ(only(rs, BIFFID_STYLE).size(), 6u);
    const std::vector<Rec> bs = only(rs, BIFFID_BOUNDSHEET), bofs = only(rs, BIFFID_BOF);
    ASSERT_EQ(bs.size(), 1u);
    ASSERT_EQ(bofs.size(), 2u);
    EXPECT_EQ(u32(bs[0].body, 0), bofs[1].offset);
    EXPECT_EQ(only(rs, BIFFID_TABID)[0].body, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(u16(only(rs, BIFFID_PASSWORD)[0].body, 0), 0);
    // A second write gives the same bytes, defaults included.
    std::vector<std::uint8_t> again;
    xls.WriteStream(&again);
    EXPECT_EQ(again, out);
}

TEST(XLSWriter, SelectedTabSetsOnlyThatWindow2) {
    TXLSMini xls;
    xls.Sheets().Add();
    xls.Workbook().SetSelectedTab(1);
    const std::vector<Rec> w2 = only(written(xls), BIFFID_WINDOW2);
    ASSERT_EQ(w2.size(), 2u);
    EXPECT_EQ(u16(w2[0].body, 0) & 0x0200, 0);
    EXPECT_EQ(u16(w2[1].body, 0) & 0x0200, 0x0200);
    EXPECT_EQ(u16(w2[0].body, 0) | 0x0200, u16(w2[1].body, 0));
}

TEST(XLSWriter, ChartBeforeItsSheet) {
    TXLSMini xls;
    xls.Sheets().Add();
    TSheetChart& chart = xls.Charts().Add();
    chart.SheetIndex = 0;
    chart.Name = u"Wykres";
    chart.Records.Add(BIFFID_BOF, {0, 6, 0x20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    chart.Records.Add(BIFFID_EOF, {});
    const std::vector<Rec> rs = written(xls);
    const std::vector<Rec> bs = only(rs, BIFFID_BOUNDSHEET), bofs = only(rs, BIFFID_BOF);
    ASSERT_EQ(bs.size(), 3u);
    ASSERT_EQ(bofs.size(), 4u);
    EXPECT_EQ(u16(bs[0].body, 4), 0x0200);
    EXPECT_EQ(u32(bs[0].body, 0), bofs[1].offset);
    EXPECT_EQ(u16(bofs[1].body, 2), 0x0020);
    EXPECT_EQ(u32(bs[1].body, 0), bofs[2].offset);
    EXPECT_EQ(u32(bs[2].body, 0), bofs[3].offset);
}

TEST(XLSWriter, Biff5LayoutsForANewWorkbook) {
    TXLSMini xls;
    xls.SetVersion(xvExcel50);
    ASSERT_TRUE(xls.Sheets().Items(0).SetName(u"Data"));
    xls.Sheets().Items(0).SetAsString(0, 0, u"Zażółć");
    const std::vector<Rec> rs = written(xls);
    ASSERT_EQ(only(rs, BIFFID_BOUNDSHEET).size(), 1u);
    EXPECT_EQ(only(rs, BIFFID_BOUNDSHEET)[0].body.size(), 11u);
    EXPECT_EQ(only(rs, BIFFID_BOF)[0].body.size(), 8u);
    EXPECT_EQ(u16(only(rs, BIFFID_BOF)[0].body, 0), 0x0500);
    EXPECT_EQ(only(rs, BIFFID_WRITEACCESS)[0].body.size(), 32u);
    EXPECT_EQ(u16(only(rs, BIFFID_CODEPAGE)[0].body, 0), 1250);
    EXPECT_EQ(only(rs, BIFFID_WINDOW2)[0].body.size(), 10u);
    EXPECT_EQ(only(rs, BIFFID_DIMENSIONS)[0].body.size(), 10u);
    EXPECT_EQ(only(rs, BIFFID_XF)[0].body.size(), 16u);
    EXPECT_TRUE(only(rs, BIFFID_SST).empty());
    ASSERT_EQ(only(rs, BIFFID_LABEL).size(), 1u);
    EXPECT_EQ(only(rs, BIFFID_LABEL)[0].body.size(), 8u + 6);
}

TEST(XLSWriter, Refusals) {
    for (TExcelVersion v : {xvExcel21, xvExcel30, xvNone, xvExcelUnknown}) {
        TXLSMini xls;
        xls.SetVersion(v);
        std::vector<std::uint8_t> out{1, 2, 3};
        try {
            xls.WriteStream(&out);
            ADD_FAILURE() << "written: " << int(v);
        } catch (const EXLSError& e) {
            EXPECT_EQ(e.kind(), XLSErrorKind::Refused);
        }
        EXPECT_EQ(out, (std::vector<std::uint8_t>{1, 2, 3}));
    }
    TXLSMini xls;
    std::vector<std::uint8_t> biff8;
    xls.Sheets().Items(0).AddFloat(0, 0, 1, 15);
    xls.WriteStream(&biff8);
    xls.ReadStream(&biff8);
    xls.SetVersion(xvExcel50);
    std::vector<std::uint8_t> out;
    try {
        xls.WriteStream(&out);
        ADD_FAILURE();
    } catch (const EXLSError& e) {
        EXPECT_EQ(e.kind(), XLSErrorKind::Refused);
    }
    EXPECT_TRUE(out.empty());
    // The plain BIFF4 sheet may be written from any workbook.
    xls.SetVersion(xvExcel40);
    EXPECT_NO_THROW(xls.WriteStream(&out));
    EXPECT_EQ(u16(out, 0), BIFFID_BOF4);
}

TEST(XLSWriter, FailedSaveKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.folder() + "zeszyt.xls";
    {
        std::ofstream old(path, std::ios::binary);
        old << "old bytes";
    }
    // The temporary file cannot be made, or not flushed to the device.
    TXLSMini xls;
    xls.Filename = path;
    for (const char* krok : {"create", "sync"}) {
        setFileFault([krok](std::string_view step) { return step == krok; });
        EXPECT_THROW(xls.Write(), EXLSError) << krok;
        setFileFault({});
        std::ifstream in(path, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(content, "old bytes") << krok;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.folder()), {}), 1) << krok;
    }
    // The rename fails (the target is a folder that is not empty): no
    // temporary file is left.
    const std::string folder = dir.folder() + "teczka.xls";
    std::filesystem::create_directories(folder + "/x");
    xls.Filename = folder;
    EXPECT_THROW(xls.Write(), EXLSError);
    EXPECT_FALSE(std::filesystem::exists(folder + ".zapis~"));
    // And a good save.
    xls.Filename = path;
    xls.Write();
    EXPECT_GT(std::filesystem::file_size(path), 512u);
}

TEST(XLSWriter, ProgressRisesTo100) {
    TXLSMini xls;
    TSheet& s = xls.Sheets().Items(0);
    for (int r = 0; r < 300; ++r)
        for (int c = 0; c < 10; ++c) s.AddFloat(c, r, r * 10 + c + 0.5, 15);
    std::vector<int> seen;
    xls.OnProgress = [&](int p) { seen.push_back(p); };
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i], seen[i - 1]);
}

// ------------------------------------------------------------ round trips

void fillMixed(TXLSMini& xls, int rows) {
    TSheet& s = xls.Sheets().Items(0);
    const std::uint8_t tokens[] = {0x1E, 7, 0};  // 7
    for (int r = 0; r < rows; ++r) {
        s.AddFloat(0, r, r, 15);
        s.AddFloat(1, r, r / 100.0 + 0.001, 15);
        s.SetAsString(2, r, u"tekst " + utf8ToUtf16(std::to_string(r % 50)) + u" łódź");
        s.AddBoolean(3, r, static_cast<std::uint8_t>(r & 1), 15);
        s.AddError(4, r, static_cast<std::uint8_t>(1 + r % 7), 15);
        s.AddBlank(5, r, 15);
        s.AddFloat(6, r, -1.5e300 * (r + 1), 15);
        s.AddNumberFormula(7, r, 7, 15, tokens, 3);
        s.SetAsString(8, r, u"");
        s.AddFloat(9, r, 1e-7 * r, 15);
    }
}

// Cells as "row col kind value" lines (blanks left out).
std::set<std::string> cellLines(TXLSMini& xls, int sheet) {
    std::set<std::string> out;
    TSheet& s = xls.Sheets().Items(sheet);
    s.Cells().BeginIterate();
    while (TCell* cell = s.Cells().Next()) {
        const int col = static_cast<int>(cell->Key & 255), row = static_cast<int>(cell->Key >> 8);
        const TCellType t = cell->CellType() & 127;
        if (t == ctBlank) continue;
        char v[64];
        std::string value;
        int kind;
        if (t == ctString || t == ctStringFormula) {
            kind = 1;
            value = utf16ToUtf8(s.AsString(col, row));
        } else if (t == ctFloat || t == ctNumberFormula) {
            kind = 2;
            std::snprintf(v, sizeof v, "%.17g", s.AsFloat(col, row));
            value = v;
        } else if (t == ctBoolean) {
            kind = 4;
            value = std::to_string(static_cast<TBooleanCell*>(cell)->Value);
        } else if (t == ctError) {
            kind = 5;
            value = std::to_string(ErrorIndexToCode(static_cast<TErrorCell*>(cell)->ErrorIndex));
        } else {
            continue;
        }
        out.insert(std::to_string(row) + "\t" + std::to_string(col) + "\t" + std::to_string(kind) + "\t" + value);
    }
    return out;
}

const char* const XlrdDump =
    "import sys, xlrd\n"
    "b = xlrd.open_workbook(sys.argv[1], formatting_info=True, logfile=open(\"/dev/null\", \"w\"))\n"
    "out = [\"V\\t%d\" % b.biff_version, \"U\\t%s\" % b.user_name]\n"
    "for si, s in enumerate(b.sheets()):\n"
    "    out.append(\"S\\t%d\\t%s\\t%d\" % (si, s.name, s.visibility))\n"
    "    if si: continue\n"
    "    for r in range(s.nrows):\n"
    "        for c in range(s.ncols):\n"
    "            cell = s.cell(r, c)\n"
    "            t = cell.ctype\n"
    "            if t in (0, 6): continue\n"
    "            if t == 3: t = 2\n"
    "            if t == 1: v = cell.value\n"
    "            elif t == 2: v = \"%.17g\" % cell.value\n"
    "            else: v = \"%d\" % cell.value\n"
    "            out.append(\"%d\\t%d\\t%d\\t%s\" % (r, c, t, v))\n"
    "sys.stdout.buffer.write(\"\\n\".join(out).encode(\"utf-8\"))\n";

struct XlrdView {
    int biffVersion = 0;
    std::string userName;
    std::vector<std::string> sheets;
    std::set<std::string> cells;
};

bool xlrdView(const std::string& path, XlrdView& view) {
    int status = 0;
    const std::string text = test::runPython(XlrdDump, path, status);
    if (status != 0) {
        ADD_FAILURE() << "xlrd failed: " << text;
        return false;
    }
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("V\t", 0) == 0) view.biffVersion = std::stoi(line.substr(2));
        else if (line.rfind("U\t", 0) == 0) view.userName = line.substr(2);
        else if (line.rfind("S\t", 0) == 0) view.sheets.push_back(line.substr(2));
        else view.cells.insert(line);
    }
    return true;
}

void saveBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class FreshWorkbook : public ::testing::TestWithParam<TExcelVersion> {};

TEST_P(FreshWorkbook, OurReaderAndXlrdAgree) {
    const TExcelVersion version = GetParam();
    TXLSMini xls;
    xls.SetVersion(version);
    xls.SetUserName(u"Jan Kowalski");
    fillMixed(xls, 120);
    std::vector<std::uint8_t> out;
    if (version == xvExcel40) {
        // A BIFF4 file holds one sheet: a second is refused, never dropped.
        TXLSMini two;
        two.SetVersion(version);
        two.Sheets().Add();
        EXPECT_THROW(two.WriteStream(&out), EXLSError);
    } else {
        xls.Sheets().Add().SetName(u"Ukryty");
        xls.Sheets().Items(1).Hidden = hsHidden;
    }
    xls.WriteStream(&out);

    // Formula cells below BIFF5 go out as their cached value.
    std::set<std::string> expected = cellLines(xls, 0);
    TXLSMini back;
    back.ReadStream(&out);
    EXPECT_EQ(back.Version(), version);
    EXPECT_EQ(cellLines(back, 0), expected);
    std::vector<std::uint8_t> again;
    back.WriteStream(&again);
    TXLSMini third;
    third.ReadStream(&again);
    EXPECT_EQ(cellLines(third, 0), expected);

    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "xlrd missing";
    test::TempDir dir;
    const std::string path = dir.folder() + "fresh.xls";
    saveBytes(path, out);
    XlrdView view;
    ASSERT_TRUE(xlrdView(path, view));
    EXPECT_EQ(view.cells, expected);
    if (version == xvExcel97) {
        EXPECT_EQ(view.biffVersion, 80);
        EXPECT_EQ(view.userName, "Jan Kowalski");
        EXPECT_EQ(view.sheets, (std::vector<std::string>{"0\tSheet1\t0", "1\tUkryty\t1"}));
    } else if (version == xvExcel50) {
        EXPECT_TRUE(view.biffVersion == 50 || view.biffVersion == 70) << view.biffVersion;
        EXPECT_EQ(view.sheets, (std::vector<std::string>{"0\tSheet1\t0", "1\tUkryty\t1"}));
    } else {
        EXPECT_EQ(view.biffVersion, 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Versions, FreshWorkbook, ::testing::Values(xvExcel97, xvExcel50, xvExcel40));

TEST(XLSRoundTrip, FixturesKeepTheirRecordsAndCells) {
    for (const char* name : {"lo-biff8.xls", "nazwy-formuly.xls", "polskie-biff8.xls", "polskie-biff5.xls"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name;
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)), {});
        ASSERT_FALSE(input.empty());
        TXLSMini xls;
        xls.ReadStream(&input);
        std::vector<std::set<std::string>> cells;
        for (int i = 0; i < xls.Sheets().Count(); ++i) cells.push_back(cellLines(xls, i));
        std::vector<std::uint8_t> out;
        xls.WriteStream(&out);
        TXLSMini back;
        back.ReadStream(&out);
        ASSERT_EQ(back.Sheets().Count(), xls.Sheets().Count());
        for (int i = 0; i < back.Sheets().Count(); ++i) {
            EXPECT_EQ(back.Sheets().Items(i).Name(), xls.Sheets().Items(i).Name());
            EXPECT_EQ(cellLines(back, i), cells[static_cast<std::size_t>(i)]);
        }
        // Written again, the same bytes.
        std::vector<std::uint8_t> again;
        xls.WriteStream(&again);
        EXPECT_EQ(again, out);

        if (!test::requireOracle("xlrd")) continue;
        test::TempDir dir;
        saveBytes(dir.folder() + "out.xls", out);
        XlrdView a, b;
        ASSERT_TRUE(xlrdView(path, a));
        ASSERT_TRUE(xlrdView(dir.folder() + "out.xls", b));
        EXPECT_EQ(b.cells, a.cells);
        EXPECT_EQ(b.sheets, a.sheets);
        EXPECT_EQ(b.biffVersion, a.biffVersion);
    }
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

const char* const OleDump =
    "import sys, olefile, hashlib\n"
    "o = olefile.OleFileIO(sys.argv[1])\n"
    "out = [\"R\\t%s\" % o.root.clsid]\n"
    "for e in sorted(o.listdir(streams=True, storages=True)):\n"
    "    p = \"/\".join(e)\n"
    "    if o.get_type(e) == olefile.STGTY_STREAM:\n"
    "        if e[-1] in (\"Workbook\", \"Book\"): out.append(\"W\\t\" + p); continue\n"
    "        out.append(\"S\\t%s\\t%s\" % (p, hashlib.md5(o.openstream(e).read()).hexdigest()))\n"
    "    else:\n"
    "        out.append(\"D\\t%s\\t%s\" % (p, o.getclsid(e)))\n"
    "print(\"\\n\".join(out))\n";

TEST(XLSRoundTrip, KeptStreamsAndStoragesComeBack) {
    if (!test::requireOracle("olefile")) GTEST_SKIP() << "olefile missing";
    for (const char* name : {"lo-biff8.xls", "polskie-biff5.xls"}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name;
        std::ifstream in(path, std::ios::binary);
        std::vector<std::uint8_t> input((std::istreambuf_iterator<char>(in)), {});
        TXLSMini xls;
        xls.ReadStream(&input);
        test::TempDir dir;
        xls.Filename = dir.file("out.xls");
        xls.Write();
        int s1 = 0, s2 = 0;
        const std::string a = test::runPython(OleDump, path, s1);
        const std::string b = test::runPython(OleDump, dir.file("out.xls"), s2);
        ASSERT_EQ(s1, 0) << a;
        ASSERT_EQ(s2, 0) << b;
        EXPECT_EQ(b, a);
        EXPECT_NE(a.find("\nS\t"), std::string::npos) << "the fixture keeps no other stream";
    }
}

class LargeWorkbook : public ::testing::TestWithParam<TExcelVersion> {};

// 20,000 rows in BIFF8; BIFF5 sheets end at row 16,384 (xlrd refuses more).
TEST_P(LargeWorkbook, ManyRowsEqualInXlrd) {
    TXLSMini xls;
    xls.SetVersion(GetParam());
    const int rows = GetParam() == xvExcel97 ? 20000 : 16384;
    fillMixed(xls, rows);
    std::vector<int> seen;
    xls.OnProgress = [&](int p) { seen.push_back(p); };
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 0);
    EXPECT_EQ(seen.back(), 100);
    for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i], seen[i - 1]);
    const std::set<std::string> expected = cellLines(xls, 0);
    EXPECT_EQ(expected.size(), static_cast<std::size_t>(rows) * 9);
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "xlrd missing";
    test::TempDir dir;
    saveBytes(dir.file("big.xls"), out);
    XlrdView view;
    ASSERT_TRUE(xlrdView(dir.file("big.xls"), view));
    EXPECT_EQ(view.cells, expected);
}

INSTANTIATE_TEST_SUITE_P(Versions, LargeWorkbook, ::testing::Values(xvExcel97, xvExcel50));

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(XLSRoundTrip, NamesDecompileInXlrd) {
    TXLSMini xls;
    xls.Sheets().Add().SetName(u"Dane");
    TInternalNames& names = xls.FormulaHandler().InternalNames();
    TInternalName& area = names.Add();
    area.SetName(u"Zakres");
    area.SetDefinition(u"Dane!$A$1:$C$4");
    TInternalName& sum = names.Add();
    sum.SetName(u"Suma");
    sum.SetDefinition(u"1+2*3");
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    TXLSMini back;
    back.ReadStream(&out);
    ASSERT_EQ(back.FormulaHandler().InternalNames().Count(), 2);
    EXPECT_EQ(back.FormulaHandler().InternalNames()[0].Definition(), u"Dane!$A$1:$C$4");
    EXPECT_EQ(back.FormulaHandler().InternalNames()[1].Definition(), u"1+2*3");
    if (!test::requireOracle("xlrd")) GTEST_SKIP() << "xlrd missing";
    test::TempDir dir;
    saveBytes(dir.file("names.xls"), out);
    int status = 0;
    const std::string text = test::runPython(
        "import sys, xlrd\n"
        "b = xlrd.open_workbook(sys.argv[1])\n"
        "z = b.name_map[\"zakres\"][0]\n"
        "sh, r0, r1, c0, c1 = z.area2d(clipped=False)\n"
        "print(sh.name, r0, r1, c0, c1)\n"
        "s = b.name_map[\"suma\"][0]\n"
        "print(s.result.value[0] if isinstance(s.result.value, list) else s.result.value)\n",
        dir.file("names.xls"), status);
    EXPECT_EQ(status, 0) << text;
    EXPECT_EQ(text, "Dane 0 4 0 3\n7.0\n");
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

// Sheets read from damaged BIFF5 files: the list of kept records may lack the
// cell placeholder (no DIMENSIONS, no EOF) or hold an EOF of an embedded
// substream. Written again, every sheet keeps its cells and ends in one EOF.
struct DamagedSheet {
    const char* name;
    std::vector<test::Rec> first;   // records of sheet 1 after its BOF
    bool cutShort;                  // the stream ends inside sheet 1 (no EOF)
};

test::Rec number5(unsigned row, unsigned col, double v) {
    return {BIFFID_NUMBER, test::B().u16(row).u16(col).u16(15).f64(v)};
}

TEST(XLSRoundTrip, DamagedSheetListsKeepTheirCells) {
    const test::Rec unknownBof = {BIFFID_BOF, test::B().u16(0x0500).u16(0x0200).u16(0).u16(0)};
    const std::vector<DamagedSheet> cases = {
        {"no DIMENSIONS", {number5(0, 0, 1.5), number5(2, 1, -4)}, false},
        {"no DIMENSIONS, no EOF", {number5(0, 0, 1.5), number5(2, 1, -4)}, true},
        {"embedded BOF/EOF before the cells",
         {unknownBof, test::eof(), number5(0, 0, 1.5), number5(2, 1, -4),
          {BIFFID_DIMENSIONS, test::B().u16(0).u16(3).u16(0).u16(2).u16(0)}},
         false},
    };
    for (const DamagedSheet& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::uint8_t> stream = test::bookStream(
            false, {}, {{u"Arkusz", 0, 0, c.first}, {u"Drugi", 0, 0, {number5(1, 1, 7)}}});
        if (c.cutShort) {
            // Only sheet 1, ended by the stream: drop its EOF and sheet 2.
            stream = test::bookStream(false, {}, {{u"Arkusz", 0, 0, c.first}});
            stream.resize(stream.size() - 4);
        }
        const std::vector<std::uint8_t> input = test::compound(stream, "Book");
        TXLSMini xls;
        xls.ReadStream(&input);
        ASSERT_EQ(xls.Version(), xvExcel50);
        std::vector<std::set<std::string>> cells;
        for (int i = 0; i < xls.Sheets().Count(); ++i) cells.push_back(cellLines(xls, i));
        ASSERT_EQ(cells[0].size(), 2u);
        std::vector<std::uint8_t> out;
        xls.WriteStream(&out);
        TXLSMini back;
        back.ReadStream(&out);
        ASSERT_EQ(back.Sheets().Count(), xls.Sheets().Count());
        for (int i = 0; i < back.Sheets().Count(); ++i) {
            EXPECT_EQ(back.Sheets().Items(i).Name(), xls.Sheets().Items(i).Name());
            EXPECT_EQ(cellLines(back, i), cells[static_cast<std::size_t>(i)]) << "sheet " << i;
        }
        // Every worksheet substream holds exactly one EOF, its last record.
        const std::vector<Rec> rs = records(workbookStream(out));
        int bofs = 0, eofs = 0;
        for (const Rec& r : rs) {
            if (r.id == BIFFID_BOF) {
                EXPECT_EQ(bofs, eofs) << "BOF inside a substream at " << r.offset;
                ++bofs;
            }
            if (r.id == BIFFID_EOF) ++eofs;
        }
        EXPECT_EQ(bofs, eofs);
        EXPECT_EQ(bofs, 1 + xls.Sheets().Count());
    }
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

// The records of each substream of a written workbook, the globals first.
std::vector<std::vector<Rec>> substreams(const std::vector<std::uint8_t>& file) {
    std::vector<std::vector<Rec>> out;
    for (Rec& r : records(workbookStream(file)))
        if (r.id == BIFFID_BOF || !out.empty()) (r.id == BIFFID_BOF ? out.emplace_back() : out.back()).push_back(r);
    return out;
}

TEST(XLSRoundTrip, PrintSettingsAfterLaterDefaultsKeepTheFilesValues) {
    // LibreOffice's order: PRINTHEADERS, PRINTGRIDLINES, GRIDSET after WSBOOL.
    const std::vector<test::Rec> sheet = {{BIFFID_WSBOOL, test::B().u16(0x04C1)}, {BIFFID_PRINTHEADERS, test::B().u16(1)},
                                          {BIFFID_PRINTGRIDLINES, test::B().u16(1)}, {BIFFID_GRIDSET, test::B().u16(1)}};
    const auto input = test::compound(test::bookStream(true, {}, {{u"A", 0, 0, sheet}, {u"B", 0, 0, sheet}}));
    TXLSMini xls, back;
    xls.ReadStream(&input);
    EXPECT_TRUE(xls.Sheets().Items(0).Records().PrintGridlines() && xls.Sheets().Items(0).Records().PrintHeaders());
    xls.Sheets().Items(0).Records().SetPrintGridlines(false);
    std::vector<std::uint8_t> out;
    xls.WriteStream(&out);
    back.ReadStream(&out);
    EXPECT_FALSE(back.Sheets().Items(0).Records().PrintGridlines());
    EXPECT_TRUE(back.Sheets().Items(1).Records().PrintGridlines() && back.Sheets().Items(0).Records().PrintHeaders());
}

TEST(XLSRoundTrip, OneOfEachDefaultRecordAndOneTabIdAfterTenSaves) {
    std::ifstream in(std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/lo-biff8.xls", std::ios::binary);
    const std::vector<test::Rec> twice = {{BIFFID_TABID, test::B().u16(1)}, {BIFFID_TABID, test::B().u16(1)}};
    for (const auto& input : {std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), {}),
                              test::compound(test::bookStream(true, twice, {{u"A", 0, 0, {}}}))}) {
        std::vector<std::uint8_t> file = input;
        for (int save = 0; save < 10; ++save) {
            TXLSMini xls;
            xls.ReadStream(&file);
            xls.WriteStream(&file);
        }
        const auto streams = substreams(file), source = substreams(input);
        ASSERT_EQ(streams.size(), source.size());
        EXPECT_EQ(only(streams[0], BIFFID_TABID).at(0).body.size(), 2u * (streams.size() - 1));
        for (std::size_t i = 0; i < streams.size(); ++i) {
            EXPECT_EQ(only(streams[i], BIFFID_ROW).size(), only(source[i], BIFFID_ROW).size());
            for (std::uint16_t id : {BIFFID_PRINTGRIDLINES, BIFFID_PRINTHEADERS, BIFFID_GRIDSET, BIFFID_RECALCID, BIFFID_TABID}) {
                const std::size_t n = only(streams[i], id).size();  // one, or none where the source has none
                EXPECT_TRUE(n == 1 || (n == 0 && only(source[i], id).empty())) << i << " " << id << ": " << n;
            }
        }
    }
}

TEST(XLSWriter, Biff5RefusesFunctionsItLacks) {
    // Formula (none: BIFF8 tokens calling function 400) and what is refused; "" is written.
    for (const auto& [formula, refused] : std::vector<std::pair<std::u16string, std::string>>{
             {u"AVERAGEA(1)", "AVERAGEA"}, {u"MAXA(1)", "MAXA"}, {u"MINA(1)", "MINA"}, {u"VARA(1,2)", "VARA"},
             {u"STDEVA(1,2)", "STDEVA"}, {u"HYPERLINK(\"x\")", "HYPERLINK"}, {u"", "number 400"}, {u"ROMAN(4)", ""}}) {
        TXLSMini xls;
        xls.SetVersion(xvExcel50);
        std::vector<std::uint8_t> tokens = {0x1E, 1, 0, 0x42, 1, 0x90, 0x01}, out;
        if (!formula.empty()) tokens.resize(512), tokens.resize(xls.FormulaHandler().Encoder().Encode(formula, 0x40, false, tokens) + 0u);
        xls.Sheets().Items(0).AddNumberFormula(0, 0, 0, 15, tokens.data(), tokens.size());
        try {
            xls.WriteStream(&out);
            EXPECT_EQ(refused, "");
        } catch (const EXLSError& e) {
            EXPECT_NE(e.message().find("cannot hold the function " + refused), std::string::npos) << e.message();
            EXPECT_TRUE(e.kind() == XLSErrorKind::Refused && out.empty() && !refused.empty());
        }
    }
}

}  // namespace
}  // namespace vesk
