// Read-outs on synthetic records: the cells of each family, the cells that
// select nothing, the store into x1..x100 and the synthetic result's path.
#include <gtest/gtest.h>

#include <functional>

#include "MapaRekordu.h"
#include "Odczyty.h"
#include "PlikStanu.h"
#include "PolaRoku.h"
#include "PozycjaBilansu.h"
#include "TempDir.h"

namespace vesk {
namespace {

using namespace pola;

struct Rekord : ::testing::Test {
    Kontekst k;
    StanModelu& r = k.RekordBiezacy;
    void ustaw(PoleRoku pole, int rok, long double v) { Zapis(r, pole, rok, v); }
    void ustawE(PoleRoku pole, int e, int rok, long double v) { Zapis(r, ElementPola(pole, e), rok, v); }
    // Distinct round values in every year: base + year / 4.
    void wypelnij(std::initializer_list<PoleRoku> pola, long double baza) {
        for (PoleRoku p : pola) {
            for (int rok = 1; rok <= 3; ++rok) ustaw(p, rok, baza + rok / 4.0L);
            baza += 10.0L;
        }
    }
};

TEST_F(Rekord, IncomeStatementTotalsEqualTheirItems) {
    wypelnij({KosztyWytworzenia, KosztyFinansowe, WynikBrutto, PrzychodyZeSprzedazy, StrataBrutto, PodatekDochodowy,
              DywidendaObowiazkowa},
             100.0L);
    ustaw(ZmianaStanuProduktow, 1, -7.5L);
    ustaw(ZmianaStanuProduktow, 2, 5.25L);
    ustaw(ZmianaStanuProduktow, 3, 0.0L);
    for (int rok = 1; rok <= 3; ++rok) {
        auto L = [&](int i) { return WartoscRachunkuWynikow(r, i, 1, rok); };
        auto P = [&](int i) { return WartoscRachunkuWynikow(r, i, 2, rok); };
        EXPECT_EQ(L(16), L(1) + L(8) + L(7) + L(10) + L(11)) << rok;
        EXPECT_EQ(L(16), P(7)) << rok;
        EXPECT_EQ(P(7), P(5) + P(1) + P(6)) << rok;
        EXPECT_EQ(L(12), 150.0 + rok / 4.0 + 160.0 + rok / 4.0) << rok;
        EXPECT_EQ(L(1), 100.0 + rok / 4.0);
    }
    EXPECT_EQ(WartoscRachunkuWynikow(r, 8, 1, 1), 7.5);
    EXPECT_EQ(WartoscRachunkuWynikow(r, 5, 2, 1), 0.0);
    EXPECT_EQ(WartoscRachunkuWynikow(r, 8, 1, 2), 0.0);
    EXPECT_EQ(WartoscRachunkuWynikow(r, 5, 2, 2), 5.25);
    EXPECT_EQ(WartoscRachunkuWynikow(r, 8, 1, 3), 0.0);
    EXPECT_EQ(WartoscRachunkuWynikow(r, 5, 2, 3), 0.0);
}

// Every family through one signature: item, side (ignored where the family
// has none), year.
struct Rodzina {
    const char* nazwa;
    int pozycji;  // the last item of side 1 (or of the whole numbering)
    bool maStrony;
    std::function<double(const StanModelu&, int, int, int)> f;
};

std::vector<Rodzina> Rodziny() {
    auto bezStrony = [](double (*f)(const StanModelu&, int, int)) {
        return [f](const StanModelu& r, int i, int, int rok) { return f(r, i, rok); };
    };
    auto wskazniki = [](Wskazniki g) {
        return [g](const StanModelu& r, int i, int, int rok) { return WartoscWskaznika(r, g, i, rok); };
    };
    using F3 = double (*)(const StanModelu&, int, int);
    using F4 = double (*)(const StanModelu&, int, int, int);
    return {
        {"rachunek wynikow", 16, true, WartoscRachunkuWynikow},
        {"cash flow", 15, false, bezStrony(WartoscCashFlow)},
        {"decyzje", 18, false, bezStrony(WartoscDecyzji)},
        {"produkcja", 6, true, static_cast<F4>(WartoscProdukcji)},
        {"_produkcja", 12, false, bezStrony(static_cast<F3>(WartoscProdukcji))},
        {"zapasy", 6, true, static_cast<F4>(WartoscZapasow)},
        {"_zapasy", 9, false, bezStrony(static_cast<F3>(WartoscZapasow))},
        {"koszty", 14, true, static_cast<F4>(WartoscKosztow)},
        {"_koszty", 26, false, bezStrony(static_cast<F3>(WartoscKosztow))},
        {"plynnosc", 3, false, wskazniki(Wskazniki::Plynnosci)},
        {"zadluzenie", 3, false, wskazniki(Wskazniki::Zadluzenia)},
        {"rentownosc", 4, false, wskazniki(Wskazniki::Rentownosci)},
        {"obrotowosc", 3, false, wskazniki(Wskazniki::Obrotowosci)},
        {"_bilans", 16, true, WartoscBilansu},
    };
}

TEST_F(Rekord, ArgumentsThatSelectNoCellGiveMinusThousandInEveryFamily) {
    for (const Rodzina& f : Rodziny()) {
        SCOPED_TRACE(f.nazwa);
        EXPECT_NE(f.f(r, 1, 1, 1), BrakWartosci);
        EXPECT_NE(f.f(r, f.pozycji, 1, 3), BrakWartosci);
        EXPECT_EQ(f.f(r, 0, 1, 1), BrakWartosci);
        EXPECT_EQ(f.f(r, f.pozycji + 1, 1, 1), BrakWartosci);
        EXPECT_EQ(f.f(r, 17 + 10 * (f.pozycji >= 17), 1, 1), BrakWartosci);
        EXPECT_EQ(f.f(r, 1, 1, 0), BrakWartosci);
        EXPECT_EQ(f.f(r, 1, 1, 4), BrakWartosci);
        EXPECT_EQ(f.f(r, 1, 1, -100000), BrakWartosci);
        if (f.maStrony) {
            EXPECT_EQ(f.f(r, 1, 3, 1), BrakWartosci);
            EXPECT_EQ(f.f(r, 1, 0, 1), BrakWartosci);
        }
    }
    EXPECT_EQ(WartoscRachunkuWynikow(r, 8, 2, 1), BrakWartosci);  // side 2 ends at item 7
    EXPECT_EQ(WartoscBilansu(r, 15, 2, 1), BrakWartosci);         // liabilities end at row 14
    EXPECT_EQ(WartoscKosztow(r, 15, 2, 1), BrakWartosci);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 0, 1), BrakWartosci);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 10, 1), BrakWartosci);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 3), BrakWartosci);
}

