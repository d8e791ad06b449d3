// The revenue-and-profit report over the shipped templates: both text
// statements, the page, the period-cost noise with its own constants,
// template lengths and the failure table.
#include "RaportRAW.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "PomocRaportow.h"
#include "Random.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::Grupa;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::Pole;
using test::SrodowiskoRaportu;

// NAME.RAW holds the 87 lines of "QAD.RAX", then the 42 of "QAD.RAW".
constexpr int LiniiRax = 87, LiniiRaw = 42, LiniiStrony = 54;
std::size_t Rax(int n) { return static_cast<std::size_t>(n - 1); }
std::size_t Raw(int n) { return static_cast<std::size_t>(LiniiRax + n - 1); }

// Round numbers, the same in all three years: revenue 300 against cost of
// products sold 200; period costs 10 + 40 + 60; financial costs 8, other
// costs 2; tax 15 and mandatory dividend 5; a result of 60 with 20 brought
// forward, of which 20 paid as dividend and 40 retained (4 to the reserve).
struct Wynik : SrodowiskoRaportu {
    Wynik() {
        ustawWszystkie(PrzychodyZeSprzedazy, 300.0L);
        ustawWszystkie(KosztySprzedanychProduktow, 200.0L);
        ustawWszystkie(WynikZeSprzedazy, 100.0L);
        ustawWszystkie(KosztyOkresowe1, 10.0L);
        ustawWszystkie(KosztyOkresowe2, 40.0L);
        ustawWszystkie(KosztyOkresowe3, 60.0L);
        ustawWszystkie(WynikOperacyjny, 90.0L);
        ustawWszystkie(KosztyFinansowe, 8.0L);
        ustawWszystkie(WynikPrzedOpodatkowaniem, 82.0L);
        ustawWszystkie(PozostaleKoszty, 2.0L);
        ustawWszystkie(ZyskBrutto, 80.0L);
        ustawWszystkie(PodatekDochodowy, 15.0L);
        ustawWszystkie(DywidendaObowiazkowa, 5.0L);
        ustawWszystkie(WynikDoBilansu, 60.0L);
        ustawWszystkie(WynikLatUbieglych, 20.0L);
        ustawWszystkie(DywidendaZwykla, 20.0L);
        ustawWszystkie(ZyskZatrzymany, 40.0L);
        ustawWszystkie(OdpisNaKapitalZapasowy, 4.0L);
        ustawWszystkie(WynikNiepodzielony, 20.0L);
    }
    bool uruchom() { return Raport_RAW(k); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.RAW")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.RAW.html")); }
    bool istnieje(const std::string& nazwa) const { return std::filesystem::exists(wyjscie(nazwa)); }
    // Rewrites a shipped template line by line.
    void zmienWzorzec(const std::string& nazwa, const std::function<void(std::vector<std::string>&)>& zmiana) {
        auto l = LinieWyniku(tmp.file("TABWZOR/" + nazwa));
        zmiana(l);
        std::string s;
        for (auto& x : l) s += x + "\r\n";
        tmp.write("TABWZOR/" + nazwa, s);
    }
};

using S = std::vector<std::string>;
S Trzy(const char* v) { return {v, v, v}; }

TEST(RaportRAW, WritesBothStatementsAndThePageUnderTheOperatorsNameAndClearsTheFlag) {
    Wynik w;
    w.k.NumerWezla = 12;
    ASSERT_TRUE(w.uruchom());
    EXPECT_FALSE(w.k.FlagiWynikow.RAW);
    auto t = w.tekst();
    ASSERT_EQ(t.size(), static_cast<std::size_t>(LiniiRax + LiniiRaw));
    EXPECT_EQ(t[0], "Plik stanu modelu: " + w.k.KatalogOperatora + "firma.qad");
    EXPECT_TRUE(t[1].ends_with(" decyzyjny nr 12")) << t[1];
    EXPECT_EQ(t[Raw(1)], t[0]);
    EXPECT_EQ(t[Raw(2)], t[1]);
    EXPECT_EQ(w.strona().size(), static_cast<std::size_t>(LiniiStrony));
    EXPECT_EQ(test::SprawdzHtml(w.tmp.read("OPER/firma.RAW.html")), "");
}

