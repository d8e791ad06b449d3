// The start of a model year: clears the year's accumulators, takes the
// year-start copies, books the investments completing or starting now and
// carries out the year's share issue when the two admission rules allow.
#include "Rownania.h"

namespace vesk {

namespace {

void zerujLicznikiRoku(ZmienneModelu& m) {
    m.PozycjaRokuZerowa = 0;
    m.NabycieGruntowIUrzadzen = 0;
    m.WplywyRoku = 0;
    m.WydatkiRoku = 0;
    m.SplataKredytowInwestycyjnych = 0;
    m.PozycjaRokuZerowa = 0;
    m.PozostaleWplywyRoku = 0;
    m.WynikZeSprzedazy = 0;
    m.WynikOperacyjny = 0;
    m.PozycjaWynikuZerowa = 0;
    m.KosztyOkresowe1 = 0;
    m.KosztyOkresowe2 = 0;
    m.KosztyOkresowe3 = 0;
    m.PozostaleKoszty = 0;
    m.KosztyFinansowe = 0;
    m.OdsetkiKredytuSanacyjnegoKroku = 0;
    m.KosztSprzedanychRoku.fill(Real());
    for (int r = 1; r <= 3; ++r) m.KosztyOkresoweWyrobuRoku[r].fill(Real());
    m.KosztZdolnosciRoku.fill(Real());
    m.KredytyZaciagnieteRoku = 0;
    m.KredytySplaconeRoku = 0;
}

// The year's share issue E = EmisjaAkcji[year]. It is refused when the
// reserve capital at the year start is below 0.2 of all issues including
// this one, or after a loss year; a refused issue is written back into the
// decision as 0.
void emisjaAkcji(Kontekst& k) {
    ZmienneModelu& m = k.m;
    Real& E = m.EmisjaAkcji[m.RokSymulacji];

    m.SumaEmisjiAkcjiPoprzednia = m.SumaEmisjiAkcji;
    m.SumaEmisjiNaPoczatek = m.SumaEmisjiAkcji;
    m.SumaEmisjiAkcji = m.SumaEmisjiAkcji + E;

    bool odmowa;
    if (m.SumaEmisjiAkcji == 0.0L)
        // Nothing issued so far or now: no ratio to form, and no issue.
        odmowa = E != 0.0L;
    else
        odmowa = m.KapitalZapasowyPoczatkowy / m.SumaEmisjiAkcji < 0.2L || m.WynikDoBilansu < 0.0L;
    if (odmowa) {
        E = 0;
        m.SumaEmisjiAkcji = m.SumaEmisjiAkcjiPoprzednia;
    }

    m.KapitalAkcyjnyNaPoczatek = m.KapitalAkcyjny;
    m.EmisjaAkcjiZwyklych = E;
    m.RachunekRozliczeniowy = m.RachunekRozliczeniowy + E;
    m.FunduszObrotowyGotowkowy = m.FunduszObrotowyGotowkowy + E;
    m.KontoKapitalow = m.KontoKapitalow + E;
    m.KontoSumyBilansowej = m.KontoSumyBilansowej + E;
    m.KapitalAkcyjny = m.KapitalAkcyjny + m.EmisjaAkcjiZwyklych;
    m.EmisjaAkcjiWRoku = m.EmisjaAkcjiZwyklych;
}

}  // namespace

void PoczatekRoku(Kontekst& k) {
    ZmienneModelu& m = k.m;
    zerujLicznikiRoku(m);

    m.KapitalZapasowyPoczatkowy = m.KapitalZapasowy;
    m.KapitalRezerwowyPoczatkowy = m.KapitalRezerwowy;
    m.RachunekRozliczeniowyNaPoczatkuRoku = m.RachunekRozliczeniowy;
    m.KapitalRezerwowyStartRoku = m.KapitalRezerwowy;

    OddanieInwestycji(k);
    RozpoczecieInwestycji(k);

    m.ProduktyNaPoczatkuRoku = m.WartoscWyrobowGotowych + m.WartoscProdukcjiWToku;
    m.ZapasyNaPoczatkuRoku = m.WartoscMaterialow + m.ProduktyNaPoczatkuRoku;
    m.AktywaNaPoczatkuRoku = m.MajatekObrotowy + m.InwestycjeRozpoczete + m.SrodkiTrwale;

    m.ZyskPoWyplatachNarastajaco = m.ZyskPoWyplatachNarastajaco + m.ZyskPoWyplatach;

    emisjaAkcji(k);

    m.KapitalZapasowyNaPoczatek = m.KapitalZapasowy;
    m.KapitalRezerwowyNaPoczatek = m.KapitalRezerwowy;
    m.KapitalWlasnyNaPoczatek = m.KapitalWlasny;
}

}  // namespace vesk
