// The report template machinery: output names, placeholders, the line
// table, the column writers and the "wolny" noise.
#include "SzablonRaportu.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "IoError.h"
#include "Kontekst.h"
#include "Pomocnicze.h"
#include "PomocRaportow.h"
#include "Random.h"
#include "Wyrazenie.h"

namespace vesk {
namespace {

using test::LinieWyniku;
using test::TempDir;

// ------------------------------------------------------------------ names

TEST(NazwyRaportu, StemDotAndExtensionGiveTheOutputAndTheHeaderPath) {
    Kontekst k;
    k.KatalogOperatora = "/dane/OPER/";
    k.NazwaPlikuStanu = "firma.qad";
    EXPECT_EQ(NazwaWyjscia(k, "ZAO"), "/dane/OPER/firma.ZAO");
    EXPECT_EQ(*NazwaWyjscia(k, "ZAO") + ".html", "/dane/OPER/firma.ZAO.html");
    EXPECT_EQ(TekstSciezki(k), "/dane/OPER/firma.qad");
}

TEST(NazwyRaportu, NameWithoutDotGivesAnEmptyStemAndTheWholeNameAsExtension) {
    Kontekst k;
    k.KatalogOperatora = "F/";
    k.NazwaPlikuStanu = "firma";
    EXPECT_EQ(NazwaWyjscia(k, "BIK"), "F/.BIK");
    EXPECT_EQ(TekstSciezki(k), "F/.firma");
}

TEST(NazwyRaportu, TrailingBlanksBeforeTheDotDoNotReachTheName) {
    Kontekst k;
    k.KatalogOperatora = "F/";
    k.NazwaPlikuStanu = "firma  .qad";
    EXPECT_EQ(NazwaWyjscia(k, "BIK"), "F/firma.BIK");
    EXPECT_EQ(TekstSciezki(k), "F/firma.qad");
    // The last "." divides: an operator "a.b" keeps its whole name.
    EXPECT_EQ(RozszerzenieNazwy("a.b.c"), "c");
    EXPECT_EQ(RdzenNazwy("a.b.c"), "a.b");
}

// ----------------------------------------------------------- placeholders

TEST(WstawWartosc, FillsLeftToRightAndGrowsTheLine) {
    std::string l = "<td>x</td><td>x</td>";
    WstawWartosc(l, "   12.50", 1);
    WstawWartosc(l, "    7.00", 1);
    EXPECT_EQ(l, "<td>   12.50</td><td>    7.00</td>");
}

TEST(WstawWartosc, AnXInMarkupIsTakenFirst) {
    std::string l = R"(<td style="width:5px">x</td>)";
    WstawWartosc(l, "1", 1);
    EXPECT_EQ(l, R"(<td style="width:5p1">x</td>)");
}

TEST(WstawWartosc, CountsOnlyLowercaseXAndLeavesALineWithTooFewUnchanged) {
    std::string l = "X x";
    WstawWartosc(l, "7", 1);
    EXPECT_EQ(l, "X 7");
    std::string bez = "<td>X</td>";
    WstawWartosc(bez, "7", 1);
    EXPECT_EQ(bez, "<td>X</td>");
    std::string jedno = "x";
    WstawWartosc(jedno, "7", 2);
    EXPECT_EQ(jedno, "x");
    std::string drugie = "x-x";
    WstawWartosc(drugie, "7", 2);
    EXPECT_EQ(drugie, "x-7");
}

TEST(WstawWartosc, DotVariantPutsADotForAZeroTextOnly) {
    std::string l = "x x x";
    WstawWartoscKropka(l, "        0", 1);
    WstawWartoscKropka(l, "       10", 1);
    WstawWartoscKropka(l, "     0.00", 1);
    EXPECT_EQ(l, ".        10      0.00");
}

TEST(TekstHTML, EscapesAmpersandAndAngleBrackets) {
    EXPECT_EQ(TekstHTML("C:\\a&b<c>d.qad"), "C:\\a&amp;b&lt;c&gt;d.qad");
    EXPECT_EQ(TekstHTML("zwykla/sciezka"), "zwykla/sciezka");
}

// ------------------------------------------------------------- line table

TEST(TabelaLinii, ReadsAtMostNLinesEachCutToKAndFillsTheRestEmpty) {
    TempDir tmp;
    tmp.write("w", "abcdef\r\nxy\r\n\r\nlast");
    TabelaLinii t;
    ASSERT_TRUE(t.wczytaj(tmp.file("w"), 6, 4));
    ASSERT_EQ(t.N(), 6);
    EXPECT_EQ(t[1], "abcd");
    EXPECT_EQ(t[2], "xy");
    EXPECT_EQ(t[3], "");
    EXPECT_EQ(t[4], "last");
    EXPECT_EQ(t[5], "");
    EXPECT_EQ(t[6], "");
}

TEST(TabelaLinii, AKeptTemplateIsReadAgainOnceTheFileChanges) {
    TempDir tmp;
    const auto dawno = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    TabelaLinii t;
    int zmiana = 0;
    for (const char* tresc : {"stara", "stara", "nowa!"}) {  // the same size each time
        tmp.write("w", tresc);
        std::filesystem::last_write_time(tmp.file("w"), dawno + std::chrono::minutes(zmiana++));
        ASSERT_TRUE(t.wczytaj(tmp.file("w"), 1, 9));
        EXPECT_EQ(t[1], tresc);
    }
}

TEST(TabelaLinii, TemplatesOfNAndOfNPlusOneLinesGiveTheSameTable) {
    TempDir tmp;
    tmp.write("n", "1\r\n2\r\n3\r\n");
    tmp.write("n1", "1\r\n2\r\n3\r\n4\r\n");
    TabelaLinii a, b;
    ASSERT_TRUE(a.wczytaj(tmp.file("n"), 3, 10));
    ASSERT_TRUE(b.wczytaj(tmp.file("n1"), 3, 10));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(a[i], b[i]);
}

TEST(TabelaLinii, AcceptsBareLineFeedsAndKeepsAnInnerCarriageReturn) {
    TempDir tmp;
    tmp.write("w", "a\nb\rc\r\n");
    TabelaLinii t;
    ASSERT_TRUE(t.wczytaj(tmp.file("w"), 3, 10));
    EXPECT_EQ(t[1], "a");
    EXPECT_EQ(t[2], "b\rc");
    EXPECT_EQ(t[3], "");
}

TEST(TabelaLinii, MissingTemplateOrFolderIsNotOpened) {
    TempDir tmp;
    TabelaLinii t;
    EXPECT_FALSE(t.wczytaj(tmp.file("brak"), 3, 10));
    EXPECT_FALSE(t.wczytaj(tmp.folder(), 3, 10));
}

TEST(TabelaLinii, FindsTheTemplateWithoutRegardToCase) {
    TempDir tmp;
    tmp.write("qad.bik", "ok\r\n");
    TabelaLinii t;
    ASSERT_TRUE(t.wczytaj(tmp.file("QAD.BIK"), 1, 10));
    EXPECT_EQ(t[1], "ok");
}

// ------------------------------------------------------------ text writers

// A text stage over a one-template folder, output "out".
struct EtapTestowy {
    TempDir tmp;
    Kontekst k;
    RaportTekstowy t{k};