TEST(RaportRAW, AChildOfTheRootCarries2012To2014InEveryYearRow) {
    Wynik w;
    w.k.RekordBiezacy.UstawRok(2015);
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    const S lata{"2012", "2013", "2014"};
    for (int n : {9, 68})
        EXPECT_EQ((S{Pole(t[Rax(n)], 54, 5), Pole(t[Rax(n)], 64, 5), Pole(t[Rax(n)], 74, 5)}), lata) << n;
    EXPECT_EQ((S{Pole(t[Raw(9)], 33, 5), Pole(t[Raw(9)], 43, 5), Pole(t[Raw(9)], 53, 5)}), lata);
    EXPECT_EQ((S{Pole(t[Raw(9)], 90, 5), Pole(t[Raw(9)], 100, 5), Pole(t[Raw(9)], 110, 5)}), lata);
    EXPECT_EQ(KomorkiHtml(w.strona()[16 - 1]), lata);
    EXPECT_EQ(KomorkiHtml(w.strona()[47 - 1]), lata);
}

TEST(RaportRAW, AStageOneYearRowEndingBeforeTheRightGroupShowsOnlyTheLeftYears) {
    Wynik krotki;
    krotki.zmienWzorzec("QAD.RAX", [](auto& l) { l[8] = "Pozycja" + std::string(103, ' '); });
    ASSERT_TRUE(krotki.uruchom());
    const std::string k = krotki.tekst()[Rax(9)];
    EXPECT_EQ(k.size(), 110u);
    EXPECT_EQ(Pole(k, 74, 5), "2011");
    EXPECT_EQ(k.find_last_not_of(' '), 77u);

    Wynik dlugi;
    dlugi.zmienWzorzec("QAD.RAX", [](auto& l) { l[8] = "Pozycja" + std::string(133, ' '); });
    ASSERT_TRUE(dlugi.uruchom());
    const std::string d = dlugi.tekst()[Rax(9)];
    EXPECT_EQ((S{Pole(d, 111, 5), Pole(d, 121, 5), Pole(d, 131, 5)}), (S{"2009", "2010", "2011"}));
}

TEST(RaportRAW, TheFirstStatementPrintsRevenueCostsResultsAndTheirDistribution) {
    Wynik w;
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    auto L = [&](int n) { return Grupa(t[Rax(n)], 52); };
    for (int n : {12, 14, 16}) EXPECT_EQ(L(n), Trzy("300.0")) << n;
    for (int n : {18, 20}) EXPECT_EQ(L(n), Trzy("200.0")) << n;
    EXPECT_EQ(L(22), Trzy("100.0"));
    EXPECT_EQ(L(24), Trzy("10.0"));
    EXPECT_EQ(L(26), Trzy("100.0"));
    EXPECT_EQ(L(27), Trzy("40.0"));
    EXPECT_EQ(L(28), Trzy("60.0"));
    for (int n : {30, 36}) EXPECT_EQ(L(n), Trzy("90.0")) << n;
    for (int n : {32, 34, 38, 47}) EXPECT_EQ(L(n), Trzy("0.0")) << n;
    for (int n : {40, 41}) EXPECT_EQ(L(n), Trzy("8.0")) << n;
    EXPECT_EQ(L(43), Trzy("82.0"));
    EXPECT_EQ(L(46), Trzy("-2.0"));
    EXPECT_EQ(L(48), Trzy("2.0"));
    EXPECT_EQ(L(50), Trzy("80.0"));
    EXPECT_EQ(L(52), Trzy("15.0"));
    for (int n : {54, 56}) EXPECT_EQ(L(n), Trzy("5.0")) << n;
    EXPECT_EQ(L(58), Trzy("60.0"));
    EXPECT_EQ(L(59), Trzy("20.0"));
    EXPECT_EQ(L(60), Trzy("40.0"));
    EXPECT_EQ(L(61), Trzy("4.0"));
    EXPECT_EQ(L(62), Trzy("36.0"));
    // Nothing of the earlier years is left undivided; the year's 60 less the
    // ordinary dividend goes to the capitals.
    EXPECT_EQ(L(71), Trzy("0.0"));
    EXPECT_EQ(L(75), Trzy("60.0"));
    EXPECT_EQ(L(78), Trzy("60.0"));
    EXPECT_EQ(L(82), Trzy("20.0"));
    EXPECT_EQ(L(84), Trzy("40.0"));
    // No value lands in the right group of the first statement.
    for (int n = 10; n <= LiniiRax; ++n) EXPECT_LT(t[Rax(n)].find_last_not_of(' ') + 1, 110u) << n;
}

