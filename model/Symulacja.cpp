#include "Symulacja.h"

#include <cmath>

#include "Kalendarz.h"
#include "MapaRekordu.h"
#include "Parametry.h"
#include "Rownania.h"
#include "Zerowanie.h"

namespace vesk {

namespace {

// Calls one equation group, letting the trace see it first.
template <typename Grupa>
void wykonaj(Kontekst& k, const char* nazwa, int krok, Grupa grupa) {
    if (k.SladKroku) k.SladKroku(nazwa, krok);
    grupa(k);
}

void zapiszPrzebiegi(Kontekst& k, int wezel, int rok, int punkt) {
    ZmienneModelu& m = k.m;
    Przebiegi& h = *k.Historia;
    h.Przebieg1[wezel][rok][punkt] = m.ZyskKroku > 0 ? m.ZyskKroku.value() : -m.StrataKroku.value();
    h.Przebieg2[wezel][rok][punkt] = m.RachunekRozliczeniowy;
    for (int p = 1; p <= 3; ++p) {
        h.Przebieg3[p][wezel][rok][punkt] = m.ZdolnoscProdukcyjna[p];
        h.Przebieg4[p][wezel][rok][punkt] = m.SprzedazIlosciowa[p] / 50.0L;
    }
}

}  // namespace

void KrokModelu(Kontekst& k, int Krok, bool& Nierownowaga) {
    ZmienneModelu& m = k.m;
    const long double t = m.CzasSymulacji;
    if (PoczatekRokuTest(t)) {
        wykonaj(k, "PoczatekRoku", Krok, PoczatekRoku);
        wykonaj(k, "RozpoczecieInwestycji", Krok, RozpoczecieInwestycji);
    }
    wykonaj(k, "FunkcjaPopytu", Krok, FunkcjaPopytu);
    wykonaj(k, "ProdukcjaIZapasy", Krok, ProdukcjaIZapasy);
    wykonaj(k, "KosztyProdukcji", Krok, KosztyProdukcji);
    wykonaj(k, "SprzedazIZakupy", Krok, SprzedazIZakupy);
    wykonaj(k, "Dekapitalizacja", Krok, Dekapitalizacja);
    wykonaj(k, "WynikKroku", Krok, WynikKroku);
    wykonaj(k, "SterowanieKredytem", Krok, SterowanieKredytem);
    wykonaj(k, "WycenaZapasow", Krok, WycenaZapasow);
    wykonaj(k, "ZestawienieBilansu", Krok, ZestawienieBilansu);
    if (PolowaRokuTest(t) || KoniecRokuTest(t)) {
        wykonaj(k, "OddanieInwestycji", Krok, OddanieInwestycji);
        wykonaj(k, "RatyKredytuInwestycyjnego", Krok, RatyKredytuInwestycyjnego);
    }
    if (KoniecRokuTest(t)) {
        wykonaj(k, "PodzialWyniku", Krok, PodzialWyniku);
        wykonaj(k, "WskaznikiRoku", Krok, WskaznikiRoku);
        if (k.SladKroku) k.SladKroku("ZapiszWynikiRoku", Krok);
        ZapiszWynikiRoku(k, m.RokSymulacji);
        m.RokSymulacji = m.RokSymulacji == 3 ? 1 : static_cast<std::uint8_t>(m.RokSymulacji + 1);
    }
    Nierownowaga = std::fabs(m.SumaAktywow - m.SumaPasywow) > TolerancjaBilansu;
    if (Krok == 50 || Krok == 100 || Krok == 150) {
        if (k.SladKroku) k.SladKroku("AktualizujBlokiSledzenia", Krok);
        AktualizujBlokiSledzenia(k, k.RekordBiezacy);
    }
    if (KoniecRokuTest(t)) wykonaj(k, "KoniecRoku", Krok, KoniecRoku);
}

bool Symulacja(Kontekst& k, std::uint8_t Wezel) {
    if (Wezel > 50) return false;
    ZmienneModelu& m = k.m;
    if (Wezel == 0) {
        ZerujZmienneModelu2(k);
        ZerujZmienneModelu1(k);
        UstawStanPoczatkowy(k);
        WczytajParametryModelu(k);
        DomyslneDecyzje(k);
        // The running profit and loss sums are not in any reset list (a child
        // loads them from its record); the root starts them from nothing, so
        // that the same root is the same whatever ran before it.
        m.ZyskRoku = 0;
        m.StrataRoku = 0;
    }
    k.NierownowagaWPrzebiegu = false;
    Real krok = 1;
    const Real koniec = 150;
    m.CzasSymulacji = 0;
    do {
        const int n = static_cast<int>(std::trunc(krok.value()));
        KrokModelu(k, n, m.NierownowagaBilansu);
        m.CzasSymulacji = m.CzasSymulacji + 0.02L;
        if (m.NierownowagaBilansu) {
            k.NierownowagaWPrzebiegu = true;
            if (k.ObsluzNierownowage) k.ObsluzNierownowage(n);
        }
        if (k.ZadanoPrzerwania && k.ZadanoPrzerwania()) return false;
        const int rok = (n - 1) / 50 + 1;
        const int punkt = n - 50 * (rok - 1);
        if (rok <= 3 && punkt <= 50) zapiszPrzebiegi(k, Wezel, rok, punkt);
        krok = krok + 1;
        KalendarzModelu(m.CzasSymulacji, m.CzasPolroczny, m.RokKalendarzowy, m.RokSymulacji, m.RokOkresu);
    } while (krok <= koniec);
    return true;
}

}  // namespace vesk
