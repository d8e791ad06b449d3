// The sensitivity panel of the indicator window: one decision variable of
// the selected leaf moved by a slider or run through a range by an
// animation, each new value sent through the workbench's what-if step;
// and the browser among the simulated siblings of the node in view. The
// panel keeps the state of its controls (ranges and positions moved into
// range here, so that every view shows the same), the window renders it
// and forwards the user's moves.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Kontekst.h"

namespace vesk {

class HakiWarsztatu;
struct WybranyWezel;

// A scroll bar: its range, its position (always within the range) and
// whether it takes input.
struct Pasek {
    int Min = 0, Max = 100, Pozycja = 0;
    bool Wlaczony = true;
    // The new range in one step (a maximum below the minimum becomes the
    // minimum); the position is moved into it.
    void UstawZakres(int min, int max);
    void UstawPozycje(int p);
    bool operator==(const Pasek&) const = default;
};

// The scroll codes a bar reports.
enum class KodPrzewijania {
    LiniaWGore,
    LiniaWDol,
    StronaWGore,
    StronaWDol,
    PozycjaKciuka,
    SledzenieKciuka,
    Poczatek,
    Koniec,
    KoniecPrzewijania,
};

// The codes that move a slider or a bar to a new value: a line or page
// step, or the end of a scroll. The thumb on its way and jumps to an end
// move nothing yet.
inline bool KodKroku(KodPrzewijania kod) {
    return kod == KodPrzewijania::LiniaWGore || kod == KodPrzewijania::LiniaWDol ||
           kod == KodPrzewijania::StronaWGore || kod == KodPrzewijania::StronaWDol ||
           kod == KodPrzewijania::KoniecPrzewijania;
}

// The value the slider takes for decision parameter k (1..54) from a
// record: prices in zł (the field times 1000), the two ratios in per cent
// (times 100), orders and the share issue as they are, the investment
// codes as their byte; rounded. 0 for another k.
int WartoscSuwaka(const StanModelu& rekord, int k);

// The lines of a change entry for the report file: 80 "-", "Zmieniono: "
// with the description, an empty line, then the conclusions.
std::vector<std::string> LinieWpisuZmiany(const std::string& opis, const std::vector<std::string>& wnioski);

// The captions of the animation's bound and step bars, in the order
// lower bound, upper bound, step.
const std::array<const char*, 3>& PodpisyGranic();

inline constexpr const char* PodpowiedzOryginalu = "Aby aktywowa\xE6 wr\xF3\xE6 do oryginalnego w\xEAz\xB3" "a";

// An animation run over lo..hi by s (upwards from lo, downwards from hi):
// the values in turn; a stop ends the run after the value in hand.
class PrzebiegAnimacji {
public:
    PrzebiegAnimacji() = default;
    PrzebiegAnimacji(int lo, int hi, int s, bool wGore);
    // The next value; nothing once the run is over.
    std::optional<int> Nastepna();
    void Zatrzymaj() { trwa_ = false; }
    bool Trwa() const { return trwa_; }
    bool WGore() const { return wGore_; }

private:
    long long v_ = 0, lo_ = 0, hi_ = 0, s_ = 1;
    bool wGore_ = true, trwa_ = false;
};

class AnalizaWrazliwosci {
public:
    // What the panel needs of the indicator session around it.
    struct Haki {
        std::function<void()> OdswiezWykres;       // the chart and the indicator values
        std::function<void()> OproznijWnioski;     // ListBox1 and the engine log emptied
        std::function<void()> Wnioskowanie;        // export and inference for the node in view
        std::function<bool()> RegulyDostepne;      // the chosen indicator has a rule file
        std::function<bool()> Raportowanie;        // change entries are asked for
        std::function<void(const std::string&)> WpisZmiany;  // a change entry's description
        std::function<void()> Koncowka;            // the raw-material usage check
        std::function<void()> PoZmianieWezla;      // the node in view changed
        std::function<bool()> Zatrzymac;           // the stop probe, asked after each animation value
    };

    AnalizaWrazliwosci(Kontekst& k, HakiWarsztatu& warsztat);
    Haki Polaczenia;

    // The window was activated on wezel (nothing: no node selected); the
    // first calendar year of its period names the variables. A leaf other
    // than the root gets the variable choice again.
    void Aktywacja(const std::optional<WybranyWezel>& wezel, int pierwszyRok);

