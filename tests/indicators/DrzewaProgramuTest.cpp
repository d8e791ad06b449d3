// The nine shipped statement trees: code page 1250 with one tab per level
// and CR LF; every label a position of its source (or one of the two
// unlabelled balance rows, or "jedynka"), every position once; and each
// node's number, which the window's hint line uses as the read-out item,
// reads with the language's numbering the value the position lookup gives.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "DrzewoPozycji.h"
#include "Odczyty.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "PomocWskaznikow.h"
#include "PozycjaBilansu.h"
#include "PozycjeSprawozdan.h"
#include "Real48.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::P;

std::string Katalog() { return std::string(VESK_DATA_DIR) + "PROGRAM/"; }

// The read-out of the hint line "odczyt ... N ..." of a source in year rok.
using OdczytJezyka = std::function<double(const StanModelu&, int, int)>;
std::map<std::string, OdczytJezyka> OdczytyPodpowiedzi() {
    return {
        {"Bilans Aktywa", [](const StanModelu& r, int n, int y) { return WartoscBilansu(r, n, 1, y); }},
        {"Bilans Pasywa", [](const StanModelu& r, int n, int y) { return WartoscBilansu(r, n, 2, y); }},
        {P("Rachunek Wyników Koszty i Straty"),
         [](const StanModelu& r, int n, int y) { return WartoscRachunkuWynikow(r, n, 1, y); }},
        {P("Rachunek Wyników Przychody i Zyski"),
         [](const StanModelu& r, int n, int y) { return WartoscRachunkuWynikow(r, n, 2, y); }},
        {P("Płynność Finansowa Przedsiębiorstwa"),
         [](const StanModelu& r, int n, int y) { return WartoscCashFlow(r, n, y); }},
        {"Produkcja", [](const StanModelu& r, int n, int y) { return WartoscProdukcji(r, n, y); }},
        {"Zapasy", [](const StanModelu& r, int n, int y) { return WartoscZapasow(r, n, y); }},
        {"Koszty", [](const StanModelu& r, int n, int y) { return WartoscKosztow(r, n, y); }},
        {"Zmienne decyzyjne", [](const StanModelu& r, int n, int y) { return WartoscDecyzji(r, n, y); }},
    };
}

// The language's item N of a source as (selector, item) of the lookup.
std::pair<int, int> NumeracjaJezyka(const std::string& zrodlo, int n) {
    if (zrodlo == "Koszty") return n <= 12 ? std::pair{1, n} : std::pair{2, n - 12};
    if (zrodlo == "Produkcja") {
        if (n <= 3) return {1, n};
        if (n <= 6) return {2, n - 3};
        if (n <= 9) return {1, n - 3};
        return {2, n - 6};
    }
    if (zrodlo == "Zapasy") {
        if (n <= 3) return {1, n};
        if (n <= 6) return {2, n - 3};
        return {1, n - 3};
    }
    return {-1, n};  // one numbering: the item alone
}

// True when the bytes hold a complete multi-byte UTF-8 sequence.
bool MaSekwencjeUtf8(const std::string& s) {
    auto ciag = [&](std::size_t i) { return i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80; };
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto a = static_cast<unsigned char>(s[i]);
        const std::size_t dalszych = a >= 0xC2 && a <= 0xDF ? 1 : a >= 0xE0 && a <= 0xEF ? 2 : a >= 0xF0 && a <= 0xF4 ? 3 : 0;
        if (dalszych == 0) continue;
        bool wszystkie = true;
        for (std::size_t j = 1; j <= dalszych; ++j) wszystkie = wszystkie && ciag(i + j);
        if (wszystkie) return true;
    }
    return false;
}

TEST(ProgramTrees, BytesAreCp1250WithOneTabPerLevelAndCrLf) {
    for (const auto& z : ZrodlaWskaznikow()) {
        SCOPED_TRACE(z.Rdzen);
        std::ifstream in(Katalog() + z.Rdzen + ".tre", std::ios::binary);
        const std::string bajty((std::istreambuf_iterator<char>(in)), {});
        ASSERT_FALSE(bajty.empty());
        EXPECT_FALSE(MaSekwencjeUtf8(bajty));
        EXPECT_TRUE(MaSekwencjeUtf8("\xC5\x82"));  // the check itself: UTF-8 "l" with stroke
        EXPECT_EQ(bajty.substr(bajty.size() - 2), "\r\n");
        std::size_t poczatek = 0;
        while (poczatek < bajty.size()) {
            const std::size_t koniec = bajty.find('\n', poczatek);
            ASSERT_NE(koniec, std::string::npos);
            ASSERT_GT(koniec, poczatek);
            EXPECT_EQ(bajty[koniec - 1], '\r');
            const std::string linia = bajty.substr(poczatek, koniec - 1 - poczatek);
            const std::size_t tekst = linia.find_first_not_of('\t');
            ASSERT_NE(tekst, std::string::npos);
            EXPECT_NE(linia[tekst], ' ') << linia;
            EXPECT_NE(linia.back(), ' ') << linia;
            poczatek = koniec + 1;
        }
    }
}