TEST_F(Rekord, EmptyCellsOfInventoriesAndCostsAreZero) {
    wypelnij({ZapasSurowcow, ZapasWyrobowGotowych, ProdukcjaWToku, KosztyWytworzenia, Amortyzacja}, 50.0L);
    for (int rok = 1; rok <= 3; ++rok) {
        for (int i : {4, 5, 6}) EXPECT_EQ(WartoscZapasow(r, i, 2, rok), 0.0) << i;
        for (int i : {13, 14}) EXPECT_EQ(WartoscKosztow(r, i, 1, rok), 0.0) << i;
    }
    EXPECT_EQ(WartoscZapasow(r, 4, 2, 4), BrakWartosci);
    EXPECT_EQ(WartoscKosztow(r, 13, 1, 0), BrakWartosci);
}

// Known cells in both numberings: (item, side) of the indicator window,
// the language's item, and the field element it shows.
TEST_F(Rekord, BothNumberingsReadTheReportsCells) {
    using F4 = double (*)(const StanModelu&, int, int, int);
    using F3 = double (*)(const StanModelu&, int, int);
    struct P {
        F4 okno;
        F3 jezyk;
        int pozycja, strona, numer;
        PoleRoku pole;
        int e;
    } przypadki[] = {
        {WartoscProdukcji, WartoscProdukcji, 2, 1, 2, ProdukcjaRoku, 2},
        {WartoscProdukcji, WartoscProdukcji, 3, 2, 6, SprzedazRoku, 3},
        {WartoscZapasow, WartoscZapasow, 1, 1, 1, ZapasSurowcow, 1},
        {WartoscZapasow, WartoscZapasow, 2, 2, 5, ZapasWyrobowGotowych, 2},
        {WartoscZapasow, WartoscZapasow, 6, 1, 9, ProdukcjaWToku, 3},
        {WartoscKosztow, WartoscKosztow, 3, 1, 3, KosztyOperacyjneWyrobu, 2},
        {WartoscKosztow, WartoscKosztow, 8, 1, 8, ZuzycieMaterialowRoku, 3},
        {WartoscKosztow, WartoscKosztow, 10, 1, 10, WynagrodzeniaWydzialu, 1},
        {WartoscKosztow, WartoscKosztow, 1, 2, 13, Amortyzacja, 1},
        {WartoscKosztow, WartoscKosztow, 4, 2, 16, AmortyzacjaWydzialu, 3},
        {WartoscKosztow, WartoscKosztow, 7, 2, 19, UslugiObceWydzialu, 2},
        {WartoscKosztow, WartoscKosztow, 11, 2, 23, KosztySprzedanychProduktow, 1},
        {WartoscKosztow, WartoscKosztow, 14, 2, 26, KosztSprzedanychRoku, 3},
    };
    long double v = 1.5L;
    for (const P& p : przypadki) {
        SCOPED_TRACE(p.pole.nazwa);
        ustawE(p.pole, p.e, 2, v);
        EXPECT_EQ(p.okno(r, p.pozycja, p.strona, 2), static_cast<double>(v));
        EXPECT_EQ(p.jezyk(r, p.numer, 2), static_cast<double>(v));
        v += 1.0L;
    }
    // Capacity per step and its use: the Beta line in year 2.
    ustawE(ZdolnoscProdukcyjna, 2, 2, 1000.0L);
    ustawE(ZdolnoscRoku, 2, 2, 400.0L);
    ustawE(ProdukcjaRoku, 2, 2, 300.0L);
    EXPECT_EQ(WartoscProdukcji(r, 5, 1, 2), 20.0);
    EXPECT_EQ(WartoscProdukcji(r, 8, 2), 20.0);
    EXPECT_EQ(WartoscProdukcji(r, 5, 2, 2), 75.0);
    EXPECT_EQ(WartoscProdukcji(r, 11, 2), 75.0);
}

