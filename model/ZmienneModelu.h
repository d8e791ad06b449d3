// The model quantities: the decisions of the node being simulated, the
// model parameters, the clock and calendar, and every quantity of the
// equation groups. They live as long as the program (inside the context
// object), start at zero and keep their values between runs unless a reset
// list or an equation sets them.
//
// Units: amounts in million zl, quantities in thousand units, rates per
// year (a step of 0.02 year moves rate * 0.02). Index conventions: i, p a
// product 1..3 (Alfa, Beta, Gamma); j, m a raw material 1..3 (white, black,
// red); rows of the period costs 0..3; years of the node 1..3.
#pragma once

#include <cstdint>

#include "Harmonogram.h"
#include "Real.h"
#include "Tab.h"

namespace vesk {

using R3 = Tab<Real, 1, 3>;               // per product or per raw material
using R33 = Tab<R3, 1, 3>;                // [year or row or material][product or material]
using R4 = Tab<Real, 0, 3>;               // period-cost rows 0..3
using R43 = Tab<R3, 0, 3>;                // [row 0..3][product]
using R38 = Tab<Tab<Real, 1, 8>, 1, 3>;   // [product][variant code 1..8]

struct WariantInwestycji {
    std::uint8_t Rodzaj = 0;   // 0 financed by investment credit, 1 from own funds
    Real Koszt;                // million zl
    Real CzasRealizacji;       // years
    Real OkresKredytu;         // years; 0 for own funds
    Real Zdolnosc;             // planned capacity, thousand products per year
};

struct ZmienneModelu {
    // ------------------------------------------------------------ decisions
    R33 DecyzjeProdukcji;          // [year][product] production orders
    R33 DecyzjeCen;                // [year][product] prices / 1000
    R33 DecyzjeZakupuSurowcow;     // [year][material] raw-material orders
    R3 UdzialDywidendyZwyklej;     // [year] ordinary-dividend share (per cent / 100)
    R3 DecyzjeZadluzenia;          // [year] debt ratio (per cent / 100)
    R3 EmisjaAkcji;                // [year] share issue
    Harmonogram HarmonogramInwestycji;
    Tab<WariantInwestycji, 0, 7> WariantyInwestycji;

    // ------------------------------------------------- parameters (file)
    Real StawkaAmortyzacji;                    // % per year
    Real StawkaPodatkuDochodowego;             // %
    Real StopaDywidendy;                       // %
    Real NormatywPodzialuAmortyzacji;          // %
    Real StawkaDekapitalizacji;                // % per year
    Real NormatywZapasu;                       // weeks
    R33 CenySurowcow;                          // [year][material]
    R3 CzasPrzejsciaProdukcji;                 // years
    R3 PracochlonnoscProdukcji;                // person-years per thousand products
    R3 WspolczynnikiPopytuA;
    R3 WspolczynnikiPopytuB;
    Real WspolczynnikKorygujacy;
    R3 WspolczynnikiKosztuZdolnosci;
    Real OprocentowanieKredytuInwestycyjnego;  // % per year
    Real OprocentowanieKredytuObrotowego;      // % per year
    Real OprocentowanieKredytuSanacyjnego;     // % per year
    Real StawkaSkladekZUS;                     // %
    Real StawkaPodatkuOdWynagrodzen;           // stays 0
    Real StawkaFunduszuSocjalnego;             // stays 0
    Real StawkaFunduszuMieszkaniowego;         // stays 0

    // ------------------------------------------ fixed and derived parameters
    std::uint8_t LiczbaWariantowKredytowanych = 0;
    Real StawkaDodatkowa;
    Real OkresSplatyNaleznosci;
    Real OkresSplatyZobowiazan;
    Real ParametrStaly;
    R33 NormyZuzyciaSurowcow;                  // [material][product]
    Real NarzutNaWynagrodzenia;
    Real StawkaAmortyzacjiKroku;
    Real StawkaKredytuInwestycyjnegoKroku;
    Real StawkaKredytuSanacyjnegoKroku;
    Real UdzialPodzialuAmortyzacji;
    Real StawkaDodatkowaKroku;
    Real UdzialFunduszuMieszkaniowego;
    Real StawkaDekapitalizacjiKroku;

