#include "PozycjeSprawozdan.h"

#include <initializer_list>

#include "BladSkryptu.h"
#include "Odczyty.h"
#include "PozycjaBilansu.h"
#include "Real48.h"

namespace vesk {

namespace {

void Dodaj(std::vector<PozycjaTabeli>& t, const char* zrodlo, RodzinaOdczytu rodzina, int selektor,
           std::initializer_list<std::pair<int, const char*>> etykiety, int przesuniecie = 0) {
    for (const auto& [numer, etykieta] : etykiety)
        t.push_back(PozycjaTabeli{PozycjaWskaznika{zrodlo, etykieta}, rodzina, numer, selektor, przesuniecie});
}

std::vector<PozycjaTabeli> Zbuduj() {
    using R = RodzinaOdczytu;
    std::vector<PozycjaTabeli> t;
    Dodaj(t, "Koszty", R::Koszty, 1,
          {{1, "koszty operacyjne og\xF3\xB3" "em"},
           {2, "wyr\xF3" "b alfa: koszty operacyjne"},
           {3, "wyr\xF3" "b beta: koszty operacyjne"},
           {4, "wyr\xF3" "b gamma: koszty operacyjne"},
           {5, "zu\xBFycie materia\xB3\xF3w og\xF3\xB3" "em"},
           {6, "wydzia\xB3 alfa: zu\xBFycie materia\xB3\xF3w"},
           {7, "wydzia\xB3 beta: zu\xBFycie materia\xB3\xF3w"},
           {8, "wydzia\xB3 gamma: zu\xBFycie materia\xB3\xF3w"},
           {9, "wynagrodzenia i \x9Cwiadczenia og\xF3\xB3" "em"},
           {10, "wydzia\xB3 alfa: wynagrodzenia i \x9Cwiadczenia"},
           {11, "wydzia\xB3 beta: wynagrodzenia i \x9Cwiadczenia"},
           {12, "wydzia\xB3 gamma: wynagrodzenia i \x9Cwiadczenia"}});
    Dodaj(t, "Koszty", R::Koszty, 2,
          {{1, "amortyzacja og\xF3\xB3" "em"},
           {2, "wydzia\xB3 alfa: amortyzacja"},
           {3, "wydzia\xB3 beta: amortyzacja"},
           {4, "wydzia\xB3 gamma: amortyzacja"},
           {5, "us\xB3ugi obce og\xF3\xB3" "em"},
           {6, "wydzia\xB3 alfa: us\xB3ugi obce"},
           {7, "wydzia\xB3 beta: us\xB3ugi obce"},
           {8, "wydzia\xB3 gamma: us\xB3ugi obce"},
           {9, "podatki i op\xB3" "aty"},
           {10, "koszty finansowe"},
           {11, "koszt wyrob\xF3w sprzedanych og\xF3\xB3" "em"},
           {12, "wyr\xF3" "b alfa: koszt wyrob\xF3w sprzedanych"},
           {13, "wyr\xF3" "b beta: koszt wyrob\xF3w sprzedanych"},
           {14, "wyr\xF3" "b gamma: koszt wyrob\xF3w sprzedanych"}});
    Dodaj(t, "Produkcja", R::Produkcja, 1,
          {{1, "wyr\xF3" "b alfa: produkcja"},
           {2, "wyr\xF3" "b beta: produkcja"},
           {3, "wyr\xF3" "b gamma: produkcja"},
           {4, "linia alfa: zdolno\x9C\xE6 produkcyjna"},
           {5, "linia beta: zdolno\x9C\xE6 produkcyjna"},
           {6, "linia gamma: zdolno\x9C\xE6 produkcyjna"}});
    Dodaj(t, "Produkcja", R::Produkcja, 2,
          {{1, "wyr\xF3" "b alfa: sprzeda\xBF"},
           {2, "wyr\xF3" "b beta: sprzeda\xBF"},
           {3, "wyr\xF3" "b gamma: sprzeda\xBF"},
           {4, "linia alfa: wykorzystanie"},
           {5, "linia beta: wykorzystanie"},
           {6, "linia gamma: wykorzystanie"}});
    Dodaj(t, "Zmienne decyzyjne", R::Decyzje, 0,
          {{1, "Zlecenia na produkcj\xEA wyrobu ALFA"},
           {2, "Zlecenia na produkcj\xEA wyrobu BETA"},
           {3, "Zlecenia na produkcj\xEA wyrobu GAMMA"},
           {4, "Cena wyrobu ALFA"},
           {5, "Cena wyrobu BETA"},
           {6, "Cena wyrobu GAMMA"},
           {7, "Zakup surowca White"},
           {8, "Zakup surowca Black"},
           {9, "Zakup surowca Red"},
           {10, "Udzia\xB3 dywidendy zwyk\xB3" "ej [%]"},
           {11, "Wska\x9Fnik zad\xB3u\xBF" "enia [%]"},
           {12, "Emisja akcji"},
           {13, "Inwestycja ALFA projekt nr 1"},
           {14, "Inwestycja ALFA projekt nr 2"},
           {15, "Inwestycja BETA projekt nr 1"},
           {16, "Inwestycja BETA  projekt nr 2"},
           {17, "Inwestycja GAMMA projekt nr 1"},
           {18, "Inwestycja GAMMA projekt nr 2"}});
    Dodaj(t, "Zapasy", R::Zapasy, 1,
          {{1, "white: zapas surowca"},
           {2, "black: zapas surowca"},
           {3, "red: zapas surowca"},
           {4, "alfa: zapas produkcji w toku"},
           {5, "beta: zapas produkcji w toku"},
           {6, "gamma: zapas produkcji w toku"}});
    Dodaj(t, "Zapasy", R::Zapasy, 2,
          {{1, "alfa: zapas wyrob\xF3w gotowych"}, {2, "beta: zapas wyrob\xF3w gotowych"}, {3, "gamma: zapas wyrob\xF3w gotowych"}});
    Dodaj(t, "Rachunek Wynik\xF3w Koszty i Straty", R::RachunekWynikow, 1,
          {{1, "koszty operacyjne"},
           {2, "amortyzacja"},
           {3, "zu\xBFycie materia\xB3\xF3w"},
           {4, "podatki i op\xB3" "aty"},
           {5, "wynagrodzenia i \x9Cwiadczenia"},
           {6, "us\xB3ugi obce"},
           {7, "koszty finansowe"},
           {8, "zmniejszenie stanu produkt\xF3w"},
           {9, "zysk brutto na dzia\xB3" "alno\x9C" "ci gospodarczej"},
           {10, "straty nadzwyczajne"},
           {11, "zysk brutto"},
           {12, "obowi\xB9zkowe obci\xB9\xBF" "enia wyniku finansowego"},
           {13, "zysk netto"},
           {14, "dywidenda zwyk\xB3" "a"},
           {15, "zyski zatrzymane"},
           {16, "razem"}});
    Dodaj(t, "Rachunek Wynik\xF3w Przychody i Zyski", R::RachunekWynikow, 2,
          {{1, "przychody ze sprzeda\xBFy"},
           {2, "wyr\xF3" "b alfa"},
           {3, "wyr\xF3" "b beta"},
           {4, "wyr\xF3" "b gamma"},
           {5, "zwi\xEAkszenie stanu produkt\xF3w"},
           {6, "strata"},
           {7, "razem"}});
    Dodaj(t, "Bilans Aktywa", R::Bilans, 0,
          {{1, "maj\xB9tek trwa\xB3y netto"},
           {2, "grunty i budynki brutto"},
           {3, "umorzenie grunt\xF3w i budynk\xF3w"},
           {4, "grunty i budynki netto"},
           {5, "urz\xB9" "dzenia i maszyny brutto"},
           {6, "umorzenie urz\xB9" "dze\xF1 i maszyn"},
           {7, "urz\xB9" "dzenia i maszyny netto"},
           {8, "inwestycje rozpocz\xEAte"},
           {9, "maj\xB9tek obrotowy"},
           {10, "zapasy"},
           {11, "materia\xB3y"},
           {12, "produkcja w toku"},
           {13, "wyroby gotowe"},
           {14, "nale\xBFno\x9C" "ci"},
           {15, "\x9Crodki pieni\xEA\xBFne"},
           {16, "suma bilansowa"}});
    Dodaj(t, "Bilans Pasywa", R::Bilans, 0,
          {{1, "kapita\xB3 w\xB3" "asny"},
           {2, "kapita\xB3 akcyjny"},
           {3, "kapita\xB3 zapasowy"},
           {4, "kapita\xB3 rezerwowy"},
           {5, "zysk netto | strata"},
           {6, "zysk zatrzymany"},
           {7, "strata poniesiona"},
           {8, "zobowi\xB9zania d\xB3ugoterminowe"},
           {9, "d\xB3ugoterminowy kredyt hipoteczny"},
           {10, "kredyt inwestycyjny"},
           {11, "zobowi\xB9zania kr\xF3tkoterminowe"},
           {12, "zobowi\xB9zania"},
           {13, "kredyt p\xB3" "atniczy"},
           {14, "suma bilansowa"}},
          3);
    Dodaj(t, "P\xB3ynno\x9C\xE6 Finansowa Przedsi\xEA" "biorstwa", R::CashFlow, 0,
          {{1, "\x8Fr\xF3" "d\xB3" "a pieni\xB9" "dza"},
           {2, "Z dzia\xB3" "alno\x9C" "ci operacyjnej"},
           {3, "Przychody pieni\xEA\xBFne"},
           {4, "- Wydatki pieni\xEA\xBFne"},
           {5, "Inne \x9Fr\xF3" "d\xB3" "a"},
           {6, "Emisja akcji zwyk\xB3ych"},
           {7, "Kredyty got\xF3wkowe"},
           {8, "Wykorzystanie pieni\xB9" "dza"},
           {9, "Nabycie grunt\xF3w i urz\xB9" "dze\xF1"},
           {10, "Sp\xB3" "ata kredyt\xF3w inwestycyjnych"},
           {11, "Sp\xB3" "ata kredyt\xF3w got\xF3wkowych"},
           {12, "Dywidendy zwyk\xB3" "e"},
           {13, "Zmiany w stanie rachunku rozliczeniowego"},
           {14, "Rachunek rozliczeniowy 01.01"},
           {15, "Rachunek rozliczeniowy 31.12"}});
    Dodaj(t, "Bilans Aktywa", R::Jedynka, 0, {{0, "jedynka"}});
    return t;
}

}  // namespace

const std::vector<PozycjaTabeli>& TabelaPozycji() {
    static const std::vector<PozycjaTabeli> t = Zbuduj();
    return t;
}

const PozycjaTabeli* ZnajdzPozycje(const PozycjaWskaznika& p) {
    for (const PozycjaTabeli& w : TabelaPozycji())
        if (w.Pozycja == p) return &w;
    return nullptr;
}

std::optional<double> WartoscPozycji(const StanModelu& r, const PozycjaWskaznika& p, int rok) {
    const PozycjaTabeli* w = ZnajdzPozycje(p);
    if (!w) return std::nullopt;
    switch (w->Rodzina) {
        case RodzinaOdczytu::Koszty: return WartoscKosztow(r, w->Numer, w->Selektor, rok);
        case RodzinaOdczytu::Produkcja: return WartoscProdukcji(r, w->Numer, w->Selektor, rok);
        case RodzinaOdczytu::Decyzje: return WartoscDecyzji(r, w->Numer, rok);
        case RodzinaOdczytu::Zapasy: return WartoscZapasow(r, w->Numer, w->Selektor, rok);
        case RodzinaOdczytu::RachunekWynikow: return WartoscRachunkuWynikow(r, w->Numer, w->Selektor, rok);
        case RodzinaOdczytu::Bilans:
            if (rok < 1 || rok > 3) return BrakWartosci;  // never the other side's column
            try {
                return KomorkaBilansu(r, w->Numer, rok + w->PrzesuniecieKolumny);
            } catch (const Real48Error& e) {  // out of range like every other read-out
                throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem, e.what());
            }
        case RodzinaOdczytu::CashFlow: return WartoscCashFlow(r, w->Numer, rok);
        case RodzinaOdczytu::Jedynka: return 1.0;
    }
    return std::nullopt;
}

}  // namespace vesk