TEST_F(Rekord, CapacityUseWithoutCapacityIsZero) {
    ustawE(ProdukcjaRoku, 1, 1, 40.0L);
    EXPECT_EQ(WartoscProdukcji(r, 4, 2, 1), 0.0);
    EXPECT_EQ(WartoscProdukcji(r, 10, 1), 0.0);
}

TEST_F(Rekord, RatiosInTheOrderTheReportsPrintThem) {
    struct P {
        Wskazniki g;
        int pozycja;
        PoleRoku pole;
    } przypadki[] = {
        {Wskazniki::Plynnosci, 1, KapitalObrotowy},         {Wskazniki::Plynnosci, 2, WskaznikBiezacejPlynnosci},
        {Wskazniki::Plynnosci, 3, WskaznikSzybkiejPlynnosci}, {Wskazniki::Zadluzenia, 1, WskaznikZadluzeniaOgolnego},
        {Wskazniki::Zadluzenia, 3, WskaznikPokryciaOdsetek}, {Wskazniki::Rentownosci, 1, RentownoscAktywow},
        {Wskazniki::Rentownosci, 4, RentownoscKapitaluWlasnego}, {Wskazniki::Obrotowosci, 1, RotacjaZapasow},
        {Wskazniki::Obrotowosci, 3, RotacjaAktywow},
    };
    long double v = 1.5L;
    for (const P& p : przypadki) {
        ustaw(p.pole, 2, v);
        EXPECT_EQ(WartoscWskaznika(r, p.g, p.pozycja, 2), static_cast<double>(v)) << p.pole.nazwa;
        v += 1.0L;
    }
    EXPECT_EQ(WartoscWskaznika(r, Wskazniki::Plynnosci, 4, 2), BrakWartosci);
}