    // ------------------------------------------------------ clock, calendar
    Real CzasSymulacji;       // time within the model year, 0 .. 0.98
    Real CzasPolroczny;       // calendar in half years
    Real RokKalendarzowy;
    Real RokOkresu;
    std::uint8_t RokSymulacji = 0;  // year 1..3 of the node
    bool NierownowagaBilansu = false;

    // ----------------------------------------------- demand and production
    R3 Popyt;
    Tab<std::uint8_t, 1, 3> KolejnoscProduktow;
    R3 ZdolnoscProdukcyjna;
    R3 ProdukcjaWToku;
    R3 ZapasWyrobowGotowych;
    R3 ZapasSurowcow;
    R3 ZakonczenieProdukcji;
    R3 SprzedazIlosciowa;
    R3 UruchomienieProdukcji;
    R3 ZuzycieSurowcow;
    R3 ProdukcjaRoku;
    R3 SprzedazRoku;
    R3 ZdolnoscRoku;

    // --------------------------------------------------------------- costs
    R3 WartoscZapasuSurowcow;
    R3 KosztMaterialowyJednostkowy;
    R3 KosztPracyJednostkowy;
    Real OdsetkiKredytuInwestycyjnegoKroku;
    Real OdsetkiKredytuObrotowegoKroku;
    Real OdsetkiKredytuSanacyjnegoKroku;
    Real OdsetkiKroku;
    R3 AmortyzacjaKroku;
    R3 KosztZdolnosciKroku;
    R3 PlaceUruchomieniaKroku;
    R3 PlaceZakonczeniaKroku;
    R3 PlaceKroku;
    R3 ZuzycieMaterialowKroku;
    R43 KosztyOkresoweWyrobu;        // [row 0..3][product], amounts of the step
    R3 KosztMaterialowSprzedanychKroku;
    R3 KosztPracySprzedanychKroku;
    R3 KosztWyrobuKroku;
    Real KosztyKroku;
    R4 KosztyOkresoweKroku;          // [row 0..3]
    Real KosztZdolnosciKrokuRazem;
    Real AmortyzacjaKrokuRazem;
    R33 KosztyOkresoweWyrobuRoku;    // [row 1..3][product]
    R3 ZuzycieMaterialowRoku;
    R3 AmortyzacjaRoku;
    R3 PlaceRoku;
    R3 KosztZdolnosciRoku;
    R3 KosztSprzedanychRoku;
    R3 KosztyOperacyjneWyrobu;
    R3 KosztWyrobuRoku;
    R3 UslugiObceWydzialu;
    R3 WynagrodzeniaWydzialu;
    R3 AmortyzacjaWydzialu;
    Real KosztySprzedanychProduktow;
    Real KosztyWytworzenia;
    Real Amortyzacja;
    Real ZuzycieMaterialow;
    Real WynagrodzeniaISwiadczenia;
    Real UslugiObce;
    Real PodatkiIOplaty;
    Real KosztyOkresowe1;
    Real KosztyOkresowe2;
    Real KosztyOkresowe3;
    Real KosztZdolnosciRazem;
    Real KosztWyrobowRazem;
    Real KosztyFinansowe;
    Real PozostaleKoszty;
    Real PracaSprzedanychKroku;

    // ---------------------------------------- sales, purchases, settlement
    R3 SprzedazWyrobow;
    Real PrzychodyKroku;
    Real PlaceKrokuRazem;
    Real PrzychodyZeSprzedazy;
    Real Naleznosci;
    Real WplywyNaleznosciKroku;
    Real ZakupySurowcowKroku;
    Real Zobowiazania;
    Real SplataZobowiazanKroku;
    Real SaldoOperacyjneKroku;
    Real RachunekRozliczeniowy;
    Real FunduszObrotowyGotowkowy;
    Real FunduszObrotowyRozliczeniowy;
    Real KontoZadluzenia;
    Real KontoSumyBilansowej;