    // The variable list: entry i (-1: none) chosen.
    void WybierzZmienna(int i);
    // The slider moved with kod to pozycja.
    void PrzewinSuwak(KodPrzewijania kod, int pozycja);
    // The bound and step bars moved (any code).
    void PrzewinDolnaGranice(int pozycja);
    void PrzewinGornaGranice(int pozycja);
    void PrzewinKrok(int pozycja);
    // The expert check box clicked into zaznaczony.
    void ZaznaczEkspert(bool zaznaczony);

    // The animation: started from the bars' positions, then one value per
    // call; false once the run is over (nothing more to do).
    void StartAnimacji(bool wGore);
    bool KrokAnimacji();
    void ZatrzymajAnimacje();
    // A whole run at once (the headless path).
    void Animuj(bool wGore);
    bool AnimacjaTrwa() const { return animacja_.Trwa(); }
    // The caption of a start button (upwards or downwards): "Stop" on the
    // one whose run goes.
    std::string NapisStartu(bool wGore) const;

    // The sibling browser.
    // A product bar's step replaced the node in view: the copy is the node
    // the panel works on, with its siblings, and the chosen variable's
    // value, slider and bounds come from its record.
    void PoKrokuPaska();

    void BratPlus();
    void BratMinus();
    void Oryginalny();

    // ----- what the window shows
    const std::array<std::string, 54>& Etykiety() const { return etykiety_; }
    int Wybrana() const { return wybrana_; }  // -1: none
    int Parametr() const { return wybrana_ + 1; }
    std::string Jednostka() const;
    const std::string& Wartosc() const { return wartosc_; }  // WartoscZmiennejEdit
    const Pasek& Suwak() const { return suwak_; }
    const Pasek& DolnaGranica() const { return dolna_; }
    const Pasek& GornaGranica() const { return gorna_; }
    const Pasek& Krok() const { return krok_; }
    const std::string& TekstDolnej() const { return tekstDolnej_; }
    const std::string& TekstGornej() const { return tekstGornej_; }
    const std::string& TekstKroku() const { return tekstKroku_; }
    bool GrupaAnimacji() const { return grupaAnimacji_; }       // shown
    bool StartWlaczony() const { return startWlaczony_; }        // the two start buttons
    const std::string& PodpowiedzZakresu() const { return podpowiedzZakresu_; }
    bool EkspertWlaczony() const;
    bool EkspertZaznaczony() const { return ekspert_ && EkspertWlaczony(); }
    bool PanelWlaczony() const { return panelWlaczony_; }       // Analiza_wrazliwosci
    std::string PodpowiedzPanelu() const;
    bool BratPlusWlaczony() const { return bratPlus_; }
    bool BratMinusWlaczony() const { return bratMinus_; }
    const std::string& Brat() const { return brat_; }
    // The description of the last value sent ("<variable> na: <value>").
    const std::string& OstatniaZmiana() const { return ostatniaZmiana_; }

private:
    void UstawGranice(int p);
    // The sibling buttons and the label of the node in view.
    void Rodzenstwo(const std::optional<WybranyWezel>& wezel);
    // The node in view (a what-if copy in its place) becomes the original.
    void NowyOryginal();
    bool Wyslij(int v);
    void PrzejdzDoBrata(bool naprzod);
    void StanPanelu();
    std::string Opis() const;
    void Zapytaj(const std::function<void()>& f) const {
        if (f) f();
    }

    Kontekst& k_;
    HakiWarsztatu& warsztat_;
    std::array<std::string, 54> etykiety_;
    int wybrana_ = -1;
    std::string wartosc_ = "0";
    Pasek suwak_{0, 500, 250, false};
    Pasek dolna_{0, 100, 0, false}, gorna_{0, 100, 0, false}, krok_{1, 100, 1, false};
    std::string tekstDolnej_, tekstGornej_, tekstKroku_;
    bool grupaAnimacji_ = false, startWlaczony_ = false;
    std::string podpowiedzZakresu_;
    bool ekspert_ = false;
    bool panelWlaczony_ = true;
    bool bratPlus_ = false, bratMinus_ = false;
    std::string brat_;
    std::string ostatniaZmiana_;
    int numerOryginalnego_ = 0;
    PrzebiegAnimacji animacja_;
};

}  // namespace vesk