TEST_F(Rekord, CashFlowChangeOfTheAccountIsSourcesLessUses) {
    ustaw(WplywyRoku, 2, 500.0L);
    ustaw(WydatkiRoku, 2, 320.5L);
    ustaw(EmisjaAkcjiZwyklych, 2, 40.0L);
    ustaw(KredytyZaciagnieteRoku, 2, 60.25L);
    ustaw(WykorzystaniePieniadza, 2, 210.0L);
    EXPECT_EQ(WartoscCashFlow(r, 1, 2), 279.75);
    EXPECT_EQ(WartoscCashFlow(r, 2, 2), 179.5);
    EXPECT_EQ(WartoscCashFlow(r, 5, 2), 100.25);
    EXPECT_EQ(WartoscCashFlow(r, 13, 2), WartoscCashFlow(r, 1, 2) - WartoscCashFlow(r, 8, 2));
    EXPECT_EQ(WartoscCashFlow(r, 13, 2), 69.75);
}

TEST_F(Rekord, DecisionCellsByRecordOffset) {
    r.zapis().setReal48(2784 + 18 + 12, 450.0L);      // orders, Gamma, year 2
    r.zapis().setReal48(2840 + 18, 0.25L);            // price of Alfa per 1000, year 2
    r.zapis().setReal48(2952 + 12, 0.375L);           // dividend share, year 3
    r.zapis().setReal48(3000 + 6, 5.0L);              // share issue, year 2
    r.zapis().setU8(3024 + 144 + 48 + 24, 7);         // Beta project 2, year 2
    r.zapis().setU8(3024 + 2 * 144 + 0 + 0, 3);       // Gamma project 1, year 1
    EXPECT_EQ(WartoscDecyzji(r, 3, 2), 450.0);
    EXPECT_EQ(WartoscDecyzji(r, 4, 2), 250.0);
    EXPECT_EQ(WartoscDecyzji(r, 10, 3), 37.5);
    EXPECT_EQ(WartoscDecyzji(r, 12, 2), 5.0);
    EXPECT_EQ(WartoscDecyzji(r, 16, 2), 7.0);
    EXPECT_EQ(WartoscDecyzji(r, 17, 1), 3.0);
    EXPECT_EQ(WartoscDecyzji(r, 13, 2), 0.0);  // no variant chosen
    EXPECT_EQ(WartoscDecyzji(r, 16, 1), 0.0);
}

TEST_F(Rekord, OnlyTheExactInternalNamesStore) {
    ustaw(PrzychodyZeSprzedazy, 1, 12.5L);  // the net profit, with no costs
    k.ZmienneSkryptu.fill(3.0);
    for (const char* zla : {"x101", "x0", "X5", "x01", " x5", "x5 ", "", "zysk"})
        EXPECT_FALSE(Wyjscie_rachunek_wynikow(k, 13, 1, 1, zla)) << zla;
    for (double v : k.ZmienneSkryptu) EXPECT_EQ(v, 3.0);
    EXPECT_TRUE(Wyjscie_rachunek_wynikow(k, 13, 1, 1, "x100"));
    EXPECT_EQ(k.ZmienneSkryptu[99], 12.5);
    EXPECT_TRUE(Wyjscie_rachunek_wynikow(k, 13, 3, 1, "x1"));
    EXPECT_EQ(k.ZmienneSkryptu[0], BrakWartosci);
    EXPECT_TRUE(Odczyt_Decyzje(k, 19, 1, "x2"));
    EXPECT_EQ(k.ZmienneSkryptu[1], BrakWartosci);
}

