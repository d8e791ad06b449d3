// The balance-sheet report over the shipped templates: the write-back,
// the five outputs, the noise sites, the failure table and the pages'
// well-formedness.
#include "RaportBIK.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "FileSystem.h"
#include "PomocRaportow.h"
#include "Random.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::Grupa;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::SrodowiskoRaportu;

// NAME.BIK holds the balance sheet (its lines 13 and 20 are not written),
// then the capital statement, then the two-sided balance.
constexpr int LiniiBilansu = 70, LiniiKapitalu = 88, LiniiBilansuDwustronnego = 39;
std::size_t Bik(int n) { return static_cast<std::size_t>(n - (n > 13) - (n > 20) - 1); }
std::size_t Kap(int n) { return static_cast<std::size_t>(LiniiBilansu + n - 1); }
std::size_t Bil(int n) { return static_cast<std::size_t>(LiniiBilansu + LiniiKapitalu + n - 1); }

// A balanced record of round numbers: assets 60 + 5 + 25 = 90 against
// equity 50, long-term 20, payables 15 and overdraft 5.
struct Bilans : SrodowiskoRaportu {
    Bilans() {
        ustawWszystkie(SrodkiTrwale, 60.0L);
        ustawWszystkie(InwestycjeRozpoczete, 5.0L);
        ustawWszystkie(GruntyIBudynkiBrutto, 40.0L);
        ustawWszystkie(DekapitalizacjaGruntowIBudynkow, 4.0L);
        ustawWszystkie(GruntyIBudynkiNetto, 36.0L);
        ustawWszystkie(UrzadzeniaIMaszynyBrutto, 30.0L);
        ustawWszystkie(DekapitalizacjaUrzadzenIMaszyn, 6.0L);
        ustawWszystkie(UrzadzeniaIMaszynyNetto, 24.0L);
        ustawWszystkie(MajatekObrotowy, 25.0L);
        ustawWszystkie(WartoscMaterialow, 3.0L);
        ustawWszystkie(WartoscProdukcjiWToku, 2.0L);
        ustawWszystkie(WartoscWyrobowGotowych, 4.0L);
        ustawWszystkie(Naleznosci, 10.0L);
        ustawWszystkie(RachunekRozliczeniowy, 6.0L);
        ustawWszystkie(SumaAktywow, 90.0L);
        ustawWszystkie(KapitalWlasny, 50.0L);
        ustawWszystkie(KapitalAkcyjny, 40.0L);
        ustawWszystkie(KapitalZapasowy, 6.0L);
        ustawWszystkie(KapitalRezerwowy, 2.0L);
        ustawWszystkie(WynikDoBilansu, 2.0L);
        ustawWszystkie(ZobowiazaniaDlugoterminowe, 20.0L);
        ustawWszystkie(KredytObrotowy, 12.0L);
        ustawWszystkie(KredytInwestycyjny, 6.0L);
        ustawWszystkie(KredytInwestycyjnyWRealizacji, 2.0L);
        ustawWszystkie(Zobowiazania, 15.0L);
        ustawWszystkie(KredytSanacyjny, 5.0L);
        ustawWszystkie(SumaPasywow, 90.0L);
    }
    bool uruchom() { return Raport_BIK(k); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.BIK")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.BIK.html")); }
    std::vector<std::string> kapital() const { return LinieWyniku(wyjscie("firma.kap.html")); }
    std::uintmax_t rozmiar(const std::string& nazwa) const { return std::filesystem::file_size(wyjscie(nazwa)); }
};

using S = std::vector<std::string>;

TEST(RaportBIK, WritesTheTextAndBothPagesUnderTheOperatorsNameAndClearsTheFlag) {
    Bilans b;
    b.k.NumerWezla = 7;
    ASSERT_TRUE(b.uruchom());
    EXPECT_FALSE(b.k.FlagiWynikow.BIK);
    auto t = b.tekst();
    ASSERT_EQ(t.size(), static_cast<std::size_t>(LiniiBilansu + LiniiKapitalu + LiniiBilansuDwustronnego));
    EXPECT_EQ(t[0], "Plik stanu modelu: " + b.k.KatalogOperatora + "firma.qad");
    EXPECT_EQ(t[1].substr(t[1].size() - 3), "  7");
    // Each statement starts with its own header lines.
    EXPECT_EQ(t[Kap(1)], t[0]);
    EXPECT_EQ(t[Bil(1)], t[0]);
    EXPECT_EQ(b.strona().size(), 63u);
    EXPECT_EQ(b.kapital().size(), 82u);
}

