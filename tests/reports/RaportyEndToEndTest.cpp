// All the reports of a simulated operator: every report writes its files,
// every value of a text report stands right-aligned in its own field, and
// every page is well-formed HTML.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <iterator>

#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "Pomocnicze.h"
#include "Real48.h"
#include "PomocRaportow.h"
#include "RaportBIK.h"
#include "RaportDEC.h"
#include "RaportINF.h"
#include "RaportKOS.h"
#include "RaportPRF.h"
#include "RaportPRO.h"
#include "RaportRAW.h"
#include "RaportSRE.h"
#include "RaportZAO.h"
#include "RaportyWskaznikow.h"
#include "SprawdzHtml.h"
#include "TempDir.h"

namespace vesk {
namespace {

struct Pole_ {
    int kolumna, szerokosc, miejsca;
};

// The fields a value row of a template fills.
std::vector<Pole_> polaWiersza(const CzescTekstu& c, const WierszTekstu& w) {
    const int W = c.W;
    auto grupa = [&](int start, int szer, int odstep, int miejsca) {
        return std::vector<Pole_>{{start, szer, miejsca}, {start + odstep, szer, miejsca},
                                  {start + 2 * odstep, szer, miejsca}};
    };
    std::vector<Pole_> pola;
    auto dodaj = [&](std::vector<Pole_> g) { pola.insert(pola.end(), g.begin(), g.end()); };
    switch (w.rodzaj) {
        case RodzajWiersza::Lata:
            dodaj(grupa(c.c1 + 2, W - 4, W + 1, 0));
            dodaj(grupa(c.c2 + 2, W - 4, W + 1, 0));
            break;
        case RodzajWiersza::Lata3:
        case RodzajWiersza::LataLewe:
            dodaj(grupa(c.c1 + 2, W - 4, W + 1, 0));
            break;
        case RodzajWiersza::Wiersz3L:
            dodaj(grupa(c.c1, W - 1, W + 1, w.miejsca));
            break;
        case RodzajWiersza::Wiersz3P:
            dodaj(grupa(c.c2, W - 1, W + 1, w.miejsca));
            break;
        case RodzajWiersza::Wiersz6:
            dodaj(grupa(c.c1, W - 1, W + 1, w.miejsca));
            dodaj(grupa(c.c2, W - 1, W + 1, w.miejsca));
            break;
        case RodzajWiersza::Cyfry6:  // one-character fields: "." or a digit
            for (int j = 0; j < 6; ++j) pola.push_back({c.c1 + 2 + (j / 2) * (W + 1) + (j % 2) * 4, 1, -1});
            break;
    }
    return pola;
}

// A schedule code: "." or one digit, a blank before it.
std::string bladKodu(const std::string& linia, const Pole_& p) {
    const auto i = static_cast<std::size_t>(p.kolumna - 1);
    if (linia.size() <= i) return "brak kodu";
    if (linia[i] != '.' && !std::isdigit(static_cast<unsigned char>(linia[i]))) return "kod '" + linia.substr(i, 1) + "'";
    if (linia[i - 1] != ' ') return "kod nie stoi osobno";
    return {};
}

// A number that fills its field from the right: digits, the given decimals,
// nothing of it spilling into the column after the field.
std::string bladPola(const std::string& linia, const Pole_& p) {
    const auto start = static_cast<std::size_t>(p.kolumna - 1);
    if (linia.size() < start + static_cast<std::size_t>(p.szerokosc)) return {};  // line too short: nothing written
    std::string pole = linia.substr(start, static_cast<std::size_t>(p.szerokosc));
    if (!std::isdigit(static_cast<unsigned char>(pole.back()))) return "pole '" + pole + "' nie konczy sie cyfra";
    std::string liczba = test::Przytnij(pole);
    auto kropka = liczba.find('.');
    int miejsca = kropka == std::string::npos ? 0 : static_cast<int>(liczba.size() - kropka - 1);
    if (miejsca != p.miejsca) return "pole '" + pole + "' ma " + std::to_string(miejsca) + " miejsc";
    for (std::size_t i = 0; i < liczba.size(); ++i) {
        char c = liczba[i];
        if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || (c == '-' && i == 0)))
            return "pole '" + pole + "' to nie liczba";
    }
    const std::size_t po = start + static_cast<std::size_t>(p.szerokosc);
    if (po < linia.size() && (std::isdigit(static_cast<unsigned char>(linia[po])) || linia[po] == '.'))
        return "liczba wychodzi poza pole '" + pole + "'";
    return {};
}

