// The income-statement report over the shipped templates: the statement in
// stages, the account form, the page, the stock-change and wage splits, the
// depreciation noise and the failure table.
#include "RaportPRF.h"

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

// NAME.PRF holds the 59 lines of the statement in stages, then the 40
// lines of the account form.
constexpr int LiniiEtapow = 59, LiniiKonta = 40, LiniiStrony = 51;
std::size_t Prg(int n) { return static_cast<std::size_t>(n - 1); }
std::size_t Prf(int n) { return static_cast<std::size_t>(LiniiEtapow + n - 1); }

// A year of round numbers, the same in all three years: revenue 300 (Alfa
// 150, Beta 100, Gamma 50) and a stock increase of 10 against operating
// costs 220 (depreciation 10, materials 60, services 20, taxes 5, wages
// 125 with contributions at 25 %): A = 90; financial costs 8 give B = 82,
// other costs 2 give C = 80, tax 15 and mandatory dividend 5 give D = 60.
struct Rachunek : SrodowiskoRaportu {
    Rachunek() {
        k.m.StawkaSkladekZUS = 25;
        ustawWszystkie(PrzychodyZeSprzedazy, 300.0L);
        ustawWszystkie(ElementPola(SprzedazWyrobow, 1), 150.0L);
        ustawWszystkie(ElementPola(SprzedazWyrobow, 2), 100.0L);
        ustawWszystkie(ElementPola(SprzedazWyrobow, 3), 50.0L);
        ustawWszystkie(ZmianaStanuProduktow, 10.0L);
        ustawWszystkie(KosztyWytworzenia, 220.0L);
        ustawWszystkie(Amortyzacja, 10.0L);
        ustawWszystkie(ZuzycieMaterialow, 60.0L);
        ustawWszystkie(UslugiObce, 20.0L);
        ustawWszystkie(PodatkiIOplaty, 5.0L);
        ustawWszystkie(WynagrodzeniaISwiadczenia, 125.0L);
        ustawWszystkie(KosztyFinansowe, 8.0L);
        ustawWszystkie(PozostaleKoszty, 2.0L);
        ustawWszystkie(PodatekDochodowy, 15.0L);
        ustawWszystkie(DywidendaObowiazkowa, 5.0L);
        ustawWszystkie(DywidendaZwykla, 20.0L);
        ustawWszystkie(ZyskZatrzymany, 40.0L);
        ustawWszystkie(ZyskNaDzialalnosciGospodarczej, 82.0L);
        ustawWszystkie(WynikBrutto, 80.0L);
        ustawWszystkie(WynikNetto, 60.0L);
    }
    bool uruchom() { return Raport_PRF(k); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.PRF")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.PRF.html")); }
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
const S Trzy(const char* v) { return {v, v, v}; }

TEST(RaportPRF, WritesBothStagesAndThePageUnderTheOperatorsNameAndClearsTheFlag) {
    Rachunek r;
    r.k.NumerWezla = 7;
    ASSERT_TRUE(r.uruchom());
    EXPECT_FALSE(r.k.FlagiWynikow.PRF);
    auto t = r.tekst();
    ASSERT_EQ(t.size(), static_cast<std::size_t>(LiniiEtapow + LiniiKonta));
    EXPECT_EQ(t[0], "Plik stanu modelu: " + r.k.KatalogOperatora + "firma.qad");
    EXPECT_TRUE(t[1].ends_with(" decyzyjny nr  7")) << t[1];
    // The account form starts with its own header lines.
    EXPECT_EQ(t[Prf(1)], t[0]);
    EXPECT_EQ(t[Prf(2)], t[1]);
    EXPECT_EQ(t[Prg(59)].find_first_not_of('='), std::string::npos) << "the stages end with their ruling";
    auto h = r.strona();
    ASSERT_EQ(h.size(), static_cast<std::size_t>(LiniiStrony));
    EXPECT_EQ(test::SprawdzHtml(r.tmp.read("OPER/firma.PRF.html")), "");
}

TEST(RaportPRF, TheEntryWritesNothingWhileTheReportIsNotPending) {
    Rachunek r;
    r.k.FlagiWynikow.PRF = false;
    EXPECT_FALSE(r.uruchom());
    EXPECT_FALSE(r.istnieje("firma.PRF"));
}

TEST(RaportPRF, TheRootCarries2009To2011InEveryYearRow) {
    Rachunek r;
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    const S lata{"2009", "2010", "2011"};
    EXPECT_EQ((S{Pole(t[Prg(9)], 59, 5), Pole(t[Prg(9)], 69, 5), Pole(t[Prg(9)], 79, 5)}), lata);
    EXPECT_EQ((S{Pole(t[Prf(9)], 33, 5), Pole(t[Prf(9)], 43, 5), Pole(t[Prf(9)], 53, 5)}), lata);
    EXPECT_EQ((S{Pole(t[Prf(9)], 90, 5), Pole(t[Prf(9)], 100, 5), Pole(t[Prf(9)], 110, 5)}), lata);
    EXPECT_EQ(KomorkiHtml(r.strona()[18 - 1]), lata);
}

