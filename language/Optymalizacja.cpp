#include "Optymalizacja.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <tuple>

#include "BladSkryptu.h"
#include "FileSystem.h"
#include "FormularzDecyzji.h"
#include "HarmonogramInwestycji.h"
#include "Paths.h"
#include "PlikStanu.h"
#include "Odczyty.h"
#include "OperacjeJezyka.h"
#include "OperacjeWezlow.h"
#include "ZmienneSkryptu.h"

namespace vesk {

namespace {

// The least gain that lets a climb go on.
constexpr long double NajmniejszyZysk = 0.001L;

// The command's operator refused by the workbench, which has told why: the
// command ends without a second box.
struct OperatorOdmowiony {};

// The command's operator opened (Wczytaj_Plik) or created (Utworz_Plik).
void operatorPolecenia(void (*polecenie)(Warsztat&, const std::string&), Warsztat& w, const std::string& plik) {
    try {
        polecenie(w, plik);
    } catch (const BladSkryptu& e) {
        if (e.rodzaj() != BladSkryptu::Rodzaj::Odmowa) throw;
        throw OperatorOdmowiony{};
    }
}

// The sheet's group of a decision kind; null for an unknown kind.
const char* grupaDecyzji(const std::string& rodzaj) {
    if (rodzaj == DecyzjaCena) return "cena";
    if (rodzaj == DecyzjaProdukcja) return "zlec";
    if (rodzaj == DecyzjaZamowienieSurowca) return "Surowiec";
    return nullptr;
}

int indeksSlowa(const std::string& slowo, const char* a, const char* b, const char* c) {
    if (slowo == a) return 0;
    if (slowo == b) return 1;
    if (slowo == c) return 2;
    return -1;
}

}  // namespace

// Stands in for the windows while a climb runs: the simulation, which asks
// for a stop at every step, is always told to go on, and a request it met
// is kept for the test between trials, so that a trial is never cut short.
class Optymalizacja::OdroczonyStop : public UserInterface {
public:
    explicit OdroczonyStop(Kontekst& k) : k_(k), ui_(*k.Okna) { k_.Okna = this; }
    ~OdroczonyStop() override { k_.Okna = &ui_; }
    OdroczonyStop(const OdroczonyStop&) = delete;
    OdroczonyStop& operator=(const OdroczonyStop&) = delete;

    // Whether a stop was asked for since the climb began.
    bool prosba() {
        if (!prosba_) prosba_ = ui_.stopRequested();
        return prosba_;
    }

