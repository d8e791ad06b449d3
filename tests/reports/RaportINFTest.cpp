// The cash-flow statement: its flows from known record values, signs of
// zero, the three files and how they depend on each other, the 150-
// character lines of NAME.INF, and the noise of the closing cash.
#include "RaportINF.h"

#include <gtest/gtest.h>

#include "CommandLine.h"
#include "PomocRaportow.h"
#include "SprawdzHtml.h"

namespace vesk {
namespace {

using namespace pola;
using test::Grupa;
using test::KomorkiHtml;
using test::LinieWyniku;
using test::SrodowiskoRaportu;

using S = std::vector<std::string>;

// Statement columns: values at 53, 63, 73; cash-situation section at 46.
constexpr int C = 53;
constexpr int CS = 46;
constexpr std::size_t Sytuacja = 54;  // NAME.INF lines before the cash situation

struct Przeplywy : SrodowiskoRaportu {
    Przeplywy() {
        ustawWszystkie(WplywyRoku, 1000.0L);                          // 976
        ustawWszystkie(WydatkiRoku, 700.0L);                          // 992
        ustawWszystkie(KosztyFinansowe, 30.0L);                       // 1520
        ustawWszystkie(DywidendaObowiazkowa, 20.0L);                  // 1240
        ustawWszystkie(NabycieGruntowIUrzadzen, 90.0L);               // 936
        ustawWszystkie(KredytyZaciagnieteRoku, 200.0L);               // 1048
        ustawWszystkie(EmisjaAkcjiZwyklych, 50.0L);                   // 688
        ustawWszystkie(SplataKredytowInwestycyjnych, 40.0L);          // 808
        ustawWszystkie(KredytySplaconeRoku, 60.0L);                   // 1064
        ustawWszystkie(DywidendaZwykla, 10.0L);                       // 3064
        ustawWszystkie(WykorzystaniePieniadza, 300.0L);               // 928
        ustawWszystkie(RachunekRozliczeniowyNaPoczatkuRoku, 500.0L);  // 984
        ustawWszystkie(RachunekRozliczeniowy, 680.0L);                // 3368
    }
    std::vector<std::string> inf() const { return LinieWyniku(wyjscie("firma.INF")); }
    std::vector<std::string> ing() const { return LinieWyniku(wyjscie("firma.ING")); }
    std::vector<std::string> strona() const { return LinieWyniku(wyjscie("firma.ING.html")); }
    void usunWzorzec(const std::string& nazwa) { std::filesystem::remove(tmp.file("TABWZOR/" + nazwa)); }
};

S Trzy(const char* v) { return {v, v, v}; }
S Trzy2(const char* v) { return {std::string(v) + "0", std::string(v) + "0", std::string(v) + "0"}; }

TEST(RaportINF, TheStatementAndTheCashSituationFromKnownFlows) {
    Przeplywy p;
    ASSERT_TRUE(Raport_INF(p.k));
    EXPECT_FALSE(p.k.FlagiWynikow.INF);
    auto ing = p.ing();
    auto inf = p.inf();
    ASSERT_EQ(ing.size(), 55u);
    ASSERT_EQ(inf.size(), 89u);
    // A = 1000 - ((700 - 30) - 20) = 350; B = -90; S = 10 + 20 + 40 + 60 + 30 = 160; C = 250 - 160 = 90.
    const std::pair<int, const char*> wiersze[] = {
        {12, "350.0"}, {15, "1000.0"}, {16, "650.0"}, {17, "350.0"}, {20, "-90.0"}, {23, "0.0"},
        {24, "90.0"},  {25, "30.0"},   {28, "60.0"},  {30, "-90.0"}, {33, "90.0"},  {36, "250.0"},
        {37, "50.0"},  {40, "200.0"},  {41, "160.0"}, {42, "30.0"},  {44, "100.0"}, {45, "30.0"},
        {46, "90.0"},  {48, "350.0"},  {51, "500.0"}, {52, "680.0"}};
    for (const auto& [linia, v] : wiersze) {
        EXPECT_EQ(Grupa(ing[static_cast<std::size_t>(linia - 1)], C), Trzy(v)) << linia;
        EXPECT_EQ(Grupa(inf[static_cast<std::size_t>(linia - 1)], C), Trzy(v)) << linia;
    }
    EXPECT_EQ(test::Pole(ing[9 - 1], 55, 5), "2009");
    EXPECT_EQ(test::Pole(ing[9 - 1], 75, 5), "2011");
    // T = 200 + (50 + (1000 - 700)) = 550.
    const std::pair<int, const char*> sytuacja[] = {
        {12, "550.0"}, {14, "300.0"}, {15, "1000.0"}, {16, "700.0"}, {19, "50.0"},  {20, "200.0"}, {23, "300.0"},
        {25, "90.0"},  {26, "40.0"},  {27, "60.0"},   {28, "10.0"},  {30, "250.0"}, {32, "500.0"}, {33, "680.0"}};
    for (const auto& [linia, v] : sytuacja)
        EXPECT_EQ(Grupa(inf[Sytuacja + static_cast<std::size_t>(linia - 1)], CS), Trzy(v)) << linia;
    EXPECT_EQ(test::Pole(inf[Sytuacja + 9 - 1], 48, 5), "2009");

    auto h = p.strona();
    ASSERT_EQ(h.size(), 45u);
    EXPECT_EQ(test::SprawdzHtml(p.tmp.read("OPER/firma.ING.html")), "");
    const std::pair<int, const char*> strona[] = {{17, "350.0"}, {19, "650.0"}, {22, "-90.0"}, {23, "0.0"},
                                                   {26, "60.0"},  {29, "90.0"},  {33, "160.0"}, {39, "350.0"},
                                                   {41, "500.0"}, {43, "680.0"}};
    for (const auto& [linia, v] : strona) EXPECT_EQ(KomorkiHtml(h[static_cast<std::size_t>(linia - 1)]), Trzy2(v)) << linia;
    EXPECT_FALSE(std::filesystem::exists(p.wyjscie("firma.INF.html")));
}

TEST(RaportINF, NoPurchasesPrintPlainZerosAndTheTotalAddsUp) {
    Przeplywy p;
    p.ustawWszystkie(NabycieGruntowIUrzadzen, 0.0L);
    p.ustaw(WplywyRoku, 2, 1234.56L);
    p.ustaw(KosztyFinansowe, 3, 17.77L);
    ASSERT_TRUE(Raport_INF(p.k));
    auto ing = p.ing();
    for (int linia : {20, 23, 24, 25, 28, 30}) EXPECT_EQ(Grupa(ing[static_cast<std::size_t>(linia - 1)], C), Trzy("0.0")) << linia;
    auto h = p.strona();
    for (int linia : {22, 23, 24, 25, 26, 27}) EXPECT_EQ(KomorkiHtml(h[static_cast<std::size_t>(linia - 1)]), Trzy("0.00")) << linia;
    for (int rok = 0; rok < 3; ++rok) {
        auto pole = [&](int linia) { return std::stod(Grupa(ing[static_cast<std::size_t>(linia - 1)], C)[static_cast<std::size_t>(rok)]); };
        EXPECT_NEAR(pole(48), pole(12) + pole(20) + pole(33), 0.1 + 1e-9) << rok;
    }
}

TEST(RaportINF, NameINFKeeps150CharactersOfAStatementLineAndNameINGAllOfIt) {
    Przeplywy p;
    auto l = LinieWyniku(p.tmp.file("TABWZOR/QAD.ING"));
    l[5 - 1] = std::string(160, '=');
    std::string s;
    for (auto& x : l) s += x + "\r\n";
    p.tmp.write("TABWZOR/QAD.ING", s);
    ASSERT_TRUE(Raport_INF(p.k));
    EXPECT_EQ(p.inf()[5 - 1], std::string(150, '='));
    EXPECT_EQ(p.ing()[5 - 1], std::string(160, '='));
}

TEST(RaportINF, WithoutTheCashSituationTemplateNoFileIsWritten) {
    Przeplywy p;
    p.tmp.write("OPER/firma.ING", "stary\r\n");
    p.usunWzorzec("QAD.INF");
    EXPECT_FALSE(Raport_INF(p.k));
    EXPECT_TRUE(p.k.FlagiWynikow.INF);
    EXPECT_FALSE(std::filesystem::exists(p.wyjscie("firma.INF")));
    EXPECT_EQ(p.tmp.read("OPER/firma.ING"), "stary\r\n");
    EXPECT_FALSE(std::filesystem::exists(p.wyjscie("firma.ING.html")));
    EXPECT_FALSE(Raport_INF_Tworz(p.k, p.wyjscie("firma.INF")));
}

TEST(RaportINF, AMissingPageLeavesTheStatementAndMakesOnlyTheEntryFail) {
    Przeplywy p;
    p.usunWzorzec("QAD.ING.HTML");
    EXPECT_FALSE(Raport_INF(p.k));
    EXPECT_FALSE(p.k.FlagiWynikow.INF);
    EXPECT_EQ(p.inf().size(), 89u);
    EXPECT_FALSE(std::filesystem::exists(p.wyjscie("firma.ING")));
    // The writer keeps its own result: NAME.INF was written.
    EXPECT_TRUE(Raport_INF_Tworz(p.k, p.wyjscie("firma.INF")));
    // While the report is not pending nothing is written.
    std::filesystem::remove(p.wyjscie("firma.INF"));
    EXPECT_FALSE(Raport_INF(p.k));
    EXPECT_FALSE(std::filesystem::exists(p.wyjscie("firma.INF")));
}

TEST(RaportINF, WolnyDisturbsTheClosingCashOfYearsTwoAndThreeInEachFileApart) {
    Przeplywy p;
    p.k.Parametry = CommandLine({"wolny"});
    const StanModelu przed = p.k.RekordBiezacy;
    ASSERT_TRUE(Raport_INF(p.k));
    auto inf = p.inf();
    auto ing = p.ing();
    auto h = p.strona();
    auto a = Grupa(inf[52 - 1], C);
    auto b = Grupa(ing[52 - 1], C);
    auto c = KomorkiHtml(h[43 - 1]);
    EXPECT_EQ(a[0], "680.0");
    EXPECT_EQ(b[0], "680.0");
    EXPECT_EQ(c[0], "680.00");
    for (const S* s : {&a, &b, &c})
        for (int y : {1, 2}) {
            double v = std::stod((*s)[static_cast<std::size_t>(y)]);
            EXPECT_GE(v, 678.0 - 1e-9);
            EXPECT_LE(v, 681.99 + 1e-9);
        }
    EXPECT_NE(a, b) << "each file draws its own noise";
    EXPECT_NE((S{b[1] + "0", b[2] + "0"}), (S{c[1], c[2]}));
    EXPECT_EQ(Grupa(inf[Sytuacja + 33 - 1], CS), Trzy("680.0"));  // the cash situation stays exact
    // Nothing else moves.
    for (std::size_t i = 0; i < 54; ++i)
        if (i != 52 - 1) {
            EXPECT_EQ(inf[i], ing[i]) << i + 1;
        }
    EXPECT_EQ(p.k.RekordBiezacy.bajty, przed.bajty);
}

}  // namespace
}  // namespace vesk