    explicit EtapTestowy(const std::string& wzorzec, int K = 255) {
        tmp.write("W/QAD.TST", wzorzec);
        k.catTABWZOR = tmp.folder() + "W/";
        if (!t.utworz(tmp.file("out"))) throw std::runtime_error("utworz");
        if (!WczytajSzablon(k, "QAD.TST", 20, K, t.tabela())) throw std::runtime_error("wczytaj");
    }
    std::vector<std::string> wynik() {
        t.zamknij();
        return LinieWyniku(tmp.file("out"));
    }
};

TEST(RaportTekstowy, AValueTooWideForItsFieldEvenWithoutDecimalsWidens) {
    EtapTestowy e(std::string(60, '.') + "\r\n");
    e.t.ustawKolumny(31, 88);
    e.t.PiszWiersz3L(1, 1, {123456789.5L, 1.0L, 2.0L});
    auto l = e.wynik().at(0);
    ASSERT_EQ(l.size(), 60u);
    // 123456789.5 loses its decimal and still takes 31-39; the template's
    // character at 40 parts it from the next value.
    EXPECT_EQ(l.substr(30, 18), "123456790.     1.0");
    EXPECT_EQ(l.substr(50, 8), "     2.0");
    EXPECT_EQ(l.substr(58), "..");
}

TEST(RaportTekstowy, ALineEndingBeforeAColumnGetsNoDigitsThereAndKeepsItsLength) {
    EtapTestowy e(std::string(35, '.') + "\r\n" + std::string(20, '-') + "\r\n");
    e.t.ustawKolumny(31, 88);
    e.t.PiszWiersz3L(1, 1, {1.5L, 2.5L, 3.5L});
    e.t.PiszWiersz3L(2, 1, {1.5L, 2.5L, 3.5L});
    auto w = e.wynik();
    EXPECT_EQ(w.at(0), std::string(30, '.') + "     ");  // "     1.5" cut at 35
    EXPECT_EQ(w.at(1), std::string(20, '-'));
}

TEST(RaportTekstowy, YearsAndValuesGoToTheirColumnsInBothGroups) {
    EtapTestowy e(std::string(120, ' ') + "\r\n" + std::string(120, ' ') + "\r\n" + std::string(120, ' ') + "\r\n");
    e.t.ustawKolumny(31, 88);
    e.t.PiszLata(1, 0, {2009.0L, 2010.0L, 2011.0L, 2009.0L, 2010.0L, 2011.0L});
    e.t.PiszWiersz6(2, 1, {1.0L, 2.0L, 3.0L, -4.0L, 5.25L, 6.0L});
    e.t.PiszWiersz3P(3, 2, {7.0L, 8.0L, 9.0L});
    auto w = e.wynik();
    EXPECT_EQ(test::Pole(w[0], 33, 5), "2009");
    EXPECT_EQ(test::Pole(w[0], 43, 5), "2010");
    EXPECT_EQ(test::Pole(w[0], 53, 5), "2011");
    EXPECT_EQ(test::Pole(w[0], 90, 5), "2009");
    EXPECT_EQ(test::Pole(w[0], 100, 5), "2010");
    EXPECT_EQ(test::Pole(w[0], 110, 5), "2011");
    EXPECT_EQ(w[0].substr(32, 5), " 2009");
    EXPECT_EQ(w[1].substr(30, 28), "     1.0       2.0       3.0");
    EXPECT_EQ(w[1].substr(87, 28), "    -4.0       5.3       6.0");
    EXPECT_EQ(w[2].substr(87, 28), "    7.00      8.00      9.00");
    EXPECT_EQ(w[2].substr(0, 87), std::string(87, ' '));
}

TEST(RaportTekstowy, ThreeYearsAndTwoValuesUseTheLeftGroup) {
    EtapTestowy e(std::string(80, ' ') + "\r\n" + std::string(80, ' ') + "\r\n");
    e.t.ustawKolumny(53, 53);
    e.t.PiszLata3(1, 0, {2012.0L, 2013.0L, 2014.0L});
    e.t.PiszWiersz2(2, 2, {1.0L, 0.5L});
    auto w = e.wynik();
    EXPECT_EQ(w[0].substr(54, 25), " 2012      2013      2014");
    EXPECT_EQ(w[1].substr(52, 18), "    1.00      0.50");
}

TEST(RaportTekstowy, ScheduleCodesPrintDigitsOrADot) {
    EtapTestowy e(std::string(120, ' ') + "\r\n");
    e.t.ustawKolumny(88, 88);
    e.t.PiszWiersz6Cyfr(1, {0, 3, 12, 0, 1, 0});
    auto l = e.wynik().at(0);
    EXPECT_EQ(l[89], '.');
    EXPECT_EQ(l[93], '3');
    EXPECT_EQ(l.substr(99, 2), "12");
    EXPECT_EQ(l[103], '.');
    EXPECT_EQ(l[109], '1');
    EXPECT_EQ(l[113], '.');
    EXPECT_EQ(l.size(), 120u);
}

TEST(RaportTekstowy, HeaderAppendsThePathAndTheNodeNumberCutToK) {
    EtapTestowy e("Plik: \r\nWezel nr\r\n", 20);
    e.k.KatalogOperatora = "/o/";
    e.k.NazwaPlikuStanu = "firma.qad";
    e.k.NumerWezla = 5;
    e.t.PiszNaglowek();
    auto w = e.wynik();
    EXPECT_EQ(w.at(0), "Plik: /o/firma.qad");
    EXPECT_EQ(w.at(1), "Wezel nr  5");

    EtapTestowy krotki("Plik stanu modelu: \r\n\r\n", 20);
    krotki.k.KatalogOperatora = "/o/";
    krotki.k.NazwaPlikuStanu = "firma.qad";
    krotki.t.PiszNaglowek();
    EXPECT_EQ(krotki.wynik().at(0), "Plik stanu modelu: /");
}

TEST(RaportTekstowy, AFailedWriteRaisesTheInputOutputError) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    TempDir tmp;
    tmp.write("W/QAD.TST", "linia\r\n");
    Kontekst k;
    k.catTABWZOR = tmp.folder() + "W/";
    RaportTekstowy t(k);
    ASSERT_TRUE(t.utworz("/dev/full"));
    ASSERT_TRUE(WczytajSzablon(k, "QAD.TST", 1, 255, t.tabela()));
    EXPECT_THROW(
        {
            for (int i = 0; i < 10000; ++i) t.PiszLinie(1, 1);
            t.zamknij();
        },
        IoError);
}

// ------------------------------------------------------------- HTML stage

struct StronaTestowa {
    TempDir tmp;
    Kontekst k;
    StronaHTML h{k};

