#include "WykresWskaznika.h"

#include <gtest/gtest.h>

#include <cmath>

#include <bit>
#include <cstdint>
#include <memory>

#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "PozycjeSprawozdan.h"
#include "TempDir.h"

namespace vesk {
namespace {

const char* const Decyzje = "Zmienne decyzyjne";
const char* const Alfa = "Zlecenia na produkcj\xEA wyrobu ALFA";
const char* const Beta = "Zlecenia na produkcj\xEA wyrobu BETA";
const char* const Gamma = "Zlecenia na produkcj\xEA wyrobu GAMMA";

struct Wykres : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();
    PanelDefinicji panel;
    OcenaWskaznika ocena;
    WykresWskaznika wykres;
    int wybrany = 0, glebokosc = 0, odswiezen = 0;

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
        panel.Licznik = StronaWskaznika{PozycjaWskaznika{Decyzje, Alfa}, "", std::nullopt};
        panel.Mianownik = StronaWskaznika{PozycjaWskaznika{Decyzje, Beta}, "", std::nullopt};
        panel.TekstListy = "wsk";
        wykres.OdswiezWezel = [this] {
            ++odswiezen;
            ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), static_cast<std::uint8_t>(wybrany),
                                         k->RekordBiezacy));
        };
        wykres.GlebokoscWezla = [this] { return glebokosc; };
    }
    // Record n under parent p: ALFA orders a, a + 1, a + 2, BETA orders 1.
    StanModelu rekord(int n, int p, int a) {
        StanModelu r;
        EXPECT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), 0, r));
        r.UstawNumer(static_cast<std::uint8_t>(n));
        r.UstawRodzica(static_cast<std::uint8_t>(p));
        r.UstawRok(static_cast<std::int16_t>(2012 + 3 * n));
        for (int y = 0; y < 3; ++y) {
            r.zapis().setReal48(static_cast<std::size_t>(2784 + 18 * y), a + y);
            r.zapis().setReal48(static_cast<std::size_t>(2790 + 18 * y), 1);
        }
        return r;
    }
    // The file holds the given records only (the root among them or not).
    void plik(const std::vector<StanModelu>& rekordy) {
        std::string b;
        for (const StanModelu& r : rekordy) b.append(reinterpret_cast<const char*>(r.bajty.data()), r.bajty.size());
        dir.write("FIRMA.qad", b);
    }
    void lancuch() { plik({rekord(0, 0, 1), rekord(1, 0, 11), rekord(2, 1, 21)}); }
    const WidokWykresu& pokaz(int wezel, int h, int typ = 0) {
        wybrany = wezel;
        glebokosc = wezel;
        wykres.Horyzont = h;
        wykres.TypWykresu = typ;
        if (!wykres.Widok.Widoczny) return wykres.UAktualnicWykres(*k, panel, ocena, true);
        return wykres.UAktualnicWykres(*k, panel, ocena, false);
    }
    static std::vector<PunktWykresu> od(int x, std::vector<double> y) {
        std::vector<PunktWykresu> p;
        for (double v : y) p.push_back({x++, v});
        return p;
    }
};

TEST_F(Wykres, PointsByHorizonOnAChain) {
    lancuch();
    for (auto& x : k->ZmienneSkryptu) x = 7.0;
    EXPECT_EQ(pokaz(0, 0).Punkty, od(2009, {1, 2, 3}));
    EXPECT_EQ(k->LiczbaPunktowWykresu, 3);
    EXPECT_EQ(pokaz(2, 1).Punkty, od(2012, {11, 12, 13, 21, 22, 23}));
    EXPECT_EQ(k->LiczbaPunktowWykresu, 6);
    EXPECT_EQ(pokaz(2, 2).Punkty, od(2009, {1, 2, 3, 11, 12, 13, 21, 22, 23}));
    // A horizon beyond the depth is cut to it.
    EXPECT_EQ(pokaz(2, 7).Punkty.size(), 9u);
    EXPECT_EQ(k->LiczbaPunktowWykresu, 9);
    EXPECT_EQ(PunktyWykresuGlownego(*k), 3);
    // The node's own record is back in RekordBiezacy.
    EXPECT_EQ(k->RekordBiezacy.Numer(), 2);
    EXPECT_TRUE(wykres.Widok.Komunikaty.empty());
    for (const auto& x : k->ZmienneSkryptu) EXPECT_EQ(x, 7.0);  // x91, x92 untouched
}

