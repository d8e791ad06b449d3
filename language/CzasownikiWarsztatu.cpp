#include "CzasownikiWarsztatu.h"

#include "BladSkryptu.h"
#include "FileSystem.h"
#include "Odczyty.h"
#include "OperacjeJezyka.h"
#include "SlowaRozkazu.h"
#include "ZmienneSkryptu.h"

namespace vesk {

namespace {

std::string slowo(const std::string& linia, int n) { return Ekstrakcja_Stringa(linia, n); }

// The path between the first two double quotes of a file verb's line.
std::string sciezkaWCudzyslowie(const std::string& linia) {
    const std::size_t a = linia.find('"');
    const std::size_t b = a == std::string::npos ? a : linia.find('"', a + 1);
    if (b == std::string::npos || b == a + 1)
        throw BladSkryptu(BladSkryptu::Rodzaj::BrakOperandu, "brak nazwy pliku w cudzys\xB3owie");
    return linia.substr(a + 1, b - a - 1);
}

int wierszProduktu(const std::string& produkt) {
    if (produkt == "alfa") return 1;
    if (produkt == "beta") return 2;
    if (produkt == "gamma") return 3;
    return 0;
}

// One point of a per-step history; BrakWartosci outside its indices or
// before any simulation.
double punkt(const PrzebiegWezlow* p, int wezel, int rok, int krok) {
    if (!p || wezel < 0 || wezel > 50 || rok < 1 || rok > 3 || krok < 0 || krok > 50) return BrakWartosci;
    return static_cast<double>(static_cast<long double>((*p)[wezel][rok][krok]));
}

}  // namespace

std::string CzasownikiWarsztatu::wartosc(const std::string& s) const {
    if (!s.empty() && s[0] == 'x') return PodstawOperand(k_, s, PostacWartosci::Ogolna);
    std::string t = s;
    if (std::size_t p = t.find('.'); p != std::string::npos) t[p] = k_.SeparatorDziesietny;
    return t;
}

void CzasownikiWarsztatu::zmiana(const std::string& linia, const char* grupa, int slowoSelektora, int slowoRoku,
                                 int slowoWartosci) {
    const std::string g = grupa;
    const std::string selektor = slowoSelektora > 0 ? slowo(linia, slowoSelektora) : std::string();
    // A product group resolves its value only for a known product.
    if ((g == "cena" || g == "zlec") && wierszProduktu(selektor) == 0) return;
    const std::string v = wartosc(WymaganeSlowo(linia, slowoWartosci, "warto\x9C\xE6"));
    if (std::string* pole = PoleDecyzji(w_, g, selektor, slowo(linia, slowoRoku))) *pole = v;
}

void CzasownikiWarsztatu::Zmiana_Zlecenia_Interpreter(const std::string& l) { zmiana(l, "zlec", 2, 3, 4); }
void CzasownikiWarsztatu::Zmiana_Ceny_Interpreter(const std::string& l) { zmiana(l, "cena", 2, 3, 4); }
void CzasownikiWarsztatu::Zmiana_Zamowienia_Surowcow_Interpreter(const std::string& l) {
    zmiana(l, "Surowiec", 3, 4, 5);
}
void CzasownikiWarsztatu::Zmiana_Dywidendy_Interpreter(const std::string& l) { zmiana(l, "Dywidenda", 0, 2, 3); }
void CzasownikiWarsztatu::Zmiana_Zadluzenia_Interpreter(const std::string& l) { zmiana(l, "zadluzenie", 0, 2, 3); }
void CzasownikiWarsztatu::Zmiana_Emisji_Akcji_Interpreter(const std::string& l) {
    zmiana(l, "Emisja_Akcji", 0, 3, 4);
}

void CzasownikiWarsztatu::Zmiana_Inwestycji_interpreter(const std::string& l) {
    const std::string v = wartosc(WymaganeSlowo(l, 5, "wariant"));
    const int wiersz = wierszProduktu(slowo(l, 2));
    const int rok = IndeksRoku(slowo(l, 3));
    if (wiersz == 0 || rok < 0) return;  // no cell for such a line
    const int kolumna = 1 + 2 * rok + (slowo(l, 4) == "projekt2" ? 1 : 0);
    w_.Formularz.Siatka[static_cast<std::size_t>(wiersz)][static_cast<std::size_t>(kolumna)] = v;
}

void CzasownikiWarsztatu::Potwierdzenie() { PotwierdzFormularz(w_); }

void CzasownikiWarsztatu::Wczytaj_Plik_Interpreter(const std::string& l) { Wczytaj_Plik(w_, sciezkaWCudzyslowie(l)); }
void CzasownikiWarsztatu::Utworz_Plik_Interpreter(const std::string& l) {
    Utworz_Plik(w_, sciezkaWCudzyslowie(l));
}

void CzasownikiWarsztatu::Ustaw_Wezel_Intepreter(const std::string& l) {
    const int n = ArgumentCalkowityScisly(k_, WymaganeSlowo(l, 3, "numer w\xEAz\xB3" "a"));
    Ustaw_Biezacy(w_, PozycjaWezla(w_, n));
}

void CzasownikiWarsztatu::Dodaj_Wezel_Intepreter(const std::string& l) {
    const int baza = ArgumentCalkowity(k_, WymaganeSlowo(l, 3, "w\xEAze\xB3 bazowy"));
    const int wzor = ArgumentCalkowity(k_, WymaganeSlowo(l, 4, "w\xEAze\xB3 wzorcowy"));
    const std::string cel = slowo(l, 5);
    const int v = cel.empty() ? 0 : NumerCelu(cel);
    Dodaj_Wezel(w_, PozycjaWezla(w_, baza), PozycjaWezla(w_, wzor));
    if (v > 0) UstawWartoscZmiennej(k_, v, k_.NumerNowegoWezla);
}

void CzasownikiWarsztatu::Kasuj_Wezel_Intepreter(const std::string& l) {
    const int i = PozycjaWezla(w_, ArgumentCalkowity(k_, WymaganeSlowo(l, 3, "numer w\xEAz\xB3" "a")));
    if (w_.Drzewo.MaDzieci(i)) throw BladSkryptu(BladSkryptu::Rodzaj::Odmowa, "blad w skrypcie - kasowanie");
    Kasuj_Wezel(w_, i);
}

void CzasownikiWarsztatu::Symuluj_Wezel_Interpreter(const std::string& l) {
    Symuluj_Wezel(w_, PozycjaWezla(w_, ArgumentCalkowity(k_, WymaganeSlowo(l, 3, "numer w\xEAz\xB3" "a"))));
}

void CzasownikiWarsztatu::OdswiezWskazniki() {
    // The indicator window may run verbs of its own; it never refreshes
    // itself again from inside this refresh.
    if (odswiezanie_) return;
    odswiezanie_ = true;
    struct Koniec {
        bool& f;
        ~Koniec() { f = false; }
    } koniec{odswiezanie_};
    w_.Zmiana_wezla();
    // The one variable the indicator side still changes: the first
    // calendar year of the node's period.
    if (w_.Wskazniki->refreshAndEvaluate()) Odczyt_Bilans(k_, 0, 1, "x91");
}

void CzasownikiWarsztatu::zapisz(const std::string& nazwa, double v) {
    if (!wyjscie_transform(k_, nazwa, v))
        throw BladSkryptu(BladSkryptu::Rodzaj::NumerZmiennej, "'" + nazwa + "' nie jest zmienn\xB9 x1..x100");
}

void CzasownikiWarsztatu::Odczyt_Interpreter(const std::string& pozycja, const std::string& l) {
    auto arg = [&](int n) { return ArgumentCalkowity(k_, WymaganeSlowo(l, n, "argument odczytu")); };
    auto cel = [&](int n) { return WymaganeSlowo(l, n, "zmienna odczytu"); };
    auto sprawdz = [&](bool zapisano, const std::string& nazwa) {
        if (!zapisano)
            throw BladSkryptu(BladSkryptu::Rodzaj::NumerZmiennej, "'" + nazwa + "' nie jest zmienn\xB9 x1..x100");
    };
    const Przebiegi* h = k_.Historia.get();
    if (pozycja == "wynik finansowy" || pozycja == "rachunek rozliczeniowy") {
        const int wezel = arg(3), rok = arg(4), krok = arg(5);
        const PrzebiegWezlow* p = h ? (pozycja == "wynik finansowy" ? &h->Przebieg1 : &h->Przebieg2) : nullptr;
        zapisz(cel(6), punkt(p, wezel, rok, krok));
    } else if (pozycja == "sprzeda\xBF ilo\x9C" "ciowo" || pozycja == "zdolno\x9C\xE6 produkcyjna") {
        const int produkt = arg(3), wezel = arg(4), rok = arg(5), krok = arg(6);
        const PrzebiegWezlow* p = nullptr;
        if (h && produkt >= 1 && produkt <= 3)
            p = pozycja[0] == 's' ? &h->Przebieg4[produkt] : &h->Przebieg3[produkt];
        zapisz(cel(7), punkt(p, wezel, rok, krok));
    } else if (pozycja == "wynik syntetyczny") {
        const int a = arg(3), b = arg(4);
        const std::string c = cel(5);
        sprawdz(Wyjscie_wynik_syntetyczny(k_, a, b, c), c);
    } else if (pozycja == "wska\x9Fniki rentowno\x9C" "ci" || pozycja == "wska\x9Fniki p\xB3ynno\x9C" "ci" ||
               pozycja == "wska\x9Fniki zad\xB3u\xBF" "enia" || pozycja == "wska\x9Fniki obrotowo\x9C" "ci") {
        const int a = arg(3), b = arg(4);
        const std::string c = cel(5);
        bool z = false;
        if (pozycja.find("rent") != std::string::npos) z = Wyjscie_wskazniki_rentownosci(k_, a, b, c);
        else if (pozycja.find("ynno") != std::string::npos) z = Wyjscie_wskazniki_plynnosci(k_, a, b, c);
        else if (pozycja.find("zad") != std::string::npos) z = Wyjscie_wskazniki_zadluzenia(k_, a, b, c);
        else z = Wyjscie_wskazniki_obrotowosci(k_, a, b, c);
        sprawdz(z, c);
    } else if (pozycja == "rachunek wynik\xF3w") {
        const int a = arg(3), b = arg(4), c3 = arg(5);
        const std::string c = cel(6);
        sprawdz(Wyjscie_rachunek_wynikow(k_, a, b, c3, c), c);
    } else if (pozycja == "bilans") {
        const int a = arg(2), b = arg(3), c3 = arg(4);
        const std::string c = cel(5);
        sprawdz(_bilans(k_, a, b, c3, c), c);
    } else if (pozycja == "produkcja" || pozycja == "zapasy" || pozycja == "koszty") {
        const int a = arg(2), b = arg(3);
        const std::string c = cel(4);
        sprawdz(pozycja == "produkcja" ? _produkcja(k_, a, b, c)
                : pozycja == "zapasy"  ? _zapasy(k_, a, b, c)
                                       : _koszty(k_, a, b, c),
                c);
    } else if (pozycja == "cash flow" || pozycja == "zmienne decyzyjne") {
        const int a = arg(3), b = arg(4);
        const std::string c = cel(5);
        sprawdz(pozycja == "cash flow" ? Wyjscie_CashFlow(k_, a, b, c) : Wyjscie_Decyzje(k_, a, b, c), c);
    } else {
        k_.Okna->message("nie przewidziano");
    }
}

void CzasownikiWarsztatu::Odczyt_Numeru_Wezla_Interpreter(const std::string& l) {
    const std::string c = WymaganeSlowo(l, 2, "zmienna odczytu");
    if (!w_.Wybrany) throw BladSkryptu(BladSkryptu::Rodzaj::BrakWezla, "\xBF" "aden w\xEAze\xB3 nie jest wybrany");
    NumerOdczytanegoWezla = *w_.Wybrany;
    zapisz(c, NumerOdczytanegoWezla);
}

void CzasownikiWarsztatu::Odczyt_Numeru_Wezla_Ojca_Interpreter(const std::string& l) {
    const int n = ArgumentCalkowity(k_, WymaganeSlowo(l, 2, "numer w\xEAz\xB3" "a"));
    const std::string c = WymaganeSlowo(l, 3, "zmienna odczytu");
    const int rodzic = w_.Drzewo.Rodzic(PozycjaWezla(w_, n));
    if (rodzic < 0) throw BladSkryptu(BladSkryptu::Rodzaj::BrakWezla, "w\xEAze\xB3 " + std::to_string(n) + " nie ma ojca");
    zapisz(c, w_.Drzewo.Numer(rodzic));
}

void CzasownikiWarsztatu::Pokaz_Zmienna_Interpreter(const std::string& l) {
    const int n = NumerCelu(WymaganeSlowo(l, 2, "zmienna"));
    k_.Okna->message("warto\x9C\xE6 zmiennej " + k_.NazwyZmiennych[static_cast<std::size_t>(n - 1)].Uzytkownika +
                     "\r wynosi: " + Wartosc_Zmiennej(k_, n));
}

std::string CzasownikiWarsztatu::Zanotuj_Zmienna_Interpreter(const std::string& l) {
    return Wartosc_Zmiennej(k_, NumerCelu(WymaganeSlowo(l, 2, "zmienna")));
}

}  // namespace vesk
