// The synthetic-result report: the walk from the current node up to the
// root, the averages over the path's records in the model-state file, the
// two outputs, and the paths that cannot be averaged.
#include "RaportSRE.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "PlikStanu.h"
#include "PomocRaportow.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::Pole;
using test::SrodowiskoRaportu;

using S = std::vector<std::string>;

// A node table of (slot, node, parent) entries.
struct Wpis {
    int slot, numer, rodzic;
};
ZESPOL Tabela(std::initializer_list<Wpis> wpisy) {
    ZESPOL t;
    t.Zajety[0] = true;
    t.Wpisy[0] = WpisWezla{0, 255, 2012, 1};
    for (const Wpis& w : wpisy) {
        t.Zajety[w.slot] = true;
        t.Wpisy[w.slot] = WpisWezla{static_cast<std::uint8_t>(w.numer), static_cast<std::uint8_t>(w.rodzic), 0, 1};
    }
    return t;
}

using Sciezka = std::optional<std::vector<int>>;
Sciezka Droga(std::vector<int> v) { return v; }

TEST(SciezkaDoKorzenia, ClimbsFromTheNodeToTheRootWhateverTheOrderOfTheSlots) {
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{5, 5, 0}}), 5), Droga({5, 0}));
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{4, 4, 0}, {12, 12, 4}}), 12), Droga({12, 4, 0}));
    // The node below its parent's slot, and above it.
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{1, 12, 4}, {30, 4, 0}}), 12), Droga({12, 4, 0}));
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{1, 4, 0}, {30, 12, 4}}), 12), Droga({12, 4, 0}));
    // The root alone.
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({}), 0), Droga({0}));
}

TEST(SciezkaDoKorzenia, HasNoLengthLimit) {
    // Nodes 1..12, each the child of the one before, node 1 below the root.
    ZESPOL t = Tabela({});
    for (int n = 1; n <= 12; ++n) {
        t.Zajety[n] = true;
        t.Wpisy[n] = WpisWezla{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n - 1), 0, 1};
    }
    EXPECT_EQ(SciezkaDoKorzenia(t, 12), Droga({12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
}

TEST(SciezkaDoKorzenia, EndsWithoutAPathWhenANodeIsMissingOrTheParentsRunInACircle) {
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({}), 12), std::nullopt);             // the node itself
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{12, 12, 4}}), 12), std::nullopt);  // its parent
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{7, 7, 8}, {8, 8, 7}}), 7), std::nullopt);
    EXPECT_EQ(SciezkaDoKorzenia(Tabela({{7, 7, 7}}), 7), std::nullopt);
    // A free slot holding the parent does not count.
    ZESPOL t = Tabela({{4, 4, 0}, {12, 12, 4}});
    t.Zajety[4] = false;
    EXPECT_EQ(SciezkaDoKorzenia(t, 12), std::nullopt);
}

// An operator whose state file holds the root, node 4 below it and node
// 12 below node 4; node 12 is the current node. Item i of node 4 holds
// 100i in every year, item i of node 12 holds 10i, 20i, 30i in years 1..3,
// so the average over the path of item i is (60i + 300i) / 6 = 60i.
struct Wynik : SrodowiskoRaportu {
    StanModelu wezel4, wezel12;

