// The four ratio reports, table-driven: each ratio's text line and page
// line, two decimals, the liquidity report's shorter line capacity, and the
// pending flag.
#include "RaportyWskaznikow.h"

#include <gtest/gtest.h>

#include "PomocRaportow.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::Grupa;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::SrodowiskoRaportu;

using S = std::vector<std::string>;

struct Przypadek {
    const char* EXT;
    bool (*raport)(Kontekst&);
    bool FlagiWynikow_t::*flaga;
    std::vector<PoleRoku> pola;
    std::vector<int> linieTekstu;
    int liniaLat;  // the page's year line; the ratios follow it
    std::size_t liniiStrony;
    std::size_t znakow;
};

std::vector<Przypadek> Przypadki() {
    return {
        {"PLY", Raport_PLY, &FlagiWynikow_t::PLY, {KapitalObrotowy, WskaznikBiezacejPlynnosci, WskaznikSzybkiejPlynnosci}, {12, 15, 18}, 19, 24, 150},
        {"ZAD", Raport_ZAD, &FlagiWynikow_t::ZAD, {WskaznikZadluzeniaOgolnego, WskaznikZadluzeniaKapitaluWlasnego, WskaznikPokryciaOdsetek}, {12, 15, 18}, 18, 23, 255},
        {"REN", Raport_REN, &FlagiWynikow_t::REN, {RentownoscAktywow, RentownoscMajatkuTrwalego, RentownoscSprzedazy, RentownoscKapitaluWlasnego}, {13, 15, 17, 19}, 18, 24, 255},
        {"AKT", Raport_AKT, &FlagiWynikow_t::AKT, {RotacjaZapasow, RotacjaMajatkuTrwalego, RotacjaAktywow}, {12, 15, 18}, 18, 23, 255},
    };
}

// Every denominator of a ratio 1: the stored ratios have their divisors.
void Dzielniki(SrodowiskoRaportu& r) {
    for (PoleRoku d : {SumaPasywow, SumaAktywow, KapitalWlasny, KosztyFinansowe, Zobowiazania, SrodkiTrwale})
        r.ustawWszystkie(d, 1.0L);
}

// The profitability ratios are formed from the income statement's net
// profit: 1 in every year, over denominators that give ratio i of year y.
void Rentownosci(SrodowiskoRaportu& r) {
    r.ustawWszystkie(KosztyFinansowe, 0.0L);
    for (int y = 1; y <= 3; ++y) {
        auto d = [&](int i) { return 1.0L / (static_cast<long double>(i) + y / 10.0L + 0.05L); };
        r.ustaw(SumaAktywow, y, d(1));
        r.ustaw(SrodkiTrwale, y, d(2));
        r.ustaw(PrzychodyZeSprzedazy, y, d(3));
        r.ustaw(ZmianaStanuProduktow, y, 1.0L - r.odczyt(PrzychodyZeSprzedazy, y));
        r.ustaw(KapitalWlasny, y, d(4));
    }
}

std::string Liczba(int wskaznik, int rok) {
    return std::to_string(wskaznik) + "." + std::to_string(rok) + "5";
}

TEST(RaportyWskaznikow, EachRatioStandsOnItsLinesWithTwoDecimals) {
    for (const Przypadek& p : Przypadki()) {
        SCOPED_TRACE(p.EXT);
        SrodowiskoRaportu r;
        // Ratio i of year y: i.y5, exact in two decimals.
        Dzielniki(r);
        for (std::size_t i = 0; i < p.pola.size(); ++i)
            for (int y = 1; y <= 3; ++y)
                r.ustaw(p.pola[i], y, static_cast<long double>(i + 1) + y / 10.0L + 0.05L);
        if (std::string(p.EXT) == "REN") Rentownosci(r);
        ASSERT_TRUE(p.raport(r.k));
        EXPECT_FALSE(r.k.FlagiWynikow.*p.flaga);
        auto t = LinieWyniku(r.wyjscie(std::string("firma.") + p.EXT));
        auto h = LinieWyniku(r.wyjscie(std::string("firma.") + p.EXT + ".html"));
        ASSERT_EQ(t.size(), 21u);
        ASSERT_EQ(h.size(), p.liniiStrony);
        EXPECT_EQ(test::SprawdzHtml(r.tmp.read(std::string("OPER/firma.") + p.EXT + ".html")), "");
        EXPECT_EQ((S{test::Pole(t[9 - 1], 48, 5), test::Pole(t[9 - 1], 68, 5)}), (S{"2009", "2011"}));
        EXPECT_EQ(KomorkiHtml(h[static_cast<std::size_t>(p.liniaLat - 1)]), (S{"2009", "2010", "2011"}));
        auto wzorzec = LinieWyniku(r.tmp.file(std::string("TABWZOR/QAD.") + p.EXT));
        for (int n = 3; n <= 21; ++n) {
            auto w = std::find(p.linieTekstu.begin(), p.linieTekstu.end(), n);
            const std::string& l = t[static_cast<std::size_t>(n - 1)];
            if (n == 9) continue;
            if (w == p.linieTekstu.end()) {
                EXPECT_EQ(l, wzorzec[static_cast<std::size_t>(n - 1)]) << n;
                continue;
            }
            const int i = static_cast<int>(w - p.linieTekstu.begin()) + 1;
            EXPECT_EQ(Grupa(l, 46), (S{Liczba(i, 1), Liczba(i, 2), Liczba(i, 3)})) << n;
            EXPECT_EQ(KomorkiHtml(h[static_cast<std::size_t>(p.liniaLat + i - 1)]),
                      (S{Liczba(i, 1), Liczba(i, 2), Liczba(i, 3)}));
        }
    }
}

