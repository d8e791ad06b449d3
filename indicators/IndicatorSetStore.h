// Indicator sets kept in workbooks: the port through which a set is read
// and written, and the set operations of the indicator window (read a set,
// add an indicator, save as, the name check).
//
// A set lives in sheet 0: sheet row r is table row r + 1 (row 0 the column
// titles), columns A..O are table columns 1..15. The store keeps the
// workbook last read so that a write leaves other sheets, later rows and
// columns from P as they were.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "UserInterface.h"
#include "Wskaznik.h"

namespace vesk {

inline constexpr int KolumnZestawu = 15;

// Why a set could not be read: another program holds its file (worth a
// retry), the file is no workbook this program reads, or the workbook
// does not have a set's layout. The text says what is wrong.
class BladZestawu : public std::runtime_error {
public:
    // Zapis: the file could not be written, its what() the system's reason.
    enum class Rodzaj { Zajety, Nieczytelny, Uklad, Zapis };
    BladZestawu(Rodzaj rodzaj, const std::string& powod) : std::runtime_error(powod), rodzaj_(rodzaj) {}
    Rodzaj rodzaj() const { return rodzaj_; }

private:
    Rodzaj rodzaj_;
};

class IndicatorSetStore {
public:
    virtual ~IndicatorSetStore() = default;
    // Reads the workbook at path and keeps it; gives the texts of sheet 0's
    // used range in table rows (LiczbaWskaznikow is left for the caller).
    // Any failure throws an exception derived from std::exception (a
    // BladZestawu where the store knows what is wrong) and keeps the
    // workbook held before; a workbook without a set's layout (BladUkladu)
    // is such a failure.
    virtual TabelaWskaznikow read(const std::string& path) = 0;
    // Stores rows 1..LiczbaWskaznikow, columns 1..15 of the table as string
    // cells into sheet 0 of the workbook held and writes it to path through
    // a temporary file renamed over the target. Throws on failure; the
    // file at path is then unchanged.
    virtual void write(const std::string& path, const TabelaWskaznikow& tabela) = 0;
};

// The current set of the indicator window.
struct ZestawWskaznikow {
    explicit ZestawWskaznikow(IndicatorSetStore& magazyn) : Magazyn(magazyn) {}
    IndicatorSetStore& Magazyn;
    TabelaWskaznikow Tabela;
    std::string NazwaZestawu = "wskazniki-ogolne";
    std::string Plik;  // the workbook file of the set, empty before a read
};

// The title row that a set without one gets when an indicator is added.
const WierszWskaznika& TytulyZestawu();

// The stem of a set file: the name after the last "\", "/" or ":" less its
// last four characters (empty for a shorter name).
std::string RdzenZestawu(const std::string& sciezka);

// What is wrong with the layout of a set read into a table (sheet row r
// in table row r + 1): the titles in row 1 starting in column A, the
// names in column A, operators and relations among their choices, no
// indicator data below the first row without a name. Nothing when the
// layout is a set's.
std::optional<std::string> BladUkladu(const TabelaWskaznikow& tabela);

// The number of the last table row of the list: r for the rows 1..r whose
// column 1 is not empty, 1 when row 1 is empty.
int PoliczWskazniki(const TabelaWskaznikow& tabela);

// Reads the set at path into a new table; on success it replaces the
// table, file and set name. On failure the user is asked
// "Zamknij plik wskaźników w Excelu!" (Retry/Cancel): Retry reads again,
// Cancel leaves the set as it was. True when read.
bool WczytajZestaw(ZestawWskaznikow& z, const std::string& sciezka, UserInterface& ui);

// True when an indicator row (rows 2..LiczbaWskaznikow) is named exactly so.
bool NazwaWZestawie(const ZestawWskaznikow& z, const std::string& nazwa);

// Why a name cannot be given to a new indicator; nothing when it can.
std::optional<std::string> BladNazwy(const ZestawWskaznikow& z, const std::string& nazwa);

// Adds the indicator built in the definition boxes: asks its name, checks
// it, appends the row and writes the set at once. A failed write shows a
// message and takes the row back. True when added.
bool DodajWskaznik(ZestawWskaznikow& z, const IndicatorDef& definicja, UserInterface& ui);

// Writes the set to a chosen path (asking before overwriting an existing
// file); on success it becomes the set's file. True when written. The
// name is taken as spelt: a file of another spelling ("Zestaw.xls" for
// "zestaw.xls") is neither asked about nor replaced or removed.
bool ZapiszZestawJako(ZestawWskaznikow& z, const std::string& sciezka, UserInterface& ui);

}  // namespace vesk
