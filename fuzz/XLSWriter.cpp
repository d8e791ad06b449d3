// Any bytes that the workbook component reads are written back in the same
// family (BIFF5 or BIFF8 compound documents; BIFF2 to BIFF4 files as the
// plain BIFF4 sheet of sheet 0) to memory and read again: that must succeed
// and give the same cells. Only EXLSError may come out of the first read
// and the write.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "EXLSError.h"
#include "XLSMini.h"
#include "XLSUtilsMini.h"

using namespace vesk;

namespace {

// Cells of the sheets as comparable lines (kind and value; the plain sheet
// writes formulas that it cannot keep as their value).
std::set<std::string> cells(TXLSMini& xls, int sheets) {
    std::set<std::string> out;
    for (int i = 0; i < sheets && i < xls.Sheets().Count(); ++i) {
        TSheet& s = xls.Sheets().Items(i);
        s.Cells().BeginIterate();
        while (TCell* cell = s.Cells().Next()) {
            const int col = static_cast<int>(cell->Key & 255), row = static_cast<int>((cell->Key >> 8) & 0xFFFF);
            const TCellType t = cell->CellType() & 127;
            std::string line = std::to_string(i) + ":" + std::to_string(row) + ":" + std::to_string(col) + ":";
            std::uint64_t bits = 0;
            switch (t) {
                case ctFloat: case ctNumberFormula: {
                    const double v = s.AsFloat(col, row);
                    std::memcpy(&bits, &v, 8);
                    line += "n" + std::to_string(bits);
                    break;
                }
                case ctString: case ctStringFormula: {
                    const std::u16string text = s.AsString(col, row);
                    line += "s" + std::to_string(text.size());
                    break;
                }
                case ctArrayFormula: {  // the cached result's bytes and text
                    const auto* a = static_cast<TArrayFormulaCell*>(cell);
                    std::memcpy(&bits, &a->Value, 8);
                    line += "a" + std::to_string(bits) + ":" + std::to_string(a->Text.size());
                    break;
                }
                case ctBoolean: line += "b" + std::to_string(static_cast<TBooleanCell*>(cell)->Value != 0); break;
                case ctError: line += "e" + std::to_string(ErrorIndexToCode(static_cast<TErrorCell*>(cell)->ErrorIndex)); break;
                default: continue;
            }
            out.insert(line);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    TXLSMini xls;
    try {
        xls.ReadStream(&bytes);
    } catch (const EXLSError&) {
        return 0;
    }
    const TExcelVersion read = xls.Version();
    if (read == xvExcel21 || read == xvExcel30) xls.SetVersion(xvExcel40);
    const bool plain = xls.Version() < xvExcel50;
    // BIFF3 and BIFF4 files are written back with their formulas (array
    // formulas with their ARRAY records), BIFF2 files with values only.
    const bool sameCells = !plain || read != xvExcel21;
    const std::set<std::string> before = cells(xls, plain ? 1 : xls.Sheets().Count());
    std::vector<std::uint8_t> out;
    try {
        xls.WriteStream(&out);
    } catch (const EXLSError&) {
        return 0;
    }
    TXLSMini back;
    back.ReadStream(&out);  // must not fail
    if (!plain && back.Sheets().Count() != xls.Sheets().Count()) std::abort();
    // Formula cells of a BIFF2 sheet come back as plain cells of their
    // value: only its count is compared.
    const std::set<std::string> after = cells(back, plain ? 1 : back.Sheets().Count());
    if (sameCells && after != before) std::abort();
    if (after.size() != before.size()) std::abort();
    return 0;
}