    void beep() override { ui_.beep(); }
    void message(const std::string& t) override { ui_.message(t); }
    bool question(const std::string& t) override { return ui_.question(t); }
    bool confirm(const std::string& t, const std::string& c) override { return ui_.confirm(t, c); }
    bool retry(const std::string& t, const std::string& c) override { return ui_.retry(t, c); }
    Choice choose(const std::string& t, const std::string& y, const std::string& n, const std::string& c) override {
        return ui_.choose(t, y, n, c);
    }
    std::optional<std::string> chooseFile(const std::string& t, const std::string& f, bool z,
                                          const std::string& katalog) override {
        return ui_.chooseFile(t, f, z, katalog);
    }
    std::optional<std::string> inputText(const std::string& c, const std::string& p,
                                         const std::string& i) override {
        return ui_.inputText(c, p, i);
    }
    void endProgram(int kod) override { ui_.endProgram(kod); }
    bool stopRequested() override {
        prosba();
        return false;
    }
    void progress(const std::string& t) override { ui_.progress(t); }

private:
    Kontekst& k_;
    UserInterface& ui_;
    bool prosba_ = false;
};

class Optymalizacja::Wstrzymanie {
public:
    explicit Wstrzymanie(Optymalizacja& o) : o_(o) {
        if (o_.stop_) return;
        wlasny_ = std::make_unique<OdroczonyStop>(o_.k_);
        o_.stop_ = wlasny_.get();
    }
    ~Wstrzymanie() {
        if (wlasny_) o_.stop_ = nullptr;
    }
    Wstrzymanie(const Wstrzymanie&) = delete;
    Wstrzymanie& operator=(const Wstrzymanie&) = delete;

private:
    Optymalizacja& o_;
    std::unique_ptr<OdroczonyStop> wlasny_;
};

std::string TekstDecyzji(long double wartosc) {
    char t[64];
    std::snprintf(t, sizeof t, "%5.0Lf", wartosc);
    return t;
}

int IndeksZakresu(const std::string& rodzaj, const std::string& produkt, const std::string& rok) {
    const int y = IndeksRoku(rok);
    if (y < 0) return 0;
    if (rodzaj == DecyzjaZamowienieSurowca) {
        const int m = indeksSlowa(produkt, "white", "black", "red");
        return m < 0 ? 0 : 19 + 3 * m + y;
    }
    const int p = indeksSlowa(produkt, "alfa", "beta", "gamma");
    if (p < 0) return 0;
    if (rodzaj == DecyzjaCena) return 1 + 3 * p + y;
    if (rodzaj == DecyzjaProdukcja) return 10 + 3 * p + y;
    return 0;
}

void Optymalizacja::ustawX(int n, long double v) { UstawWartoscZmiennej(k_, n, v); }

int Optymalizacja::dodaj(int wzor) {
    Dodaj_Wezel(w_, PozycjaWezla(w_, 0), PozycjaWezla(w_, wzor));
    const int nowy = k_.NumerNowegoWezla;
    swieza_.operator_ = k_.SciezkaOperatora;
    swieza_.wzor = wzor;
    swieza_.numer = nowy;
    swieza_.rekord = std::make_unique<StanModelu>();
    if (!ZnajdzStanModelu(k_, SciezkaPlikuStanu(k_), static_cast<std::uint8_t>(nowy), *swieza_.rekord))
        swieza_.rekord.reset();
    swieza_.niepotwierdzona = true;
    swieza_.potwierdzony.reset();
    swieza_.rok = -1;
    return nowy;
}

bool Optymalizacja::moznaWMiejscu(int numer, int wzor) const {
    if (!ProbaWMiejscu || !swieza_.rekord || swieza_.operator_ != k_.SciezkaOperatora || swieza_.wzor != wzor ||
        swieza_.numer != numer)
        return false;
    const int i = w_.Drzewo.Znajdz(numer);
    if (i < 0 || i != w_.Drzewo.Liczba() - 1 || w_.Drzewo.Rodzic(i) != 0) return false;
    BinaryFile f;
    std::optional<std::string> bajty;
    if (f.open(SciezkaPlikuStanu(k_), BinaryFile::Mode::Read)) bajty = f.readRest(NajdluzszyPlikStanu);
    if (!bajty || bajty->empty() || bajty->size() % RozmiarStanuModelu != 0) return false;
    int poprzedni = -1;
    for (std::size_t o = 0; o < bajty->size(); o += RozmiarStanuModelu) {
        const int n = static_cast<std::uint8_t>((*bajty)[o]);
        if (n <= poprzedni) return false;
        poprzedni = n;
    }
    return poprzedni == numer;
}

void Optymalizacja::wMiejscu(int numer) {
    auto rekord = std::make_unique<StanModelu>(*swieza_.rekord);
    bool ok = false;
    try {
        ok = ZapiszStanModelu(k_, *rekord, k_.NumerWezla, k_.RokWezla, k_.ZnacznikWezla);
    } catch (const std::exception& e) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PlikStanu, e.what());
    }
    if (!ok) throw BladSkryptu(BladSkryptu::Rodzaj::PlikStanu, "nie zapisano pliku " + SciezkaPlikuStanu(k_));
    for (int s = 0; s <= NajwiekszyNumerWezla; ++s)
        if (k_.TabelaWezlow.Zajety[s] && k_.TabelaWezlow.Wpisy[s].Numer == numer)
            k_.TabelaWezlow.Wpisy[s].Symulowany = rekord->Symulowany();
    WyczyscPrzebiegiWezla(k_, numer);
    const int i = PozycjaWezla(w_, numer);
    w_.Drzewo.UstawEtykiete(i, EtykietaWezla(numer, false));
    w_.Drzewo.UstawObrazek(i, 0);
    w_.Wybierz(i);
    w_.Zmiana_wezla();
    widokNieaktualny_ = false;
    w_.ZapiszDrzewo();
    swieza_.niepotwierdzona = true;
}

