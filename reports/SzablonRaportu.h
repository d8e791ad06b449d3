// The report template machinery shared by every financial report.
//
// A report copies the lines of a text template and of an HTML template from
// the template folder into a text file and an HTML page in the operator
// folder, and writes the numbers of the current node into them: into fixed
// columns of the text lines, and in place of the placeholder letter "x" of
// the HTML lines. The templates are data; the program knows only line
// numbers, columns and placeholders.
//
// One stage (the text file, or one HTML page) is an output file plus the
// line table of the template being written. Every write is checked: a
// failed write or template read raises IoError, which the report's writer
// turns into a false result after the files are closed.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FileSystem.h"
#include "UserFolder.h"

namespace vesk {

struct Kontekst;

// ----------------------------------------------------------------- names

// The model-state file name up to its last ".", without trailing blanks,
// at most 200 characters; empty when the name holds no ".".
std::string RdzenNazwy(const std::string& nazwaPlikuStanu);
// The characters after the last "." (the whole name when there is none),
// at most 200.
std::string RozszerzenieNazwy(const std::string& nazwaPlikuStanu);
// KatalogOperatora + stem + "." + extension: the full path of the
// model-state file as the header lines show it (as it is spelt on disk).
std::string TekstSciezki(const Kontekst& k);
// The stem an operator's statements and pages are named by (RdzenNazwy):
// its own spelling, the name of its stem ("OP/t." gives "t"), whatever its
// state file's ("T.qad" of t's tree "t.tr1").
std::string RdzenSprawozdan(const std::string& sciezkaOperatora);
// The open operator's; a context holding a state file's name alone (a
// statement written without an operator opened) names them by that.
std::string RdzenSprawozdan(const Kontekst& k);
// The folder the open operator's report files go to: the one the user
// chose for them (KatalogSprawozdan) while set; else the operator folder,
// or, where no file can be made there (a read-only operator), a folder of
// the user's own named after the operator under the user's cache folder
// ("~/.cache/vesk/sprawozdania/T-1a2b3c4d/", the hex digits telling
// operators of one name in different folders apart, one folder however it
// is reached), made when missing (ownFolder: 0700, no link, this user's).
// Nothing when that folder cannot be used, k.PowodBleduRaportu then
// telling why and naming it. The one rule every report writer and viewer
// follows.
std::optional<std::string> FolderSprawozdan(Kontekst& k);
// That folder of the user's own of the operator in katalogOperatora whose
// stem (RdzenNazwy) is rdzen; nothing, with `powod`, when it cannot be
// used, and (with MakeFolders::No) with `powod` empty when there is none.
std::optional<std::string> FolderUzytkownika(const std::string& katalogOperatora, const std::string& rdzen,
                                             std::string& powod, MakeFolders utworz = MakeFolders::Yes);
// A report file of an operator in folder: folder + stem (RdzenNazwy) + "."
// + EXT, joined without inserting separators.
std::string NazwaWFolderze(const std::string& folder, const std::string& rdzen, const std::string& ext);
// The same in FolderSprawozdan: the one name both the writers and the
// viewers use; nothing when the folder cannot be used (k.PowodBleduRaportu).
std::optional<std::string> NazwaWyjscia(Kontekst& k, const std::string& ext);
// Removes what killed writes of the open operator's report files left in
// FolderSprawozdan when that is not the operator folder (whose open clears
// them): a read-only operator's folder of the user's own, a folder the user
// chose. Once per view or saving of all, not at each file written.
void UsunPozostalosciPoza(Kontekst& k);

// The text of a printed value in a field of szer characters, rounded to the
// 6-byte grid first: "b.d." for a quotient without a divisor; a number too
// wide for the field drops decimals until it fits, so that it is neither
// cut at the line's end nor run into its neighbour.
std::string TekstWartosci(long double v, int szer, int miejsca);

// ------------------------------------------------------ HTML placeholders

// Replaces the n-th lowercase "x" of linia (counted from its first
// character, markup included) by tekst; linia stays as it was when it holds
// fewer than n of them.
void WstawWartosc(std::string& linia, const std::string& tekst, int n);
// As WstawWartosc, but a tekst equal to "        0" (zero right-aligned in
// nine characters) goes in as ".".
void WstawWartoscKropka(std::string& linia, const std::string& tekst, int n);
// s with "&", "<" and ">" written as character references.
std::string TekstHTML(const std::string& s);

// --------------------------------------------------------- "wolny" noise

// True when the first command-line parameter is exactly "wolny".
bool TrybWolny(const Kontekst& k);
// (v - 2) + R / 100 rounded to the 6-byte grid, R drawn from 0..399 by the
// program-wide generator.
long double Zaszum(Kontekst& k, long double v);
// (v - przesuniecie) + R / 100 rounded to the 6-byte grid, R drawn from
// 0..zakres-1: the same noise with a report's own constants.
long double Zaszum(Kontekst& k, long double v, long double przesuniecie, unsigned zakres);

// ------------------------------------------------------------ line table

// N template lines of at most K characters, numbered from 1. Lines that
// the template does not supply are empty.
class TabelaLinii {
public:
    TabelaLinii() = default;