TEST(RaportPRF, TheStagesYearRowShowsTheRightYearsOnlyWhereItsTemplateLineReachesThem) {
    Rachunek krotki;
    ASSERT_TRUE(krotki.uruchom());
    EXPECT_LE(krotki.tekst()[Prg(9)].size(), 89u) << "the shipped stages show the left years only";

    Rachunek dlugi;
    dlugi.zmienWzorzec("QAD.PRG", [](auto& l) { l[8] = "Pozycja" + std::string(113, ' '); });
    ASSERT_TRUE(dlugi.uruchom());
    const std::string l = dlugi.tekst()[Prg(9)];
    EXPECT_EQ((S{Pole(l, 90, 5), Pole(l, 100, 5), Pole(l, 110, 5)}), (S{"2009", "2010", "2011"}));
}

TEST(RaportPRF, TheStatementInStagesDeductsTheCostsInTurn) {
    Rachunek r;
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    auto L = [&](int n) { return Grupa(t[Prg(n)], 57); };
    EXPECT_EQ(L(12), Trzy("310.0"));
    EXPECT_EQ(L(14), Trzy("300.0"));
    EXPECT_EQ(L(15), Trzy("150.0"));
    EXPECT_EQ(L(16), Trzy("100.0"));
    EXPECT_EQ(L(17), Trzy("50.0"));
    EXPECT_EQ(L(18), Trzy("10.0"));
    EXPECT_EQ(L(22), Trzy("220.0"));
    EXPECT_EQ(L(23), Trzy("10.0"));
    EXPECT_EQ(L(24), Trzy("60.0"));
    EXPECT_EQ(L(25), Trzy("20.0"));
    EXPECT_EQ(L(26), Trzy("5.0"));
    EXPECT_EQ(L(30), Trzy("90.0"));
    EXPECT_EQ(L(36), L(30));
    for (int n : {32, 34, 38, 46}) EXPECT_EQ(L(n), Trzy("0.0")) << n;
    EXPECT_EQ(L(40), Trzy("8.0"));
    EXPECT_EQ(L(41), L(40));
    EXPECT_EQ(L(43), Trzy("82.0"));
    EXPECT_EQ(L(45), Trzy("-2.0"));
    EXPECT_EQ(L(47), Trzy("2.0"));
    EXPECT_EQ(L(49), Trzy("80.0"));
    EXPECT_EQ(L(51), Trzy("15.0"));
    EXPECT_EQ(L(53), Trzy("5.0"));
    EXPECT_EQ(L(56), Trzy("60.0"));
    EXPECT_EQ(L(57), Trzy("20.0"));
    EXPECT_EQ(L(58), Trzy("40.0"));

    auto h = r.strona();
    auto H = [&](int n) { return KomorkiHtml(h[static_cast<std::size_t>(n - 1)]); };
    EXPECT_EQ(H(19), Trzy("310.00"));
    EXPECT_EQ(H(23), Trzy("50.00"));
    EXPECT_EQ(H(33), Trzy("90.00"));
    EXPECT_EQ(H(34), Trzy("0"));
    EXPECT_EQ(H(40), Trzy("82.00"));
    EXPECT_EQ(H(41), Trzy("-2.00"));
    EXPECT_EQ(H(43), Trzy("2.00"));
    EXPECT_EQ(H(44), Trzy("80.00"));
    EXPECT_EQ(H(47), Trzy("60.00"));
    EXPECT_EQ(H(49), Trzy("40.00"));
}

TEST(RaportPRF, ResultsAreFormedFromTheFieldsNotFromTheRoundedRowsAbove) {
    Rachunek r;
    r.ustawWszystkie(PrzychodyZeSprzedazy, 300.04L);
    r.ustawWszystkie(ZmianaStanuProduktow, 0.04L);
    r.ustawWszystkie(KosztyWytworzenia, 0.0L);
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    EXPECT_EQ(Grupa(t[Prg(14)], 57), Trzy("300.0"));
    EXPECT_EQ(Grupa(t[Prg(18)], 57), Trzy("0.0"));
    EXPECT_EQ(Grupa(t[Prg(12)], 57), Trzy("300.1"));
    EXPECT_EQ(Grupa(t[Prg(30)], 57), Trzy("300.1"));
}

