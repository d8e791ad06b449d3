// On a simulated operator every read-out whose report exists gives the
// number the report prints: the report's text rounds the finished value to
// the 6-byte grid and prints it with one decimal (ratios with two).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "../reports/PomocRaportow.h"
#include "Odczyty.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "Pomocnicze.h"
#include "PozycjaBilansu.h"
#include "RaportBIK.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportSRE.h"
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"
#include "Real48.h"

namespace vesk {
namespace {

using test::Grupa;
using test::LinieWyniku;
using test::Pole;
using S = std::vector<std::string>;

std::string Druk(double v, int miejsca = 1) { return test::Przytnij(RealNaTekst(roundToReal48(v), 8, miejsca)); }
S Druk3(const std::function<double(int)>& f) { return {Druk(f(1)), Druk(f(2)), Druk(f(3))}; }

using Odczyt_ = std::function<double(Kontekst&, int)>;  // year, or 1 node and 2 path
struct Wiersz {
    int linia, kolumna, ile;
    Odczyt_ odczyt;
};
struct Wydruk {
    const char* ext;
    bool (*tworz)(Kontekst&, const std::string&);
    std::vector<Wiersz> wiersze;
};

Wydruk Wskazniki_(const char* ext, bool (*tworz)(Kontekst&, const std::string&), Wskazniki g, std::vector<int> linie) {
    Wydruk w{ext, tworz, {}};
    for (int i = 0; i < static_cast<int>(linie.size()); ++i)
        w.wiersze.push_back({linie[static_cast<std::size_t>(i)], 46, 3, [g, i](Kontekst& k, int rok) {
                                 return WartoscWskaznika(k.RekordBiezacy, g, i + 1, rok);
                             }});
    return w;
}

std::vector<Wydruk> Wydruki() {
    std::vector<Wydruk> w{Wskazniki_("PLY", Raport_PLY_Tworz, Wskazniki::Plynnosci, {12, 15, 18}),
                          Wskazniki_("ZAD", Raport_ZAD_Tworz, Wskazniki::Zadluzenia, {12, 15, 18}),
                          Wskazniki_("REN", Raport_REN_Tworz, Wskazniki::Rentownosci, {13, 15, 17, 19}),
                          Wskazniki_("AKT", Raport_AKT_Tworz, Wskazniki::Obrotowosci, {12, 15, 18}),
                          {"PRF", Raport_PRF_Tworz, {{56, 57, 3, [](Kontekst& k, int rok) {
                               return WartoscRachunkuWynikow(k.RekordBiezacy, 13, 1, rok);  // the statement in stages
                           }}}},
                          {"SRE", Raport_SRE_Tworz, {}}};
    for (int i = 1; i <= LiczbaPozycjiSRE; ++i)  // the text leaves out one line before the items
        w.back().wiersze.push_back({PozycjeSRE()[static_cast<std::size_t>(i - 1)].liniaTekstu - 1, 31, 2,
                                    [i](Kontekst& k, int rodzaj) { return WartoscWynikuSyntetycznego(k, i, rodzaj); }});
    return w;
}

// Every price of years 1..3 whose bit is set in lata (1, 2, 4).
void Ceny(ZmienneModelu& m, long double cena, int lata) {
    for (int rok = 1; rok <= 3; ++rok)
        for (int i = 1; i <= 3; ++i)
            if (lata & (1 << (rok - 1))) m.DecyzjeCen[rok][i] = cena;
}

struct Operator : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();
    const StanModelu& r() const { return k->RekordBiezacy; }

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
        dziecko("0", [](ZmienneModelu& m) {
            for (int rok = 1; rok <= 3; ++rok) {
                m.DecyzjeCen[rok][1] = 0.27L;
                m.DecyzjeProdukcji[rok][2] = 450;
            }
        });
        dziecko("1", [](ZmienneModelu& m) { m.EmisjaAkcji[2] = 5; });
        ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), 2, k->RekordBiezacy));
        k->NumerWezla = 2;
    }
    void dziecko(const char* rodzic, const std::function<void(ZmienneModelu&)>& zmien) {
        k->WezelBazowy.NumerTekst = rodzic;
        k->WezelDoEdycji.NumerTekst = rodzic;
        ASSERT_TRUE(NowyWezel(*k, 1));
        OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        zmien(k->m);
        ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        ASSERT_TRUE(SymulujWezel(*k));
    }
    std::vector<std::string> raport(bool (*tworz)(Kontekst&, const std::string&), const char* nazwa) {
        const std::string plik = dir.file(nazwa);
        EXPECT_TRUE(tworz(*k, plik));
        return LinieWyniku(plik);
    }
};

TEST_F(Operator, IncomeStatementAsPrinted) {
    const auto t = raport(Raport_PRF_Tworz, "firma.PRF");
    auto prf = [](int n) { return static_cast<std::size_t>(59 + n - 1); };
    ASSERT_GT(t.size(), prf(39));
    EXPECT_EQ(Grupa(t[prf(34)], 31), Druk3([&](int y) { return WartoscRachunkuWynikow(r(), 13, 1, y); }));
    EXPECT_EQ(Grupa(t[prf(39)], 31), Druk3([&](int y) { return WartoscRachunkuWynikow(r(), 16, 1, y); }));
    EXPECT_EQ(Grupa(t[prf(39)], 88), Druk3([&](int y) { return WartoscRachunkuWynikow(r(), 7, 2, y); }));
    EXPECT_EQ(Grupa(t[prf(32)], 31), Druk3([&](int y) { return WartoscRachunkuWynikow(r(), 12, 1, y); }));
}

