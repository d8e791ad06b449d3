// Side formulas, their text parsers, the indicator table, the ".tre"
// reader and the definition panel.
#include <gtest/gtest.h>

#include "DrzewoPozycji.h"
#include "PanelDefinicji.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"
#include "Wskaznik.h"

namespace vesk {
namespace {

using test::P;

struct Rozbior {
    const char* formula;
    int n;
    const char* pozycja;
    const char* zrodlo;
    char operand;
};

TEST(Parsers, SplitItemsOfASideFormula) {
    const Rozbior t[] = {
        {"zapasy(Bilans Aktywa)", 1, "zapasy", "Bilans Aktywa", '!'},
        {"a(X)*b(Y)", 1, "a", "X", '!'},
        {"a(X)*b(Y)", 2, "b", "Y", '*'},
        {"a(X)*b(Y)", 3, "", "", '*'},  // no third item: the last operator
        {"a(X)", 2, "", "", '\x14'},      // no operator at all
        {"", 1, "", "", '\x14'},
        {"a(X)-b(Y)", 2, "b", "Y", '-'},
        {"- Wydatki(Z)", 1, "-", "", '-'},  // a label starting with an operator is split there
    };
    for (const auto& r : t) {
        SCOPED_TRACE(std::string(r.formula) + " #" + std::to_string(r.n));
        EXPECT_EQ(RozbiorPozycja(r.formula, r.n), r.pozycja);
        EXPECT_EQ(RozbiorZrodlo(r.formula, r.n), r.zrodlo);
        EXPECT_EQ(RozbiorOperand(r.formula, r.n), r.operand);
    }
}

TEST(Parsers, SideFormulaJoinsBoxesAndOperator) {
    StronaWskaznika s;
    s.Pierwsza = PozycjaWskaznika{"X", "a"};
    EXPECT_EQ(s.Formula(), "a(X)");
    s.Operator = "+";
    s.Druga = PozycjaWskaznika{"Y", "b"};
    EXPECT_EQ(s.Formula(), "a(X)+b(Y)");
    ASSERT_EQ(s.Skladniki().size(), 2u);
    EXPECT_EQ(s.Skladniki()[1].first, '+');
    s.Operator = "xxx";  // no operator: the second item does not count
    EXPECT_EQ(s.Skladniki().size(), 1u);
}

TEST(Table, CashFlowItemStartingWithMinusRoundTripsStructured) {
    const PozycjaWskaznika wydatki{P("Płynność Finansowa Przedsiębiorstwa"), P("- Wydatki pieniężne")};
    IndicatorDef d;
    d.Nazwa = "w";
    d.Kolumna2 = "cokolwiek";
    d.Licznik.Pierwsza = wydatki;
    d.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans Aktywa", "jedynka"};
    d.Mianownik.Operator = "*";
    d.Mianownik.Druga = PozycjaWskaznika{"Bilans Aktywa", "zapasy"};
    d.Relacja = "x<>";
    d.T1 = "1";
    d.T2 = "2";
    TabelaWskaznikow t;
    t.Dodaj(d);
    EXPECT_EQ(t.LiczbaWskaznikow, 2);
    EXPECT_EQ(t.Komorka(2, kol::PozycjaLicznika1), P("- Wydatki pieniężne"));
    EXPECT_EQ(t.Komorka(2, kol::OperatorMianownika), "*");
    EXPECT_EQ(t.Komorka(0, 19), "S");
    const IndicatorDef z = IndicatorDef::ZWiersza(t.Wiersze[2]);
    EXPECT_EQ(z.Licznik.Pierwsza, wydatki);
    EXPECT_EQ(z.Mianownik.Druga, d.Mianownik.Druga);
    EXPECT_EQ(z.Kolumna2, "cokolwiek");
    WierszWskaznika w = z.DoWiersza();
    EXPECT_EQ(w[0], "");  // the row number is the grid's
    w[0] = "2";
    EXPECT_EQ(w, t.Wiersze[2]);
    EXPECT_EQ(t.Nazwy(), std::vector<std::string>{"w"});
    // The text form still splits at the minus.
    EXPECT_EQ(RozbiorPozycja(wydatki.Tekst(), 1), "-");
    EXPECT_EQ(RozbiorZrodlo(wydatki.Tekst(), 1), "");
}

TEST(Table, RowWithoutSecondItemHasNoOperator) {
    WierszWskaznika w;
    w[kol::ZrodloLicznika1] = "X";
    w[kol::PozycjaLicznika1] = "a";
    w[kol::OperatorLicznika] = "+";
    const IndicatorDef d = IndicatorDef::ZWiersza(w);
    EXPECT_FALSE(d.Licznik.Druga);
    EXPECT_EQ(d.Licznik.Operator, "");
    EXPECT_FALSE(d.Mianownik.Pierwsza);
}

TEST(Table, BlankCellsOfASpreadsheetProgramAreEmptyItems) {
    WierszWskaznika w;
    w[kol::ZrodloLicznika1] = "X";
    w[kol::PozycjaLicznika1] = "a";
    for (int c : {kol::OperatorLicznika, kol::ZrodloLicznika2, kol::PozycjaLicznika2, kol::ZrodloMianownika2,
                  kol::PozycjaMianownika2})
        w[static_cast<std::size_t>(c)] = " ";
    const IndicatorDef d = IndicatorDef::ZWiersza(w);
    EXPECT_FALSE(d.Licznik.Druga);
    EXPECT_FALSE(d.Mianownik.Druga);
}

// ------------------------------------------------------------- trees

std::string Ksztalt(const DrzewoPozycji& d, int numer = 0) {
    std::string s;
    for (int n : d.Dzieci(numer)) {
        if (!s.empty()) s += ",";
        s += d.Wezel(n)->Tekst + std::to_string(n);
        const std::string dzieci = Ksztalt(d, n);
        if (!dzieci.empty()) s += "{" + dzieci + "}";
    }
    return s;
}

TEST(TreeReader, DepthFromLeadingTabsOrBlanks) {
    struct {
        std::vector<std::string> linie;
        const char* ksztalt;
    } t[] = {
        {{"A", "\tB", "\t\tC", "\tD", "E"}, "A1{B2{C3},D4},E5"},
        {{"A", " B", "  C", " D", "E"}, "A1{B2{C3},D4},E5"},
        {{"A", " B", "", "   ", "C"}, "A1{B2},C3"},
        {{}, ""},
    };
    for (const auto& c : t) {
        const WczytaneDrzewo w = RozbierzDrzewo(c.linie, "t.tre");
        EXPECT_EQ(w.Blad, "");
        EXPECT_EQ(Ksztalt(w.Drzewo), c.ksztalt);
    }
}

TEST(TreeReader, LevelJumpRefusesFileNamingTheLine) {
    for (const auto& linie : {std::vector<std::string>{"A", "\t\tC"}, std::vector<std::string>{"\tA"}}) {
        const WczytaneDrzewo w = RozbierzDrzewo(linie, "drzewo.tre");
        EXPECT_TRUE(w.Drzewo.Wezly.empty());
        EXPECT_NE(w.Blad.find("drzewo.tre"), std::string::npos) << w.Blad;
    }
    EXPECT_NE(RozbierzDrzewo({"A", "\t\tC"}, "x").Blad.find("wiersz 2"), std::string::npos);
}

TEST(TreeReader, FileWithCrLfAndMissingFile) {
    test::TempDir dir;
    dir.write("t.tre", "A\r\n\tB\r\n");
    const WczytaneDrzewo w = WczytajDrzewo(dir.file("T.TRE"));
    EXPECT_EQ(Ksztalt(w.Drzewo), "A1{B2}");
    const WczytaneDrzewo brak = WczytajDrzewo(dir.file("brak.tre"));
    EXPECT_TRUE(brak.Drzewo.Wezly.empty());
    EXPECT_NE(brak.Blad.find("brak.tre"), std::string::npos);
}

// ------------------------------------------------------------- panel

struct Panel : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    PanelDefinicji p;
    void SetUp() override {
        dir.write("bilans_aktywa.tre", P("majątek obrotowy\r\n\tzapasy\r\n"));
        dir.write("bilans_pasywa.tre", P("kapitał własny\r\nsuma bilansowa\r\n"));
        p.ZmianaZrodla(StronaPanelu::Licznik, "Bilans Aktywa", dir.folder(), ui);
        p.ZmianaZrodla(StronaPanelu::Mianownik, "Bilans Pasywa", dir.folder(), ui);
        p.TekstListy = "wybrany";
        p.IndeksListy = 0;
    }
};

TEST_F(Panel, DropFromTheOtherSidesTreeIsRefused) {
    p.Upusc(Okienko::Licznik1, StronaPanelu::Mianownik, 1, ui);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], P("z tego okienka można wybrać tylko MIANOWNIK"));
    EXPECT_EQ(p.Tekst(Okienko::Licznik1), "");
    p.Upusc(Okienko::Mianownik2, StronaPanelu::Licznik, 1, ui);
    EXPECT_EQ(ui.messages.back(), P("z tego okienka można wybrać tylko LICZNIK"));
    EXPECT_EQ(p.TekstListy, "wybrany");
}