TEST_F(Wykres, Dynamics) {
    lancuch();
    struct Typ {
        int typ;
        std::vector<double> y;
    };
    const Typ typy[] = {
        {4, {1, 1, 8, 1, 1}},
        {1, {12.0 / 11, 13.0 / 12, 21.0 / 13, 22.0 / 21, 23.0 / 22}},
        {2, {1.0 / 11, 1.0 / 12, 8.0 / 13, 1.0 / 21, 1.0 / 22}},
        {3, {1.0 / 12, 1.0 / 13, 8.0 / 21, 1.0 / 22, 1.0 / 23}},
        {-1, {11, 12, 13, 21, 22, 23}},  // none chosen: values
    };
    for (const Typ& t : typy) {
        SCOPED_TRACE(t.typ);
        const WidokWykresu& w = pokaz(2, 1, t.typ);
        ASSERT_EQ(w.Punkty.size(), t.y.size());
        for (std::size_t i = 0; i < t.y.size(); ++i) {
            EXPECT_EQ(w.Punkty[i].X, 2012 + static_cast<int>(i));
            EXPECT_DOUBLE_EQ(w.Punkty[i].Y, t.y[i]);
        }
        EXPECT_EQ(w.Tytul.size(), t.typ > 0 ? 2u : 1u);
    }
    EXPECT_EQ(pokaz(2, 1, 4).Tytul, (std::vector<std::string>{"wsk", "(dynamika x2-x1)"}));
    // A zero x1 in a dynamics leaves the point out and warns.
    plik({rekord(0, 0, 0)});
    const WidokWykresu& w = pokaz(0, 0, 1);
    EXPECT_LT(w.Punkty.size(), 2u);
    for (const PunktWykresu& pt : w.Punkty) EXPECT_LT(std::abs(pt.Y), 1e30);
    EXPECT_EQ(w.Komunikaty, std::vector<std::string>{TekstZeraWMianowniku});
}

TEST(OsWykresu, TicksAreWholeStepsAndZeroIsLabelledZero) {
    const OsWykresu os = OsWartosciWykresu({{2010, -0.1}, {2011, 0.1 + 0.2}, {2012, 0.7}});
    EXPECT_DOUBLE_EQ(os.Krok, 0.2);
    EXPECT_LT(os.Min, -0.1);
    EXPECT_GT(os.Max, 0.7);
    std::vector<std::string> etykiety;
    for (const auto& [v, t] : os.Podzialki) etykiety.push_back(t);
    EXPECT_EQ(etykiety, (std::vector<std::string>{"-0.2", "0.0", "0.2", "0.4", "0.6", "0.8"}));
    EXPECT_EQ(OsWartosciWykresu({{2010, 5}}).Podzialki.front().second, "3.5");
}

TEST_F(Wykres, ZeroDivisorsGiveTheSubstitutesLeftOutOfTheChart) {
    struct Przypadek {
        double licznik;
        std::uint64_t bity;
    };
    const Przypadek przypadki[] = {{5, 0x47EFF933C78CDFADull}, {-5, 0x36A1208141E9900Bull}, {0, 0x3FF0000000000000ull}};
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.licznik);
        StanModelu r = rekord(0, 0, 0);
        r.zapis().setReal48(2784, p.licznik);
        r.zapis().setReal48(2790, 0);
        plik({r});
        bool zero = false;
        std::string nieznana;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*WartoscRoku(panel, r, 1, zero, nieznana)), p.bity);
        const WidokWykresu& w = pokaz(0, 0);
        ASSERT_EQ(w.Punkty.size(), 2u);  // the first year has no point
        EXPECT_EQ(w.Punkty[0].X + 1, w.Punkty[1].X);
        EXPECT_EQ(w.Komunikaty, std::vector<std::string>{TekstZeraWMianowniku});
    }
    // A numerator "ALFA / GAMMA" with GAMMA 0 sets the flag, the denominator being fine.
    StanModelu r = rekord(0, 0, 4);
    for (int y = 0; y < 3; ++y) r.zapis().setReal48(static_cast<std::size_t>(2796 + 18 * y), y == 1 ? 0 : 2);
    bool zero = false;
    std::string nieznana;
    panel.Licznik = StronaWskaznika{PozycjaWskaznika{Decyzje, Alfa}, "/", PozycjaWskaznika{Decyzje, Gamma}};
    EXPECT_EQ(WartoscRoku(panel, r, 1, zero, nieznana), 2.0);
    EXPECT_FALSE(zero);
    EXPECT_EQ(WartoscRoku(panel, r, 2, zero, nieznana), 3.4e38);
    EXPECT_TRUE(zero);
}