// ------------------------------------------------------ synthetic result

struct Drzewo : ::testing::Test {
    test::TempDir dir;
    Kontekst k;

    Drzewo() {
        k.KatalogOperatora = dir.folder();
        k.NazwaPlikuStanu = "firma.qad";
    }
    // Node numer under rodzic in table slot `slot`, ZyskDoPodzialu a, b, c
    // in its three years; written to the model-state file unless bezRekordu.
    void wezel(int slot, int numer, int rodzic, long double a, long double b, long double c, bool bezRekordu = false) {
        k.TabelaWezlow.Zajety[slot] = true;
        k.TabelaWezlow.Wpisy[slot] = {static_cast<std::uint8_t>(numer), static_cast<std::uint8_t>(rodzic), 2012, 1};
        StanModelu rec;
        rec.UstawNumer(static_cast<std::uint8_t>(numer));
        rec.UstawRodzica(static_cast<std::uint8_t>(rodzic));
        Zapis(rec, ZyskDoPodzialu, 1, a);
        Zapis(rec, ZyskDoPodzialu, 2, b);
        Zapis(rec, ZyskDoPodzialu, 3, c);
        Zapis(rec, RotacjaZapasow, 3, c + 1.0L);
        std::uint8_t n, z;
        std::int16_t rok;
        if (!bezRekordu) {
            ASSERT_TRUE(ZapiszStanModelu(k, rec, n, rok, z, numer == 0));
        }
    }
    void biezacy(int numer) {
        ASSERT_TRUE(ZnajdzStanModelu(k, SciezkaPlikuStanu(k), static_cast<std::uint8_t>(numer), k.RekordBiezacy));
    }
};

TEST_F(Drzewo, AChildOfTheRootAveragesItsThreeYears) {
    wezel(0, 0, 255, 100.0L, 100.0L, 100.0L);
    wezel(1, 1, 0, 3.0L, 6.0L, 12.0L);
    biezacy(1);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 2), 7.0);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 1), 12.0);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 9, 1), 13.0);
    EXPECT_TRUE(Odczyt_Wynik_Syntetyczny(k, 1, 2, "x7"));
    EXPECT_EQ(k.ZmienneSkryptu[6], 7.0);
}

TEST_F(Drzewo, AGrandchildAveragesOverTwoNodesAndMissingRecordsAreLeftOut) {
    wezel(0, 0, 255, 0.0L, 0.0L, 0.0L);
    wezel(3, 2, 1, 1.0L, 2.0L, 3.0L);  // a later slot's parent sits in an earlier one
    wezel(1, 1, 0, 4.0L, 5.0L, 6.0L);
    biezacy(2);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 2), 3.5);
    wezel(4, 5, 2, 100.0L, 100.0L, 100.0L, true);  // in the table, not in the file
    k.RekordBiezacy.UstawNumer(5);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 2), 3.5);
}

TEST_F(Drzewo, TheRootAndBrokenChainsHaveNoAverage) {
    wezel(0, 0, 255, 1.0L, 2.0L, 3.0L);
    biezacy(0);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 2), BrakWartosci);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 1), 3.0);
    wezel(1, 1, 7, 1.0L, 2.0L, 3.0L);  // parent 7 is in no slot
    biezacy(1);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 2), BrakWartosci);
    wezel(2, 2, 3, 1.0L, 2.0L, 3.0L);  // 2 and 3 each other's parent
    wezel(3, 3, 2, 1.0L, 2.0L, 3.0L);
    biezacy(2);
    EXPECT_EQ(WartoscWynikuSyntetycznego(k, 1, 2), BrakWartosci);
}

}  // namespace
}  // namespace vesk