bool Optymalizacja::szybko(int numer, int wzor, const Decyzja* d, long double wartosc) {
    const SwiezaProba& s = swieza_;
    const StanModelu* wzorzec = d ? s.potwierdzony.get() : s.rekord.get();
    if (!wzorzec || s.rok < 0 || w_.Wskazniki->visible()) return false;
    if (d && (!(s.decyzja == *d) || s.separator != k_.SeparatorDziesietny)) return false;
    if (!moznaWMiejscu(numer, wzor)) return false;
    // Over a simulated trial alone: the tree keeps its label.
    const int i = w_.Drzewo.Znajdz(numer);
    const int slot = SzukajWezla(k_, numer);
    if (w_.Drzewo.Etykieta(i) != EtykietaWezla(numer, true) || !k_.TabelaWezlow.Zajety[slot] ||
        k_.TabelaWezlow.Wpisy[slot].Numer != numer || k_.TabelaWezlow.Wpisy[slot].Symulowany != 1)
        return false;

    auto rekord = std::make_unique<StanModelu>(*wzorzec);
    if (d) {
        // The box's text read as the sheet reads it.
        const char* grupa = grupaDecyzji(d->rodzaj);
        const std::string* pole = grupa ? PoleDecyzji(w_, grupa, d->produkt, d->rok) : nullptr;
        if (!pole) return false;
        const PoleFormularza& opis = PolaFormularza()[static_cast<std::size_t>(pole - w_.Formularz.Pola.data())];
        const std::optional<long double> v = WartoscPola(TekstDecyzji(wartosc), opis.jednostka, k_.SeparatorDziesietny);
        if (!v) return false;
        try {
            rekord->zapis().setReal48(opis.offset, roundToReal48(*v));
        } catch (const Real48Error&) {
            return false;
        }
    }
    rekord->UstawRok(static_cast<std::int16_t>(s.rok));
    if (!ZbudujHarmonogramInwestycji(k_, *rekord)) return false;

    WyczyscPrzebiegiWezla(k_, numer);
    k_.RekordBiezacy = *rekord;
    k_.RekordPomocniczy = *rekord;
    w_.Postep = 0;
    widokNieaktualny_ = true;
    // A failed run leaves the file and the tree with the trial as it was.
    if (!SymulujWezel(k_))
        throw BladSkryptu(BladSkryptu::Rodzaj::Odmowa, "symulacja w\xEAz\xB3" "a " + std::to_string(numer) + " nie powiod\xB3" "a si\xEA");
    ++PrzepisaneWMiejscu;
    return true;
}

void Optymalizacja::odswiezWidok() {
    if (!widokNieaktualny_) return;
    widokNieaktualny_ = false;
    if (const int i = w_.Drzewo.Znajdz(swieza_.numer); i >= 0) {
        w_.Wybierz(i);
        w_.Zmiana_wezla();
    }
}

int Optymalizacja::przepisz(int numer, int wzor) {
    if (moznaWMiejscu(numer, wzor)) {
        wMiejscu(numer);
        ++PrzepisaneWMiejscu;
        return numer;
    }
    Kasuj_Wezel(w_, PozycjaWezla(w_, numer));
    return dodaj(wzor);
}

void Optymalizacja::ustawDecyzje(int numer, const Decyzja& d, long double wartosc) {
    // A trial just made shows its record in the sheet.
    const bool swieza = swieza_.niepotwierdzona && swieza_.numer == numer && swieza_.rekord;
    swieza_.niepotwierdzona = false;
    // An add leaves its node selected and shown in the sheet.
    if (w_.Wybrany != numer) Ustaw_Biezacy(w_, PozycjaWezla(w_, numer));
    const std::string tekst = TekstDecyzji(wartosc);
    if (d.rodzaj == DecyzjaCena) Zmiana_Cena(w_, d.produkt, d.rok, tekst);
    else if (d.rodzaj == DecyzjaProdukcja) Zmiana_Produkcja(w_, d.produkt, d.rok, tekst);
    else if (d.rodzaj == DecyzjaZamowienieSurowca) Zmiana_Zamowienia_Surowcow(w_, d.produkt, d.rok, tekst);
    else throw BladSkryptu(BladSkryptu::Rodzaj::Wykonanie, "nieznany rodzaj decyzji '" + d.rodzaj + "'");
    if (swieza) {
        swieza_.potwierdzony = std::make_unique<StanModelu>(k_.RekordBiezacy);
        swieza_.decyzja = d;
        swieza_.separator = k_.SeparatorDziesietny;
    }
}

void Optymalizacja::symuluj(int numer) {
    Symuluj_Wezel(w_, PozycjaWezla(w_, numer));
    widokNieaktualny_ = false;
    const StanModelu& r = k_.RekordBiezacy;
    if (swieza_.numer == numer && r.Numer() == numer && r.Symulowany() != 0) swieza_.rok = r.Rok();
}

