// Export of the current set to the rule engine and the inference: the
// symbol and display forms of names, the facts file, the rule file of the
// selected indicator and the session that loads both, runs the rules and
// turns the diagnosis facts into lines.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "IndicatorSetStore.h"
#include "SpisDiagnoz.h"
#include "TClipsSandbox.h"
#include "Wskaznik.h"

namespace vesk {

// The symbol form of a name, the one every name is written to the engine
// in: blanks, control characters and the engine's delimiters
// ( ) ; " & | ~ < ? $ become "-", letters with a diacritic (Polish ones
// small and capital, and the others of code page 1250) their ASCII ones.
std::string NazwaNaSymbol(const std::string& nazwa);
// Why the symbol form of a name is still no symbol the engine reads (it
// starts with a sign such as the paragraph sign, holds the dot above,
// reads as a number or as an instance name) or none that tells an
// indicator (it holds no letter nor digit); nothing when it is one.
std::optional<std::string> NazwaBezSymbolu(const std::string& nazwa);
// The display form of a symbol: every "-" becomes a blank.
std::string SymbolNaNazwe(const std::string& symbol);

// The value of an item for year 1..3; nothing for an unknown position.
using OdczytPozycji = std::function<std::optional<long double>(const PozycjaWskaznika& p, int rok)>;

// A quotient as the export writes it: 3.4e38 for a zero b when a is 0 or
// more, 1.5e-45 for a zero b when a is negative.
long double IlorazEksportu(long double a, long double b);

struct DaneEksportu {
    const TabelaWskaznikow* Tabela = nullptr;
    int Rok1 = 0;               // first year of the node's period
    std::string Wybrany;        // name of the selected indicator
    std::string Relacja;        // its relation, "" or "x>" ... "x="
    std::string Prog1, Prog2;   // its thresholds
    OdczytPozycji Odczyt;
};

struct FaktyEksportu {
    std::string Tekst;              // the facts file, code page 1250, CR LF
    std::vector<std::string> Log;   // one line per indicator left out
    // The refusal naming the first indicator whose name cannot be written
    // as a symbol, or two of one symbol (the file is then not to be written).
    std::string Blad;
};

// The facts file: the years, the thresholds of the selected indicator and
// every indicator of the set with its three values and six dynamics.
FaktyEksportu TekstFaktow(const DaneEksportu& d);

// The rule file of an indicator: in the operator folder, then the program
// folder, "reguły-" + set + "-" + name + ".clp" before "reguły-" + name +
// ".clp". Nothing when neither exists, or when the first name taken is
// taken by no regular file (a folder, a named pipe, ...); one that cannot be
// looked at (a link to nothing) is taken, and refused naming why when it is
// loaded.
std::optional<std::string> resolveRuleFile(const std::string& katalogOperatora, const std::string& katalogProgramu,
                                           const std::string& nazwaZestawu, const std::string& wskaznik);

// When the first name of the indicator's rule file that is taken is
// taken by a folder, a named pipe, a device or a socket: the refusal
// naming it and its kind.
std::optional<std::string> NieczytelnyPlikRegul(const std::string& katalogOperatora, const std::string& katalogProgramu,
                                                const std::string& nazwaZestawu, const std::string& wskaznik);

// The diagnosis line of a fact's ordered fields; nothing for a fact that
// maps to no line or lacks the fields its line needs.
std::optional<std::string> LiniaDiagnozy(const std::vector<std::string>& pola);

// The engine of the indicator window with its log and diagnosis lines.
// The engine runs isolated (TClipsSandbox.h): a rule file can reach
// nothing outside it, and one that loops, recurses, eats memory or floods
// the program with output ends with a message while the program goes on.
class ExpertSession {
public:
    ExpertSession(std::string katalogOperatora, std::string katalogProgramu, UserInterface& ui);