    Wynik() {
        StanModelu korzen;
        korzen.UstawNumer(0);
        korzen.UstawRodzica(255);
        korzen.UstawRok(2012);
        wezel4.UstawNumer(4);
        wezel4.UstawRok(2015);
        wezel12.UstawNumer(12);
        wezel12.UstawRodzica(4);
        wezel12.UstawRok(2018);
        for (int i = 1; i <= LiczbaPozycjiSRE; ++i) {
            const PoleRoku pole = PozycjeSRE()[static_cast<std::size_t>(i - 1)].pole;
            for (int y = 1; y <= 3; ++y) {
                Zapis(korzen, pole, y, 5000.0L);  // never averaged
                Zapis(wezel4, pole, y, 100.0L * i);
                Zapis(wezel12, pole, y, 10.0L * i * y);
            }
        }
        // The ratios print as the ratio reports do: the stored ones need
        // their divisors, and the returns on assets (item 6) and on sales
        // (item 7) come from the statement's net profit, here v7 x revenue.
        for (StanModelu* rec : {&korzen, &wezel4, &wezel12})
            for (int y = 1; y <= 3; ++y) {
                using namespace pola;
                Zapis(*rec, Zobowiazania, y, 1.0L);
                Zapis(*rec, SumaPasywow, y, 1.0L);
                const long double P = Odczyt(*rec, PrzychodyZeSprzedazy, y);
                const long double N = Odczyt(*rec, RentownoscSprzedazy, y) * P;
                Zapis(*rec, ZmianaStanuProduktow, y, N - P);
                Zapis(*rec, SumaAktywow, y, N / Odczyt(*rec, RentownoscAktywow, y));
            }
        zapisz(korzen, true);
        zapisz(wezel4);
        zapisz(wezel12);
        k.TabelaWezlow = Tabela({{4, 4, 0}, {12, 12, 4}});
        k.RekordBiezacy = wezel12;
        k.NumerWezla = 12;
    }
    void zapisz(StanModelu& rec, bool nowy = false) {
        std::uint8_t numer, znacznik;
        std::int16_t rok;
        ASSERT_TRUE(ZapiszStanModelu(k, rec, numer, rok, znacznik, nowy));
    }
    bool uruchom() { return Raport_SRE(k); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.SRE")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.SRE.html")); }
    bool saPliki() const {
        return std::filesystem::exists(wyjscie("firma.SRE")) || std::filesystem::exists(wyjscie("firma.SRE.html"));
    }
};

// The current value and the average of a text line, at 31 and 41.
S Wartosci(const std::string& linia) { return {Pole(linia, 31, 8), Pole(linia, 41, 8)}; }
// The text output skips template line 10.
std::size_t Sre(int n) { return static_cast<std::size_t>(n - (n > 10) - 1); }

TEST(RaportSRE, PrintsTheLastYearAndTheSixYearAverageOfEachItem) {
    Wynik w;
    ASSERT_TRUE(w.uruchom());
    EXPECT_FALSE(w.k.FlagiWynikow.SRE);
    auto t = w.tekst();
    ASSERT_EQ(t.size(), 30u);
    EXPECT_EQ(t[0], "Plik stanu modelu: " + w.k.KatalogOperatora + "firma.qad");
    EXPECT_EQ(t[1].substr(t[1].size() - 3), " 12");
    EXPECT_EQ(t[2].substr(t[2].size() - 9), " 12  4  0");
    for (int i = 1; i <= LiczbaPozycjiSRE; ++i) {
        const PozycjaSRE& p = PozycjeSRE()[static_cast<std::size_t>(i - 1)];
        const S oczekiwane{std::to_string(30 * i) + ".00", std::to_string(60 * i) + ".00"};
        EXPECT_EQ(Wartosci(t[Sre(p.liniaTekstu)]), oczekiwane) << "item " << i;
        auto komorki = KomorkiHtml(w.strona()[static_cast<std::size_t>(p.liniaHTML - 1)]);
        EXPECT_EQ(S(komorki.begin() + 1, komorki.end()), oczekiwane) << "item " << i;
    }
    // Line 9 is followed by line 11, and the lines between the items are copied.
    auto wzorzec = LinieWyniku(w.tmp.file("TABWZOR/QAD.SRE"));
    EXPECT_EQ(t[8], wzorzec[8]);
    EXPECT_EQ(Wartosci(t[9]), (S{"30.00", "60.00"}));
    for (int n : {12, 14, 16, 18, 19, 20, 22, 24, 26, 28, 30, 31})
        EXPECT_EQ(t[Sre(n)], wzorzec[static_cast<std::size_t>(n - 1)]) << n;

    auto h = w.strona();
    ASSERT_EQ(h.size(), 28u);
    EXPECT_EQ(h[21 - 1], LinieWyniku(w.tmp.file("TABWZOR/QAD.SRE.HTML"))[21 - 1]);
    EXPECT_EQ(h[11 - 1].substr(h[11 - 1].size() - 3), " 12");
    EXPECT_EQ(h[9 - 1].find(" 12  4  0"), std::string::npos);  // the page shows no path
    EXPECT_EQ(test::SprawdzHtml(w.tmp.read("OPER/firma.SRE.html")), "");
}

