// Moves the credit steered by the debt ratio towards its target, lifts a
// negative settlement account with the rescue credit and repays.
//
// The drawing and the repayment amounts persist from step to step until the
// year-end reset: a step of one branch applies the amount the other branch
// set last as well.
#include "Pomocnicze.h"
#include "Rownania.h"

namespace vesk {

void SterowanieKredytem(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.KredytDocelowy = (m.SrodkiTrwale - m.KredytInwestycyjny) * m.DecyzjeZadluzenia[m.RokSymulacji];

    // The gap to the target closes at 0.02 of its size per step; a repayment
    // is limited by the money on the settlement account.
    if (m.KredytDocelowy - m.KredytObrotowy > 0)
        m.ZaciagniecieKredytuKroku = (m.KredytDocelowy - m.KredytObrotowy) * 0.02L;
    else
        m.SplataKredytuKroku = Min_Real(m.KredytObrotowy - m.KredytDocelowy, m.RachunekRozliczeniowy) * 0.02L;
    if (m.SplataKredytuKroku < 0) m.SplataKredytuKroku = 0;

    // The whole deficit of the account before this step's drawing and repayment.
    m.KredytSanacyjnyKroku = Max_Real(-m.RachunekRozliczeniowy, 0.0L);

    const long double D = m.ZaciagniecieKredytuKroku + m.KredytSanacyjnyKroku;
    m.RachunekRozliczeniowy += D;
    m.FunduszObrotowyGotowkowy += D;
    m.FunduszObrotowyRozliczeniowy -= D;
    m.KontoZadluzenia += D;
    m.KontoSumyBilansowej += D;
    m.KredytObrotowy += m.ZaciagniecieKredytuKroku;
    m.KredytSanacyjny += m.KredytSanacyjnyKroku;

    // The repayment is booked against the rescue credit.
    m.RachunekRozliczeniowy -= m.SplataKredytuKroku;
    m.FunduszObrotowyGotowkowy -= m.SplataKredytuKroku;
    m.FunduszObrotowyRozliczeniowy += m.SplataKredytuKroku;
    m.KontoZadluzenia -= m.SplataKredytuKroku;
    m.KontoSumyBilansowej -= m.SplataKredytuKroku;
    m.KredytSanacyjny -= m.SplataKredytuKroku;

    // The year's totals count this step's own movements; counted a step
    // later, the movements of a year's last step would fall out of the
    // cash-flow statement.
    m.KredytyZaciagnieteRoku += D;
    m.KredytySplaconeRoku += m.SplataKredytuKroku;
}

}  // namespace vesk