    // ------------------------------------ decapitalisation, step result
    Real FunduszMajatkuTrwalego;
    Real FunduszMajatkuTrwalegoPoczatkowy;
    Real SrodkiTrwale;
    Real UmorzenieSrodkowTrwalych;
    Real KontoKapitalow;
    Real KontoMajatkuTrwalego;
    Real KontoFunduszuMajatkuTrwalego;
    R3 WartoscInwestycjiProduktu;
    Real DekapitalizacjaKroku1;
    Real DekapitalizacjaKroku2;
    Real ZyskKroku;
    Real StrataKroku;
    Real ZyskRoku;
    Real StrataRoku;
    Real ZyskBrutto;
    Real WplywyRoku;
    Real WydatkiRoku;
    Real RachunekRozliczeniowyNaPoczatkuRoku;
    Real PozostaleWplywyRoku;
    Real KredytyZaciagnieteRoku;
    Real KredytySplaconeRoku;

    // -------------------------------------------------------------- credit
    Real KredytInwestycyjny;
    Real KredytInwestycyjnyWRealizacji;
    Real KredytObrotowy;
    Real KredytSanacyjny;
    Real KredytDocelowy;
    Real ZaciagniecieKredytuKroku;
    Real SplataKredytuKroku;
    Real KredytSanacyjnyKroku;
    Real PrzeniesienieKredytu;

    // ------------------------------------------------------ start of year
    Real PozycjaRokuZerowa;
    Real NabycieGruntowIUrzadzen;
    Real SplataKredytowInwestycyjnych;
    Real WynikZeSprzedazy;
    Real WynikOperacyjny;
    Real PozycjaWynikuZerowa;
    Real KapitalZapasowyPoczatkowy;
    Real KapitalRezerwowyPoczatkowy;
    Real KapitalRezerwowyStartRoku;
    Real ProduktyNaPoczatkuRoku;
    Real ZapasyNaPoczatkuRoku;
    Real AktywaNaPoczatkuRoku;
    Real ZyskPoWyplatachNarastajaco;
    Real SumaEmisjiAkcji;
    Real SumaEmisjiAkcjiPoprzednia;
    Real SumaEmisjiNaPoczatek;
    Real KapitalAkcyjnyNaPoczatek;
    Real EmisjaAkcjiZwyklych;
    Real EmisjaAkcjiWRoku;
    Real KapitalZapasowyNaPoczatek;
    Real KapitalRezerwowyNaPoczatek;
    Real KapitalWlasnyNaPoczatek;

    // ----------------------------------------------------------- investments
    Real NakladyInwestycjiKredytowanych;
    Real NakladyInwestycjiWlasnych;
    Real OddaneInwestycjeKredytowane;
    Real OddaneInwestycjeWlasne;
    Real NakladyInwestycjiWlasnychNarastajaco;
    Real InwestycjeRozpoczete;
    Real FunduszInwestycjiWlasnych;
    Real WartoscOddanychInwestycji;
    Real KontoOddanychInwestycji;
    R38 KredytProjektu;
    R38 RataKredytuProjektu;
    R38 OdpisKredytuProjektu;
    R3 KredytInwestycyjnyProduktu;
    Real SplataKredytuInwestycyjnego;
    Real SplatyKredytuInwestycyjnegoNarastajaco;

