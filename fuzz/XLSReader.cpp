// Any bytes read by the workbook component: as a workbook file (plain or
// compound) and as the workbook stream of a compound document; then every
// cell read through CellType, AsString and AsFormula. Only EXLSError may
// come out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "CompoundFile.h"
#include "EXLSError.h"
#include "XLSMini.h"

using namespace vesk;

namespace {

void visit(TXLSMini& xls) {
    for (int i = 0; i < xls.Sheets().Count(); ++i) {
        TSheet& sheet = xls.Sheets().Items(i);
        sheet.Cells().BeginIterate();
        while (TCell* cell = sheet.Cells().Next()) {
            const int col = static_cast<int>(cell->Key & 255), row = static_cast<int>((cell->Key >> 8) & 0xFFFF);
            const TCellType type = sheet.CellType(col, row);
            sheet.AsString(col, row);
            sheet.AsFloat(col, row);
            if (type >= ctNumberFormula) {
                try {
                    sheet.AsFormula(col, row);
                    xls.ShowFormulas = true;
                    sheet.AsString(col, row);
                } catch (const EXLSError&) {
                }
                xls.ShowFormulas = false;
            }
        }
        sheet.CalcDimensions();
    }
    xls.FindText(u"a", true);
}

void readAll(const std::vector<std::uint8_t>& bytes) {
    TXLSMini xls;
    try {
        xls.ReadStream(&bytes);
    } catch (const EXLSError&) {
    }
    // What was read up to a failure stays usable.
    visit(xls);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> input(data, data + size);
    readAll(input);
    if (isCompoundFile(data, size)) return 0;
    CompoundEntry root;
    root.name = "Root Entry";
    root.storage = true;
    CompoundEntry book;
    book.name = size > 0 && (data[0] & 1) ? "Book" : "Workbook";
    book.data = input;
    root.children.push_back(std::move(book));
    std::vector<std::uint8_t> document;
    try {
        document = writeCompoundFile(root);
    } catch (const CompoundFileError&) {
        return 0;
    }
    readAll(document);
    return 0;
}
