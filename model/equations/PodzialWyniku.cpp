// Closes the financial year: the result by the comparative method (tax
// base and loss) and by the cost-of-sales method (the reported gross
// profit), income tax, the mandatory and the ordinary dividend, retained
// profit split between supplementary and reserve capital, loss coverage
// from the capitals, and the balance assembled again after the payouts.
#include "Bilans.h"
#include "Pomocnicze.h"
#include "Rownania.h"

namespace vesk {

namespace {

void PodzielZyskZatrzymany(ZmienneModelu& m) {
    m.ZwiekszenieKapitaluRezerwowego = 0;
    const Real Z = m.ZyskZatrzymany;
    // Supplementary capital above a third of the share capital takes no more.
    if (m.KapitalZapasowy > 0.33L * m.KapitalAkcyjny && Z > 0) {
        m.KapitalRezerwowy += Z;
        m.ZwiekszenieKapitaluRezerwowego = Z;
        m.OdpisNaKapitalZapasowy = 0;
    } else if (Z > 0) {
        m.OdpisNaKapitalZapasowy = Z * 0.08L;
        m.KapitalZapasowy += m.OdpisNaKapitalZapasowy;
        m.ResztaZyskuZatrzymanego = Z - m.OdpisNaKapitalZapasowy;
        m.KapitalRezerwowy += m.ResztaZyskuZatrzymanego;
        m.ZwiekszenieKapitaluRezerwowego = m.ResztaZyskuZatrzymanego;
    }
    if (!(Z > 0)) {
        m.OdpisNaKapitalZapasowy = 0;
        m.ZyskZatrzymany = 0;
    }
}

// A loss is taken from reserve capital first, then from supplementary
// capital, and the rest from share capital. Each test sees the capitals
// the previous one left. The decrease of supplementary capital is the
// amount actually taken from it, and 0 in a year that takes nothing.
void PokryjStrate(ZmienneModelu& m) {
    m.ZmniejszenieKapitaluZapasowego = 0;
    const Real L = m.StrataBrutto;
    if (L > 0 && L > m.KapitalZapasowy + m.KapitalRezerwowy) {
        m.KapitalAkcyjny = m.KapitalAkcyjny - L + m.KapitalRezerwowy + m.KapitalZapasowy;
        m.KapitalRezerwowy = 0;
        m.ZmniejszenieKapitaluZapasowego = m.KapitalZapasowy;
        m.KapitalZapasowy = 0;
    }
    if (L > m.KapitalRezerwowy && L <= m.KapitalZapasowy + m.KapitalRezerwowy) {
        m.ZmniejszenieKapitaluZapasowego = L - m.KapitalRezerwowy;
        m.KapitalZapasowy = m.KapitalZapasowy - (L - m.KapitalRezerwowy);
        m.KapitalRezerwowy = 0;
    }
    if (L <= m.KapitalRezerwowy) m.KapitalRezerwowy = m.KapitalRezerwowy - L;
}

}  // namespace

void PodzialWyniku(Kontekst& k) {
    ZmienneModelu& m = k.m;

    // Comparative method: tax base and loss.
    m.ZmianaStanuProduktow = (m.WartoscWyrobowGotowych + m.WartoscProdukcjiWToku) - m.ProduktyNaPoczatkuRoku;
    const long double R = m.ZmianaStanuProduktow +
                          (m.PrzychodyZeSprzedazy - m.KosztyWytworzenia - m.KosztyFinansowe - m.PozostaleKoszty);
    m.ZyskBrutto = Max_Real(R, 0.0L);
    m.StrataBrutto = -Min_Real(R, 0.0L);
    m.PodatekDochodowy = m.ZyskBrutto * m.StawkaPodatkuDochodowego / 100;

    // Cost-of-sales method: the reported gross profit, not clamped.
    m.WynikZeSprzedazy = m.PrzychodyZeSprzedazy - m.KosztySprzedanychProduktow;
    m.WynikOperacyjny = m.WynikZeSprzedazy - m.KosztyOkresowe1 - m.KosztyOkresowe2 - m.KosztyOkresowe3;
    m.WynikPrzedOpodatkowaniem = m.WynikOperacyjny - m.KosztyFinansowe;
    m.ZyskBrutto = m.WynikPrzedOpodatkowaniem - m.PozostaleKoszty;
    m.ZyskNetto = m.ZyskBrutto - m.PodatekDochodowy;

    // Dividends and retained profit.
    m.DywidendaObowiazkowa = m.ZyskNetto * m.StopaDywidendy / 100;
    if (m.DywidendaObowiazkowa < 0) m.DywidendaObowiazkowa = 0;
    m.ZyskDoPodzialu = Max_Real(m.ZyskNetto - m.DywidendaObowiazkowa, 0.0L);
    m.DywidendaZwykla = m.ZyskDoPodzialu * m.UdzialDywidendyZwyklej[m.RokSymulacji];
    m.ZyskZatrzymany = Max_Real(m.ZyskDoPodzialu - m.DywidendaZwykla, 0.0L);
    m.WynikBrutto = m.WynikPrzedOpodatkowaniem;
    m.ZyskNaDzialalnosciGospodarczej = m.ZyskBrutto;
    m.WynikNetto = m.ZyskDoPodzialu;
    if (m.StrataBrutto > 0) {
        m.WynikBrutto = 0;
        m.ZyskNaDzialalnosciGospodarczej = 0;
        m.WynikNetto = 0;
    }
    if (m.ZyskDoPodzialu > 0)
        m.WynikDoBilansu = m.ZyskDoPodzialu;
    else
        m.WynikDoBilansu = -m.StrataBrutto;

    // Payout from the settlement account, unlimited: a deficit is taken up
    // by the rescue credit at the next step.
    m.WyplatyZZysku = m.DywidendaZwykla + m.DywidendaObowiazkowa + m.PodatekDochodowy;
    m.RachunekRozliczeniowy -= m.WyplatyZZysku;
    m.FunduszObrotowyGotowkowy -= m.WyplatyZZysku;
    m.KontoKapitalow -= m.WyplatyZZysku;
    m.KontoSumyBilansowej -= m.WyplatyZZysku;

    PodzielZyskZatrzymany(m);
    PokryjStrate(m);

    m.ZyskPoWyplatach = m.ZyskBrutto - m.StrataBrutto - m.WyplatyZZysku;

    // The balance after the payouts.
    SumyBilansu(k);
    m.KapitalWlasny = m.KapitalRezerwowy + m.KapitalZapasowy + m.KapitalAkcyjny;
    m.PozostaleZobowiazaniaKrotkoterminowe =
        m.SumaPasywow - m.KapitalWlasny - m.ZobowiazaniaDlugoterminowe - m.Zobowiazania - m.KredytSanacyjny;
    ZerujWyplatyIPozycjeZerowa(k);
    PozycjeKontrolneBilansu(k);

    m.ZwiekszenieKapitaluZapasowego = m.OdpisNaKapitalZapasowy;
}

}  // namespace vesk