long double Optymalizacja::kryterium(const std::string& nazwa) {
    if (Kryterium) return Kryterium(nazwa);
    if (nazwa == KryteriumWynikSyntetyczny) return WartoscWynikuSyntetycznego(k_, 1, 2);
    if (nazwa == KryteriumRachunekWynikow) return WartoscRachunkuWynikow(k_.RekordBiezacy, 13, 1, 1);
    throw BladSkryptu(BladSkryptu::Rodzaj::Wykonanie, "nieznane kryterium '" + nazwa + "'");
}

void Optymalizacja::bilans(int n) { Odczyt_Bilans(k_, 14, 6, "x" + std::to_string(n)); }

int Optymalizacja::Kandydat(int numer, int wzor, const Decyzja& d, long double wartosc, const std::string& nazwa) {
    if (!szybko(numer, wzor, &d, wartosc)) {
        numer = przepisz(numer, wzor);
        ustawDecyzje(numer, d, wartosc);
        symuluj(numer);
    }
    ustawX(92, kryterium(nazwa));
    return numer;
}

int Optymalizacja::wspinaczka(int wzor, Real& wartosc, int krok, const Decyzja& d, const std::string& nazwa,
                              bool zPoprzedniego) {
    Proby = 0;
    Zatrzymano = false;
    Wstrzymanie wstrzymanie(*this);
    struct Widok {
        Optymalizacja& o;
        ~Widok() { o.odswiezWidok(); }
    } widok{*this};
    int numer = dodaj(wzor);
    // The best value found; none while the best is the template itself.
    std::optional<Real> najlepsza;
    bool symulowany = false;
    if (zPoprzedniego) {
        ustawX(91, x(92));
    } else {
        ustawDecyzje(numer, d, wartosc);
        symuluj(numer);
        symulowany = true;
        ustawX(91, kryterium(nazwa));
        najlepsza = wartosc;
    }
    ustawX(92, x(91));

    int minimum = 0, maksimum = 0;
    if (const int z = IndeksZakresu(d.rodzaj, d.produkt, d.rok); z > 0)
        std::tie(minimum, maksimum) = k_.Zakresy[z];
    const bool ograniczony = maksimum > minimum;

    bool przegrana = false;
    Real biezaca = wartosc;
    while (Proby < NajwiecejProb) {
        const Real nastepna = static_cast<long double>(biezaca) + krok;
        if (ograniczony && (nastepna < static_cast<long double>(minimum) || nastepna > static_cast<long double>(maksimum)))
            break;
        // Asked between trials, never while one runs.
        if (stop_->prosba()) {
            k_.FlagaPracy = false;
            Zatrzymano = true;
            break;
        }
        biezaca = nastepna;
        if (symulowany) {
            numer = Kandydat(numer, wzor, d, biezaca, nazwa);
        } else {
            ustawDecyzje(numer, d, biezaca);
            symuluj(numer);
            ustawX(92, kryterium(nazwa));
        }
        symulowany = true;
        ++Proby;
        const long double zysk = static_cast<long double>(x(92)) - static_cast<long double>(x(91));
        k_.Okna->progress(PostacNaukowa(static_cast<double>(zysk)));
        if (!(zysk >= NajmniejszyZysk)) {
            przegrana = true;
            break;
        }
        ustawX(91, x(92));
        najlepsza = biezaca;
    }
    // The trial node is left at the best value, simulated.
    if (przegrana || !symulowany) {
        const long double v = najlepsza ? static_cast<long double>(*najlepsza) : 0.0L;
        if (!(symulowany && szybko(numer, wzor, najlepsza ? &d : nullptr, v))) {
            if (symulowany) numer = przepisz(numer, wzor);
            if (najlepsza) ustawDecyzje(numer, d, *najlepsza);
            symuluj(numer);
        }
    }
    if (najlepsza) wartosc = *najlepsza;
    ustawX(92, x(91));
    return numer;
}

int Optymalizacja::Zbadaj(int wzor, Real& wartosc, char kierunek, const std::string& rodzaj,
                          const std::string& produkt, const std::string& rok, const std::string& kryterium) {
    if (!k_.FlagaPracy) return -1;
    return wspinaczka(wzor, wartosc, kierunek == '-' ? -1 : 1, Decyzja{rodzaj, produkt, rok}, kryterium, false);
}

void Optymalizacja::wykonaj(const std::function<void()>& polecenie, const std::string& wyniki) {
    Wstrzymanie wstrzymanie(*this);
    Zakonczenie.clear();
    try {
        polecenie();
    } catch (const OperatorOdmowiony&) {
        return;
    } catch (const std::exception& e) {
        k_.Okna->message(e.what());
        return;
    }
    // "Optymalizacja zakończona" / "przerwana"
    Zakonczenie = std::string(Zatrzymano ? "Optymalizacja przerwana" : "Optymalizacja zako\xF1" "czona") + " - " +
                  wyniki + " " + k_.PlikDrzewa;
}