TEST_F(Operator, ProductionAndInventoriesAsPrinted) {
    const auto p = raport(Raport_PRO_Tworz, "firma.PRO");
    ASSERT_GT(p.size(), 21u);
    EXPECT_EQ(Grupa(p[13], 31), Druk3([&](int y) { return WartoscProdukcji(r(), 1, 1, y); }));
    EXPECT_EQ(Grupa(p[20], 31), Druk3([&](int y) { return WartoscProdukcji(r(), 5, 1, y); }));
    EXPECT_EQ(Grupa(p[20], 88), Druk3([&](int y) { return WartoscProdukcji(r(), 11, y); }));
    const auto z = raport(Raport_ZAO_Tworz, "firma.ZAO");
    ASSERT_GT(z.size(), 21u);
    EXPECT_EQ(Grupa(z[14], 88), Druk3([&](int y) { return WartoscZapasow(r(), 2, 2, y); }));
    EXPECT_EQ(Grupa(z[21], 31), Druk3([&](int y) { return WartoscZapasow(r(), 9, y); }));
}

TEST_F(Operator, BalanceSheetAsPrinted) {
    // Read before the report closes the record itself.
    auto kolumny = [&](int wiersz, int pierwsza) {
        return Druk3([&, wiersz, pierwsza](int y) { return KomorkaBilansu(r(), wiersz, pierwsza + y - 1); });
    };
    const S majatek = kolumny(1, 1), naleznosci = kolumny(14, 1), kapital = kolumny(1, 4), suma = kolumny(14, 4);
    const S krotkie = Druk3([&](int y) { return WartoscBilansu(r(), 11, 2, y); });
    const auto t = raport(Raport_BIK_Tworz, "firma.BIK");
    auto bik = [](int n) { return static_cast<std::size_t>(n - (n > 13) - (n > 20) - 1); };
    auto bil = [](int n) { return static_cast<std::size_t>(70 + 88 + n - 1); };
    ASSERT_GT(t.size(), bil(38));
    EXPECT_EQ(Grupa(t[bik(12)], 49), majatek);
    EXPECT_EQ(Grupa(t[bik(30)], 49), naleznosci);
    EXPECT_EQ(Grupa(t[bik(47)], 49), kapital);
    EXPECT_EQ(Grupa(t[bik(70)], 49), suma);
    EXPECT_EQ(Grupa(t[bil(33)], 88), krotkie);
}

TEST_F(Operator, SyntheticResultAsPrinted) {
    const auto t = raport(Raport_SRE_Tworz, "firma.SRE");
    // Two decimals; the text leaves out one line before the items.
    const auto linia = static_cast<std::size_t>(PozycjeSRE()[1].liniaTekstu - 2);
    ASSERT_GT(t.size(), linia);
    EXPECT_EQ(Pole(t[linia], 31, 8), Druk(WartoscWynikuSyntetycznego(*k, 2, 1), 2));
    EXPECT_EQ(Pole(t[linia], 41, 8), Druk(WartoscWynikuSyntetycznego(*k, 2, 2), 2));
    EXPECT_NE(WartoscWynikuSyntetycznego(*k, 2, 2), BrakWartosci);
}

// On a tree with profit and loss years every ratio the ratio reports and
// the synthetic result (node and path) print, and the statement's net
// profit, is its read-out to half a unit of the printed last decimal.
TEST_F(Operator, EveryPrintedRatioAndNetProfitIsItsReadOut) {
    // Node 3 prices cut to a loss, 4 under 3 raised again with much debt and
    // a share issue, 5 under 4 a loss in year 2 only.
    dziecko("0", [](ZmienneModelu& m) { Ceny(m, 0.06L, 7); });
    dziecko("3", [](ZmienneModelu& m) { Ceny(m, 0.45L, 7), m.DecyzjeZadluzenia[1] = 0.9L, m.EmisjaAkcji[1] = 20; });
    dziecko("4", [](ZmienneModelu& m) { Ceny(m, 0.06L, 2); });
    int porownanych = 0, strat = 0;
    for (int n = 0; n <= 5; ++n)
        for (const Wydruk& w : Wydruki()) {
            if (n == 0 && std::string(w.ext) == "SRE") continue;  // the root has no path
            ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), static_cast<std::uint8_t>(n), k->RekordBiezacy));
            k->NumerWezla = static_cast<std::uint8_t>(n);
            std::vector<double> odczyty;
            for (const Wiersz& c : w.wiersze)
                for (int j = 1; j <= c.ile; ++j) odczyty.push_back(c.odczyt(*k, j));
            const auto t = raport(w.tworz, (std::to_string(n) + "." + w.ext).c_str());
            auto v = odczyty.begin();
            for (const Wiersz& c : w.wiersze)
                for (int j = 0; j < c.ile; ++j, ++v) {
                    const std::string druk = Pole(t.at(static_cast<std::size_t>(c.linia - 1)), c.kolumna + 10 * j, 8);
                    SCOPED_TRACE(std::string(w.ext) + " node " + std::to_string(n) + " line " +
                                 std::to_string(c.linia) + ": '" + druk + "' read " + std::to_string(*v));
                    ASSERT_TRUE(std::isfinite(*v));
                    if (druk == "b.d.") continue;  // no divisor
                    const auto kropka = druk.find('.');
                    const double miejsc =
                        kropka == std::string::npos ? 0 : static_cast<double>(druk.size() - kropka - 1);
                    EXPECT_LE(std::fabs(std::stod(druk) - *v), 0.5000001 * std::pow(10.0, -miejsc));
                    ++porownanych;
                    strat += std::string(w.ext) == "PRF" && *v < 0;
                }
        }
    EXPECT_GT(porownanych, 300);
    EXPECT_GT(strat, 2);  // the ratios of loss years are among them
}

}  // namespace
}  // namespace vesk