TEST_F(Wykres, NoPointsToDrawGiveTheirOwnEmptyStateNotTheLastScale) {
    std::vector<StanModelu> rekordy{rekord(0, 0, 1), rekord(1, 0, 11)};
    for (StanModelu& r : rekordy)  // GAMMA orders 0 throughout
        for (int y = 0; y < 3; ++y) r.zapis().setReal48(static_cast<std::size_t>(2796 + 18 * y), 0);
    plik(rekordy);
    const std::pair<std::optional<PozycjaWskaznika>, const char*> przypadki[] = {
        {PozycjaWskaznika{Decyzje, Gamma}, BrakPunktowZero},
        {PozycjaWskaznika{Decyzje, "nic takiego"}, BrakPunktowPozycji},
        {std::nullopt, BrakPunktow}};
    for (const auto& [mianownik, pusty] : przypadki) {
        panel.Mianownik.Pierwsza = PozycjaWskaznika{Decyzje, Beta};
        ASSERT_FALSE(pokaz(1, 1).Os.Podzialki.empty());
        panel.Mianownik.Pierwsza = mianownik;
        const WidokWykresu& w = pokaz(1, 1);
        EXPECT_TRUE(w.Punkty.empty() && w.Os.Podzialki.empty());
        EXPECT_EQ(w.Pusty, pusty);
    }
}

TEST(OsWykresu, DuringARunTheAxisOnlyWidens) {
    const OsWykresu os = OsWartosciWykresu({{2010, 1}, {2011, 9}});
    const std::vector<PunktWykresu> w[] = {{{2010, 2}, {2011, 8}}, {{2010, 1}, {2011, 30}}, {{2010, -20}, {2011, 5}}};
    EXPECT_EQ(OsPrzebiegu(os, w[0]).Podzialki, os.Podzialki);  // narrower points: the axis is kept
    for (const auto& punkty : w) {
        const OsWykresu nowa = OsPrzebiegu(os, punkty);
        EXPECT_TRUE(nowa.Min <= std::min(os.Min, punkty[0].Y) && nowa.Max >= std::max(os.Max, punkty[1].Y));
    }
}

TEST_F(Wykres, TheRefreshCallingBackRunsOnce) {
    lancuch();
    wykres.OdswiezWezel = [this] {
        ++odswiezen;
        ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), 1, k->RekordBiezacy));
        // The indicator window visible and not active: the refresh updates it.
        wykres.UAktualnicWykres(*k, panel, ocena, false, ZrodloAktualizacji::OdswiezenieWezla);
    };
    glebokosc = 1;
    wykres.Horyzont = 1;
    const WidokWykresu& w = wykres.UAktualnicWykres(*k, panel, ocena, true);
    EXPECT_EQ(odswiezen, 1);
    EXPECT_EQ(w.Punkty, od(2009, {1, 2, 3, 11, 12, 13}));
    // Started by the refresh, the update does not run it again.
    wykres.UAktualnicWykres(*k, panel, ocena, false, ZrodloAktualizacji::OdswiezenieWezla);
    EXPECT_EQ(odswiezen, 1);
    EXPECT_EQ(wykres.Widok.Punkty.size(), 6u);
}

TEST_F(Wykres, ToggledTwiceIsHiddenWithTheHintEnabled) {
    lancuch();
    panel.TekstListy.clear();
    const WidokWykresu& w = wykres.UAktualnicWykres(*k, panel, ocena, true);
    EXPECT_TRUE(w.Widoczny);
    EXPECT_TRUE(w.HoryzontWlaczony);
    EXPECT_TRUE(w.TypWlaczony);
    EXPECT_FALSE(w.PodpowiedzWlaczona);
    EXPECT_EQ(w.Tytul, std::vector<std::string>{NazwaNiezdefiniowana});
    EXPECT_EQ(w.TytulOsi, TytulOsiLat);
    wykres.UAktualnicWykres(*k, panel, ocena, true);
    EXPECT_FALSE(w.Widoczny);
    EXPECT_FALSE(w.HoryzontWlaczony);
    EXPECT_FALSE(w.TypWlaczony);
    EXPECT_TRUE(w.PodpowiedzWlaczona);
    EXPECT_LT(w.Punkty.size(), 2u);
    for (const PunktWykresu& pt : w.Punkty) EXPECT_LT(std::abs(pt.Y), 1e30);
    // Without both first boxes the toggle does nothing.
    panel.Mianownik.Pierwsza.reset();
    wykres.UAktualnicWykres(*k, panel, ocena, true);
    EXPECT_FALSE(w.Widoczny);
}

