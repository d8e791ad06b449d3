// Closes every step: moves negative credit balances and a negative
// settlement fund to their neighbouring items, then assembles the balance
// totals and the control items.
#include "Bilans.h"
#include "Pomocnicze.h"
#include "Rownania.h"

namespace vesk {

void SumyBilansu(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.KredytIFinansowanieInwestycji = m.KredytInwestycyjnyWRealizacji + m.FunduszInwestycjiWlasnych;
    m.FunduszObrotowy = m.FunduszObrotowyGotowkowy + m.FunduszObrotowyRozliczeniowy;
    m.MajatekObrotowy = m.RachunekRozliczeniowy + m.Naleznosci + m.WartoscMaterialow +
                        m.WartoscProdukcjiWToku + m.WartoscWyrobowGotowych;
    m.ZobowiazaniaDlugoterminowe = m.KredytObrotowy + m.KredytInwestycyjnyWRealizacji + m.KredytInwestycyjny;
    m.SumaAktywow = m.SrodkiTrwale + m.InwestycjeRozpoczete + m.WartoscMaterialow + m.WartoscProdukcjiWToku +
                    m.WartoscWyrobowGotowych + m.Naleznosci + m.RachunekRozliczeniowy;
    m.SumaPasywow = m.FunduszInwestycjiWlasnych + m.FunduszMajatkuTrwalego + m.FunduszMajatkuTrwalegoPoczatkowy +
                    m.FunduszObrotowy + m.KredytInwestycyjnyWRealizacji + m.KredytObrotowy + m.KredytInwestycyjny +
                    m.KredytSanacyjny + m.Zobowiazania;
}

void ZerujWyplatyIPozycjeZerowa(Kontekst& k) {
    k.m.WyplatyZZysku = 0;
    k.m.PozycjaBilansuZerowa = 0;
}

void PozycjeKontrolneBilansu(Kontekst& k) {
    ZmienneModelu& m = k.m;
    m.SrodkiPieniezneKontrolne = m.RachunekRozliczeniowy;
    m.FunduszeRazemKontrolne = m.SrodkiPieniezneKontrolne + m.FunduszObrotowyRozliczeniowy +
                               m.FunduszInwestycjiWlasnych + m.FunduszMajatkuTrwalego;
    m.ZobowiazaniaBiezaceKontrolne = m.KredytSanacyjny + m.FunduszObrotowyRozliczeniowy;
    m.FunduszeMajatkuTrwalegoRazem = m.FunduszMajatkuTrwalegoPoczatkowy + m.FunduszMajatkuTrwalego;
    m.FunduszMajatkuTrwalegoKopia = m.FunduszMajatkuTrwalego;
    m.KredytSanacyjnyKopia = m.KredytSanacyjny;
    m.SrodkiIZobowiazaniaBiezace = m.ZobowiazaniaBiezaceKontrolne + m.SrodkiPieniezneKontrolne;
    m.PasywaKontrolne = m.SrodkiIZobowiazaniaBiezace + m.FunduszeMajatkuTrwalegoRazem;
    m.FinansowanieRazem = m.FunduszObrotowy + m.FunduszMajatkuTrwalegoPoczatkowy + m.FunduszMajatkuTrwalego +
                          m.KredytObrotowy + m.KredytSanacyjny;
    m.AktywaKontrolne = m.RachunekRozliczeniowy + m.WartoscWyrobowGotowych + m.WartoscProdukcjiWToku +
                        m.WartoscMaterialow + m.SrodkiTrwale;
}

void ZestawienieBilansu(Kontekst& k) {
    ZmienneModelu& m = k.m;

    // Corrections, each on the values the previous one left.
    if (m.KredytInwestycyjny < 0) {
        // Instalments beyond the credit: the excess came out of the fund.
        m.NadplataKredytuInwestycyjnego = Max_Real(-m.KredytInwestycyjny, 0.0L);
        m.FunduszMajatkuTrwalego -= m.NadplataKredytuInwestycyjnego;
        m.KredytInwestycyjny = 0;
        m.KontoZadluzenia += m.NadplataKredytuInwestycyjnego;
        m.KontoKapitalow -= m.NadplataKredytuInwestycyjnego;
    }
    if (m.FunduszObrotowyRozliczeniowy < 0) {
        const long double D = -m.FunduszObrotowyRozliczeniowy;
        m.KredytSanacyjny -= D;
        m.FunduszObrotowyRozliczeniowy = 0;
        m.KontoZadluzenia -= D;
        m.KontoKapitalow += D;
    }
    if (m.KredytSanacyjny < 0) {
        const long double P = -m.KredytSanacyjny;
        m.KredytSanacyjny = 0;
        m.KredytObrotowy -= P;
        m.KontoSumyBilansowej -= P;
    }
    if (m.KredytObrotowy < 0) {
        // The rescue credit is not looked at again before the next step.
        const long double P = -m.KredytObrotowy;
        m.KredytObrotowy = 0;
        m.KredytSanacyjny -= P;
        m.KontoSumyBilansowej -= P;
    }

    // Assembly.
    m.PrzeplywKroku = m.KosztyOkresoweKroku[0] + (m.KosztZdolnosciKrokuRazem + m.OdsetkiKroku +
                                                  m.AmortyzacjaKrokuRazem + m.PlaceKrokuRazem +
                                                  m.ZakupySurowcowKroku - m.KosztyKroku);
    SumyBilansu(k);
    ZerujWyplatyIPozycjeZerowa(k);
    m.PrzeplywyNarastajaco += m.PrzeplywKroku;
    PozycjeKontrolneBilansu(k);
}

}  // namespace vesk
