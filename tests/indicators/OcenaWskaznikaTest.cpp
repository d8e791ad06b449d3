// Evaluation of an indicator on a simulated node, the value text, the
// diagnosis, the threshold dialogs and the relation box.
#include <gtest/gtest.h>

#include <memory>

#include "OcenaWskaznika.h"
#include "Odczyty.h"
#include "OperacjeWezlow.h"
#include "PlikStanu.h"
#include "PolaRoku.h"
#include "PomocWskaznikow.h"
#include "PozycjaBilansu.h"
#include "PozycjeSprawozdan.h"
#include "Real48.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::P;

TEST(ValueText, ThreeDecimalsInFiveCharacters) {
    const struct {
        long double l, m;
        const char* tekst;
    } t[] = {
        {0.25L, 1, "0.250"},     {12.3456L, 1, "12.346"},  {-0.5L, 1, "-0.500"}, {1234.5L, 1, "1234.500"},
        {1, 0, "0 w mianowniku"}, {1e300L, 1e-300L, "poza zakresem"}, {1, 3, "0.333"},
    };
    for (const auto& c : t) EXPECT_EQ(TekstWartosci(c.l, c.m), c.tekst) << c.tekst;
}

TEST(Diagnosis, ByRelationAndThresholds) {
    const struct {
        const char* relacja;
        const char* v;
        const char* t1;
        const char* t2;
        const char* diagnoza;
    } t[] = {
        {"x<>", "1", "1", "2", "wewnątrz"},
        {"x<>", "2", "1", "2", "wewnątrz"},
        {"x<>", "2.5", "1", "2", "powyżej"},
        {"x<>", "0.999", "1", "2", "poniżej"},
        {"x<>", "1.5", "1", "", "nie wiem"},
        {"x><", "2.5", "1", "2", "powyżej"},
        {"x>", "1", "1", "", "Źle - za niska"},
        {"x>", "1.000", "1", "", "Źle - za niska"},  // 0.9996 shown as 1.000
        {"x>", "1.001", "1", "", "Dobrze - wysoka"},
        {"x<", "0.5", "1", "", "Dobrze - niska"},
        {"x<", "1", "1", "", "Źle - za wysoka"},
        {"x=", "1.5", "1.5", "", "na granicy"},
        {"x=", "1.6", "1.5", "", "ponad progiem"},
        {"x=", "  1.4", " 1.5", "", "pod progiem"},  // leading blanks are fine
        {"x>", "2", "abc", "", "nie wiem"},           // a threshold that is no number
        {"x>", "2", "1,5", "", "nie wiem"},           // a comma is no decimal point here
        {"x>", "0 w mianowniku", "1", "", "nie wiem"},
        {"", "2", "1", "", "nie wiem"},
        {"x>=", "2", "1", "", "nie wiem"},
    };
    for (const auto& c : t) {
        SCOPED_TRACE(std::string(c.relacja) + " " + c.v);
        EXPECT_EQ(DiagnozaWartosci(c.relacja, c.v, c.t1, c.t2), P(c.diagnoza));
    }
    // 0.9996 is shown and so diagnosed as 1.000.
    EXPECT_EQ(DiagnozaWartosci("x>", TekstWartosci(0.9996L, 1), "1", ""), P("Źle - za niska"));
}

// --------------------------------------------------- on a simulated node

const char* const KosztyIStraty = "Rachunek Wyników Koszty i Straty";