TEST(RaportPRF, AStockDecreaseIsPrintedSignedInStagesAndAsACostInTheAccountForm) {
    Rachunek r;
    r.ustaw(ZmianaStanuProduktow, 1, -12.5L);
    r.ustaw(ZmianaStanuProduktow, 2, 30.0L);
    r.ustaw(ZmianaStanuProduktow, 3, 0.0L);
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    EXPECT_EQ(Grupa(t[Prg(18)], 57), (S{"-12.5", "30.0", "0.0"}));
    EXPECT_EQ(Grupa(t[Prg(12)], 57), (S{"287.5", "330.0", "300.0"}));
    // Decrease on the left, increase on the right; no change prints 0.0 on both sides.
    EXPECT_EQ(Grupa(t[Prf(23)], 31), (S{"12.5", "0.0", "0.0"}));
    EXPECT_EQ(Grupa(t[Prf(23)], 88), (S{"0.0", "30.0", "0.0"}));
    // Both sides: 220 + decrease + 8 + 2 + profit against 300 + increase.
    EXPECT_EQ(Grupa(t[Prf(39)], 31), (S{"300.0", "330.0", "300.0"}));
    EXPECT_EQ(Grupa(t[Prf(39)], 88), (S{"300.0", "330.0", "300.0"}));
    EXPECT_EQ(KomorkiHtml(r.strona()[25 - 1]), (S{"-12.50", "30.00", "0.00"}));
    EXPECT_EQ(r.odczyt(ZmianaStanuProduktow, 1), -12.5L);
}

TEST(RaportPRF, WagesAreSplitByTheContributionRateInForce) {
    Rachunek r;  // 25 % of wages 125
    ASSERT_TRUE(r.uruchom());
    EXPECT_EQ(Grupa(r.tekst()[Prg(27)], 57), Trzy("100.0"));
    EXPECT_EQ(Grupa(r.tekst()[Prg(28)], 57), Trzy("25.0"));
    EXPECT_EQ(KomorkiHtml(r.strona()[31 - 1]), Trzy("100.00"));
    EXPECT_EQ(KomorkiHtml(r.strona()[32 - 1]), Trzy("25.00"));
    // The account form shows the whole wages.
    EXPECT_EQ(Grupa(r.tekst()[Prf(17)], 31), Trzy("125.0"));

    Rachunek bezSkladek;
    bezSkladek.k.m.StawkaSkladekZUS = 0;
    ASSERT_TRUE(bezSkladek.uruchom());
    EXPECT_EQ(Grupa(bezSkladek.tekst()[Prg(27)], 57), Trzy("125.0"));
    EXPECT_EQ(Grupa(bezSkladek.tekst()[Prg(28)], 57), Trzy("0.0"));
}

TEST(RaportPRF, ARateOfMinusHundredPercentWritesNothing) {
    Rachunek r;
    r.k.m.StawkaSkladekZUS = -100;
    EXPECT_FALSE(r.uruchom());
    EXPECT_FALSE(r.istnieje("firma.PRF"));
    EXPECT_FALSE(r.istnieje("firma.PRF.html"));
    EXPECT_TRUE(r.k.FlagiWynikow.PRF);
}

TEST(RaportPRF, TheAccountFormListsCostsLeftAndRevenuesRight) {
    Rachunek r;
    r.ustaw(PozostaleKoszty, 2, 85.0L);  // extraordinary losses above the result: a loss of 3
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    auto L = [&](int n) { return Grupa(t[Prf(n)], 31); };
    auto P = [&](int n) { return Grupa(t[Prf(n)], 88); };
    EXPECT_EQ(L(12), Trzy("220.0"));
    EXPECT_EQ(P(12), Trzy("300.0"));
    EXPECT_EQ(L(14), Trzy("10.0"));
    EXPECT_EQ(L(15), Trzy("60.0"));
    EXPECT_EQ(P(15), Trzy("150.0"));
    EXPECT_EQ(L(16), Trzy("5.0"));
    EXPECT_EQ(P(16), Trzy("100.0"));
    EXPECT_EQ(P(17), Trzy("50.0"));
    EXPECT_EQ(L(18), Trzy("20.0"));
    EXPECT_EQ(L(20), Trzy("8.0"));
    EXPECT_EQ(L(25), Trzy("82.0"));
    EXPECT_EQ(P(25), (S{"0.0", "3.0", "0.0"}));
    EXPECT_EQ(L(27), (S{"2.0", "85.0", "2.0"}));
    EXPECT_EQ(L(29), (S{"80.0", "0.0", "80.0"}));
    EXPECT_EQ(L(32), Trzy("20.0"));
    EXPECT_EQ(L(34), Trzy("60.0"));
    EXPECT_EQ(L(36), Trzy("20.0"));
    EXPECT_EQ(L(37), Trzy("40.0"));
    EXPECT_EQ(L(39), (S{"310.0", "313.0", "310.0"}));
    EXPECT_EQ(P(39), (S{"310.0", "313.0", "310.0"}));
    // Rows of the left group alone leave the right side as the template has it.
    EXPECT_LT(t[Prf(14)].find_last_not_of(' '), 87u);
}

