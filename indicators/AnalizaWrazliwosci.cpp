#include "AnalizaWrazliwosci.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "CodePage.h"
#include "DrzewoDecyzji.h"
#include "IndicatorSession.h"
#include "KrokCoJesli.h"
#include "ZmienneDecyzyjne.h"

namespace vesk {

namespace {

// A simulated node's label: "d/r" and its number.
bool Symulowany(const std::string& etykieta) { return etykieta.size() >= 3 && etykieta[2] == 'r'; }

int ZaokraglonaDoInt(long double v) {
    if (std::isnan(v)) return 0;
    const long double r = std::round(v);
    if (r >= static_cast<long double>(INT_MAX)) return INT_MAX;
    if (r <= static_cast<long double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(r);
}

}  // namespace

void Pasek::UstawZakres(int min, int max) {
    Min = min;
    Max = std::max(min, max);
    UstawPozycje(Pozycja);
}

void Pasek::UstawPozycje(int p) { Pozycja = std::clamp(p, Min, Max); }

int WartoscSuwaka(const StanModelu& rekord, int k) {
    const std::optional<MiejsceParametruDecyzji> pole = PoleParametruDecyzji(k);
    if (!pole) return 0;
    const ByteView b = rekord.widok();
    if (pole->Kod) return b.u8(pole->Offset);
    return ZaokraglonaDoInt(b.real48(pole->Offset) * pole->Dzielnik);
}

const std::array<const char*, 3>& PodpisyGranic() {
    static const std::array<const char*, 3> p{"Pocz\xB9tek", "Koniec", "Krok"};
    return p;
}

std::vector<std::string> LinieWpisuZmiany(const std::string& opis, const std::vector<std::string>& wnioski) {
    std::vector<std::string> linie{std::string(80, '-'), "Zmieniono: " + opis, std::string()};
    linie.insert(linie.end(), wnioski.begin(), wnioski.end());
    return linie;
}

// ------------------------------------------------------------ the run

PrzebiegAnimacji::PrzebiegAnimacji(int lo, int hi, int s, bool wGore)
    : v_(wGore ? lo : hi), lo_(lo), hi_(hi), s_(std::max(1, s)), wGore_(wGore), trwa_(lo <= hi) {}

std::optional<int> PrzebiegAnimacji::Nastepna() {
    if (!trwa_ || v_ < lo_ || v_ > hi_) {
        trwa_ = false;
        return std::nullopt;
    }
    const int v = static_cast<int>(v_);
    v_ += wGore_ ? s_ : -s_;
    if (v_ < lo_ || v_ > hi_) trwa_ = false;
    return v;
}

// ------------------------------------------------------------ the panel

AnalizaWrazliwosci::AnalizaWrazliwosci(Kontekst& k, HakiWarsztatu& warsztat)
    : k_(k),
      warsztat_(warsztat),
      etykiety_(EtykietyZmiennych(2009)),
      tekstDolnej_(PodpisyGranic()[0]),
      tekstGornej_(PodpisyGranic()[1]),
      tekstKroku_(PodpisyGranic()[2]) {}

std::string AnalizaWrazliwosci::NapisStartu(bool wGore) const {
    if (animacja_.Trwa() && animacja_.WGore() == wGore) return "Stop";
    return wGore ? "Start - zmiany w g\xF3r\xEA" : "Start - zmiany w d\xF3\xB3";
}

void AnalizaWrazliwosci::Rodzenstwo(const std::optional<WybranyWezel>& wezel) {
    if (!wezel) {
        bratPlus_ = bratMinus_ = false;
        brat_.clear();
        return;
    }
    brat_ = wezel->Etykieta;
    bratPlus_ = std::any_of(wezel->Nastepne.begin(), wezel->Nastepne.end(), Symulowany);
    bratMinus_ = std::any_of(wezel->Poprzednie.begin(), wezel->Poprzednie.end(), Symulowany);
}

void AnalizaWrazliwosci::NowyOryginal() {
    numerOryginalnego_ = k_.RekordBiezacy.Numer();
    panelWlaczony_ = true;
    Rodzenstwo(warsztat_.Wybrany());
}

void AnalizaWrazliwosci::Aktywacja(const std::optional<WybranyWezel>& wezel, int pierwszyRok) {
    animacja_.Zatrzymaj();
    numerOryginalnego_ = k_.RekordBiezacy.Numer();
    etykiety_ = EtykietyZmiennych(pierwszyRok);  // the chosen entry stays chosen
    panelWlaczony_ = true;
    Rodzenstwo(wezel);
    if (!wezel) return;
    if (wezel->Numer != 0 && !wezel->MaDzieci) {
        WybierzZmienna(wybrana_);
        return;
    }
    // The root or a node with children takes no what-if step: the slider,
    // the bounds and the animation are off (the choice is kept for the
    // next leaf).
    suwak_.Wlaczony = dolna_.Wlaczony = gorna_.Wlaczony = krok_.Wlaczony = false;
    grupaAnimacji_ = startWlaczony_ = false;
}

std::string AnalizaWrazliwosci::Jednostka() const { return JednostkaZmiennej(Parametr()); }

bool AnalizaWrazliwosci::EkspertWlaczony() const {
    return Polaczenia.RegulyDostepne && Polaczenia.RegulyDostepne();
}

std::string AnalizaWrazliwosci::PodpowiedzPanelu() const {
    return panelWlaczony_ ? std::string() : std::string(PodpowiedzOryginalu);
}

void AnalizaWrazliwosci::WybierzZmienna(int i) {
    if (animacja_.Trwa()) return;
    wybrana_ = i >= 0 && i < 54 ? i : -1;
    if (!EkspertWlaczony()) ekspert_ = false;
    podpowiedzZakresu_.clear();
    const int k = Parametr();
    if (k == 0) {
        suwak_ = Pasek{0, 1, 0, false};
        dolna_.Wlaczony = gorna_.Wlaczony = krok_.Wlaczony = false;
        grupaAnimacji_ = startWlaczony_ = false;
        wartosc_ = "0";
        return;
    }
    const int c = WartoscSuwaka(k_.RekordBiezacy, k);
    const auto [min, max] = k_.Zakresy[k];
    wartosc_ = std::to_string(c);
    grupaAnimacji_ = true;
    if (max <= min) {
        // No room to move: the slider and the animation stay off.
        suwak_ = Pasek{min, min, min, false};
        dolna_ = Pasek{min, min, min, false};
        gorna_ = Pasek{min, min, min, false};
        krok_ = Pasek{1, 1, 1, false};
        tekstDolnej_ = tekstGornej_ = std::to_string(min);
        tekstKroku_ = "1";
        startWlaczony_ = false;
        podpowiedzZakresu_ = "Pusty zakres zmiennej w pliku zakresy.txt: " + std::to_string(min) + " .. " +
                             std::to_string(max);
        return;
    }
    suwak_.UstawZakres(min, max);
    suwak_.UstawPozycje(c);
    dolna_.UstawZakres(min, max - 1);
    dolna_.UstawPozycje(c);
    gorna_.UstawZakres(min + 1, max);
    gorna_.UstawPozycje(c + 1);
    krok_.UstawZakres(1, std::max(1, gorna_.Pozycja - dolna_.Pozycja));
    krok_.UstawPozycje(1);
    tekstDolnej_ = std::to_string(dolna_.Pozycja);
    tekstGornej_ = std::to_string(gorna_.Pozycja);
    tekstKroku_ = std::to_string(krok_.Pozycja);
    suwak_.Wlaczony = dolna_.Wlaczony = gorna_.Wlaczony = krok_.Wlaczony = true;
    startWlaczony_ = true;
}

void AnalizaWrazliwosci::PoKrokuPaska() {
    NowyOryginal();
    WybierzZmienna(wybrana_);
}

std::string AnalizaWrazliwosci::Opis() const {
    return (wybrana_ >= 0 ? etykiety_[static_cast<std::size_t>(wybrana_)] : std::string()) + " na: " + wartosc_;
}

// One new value through the what-if step, then the chart, the rule engine
// and the change entry. A refused step leaves the value box as it was.
bool AnalizaWrazliwosci::Wyslij(int v) {
    const std::string poprzednia = wartosc_;
    wartosc_ = std::to_string(v);
    std::optional<int> nowy;
    try {
        nowy = warsztat_.CoJesli(Parametr(), v);
    } catch (...) {
        wartosc_ = poprzednia;
        throw;
    }
    if (!nowy) {
        wartosc_ = poprzednia;
        return false;
    }
    // The copy took the node's place among its siblings: it is the node the
    // panel works on now, the slider at its value (an animation's too).
    NowyOryginal();
    suwak_.UstawPozycje(v);
    Zapytaj(Polaczenia.PoZmianieWezla);
    Zapytaj(Polaczenia.OdswiezWykres);
    if (EkspertZaznaczony()) {
        Zapytaj(Polaczenia.OproznijWnioski);
        Zapytaj(Polaczenia.Wnioskowanie);
    }
    ostatniaZmiana_ = Opis();
    if (Polaczenia.Raportowanie && Polaczenia.Raportowanie() && Polaczenia.WpisZmiany)
        Polaczenia.WpisZmiany(ostatniaZmiana_);
    return true;
}

void AnalizaWrazliwosci::UstawGranice(int p) {
    if (p == suwak_.Max) {
        dolna_.UstawPozycje(p - 1);
        gorna_.UstawPozycje(p);
    } else {
        dolna_.UstawPozycje(p);
        gorna_.UstawPozycje(p + 1);
    }
    tekstDolnej_ = std::to_string(dolna_.Pozycja);
    tekstGornej_ = std::to_string(gorna_.Pozycja);
}

void AnalizaWrazliwosci::PrzewinSuwak(KodPrzewijania kod, int pozycja) {
    if (animacja_.Trwa() || !suwak_.Wlaczony || !panelWlaczony_ || Parametr() == 0) return;
    if (!KodKroku(kod)) return;
    suwak_.UstawPozycje(pozycja);
    const int p = suwak_.Pozycja;
    UstawGranice(p);
    if (wartosc_ == std::to_string(p)) return;  // the value is already in view
    Wyslij(p);
}

void AnalizaWrazliwosci::PrzewinDolnaGranice(int pozycja) {
    if (animacja_.Trwa() || !dolna_.Wlaczony) return;
    dolna_.UstawPozycje(pozycja);
    if (dolna_.Pozycja >= gorna_.Pozycja) gorna_.UstawPozycje(dolna_.Pozycja + 1);
    PrzewinKrok(krok_.Pozycja);
}

void AnalizaWrazliwosci::PrzewinGornaGranice(int pozycja) {
    if (animacja_.Trwa() || !gorna_.Wlaczony) return;
    gorna_.UstawPozycje(pozycja);
    if (gorna_.Pozycja <= dolna_.Pozycja) dolna_.UstawPozycje(gorna_.Pozycja - 1);
    PrzewinKrok(krok_.Pozycja);
}

// The bound texts follow the bars; the step never exceeds the distance of
// the bounds.
void AnalizaWrazliwosci::PrzewinKrok(int pozycja) {
    if (animacja_.Trwa() || !krok_.Wlaczony) return;
    tekstDolnej_ = std::to_string(dolna_.Pozycja);
    tekstGornej_ = std::to_string(gorna_.Pozycja);
    const int d = std::max(1, gorna_.Pozycja - dolna_.Pozycja);
    krok_.UstawZakres(1, d);
    krok_.UstawPozycje(pozycja);
    tekstKroku_ = std::to_string(krok_.Pozycja);
}

void AnalizaWrazliwosci::ZaznaczEkspert(bool zaznaczony) {
    if (animacja_.Trwa()) return;
    ekspert_ = zaznaczony && EkspertWlaczony();
    if (!ekspert_) return;
    Zapytaj(Polaczenia.OproznijWnioski);
    Zapytaj(Polaczenia.Wnioskowanie);
    if (Polaczenia.Raportowanie && Polaczenia.Raportowanie() && Polaczenia.WpisZmiany)
        Polaczenia.WpisZmiany(Opis());
}

// ------------------------------------------------------------ the animation

void AnalizaWrazliwosci::StartAnimacji(bool wGore) {
    // Away from the original node the panel is off, and so is the run.
    if (animacja_.Trwa() || !startWlaczony_ || !panelWlaczony_ || Parametr() == 0) return;
    animacja_ = PrzebiegAnimacji(dolna_.Pozycja, gorna_.Pozycja, krok_.Pozycja, wGore);
}

// One value of the run: sent when it lies within the slider's range and
// the value box does not show it yet, else passed over. After it the stop
// probe is asked; a stop ends the run there.
bool AnalizaWrazliwosci::KrokAnimacji() {
    const std::optional<int> v = animacja_.Nastepna();
    if (!v) return false;
    if (*v >= suwak_.Min && *v <= suwak_.Max && wartosc_ != std::to_string(*v)) {
        if (!Wyslij(*v)) animacja_.Zatrzymaj();  // the workbench refused: no use going on
    }
    if (animacja_.Trwa() && Polaczenia.Zatrzymac && Polaczenia.Zatrzymac()) animacja_.Zatrzymaj();
    return animacja_.Trwa();
}

void AnalizaWrazliwosci::ZatrzymajAnimacje() { animacja_.Zatrzymaj(); }

void AnalizaWrazliwosci::Animuj(bool wGore) {
    StartAnimacji(wGore);
    while (KrokAnimacji()) {
    }
}

// ------------------------------------------------------------ siblings

void AnalizaWrazliwosci::StanPanelu() { panelWlaczony_ = k_.RekordBiezacy.Numer() == numerOryginalnego_; }

void AnalizaWrazliwosci::PrzejdzDoBrata(bool naprzod) {
    if (animacja_.Trwa()) return;
    const std::optional<WybranyWezel> w = warsztat_.Wybrany();
    if (!w) return;
    const std::vector<std::string>& dalej = naprzod ? w->Nastepne : w->Poprzednie;
    bool& tenSam = naprzod ? bratPlus_ : bratMinus_;
    bool& przeciwny = naprzod ? bratMinus_ : bratPlus_;
    auto it = std::find_if(dalej.begin(), dalej.end(), Symulowany);
    if (it == dalej.end() || !warsztat_.WybierzEtykiete(*it)) {
        tenSam = false;
    } else {
        // Whether the node now in view is the original is known before
        // anything shows it.
        StanPanelu();
        przeciwny = true;
        Zapytaj(Polaczenia.PoZmianieWezla);
        Zapytaj(Polaczenia.OdswiezWykres);
        brat_ = *it;
        tenSam = std::any_of(it + 1, dalej.end(), Symulowany);
        Zapytaj(Polaczenia.Koncowka);
    }
    StanPanelu();
}

void AnalizaWrazliwosci::BratPlus() { PrzejdzDoBrata(true); }
void AnalizaWrazliwosci::BratMinus() { PrzejdzDoBrata(false); }

// Back to the node the window was activated on: it is selected with its
// record, and the chart follows, as after the sibling buttons.
void AnalizaWrazliwosci::Oryginalny() {
    if (animacja_.Trwa()) return;
    const std::optional<WybranyWezel> w = warsztat_.Wybrany();
    if (!w) return;
    std::vector<std::string> kolejno(w->Poprzednie.rbegin(), w->Poprzednie.rend());
    kolejno.push_back(w->Etykieta);
    kolejno.insert(kolejno.end(), w->Nastepne.begin(), w->Nastepne.end());
    auto it = std::find_if(kolejno.begin(), kolejno.end(),
                           [this](const std::string& e) { return NumerZEtykiety(e) == numerOryginalnego_; });
    if (it == kolejno.end() || !warsztat_.WybierzEtykiete(*it)) return;
    panelWlaczony_ = true;
    Zapytaj(Polaczenia.PoZmianieWezla);
    Zapytaj(Polaczenia.OdswiezWykres);
    Rodzenstwo(warsztat_.Wybrany());
    Zapytaj(Polaczenia.Koncowka);
}

}  // namespace vesk
