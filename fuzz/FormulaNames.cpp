// Formula tokens and name records from a workbook. First byte: bits 0-3
// choose the reader (0-4: decoding as BIFF2, BIFF3, BIFF4, BIFF5, BIFF8;
// 5, 6: shared-formula conversion as BIFF5, BIFF8; 7: NAME; 8: SUPBOOK;
// 9: EXTERNNAME; 10: EXTERNSHEET; 11: CRN; others: a record walk where each
// record is a type byte, a length byte and the body). Second byte: the
// token length of a decoding (the rest is array data).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "EXLSError.h"
#include "FormulaHandler.h"
#include "XLSStreamMini.h"

namespace {

using namespace vesk;

std::u16string stub(int kind, int index, int nameIndex)
{
    if (kind == nrExternSheet && index % 3 == 0)
        return u"'C:\\[x.xls]S'!";
    return std::u16string(static_cast<std::size_t>((index + nameIndex + 2) % 5), u'n');
}

void readRecord(TFormulaHandler& h, unsigned type, const std::uint8_t* data, std::size_t size)
{
    TRecordBody body(data, size, 0);
    switch (type) {
    case 7: h.InternalNames().Add(body); break;
    case 8: h.ExternalNames().ReadSupBook(body); break;
    case 9: h.ExternalNames().ReadExternName(body); break;
    case 10: h.ExternalNames().ReadExternSheet(body); break;
    default: h.ExternalNames().AddCRN(size % 3, body); break;
    }
}

// Everything read is asked for its texts and written.
void exercise(TFormulaHandler& h)
{
    TInternalNames& names = h.InternalNames();
    for (int i = 0; i < names.Count(); ++i) {
        try {
            (void)names[i].Definition();
        } catch (const EXLSError&) {
        }
        (void)names[i].Name();
        (void)names[i].BuiltInName();
    }
    const TExternalNames& ext = h.ExternalNames();
    for (int i = -1; i <= static_cast<int>(ext.ExtSheets().size()); ++i)
        for (int n = -1; n < 3; ++n)
            (void)h.Resolver()(nrExternSheet, i, n);
    std::vector<std::uint8_t> target;
    TXLSStream s;
    s.SetTarget(&target);
    s.SetMaxBodySize(8224);
    s.Create("", xvExcel97);
    h.ExternalNames().Write(s);
    names.Write(s, xvExcel97);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const unsigned mode = data[0] & 15;
    const std::uint8_t* rest = data + 2;
    const std::size_t n = size - 2;
    TFormulaHandler h;
    h.OnSheetName = [](int i) { return i % 4 == 3 ? std::u16string() : std::u16string(u"Arkusz 1"); };
    h.OnSheetLookup = [](std::u16string_view, int& count) {
        count = 3;
        return 1;
    };
    try {
        if (mode <= 4) {
            static const TExcelVersion versions[] = {xvExcel21, xvExcel30, xvExcel40, xvExcel50, xvExcel97};
            std::vector<std::uint8_t> buffer(rest, rest + n);
            (void)DecodeFormula(versions[mode], buffer, data[1], (data[0] & 16) ? TNameResolver(stub) : nullptr,
                                data[1] * 7, data[1] % 13, 0);
        } else if (mode <= 6) {
            std::vector<std::uint8_t> tokens(rest, rest + n);
            ConvertSharedFormula(mode == 6, tokens, data[1] * 300, data[1]);
            (void)DecodeFormula(mode == 6 ? xvExcel97 : xvExcel50, tokens, tokens.size(), stub, 0, 0, 0);
        } else if (mode <= 11) {
            readRecord(h, mode, rest, n);
            exercise(h);
        } else {
            h.ExternalNames().SheetEntry(1, 3);
            std::size_t at = 0;
            while (at + 2 <= n) {
                unsigned type = 7 + rest[at] % 5;
                std::size_t len = rest[at + 1];
                at += 2;
                if (len > n - at)
                    len = n - at;
                try {
                    readRecord(h, type, rest + at, len);
                } catch (const EXLSError&) {
                }
                at += len;
            }
            exercise(h);
        }
    } catch (const EXLSError&) {
    }
    return 0;
}