TEST(RaportSRE, AChildOfTheRootAveragesItsOwnThreeYears) {
    Wynik w;
    w.k.TabelaWezlow = Tabela({{4, 4, 0}, {12, 12, 4}});
    w.k.RekordBiezacy = w.wezel4;
    w.k.NumerWezla = 4;
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    EXPECT_EQ(t[2].substr(t[2].size() - 6), "  4  0");
    EXPECT_EQ(Wartosci(t[Sre(11)]), (S{"100.00", "100.00"}));
    EXPECT_EQ(Wartosci(t[Sre(29)]), (S{"900.00", "900.00"}));
}

TEST(RaportSRE, TheSlotOrderDoesNotChangeTheReport) {
    Wynik niski, wysoki;
    niski.k.TabelaWezlow = Tabela({{1, 12, 4}, {30, 4, 0}});
    wysoki.k.TabelaWezlow = Tabela({{1, 4, 0}, {30, 12, 4}});
    ASSERT_TRUE(niski.uruchom());
    ASSERT_TRUE(wysoki.uruchom());
    auto bezSciezki = [](const Wynik& w) {
        auto l = w.tekst();
        l[0].clear();
        return l;
    };
    EXPECT_EQ(bezSciezki(niski), bezSciezki(wysoki));
    EXPECT_EQ(Wartosci(niski.tekst()[Sre(13)]), (S{"60.00", "120.00"}));
}

TEST(RaportSRE, TheCurrentValueComesFromMemoryAndTheAveragesFromTheFile) {
    Wynik w;
    Zapis(w.k.RekordBiezacy, ZyskDoPodzialu, 3, 999.0L);  // not saved
    Zapis(w.k.RekordBiezacy, ZyskDoPodzialu, 1, 999.0L);
    ASSERT_TRUE(w.uruchom());
    EXPECT_EQ(Wartosci(w.tekst()[Sre(11)]), (S{"999.00", "60.00"}));
    // The spare record keeps the last record read; the current one is untouched.
    EXPECT_EQ(w.k.RekordPomocniczy.Numer(), 4);
    EXPECT_EQ(Odczyt(w.k.RekordBiezacy, ZyskDoPodzialu, 1), 999.0L);
}

TEST(RaportSRE, ANodeWithoutARecordIsLeftOutOfTheSumsAndTheDivisor) {
    Wynik w;
    // Node 4 is in the tree but its record is not in the file: node 12 alone is averaged.
    std::filesystem::remove(w.wyjscie("firma.qad"));
    StanModelu korzen;
    korzen.UstawRodzica(255);
    w.zapisz(korzen, true);
    w.zapisz(w.wezel12);
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    EXPECT_EQ(t[2].substr(t[2].size() - 9), " 12  4  0");
    EXPECT_EQ(Wartosci(t[Sre(11)]), (S{"30.00", "20.00"}));
    EXPECT_EQ(Wartosci(t[Sre(29)]), (S{"270.00", "180.00"}));
}

TEST(RaportSRE, APathLongerThanTenNodesIsWalkedToTheEnd) {
    Wynik w;
    // Nodes 1..11 in a chain below the root, with records of item 1 = n in every year.
    std::filesystem::remove(w.wyjscie("firma.qad"));
    StanModelu korzen;
    korzen.UstawRodzica(255);
    w.zapisz(korzen, true);
    ZESPOL t = Tabela({});
    for (int n = 1; n <= 11; ++n) {
        StanModelu r;
        r.UstawNumer(static_cast<std::uint8_t>(n));
        r.UstawRodzica(static_cast<std::uint8_t>(n - 1));
        for (int y = 1; y <= 3; ++y) Zapis(r, ZyskDoPodzialu, y, static_cast<long double>(n));
        w.zapisz(r);
        t.Zajety[n] = true;
        t.Wpisy[n] = WpisWezla{static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n - 1), 0, 1};
        w.k.RekordBiezacy = r;
    }
    w.k.TabelaWezlow = t;
    ASSERT_TRUE(w.uruchom());
    auto l = w.tekst();
    EXPECT_EQ(l[2].substr(l[2].size() - 36), " 11 10  9  8  7  6  5  4  3  2  1  0");
    EXPECT_EQ(Wartosci(l[Sre(11)]), (S{"11.00", "6.00"}));  // (1 + ... + 11) / 11
}

