// Profit or loss of the step, its postings to the settlement fund and the
// running accounts, and the year's cash statistics.
#include "Pomocnicze.h"
#include "Rownania.h"

namespace vesk {

namespace {
// Adds the step's result and its non-cash and already paid charges back to an account.
void ZaksiegujWynik(const ZmienneModelu& m, Real& konto) {
    konto = konto + m.ZyskKroku - m.StrataKroku + m.KosztZdolnosciKrokuRazem + m.AmortyzacjaKrokuRazem +
            m.KosztyOkresoweKroku[0] + m.OdsetkiKroku;
}
}  // namespace

void WynikKroku(Kontekst& k) {
    ZmienneModelu& m = k.m;
    // What the cost group paid from the settlement account in this step,
    // taken before a step without revenue drops these charges below: the
    // year's payments count the money that left, booked as a loss or not.
    const long double zaplacone = m.OdsetkiKroku + m.KosztZdolnosciKrokuRazem + m.KosztyOkresoweKroku[0];

    m.ZyskKroku = Max_Real(m.PrzychodyKroku - m.KosztyKroku, 0.0L);
    m.StrataKroku = -Min_Real(m.PrzychodyKroku - m.KosztyKroku, 0.0L);

    // A step without revenue books no loss, and its fixed charges (already
    // paid from the settlement account) are dropped from what follows.
    if (!(m.PrzychodyKroku > 0)) {
        m.StrataKroku = 0;
        m.KosztZdolnosciKrokuRazem = 0;
        m.OdsetkiKroku = 0;
        m.AmortyzacjaKrokuRazem = 0;
        m.KosztyOkresoweKroku[0] = 0;
    }

    m.StrataRoku += m.StrataKroku;
    m.ZyskRoku += m.ZyskKroku;

    ZaksiegujWynik(m, m.FunduszObrotowyRozliczeniowy);
    ZaksiegujWynik(m, m.KontoKapitalow);
    ZaksiegujWynik(m, m.KontoSumyBilansowej);

    m.ZyskBrutto += m.ZyskKroku;

    m.WplywyRoku += m.WplywyNaleznosciKroku;
    m.WydatkiRoku += zaplacone + m.SplataZobowiazanKroku + m.PlaceKrokuRazem;
    m.PozostaleWplywyRoku =
        m.WydatkiRoku + (m.RachunekRozliczeniowy - m.RachunekRozliczeniowyNaPoczatkuRoku) - m.WplywyRoku;
    // The credit drawn and repaid in the year is counted by the credit
    // group itself, as it moves the money (SterowanieKredytem).
}

}  // namespace vesk