    // ------------------------------------------ stock valuation, fixed assets
    R3 PracePrzeniesioneKroku;
    R3 MaterialyWProdukcjiWToku;
    R3 PraceWProdukcjiWToku;
    R3 MaterialyWWyrobachGotowych;
    R3 PraceWWyrobachGotowych;
    R3 MaterialySprzedanychRoku;
    Real WartoscMaterialow;
    Real WartoscProdukcjiWToku;
    Real WartoscWyrobowGotowych;
    Real Zapasy;
    Real GruntyIBudynkiBrutto;
    Real DekapitalizacjaGruntowIBudynkow;
    Real GruntyIBudynkiNetto;
    Real UrzadzeniaIMaszynyBrutto;
    Real DekapitalizacjaUrzadzenIMaszyn;
    Real UrzadzeniaIMaszynyNetto;

    // --------------------------------------------------------------- balance
    Real NadplataKredytuInwestycyjnego;
    Real PrzeplywKroku;
    Real PrzeplywyNarastajaco;
    Real KredytIFinansowanieInwestycji;
    Real FunduszObrotowy;
    Real MajatekObrotowy;
    Real ZobowiazaniaDlugoterminowe;
    Real SumaAktywow;
    Real SumaPasywow;
    Real PozycjaBilansuZerowa;
    Real WyplatyZZysku;
    Real SrodkiPieniezneKontrolne;
    Real FunduszeRazemKontrolne;
    Real ZobowiazaniaBiezaceKontrolne;
    Real FunduszeMajatkuTrwalegoRazem;
    Real FunduszMajatkuTrwalegoKopia;
    Real KredytSanacyjnyKopia;
    Real SrodkiIZobowiazaniaBiezace;
    Real PasywaKontrolne;
    Real FinansowanieRazem;
    Real AktywaKontrolne;

    // ----------------------------------------------------- year-end result
    Real ZmianaStanuProduktow;
    Real StrataBrutto;
    Real PodatekDochodowy;
    Real WynikPrzedOpodatkowaniem;
    Real ZyskNetto;
    Real DywidendaObowiazkowa;
    Real ZyskDoPodzialu;
    Real DywidendaZwykla;
    Real ZyskZatrzymany;
    Real WynikBrutto;
    Real ZyskNaDzialalnosciGospodarczej;
    Real WynikNetto;
    Real WynikDoBilansu;
    Real OdpisNaKapitalZapasowy;
    Real ResztaZyskuZatrzymanego;
    Real ZwiekszenieKapitaluRezerwowego;
    Real ZwiekszenieKapitaluZapasowego;
    Real ZmniejszenieKapitaluZapasowego;
    Real KapitalAkcyjny;
    Real KapitalZapasowy;
    Real KapitalRezerwowy;
    Real KapitalWlasny;
    Real ZyskPoWyplatach;
    Real PozostaleZobowiazaniaKrotkoterminowe;
    Real KorektaZyskuBrutto1;
    Real KorektaZyskuBrutto2;
    Real ZyskBruttoPoczatkowy;

    // ---------------------------------------- carry-over, cash flow, ratios
    Real WynikLatUbieglych;
    Real WynikNiepodzielony;
    Real WynikNiepodzielonyNarastajaco;
    Real ZrodlaPieniadza;
    Real WykorzystaniePieniadza;
    Real ZmianaStanuRachunku;
    Real AktywaSrednie;
    Real KapitalObrotowy;
    Real WskaznikBiezacejPlynnosci;
    Real WskaznikSzybkiejPlynnosci;
    Real WskaznikZadluzeniaOgolnego;
    Real WskaznikZadluzeniaKapitaluWlasnego;
    Real WskaznikPokryciaOdsetek;
    Real RentownoscAktywow;
    Real RentownoscMajatkuTrwalego;
    Real RentownoscSprzedazy;
    Real RentownoscKapitaluWlasnego;
    Real RotacjaZapasow;
    Real RotacjaMajatkuTrwalego;
    Real RotacjaAktywow;
    Real SumaEmisjiNaKoniec;

    // Reserved fields that only the record carries from node to node: the
    // raw bytes of the opening area, indexed by record offset (0..2783).
    // The record's field map reads and writes them; nothing computes them.
    std::array<std::uint8_t, 2784> OtwarcieZastrzezone{};
};

}  // namespace vesk