void Optymalizacja::optymalizacja21Click() {
    wykonaj([this] {
        const std::string katalog = k_.catKARTOPERATORA.empty() ? k_.KatalogOperatora : k_.catKARTOPERATORA;
        operatorPolecenia(Utworz_Operator_Programu, w_, joinPath(katalog, "optyma.tr1"));
        k_.FlagaPracy = true;
        struct Wiersz {
            const char* rodzaj;
            const char* produkt;
            const char* rok;
            char kierunek;
            long double start;
        };
        static const Wiersz badania[] = {
            {DecyzjaProdukcja, "gamma", "rok1", '-', 400.0L}, {DecyzjaProdukcja, "alfa", "rok1", '-', 400.0L},
            {DecyzjaProdukcja, "beta", "rok1", '-', 400.0L},  {DecyzjaProdukcja, "gamma", "rok2", '+', 400.0L},
            {DecyzjaProdukcja, "alfa", "rok2", '+', 400.0L},  {DecyzjaProdukcja, "beta", "rok2", '+', 400.0L},
            {DecyzjaProdukcja, "gamma", "rok3", '+', 400.0L}, {DecyzjaProdukcja, "alfa", "rok3", '+', 400.0L},
            {DecyzjaProdukcja, "beta", "rok3", '+', 400.0L},  {DecyzjaCena, "gamma", "rok1", '+', 411.0L},
        };
        int wzor = 0;
        for (const Wiersz& b : badania) {
            Real wartosc = b.start;
            const int n = Zbadaj(wzor, wartosc, b.kierunek, b.rodzaj, b.produkt, b.rok, KryteriumWynikSyntetyczny);
            if (n < 0 || Zatrzymano) break;  // the later studies would do nothing either
            wzor = n;
        }
    }, "wyniki w nowym operatorze optyma:");
}

void Optymalizacja::Optymalizacja1Click() {
    wykonaj([this] {
        const std::string katalog = k_.catKARTOPERATORA.empty() ? k_.KatalogOperatora : k_.catKARTOPERATORA;
        operatorPolecenia(Wczytaj_Plik, w_, joinPath(katalog, "we.tr1"));
        // The reference run.
        const int n = dodaj(0);
        Ustaw_Biezacy(w_, PozycjaWezla(w_, n));
        symuluj(n);
        bilans(93);
        ustawX(91, kryterium(KryteriumWynikSyntetyczny));
        Kasuj_Wezel(w_, PozycjaWezla(w_, n));

        struct Przypadek {
            const char* rodzaj;
            const char* produkt;
            const char* rok;
            long double start;
            int krok;
            bool zPoprzedniego;  // the loop that steps before its first trial
            bool bilansPo;
        };
        static const Przypadek przypadki[] = {
            {DecyzjaCena, "gamma", "rok1", 411.0L, 1, false, false},
            {DecyzjaCena, "gamma", "rok2", 411.0L, 1, true, false},
            {DecyzjaCena, "gamma", "rok3", 411.0L, 1, true, true},
            {DecyzjaCena, "alfa", "rok1", 250.0L, 1, false, false},
            {DecyzjaCena, "alfa", "rok2", 250.0L, 1, true, false},
            {DecyzjaCena, "alfa", "rok3", 250.0L, 1, true, true},
            {DecyzjaCena, "beta", "rok1", 340.0L, -1, false, false},
            {DecyzjaCena, "beta", "rok2", 340.0L, 1, true, false},
            {DecyzjaCena, "beta", "rok3", 340.0L, 1, true, true},
            {DecyzjaZamowienieSurowca, "white", "rok1", 400.0L, -1, false, false},
            {DecyzjaZamowienieSurowca, "black", "rok1", 350.0L, -1, true, false},
        };
        int wzor = 0;
        for (const Przypadek& p : przypadki) {
            Real wartosc = p.start;
            wzor = wspinaczka(wzor, wartosc, p.krok, Decyzja{p.rodzaj, p.produkt, p.rok}, KryteriumWynikSyntetyczny,
                              p.zPoprzedniego);
            if (Zatrzymano) break;
            if (p.bilansPo) bilans(94);
        }
    }, "wyniki w drzewie operatora");
}

}  // namespace vesk