    StronaTestowa(const std::string& wzorzec, int K) {
        tmp.write("W/QAD.TST.HTML", wzorzec);
        k.catTABWZOR = tmp.folder() + "W/";
        if (!h.utworz(tmp.file("out.html"))) throw std::runtime_error("utworz");
        if (!WczytajSzablon(k, "QAD.TST.HTML", 12, K, h.tabela())) throw std::runtime_error("wczytaj");
    }
};

std::string LinieHtml(int ile) {
    std::string s;
    for (int i = 1; i <= ile; ++i) s += (i == 9 ? std::string("<p>Plik: ") : i == 11 ? std::string("<p>Nr") : "") + "\r\n";
    return s;
}

TEST(StronaHTML, HeaderEscapesThePathAndAppendsTheNodeNumber) {
    StronaTestowa s(LinieHtml(12), 255);
    s.k.KatalogOperatora = "/a&b<c>/";
    s.k.NazwaPlikuStanu = "firma.qad";
    s.k.NumerWezla = 12;
    s.h.PiszNaglowek();
    EXPECT_EQ(s.h.tabela()[9], "<p>Plik: /a&amp;b&lt;c&gt;/firma.qad");
    EXPECT_EQ(s.h.tabela()[11], "<p>Nr 12");
}

TEST(StronaHTML, ACutHeaderLeavesNoHalfCharacterReference) {
    StronaTestowa s(LinieHtml(12), 14);
    s.k.KatalogOperatora = "/a&b/";
    s.k.NazwaPlikuStanu = "f.qad";
    s.h.PiszNaglowek();
    // "<p>Plik: /a&amp;..." cut at 14 would end in "&am".
    EXPECT_EQ(s.h.tabela()[9], "<p>Plik: /a");
}

TEST(StronaHTML, FillsLeftToRightAndCutsAGrowingLineAtK) {
    StronaTestowa s("<td>x</td><td>x</td>\r\n<td>x</td><td>x</td>\r\n", 20);
    s.h.Wypelnij(1, 12.0L, 2);
    EXPECT_EQ(s.h.tabela()[1], "<td>    12.00</td><t");
    s.h.Wypelnij(1, 7.0L, 2);  // its placeholder was cut off: the value is dropped
    EXPECT_EQ(s.h.tabela()[1], "<td>    12.00</td><t");
    s.h.WypelnijKropka(2, 0.0L, 0);
    EXPECT_EQ(s.h.tabela()[2], "<td>.</td><td>x</td>");
}

// ------------------------------------------------------------------ years

TEST(LataRaportu, TheRootPrints2009To2011AndItsChild2012To2014) {
    StanModelu r;
    r.UstawRok(2012);
    auto rok = RokKalendarzowy();
    EXPECT_EQ(rok(r, 1), 2009.0L);
    EXPECT_EQ(rok(r, 2), 2010.0L);
    EXPECT_EQ(rok(r, 3), 2011.0L);
    r.UstawRok(2015);
    EXPECT_EQ(rok(r, 1), 2012.0L);
    EXPECT_EQ(rok(r, 3), 2014.0L);
}

// ------------------------------------------------------------------ noise

TEST(Szum, TheGeneratorFromSeedZeroGivesTheKnownSequence) {
    Random g;
    std::vector<std::uint32_t> ciag;
    for (int i = 0; i < 5; ++i) ciag.push_back(g.draw(400));
    EXPECT_EQ(ciag, (std::vector<std::uint32_t>{0, 12, 344, 81, 109}));
}

TEST(Szum, OnlyTheExactLowercaseWordWolnyTurnsItOn) {
    Kontekst k;
    EXPECT_FALSE(TrybWolny(k));
    k.Parametry = CommandLine({"wolny"});
    EXPECT_TRUE(TrybWolny(k));
    k.Parametry = CommandLine({"Wolny"});
    EXPECT_FALSE(TrybWolny(k));
    k.Parametry = CommandLine({"P", "wolny"});
    EXPECT_FALSE(TrybWolny(k));
}

TEST(Szum, ANoisyValueIsVMinusTwoPlusTheDrawInHundredths) {
    Kontekst k;
    EXPECT_EQ(RealNaTekst(Zaszum(k, 10.0L), 9, 2), "     8.00");  // R = 0
    EXPECT_EQ(RealNaTekst(Zaszum(k, 10.0L), 9, 2), "     8.12");  // R = 12
    EXPECT_EQ(RealNaTekst(Zaszum(k, 10.0L), 9, 2), "    11.44");  // R = 344
}

}  // namespace
}  // namespace vesk
