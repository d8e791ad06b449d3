#include "XLSIndicatorSetStore.h"

#include <cstdio>
#include <string_view>

#include "CodePage.h"
#include "FileSystem.h"
#include "IoError.h"

namespace vesk {

namespace {

// "%.15G" with the exponent as the general format writes it: no "+", no
// leading zeros ("1E20", "1.5E-5").
std::string Ogolny(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", v);
    std::string s = buf;
    const auto e = s.find('E');
    if (e == std::string::npos) return s;
    std::string wykladnik = s.substr(e + 1);
    std::string znak;
    if (!wykladnik.empty() && (wykladnik[0] == '+' || wykladnik[0] == '-')) {
        if (wykladnik[0] == '-') znak = "-";
        wykladnik.erase(0, 1);
    }
    const auto p = wykladnik.find_first_not_of('0');
    wykladnik = p == std::string::npos ? "0" : wykladnik.substr(p);
    return s.substr(0, e + 1) + znak + wykladnik;
}

}  // namespace

std::string TekstKomorki(const TXLSMini& xls, const TSheet& arkusz, int col, int row) {
    switch (arkusz.CellType(col, row) & 0x7F) {
        case ctFloat: return Ogolny(arkusz.AsFloat(col, row));
        case ctString: return utf16ToCp1250(arkusz.AsString(col, row));
        case ctBoolean: return utf16ToCp1250(arkusz.AsBoolean(col, row) ? xls.StrTRUE() : xls.StrFALSE());
        case ctNumberFormula:
        case ctStringFormula:
        case ctBooleanFormula:
        case ctErrorFormula:
        case ctArrayFormula:
            return utf16ToCp1250(arkusz.AsFormula(col, row)) + "=" + utf16ToCp1250(arkusz.AsString(col, row));
        default: return " ";
    }
}

XLSIndicatorSetStore::XLSIndicatorSetStore() : xls_(std::make_unique<TXLSMini>()) {}

XLSIndicatorSetStore::~XLSIndicatorSetStore() = default;

TabelaWskaznikow XLSIndicatorSetStore::read(const std::string& path) {
    auto nowy = std::make_unique<TXLSMini>();
    nowy->Filename = cp1250ToUtf8(path);
    nowy->Read();
    TSheet& arkusz = nowy->Sheets().Items(0);
    TabelaWskaznikow t;
    // A sheet without cells reports a used range of one cell: no rows.
    arkusz.Cells().BeginIterate();
    const bool pusty = arkusz.Cells().Next() == nullptr;
    const int r0 = arkusz.FirstRow(), r1 = arkusz.LastRow(), c0 = arkusz.FirstCol(), c1 = arkusz.LastCol();
    for (int r = r0; !pusty && r <= r1; ++r) {
        for (int c = 1; c <= KolumnZestawu; ++c) t.UstawKomorke(r + 1, c, "");
        for (int c = c0; c <= c1; ++c) t.UstawKomorke(r + 1, c + 1, TekstKomorki(*nowy, arkusz, c, r));
    }
    // The image to fall back on after a failed write; a workbook this
    // library cannot write back keeps none and is refused at its write.
    std::vector<std::uint8_t> obraz;
    try {
        nowy->WriteStream(&obraz);
    } catch (const std::exception&) {
        obraz.clear();
    }
    xls_ = std::move(nowy);
    obraz_ = std::move(obraz);
    return t;
}

void XLSIndicatorSetStore::write(const std::string& path, const TabelaWskaznikow& tabela) {
    TSheet& arkusz = xls_->Sheets().Items(0);
    for (int r = 1; r <= tabela.LiczbaWskaznikow; ++r)
        for (int c = 1; c <= KolumnZestawu; ++c)
            arkusz.SetAsString(c - 1, r - 1, cp1250ToUtf16(tabela.Komorka(r, c)));
    std::vector<std::uint8_t> obraz;
    try {
        xls_->WriteStream(&obraz);
        if (!replaceFile(path, std::string_view(reinterpret_cast<const char*>(obraz.data()), obraz.size())))
            throw IoError(path, "zapis");
    } catch (...) {
        // Take back the cells just stored: the held workbook stays as the
        // file last read or written. One this library could not encode
        // (an old format) keeps them, as it keeps everything else.
        if (!obraz_.empty() || xls_->ReadVersion() == xvNone) {
            auto stary = std::make_unique<TXLSMini>();
            stary->SetVersion(xls_->Version());
            stary->Filename = xls_->Filename;
            try {
                if (!obraz_.empty()) stary->ReadStream(&obraz_);
                xls_ = std::move(stary);
            } catch (const std::exception&) {
            }
        }
        throw;
    }
    xls_->Filename = cp1250ToUtf8(path);
    obraz_ = std::move(obraz);
}

}  // namespace vesk