    // Writes the facts file ("<set file stem>.clp" in the operator folder),
    // then loads the selected indicator's rule file and the facts and
    // resets the engine. True when the engine holds both (the inference is
    // then available).
    bool Eksport(const DaneEksportu& d, const std::string& plikZestawu, const std::string& nazwaZestawu);
    // Runs the rules (at most Limit firings, a log line when reached), appends the diagnosis
    // lines and saves the constructs to "clp.clp" in the operator folder.
    // Of the ordered facts the engine left, those making diagnosis lines
    // are taken first; past kSandboxFacts facts the rest are left out,
    // their number told in the log and in a message.
    bool Wnioskowanie();
    // Between the steps of the work on the last inference's results (the
    // caller's included, every KrokDalej lines or so): calls WTrakcie; false,
    // with a log line, once the user asked to stop, and with a message once
    // the inference with that work has taken longer than Limity.WallSeconds.
    bool Dalej();
    // The engine commands of the menu.
    void Clear();
    void Reset();
    // Ends the engine operation under way (from the WTrakcie callback).
    void Przerwij() { przerwij_ = true; }
    // Called about every 50 ms while the engine works, and at each step of
    // the work on its results (Dalej).
    std::function<void()> WTrakcie;

    bool WnioskowanieDostepne() const { return wnioskowanie_; }
    const std::vector<std::string>& Log() const { return log_; }
    const std::vector<std::string>& Diagnozy() const { return diagnozy_; }
    void WyczyscDiagnozy() { diagnozy_.clear(); }
    // A line of the window's own in the engine log.
    void DopiszLog(const std::string& linia);
    // A line in the log that is also a message.
    void Zglos(const std::string& komunikat);
    void WyczyscLog();
    // Counts every change of the log, so a window knows when to show it again.
    std::uint64_t ZmianyLogu() const { return zmianyLogu_; }
    // The log's history as a window needs it to show only what changed:
    // lines added at its end and cuts of its top (the oldest lines go, a
    // line saying so comes first), counted since the session began.
    struct StanLogu {
        std::uint64_t Wyczyszczenia = 0, Dopisane = 0, Przyciecia = 0;
        std::size_t Wierszy = 0;
        std::uint64_t Sesja = 0;  // which session, for an owner that replaces them
    };
    StanLogu Stan() const { return {wyczyszczenia_, dopisane_, przyciecia_, log_.size()}; }
    // What a window showing the log as it was in state `pokazany` is to
    // do to show it as it is: take UsunOdGory rows from the top, put the
    // log's first line on top when Naglowek, then add its last Dopisz
    // lines at the end. Nothing when it is to show the whole log again.
    struct ZmianaLogu {
        std::size_t UsunOdGory = 0, Dopisz = 0;
        bool Naglowek = false;
    };
    std::optional<ZmianaLogu> ZmianaOd(const StanLogu& pokazany) const;
    const std::string& PlikFaktow() const { return plikFaktow_; }
    const std::string& PlikRegul() const { return plikRegul_; }
    // Rules fired by the last inference; the ordered facts it left.
    long long Odpalone() const { return odpalone_; }
    const std::vector<std::vector<std::string>>& Fakty() const { return fakty_; }

    static constexpr int LimitRegul = 1000000;
    // The log of a session is bounded, across all its operations: a line
    // is cut at WierszLogu bytes; past BajtyLogu bytes or WierszeLogu lines
    // the oldest lines go (down to three quarters), a line at the top
    // saying so.
    static constexpr std::size_t WierszLogu = kSandboxLogLine;
    static constexpr std::size_t BajtyLogu = std::size_t(8) << 20;
    static constexpr std::size_t WierszeLogu = 50000;
    int Limit = LimitRegul;  // rule firings of one inference
    SandboxLimits Limity;    // time and memory of one engine operation

private:
    // Runs the steps on the engine as the earlier ones left it; false, with
    // a message, when the engine failed or was stopped (its state is then
    // lost: the inference waits for a new export).
    bool Wykonaj(std::vector<SandboxStep> kroki, bool wynikBiegu, SandboxResult& wynik);
    bool Zajety();
    void Dopisz(std::string linia);
    // The log back within its bounds after an operation added to it.
    void PrzytnijLog();
    // The engine's text, its lines (as the screen breaks them) each marked
    // "CLIPS: ", into the log.
    void DopiszSilnika(const std::string& tekst);
    // The engine's text of an operation it carried out: its lines in the
    // log, each marked "CLIPS: ", the headline after them; a message with
    // the headline first.
    void TekstSilnika(const std::string& naglowek, const std::string& tekst);
    // Shows a message: a long engine text cut to a few lines
    // (KomunikatSilnika), the whole of it going to the log.
    void Pokaz(const std::string& text);