TEST(RaportyWskaznikow, ARatioOfOneAndAHalfFillsColumns46To53) {
    SrodowiskoRaportu r;
    Dzielniki(r);
    r.ustaw(WskaznikBiezacejPlynnosci, 1, 1.5L);
    r.ustaw(WskaznikBiezacejPlynnosci, 2, -12345.67L);
    r.ustaw(WskaznikBiezacejPlynnosci, 3, -1234567.89L);
    ASSERT_TRUE(Raport_PLY(r.k));
    auto t = LinieWyniku(r.wyjscie("firma.PLY"));
    EXPECT_EQ(t[15 - 1].substr(45, 8), "    1.50");
    // A value wider than its field drops decimals to fit it, rather than run into the next.
    EXPECT_EQ(t[15 - 1].substr(55, 18), "-12345.7  -1234568");
}

TEST(RaportyWskaznikow, AQuotientWithoutADivisorReadsAsSuchInTextAndPage) {
    SrodowiskoRaportu r;  // no revenue, no assets, no equity
    r.ustawWszystkie(ZmianaStanuProduktow, -0.5L);
    r.ustawWszystkie(RentownoscSprzedazy, -0.5L * 1.0E7L);
    ASSERT_TRUE(Raport_REN(r.k));
    EXPECT_EQ(Grupa(LinieWyniku(r.wyjscie("firma.REN"))[17 - 1], 46), (S{"b.d.", "b.d.", "b.d."}));
    EXPECT_EQ(KomorkiHtml(LinieWyniku(r.wyjscie("firma.REN.html"))[21 - 1]), (S{"b.d.", "b.d.", "b.d."}));
}

TEST(RaportyWskaznikow, HeaderLinesAreCutAtTheReportsLineCapacity) {
    for (const Przypadek& p : Przypadki()) {
        SCOPED_TRACE(p.EXT);
        SrodowiskoRaportu r;
        r.k.KatalogOperatora = r.tmp.folder() + "OPER/" + std::string(120, 'k') + "/";
        std::filesystem::create_directories(r.k.KatalogOperatora);
        ASSERT_TRUE(p.raport(r.k));
        auto t = LinieWyniku(r.k.KatalogOperatora + "firma." + p.EXT);
        const std::string pelny = "Plik stanu modelu: " + r.k.KatalogOperatora + "firma.qad";
        ASSERT_GT(pelny.size(), 150u);
        EXPECT_EQ(t[0], pelny.substr(0, p.znakow));
    }
}

TEST(RaportyWskaznikow, WhileNotPendingBothFilesStayAsTheyWere) {
    for (const Przypadek& p : Przypadki()) {
        SCOPED_TRACE(p.EXT);
        SrodowiskoRaportu r;
        const std::string nazwa = std::string("OPER/firma.") + p.EXT;
        r.tmp.write(nazwa, "dawny\r\n");
        r.tmp.write(nazwa + ".html", "dawna\r\n");
        r.k.FlagiWynikow.*p.flaga = false;
        EXPECT_FALSE(p.raport(r.k));
        EXPECT_EQ(r.tmp.read(nazwa), "dawny\r\n");
        EXPECT_EQ(r.tmp.read(nazwa + ".html"), "dawna\r\n");
    }
}

}  // namespace
}  // namespace vesk
