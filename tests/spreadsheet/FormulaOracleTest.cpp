// A workbook of formulas and names saved by LibreOffice: every formula
// decodes to LibreOffice's own formula export, and the names equal xlrd's.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "EXLSError.h"
#include "FormulaHandler.h"
#include "XLSOracle.h"
#include "XLSStreamMini.h"

namespace vesk {
namespace {

std::string fixture(const std::string& name) { return std::string(VESK_SOURCE_DIR) + "tests/spreadsheet/data/" + name; }

struct Formula {
    int sheet, row, col;
    std::vector<std::uint8_t> buffer;  // tokens, then array data
    std::size_t length;
};

struct Read {
    std::vector<std::u16string> sheets;
    std::vector<Formula> formulas;
};

Read readFixture(TFormulaHandler& h)
{
    Read r;
    TXLSStream s;
    EXPECT_EQ(s.Open(fixture("nazwy-formuly.xls")), xvExcel97);
    TRecordHeader header;
    std::vector<std::uint8_t> body;
    int sheet = -1;
    while (s.ReadRecord(header, body)) {
        TRecordBody b(body, header.Id, s.LastHeaderPosition());
        switch (header.Id) {
        case BIFFID_BOF: ++sheet; break;
        case BIFFID_BOUNDSHEET: {
            std::size_t n = b.u8(6);
            std::u16string name;
            for (std::size_t i = 0; i < n; ++i)
                name += (b.u8(7) & 1) ? static_cast<char16_t>(b.u16(8 + 2 * i)) : static_cast<char16_t>(b.u8(8 + i));
            r.sheets.push_back(name);
            break;
        }
        case BIFFID_SUPBOOK: h.ExternalNames().ReadSupBook(b); break;
        case BIFFID_EXTERNSHEET: h.ExternalNames().ReadExternSheet(b); break;
        case BIFFID_NAME: h.InternalNames().Add(b); break;
        case BIFFID_FORMULA: {
            std::size_t length = b.u16(20);
            b.need(22, length);
            r.formulas.push_back({sheet - 1, b.u16(0), b.u16(2), std::vector<std::uint8_t>(body.begin() + 22, body.end()),
                                  length});
            break;
        }
        default: break;
        }
    }
    return r;
}

// The cells of a CSV export: (row, column) to text.
std::map<std::pair<int, int>, std::string> readCsv(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string text = ss.str();
    std::map<std::pair<int, int>, std::string> cells;
    int row = 0, col = 0;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',' || c == '\n') {
            cells[{row, col}] = cell;
            cell.clear();
            ++col;
            if (c == '\n')
                ++row, col = 0;
        } else if (c != '\r') {
            cell += c;
        }
    }
    return cells;
}

// LibreOffice's "=$'Dane 2'.A1" is "'Dane 2'!A1" here.
std::string normalise(const std::string& formula)
{
    static const std::regex sheet(R"(\$('(?:[^']|'')*'|[A-Za-z0-9_]+)\.)");
    return std::regex_replace(formula.substr(formula[0] == '=' ? 1 : 0), sheet, "$1!");
}

TEST(FormulaOracle, LibreOfficeFormulasDecodeToItsExport)
{
    TFormulaHandler h;
    Read r;
    h.OnSheetName = [&r](int i) {
        return i >= 0 && static_cast<std::size_t>(i) < r.sheets.size() ? r.sheets[static_cast<std::size_t>(i)]
                                                                       : std::u16string();
    };
    r = readFixture(h);
    ASSERT_EQ(r.sheets.size(), 2u);
    int compared = 0;
    for (std::size_t s = 0; s < r.sheets.size(); ++s) {
        auto cells = readCsv(fixture("nazwy-formuly-" + utf16ToUtf8(r.sheets[s]) + ".csv"));
        for (const Formula& f : r.formulas) {
            if (f.sheet != static_cast<int>(s) || (f.length > 0 && f.buffer[0] == 0x01))
                continue;
            auto it = cells.find({f.row, f.col});
            ASSERT_NE(it, cells.end());
            EXPECT_EQ(utf16ToUtf8(h.DecodeFormula(f.buffer, f.length, f.row, f.col, f.sheet)), normalise(it->second))
                << "sheet " << s << " row " << f.row << " col " << f.col;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 11);
}

TEST(FormulaOracle, NamesEqualXlrds)
{
    if (!test::requireOracle("xlrd"))
        GTEST_SKIP() << "xlrd missing";
    TFormulaHandler h;
    Read r = readFixture(h);
    const std::string script =
        "import sys, xlrd\n"
        "b = xlrd.open_workbook(sys.argv[1])\n"
        "for n in b.name_obj_list:\n"
        "    s, r0, r1, c0, c1 = n.area2d()\n"
        "    print(n.name, n.scope, n.builtin, b.sheet_names().index(s.name), r0, r1, c0, c1)\n";
    int status = 0;
    std::string expected = test::runPython(script, fixture("nazwy-formuly.xls"), status);
    ASSERT_EQ(status, 0) << expected;
    std::string ours;
    const TInternalNames& names = h.InternalNames();
    for (int i = 0; i < names.Count(); ++i) {
        const TInternalName& n = names[i];
        std::string name = n.BuiltInName() != bnNone ? utf16ToUtf8(BuiltInNameText(n.BuiltInName()))
                                                      : utf16ToUtf8(n.Name());
        ours += name + " " + std::to_string(static_cast<int>(n.SheetIndex) - 1) + " " +
                (n.BuiltInName() != bnNone ? "1" : "0") + " " +
                std::to_string(h.ExternalNames().InternalSheet(n.Sheet())) + " " + std::to_string(n.Row1()) + " " +
                std::to_string(n.Row2() + 1) + " " + std::to_string(n.Col1() & 0xFF) + " " +
                std::to_string((n.Col2() & 0xFF) + 1) + "\n";
    }
    EXPECT_EQ(ours, expected);
    EXPECT_EQ(names.Count(), 4);
}

}  // namespace
}  // namespace vesk