// ------------------------------------------------------------------ noise

TEST(RaportPRF, WolnyDrawsYearThreeOfDepreciationThreeTimesAndLeavesTheTotals) {
    Rachunek r;
    r.k.Parametry = CommandLine({"wolny"});
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    // The draws from seed 0 over 400 values: 0, 12, 344.
    EXPECT_EQ(Grupa(t[Prg(23)], 57), (S{"10.0", "10.0", "8.0"}));
    EXPECT_EQ(Grupa(t[Prf(14)], 31), (S{"10.0", "10.0", "8.1"}));
    EXPECT_EQ(KomorkiHtml(r.strona()[27 - 1]), (S{"10.00", "10.00", "11.44"}));
    // The totals that contain the depreciation print as without the noise.
    Rachunek bezSzumu;
    ASSERT_TRUE(bezSzumu.uruchom());
    auto p = bezSzumu.tekst();
    for (int n : {22, 30, 36, 43, 49, 56}) EXPECT_EQ(Grupa(t[Prg(n)], 57), Grupa(p[Prg(n)], 57)) << n;
    EXPECT_EQ(Grupa(t[Prf(12)], 31), Trzy("220.0"));
    EXPECT_EQ(Grupa(t[Prf(39)], 31), Grupa(p[Prf(39)], 31));
    Random g;
    for (int i = 0; i < 3; ++i) g.draw(400);
    EXPECT_EQ(r.k.Losowanie.seed(), g.seed());
    EXPECT_EQ(r.odczyt(Amortyzacja, 3), 10.0L);
}

TEST(RaportPRF, AnyOtherFirstParameterPrintsTheRecordsDepreciation) {
    Rachunek r;
    r.k.Parametry = CommandLine({"Wolny"});
    ASSERT_TRUE(r.uruchom());
    EXPECT_EQ(Grupa(r.tekst()[Prg(23)], 57), Trzy("10.0"));
    EXPECT_EQ(Grupa(r.tekst()[Prf(14)], 31), Trzy("10.0"));
    EXPECT_EQ(KomorkiHtml(r.strona()[27 - 1]), Trzy("10.00"));
    EXPECT_EQ(r.k.Losowanie.seed(), 0u);
}

// -------------------------------------------------------- template lengths

TEST(RaportPRF, TemplateLinesPastTheLastWrittenOnesNeverReachTheOutputs) {
    Rachunek r;
    r.zmienWzorzec("QAD.PRG", [](auto& l) { l.resize(160, "nadmiarowa linia"); });
    r.zmienWzorzec("QAD.PRF", [](auto& l) { l.resize(200, "nadmiarowa linia"); });
    r.zmienWzorzec("QAD.PRG.HTML", [](auto& l) { l.push_back("<p>nadmiarowa linia</p>"); });
    ASSERT_TRUE(r.uruchom());
    auto t = r.tekst();
    EXPECT_EQ(t.size(), static_cast<std::size_t>(LiniiEtapow + LiniiKonta));
    for (const auto& l : t) EXPECT_EQ(l.find("nadmiarowa"), std::string::npos);
    EXPECT_EQ(r.strona().size(), static_cast<std::size_t>(LiniiStrony));
}

// ---------------------------------------------------------- failure table

TEST(RaportPRFAwarie, MissingAccountTemplateWritesNothingAndLeavesTheReportPending) {
    Rachunek r;
    std::filesystem::remove(r.tmp.file("TABWZOR/QAD.PRF"));
    EXPECT_FALSE(r.uruchom());
    EXPECT_FALSE(r.istnieje("firma.PRF"));
    EXPECT_TRUE(r.k.FlagiWynikow.PRF);
    EXPECT_FALSE(r.istnieje("firma.PRF.html"));
}

TEST(RaportPRFAwarie, APageThatCannotBeWrittenLeavesTheTextCompleteAndTheFlagCleared) {
    Rachunek bezWzorca;
    std::filesystem::remove(bezWzorca.tmp.file("TABWZOR/QAD.PRG.HTML"));
    EXPECT_FALSE(bezWzorca.uruchom());
    EXPECT_FALSE(bezWzorca.istnieje("firma.PRF"));
    EXPECT_FALSE(bezWzorca.istnieje("firma.PRF.html"));
    EXPECT_TRUE(bezWzorca.k.FlagiWynikow.PRF);

    Rachunek bezPliku;
    std::filesystem::create_directory(bezPliku.wyjscie("firma.PRF.html"));
    EXPECT_FALSE(bezPliku.uruchom());
    EXPECT_EQ(bezPliku.tekst().size(), static_cast<std::size_t>(LiniiEtapow + LiniiKonta));
    EXPECT_FALSE(bezPliku.k.FlagiWynikow.PRF);
}

}  // namespace
}  // namespace vesk