TEST(RaportRAW, TheSecondStatementPrintsTheResultLeftAndItsDistributionRight) {
    Wynik w;
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    auto L = [&](int n) { return Grupa(t[Raw(n)], 31); };
    auto P = [&](int n) { return Grupa(t[Raw(n)], 88); };
    EXPECT_EQ(L(12), Trzy("300.0"));
    EXPECT_EQ(P(12), Trzy("0.0"));
    EXPECT_EQ(L(13), Trzy("200.0"));
    EXPECT_EQ(L(15), Trzy("100.0"));
    EXPECT_EQ(L(17), Trzy("10.0"));
    EXPECT_EQ(P(17), Trzy("60.0"));
    EXPECT_EQ(L(18), Trzy("40.0"));
    EXPECT_EQ(L(19), Trzy("60.0"));
    EXPECT_EQ(P(19), Trzy("60.0"));
    EXPECT_EQ(L(21), Trzy("90.0"));
    EXPECT_EQ(L(23), Trzy("8.0"));
    EXPECT_EQ(P(23), Trzy("20.0"));
    EXPECT_EQ(L(25), Trzy("82.0"));
    EXPECT_EQ(P(25), Trzy("40.0"));
    EXPECT_EQ(L(27), Trzy("2.0"));
    EXPECT_EQ(L(29), Trzy("80.0"));
    EXPECT_EQ(L(31), Trzy("20.0"));
    EXPECT_EQ(L(33), Trzy("15.0"));
    EXPECT_EQ(L(34), Trzy("5.0"));
    EXPECT_EQ(L(36), Trzy("60.0"));
    EXPECT_EQ(L(38), Trzy("20.0"));
    EXPECT_EQ(L(39), Trzy("40.0"));
    EXPECT_EQ(L(40), Trzy("4.0"));
    EXPECT_EQ(L(41), Trzy("36.0"));
}

TEST(RaportRAW, ThePageRepeatsTheFirstStatementWithTwoDecimals) {
    Wynik w;
    ASSERT_TRUE(w.uruchom());
    auto h = w.strona();
    auto H = [&](int n) { return KomorkiHtml(h[static_cast<std::size_t>(n - 1)]); };
    for (int n : {17, 18, 19}) EXPECT_EQ(H(n), Trzy("300.00")) << n;
    EXPECT_EQ(H(24), Trzy("100.00"));
    EXPECT_EQ(H(25), Trzy("40.00"));
    for (int n : {28, 29, 31, 36}) EXPECT_EQ(H(n), Trzy("0")) << n;
    EXPECT_EQ(H(35), Trzy("-2.00"));
    EXPECT_EQ(H(37), Trzy("2.00"));
    EXPECT_EQ(H(46), Trzy("36.00"));
    EXPECT_EQ(H(50), Trzy("60.00"));
    EXPECT_EQ(H(52), Trzy("40.00"));
}

TEST(RaportRAW, PeriodCostsAddUpOnTheFirstStatementWithoutNoise) {
    Wynik w;
    w.ustaw(KosztyOkresowe2, 2, 40.04L);
    w.ustaw(KosztyOkresowe3, 2, 60.04L);
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    EXPECT_EQ(Grupa(t[Rax(27)], 52)[1], "40.0");
    EXPECT_EQ(Grupa(t[Rax(28)], 52)[1], "60.0");
    EXPECT_EQ(Grupa(t[Rax(26)], 52)[1], "100.1") << "the sum of the fields, not of the printed rows";
    EXPECT_EQ(KomorkiHtml(w.strona()[24 - 1])[1], "100.08");
}

