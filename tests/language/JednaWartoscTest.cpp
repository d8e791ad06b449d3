// One figure, one value: on a tree whose nodes have profit and loss years,
// every ratio the ratio reports and the synthetic result print (node and
// path) and the statement's net profit are what the command language reads
// for them, to half a unit of the last printed decimal.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "../reports/PomocRaportow.h"
#include "Odczyty.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "RaportPRF.h"
#include "RaportSRE.h"
#include "RaportyWskaznikow.h"

namespace vesk {
namespace {

using Zmiana = std::function<void(ZmienneModelu&)>;

void Ceny(ZmienneModelu& m, long double cena) {
    for (int rok = 1; rok <= 3; ++rok)
        for (int i = 1; i <= 3; ++i) m.DecyzjeCen[rok][i] = cena;
}

// Node n + 1 under rodzic: prices cut to a loss and raised again, a high
// dividend, a share issue with much debt, a product left out.
const struct {
    const char* rodzic;
    Zmiana zmien;
} Wezly[] = {
    {"0", [](ZmienneModelu& m) { for (int r = 1; r <= 3; ++r) m.UdzialDywidendyZwyklej[r] = 0.6L; }},
    {"0", [](ZmienneModelu& m) { Ceny(m, 0.06L); }},
    {"2", [](ZmienneModelu& m) { Ceny(m, 0.45L); }},
    {"1", [](ZmienneModelu& m) {
         m.EmisjaAkcji[1] = 20;
         for (int r = 1; r <= 3; ++r) m.DecyzjeZadluzenia[r] = 0.9L, m.DecyzjeProdukcji[r][1] = 0;
     }},
    {"3", [](ZmienneModelu& m) { for (int i = 1; i <= 3; ++i) m.DecyzjeCen[2][i] = 0.06L; }},
};

// One printed number: its text line, its column, and its read-out.
struct Komorka {
    int linia, kolumna;
    std::function<double(Kontekst&)> odczyt;
};

struct Wydruk {
    const char* ext;
    bool (*tworz)(Kontekst&, const std::string&);
    std::vector<Komorka> komorki;
};

// Three years from column c, each 10 characters on.
void Lata(std::vector<Komorka>& w, int linia, int c, const std::function<double(Kontekst&, int)>& f) {
    for (int rok = 1; rok <= 3; ++rok)
        w.push_back({linia, c + 10 * (rok - 1), [f, rok](Kontekst& k) { return f(k, rok); }});
}

Wydruk Wskaznikowy(const char* ext, bool (*tworz)(Kontekst&, const std::string&), Wskazniki g,
                   std::vector<int> linie) {
    Wydruk w{ext, tworz, {}};
    for (std::size_t i = 0; i < linie.size(); ++i)
        Lata(w.komorki, linie[i], 46, [g, i](Kontekst& k, int rok) {
            return WartoscWskaznika(k.RekordBiezacy, g, static_cast<int>(i) + 1, rok);
        });
    return w;
}

std::vector<Wydruk> Wydruki(bool zSciezka) {
    std::vector<Wydruk> w = {
        Wskaznikowy("PLY", Raport_PLY_Tworz, Wskazniki::Plynnosci, {12, 15, 18}),
        Wskaznikowy("ZAD", Raport_ZAD_Tworz, Wskazniki::Zadluzenia, {12, 15, 18}),
        Wskaznikowy("REN", Raport_REN_Tworz, Wskazniki::Rentownosci, {13, 15, 17, 19}),
        Wskaznikowy("AKT", Raport_AKT_Tworz, Wskazniki::Obrotowosci, {12, 15, 18}),
        {"PRF", Raport_PRF_Tworz, {}},
    };
    // The statement in stages: net profit on line 56.
    Lata(w.back().komorki, 56, 57,
         [](Kontekst& k, int rok) { return WartoscRachunkuWynikow(k.RekordBiezacy, 13, 1, rok); });
    if (zSciezka) {  // the text leaves out one line before the items
        Wydruk sre{"SRE", Raport_SRE_Tworz, {}};
        for (int i = 1; i <= LiczbaPozycjiSRE; ++i)
            for (int rodzaj = 1; rodzaj <= 2; ++rodzaj)
                sre.komorki.push_back({PozycjeSRE()[static_cast<std::size_t>(i - 1)].liniaTekstu - 1,
                                       21 + 10 * rodzaj,
                                       [i, rodzaj](Kontekst& k) { return WartoscWynikuSyntetycznego(k, i, rodzaj); }});
        w.push_back(sre);
    }
    return w;
}

struct JednaWartosc : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
        for (const auto& w : Wezly) {
            k->WezelBazowy.NumerTekst = w.rodzic;
            k->WezelDoEdycji.NumerTekst = w.rodzic;
            ASSERT_TRUE(NowyWezel(*k, 1));
            OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
            w.zmien(k->m);
            ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
            ASSERT_TRUE(SymulujWezel(*k));
        }
    }
};

TEST_F(JednaWartosc, EveryPrintedRatioAndNetProfitIsItsReadOut) {
    int porownanych = 0, strat = 0, zyskow = 0;
    for (int n = 0; n <= static_cast<int>(std::size(Wezly)); ++n) {
        for (const Wydruk& w : Wydruki(n > 0)) {
            SCOPED_TRACE("node " + std::to_string(n) + " " + w.ext);
            ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), static_cast<std::uint8_t>(n), k->RekordBiezacy));
            k->NumerWezla = static_cast<std::uint8_t>(n);
            std::vector<double> odczyty;
            for (const Komorka& c : w.komorki) odczyty.push_back(c.odczyt(*k));
            const std::string plik = dir.file(std::to_string(n) + "." + w.ext);
            ASSERT_TRUE(w.tworz(*k, plik));
            const auto t = test::LinieWyniku(plik);
            for (std::size_t i = 0; i < w.komorki.size(); ++i) {
                const Komorka& c = w.komorki[i];
                ASSERT_LT(static_cast<std::size_t>(c.linia - 1), t.size());
                const std::string druk = test::Pole(t[static_cast<std::size_t>(c.linia - 1)], c.kolumna, 8);
                const std::string gdzie = "line " + std::to_string(c.linia) + " column " + std::to_string(c.kolumna) +
                                          ": '" + druk + "' read " + std::to_string(odczyty[i]);
                ASSERT_TRUE(std::isfinite(odczyty[i])) << gdzie;
                if (druk == "b.d.") continue;  // no divisor
                const auto kropka = druk.find('.');
                const int miejsc = kropka == std::string::npos ? 0 : static_cast<int>(druk.size() - kropka - 1);
                const double pol = 0.5 * std::pow(10.0, -miejsc) * (1 + 1e-9);
                EXPECT_LE(std::fabs(std::stod(druk) - odczyty[i]), pol) << gdzie;
                ++porownanych;
                if (std::string(w.ext) == "PRF") (odczyty[i] < 0 ? strat : zyskow) += 1;
            }
        }
    }
    EXPECT_GT(porownanych, 300);
    // Both kinds of year, so that the ratios of a loss are compared too.
    EXPECT_GT(strat, 2);
    EXPECT_GT(zyskow, 2);
}

}  // namespace
}  // namespace vesk
