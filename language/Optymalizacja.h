// Optimisation by repeated simulation: a decision of a trial child of the
// root is moved one unit at a time in a fixed direction, the trial
// simulated and a criterion read, while the criterion gains at least 0.001.
// Trials are addressed by the number their add returned. A climb ends at
// the first loss, after NajwiecejProb trials, at the bounds of the
// decision's range (Kontekst::Zakresy) or at a stop request; it leaves its
// trial node simulated at the best value found. x91 holds the best
// criterion, x92 the latest (equal to x91 at the end), x93 and x94 the
// balance cells the first command reads.
#pragma once

#include <functional>
#include <string>

#include "Real.h"
#include "Warsztat.h"

namespace vesk {

// The criteria, as a study names them.
inline constexpr const char* KryteriumWynikSyntetyczny = "wynik syntetyczny";
inline constexpr const char* KryteriumRachunekWynikow = "rachunek wynik\xF3w";

// The decision kinds.
inline constexpr const char* DecyzjaCena = "cena";
inline constexpr const char* DecyzjaProdukcja = "produkcja";
inline constexpr const char* DecyzjaZamowienieSurowca = "zam\xF3wienie surowca";

// The decision text of a value: width 5, no decimals, blank-padded on the
// left (400 gives "  400").
std::string TekstDecyzji(long double wartosc);

// The 1-based index into Kontekst::Zakresy of a decision (the numbering of
// the what-if step), 0 for words that name none.
int IndeksZakresu(const std::string& rodzaj, const std::string& produkt, const std::string& rok);

class Optymalizacja {
public:
    explicit Optymalizacja(Warsztat& w) : w_(w), k_(w.k) {}

    // The criterion of the current record (RekordBiezacy after the trial's
    // simulation). Empty: the read-out the criterion names.
    std::function<long double(const std::string& kryterium)> Kryterium;
    // The most trials one climb makes.
    int NajwiecejProb = 1000;
    // A trial made again from the template the climb made it from is
    // written over its own record and tree item where that leaves both
    // files as deleting and adding it again would (its record last in a
    // state file in ascending order, its item the root's last child);
    // off, every trial is deleted and added.
    bool ProbaWMiejscu = true;
    int PrzepisaneWMiejscu = 0;  // how many trials were

    // The study: when FlagaPracy is set, climbs the decision of a trial
    // child of the root made from node wzor, starting from wartosc, and
    // leaves the best value in wartosc and in the trial node. Returns the
    // trial node's number; -1 when the flag is clear (nothing is added).
    // Node operations fail with BladSkryptu.
    int Zbadaj(int wzor, Real& wartosc, char kierunek, const std::string& rodzaj, const std::string& produkt,
               const std::string& rok, const std::string& kryterium);

    // The commands. A failed node operation ends the command with one
    // message, an operator refused with the workbench's own; a stop
    // request ends it after the current trial.
    // Creates the operator "optyma" in the operator folder and runs ten
    // studies, each from the node the previous one left.
    void optymalizacja21Click();
    // Opens "we.tr1" of the operator folder and runs eleven climbs on
    // price and raw-material decisions.
    void Optymalizacja1Click();

    // How many trials the last climb made, and whether a stop request
    // ended it.
    int Proby = 0;
    bool Zatrzymano = false;
    // After a command that ran to its end or was stopped: what the window
    // tells the user (ended or stopped, and which tree holds the results);
    // empty after a failure, which was told already.
    std::string Zakonczenie;

    struct Decyzja {
        std::string rodzaj, produkt, rok;  // a kind above, its product or material and year words
        bool operator==(const Decyzja&) const = default;
    };
    // One candidate: the simulated trial node numer made again from node
    // wzor, its decision set to wartosc, simulated, the criterion read into
    // x92. Returns the trial's number. Where the trial is made again in
    // place from the record its first value was confirmed into, only the
    // node's record is written and the tree stays as it is; the selection
    // and the decision sheet then follow at the end of the climb.
    int Kandydat(int numer, int wzor, const Decyzja& d, long double wartosc, const std::string& kryterium);

private:
    class OdroczonyStop;
    // One climb; with zPoprzedniego the base criterion is x92 as the
    // previous climb left it (the template's) and the first trial already
    // takes a step.
    int wspinaczka(int wzor, Real& wartosc, int krok, const Decyzja& d, const std::string& kryterium,
                   bool zPoprzedniego);
    int dodaj(int wzor);
    int przepisz(int numer, int wzor);
    void ustawDecyzje(int numer, const Decyzja& d, long double wartosc);
    void symuluj(int numer);
    long double kryterium(const std::string& nazwa);
    double x(int n) const { return k_.ZmienneSkryptu[static_cast<std::size_t>(n - 1)]; }
    void ustawX(int n, long double v);
    void bilans(int n);
    // Runs a command; wyniki: where its results are, for the closing text.
    void wykonaj(const std::function<void()>& polecenie, const std::string& wyniki);

    // Installs the deferred stop for a command or a lone study, unless one
    // is already in place.
    class Wstrzymanie;

    // Whether the trial numer can be made again in place (see ProbaWMiejscu).
    bool moznaWMiejscu(int numer, int wzor) const;
    void wMiejscu(int numer);
    // The simulated trial numer made again in place, with decision d set to
    // wartosc (none: the template's record as it is), and simulated in one
    // write of its record, as the workbench's rewrite, confirmation and
    // simulation would leave it. False, nothing done, when that cannot be
    // known (see SwiezaProba) or the indicator window is shown, which
    // follows every node change.
    bool szybko(int numer, int wzor, const Decyzja* d, long double wartosc);
    // Brings the selection and the decision sheet to the trial after
    // trials made by szybko.
    void odswiezWidok();
    bool widokNieaktualny_ = false;

    Warsztat& w_;
    Kontekst& k_;
    OdroczonyStop* stop_ = nullptr;
    // The record an add from template wzor gave node numer, as stored
    // before anything changed it.
    struct SwiezaProba {
        std::string operator_;  // SciezkaOperatora of the add
        int wzor = -1, numer = -1;
        std::unique_ptr<StanModelu> rekord;
        bool niepotwierdzona = false;  // made again, its sheet not yet confirmed
        // The record as the decision sheet, filled from rekord, stored it
        // with decision d changed (every value of d gives it with only d's
        // own box different), and the calendar start a simulation gives
        // the node (-1 until one ran).
        std::unique_ptr<StanModelu> potwierdzony;
        Decyzja decyzja;
        char separator = 0;
        int rok = -1;
    } swieza_;
};

}  // namespace vesk