TEST_F(Wykres, ABrokenChainEndsTheWalkWithAMessage) {
    struct Przypadek {
        const char* nazwa;
        std::vector<StanModelu> rekordy;
        int wezel;
        std::vector<double> punkty;
    };
    const Przypadek przypadki[] = {
        {"missing parent", {rekord(0, 0, 1), rekord(2, 7, 21)}, 2, {21, 22, 23}},
        {"parent cycle", {rekord(0, 0, 1), rekord(1, 2, 11), rekord(2, 1, 21)}, 2, {11, 12, 13, 21, 22, 23}},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        plik(p.rekordy);
        const WidokWykresu& w = pokaz(p.wezel, 2);
        ASSERT_EQ(w.Punkty.size(), p.punkty.size());
        for (std::size_t i = 0; i < p.punkty.size(); ++i) EXPECT_EQ(w.Punkty[i].Y, p.punkty[i]);
        EXPECT_EQ(w.Punkty.back().X, 2012 + 3 * p.wezel - 1);
        EXPECT_EQ(w.Komunikaty.size(), 1u);
    }
    // More records than the chart draws: the nearest it draws, no message.
    std::vector<StanModelu> dlugi{rekord(0, 0, 1)};
    for (int n = 1; n <= 11; ++n) dlugi.push_back(rekord(n, n - 1, 10 * n));
    plik(dlugi);
    WynikSerii s = SeriaWskaznika(*k, panel, dlugi.back());
    EXPECT_EQ(s.Punkty.size(), 30u);
    EXPECT_EQ(s.Punkty.front(), 20);
    EXPECT_FALSE(s.Niepelna);
    s = SeriaWskaznika(*k, panel, dlugi.back(), 1);
    EXPECT_EQ(s.Punkty, (std::vector<double>{110, 111, 112}));
    EXPECT_TRUE(s.Komunikat.empty());
}

TEST_F(Wykres, AnUnknownPositionDrawsNothing) {
    lancuch();
    panel.Mianownik.Pierwsza = PozycjaWskaznika{Decyzje, "nic takiego"};
    const WidokWykresu& w = pokaz(1, 1);
    EXPECT_LT(w.Punkty.size(), 2u);
    for (const PunktWykresu& pt : w.Punkty) EXPECT_LT(std::abs(pt.Y), 1e30);
    EXPECT_EQ(w.Komunikaty, std::vector<std::string>{"nieznana pozycja: nic takiego"});
}

TEST_F(Wykres, SimulatedRecordsOfRootAndChild) {
    const StanModelu korzen = k->RekordBiezacy;
    k->WezelBazowy.NumerTekst = "0";
    k->WezelDoEdycji.NumerTekst = "0";
    ASSERT_TRUE(NowyWezel(*k, 1));
    ASSERT_TRUE(SymulujWezel(*k));
    StanModelu dziecko;
    ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), 1, dziecko));
    panel.Licznik = StronaWskaznika{PozycjaWskaznika{"Zapasy", "white: zapas surowca"}, "", std::nullopt};
    const WidokWykresu& w = pokaz(1, 1);
    ASSERT_EQ(w.Punkty.size(), 6u);
    for (int y = 1; y <= 3; ++y) {
        bool zero = false;
        std::string n;
        EXPECT_EQ(w.Punkty[static_cast<std::size_t>(y - 1)].Y, WartoscRoku(panel, korzen, y, zero, n));
        EXPECT_EQ(w.Punkty[static_cast<std::size_t>(y + 2)].Y, WartoscRoku(panel, dziecko, y, zero, n));
        EXPECT_EQ(w.Punkty[static_cast<std::size_t>(y + 2)].X, dziecko.Rok() - 4 + y);
    }
    EXPECT_EQ(w.Punkty.front().X, 2009);
}

}  // namespace
}  // namespace vesk