TEST(RaportSRE, TheRootWritesNothingAndKeepsItsFlag) {
    Wynik w;
    StanModelu korzen;
    korzen.UstawRodzica(255);
    w.k.RekordBiezacy = korzen;
    w.k.NumerWezla = 0;
    EXPECT_FALSE(w.uruchom());
    EXPECT_FALSE(w.saPliki());
    EXPECT_TRUE(w.k.FlagiWynikow.SRE);
    // Called directly, the writer finds no path nodes to average either.
    EXPECT_FALSE(Raport_SRE_Tworz(w.k, w.wyjscie("firma.SRE")));
    EXPECT_FALSE(w.saPliki());
}

TEST(RaportSRE, TheEntryWritesNothingWhileTheReportIsNotPending) {
    Wynik w;
    w.k.FlagiWynikow.SRE = false;
    EXPECT_FALSE(w.uruchom());
    EXPECT_FALSE(w.saPliki());
}

// ------------------------------------------------------------- failures

TEST(RaportSREAwarie, APathWithoutAnEndWritesNothingAndKeepsTheFlag) {
    Wynik brak;
    brak.k.TabelaWezlow = Tabela({{12, 12, 4}});  // node 4 is not in the table
    EXPECT_FALSE(brak.uruchom());
    EXPECT_FALSE(brak.saPliki());
    EXPECT_TRUE(brak.k.FlagiWynikow.SRE);

    Wynik krag;
    krag.k.TabelaWezlow = Tabela({{4, 4, 12}, {12, 12, 4}});
    EXPECT_FALSE(krag.uruchom());
    EXPECT_FALSE(krag.saPliki());
    EXPECT_TRUE(krag.k.FlagiWynikow.SRE);
}

TEST(RaportSREAwarie, NoRecordOfThePathWritesNothing) {
    Wynik bezPliku;
    std::filesystem::remove(bezPliku.wyjscie("firma.qad"));
    EXPECT_FALSE(bezPliku.uruchom());
    EXPECT_FALSE(bezPliku.saPliki());
    EXPECT_TRUE(bezPliku.k.FlagiWynikow.SRE);

    Wynik zlyPlik;  // not a whole number of records
    zlyPlik.tmp.write("OPER/firma.qad", "krotki");
    EXPECT_FALSE(zlyPlik.uruchom());
    EXPECT_FALSE(zlyPlik.saPliki());
}

TEST(RaportSREAwarie, EachStageFailsAloneAndKeepsWhatWasWritten) {
    Wynik bezWzorca;
    std::filesystem::remove(bezWzorca.tmp.file("TABWZOR/QAD.SRE"));
    EXPECT_FALSE(bezWzorca.uruchom());
    EXPECT_FALSE(std::filesystem::exists(bezWzorca.wyjscie("firma.SRE")));
    EXPECT_TRUE(bezWzorca.k.FlagiWynikow.SRE);

    Wynik bezStrony;
    std::filesystem::remove(bezStrony.tmp.file("TABWZOR/QAD.SRE.HTML"));
    EXPECT_FALSE(bezStrony.uruchom());
    EXPECT_FALSE(std::filesystem::exists(bezStrony.wyjscie("firma.SRE")));
    EXPECT_FALSE(std::filesystem::exists(bezStrony.wyjscie("firma.SRE.html")));
    EXPECT_TRUE(bezStrony.k.FlagiWynikow.SRE);

    if (std::filesystem::exists("/dev/full")) {
        Wynik pelny;
        EXPECT_FALSE(Raport_SRE_Tworz(pelny.k, "/dev/full"));
        EXPECT_TRUE(pelny.k.FlagiWynikow.SRE);
    }
}

TEST(RaportSREAwarie, SumsBeyondTheRangeOfTheRecordsRealsFailTheReport) {
    Wynik w;
    Zapis(w.wezel4, RotacjaZapasow, 1, real48Max());
    Zapis(w.wezel4, RotacjaZapasow, 2, real48Max());
    w.zapisz(w.wezel4);
    EXPECT_FALSE(w.uruchom());
    EXPECT_FALSE(w.saPliki());
    EXPECT_TRUE(w.k.FlagiWynikow.SRE);
}

}  // namespace
}  // namespace vesk