TEST(RaportBIK, TheEntryWritesNothingWhileTheReportIsNotPending) {
    Bilans b;
    b.k.FlagiWynikow.BIK = false;
    EXPECT_FALSE(b.uruchom());
    EXPECT_FALSE(std::filesystem::exists(b.wyjscie("firma.BIK")));
    EXPECT_EQ(b.odczyt(RachunekRozliczeniowy, 1), 6.0L);
}

TEST(RaportBIK, NegativeCashPrintsZeroAndReducedReceivablesInEveryOutput) {
    Bilans b;
    b.ustaw(RachunekRozliczeniowy, 2, -3.5L);
    b.ustaw(RachunekRozliczeniowy, 3, 0.0L);
    ASSERT_TRUE(b.uruchom());
    EXPECT_EQ(b.odczyt(RachunekRozliczeniowy, 2), 0.0L);
    EXPECT_EQ(b.odczyt(Naleznosci, 2), 6.5L);
    EXPECT_EQ(b.odczyt(Naleznosci, 3), 10.0L);  // a balance of exactly 0 is left alone

    auto t = b.tekst();
    for (int n : {30, 31, 32}) EXPECT_EQ(Grupa(t[Bik(n)], 49), (S{"10.0", "6.5", "10.0"})) << n;
    for (int n : {33, 34, 35}) EXPECT_EQ(Grupa(t[Bik(n)], 49), (S{"6.0", "0.0", "0.0"})) << n;
    EXPECT_EQ(Grupa(t[Bil(34)], 31), (S{"10.0", "6.5", "10.0"}));
    EXPECT_EQ(Grupa(t[Bil(36)], 31), (S{"6.0", "0.0", "0.0"}));
    auto h = b.strona();
    for (int n : {33, 34, 35}) EXPECT_EQ(KomorkiHtml(h[n - 1]), (S{"10.00", "6.50", "10.00"})) << n;
    for (int n : {36, 37, 38}) EXPECT_EQ(KomorkiHtml(h[n - 1]), (S{"6.00", "0.00", "0.00"})) << n;
}

TEST(RaportBIK, AfterTheWriteBackEquityAndLiabilitiesAddUpToTheTotal) {
    Bilans b;
    b.ustawWszystkie(SumaPasywow, 100.0L);
    b.ustawWszystkie(Zobowiazania, 10.0L);  // 50 + 20 + 10 + 5 = 85: 15 short
    ASSERT_TRUE(b.uruchom());
    auto t = b.tekst();
    EXPECT_EQ(Grupa(t[Bik(47)], 49), (S{"50.0", "50.0", "50.0"}));
    EXPECT_EQ(Grupa(t[Bik(53)], 49), (S{"50.0", "50.0", "50.0"}));
    EXPECT_EQ(Grupa(t[Bik(67)], 49), (S{"25.0", "25.0", "25.0"}));
    EXPECT_EQ(Grupa(t[Bik(70)], 49), (S{"100.0", "100.0", "100.0"}));
    EXPECT_EQ(Grupa(t[Bil(35)], 88), (S{"25.0", "25.0", "25.0"}));
    EXPECT_EQ(KomorkiHtml(b.strona()[60 - 1]), (S{"25.00", "25.00", "25.00"}));
    EXPECT_EQ(b.odczyt(PozostaleWplywyRoku, 1), 15.0L);

    // A second run over the same record stores a zero item and keeps the payables.
    b.k.FlagiWynikow.BIK = true;
    ASSERT_TRUE(b.uruchom());
    for (int y = 1; y <= 3; ++y) {
        EXPECT_EQ(b.odczyt(PozostaleWplywyRoku, y), 0.0L);
        EXPECT_EQ(b.odczyt(Zobowiazania, y), 25.0L);
    }
    EXPECT_EQ(Grupa(b.tekst()[Bik(67)], 49), (S{"25.0", "25.0", "25.0"}));
}

