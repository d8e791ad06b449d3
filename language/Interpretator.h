// The executor of command files: opening a file, the line loop of the
// step button and of called files, call levels 0..10, conditions and
// loops, the dispatch of every line to the commands and the verbs, the
// stop question, the report file, and the one handler that ends a run on
// a script error. All of its state is here; the variables and their
// names stay in the context.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BladSkryptu.h"
#include "CzasownikiJezyka.h"
#include "FileSystem.h"
#include "InterpreterView.h"
#include "Kontekst.h"
#include "Random.h"

namespace vesk {

inline constexpr int NajwyzszyPoziom = 10;     // call levels 0..10
inline constexpr int NajwiekszaGlebokosc = 10;  // if and while depths 0..10

// The grid row of variable r + 1 (r 0..19): the declared name and the value
// in the fixed form of width 10 with the decimals it needs; empty texts for
// an undeclared variable, the scientific form for a value the 6-byte real
// cannot hold.
struct WierszSiatki {
    std::string Nazwa, Wartosc;
};
std::array<WierszSiatki, 20> WierszeZmiennych(const Kontekst& k);

// The largest command file read (16 MB): a device or a huge file named in
// a line must not hang the run.
inline constexpr std::uintmax_t NajwiekszyPlikRozkazow = 16u << 20;
// The longest answer to "zapytaj" taken (64 KiB): a longer one ends the run
// as a script error.
inline constexpr std::size_t NajdluzszaOdpowiedz = 64u << 10;

// The lines of a command file in code page 1250 (read as UTF-8 when the
// file is UTF-8, as UTF-16 after a UTF-16 byte-order mark; a line ends at
// CR LF, LF or a lone CR), or why it cannot be run, naming the file: it is
// missing, several files match it in other letter cases, it is no plain
// file (a folder, a named pipe, a device), it is over NajwiekszyPlikRozkazow,
// it cannot be read, it is no text (it holds NUL bytes: a program, a
// workbook), it is UTF-16 of an odd length, UTF-16 without a mark or
// UTF-32, or a line other than a comment ("rem") has a character code page
// 1250 lacks, letters written decomposed (NFD), half of a UTF-16 surrogate
// pair, in a UTF-8 file bytes that are not UTF-8, or in a code page 1250
// file a byte that page gives no character (textFileLines names the line;
// comments do not decide the encoding). The batch run, the
// window's batch button and "call" all ask here.
struct WierszeRozkazow {
    std::vector<std::string> linie;
    std::string powod;  // empty when the lines were read
    // The file as it is spelt: the folder as named, the file's own name
    // ("T.roz" named "t.roz"); its report is named for it.
    std::string plik;
};
WierszeRozkazow WierszePlikuRozkazow(const std::string& nazwa);

// The report file of a command file spelt so (WierszeRozkazow::plik):
// "r.roz.txt".
std::string PlikRaportu(const std::string& pisownia);
// Why the report cannot be written at that name ("nie mo\xBFna zapisa\xE6
// pliku raportu r.roz.txt: to jest folder"), or empty. The name is taken as
// spelt and refused where no whole-file write would replace what stands
// there (mayReplace: a pipe, a folder, a device, a read-only file, several
// spellings, a folder that cannot be looked at). The `raport` line and the
// look before a run both ask here.
std::string OdmowaPlikuRaportu(const std::string& plikRaportu);
// WierszePlikuRozkazow of a command file run from its first line (not one
// called): refused too when a line of it is `raport` (as the line loop
// reads it, whether or not the run would reach it) and its report cannot
// be written at its name, so that nothing is done for a run whose report
// would fail. The batch run, the window's batch button and the opening of
// a file in the window ask here.
WierszeRozkazow WierszePlikuRozkazowDoWykonania(const std::string& nazwa);

// One call level: its file (held in memory, line by line), the current
// line and the control tables.
struct PoziomWykonania {
    std::string NazwaPliku;
    std::string Pisownia;  // the file as it is spelt (WierszeRozkazow::plik)
    std::vector<std::string> Linie;
    std::size_t Nastepna = 0;  // index of the next line to read
    bool Otwarty = false;
    std::string Wiersz;  // the current line, rewritten as it is interpreted
    std::string Zrodlo;  // the current line as the file has it
    bool Zakoncz = true;   // ZakonczPoziom
    bool Wykonuj = true;   // WykonujPoziom
    int NumerLinii = 0;
    int PozycjaZnaku = 0;  // in the view's text, of the next line
    bool StanPrzycisku = false;
    int ZaznaczenieStart = 0, ZaznaczenieDlugosc = 0;
    int GlebokoscIf = 0, GlebokoscWhile = 0;
    std::array<bool, NajwiekszaGlebokosc + 1> IfPrawdziwy{};
    std::array<bool, NajwiekszaGlebokosc + 1> WhilePrawdziwy{};
    std::array<int, NajwiekszaGlebokosc + 1> PoczatekWhile{};
};

class Interpretator {
public:
    Interpretator(Kontekst& k, CzasownikiJezyka& czasowniki, InterpreterView& widok);
    ~Interpretator();