struct Ocena : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>();
    ScriptedUserInterface ui;
    PanelDefinicji panel;
    OcenaWskaznika o;
    const StanModelu& r() const { return k->RekordBiezacy; }

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catTABWZOR = std::string(VESK_DATA_DIR) + "TABWZOR/";
        k->SciezkaOperatora = dir.folder() + "FIRMA.";
        ASSERT_TRUE(UtworzStanOperatora(*k));
        for (auto& z : k->ZmienneSkryptu) z = 7.0;  // evaluation leaves them alone
    }
    static PozycjaWskaznika Poz(const char* zrodlo, const char* etykieta) { return {P(zrodlo), P(etykieta)}; }
    void Definiuj(PozycjaWskaznika l1, PozycjaWskaznika m1, const std::string& op = "",
                  std::optional<PozycjaWskaznika> l2 = std::nullopt) {
        panel.Licznik = StronaWskaznika{l1, op, l2};
        panel.Mianownik = StronaWskaznika{m1, "", std::nullopt};
    }
    // An indicator row for the boxes, chosen in the list.
    void Wybierz(const char* relacja, const char* t1, const char* t2) {
        IndicatorDef d;
        d.Nazwa = "wsk";
        d.Licznik = panel.Licznik;
        d.Mianownik = panel.Mianownik;
        d.Relacja = relacja;
        d.T1 = t1;
        d.T2 = t2;
        o.Tabela.Dodaj(d);
        panel.TekstListy = "wsk";
        panel.IndeksListy = o.Tabela.LiczbaWskaznikow - 2;
        o.ProgiEdytowane = false;
    }
    std::string Wartosc(long double l, long double m) { return TekstWartosci(l, m); }
};

TEST_F(Ocena, NetProfitOverBalanceTotalInYear2) {
    Definiuj(Poz(KosztyIStraty, "zysk netto"), Poz("Bilans Pasywa", "suma bilansowa"));
    o.Rok = 2;
    Oblicz(panel, o, r());
    const double zysk = WartoscRachunkuWynikow(r(), 13, 1, 2);
    const double suma = KomorkaBilansu(r(), 14, 5);
    ASSERT_NE(suma, 0.0);
    EXPECT_NE(zysk, 0.0);
    EXPECT_EQ(o.Wartosc, Wartosc(zysk, suma));
    EXPECT_EQ(o.Diagnoza, "nie wiem");  // no row, no relation
    for (double z : k->ZmienneSkryptu) EXPECT_EQ(z, 7.0);
}

TEST_F(Ocena, CashFlowItemStartingWithMinusFromATableRow) {
    IndicatorDef d;
    d.Nazwa = "wydatki";
    d.Licznik.Pierwsza = Poz("Płynność Finansowa Przedsiębiorstwa", "- Wydatki pieniężne");
    d.Mianownik.Pierwsza = Poz("Bilans Aktywa", "jedynka");
    o.Tabela.Dodaj(d);
    const IndicatorDef z = IndicatorDef::ZWiersza(o.Tabela.Wiersze[2]);
    panel.Licznik = z.Licznik;
    panel.Mianownik = z.Mianownik;
    for (int rok = 1; rok <= 3; ++rok) {
        o.Rok = rok;
        Oblicz(panel, o, r());
        const double v = WartoscCashFlow(r(), 4, rok);
        EXPECT_NE(v, 0.0);
        EXPECT_EQ(o.Wartosc, Wartosc(v, 1)) << rok;
    }
}

TEST_F(Ocena, SidesAppliedLeftToRight) {
    const auto a = Poz("Bilans Aktywa", "majątek obrotowy"), b = Poz("Bilans Aktywa", "zapasy");
    const auto jedynka = Poz("Bilans Aktywa", "jedynka");
    const long double va = KomorkaBilansu(r(), 9, 1), vb = KomorkaBilansu(r(), 10, 1);
    ASSERT_NE(vb, 0.0L);
    const struct {
        const char* op;
        long double wynik;
    } t[] = {{"-", va - vb}, {"+", va + vb}, {"*", va * vb}, {"/", va / vb}, {"", va}, {"xxx", va}};
    for (const auto& c : t) {
        Definiuj(a, jedynka, c.op, b);
        Oblicz(panel, o, r());
        EXPECT_EQ(o.Wartosc, Wartosc(c.wynik, 1)) << c.op;
    }
}