TEST(RaportBIK, TheRootsStatementsCarry2009To2011AndAChildsTheNextThreeYears) {
    Bilans b;
    ASSERT_TRUE(b.uruchom());
    auto t = b.tekst();
    const S lata{"2009", "2010", "2011"};
    EXPECT_EQ(Grupa(t[Bik(9)], 49), lata);
    EXPECT_EQ(Grupa(t[Bik(44)], 49), lata);
    // The capital statement shows the years in both groups, values only in the left one.
    EXPECT_EQ((S{test::Pole(t[Kap(9)], 76, 5), test::Pole(t[Kap(9)], 86, 5), test::Pole(t[Kap(9)], 96, 5)}), lata);
    EXPECT_EQ((S{test::Pole(t[Kap(9)], 102, 5), test::Pole(t[Kap(9)], 112, 5), test::Pole(t[Kap(9)], 122, 5)}), lata);
    EXPECT_EQ(Grupa(t[Kap(23)], 74), (S{"40.0", "40.0", "40.0"}));
    EXPECT_LE(t[Kap(23)].size(), 101u);
    EXPECT_EQ((S{test::Pole(t[Bil(9)], 33, 5), test::Pole(t[Bil(9)], 43, 5), test::Pole(t[Bil(9)], 53, 5)}), lata);
    EXPECT_EQ((S{test::Pole(t[Bil(9)], 90, 5), test::Pole(t[Bil(9)], 100, 5), test::Pole(t[Bil(9)], 110, 5)}), lata);
    EXPECT_EQ(KomorkiHtml(b.strona()[19 - 1]), lata);
    EXPECT_EQ(KomorkiHtml(b.strona()[43 - 1]), lata);
    EXPECT_EQ(KomorkiHtml(b.kapital()[18 - 1]), lata);

    Bilans dziecko;
    dziecko.k.RekordBiezacy.UstawRok(2015);
    ASSERT_TRUE(dziecko.uruchom());
    EXPECT_EQ(Grupa(dziecko.tekst()[Bik(9)], 49), (S{"2012", "2013", "2014"}));
    EXPECT_EQ(KomorkiHtml(dziecko.kapital()[18 - 1]), (S{"2012", "2013", "2014"}));
}

TEST(RaportBIK, LossIsNegatedInTheTwoSidedBalanceAndReserveDecreaseIsAnAbsoluteValue) {
    Bilans b;
    b.ustawWszystkie(StrataBrutto, 5.0L);
    b.ustawWszystkie(KapitalRezerwowyNaPoczatek, 1.0L);
    b.ustawWszystkie(ZwiekszenieKapitaluRezerwowego, 3.0L);  // 2 - 1 - 3 = -2
    ASSERT_TRUE(b.uruchom());
    auto t = b.tekst();
    EXPECT_EQ(Grupa(t[Bil(23)], 88), (S{"-5.0", "-5.0", "-5.0"}));
    EXPECT_EQ(Grupa(t[Kap(57)], 74), (S{"2.0", "2.0", "2.0"}));
    EXPECT_EQ(KomorkiHtml(b.kapital()[56 - 1]), (S{"2.00", "2.00", "2.00"}));
}