    std::string katalogOperatora_, katalogProgramu_;
    UserInterface& ui_;
    // One child for the session, ended with it; diagnosis facts come first.
    SandboxedEngine silnik_{[](const std::vector<std::string>& pola) { return LiniaDiagnozy(pola).has_value(); }};
    long long odpalone_ = 0;
    std::vector<std::vector<std::string>> fakty_;
    bool przerwij_ = false;
    bool zajety_ = false;
    std::vector<std::string> log_;
    std::uint64_t zmianyLogu_ = 0;
    std::uint64_t wyczyszczenia_ = 0, dopisane_ = 0, przyciecia_ = 0;  // StanLogu
    std::size_t sprawdzone_ = 0, bajtyLogu_ = 0;  // the lines PrzytnijLog has seen, their bytes
    // The last inference's start; whether Dalej has ended it.
    std::chrono::steady_clock::time_point poczatek_;
    bool przerwane_ = false;
    std::vector<std::string> diagnozy_;
    std::string plikFaktow_, plikRegul_;
    bool wnioskowanie_ = false;
    // The set's indicators of the last export (symbol form, name), the
    // selected one's name for facts that name none.
    std::vector<std::pair<std::string, std::string>> wskazniki_;
    std::string wybrany_;
};

// The indicator a diagnosis fact speaks of: the first field that is an
// indicator's symbol or starts with it and "-" (the longest symbol
// winning); else the selected indicator.
std::string WskaznikFaktu(const std::vector<std::string>& pola,
                          const std::vector<std::pair<std::string, std::string>>& wskazniki,
                          const std::string& wybrany);

// The diagnosis lines ("==> name: ...") of the ordered facts, in their
// order; nothing when dalej, asked every KrokDalej facts, says to stop.
std::optional<std::vector<std::string>> LinieDiagnoz(const std::vector<std::vector<std::string>>& fakty,
                                                     const std::vector<std::pair<std::string, std::string>>& wskazniki,
                                                     const std::string& wybrany, const std::function<bool()>& dalej);

// Adds diagnosis lines ("==> name: ...") to the list as SpisDiagnoz
// merges them. At most najwiecej lines in the list: the number of new
// lines left out beyond them; nothing, the list as it was, when dalej
// (asked every KrokDalej lines) says to stop. Time linear in the lines'
// length.
std::optional<std::size_t> DolaczDiagnozy(std::vector<std::string>& lista, const std::vector<std::string>& nowe,
                                          const std::function<bool()>& dalej = {},
                                          std::size_t najwiecej = std::size_t(-1));

// The last inference's diagnosis lines into the window's list (then out of
// the session): a list they would push past a bound starts afresh with
// them, and that and the lines left out beyond the bounds are told in the
// session's log. False, the list as it was, when the user stopped the work.
bool DolaczWnioski(ExpertSession& e, SpisDiagnoz& lista);

// An engine's error as a box shows it: its first line (what failed, the
// file and the line) and the engine's first error lines ("[ID] ..."; else
// its first lines), a few lines of bounded length in all.
std::string KomunikatSilnika(const std::string& blad);

}  // namespace vesk