    // Opening a command file: the batch file name or the dialog; forgets
    // the declared names; true when the file is ready at its first line
    // (the step button enabled). A cancelled, missing or unreadable file
    // prepares nothing and leaves the step button off.
    bool Podanienazwyplikuzrozkazami1Click();
    // One press of the step button: one line, or more after "run".
    void PrzyciskWykonaniaNastepnegoPoleceniaClick();

    bool PrzyciskAktywny() const { return przycisk_; }
    bool WidokWidoczny() const { return widokWidoczny_; }
    bool PlikRaportuOtwarty() const { return raport_ != nullptr; }
    // Closes the report of the run into place with what was noted (no
    // ".nowy" left): whichever way a run is left, its end, a stop, another
    // command file opened, the program's end or a signal; a report that
    // cannot be put in place is told. False then.
    bool ZamknijRaport();
    const std::string& Podpis() const { return podpis_; }
    // The last script error of the run, if any (cleared by opening): the one
    // that ended it, or one told while the run went on (a called file found
    // nowhere), so that a batch run still ends as failed.
    const std::optional<BladSkryptu>& OstatniBlad() const { return blad_; }
    // Refreshes the variable grid.
    void Pokaz_Zmienne();

    bool TrybKrokowy = false;
    bool ZatrzymanieSkryptu = false;
    int PoziomWywolania = 0;
    std::string NazwaPlikuWywolanego;
    double WartoscZapytania = 0.0;
    // The generator of "losuj": seeded from the clock once; tests reseed it.
    Random Losowanie;
    std::array<PoziomWykonania, NajwyzszyPoziom + 1> Poziomy;

private:
    // The line loop of level L; przerwano: the user stopped the run there
    // or deeper.
    void petla(int L, bool& przerwano);
    // The line after the trace step; false when the pass must end at once.
    bool wykonaj(int L, bool& przerwano);
    void sterowanieGlowne(int L);
    void sterowanieWywolane(int L);
    void testOperatora(int L);
    bool warunek(const std::string& linia);
    void przewin(int L, int n);
    bool rozkazy(int L, bool& przerwano);
    bool wywolaj(int L, bool& przerwano);
    void stop(int L);
    void zatrzymaniePrzezUzytkownika(int L, bool& przerwano);

    void pokazWidok();
    void ukryjWidok();
    void ustawPrzycisk(bool aktywny);
    void ustawPodpis(const std::string& podpis);
    void zaznacz(int start, int dlugosc);
    void ladujPlik(int L, const std::string& nazwa);
    static std::string tekstPliku(const PoziomWykonania& p);
    void otworzRaport();
    // Closes the report file into place; false when it could not be
    // written, bladRaportu_ then saying why.
    bool zamknijRaport();
    // The same at the end of the run (its last line or "stop"): a report
    // that cannot be put in place fails the run, not that line.
    void zakonczRaport();
    // Drops the report file being written, the file put in place before kept.
    void porzucRaport();
    void obsluzBlad(BladSkryptu& blad);

    Kontekst& k_;
    CzasownikiJezyka& czasowniki_;
    InterpreterView& widok_;
    bool przycisk_ = false;
    bool widokWidoczny_ = false;
    std::string podpis_;
    std::string wsk_;  // the activity indicator's text
    int zaznaczenieStart_ = 0, zaznaczenieDlugosc_ = 0;
    std::unique_ptr<TextWriter> raport_;
    std::string plikRaportu_, plikRaportuTymczasowy_, bladRaportu_;
    std::optional<BladSkryptu> blad_;
    // A "zapytaj" was answered at the end of the input (as Cancel): the
    // input cannot answer any other.
    bool wejscieWyczerpane_ = false;
};

}  // namespace vesk