TEST_F(Ocena, FailuresShowInTheValueBoxWithNoDiagnosis) {
    const auto a = Poz("Bilans Aktywa", "majątek obrotowy");
    const auto zero = Poz("Zmienne decyzyjne", "Emisja akcji");  // no issue in the root
    ASSERT_EQ(WartoscDecyzji(r(), 12, 1), 0.0);
    const struct {
        PozycjaWskaznika l1;
        std::string op;
        std::optional<PozycjaWskaznika> l2;
        PozycjaWskaznika m1;
        std::string wartosc;
    } t[] = {
        {a, "/", zero, a, "0 w mianowniku"},
        {a, "", std::nullopt, zero, "0 w mianowniku"},
        {Poz("Bilans Aktywa", "zapasy ogółem"), "", std::nullopt, a, P("nieznana pozycja: zapasy ogółem")},
        {a, "+", Poz("Koszty", "zapasy"), a, "nieznana pozycja: zapasy"},  // a label of another source
        {a, "", std::nullopt, Poz("Bilans Pasywa", "jedynka"), "nieznana pozycja: jedynka"},
        // A typo in the source name blames the source, not its position.
        {Poz("Bilans aktywa", "majątek obrotowy"), "", std::nullopt, a, P("nieznane źródło: Bilans aktywa")},
    };
    for (const auto& c : t) {
        SCOPED_TRACE(c.wartosc);
        panel = PanelDefinicji{};
        o = OcenaWskaznika{};
        Definiuj(c.l1, c.m1, c.op, c.l2);
        Wybierz("x<>", "-1e30", "1e30");  // any number would be inside
        Oblicz(panel, o, r());
        EXPECT_EQ(o.Wartosc, c.wartosc);
        EXPECT_EQ(o.Diagnoza, "nie wiem");
    }
}

TEST_F(Ocena, ABalanceCellBeyondTheSixByteRealShowsOutOfRange) {
    Zapis(k->RekordBiezacy, pola::SrodkiTrwale, 1, real48Max());
    Zapis(k->RekordBiezacy, pola::InwestycjeRozpoczete, 1, real48Max());
    Definiuj(Poz("Bilans Aktywa", "majątek trwały netto"), Poz("Bilans Aktywa", "jedynka"));
    o.Rok = 1;
    Oblicz(panel, o, r());
    EXPECT_EQ(o.Wartosc, "poza zakresem");
    EXPECT_EQ(o.Diagnoza, "nie wiem");
}

TEST_F(Ocena, RowFoundByIndexThenByNameAndThresholdCommaRewritten) {
    Definiuj(Poz("Bilans Aktywa", "jedynka"), Poz("Bilans Aktywa", "jedynka"));
    Wybierz("x=", "2", "");
    Wybierz("x=", "1,5", "7,25");  // row 3
    panel.IndeksListy = 0;         // row 2 is named "wsk" too: found by index
    o.Tabela.UstawKomorke(3, kol::Nazwa, "drugi");
    panel.TekstListy = "drugi";
    Oblicz(panel, o, r());
    EXPECT_EQ(panel.IndeksListy, 1);
    EXPECT_EQ(o.Tabela.Komorka(3, kol::Prog1), "1.5");
    EXPECT_EQ(o.Tabela.Komorka(3, kol::Prog2), "7.25");
    EXPECT_EQ(o.Prog1, "1.5");
    EXPECT_EQ(o.RelacjaWskaznika, "x=");
    EXPECT_EQ(o.Wartosc, "1.000");
    EXPECT_EQ(o.Diagnoza, "pod progiem");
    o.Tabela.UstawKomorke(3, kol::Prog1, "1");
    Oblicz(panel, o, r());
    EXPECT_EQ(o.Diagnoza, "na granicy");
    o.Tabela.UstawKomorke(3, kol::Prog1, "abc");
    Oblicz(panel, o, r());
    EXPECT_EQ(o.Diagnoza, "nie wiem");
    panel.TekstListy = "nikt";  // no row of that name: the title row is never used
    panel.IndeksListy = -1;
    o.Tabela.UstawKomorke(1, kol::Relacja, "x>");
    o.Tabela.UstawKomorke(1, kol::Prog1, "0,5");
    Oblicz(panel, o, r());
    EXPECT_EQ(o.Diagnoza, "nie wiem");
    EXPECT_EQ(o.Tabela.Komorka(1, kol::Prog1), "0,5");
}

