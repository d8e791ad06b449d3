// The indicator set store over the workbook component: sheet 0 of the
// workbook last read or written gives and takes the set's texts.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "IndicatorSetStore.h"
#include "XLSMini.h"

namespace vesk {

// The text a cell gives in the table: a number in general format (up to
// 15 significant digits, "."), a string as it is, a boolean as the
// workbook's TRUE/FALSE texts, a formula as its text, "=" and its value,
// anything else " ".
std::string TekstKomorki(const TXLSMini& xls, const TSheet& arkusz, int col, int row);

// True when another program holds the file: a lock file LibreOffice or
// Excel keeps beside it, a lock on it, or an open refused as busy.
bool ZajetyPrzezInnyProgram(const std::string& natywna);

class XLSIndicatorSetStore : public IndicatorSetStore {
public:
    XLSIndicatorSetStore();
    ~XLSIndicatorSetStore() override;

    // The bytes are read once and checked before the workbook reader sees
    // them; what is wrong goes out as a BladZestawu.
    TabelaWskaznikow read(const std::string& path) override;
    void write(const std::string& path, const TabelaWskaznikow& tabela) override;

    // The workbook held: the last read or written, else an empty BIFF8 one.
    TXLSMini& Workbook() { return *xls_; }

private:
    std::unique_ptr<TXLSMini> xls_;
    // The workbook's bytes as last read or written, to take back the cells
    // of a failed write; empty for the empty workbook.
    std::vector<std::uint8_t> obraz_;
};

}  // namespace vesk