TEST_F(Panel, ValidDropsFillBoxesAndAllowTheChart) {
    p.Upusc(Okienko::Licznik1, StronaPanelu::Licznik, 2, ui);
    EXPECT_EQ(p.Tekst(Okienko::Licznik1), "zapasy(Bilans Aktywa)");
    EXPECT_EQ(p.TekstListy, "");
    EXPECT_EQ(p.IndeksListy, -1);
    EXPECT_FALSE(p.WykresDozwolony);
    p.Upusc(Okienko::Mianownik1, StronaPanelu::Mianownik, 2, ui);
    EXPECT_EQ(p.Tekst(Okienko::Mianownik1), "suma bilansowa(Bilans Pasywa)");
    EXPECT_TRUE(p.WykresDozwolony);
    p.Upusc(Okienko::Mianownik2, StronaPanelu::Mianownik, 9, ui);  // no such node
    EXPECT_EQ(p.Tekst(Okienko::Mianownik2), "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Panel, NoOperatorEmptiesTheSecondBox) {
    p.Upusc(Okienko::Licznik1, StronaPanelu::Licznik, 1, ui);
    p.ZmianaOperatora(StronaPanelu::Licznik, "-");
    p.Upusc(Okienko::Licznik2, StronaPanelu::Licznik, 2, ui);
    EXPECT_EQ(p.Licznik.Formula(), P("majątek obrotowy(Bilans Aktywa)-zapasy(Bilans Aktywa)"));
    p.ZmianaOperatora(StronaPanelu::Licznik, "xxx");
    EXPECT_EQ(p.Tekst(Okienko::Licznik2), "");
    EXPECT_EQ(p.Licznik.Operator, "");
    EXPECT_EQ(p.Licznik.Formula(), P("majątek obrotowy(Bilans Aktywa)"));
}

TEST_F(Panel, SourceChangeLoadsTreeOrReportsAndEmptiesIt) {
    EXPECT_EQ(p.DrzewoLicznika.Wezly.size(), 2u);
    p.ZmianaZrodla(StronaPanelu::Licznik, "Nie ma takiego", dir.folder(), ui);  // no source: nothing
    EXPECT_EQ(p.ZrodloLicznika, "Bilans Aktywa");
    EXPECT_EQ(p.DrzewoLicznika.Wezly.size(), 2u);
    p.ZmianaZrodla(StronaPanelu::Licznik, "Koszty", dir.folder(), ui);  // no file
    EXPECT_EQ(p.ZrodloLicznika, "Koszty");
    EXPECT_TRUE(p.DrzewoLicznika.Wezly.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("koszty.tre"), std::string::npos);
    dir.write("zapasy.tre", "A\n\t\tB\n");
    p.ZmianaZrodla(StronaPanelu::Licznik, "Zapasy", dir.folder(), ui);
    EXPECT_TRUE(p.DrzewoLicznika.Wezly.empty());
    EXPECT_NE(ui.messages.back().find("wiersz 2"), std::string::npos);
}

}  // namespace
}  // namespace vesk
