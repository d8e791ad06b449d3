// The costs of one step: raw-material stock value, unit costs, interest,
// the products' costs by kind and their period-cost rows, the year's
// counters and their sums over products, and the step's payments from the
// settlement account.
#include "Rownania.h"

namespace vesk {

void KosztyProdukcji(Kontekst& k) {
    ZmienneModelu& m = k.m;
    const int rok = m.RokSymulacji;

    // Raw-material stock at purchase prices.
    for (int j = 1; j <= 3; ++j)
        m.WartoscZapasuSurowcow[j] = m.WartoscZapasuSurowcow[j] +
                                     m.CenySurowcow[rok][j] * (m.DecyzjeZakupuSurowcow[rok][j] - m.ZuzycieSurowcow[j]) * 0.02L;

    // Unit costs.
    for (int i = 1; i <= 3; ++i) {
        m.KosztMaterialowyJednostkowy[i] = m.NormyZuzyciaSurowcow[1][i] * m.CenySurowcow[rok][1] +
                                           m.NormyZuzyciaSurowcow[2][i] * m.CenySurowcow[rok][2] +
                                           m.NormyZuzyciaSurowcow[3][i] * m.CenySurowcow[rok][3];
        m.KosztPracyJednostkowy[i] = m.WspolczynnikKorygujacy * (m.NarzutNaWynagrodzenia + 1.0L) * m.PracochlonnoscProdukcji[i];
    }

    // Interest of the step; the debt-ratio credit bears the investment-credit rate.
    m.OdsetkiKredytuObrotowegoKroku = m.StawkaKredytuInwestycyjnegoKroku * m.KredytObrotowy;
    m.OdsetkiKredytuSanacyjnegoKroku = m.StawkaKredytuSanacyjnegoKroku * m.KredytSanacyjny;
    m.OdsetkiKredytuInwestycyjnegoKroku = m.StawkaKredytuInwestycyjnegoKroku * m.KredytInwestycyjny;

    for (int i = 1; i <= 3; ++i) {
        m.AmortyzacjaKroku[i] = m.StawkaAmortyzacjiKroku * m.WartoscInwestycjiProduktu[i];
        m.KosztZdolnosciKroku[i] = m.WspolczynnikiKosztuZdolnosci[i] * m.ZdolnoscProdukcyjna[i] * 0.02L;
        // Half the labour of a unit is paid at its start, half at its completion.
        m.PlaceUruchomieniaKroku[i] = m.UruchomienieProdukcji[i] * (m.KosztPracyJednostkowy[i] * 0.5L) * 0.02L;
        m.PlaceZakonczeniaKroku[i] = m.ZakonczenieProdukcji[i] * (m.KosztPracyJednostkowy[i] * 0.5L) * 0.02L;
        m.PlaceKroku[i] = m.PlaceUruchomieniaKroku[i] + m.PlaceZakonczeniaKroku[i];
        m.ZuzycieMaterialowKroku[i] =
            m.ZuzycieMaterialowKroku[i] +
            m.NormyZuzyciaSurowcow[1][i] * m.UruchomienieProdukcji[i] * m.CenySurowcow[rok][1] * 0.02L +
            m.NormyZuzyciaSurowcow[2][i] * m.UruchomienieProdukcji[i] * m.CenySurowcow[rok][2] * 0.02L +
            m.NormyZuzyciaSurowcow[3][i] * m.UruchomienieProdukcji[i] * m.CenySurowcow[rok][3] * 0.02L;

        // Period-cost rows of the step; row 0 is not charged to the product.
        const Real P = m.PlaceKroku[i];
        const Real Z = m.KosztZdolnosciKroku[i];
        const Real A = m.AmortyzacjaKroku[i];
        R43& w = m.KosztyOkresoweWyrobu;
        w[1][i] = 0.05L * P + 0.05L * P;
        w[2][i] = 0.9L * Z + 0.7L * A + 0.1L * P;
        w[3][i] = 0.2L * Z + 0.3L * A + 0.1L * P;
        w[0][i] = 0.1L * Z + 0.3L * P;

        m.KosztMaterialowSprzedanychKroku[i] = m.KosztMaterialowyJednostkowy[i] * m.SprzedazIlosciowa[i] * 0.02L;
        m.KosztPracySprzedanychKroku[i] = m.KosztPracyJednostkowy[i] * m.SprzedazIlosciowa[i] * 0.02L;
        m.KosztWyrobuKroku[i] =
            m.KosztMaterialowSprzedanychKroku[i] + m.KosztPracySprzedanychKroku[i] + w[1][i] + w[2][i] + w[3][i];

        // Sums of the step.
        m.KosztyKroku = m.KosztyKroku + m.KosztWyrobuKroku[i];
        m.KosztyOkresoweKroku[1] = m.KosztyOkresoweKroku[1] + w[1][i];
        m.KosztyOkresoweKroku[2] = m.KosztyOkresoweKroku[2] + w[2][i];
        m.KosztyOkresoweKroku[3] = m.KosztyOkresoweKroku[3] + w[3][i];
        m.KosztyOkresoweKroku[0] = m.KosztyOkresoweKroku[0] + w[0][i];
        m.KosztZdolnosciKrokuRazem = m.KosztZdolnosciKrokuRazem + m.KosztZdolnosciKroku[i];
        m.AmortyzacjaKrokuRazem = m.AmortyzacjaKrokuRazem + m.AmortyzacjaKroku[i];

        // The product's year counters.
        for (int r = 1; r <= 3; ++r) m.KosztyOkresoweWyrobuRoku[r][i] = m.KosztyOkresoweWyrobuRoku[r][i] + w[r][i];
        m.ZuzycieMaterialowRoku[i] = m.ZuzycieMaterialowRoku[i] + m.ZuzycieMaterialowKroku[i];
        m.AmortyzacjaRoku[i] = m.AmortyzacjaRoku[i] + m.AmortyzacjaKroku[i];
        m.PlaceRoku[i] = m.PlaceRoku[i] + m.PlaceKroku[i];
        m.KosztZdolnosciRoku[i] = m.KosztZdolnosciRoku[i] + m.KosztZdolnosciKroku[i];
        m.KosztSprzedanychRoku[i] =
            m.KosztSprzedanychRoku[i] + m.KosztMaterialowSprzedanychKroku[i] + m.KosztPracySprzedanychKroku[i];

        m.KosztyOperacyjneWyrobu[i] = m.ZuzycieMaterialowRoku[i] + m.PlaceRoku[i] + m.KosztyOkresoweWyrobuRoku[1][i] +
                                      m.KosztyOkresoweWyrobuRoku[2][i] + m.KosztyOkresoweWyrobuRoku[3][i];
        m.KosztWyrobuRoku[i] = m.KosztWyrobuRoku[i] + m.KosztWyrobuKroku[i];

        // Sums over products, rebuilt from 0 at every step.
        m.KosztySprzedanychProduktow = m.KosztySprzedanychProduktow + m.KosztSprzedanychRoku[i];
        m.KosztyWytworzenia = m.KosztyWytworzenia + m.KosztyOperacyjneWyrobu[i];
        m.Amortyzacja = m.Amortyzacja + m.AmortyzacjaRoku[i];
        m.ZuzycieMaterialow = m.ZuzycieMaterialow + m.ZuzycieMaterialowRoku[i];
        m.WynagrodzeniaISwiadczenia = m.WynagrodzeniaISwiadczenia + m.PlaceRoku[i];
        m.KosztZdolnosciRazem = m.KosztZdolnosciRazem + m.KosztZdolnosciRoku[i];
        m.KosztyOkresowe1 = m.KosztyOkresowe1 + m.KosztyOkresoweWyrobuRoku[1][i];
        m.KosztyOkresowe2 = m.KosztyOkresowe2 + m.KosztyOkresoweWyrobuRoku[2][i];
        m.KosztyOkresowe3 = m.KosztyOkresowe3 + m.KosztyOkresoweWyrobuRoku[3][i];
        m.KosztWyrobowRazem = m.KosztWyrobowRazem + m.KosztWyrobuRoku[i];

        // The department items of the cost report.
        m.UslugiObceWydzialu[i] = 0.9L * m.KosztZdolnosciRoku[i];
        m.WynagrodzeniaWydzialu[i] = 1.1L * m.PlaceRoku[i];
        m.AmortyzacjaWydzialu[i] = 0.7L * m.AmortyzacjaRoku[i];
    }

    m.OdsetkiKroku = m.OdsetkiKredytuInwestycyjnegoKroku + m.OdsetkiKredytuObrotowegoKroku;
    m.KosztyKroku = m.KosztyKroku + m.OdsetkiKroku;
    m.KosztyFinansowe = m.KosztyFinansowe + m.OdsetkiKroku;
    // The rescue-credit interest is a cost but is not paid below.
    m.PozostaleKoszty = m.PozostaleKoszty + m.OdsetkiKredytuSanacyjnegoKroku;
    // Taxes and external services from the sums before their factors.
    m.PodatkiIOplaty = 0.1L * m.KosztZdolnosciRazem;
    m.UslugiObce = 0.05L * m.WynagrodzeniaISwiadczenia + m.KosztZdolnosciRazem;
    m.WynagrodzeniaISwiadczenia = 1.25L * m.WynagrodzeniaISwiadczenia;
    m.KosztZdolnosciRazem = 1.05L * m.KosztZdolnosciRazem;

    // Payments of the step.
    m.RachunekRozliczeniowy =
        m.RachunekRozliczeniowy - m.KosztZdolnosciKrokuRazem - m.OdsetkiKroku - m.KosztyOkresoweKroku[0];
    m.FunduszObrotowyGotowkowy =
        m.FunduszObrotowyGotowkowy - m.KosztZdolnosciKrokuRazem - m.OdsetkiKroku - m.KosztyOkresoweKroku[0];
}

}  // namespace vesk