TEST(RaportBIK, AtMostOneOfIncreaseAndDecreaseIsShownPerYear) {
    Bilans b;
    // Share capital without issues: year 1 grows by 1, year 2 falls by 2, year 3 stays.
    b.ustawWszystkie(KapitalAkcyjnyNaPoczatek, 40.0L);
    b.ustawWszystkie(SumaEmisjiNaPoczatek, 4.0L);
    b.ustaw(SumaEmisjiNaKoniec, 1, 3.0L);
    b.ustaw(SumaEmisjiNaKoniec, 2, 6.0L);
    b.ustaw(SumaEmisjiNaKoniec, 3, 4.0L);
    b.ustaw(WynikDoBilansu, 1, 2.0L);
    b.ustaw(WynikDoBilansu, 2, -1.5L);
    b.ustaw(WynikDoBilansu, 3, 0.0L);
    ASSERT_TRUE(b.uruchom());
    auto t = b.tekst();
    EXPECT_EQ(Grupa(t[Kap(31)], 74), (S{"36.0", "36.0", "36.0"}));
    EXPECT_EQ(Grupa(t[Kap(32)], 74), (S{"1.0", "0.0", "0.0"}));
    EXPECT_EQ(Grupa(t[Kap(33)], 74), (S{"0.0", "2.0", "0.0"}));
    EXPECT_EQ(Grupa(t[Kap(34)], 74), (S{"37.0", "34.0", "36.0"}));
    EXPECT_EQ(Grupa(t[Kap(78)], 74), (S{"2.0", "0.0", "0.0"}));
    EXPECT_EQ(Grupa(t[Kap(79)], 74), (S{"0.0", "1.5", "0.0"}));
    auto h = b.kapital();
    EXPECT_EQ(KomorkiHtml(h[35 - 1]), (S{"1.00", "0.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[36 - 1]), (S{"0.00", "2.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[75 - 1]), (S{"2.00", "0.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[76 - 1]), (S{"0.00", "1.50", "0.00"}));
    // The constant rows of the capital page print 0 without decimals, its line 20 with two.
    EXPECT_EQ(KomorkiHtml(h[29 - 1]), (S{"0", "0", "0"}));
    EXPECT_EQ(KomorkiHtml(h[20 - 1]), (S{"0.00", "0.00", "0.00"}));
}

TEST(RaportBIK, WolnyShiftsYearsTwoAndThreeOfTheCashRowsOnly) {
    Bilans b;
    b.ustawWszystkie(RachunekRozliczeniowy, 5.0L);
    b.k.Parametry = CommandLine({"wolny"});
    ASSERT_TRUE(b.uruchom());
    auto t = b.tekst();
    // The draws from seed 0 over 400 values: 0, 12, 344, 81, 109, ...
    EXPECT_EQ(Grupa(t[Bik(33)], 49), (S{"5.0", "3.0", "3.1"}));
    EXPECT_EQ(Grupa(t[Bik(34)], 49), (S{"5.0", "6.4", "3.8"}));
    EXPECT_EQ(Grupa(t[Bik(35)], 49)[1], "4.1");
    EXPECT_EQ(Grupa(t[Bik(30)], 49), (S{"10.0", "10.0", "10.0"}));
    EXPECT_EQ(Grupa(t[Bil(36)], 88), (S{"5.0", "5.0", "5.0"}));  // the right group is plain
    for (int n : {36, 37, 38}) {
        auto c = KomorkiHtml(b.strona()[n - 1]);
        EXPECT_EQ(c[0], "5.00");
        for (int y : {1, 2}) {
            double v = std::stod(c[y]);
            EXPECT_GE(v, 3.0 - 1e-9);
            EXPECT_LE(v, 6.99 + 1e-9);
        }
    }
    // 14 numbers drawn; the record keeps its values.
    Random g;
    for (int i = 0; i < 14; ++i) g.draw(400);
    EXPECT_EQ(b.k.Losowanie.seed(), g.seed());
    EXPECT_EQ(b.odczyt(RachunekRozliczeniowy, 2), 5.0L);

    // A second run in the same program run prints other numbers.
    b.k.FlagiWynikow.BIK = true;
    ASSERT_TRUE(b.uruchom());
    EXPECT_NE(b.tekst(), t);
}

TEST(RaportBIK, AnyOtherFirstParameterPrintsExactValues) {
    Bilans b;
    b.ustawWszystkie(RachunekRozliczeniowy, 5.0L);
    b.k.Parametry = CommandLine({"Wolny"});
    ASSERT_TRUE(b.uruchom());
    EXPECT_EQ(Grupa(b.tekst()[Bik(33)], 49), (S{"5.0", "5.0", "5.0"}));
    EXPECT_EQ(KomorkiHtml(b.strona()[37 - 1]), (S{"5.00", "5.00", "5.00"}));
    EXPECT_EQ(b.k.Losowanie.seed(), 0u);
}

TEST(RaportBIK, TemplatesOfNAndOfNPlusOneLinesGiveTheSameOutput) {
    auto wydluz = [](Bilans& b, int linii) {
        auto l = LinieWyniku(b.tmp.file("TABWZOR/QAD.BIK"));
        l.resize(static_cast<std::size_t>(linii), "dopisana linia");
        std::string s;
        for (auto& x : l) s += x + "\r\n";
        b.tmp.write("TABWZOR/QAD.BIK", s);
    };
    Bilans n, n1;
    wydluz(n, 160);
    wydluz(n1, 161);
    ASSERT_TRUE(n.uruchom());
    ASSERT_TRUE(n1.uruchom());
    auto bezSciezki = [](const Bilans& b) {
        auto l = b.tekst();
        for (auto& x : l)
            if (auto p = x.find(b.tmp.folder()); p != std::string::npos) x.erase(p, b.tmp.folder().size());
        return l;
    };
    EXPECT_EQ(bezSciezki(n), bezSciezki(n1));
}

TEST(RaportBIK, MissingTemplateLinesAreWrittenEmpty) {
    Bilans b;
    b.tmp.write("TABWZOR/QAD.BIL", "Plik: \r\nNr\r\n");
    ASSERT_TRUE(b.uruchom());
    auto t = b.tekst();
    ASSERT_EQ(t.size(), static_cast<std::size_t>(LiniiBilansu + LiniiKapitalu + LiniiBilansuDwustronnego));
    for (int n = 3; n <= 39; ++n) EXPECT_EQ(t[Bil(n)], "") << n;
}

// ---------------------------------------------------------- failure table

TEST(RaportBIKAwarie, AnOutputThatCannotBeCreatedWritesNothingAndKeepsTheFlag) {
    Bilans b;
    b.ustaw(RachunekRozliczeniowy, 1, -1.0L);
    b.k.KatalogOperatora = b.tmp.folder() + "BRAK/";
    EXPECT_FALSE(b.uruchom());
    EXPECT_TRUE(b.k.FlagiWynikow.BIK);
    EXPECT_EQ(b.odczyt(RachunekRozliczeniowy, 1), -1.0L);  // no write-back
}

// A template that cannot be read, whichever of the five: every file of
// the report stays as it was (or absent), the flag set, the record as it
// was, the reason naming the template.
TEST(RaportBIKAwarie, ATemplateThatCannotBeReadChangesNoFile) {
    const std::vector<std::pair<std::string, std::string>> przypadki = {
        {"QAD.BIK", "brak"},   {"QAD.BIK", "potok"}, {"QAD.BIK", "folder"}, {"QAD.BIK", "martwe"},
        {"QAD.BIK", "urzadzenie"}, {"QAD.BIK", "za duzy"}, {"QAD.KAP", "brak"},
        {"QAD.BIL", "potok"},      {"QAD.BIK.HTML", "brak"}, {"QAD.KAP.HTML", "potok"},
    };
    for (const auto& [wzorzec, rodzaj] : przypadki) {
        SCOPED_TRACE(wzorzec + " " + rodzaj);
        Bilans b;
        b.ustaw(RachunekRozliczeniowy, 1, -1.0L);
        b.tmp.write("OPER/firma.BIK", "dawny bilans\r\n");
        const std::string plik = b.tmp.file("TABWZOR/" + wzorzec);
        std::filesystem::remove(plik);
        if (rodzaj == "potok") ASSERT_EQ(::mkfifo(plik.c_str(), 0600), 0);
        if (rodzaj == "folder") std::filesystem::create_directory(plik);
        if (rodzaj == "martwe") std::filesystem::create_symlink(b.tmp.file("nic"), plik);
        if (rodzaj == "urzadzenie") std::filesystem::create_symlink("/dev/zero", plik);
        if (rodzaj == "za duzy") b.tmp.write("TABWZOR/" + wzorzec, std::string(vesk::LongestTemplate + 1, '\n'));
        EXPECT_FALSE(b.uruchom());
        EXPECT_EQ(b.tmp.read("OPER/firma.BIK"), "dawny bilans\r\n");
        EXPECT_FALSE(std::filesystem::exists(b.wyjscie("firma.BIK.html")));
        EXPECT_FALSE(std::filesystem::exists(b.wyjscie("firma.kap.html")));
        EXPECT_TRUE(b.k.FlagiWynikow.BIK);
        EXPECT_EQ(b.odczyt(RachunekRozliczeniowy, 1), -1.0L);  // no write-back
        EXPECT_EQ(b.k.PowodBleduRaportu.rfind("szablon " + b.k.catTABWZOR + wzorzec, 0), 0u) << b.k.PowodBleduRaportu;
        if (rodzaj == "folder") EXPECT_NE(b.k.PowodBleduRaportu.find(": to jest folder"), std::string::npos);
        if (rodzaj == "za duzy") EXPECT_NE(b.k.PowodBleduRaportu.find("(ponad 4 MB)"), std::string::npos);
    }
}

TEST(RaportBIKAwarie, ABalancePageThatCannotBeCreatedLeavesTheTextCompleteAndTheFlagCleared) {
    Bilans b;
    std::filesystem::create_directory(b.wyjscie("firma.BIK.html"));
    EXPECT_FALSE(b.uruchom());
    EXPECT_EQ(b.tekst().size(), static_cast<std::size_t>(LiniiBilansu + LiniiKapitalu + LiniiBilansuDwustronnego));
    EXPECT_FALSE(b.k.FlagiWynikow.BIK);
    EXPECT_FALSE(std::filesystem::exists(b.wyjscie("firma.kap.html")));
}

TEST(RaportBIKAwarie, TheCapitalPageFailsLastAndAloneTheOthersStayComplete) {
    Bilans bezPliku;
    std::filesystem::create_directory(bezPliku.wyjscie("firma.kap.html"));
    EXPECT_FALSE(bezPliku.uruchom());
    EXPECT_EQ(bezPliku.strona().size(), 63u);
    EXPECT_FALSE(bezPliku.k.FlagiWynikow.BIK);
}

TEST(RaportBIKAwarie, AWriteErrorEndsTheReportWithFalseInsteadOfEscaping) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Bilans tekst;
    EXPECT_FALSE(Raport_BIK_Tworz(tekst.k, "/dev/full"));
    EXPECT_TRUE(tekst.k.FlagiWynikow.BIK);  // the text was not finished

    Bilans strona;
    std::filesystem::create_symlink("/dev/full", strona.wyjscie("firma.BIK.html"));
    EXPECT_FALSE(strona.uruchom());
    EXPECT_EQ(strona.tekst().size(), static_cast<std::size_t>(LiniiBilansu + LiniiKapitalu + LiniiBilansuDwustronnego));
    EXPECT_FALSE(strona.k.FlagiWynikow.BIK);
    EXPECT_FALSE(std::filesystem::exists(strona.wyjscie("firma.kap.html")));
}

TEST(RaportBIKAwarie, AValueTheRecordCannotHoldEndsTheReportWithFalse) {
    Bilans b;
    b.ustaw(SumaPasywow, 2, real48Max());
    b.ustaw(KapitalWlasny, 2, -real48Max());
    const StanModelu przed = b.k.RekordBiezacy;
    EXPECT_FALSE(b.uruchom());
    EXPECT_TRUE(b.k.RekordBiezacy == przed);
    EXPECT_TRUE(b.k.FlagiWynikow.BIK);
}

// ------------------------------------------------------------------ pages

TEST(RaportBIK, BothPagesAreWellFormedEvenWithMarkupCharactersInThePath) {
    Bilans b;
    std::filesystem::create_directories(b.tmp.file("a&b<c>"));
    b.k.KatalogOperatora = b.tmp.folder() + "a&b<c>/";
    b.k.NumerWezla = 12;
    ASSERT_TRUE(b.uruchom());
    for (const char* nazwa : {"a&b<c>/firma.BIK.html", "a&b<c>/firma.kap.html"}) {
        std::string strona = b.tmp.read(nazwa);
        ASSERT_FALSE(strona.empty()) << nazwa;
        EXPECT_EQ(test::SprawdzHtml(strona), "") << nazwa;
        EXPECT_NE(strona.find("a&amp;b&lt;c&gt;/firma.qad"), std::string::npos) << nazwa;
        EXPECT_NE(strona.find("charset=\"windows-1250\""), std::string::npos) << nazwa;
    }
}

TEST(SprawdzHtml, CatchesUnclosedAndCrossedElementsAndBareMarkupCharacters) {
    const std::string szkielet = "<html><head><title>t</title></head><body>";
    EXPECT_EQ(test::SprawdzHtml(szkielet + "<p>a</p></body></html>"), "");
    EXPECT_NE(test::SprawdzHtml(szkielet + "<p>a</body></html>"), "");
    EXPECT_NE(test::SprawdzHtml(szkielet + "<b><i>a</b></i></body></html>"), "");
    EXPECT_NE(test::SprawdzHtml(szkielet + "a<b</body></html>"), "");
    EXPECT_NE(test::SprawdzHtml(szkielet + "a & b</body></html>"), "");
    EXPECT_NE(test::SprawdzHtml(szkielet + "<td class=\"a>x</td></body></html>"), "");
}

}  // namespace
}  // namespace vesk
