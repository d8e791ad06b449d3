// Sales revenue and receivables, raw-material purchases and payables, and
// the step's net collections moved into the settlement account (or, when
// the settlement fund cannot take them, against the rescue credit).
#include "Rownania.h"

namespace vesk {

void SprzedazIZakupy(Kontekst& k) {
    ZmienneModelu& m = k.m;
    const int rok = m.RokSymulacji;

    // All sales are on credit, at the stored price (thousandths of the price entered).
    for (int i = 1; i <= 3; ++i) {
        const long double R = m.SprzedazIlosciowa[i] * m.DecyzjeCen[rok][i] * 0.02L;
        m.SprzedazWyrobow[i] += R;
        m.PrzychodyKroku += R;
        m.PlaceKrokuRazem += m.PlaceKroku[i];
    }
    // Receivables at the start of the step are collected at receivables / collection period.
    m.WplywyNaleznosciKroku = m.Naleznosci * 0.02L / m.OkresSplatyNaleznosci;
    m.Naleznosci = m.Naleznosci + m.PrzychodyKroku - m.WplywyNaleznosciKroku;

    // All purchases are on credit as well.
    for (int j = 1; j <= 3; ++j)
        m.ZakupySurowcowKroku += m.CenySurowcow[rok][j] * m.DecyzjeZakupuSurowcow[rok][j] * 0.02L;
    m.SplataZobowiazanKroku = m.Zobowiazania * 0.02L / m.OkresSplatyZobowiazan;
    m.Zobowiazania = m.Zobowiazania - m.SplataZobowiazanKroku + m.ZakupySurowcowKroku;

    // Payment to suppliers.
    m.RachunekRozliczeniowy -= m.SplataZobowiazanKroku;
    m.FunduszObrotowyGotowkowy -= m.SplataZobowiazanKroku;
    m.FunduszObrotowyRozliczeniowy += m.SplataZobowiazanKroku;
    m.KontoZadluzenia += m.ZakupySurowcowKroku - m.SplataZobowiazanKroku;
    m.KontoSumyBilansowej += m.ZakupySurowcowKroku - m.SplataZobowiazanKroku;

    m.PrzychodyZeSprzedazy += m.PrzychodyKroku;

    // Collections net of wages.
    m.SaldoOperacyjneKroku = m.WplywyNaleznosciKroku - m.PlaceKrokuRazem;
    if (m.FunduszObrotowyRozliczeniowy - m.SaldoOperacyjneKroku > 0) {
        m.RachunekRozliczeniowy += m.SaldoOperacyjneKroku;
        m.FunduszObrotowyGotowkowy += m.SaldoOperacyjneKroku;
        m.FunduszObrotowyRozliczeniowy -= m.SaldoOperacyjneKroku;
    } else {
        m.KredytSanacyjny -= m.SaldoOperacyjneKroku;
        m.KontoZadluzenia -= m.SaldoOperacyjneKroku;
        // The collections and wages still count among the year's receipts and
        // payments; what passed the account by is rescue credit drawn (wages
        // above collections) or repaid.
        if (m.SaldoOperacyjneKroku < 0)
            m.KredytyZaciagnieteRoku -= m.SaldoOperacyjneKroku;
        else
            m.KredytySplaconeRoku += m.SaldoOperacyjneKroku;
    }
}

}  // namespace vesk