TEST_F(Ocena, NothingWithoutBothFirstBoxes) {
    panel.Licznik.Pierwsza = Poz("Bilans Aktywa", "jedynka");
    o.Wartosc = "stare";
    Oblicz(panel, o, r());
    EXPECT_EQ(o.Wartosc, "stare");
    DialogProgu(1, panel, o, r(), ui);
    EXPECT_TRUE(ui.inputPrompts.empty());
}

TEST_F(Ocena, ThresholdDialogs) {
    Definiuj(Poz("Bilans Aktywa", "jedynka"), Poz("Bilans Aktywa", "jedynka"));
    Wybierz("x>", "2", "");
    Oblicz(panel, o, r());
    EXPECT_EQ(o.Diagnoza, P("Źle - za niska"));

    ui.inputs = {std::string("abc")};  // not a number: ignored
    DialogProgu(1, panel, o, r(), ui);
    ASSERT_EQ(ui.inputPrompts.size(), 1u);
    EXPECT_EQ(ui.inputCaptions[0], P("Podanie wartości progowej (dolnej)"));
    EXPECT_EQ(ui.inputPrompts[0], P("Podaj wartość liczbową (z kropką ułamkową)"));
    EXPECT_EQ(ui.inputInitials[0], "2");
    EXPECT_FALSE(o.ProgiEdytowane);
    EXPECT_EQ(o.Prog1, "2");

    ui.inputs = {std::string("0.5")};
    DialogProgu(1, panel, o, r(), ui);
    EXPECT_TRUE(o.ProgiEdytowane);
    EXPECT_EQ(o.Tabela.Komorka(2, kol::Prog1), "0.5");
    EXPECT_EQ(o.Prog1, "0.5");
    EXPECT_EQ(o.Diagnoza, "Dobrze - wysoka");

    DialogProgu(2, panel, o, r(), ui);  // cancelled: the old text stays
    EXPECT_NE(ui.inputCaptions.back().find(P("(górnej)")), std::string::npos);
    EXPECT_EQ(o.Tabela.Komorka(2, kol::Prog2), "");

    ZmianaRelacji(1, panel, o);
    EXPECT_EQ(o.WpisRelacji, 1);
    ui.inputs = {std::string("")};  // clearing T1 drops the relation
    DialogProgu(1, panel, o, r(), ui);
    EXPECT_EQ(o.Prog1, "");
    EXPECT_EQ(o.Tabela.Komorka(2, kol::Prog1), "");
    EXPECT_EQ(o.Tabela.Komorka(2, kol::Relacja), "");
    EXPECT_EQ(o.WpisRelacji, 0);
    EXPECT_EQ(o.Diagnoza, "nie wiem");
}

TEST_F(Ocena, RelationBoxFallsBackWithoutThresholds) {
    Definiuj(Poz("Bilans Aktywa", "jedynka"), Poz("Bilans Aktywa", "jedynka"));
    Wybierz("", "", "");
    const struct {
        const char* p1;
        const char* p2;
        int wpis, wynik;
    } t[] = {
        {"", "", 1, 0}, {"1", "", 1, 1}, {"1", "", 2, 0}, {"1", "2", 4, 4}, {"", "2", 4, 0}, {"", "", 5, 0},
        {"1", "", 3, 3},
    };
    for (const auto& c : t) {
        o.Prog1 = c.p1;
        o.Prog2 = c.p2;
        ZmianaRelacji(c.wpis, panel, o);
        EXPECT_EQ(o.WpisRelacji, c.wynik) << c.wpis;
        EXPECT_EQ(o.Tabela.Komorka(2, kol::Relacja), WpisyRelacji()[static_cast<std::size_t>(c.wynik)]);
    }
    ZmianaRelacji(6, panel, o);  // no such entry: nothing stored
    EXPECT_EQ(o.WpisRelacji, 3);
}

}  // namespace
}  // namespace vesk
