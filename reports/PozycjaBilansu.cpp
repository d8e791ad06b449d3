#include "PozycjaBilansu.h"

#include <array>

#include "DomknijBilans.h"
#include "PolaRoku.h"
#include "RaportBIK.h"
#include "Real48.h"
#include "Wyrazenie.h"

namespace vesk {

namespace {

using namespace pola;

constexpr int WierszyAktywow = 16, WierszyPasywow = 14;

// The rows of each side from row 1 on, as the balance sheet prints them.
const std::array<Wyrazenie, WierszyAktywow>& Aktywa() {
    static const std::array<Wyrazenie, WierszyAktywow> t{
        MajatekTrwaly(),
        GruntyIBudynkiBrutto,
        DekapitalizacjaGruntowIBudynkow,
        GruntyIBudynkiNetto,
        UrzadzeniaIMaszynyBrutto,
        DekapitalizacjaUrzadzenIMaszyn,
        UrzadzeniaIMaszynyNetto,
        InwestycjeRozpoczete,
        MajatekObrotowy,
        ZapasyRazem(),
        WartoscMaterialow,
        WartoscProdukcjiWToku,
        WartoscWyrobowGotowych,
        Naleznosci,
        RachunekRozliczeniowy,
        SumaAktywow,
    };
    return t;
}

const std::array<Wyrazenie, WierszyPasywow>& Pasywa() {
    static const std::array<Wyrazenie, WierszyPasywow> t{
        KapitalWlasny,
        KapitalAkcyjny,
        KapitalZapasowy,
        KapitalRezerwowy,
        WynikDoBilansu,
        ZyskZatrzymany,
        StrataBrutto,
        ZobowiazaniaDlugoterminowe,
        KredytObrotowy,
        KredytyInwestycyjne(),
        ZobowiazaniaKrotkie(),
        Zobowiazania,
        KredytSanacyjny,
        SumaPasywow,
    };
    return t;
}

constexpr int WierszStraty = 7;

const char* const PozaZakresemBilansu = "pozycja bilansu poza zakresem liczby 6-bajtowej";

// The record as the balance-sheet report prints it.
StanModelu Zamkniety(const StanModelu& rekord) {
    StanModelu kopia = rekord;
    DomknijBilans(kopia);
    return kopia;
}

// Row wiersz (1..) of a side in year rok of a closed record.
long double Wiersz(const StanModelu& zamkniety, int strona, int wiersz, int rok) {
    return strona == 1 ? Aktywa()[static_cast<std::size_t>(wiersz - 1)](zamkniety, rok)
                       : Pasywa()[static_cast<std::size_t>(wiersz - 1)](zamkniety, rok);
}

}  // namespace

double KomorkaBilansu(const StanModelu& rekord, int wiersz, int kolumna) {
    if (kolumna < 1 || kolumna > 6 || wiersz < 0) return BrakWartosci;
    const int strona = kolumna <= 3 ? 1 : 2;
    const int rok = kolumna <= 3 ? kolumna : kolumna - 3;
    if (wiersz == 0) return static_cast<double>(RokKalendarzowy()(rekord, rok));
    if (wiersz > (strona == 1 ? WierszyAktywow : WierszyPasywow)) return BrakWartosci;
    const long double v = Wiersz(Zamkniety(rekord), strona, wiersz, rok);
    try {
        return static_cast<double>(roundToReal48(v));
    } catch (const Real48Error&) {  // a sum of two rows near the format's limit
        throw Real48Error(PozaZakresemBilansu);
    }
}

double WartoscBilansu(const StanModelu& rekord, int pozycja, int strona, int rok) {
    if (strona != 1 && strona != 2) return BrakWartosci;
    if (pozycja < 1 || pozycja > (strona == 1 ? WierszyAktywow : WierszyPasywow)) return BrakWartosci;
    if (rok < 1 || rok > 3) return BrakWartosci;
    const long double v = Wiersz(Zamkniety(rekord), strona, pozycja, rok);
    return static_cast<double>(strona == 2 && pozycja == WierszStraty ? -v : v);
}

}  // namespace vesk