TEST(ProgramTrees, LabelsAreTheSourcesPositionsEachOnceInTheLanguagesOrder) {
    std::size_t wszystkich = 0;
    for (const auto& z : ZrodlaWskaznikow()) {
        SCOPED_TRACE(z.Rdzen);
        const WczytaneDrzewo w = WczytajDrzewo(Katalog() + z.Rdzen + ".tre");
        ASSERT_EQ(w.Blad, "");
        std::multiset<std::string> etykiety;
        for (std::size_t i = 0; i < w.Drzewo.Wezly.size(); ++i) {
            const int n = static_cast<int>(i) + 1;
            const std::string& e = w.Drzewo.Wezly[i].Tekst;
            etykiety.insert(e);
            const PozycjaTabeli* p = ZnajdzPozycje({z.Nazwa, e});
            ASSERT_NE(p, nullptr) << e;
            if (p->Rodzina == RodzinaOdczytu::Jedynka) {
                EXPECT_EQ(n, static_cast<int>(w.Drzewo.Wezly.size()));  // the last node
                continue;
            }
            const auto [selektor, numer] = NumeracjaJezyka(z.Nazwa, n);
            EXPECT_EQ(p->Numer, numer) << e;
            if (selektor > 0) {
                EXPECT_EQ(p->Selektor, selektor) << e;
            }
        }
        for (const PozycjaTabeli& p : TabelaPozycji())
            if (p.Pozycja.Zrodlo == z.Nazwa) {
                EXPECT_EQ(etykiety.count(p.Pozycja.Etykieta), 1u) << p.Pozycja.Etykieta;
                ++wszystkich;
            }
    }
    EXPECT_EQ(wszystkich, 134u);  // 133 positions and "jedynka"
}

struct ProgramTreesOnNodes : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();
    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
    }
    void Dziecko() {
        k->WezelBazowy.NumerTekst = "0";
        k->WezelDoEdycji.NumerTekst = "0";
        ASSERT_TRUE(NowyWezel(*k, 1));
        OdtworzDecyzjeZeStanu(k->RekordBiezacy, k->m);
        for (int rok = 1; rok <= 3; ++rok) {
            k->m.DecyzjeCen[rok][2] = k->m.DecyzjeCen[rok][2] * 1.1L;
            k->m.DecyzjeProdukcji[rok][1] = k->m.DecyzjeProdukcji[rok][1] + 50;
        }
        k->m.EmisjaAkcji[2] = 5;
        ZapiszDecyzjeDoStanu(k->m, k->RekordBiezacy);
        ASSERT_TRUE(SymulujWezel(*k));
    }
    void Porownaj(const StanModelu& r) {
        const auto odczyty = OdczytyPodpowiedzi();
        int niezerowych = 0;
        for (const auto& z : ZrodlaWskaznikow()) {
            const WczytaneDrzewo w = WczytajDrzewo(Katalog() + z.Rdzen + ".tre");
            for (std::size_t i = 0; i < w.Drzewo.Wezly.size(); ++i) {
                const int n = static_cast<int>(i) + 1;
                const PozycjaWskaznika poz{z.Nazwa, w.Drzewo.Wezly[i].Tekst};
                const PozycjaTabeli* p = ZnajdzPozycje(poz);
                if (!p || p->Rodzina == RodzinaOdczytu::Jedynka) continue;
                for (int rok = 1; rok <= 3; ++rok) {
                    SCOPED_TRACE(poz.Etykieta + " year " + std::to_string(rok));
                    const auto wartosc = WartoscPozycji(r, poz, rok);
                    ASSERT_TRUE(wartosc);
                    double jezyk = odczyty.at(z.Nazwa)(r, n, rok);
                    // The language reads the loss of the liabilities negated.
                    if (std::string(z.Nazwa) == "Bilans Pasywa" && n == 7) jezyk = -jezyk;
                    // The balance cell of the lookup is rounded to the 6-byte real.
                    EXPECT_EQ(roundToReal48(jezyk), roundToReal48(*wartosc));
                    niezerowych += *wartosc != 0.0;
                }
            }
        }
        EXPECT_GT(niezerowych, 200);
    }
};

TEST_F(ProgramTreesOnNodes, HintItemReadsTheLookupsValueOnRootAndChild) {
    {
        SCOPED_TRACE("root");
        Porownaj(k->RekordBiezacy);
    }
    Dziecko();
    ASSERT_TRUE(ZnajdzStanModelu(*k, SciezkaPlikuStanu(*k), 1, k->RekordBiezacy));
    EXPECT_EQ(k->RekordBiezacy.Numer(), 1);
    EXPECT_EQ(k->RekordBiezacy.Symulowany(), 1);
    SCOPED_TRACE("child");
    Porownaj(k->RekordBiezacy);
}

}  // namespace
}  // namespace vesk