// Checks every value row of a description-written text report.
void sprawdzTekst(const std::string& plik, const OpisRaportu& opis) {
    auto linie = test::LinieWyniku(plik);
    std::size_t i = 0;
    for (const CzescTekstu& c : opis.czesci) {
        for (int linia = 1; linia <= c.ostatnia; ++linia) {
            if (linia >= 3 && std::count(c.pominiete.begin(), c.pominiete.end(), linia)) continue;
            ASSERT_LT(i, linie.size()) << plik << " konczy sie za wczesnie";
            const std::string& tekst = linie[i++];
            auto w = std::find_if(c.wiersze.begin(), c.wiersze.end(),
                                  [linia](const WierszTekstu& x) { return x.linia == linia; });
            if (w == c.wiersze.end()) continue;
            for (const Pole_& p : polaWiersza(c, *w)) {
                std::string blad = p.miejsca < 0 ? bladKodu(tekst, p) : bladPola(tekst, p);
                EXPECT_TRUE(blad.empty()) << plik << " " << c.wzorzec << ":" << linia << " kolumna " << p.kolumna
                                          << ": " << blad << "\n" << tekst;
            }
        }
    }
    EXPECT_EQ(i, linie.size()) << plik;
}

void sprawdzStrone(const std::string& plik) {
    std::ifstream in(plik, std::ios::binary);
    ASSERT_TRUE(in) << plik;
    std::string strona((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(test::SprawdzHtml(strona), "") << plik;
    // Every placeholder of a filled line got its number: no cell holds a bare "x".
    EXPECT_EQ(strona.find(">x<"), std::string::npos) << plik;
}

struct WszystkieRaporty : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
        // A child with dearer Alfa and a larger plan, a grandchild with a price cut.
        dziecko("0", [](ZmienneModelu& m) {
            for (int r = 1; r <= 3; ++r) {
                m.DecyzjeCen[r][1] = 0.27L;
                m.DecyzjeProdukcji[r][2] = 450;
                m.DecyzjeZakupuSurowcow[r][2] = 420;
            }
        });
        dziecko("1", [](ZmienneModelu& m) {
            for (int r = 1; r <= 3; ++r) m.DecyzjeCen[r][3] = 0.33L;
            m.EmisjaAkcji[2] = 5;
        });
    }

    void dziecko(const char* rodzic, const std::function<void(ZmienneModelu&)>& zmien) {
        k->WezelBazowy.NumerTekst = rodzic;
        k->WezelDoEdycji.NumerTekst = rodzic;
        ASSERT_TRUE(NowyWezel(*k, 1));
        OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        zmien(k->m);
        ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        ASSERT_TRUE(SymulujWezel(*k));
        ASSERT_FALSE(k->NierownowagaWPrzebiegu);
    }

    // As the main window's report commands: the node's record, its number,
    // the report made pending.
    void pokaz(int numer) {
        ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), static_cast<std::uint8_t>(numer), k->RekordBiezacy));
        k->NumerWezla = static_cast<std::uint8_t>(numer);
        k->FlagiWynikow.UstawWszystkie(true);
    }
    std::string plik(const std::string& nazwa) const { return dir.file(nazwa); }
};

