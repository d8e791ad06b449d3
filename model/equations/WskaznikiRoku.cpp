// The year's last group: carries the undistributed result forward,
// completes the cash-flow lines and computes the financial ratios (plain
// fractions, not per cent).
#include "Rownania.h"

#include <cmath>

#include "Real48.h"

namespace vesk {

namespace {

constexpr long double e = 1.0E-7L;  // added to every denominator of a ratio

// numerator / (denominator + e). A denominator that the guard still leaves
// at 0, or a quotient beyond what a model value can hold, gives 0: no
// ratio is ever infinite.
long double Iloraz(long double licznik, long double mianownik) {
    const long double dzielnik = mianownik + e;
    if (dzielnik == 0) return 0.0L;
    const long double iloraz = licznik / dzielnik;
    if (!std::isfinite(iloraz) || std::fabs(iloraz) > real48Max()) return 0.0L;
    return iloraz;
}

}  // namespace

void WskaznikiRoku(Kontekst& k) {
    ZmienneModelu& m = k.m;

    m.WynikLatUbieglych = m.WynikNiepodzielonyNarastajaco;
    m.WynikNiepodzielony = m.WynikDoBilansu + m.WynikNiepodzielonyNarastajaco - m.DywidendaZwykla;
    m.WynikNiepodzielonyNarastajaco = m.WynikNiepodzielony;

    // Cash flow: the tax and the mandatory dividend count as payments of the
    // year, the ordinary dividend among the uses of money.
    m.WydatkiRoku = m.PodatekDochodowy + m.DywidendaObowiazkowa + m.WydatkiRoku;
    m.ZrodlaPieniadza = m.KredytyZaciagnieteRoku + m.EmisjaAkcjiZwyklych + (m.WplywyRoku - m.WydatkiRoku);
    m.WykorzystaniePieniadza =
        m.KredytySplaconeRoku + m.SplataKredytowInwestycyjnych + m.DywidendaZwykla + m.NabycieGruntowIUrzadzen;
    m.ZmianaStanuRachunku = m.ZrodlaPieniadza - m.WykorzystaniePieniadza;
    m.AktywaSrednie = (m.MajatekObrotowy + m.InwestycjeRozpoczete + m.SrodkiTrwale + m.AktywaNaPoczatkuRoku) / 2;

    // Liquidity and indebtedness.
    const long double K = m.PozostaleZobowiazaniaKrotkoterminowe + m.KredytSanacyjny + m.Zobowiazania;
    const long double D = K + m.ZobowiazaniaDlugoterminowe;
    m.KapitalObrotowy =
        m.MajatekObrotowy - m.Zobowiazania - m.KredytSanacyjny - m.PozostaleZobowiazaniaKrotkoterminowe;
    m.WskaznikBiezacejPlynnosci = Iloraz(m.MajatekObrotowy, K);
    m.WskaznikSzybkiejPlynnosci = Iloraz(m.RachunekRozliczeniowy + m.Naleznosci, K);
    m.WskaznikZadluzeniaOgolnego = Iloraz(D, m.SumaPasywow);
    m.WskaznikZadluzeniaKapitaluWlasnego = Iloraz(D, m.KapitalWlasny);
    m.WskaznikPokryciaOdsetek = Iloraz(m.KosztyFinansowe + m.ZyskBrutto, m.KosztyFinansowe);

    // Profitability, from the net profit (or loss) of the income statement:
    // the gross result after the extraordinary losses (the comparative
    // method, as the tax base) less the income tax and the mandatory
    // dividend, signed. It is the net profit the statements print and the
    // result carried to the balance.
    const long double N = m.PrzychodyZeSprzedazy + m.ZmianaStanuProduktow - m.KosztyWytworzenia -
                          m.KosztyFinansowe - m.PozostaleKoszty - m.PodatekDochodowy - m.DywidendaObowiazkowa;
    m.RentownoscAktywow = Iloraz(N, m.SumaAktywow);
    m.RentownoscMajatkuTrwalego = Iloraz(N, m.InwestycjeRozpoczete + m.SrodkiTrwale);
    m.RentownoscSprzedazy = Iloraz(N, m.PrzychodyZeSprzedazy);
    m.RentownoscKapitaluWlasnego = Iloraz(N, m.KapitalWlasny);

    // Turnover.
    const long double P = m.PrzychodyZeSprzedazy;
    m.RotacjaZapasow = Iloraz(P * 2, m.ZapasyNaPoczatkuRoku + m.WartoscWyrobowGotowych + m.WartoscMaterialow +
                                         m.WartoscProdukcjiWToku);
    m.RotacjaMajatkuTrwalego = Iloraz(P, m.InwestycjeRozpoczete + m.SrodkiTrwale);
    m.RotacjaAktywow = Iloraz(P, m.SumaAktywow);

    m.SumaEmisjiNaKoniec = m.SumaEmisjiAkcji;
}

}  // namespace vesk