    // Reads the template at sciezka: up to n lines, each cut to k
    // characters, the rest of a longer line skipped. False when the file
    // cannot be opened; IoError when reading it fails.
    bool wczytaj(const std::string& sciezka, int n, int k);

    int N() const { return static_cast<int>(linie_.size()); }
    int K() const { return k_; }
    const std::string& operator[](int i) const { return linie_.at(static_cast<std::size_t>(i - 1)); }

    // Line i := line i + tekst, cut to K characters.
    void dopisz(int i, const std::string& tekst);
    // Line i := tekst, cut to K characters.
    void ustaw(int i, std::string tekst);

private:
    std::vector<std::string> linie_;
    int k_ = 0;
};

// ----------------------------------------------------------------- stages

// Loads the template catTABWZOR + nazwa into tabela (n lines of at most
// kZnakow characters). False when it cannot be read, k.PowodBleduRaportu
// then naming it and the file layer's reason ("szablon .../QAD.BIK: to
// jest folder"). Never waits on a pipe.
bool WczytajSzablon(Kontekst& k, const std::string& nazwa, int n, int kZnakow, TabelaLinii& tabela);

// Runs a report's writer: true when it wrote all its files. Every failure
// on outside data (a template, a write, a value the 6-byte real cannot
// hold, a table that cannot be allocated) ends in false with the reason in
// k.PowodBleduRaportu.
bool WykonajRaport(Kontekst& k, const std::function<bool()>& pisarz);

// One output file and the line table of the template being written to it.
// The lines are gathered in memory: zamknij puts the whole file in place
// through a temporary one (not flushed to the device: a report is made
// again at every view), so a report file is never left half written or
// emptied.
class EtapRaportu {
public:
    explicit EtapRaportu(Kontekst& k) : k_(k) {}
    EtapRaportu(const EtapRaportu&) = delete;
    EtapRaportu& operator=(const EtapRaportu&) = delete;

    // Begins the output at sciezka; nothing is written there before zamknij.
    bool utworz(const std::string& sciezka);
    // Puts the output in place; IoError when it could not be written.
    void zamknij();

    TabelaLinii& tabela() { return tabela_; }
    const std::string& sciezka() const { return sciezka_; }

protected:
    // Adds one line with its line end.
    void pisz(const std::string& linia);

    Kontekst& k_;
    std::string tresc_;
    std::string sciezka_;
    TabelaLinii tabela_;
};

// The text stage. Value and year fields are written with NadpiszTekst over
// a copy of the template line (the table keeps the template text), so a
// line never grows; the copy is then written. Values are model values:
// each is rounded to the 6-byte grid before it is formatted.
class RaportTekstowy : public EtapRaportu {
public:
    using EtapRaportu::EtapRaportu;

    // Column starts of the left and right group and the column pitch.
    void ustawKolumny(int c1, int c2, int w = 9);
    int c1() const { return c1_; }
    int c2() const { return c2_; }
    int W() const { return w_; }

    // Header: line 1 + the model-state file path, line 2 + the node number
    // in width 3, each cut to K and written.
    void PiszNaglowek();

    void PiszLinie(int pierwsza, int ostatnia);
    // Years (width W-4) at c1+2, c1+W+3, c1+2W+4 and the same from c2.
    void PiszLata(int linia, int miejsca, const std::array<long double, 6>& lata);
    // Three years (width W-4) from c1.
    void PiszLata3(int linia, int miejsca, const std::array<long double, 3>& lata);
    // Values (width W-1) at c1, c1+W+1, c1+2W+2 and the same from c2.
    void PiszWiersz6(int linia, int miejsca, const std::array<long double, 6>& v);
    void PiszWiersz3L(int linia, int miejsca, const std::array<long double, 3>& v);
    void PiszWiersz3P(int linia, int miejsca, const std::array<long double, 3>& v);
    // Two values (width W-1) at c1 and c1+W+1.
    void PiszWiersz2(int linia, int miejsca, const std::array<long double, 2>& v);
    // Six small codes as digits at c1+2, c1+6, c1+W+3, c1+W+7, c1+2W+4,
    // c1+2W+8: "." for 0, otherwise the digits without blanks.
    void PiszWiersz6Cyfr(int linia, const std::array<int, 6>& kody);

private:
    void wartosci(std::string& l, int c, int miejsca, const long double* v, int ile) const;
    void lata(std::string& l, int c, int miejsca, const long double* v) const;

    int c1_ = 31;
    int c2_ = 88;
    int w_ = 9;
};

// An HTML stage.
class StronaHTML : public EtapRaportu {
public:
    using EtapRaportu::EtapRaportu;

    // Header: line 9 + the model-state file path (with &, <, > escaped),
    // line 11 + the node number in width 3, each cut to K and stored back.
    void PiszNaglowek();
    void PiszLinieHTML(int pierwsza, int ostatnia);
    // The value, rounded to the 6-byte grid and right-aligned in 9
    // characters, in place of the first "x" left in the line; the line is
    // cut to K and stored back.
    void Wypelnij(int linia, long double v, int miejsca);
    // The same through WstawWartoscKropka.
    void WypelnijKropka(int linia, long double v, int miejsca);
};

}  // namespace vesk