TEST_F(WszystkieRaporty, EveryNodeWritesEveryReportAlignedAndWellFormed) {
    for (int numer : {0, 1, 2}) {
        SCOPED_TRACE("wezel " + std::to_string(numer));
        pokaz(numer);
        EXPECT_TRUE(Raport_BIK(*k));
        EXPECT_TRUE(Raport_RAW(*k));
        EXPECT_TRUE(Raport_PRF(*k));
        EXPECT_TRUE(Raport_ZAO(*k));
        EXPECT_TRUE(Raport_PRO(*k));
        EXPECT_EQ(Raport_SRE(*k), numer != 0);  // the root has no synthetic result
        EXPECT_TRUE(Raport_KOS(*k));
        EXPECT_TRUE(Raport_DEC(*k));
        EXPECT_TRUE(Raport_INF(*k));
        EXPECT_TRUE(Raport_PLY(*k));
        EXPECT_TRUE(Raport_ZAD(*k));
        EXPECT_TRUE(Raport_REN(*k));
        EXPECT_TRUE(Raport_AKT(*k));

        sprawdzTekst(plik("FIRMA.BIK"), OpisRaportuBIK());
        sprawdzTekst(plik("FIRMA.RAW"), OpisRaportuRAW());
        sprawdzTekst(plik("FIRMA.PRF"), OpisRaportuPRF(k->m.StawkaSkladekZUS));
        sprawdzTekst(plik("FIRMA.ZAO"), OpisRaportuZAO());
        sprawdzTekst(plik("FIRMA.PRO"), OpisRaportuPRO());
        sprawdzTekst(plik("FIRMA.KOS"), OpisRaportuKOS());
        sprawdzTekst(plik("FIRMA.DEC"), OpisRaportuDEC());
        sprawdzTekst(plik("FIRMA.INF"), OpisRaportuINF());
        sprawdzTekst(plik("FIRMA.ING"), OpisRaportuING());
        sprawdzTekst(plik("FIRMA.PLY"), OpisRaportuPLY());
        sprawdzTekst(plik("FIRMA.ZAD"), OpisRaportuZAD());
        sprawdzTekst(plik("FIRMA.REN"), OpisRaportuREN());
        sprawdzTekst(plik("FIRMA.AKT"), OpisRaportuAKT());
        for (const char* strona : {"FIRMA.BIK.html", "FIRMA.kap.html", "FIRMA.RAW.html", "FIRMA.PRF.html",
                                   "FIRMA.ZAO.html", "FIRMA.PRO.html", "FIRMA.KOS.html", "FIRMA.DEC.html",
                                   "FIRMA.ING.html", "FIRMA.PLY.html", "FIRMA.ZAD.html", "FIRMA.REN.html",
                                   "FIRMA.AKT.html"})
            sprawdzStrone(plik(strona));

        // The statement of NAME.INF is NAME.ING's, its last line left out.
        auto inf = test::LinieWyniku(plik("FIRMA.INF"));
        auto ing = test::LinieWyniku(plik("FIRMA.ING"));
        ASSERT_EQ(inf.size(), 89u);
        ASSERT_EQ(ing.size(), 55u);
        EXPECT_TRUE(std::equal(ing.begin(), ing.begin() + 54, inf.begin()));

        // The ratio reports print the record's ratio fields.
        for (const OpisRaportu* opis : {&OpisRaportuPLY(), &OpisRaportuZAD(), &OpisRaportuREN(), &OpisRaportuAKT()}) {
            auto linie = test::LinieWyniku(plik("FIRMA." + opis->EXT));
            for (const WierszTekstu& w : opis->czesci[0].wiersze) {
                if (w.rodzaj != RodzajWiersza::Wiersz3L) continue;
                for (int rok = 1; rok <= 3; ++rok)
                    EXPECT_EQ(linie[static_cast<std::size_t>(w.linia - 1)].substr(static_cast<std::size_t>(45 + 10 * (rok - 1)), 8),
                              RealNaTekst(roundToReal48(w.lewa(k->RekordBiezacy, rok)), 8, 2))
                        << opis->EXT << " " << w.linia << " rok " << rok;
            }
        }
        if (numer != 0) {
            auto linie = test::LinieWyniku(plik("FIRMA.SRE"));
            ASSERT_EQ(linie.size(), static_cast<std::size_t>(OstatniaLiniaSRE - 1));
            for (const PozycjaSRE& p : PozycjeSRE()) {
                const std::string& tekst = linie[static_cast<std::size_t>(p.liniaTekstu - (p.liniaTekstu > PominietaLiniaSRE ? 2 : 1))];
                for (int kolumna : {KolumnaSRE, KolumnaSRE + OdstepSRE + 1})
                    EXPECT_EQ(bladPola(tekst, {kolumna, OdstepSRE - 1, 2}), "") << p.liniaTekstu << "\n" << tekst;
            }
            sprawdzStrone(plik("FIRMA.SRE.html"));
        }
    }
}

TEST_F(WszystkieRaporty, HeadersNameTheStateFileAndTheNode) {
    pokaz(2);
    ASSERT_TRUE(Raport_ZAO(*k));
    auto linie = test::LinieWyniku(plik("FIRMA.ZAO"));
    ASSERT_GE(linie.size(), 2u);
    EXPECT_NE(linie[0].find(dir.folder() + "FIRMA.qad"), std::string::npos) << linie[0];
    EXPECT_EQ(linie[1].substr(linie[1].size() - 3), "  2");
    // The grandchild's years: 2015..2017.
    EXPECT_NE(std::string(std::istreambuf_iterator<char>(std::ifstream(plik("FIRMA.ZAO.html")).rdbuf()), {}).find("2017"),
              std::string::npos);
}

}  // namespace
}  // namespace vesk