// ------------------------------------------------------------------ noise

TEST(RaportRAW, WolnyShiftsYearTwoOfFiveValuesByAtMostOneAndAHalf) {
    Wynik w;
    w.k.Parametry = CommandLine({"wolny"});
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    auto h = w.strona();
    // The draws from seed 0 over 300 values: 0, 9, 258, 60, 81, in the order
    // RAX 26, RAX 27, RAW 18, page 24, page 25; years 1 and 3 stay exact.
    EXPECT_EQ(Grupa(t[Rax(26)], 52), (S{"100.0", "98.5", "100.0"}));
    EXPECT_EQ(Grupa(t[Rax(27)], 52), (S{"40.0", "38.6", "40.0"}));
    EXPECT_EQ(Grupa(t[Rax(28)], 52), Trzy("60.0"));
    EXPECT_EQ(Grupa(t[Raw(18)], 31), (S{"40.0", "41.1", "40.0"}));
    EXPECT_EQ(KomorkiHtml(h[24 - 1]), (S{"100.00", "99.10", "100.00"}));
    EXPECT_EQ(KomorkiHtml(h[25 - 1]), (S{"40.00", "39.31", "40.00"}));
    EXPECT_EQ(KomorkiHtml(h[26 - 1]), Trzy("60.00"));
    EXPECT_EQ(Grupa(t[Raw(17)], 31), Trzy("10.0"));
    Random g;
    for (int i = 0; i < 5; ++i) g.draw(300);
    EXPECT_EQ(w.k.Losowanie.seed(), g.seed());
    EXPECT_EQ(w.odczyt(KosztyOkresowe2, 2), 40.0L);
}

TEST(RaportRAW, WolnyStaysWithinItsRangeOverManyRuns) {
    Wynik w;
    w.ustawWszystkie(KosztyOkresowe2, 100.0L);
    w.ustawWszystkie(KosztyOkresowe3, 0.0L);
    w.k.Parametry = CommandLine({"wolny"});
    for (int run = 0; run < 40; ++run) {
        w.k.FlagiWynikow.RAW = true;
        ASSERT_TRUE(w.uruchom());
        auto t = w.tekst();
        auto h = w.strona();
        for (std::size_t i : {Rax(26), Rax(27), Raw(18)}) {
            double v = std::stod(Grupa(t[i], i < Raw(1) ? 52 : 31)[1]);
            EXPECT_GE(v, 98.5 - 1e-9);
            EXPECT_LE(v, 101.5 + 1e-9);
        }
        for (int n : {24, 25}) {
            double v = std::stod(KomorkiHtml(h[static_cast<std::size_t>(n - 1)])[1]);
            EXPECT_GE(v, 98.5 - 1e-9);
            EXPECT_LE(v, 101.49 + 1e-9);
        }
    }
}

TEST(RaportRAW, AnyOtherFirstParameterPrintsExactValues) {
    Wynik w;
    w.k.Parametry = CommandLine({"Wolny"});
    ASSERT_TRUE(w.uruchom());
    EXPECT_EQ(Grupa(w.tekst()[Rax(27)], 52), Trzy("40.0"));
    EXPECT_EQ(KomorkiHtml(w.strona()[25 - 1]), Trzy("40.00"));
    EXPECT_EQ(w.k.Losowanie.seed(), 0u);
}

// -------------------------------------------------------- template lengths

TEST(RaportRAW, AShortFirstTemplateIsPaddedToItsEightySevenLines) {
    Wynik w;
    w.zmienWzorzec("QAD.RAX", [](auto& l) { l.resize(60); });
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    ASSERT_EQ(t.size(), static_cast<std::size_t>(LiniiRax + LiniiRaw));
    for (int n = 61; n <= LiniiRax; ++n) EXPECT_EQ(t[Rax(n)], "") << n;
    EXPECT_EQ(t[Raw(1)], t[0]);
    EXPECT_EQ(Grupa(t[Raw(12)], 31), Trzy("300.0"));
}

