// The decision-variables report: decision fields at their record-map
// offsets (year strides of 18 and 6 bytes), the scaled prices and shares,
// the schedule codes as digits and dots, and its two callers.
#include "RaportDEC.h"

#include <gtest/gtest.h>

#include "PomocRaportow.h"
#include "SprawdzHtml.h"
#include "SzablonRaportu.h"

namespace vesk {
namespace {

using test::KomorkiHtml;
using test::LinieWyniku;
using test::Pole;
using test::SrodowiskoRaportu;

using S = std::vector<std::string>;

struct Decyzje : SrodowiskoRaportu {
    void real(std::size_t offset, long double v) { k.RekordBiezacy.zapis().setReal48(offset, v); }
    void kod(int wpis, std::uint8_t v) { k.RekordBiezacy.zapis().setU8(3024 + 24 * static_cast<std::size_t>(wpis - 1), v); }
    std::vector<std::string> tekst() const { return LinieWyniku(wyjscie("firma.DEC")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.DEC.html")); }
};

// The six cells of a schedule line of the page.
S SzescKomorek(const std::string& linia) {
    S k;
    for (std::size_t i = linia.find("<td>"); i != std::string::npos; i = linia.find("<td>", i + 1))
        k.push_back(test::Przytnij(linia.substr(i + 4, linia.find("</td>", i) - i - 4)));
    return k;
}

TEST(RaportDEC, PricesAndSharesPrintScaledFromTheirYearStrides) {
    Decyzje d;
    d.real(2840, 0.25L);                  // price of Alfa, year 1
    d.real(2840 + 18 * 2 + 6 * 2, 0.3L);  // price of Gamma, year 3
    d.real(2784 + 18 + 6, 450.0L);        // production of Beta, year 2
    d.real(2896 + 6 * 2, 420.0L);         // raw material Red, year 1
    d.real(2952 + 6, 0.1L);               // dividend share, year 2
    d.real(2976 + 12, 0.35L);             // debt ratio, year 3
    d.real(3000, 5.0L);                   // share issue, year 1
    ASSERT_TRUE(Raport_DEC(d.k));
    EXPECT_FALSE(d.k.FlagiWynikow.DEC);
    auto t = d.tekst();
    ASSERT_EQ(t.size(), 52u);
    EXPECT_EQ(t[16 - 1].substr(87, 8), "   250.0");
    EXPECT_EQ(Pole(t[18 - 1], 108, 8), "300.0");
    EXPECT_EQ(Pole(t[13 - 1], 98, 8), "450.0");
    EXPECT_EQ(Pole(t[22 - 1], 88, 8), "420.0");
    EXPECT_EQ(Pole(t[24 - 1], 98, 8), "10.0");
    EXPECT_EQ(Pole(t[26 - 1], 108, 8), "35.0");
    EXPECT_EQ(Pole(t[28 - 1], 88, 8), "5.0");
    EXPECT_EQ((S{Pole(t[9 - 1], 90, 5), Pole(t[9 - 1], 100, 5), Pole(t[9 - 1], 110, 5)}), (S{"2009", "2010", "2011"}));

    auto h = d.strona();
    ASSERT_EQ(h.size(), 52u);
    EXPECT_EQ(test::SprawdzHtml(d.tmp.read("OPER/firma.DEC.html")), "");
    EXPECT_NE(h[29 - 1].find(">   250.00<"), std::string::npos);
    EXPECT_EQ(KomorkiHtml(h[21 - 1]), (S{"2009", "2010", "2011"}));
    EXPECT_EQ(KomorkiHtml(h[29 - 1]), (S{"250.00", "0.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[31 - 1]), (S{"0.00", "0.00", "300.00"}));
    EXPECT_EQ(KomorkiHtml(h[25 - 1]), (S{"0.00", "450.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[36 - 1]), (S{"420.00", "0.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[39 - 1]), (S{"0.00", "10.00", "0.00"}));
    EXPECT_EQ(KomorkiHtml(h[42 - 1]), (S{"0.00", "0.00", "35.00"}));
    EXPECT_EQ(KomorkiHtml(h[45 - 1]), (S{"5.00", "0.00", "0.00"}));
}

TEST(RaportDEC, TheScheduleShowsDotsForEmptyEntriesAndDigitsFromTheirColumns) {
    Decyzje d;  // every code 0
    ASSERT_TRUE(Raport_DEC(d.k));
    auto t = d.tekst();
    auto h = d.strona();
    for (int n : {30, 31, 32})
        for (int c : {90, 94, 100, 104, 110, 114}) EXPECT_EQ(t[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(c - 1)], '.') << n << " " << c;
    for (int n : {48, 49, 50}) EXPECT_EQ(SzescKomorek(h[static_cast<std::size_t>(n - 1)]), S(6, ".")) << n;

    d.kod(1, 12);  // Alfa, year 1, project 1
    d.kod(8, 3);   // Beta, year 1, project 2
    d.kod(18, 1);  // Gamma, year 3, project 2
    d.k.FlagiWynikow.DEC = true;
    ASSERT_TRUE(Raport_DEC(d.k));
    t = d.tekst();
    h = d.strona();
    EXPECT_EQ(t[30 - 1].substr(89, 2), "12");
    EXPECT_EQ(t[30 - 1].substr(93, 1), ".");  // a two-digit code spills only into the gap
    EXPECT_EQ(t[31 - 1][94 - 1], '3');
    EXPECT_EQ(t[32 - 1][114 - 1], '1');
    EXPECT_EQ(t[32 - 1][110 - 1], '.');
    EXPECT_NE(h[48 - 1].find("<td>       12</td>"), std::string::npos);
    EXPECT_EQ(SzescKomorek(h[48 - 1]), (S{"12", ".", ".", ".", ".", "."}));
    EXPECT_EQ(SzescKomorek(h[49 - 1]), (S{".", "3", ".", ".", ".", "."}));
    EXPECT_EQ(SzescKomorek(h[50 - 1]), (S{".", ".", ".", ".", ".", "1"}));
}

TEST(RaportDEC, NoOperatorMeansNoReportAndTheFlagKeepsItsValue) {
    Decyzje d;
    d.k.NazwaPlikuStanu.clear();
    EXPECT_FALSE(Raport_DEC(d.k));
    EXPECT_TRUE(d.k.FlagiWynikow.DEC);
    EXPECT_TRUE(std::filesystem::is_empty(d.tmp.file("OPER")));
    d.k.FlagiWynikow.DEC = false;
    d.k.NazwaPlikuStanu = "firma.qad";
    EXPECT_FALSE(Raport_DEC(d.k));
    EXPECT_TRUE(std::filesystem::is_empty(d.tmp.file("OPER")));
}

TEST(RaportDEC, ADirectCallWritesUnderTheCallersNameWhateverTheFlag) {
    Decyzje d;
    d.k.FlagiWynikow.DEC = false;
    ASSERT_TRUE(Raport_DEC_Tworz(d.k, d.wyjscie("wskazniki.rap")));
    EXPECT_FALSE(d.k.FlagiWynikow.DEC);
    EXPECT_EQ(LinieWyniku(d.wyjscie("wskazniki.rap")).size(), 52u);
    EXPECT_EQ(LinieWyniku(d.wyjscie("wskazniki.rap.html")).size(), 52u);
    d.k.FlagiWynikow.DEC = true;
    ASSERT_TRUE(Raport_DEC_Tworz(d.k, d.wyjscie("wskazniki.rap")));
    EXPECT_FALSE(d.k.FlagiWynikow.DEC);
    EXPECT_FALSE(std::filesystem::exists(d.wyjscie("firma.DEC")));
}

// What killed writes of the operator's report files left where no open
// clears it (a folder the user chose) goes once before they are written,
// another operator's stays; in the operator folder, cleared at its open,
// the writes look for nothing.
TEST(RaportDEC, TheTemporariesKilledWritesLeftGoOnlyWhereNoOpenClearsThem) {
    for (const bool wybrany : {false, true}) {
        Decyzje d;
        if (wybrany) d.k.KatalogSprawozdan = d.tmp.folder() + "WYBRANY/";
        const std::string folder = wybrany ? "WYBRANY/" : "OPER/";
        const std::string pozostalosci[] = {"firma.DEC.tmpAbC123", "firma.DEC.html.tmpYi5S7g", "firma.SRE.tmpAbC123"};
        for (const std::string& p : pozostalosci) d.tmp.write(folder + p, "stary");
        d.tmp.write(folder + "inna.DEC.tmpAbC123", "inny");
        UsunPozostalosciPoza(d.k);
        ASSERT_TRUE(Raport_DEC(d.k));
        for (const std::string& p : pozostalosci) EXPECT_EQ(d.tmp.exists(folder + p), !wybrany) << p;
        EXPECT_TRUE(d.tmp.exists(folder + "inna.DEC.tmpAbC123"));
    }
}

}  // namespace
}  // namespace vesk
