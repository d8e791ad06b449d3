#include "XLSIndicatorSetStore.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string_view>
#include <unistd.h>

#include "CodePage.h"
#include "CompoundFile.h"
#include "EXLSError.h"
#include "FileSystem.h"
#include "XLSUtilsMini.h"

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

// What keeps the bytes from being a workbook this program reads; nothing
// for a compound document or a bare workbook stream (a BOF record first).
const char* NieSkoroszyt(const std::vector<std::uint8_t>& b) {
    if (b.empty()) return "plik jest pusty (0 bajt\xF3w)";
    if (b.size() >= 4 && b[0] == 'P' && b[1] == 'K' && b[2] == 3 && b[3] == 4)
        return "to skoroszyt .xlsx (Excel 2007 lub nowszy); zestaw trzeba zapisa\xE6 jako .xls (Excel 97-2003)";
    if (isCompoundFile(b.data(), b.size())) return nullptr;
    if (b.size() >= 2 && b[0] == 0x09 && (b[1] == 0x00 || b[1] == 0x02 || b[1] == 0x04 || b[1] == 0x08))
        return nullptr;
    return "plik nie jest skoroszytem Excela (.xls)";
}

// What is wrong with a workbook the library could not read, in the
// user's words: the library's own text is for developers.
std::string OpisUszkodzenia(const std::exception& e) {
    std::string co = "skoroszyt jest uszkodzony lub obci\xEAty";
    const auto* x = dynamic_cast<const EXLSError*>(&e);
    if (!x) return co;
    switch (x->kind()) {
        case XLSErrorKind::Container:
            co += ": jego struktura pliku (kontener OLE) jest niesp\xF3jna lub niepe\xB3na";
            break;
        case XLSErrorKind::Format:
            co += ": zapis arkusza jest niepe\xB3ny lub zniekszta\xB3" "cony";
            break;
        case XLSErrorKind::Formula: co += ": zawiera formu\xB3\xEA, kt\xF3rej nie da si\xEA odczyta\xE6"; break;
        case XLSErrorKind::Refused: return "skoroszyt jest w formacie, kt\xF3rego program nie odczytuje";
        default: break;
    }
    if (x->offset() >= 0) co += " (bajt " + std::to_string(x->offset()) + " strumienia skoroszytu)";
    return co;
}

}  // namespace

bool ZajetyPrzezInnyProgram(const std::string& natywna) {
    namespace fs = std::filesystem;
    const fs::path p(natywna);
    const std::string nazwa = p.filename().string();
    std::error_code ec;
    // The lock files LibreOffice and Excel keep beside an open file.
    if (fs::exists(p.parent_path() / (".~lock." + nazwa + "#"), ec) || fs::exists(p.parent_path() / ("~$" + nazwa), ec))
        return true;
    // Never waiting on a pipe put in the file's place.
    const int fd = ::open(natywna.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return errno == EACCES || errno == EBUSY || errno == ETXTBSY;
    struct flock blokada {};
    blokada.l_type = F_RDLCK;
    blokada.l_whence = SEEK_SET;
    const bool zapis = ::fcntl(fd, F_GETLK, &blokada) == 0 && blokada.l_type != F_UNLCK;
    ::close(fd);
    return zapis;
}

std::string TekstKomorki(const TXLSMini& xls, const TSheet& arkusz, int col, int row) {
    // A character code page 1250 lacks ("\u2265", Cyrillic) refuses the set,
    // naming the cell: taken for "?" it would be saved back so.
    const auto tekst = [&](std::u16string_view t) {
        const std::string utf8 = utf16ToUtf8(t);
        if (std::optional<std::string> cp = utf8ToCp1250Exactly(utf8)) return *std::move(cp);
        throw BladZestawu(BladZestawu::Rodzaj::Nieczytelny,
                          "kom\xF3rka " + ColRowToRefStr(col, row, false, false) + " (" + readableStart(utf8, 100) +
                              ") ma znaki spoza strony kodowej 1250 - nale\xBFy je zast\xB9pi\xE6 w skoroszycie");
    };
    switch (arkusz.CellType(col, row) & 0x7F) {
        case ctFloat: return Ogolny(arkusz.AsFloat(col, row));
        case ctString: return tekst(arkusz.AsString(col, row));
        case ctBoolean: return tekst(arkusz.AsBoolean(col, row) ? xls.StrTRUE() : xls.StrFALSE());
        case ctNumberFormula:
        case ctStringFormula:
        case ctBooleanFormula:
        case ctErrorFormula:
        case ctArrayFormula:
            return tekst(arkusz.AsFormula(col, row)) + "=" + tekst(arkusz.AsString(col, row));
        default: return " ";
    }
}

XLSIndicatorSetStore::XLSIndicatorSetStore() : xls_(std::make_unique<TXLSMini>()) {}

XLSIndicatorSetStore::~XLSIndicatorSetStore() = default;

TabelaWskaznikow XLSIndicatorSetStore::read(const std::string& path) {
    auto nowy = std::make_unique<TXLSMini>();
    nowy->Filename = cp1250ToUtf8(path);
    const std::string natywna = findExisting(path).value_or(path);
    std::vector<std::uint8_t> bajty;
    {
        BinaryFile plik;
        std::optional<std::string> tresc;
        if (plik.open(path, BinaryFile::Mode::Read)) tresc = plik.readRest(LongestWorkbook);
        if (!tresc) {
            // The file layer's reason: a folder, a pipe, a link to nothing,
            // a file too big; "missing" only where nothing is.
            const std::string powod = lastFileError();
            if (fileExists(path) && ZajetyPrzezInnyProgram(natywna))
                throw BladZestawu(BladZestawu::Rodzaj::Zajety, "plik u\xBFywa inny program");
            throw BladZestawu(BladZestawu::Rodzaj::Nieczytelny, surelyMissing(path) ? "nie ma takiego pliku"
                                                                : powod.empty()     ? "nie mo\xBFna odczyta\xE6 pliku"
                                                                                    : powod);
        }
        bajty.assign(tresc->begin(), tresc->end());
    }
    if (const char* powod = NieSkoroszyt(bajty)) throw BladZestawu(BladZestawu::Rodzaj::Nieczytelny, powod);
    try {
        nowy->ReadStream(&bajty);
        if (nowy->Sheets().Count() == 0) throw EXLSError(XLSErrorKind::Format, "no sheet");
    } catch (const std::exception& e) {
        // A program writing the file at this moment leaves it unreadable.
        if (ZajetyPrzezInnyProgram(natywna))
            throw BladZestawu(BladZestawu::Rodzaj::Zajety, "plik u\xBFywa inny program");
        throw BladZestawu(BladZestawu::Rodzaj::Nieczytelny, OpisUszkodzenia(e));
    }
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
    // A workbook without a set's layout is refused before it replaces the
    // one held, so that nothing of it is ever written.
    if (std::optional<std::string> blad = BladUkladu(t)) throw BladZestawu(BladZestawu::Rodzaj::Uklad, *blad);
    for (int i = 1; pusty && i < nowy->Sheets().Count(); ++i) {
        TSheet& inny = nowy->Sheets().Items(i);
        inny.Cells().BeginIterate();
        if (inny.Cells().Next() != nullptr)
            throw BladZestawu(BladZestawu::Rodzaj::Uklad,
                              "pierwszy arkusz skoroszytu jest pusty, a dane s\xB9 na arkuszu " + std::to_string(i + 1) +
                                  " (zestaw le\xBFy na pierwszym arkuszu)");
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
            throw BladZestawu(BladZestawu::Rodzaj::Zapis, lastFileError());
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