TEST(RaportRAW, TemplateLinesPastTheLastWrittenOnesNeverReachTheOutputs) {
    Wynik w;
    w.zmienWzorzec("QAD.RAX", [](auto& l) { l.resize(180, "nadmiarowa linia"); });
    w.zmienWzorzec("QAD.RAW", [](auto& l) { l.resize(181, "nadmiarowa linia"); });
    w.zmienWzorzec("QAD.RAX.HTML", [](auto& l) { l.push_back("<p>nadmiarowa linia</p>"); });
    ASSERT_TRUE(w.uruchom());
    auto t = w.tekst();
    EXPECT_EQ(t.size(), static_cast<std::size_t>(LiniiRax + LiniiRaw));
    for (const auto& l : t) EXPECT_EQ(l.find("nadmiarowa"), std::string::npos);
    auto h = w.strona();
    ASSERT_EQ(h.size(), static_cast<std::size_t>(LiniiStrony));
    auto wzor = LinieWyniku(w.tmp.file("TABWZOR/QAD.RAX.HTML"));
    EXPECT_EQ(h[52], wzor[52]);
    EXPECT_EQ(h[53], wzor[53]);
}

TEST(RaportRAW, APageLineWithFewerPlaceholdersKeepsOnlyTheFirstFills) {
    Wynik w;
    w.ustaw(WynikDoBilansu, 1, 1.0L);
    w.ustaw(WynikDoBilansu, 2, 2.0L);
    w.zmienWzorzec("QAD.RAX.HTML", [](auto& l) { l[49 - 1] = "<tr><td>x</td><td>x</td></tr>"; });
    ASSERT_TRUE(w.uruchom());
    EXPECT_EQ(w.strona()[49 - 1], "<tr><td>     1.00</td><td>     2.00</td></tr>");
}

// ---------------------------------------------------------- failure table

TEST(RaportRAWAwarie, MissingFirstTemplateLeavesNoFile) {
    Wynik w;
    std::filesystem::remove(w.tmp.file("TABWZOR/QAD.RAX"));
    EXPECT_FALSE(w.uruchom());
    EXPECT_FALSE(w.istnieje("firma.RAW"));
    EXPECT_TRUE(w.k.FlagiWynikow.RAW);
    EXPECT_FALSE(w.istnieje("firma.RAW.html"));
}

TEST(RaportRAWAwarie, MissingSecondTemplateLeavesNoFile) {
    Wynik w;
    std::filesystem::remove(w.tmp.file("TABWZOR/QAD.RAW"));
    EXPECT_FALSE(w.uruchom());
    EXPECT_FALSE(w.istnieje("firma.RAW"));
    EXPECT_TRUE(w.k.FlagiWynikow.RAW);
    EXPECT_FALSE(w.istnieje("firma.RAW.html"));
}

TEST(RaportRAWAwarie, APageThatCannotBeWrittenLeavesTheTextCompleteAndTheFlagCleared) {
    Wynik bezWzorca;
    std::filesystem::remove(bezWzorca.tmp.file("TABWZOR/QAD.RAX.HTML"));
    EXPECT_FALSE(bezWzorca.uruchom());
    EXPECT_FALSE(bezWzorca.istnieje("firma.RAW"));
    EXPECT_FALSE(bezWzorca.istnieje("firma.RAW.html"));
    EXPECT_TRUE(bezWzorca.k.FlagiWynikow.RAW);

    Wynik bezPliku;
    std::filesystem::create_directory(bezPliku.wyjscie("firma.RAW.html"));
    EXPECT_FALSE(bezPliku.uruchom());
    EXPECT_EQ(bezPliku.tekst().size(), static_cast<std::size_t>(LiniiRax + LiniiRaw));
    EXPECT_FALSE(bezPliku.k.FlagiWynikow.RAW);
}

}  // namespace
}  // namespace vesk
