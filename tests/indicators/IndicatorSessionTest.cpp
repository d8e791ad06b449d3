// The indicator window's session driven directly, with the workbench and
// the set files faked: activation, the list and its choice, the hints, the
// window's hiding, closing and layout, the refresh after a simulate.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>

#include "IndicatorSession.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::P;

struct FakeWarsztat : HakiWarsztatu {
    std::optional<WybranyWezel> wezel;
    int zmiany = 0;
    bool rezultaty2 = true, wzy1 = false;
    std::optional<WybranyWezel> Wybrany() const override { return wezel; }
    void Zmiana_wezla() override { ++zmiany; }
    void UstawRezultaty2(bool w) override { rezultaty2 = w; }
    void UstawWzy1(bool w) override { wzy1 = w; }
    std::vector<std::pair<int, long double>> krokiCoJesli;  // (k, v) of each what-if step
    std::optional<int> CoJesli(int k, long double v) override {
        krokiCoJesli.emplace_back(k, v);
        return wezel ? std::optional<int>(wezel->Numer) : std::nullopt;
    }
    std::vector<std::string> wybrane;  // labels selected by the sibling browser
    bool WybierzEtykiete(const std::string& etykieta) override {
        wybrane.push_back(etykieta);
        return true;
    }
};

// The set store: tables by file name; the first reads can be made to fail.
struct FakeZestawy : IndicatorSetStore {
    std::map<std::string, TabelaWskaznikow> pliki;  // by file name
    std::vector<std::string> czytane;
    int bledy = 0;  // reads that fail before one succeeds
    TabelaWskaznikow read(const std::string& sciezka) override {
        czytane.push_back(std::filesystem::path(sciezka).filename().string());
        if (bledy > 0) {
            --bledy;
            throw BladZestawu(BladZestawu::Rodzaj::Zajety, "zablokowany");
        }
        auto it = pliki.find(czytane.back());
        return it == pliki.end() ? TabelaWskaznikow() : it->second;
    }
    void write(const std::string& sciezka, const TabelaWskaznikow& tabela) override {
        pliki[std::filesystem::path(sciezka).filename().string()] = tabela;
    }
};

// A row of the set: name, the two first items and optional second items.
WierszWskaznika Wiersz(const char* nazwa, const char* relacja = "", const char* poz2 = "") {
    WierszWskaznika w{};
    w[kol::Nazwa] = nazwa;
    w[kol::ZrodloLicznika1] = "Bilans Aktywa";
    w[kol::PozycjaLicznika1] = "aktywa razem";
    w[kol::ZrodloMianownika1] = "Bilans Pasywa";
    w[kol::PozycjaMianownika1] = "suma bilansowa";
    w[kol::OperatorLicznika] = "+";
    w[kol::OperatorMianownika] = "-";
    w[kol::ZrodloLicznika2] = "Bilans Aktywa";
    w[kol::PozycjaLicznika2] = poz2;
    w[kol::ZrodloMianownika2] = "Bilans Pasywa";
    w[kol::PozycjaMianownika2] = poz2;
    w[kol::Relacja] = relacja;
    return w;
}

TabelaWskaznikow Zestaw(const std::vector<WierszWskaznika>& wiersze) {
    TabelaWskaznikow t;
    t.UstawKomorke(1, kol::Nazwa, "Nazwa");
    for (std::size_t i = 0; i < wiersze.size(); ++i)
        for (int c = 0; c < KolumnWiersza; ++c)
            t.UstawKomorke(static_cast<int>(i) + 2, c, wiersze[i][static_cast<std::size_t>(c)]);
    return t;
}

struct SesjaWskaznikow : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    Kontekst k{ui};
    FakeWarsztat w;
    FakeZestawy z;
    IndicatorSession s{k, w, z};

    void SetUp() override {
        k.KatalogProgramu = dir.folder();
        test::KopiujDrzewaPozycji(dir);
        k.RekordBiezacy.UstawRok(2018);
        w.wezel = WybranyWezel{7, 2, "d/r 7", false, {"d 3", "d/r 2"}, {"d/r 9"}};
    }
    void ZestawOgolny(const std::vector<WierszWskaznika>& wiersze) {
        dir.write("wskazniki-ogolne.xls", "");
        z.pliki["wskazniki-ogolne.xls"] = Zestaw(wiersze);
    }
};

TEST(Horizons, FromTheNodesDepth) {
    EXPECT_EQ(Horyzonty(2), (std::vector<std::string>{"2015-2017", "2012-2017", "2009-2017"}));
    EXPECT_EQ(Horyzonty(0), (std::vector<std::string>{"2009-2011"}));
    EXPECT_EQ(Horyzonty(1), (std::vector<std::string>{"2012-2014", "2009-2014"}));
    // A deep node: only the periods a chart draws.
    ASSERT_EQ(Horyzonty(12).size(), 10u);
    EXPECT_EQ(Horyzonty(12).back(), "2018-2047");
}

TEST(Relation, EntryFromColumn13) {
    const struct {
        const char* tekst;
        int wpis;
    } t[] = {{"", 0}, {" ", 0}, {"  ", 0}, {"x>", 1}, {"x<>", 2}, {"x<", 3}, {"x><", 4}, {"x=", 5}, {"x>>", 0}, {"X>", 0}};
    for (const auto& c : t) EXPECT_EQ(WpisRelacjiZTekstu(c.tekst), c.wpis) << '"' << c.tekst << '"';
}

TEST(Hints, ClickAndDropTexts) {
    EXPECT_EQ(PodpowiedzKlikniecia("Bilans Pasywa", 5), "odczyt bilans 5, 2, nrroku, Xnr");
    EXPECT_EQ(PodpowiedzKlikniecia("Bilans Aktywa", 12), "odczyt bilans 12, 1, nrroku, Xnr");
    EXPECT_EQ(PodpowiedzKlikniecia("Koszty", 5), "odczyt koszty 5, nrroku, Xnr");
    EXPECT_EQ(PodpowiedzKlikniecia(P("Rachunek Wyników Koszty i Straty"), 3), P("odczyt rachunek wyników  3, 1, nrroku, Xnr"));
    EXPECT_EQ(PodpowiedzKlikniecia(P("Rachunek Wyników Przychody i Zyski"), 4), P("odczyt rachunek wyników  4, 2, nrroku, Xnr"));
    EXPECT_EQ(PodpowiedzKlikniecia("nieznane", 4), "");
    EXPECT_EQ(PodpowiedzUpuszczenia("Bilans Pasywa", 5, "stary"), "odczyt bilans 5,2,nrroku, Xnr");
    EXPECT_EQ(PodpowiedzUpuszczenia("Koszty", 5, "stary"), "stary");
}

TEST(Layout, HalvesRoundToEven) {
    EXPECT_EQ(Powiekszona({10, 25, 200, 27}), (Geometria{15, 38, 300, 40}));  // 37.5 -> 38, 40.5 -> 40
}

TEST_F(SesjaWskaznikow, ActivationAdaptsToTheNode) {
    ZestawOgolny({Wiersz("a")});
    WidokWskaznikow v = s.onActivated();
    EXPECT_FALSE(v.Bezczynny);
    EXPECT_TRUE(v.BratPlus);   // "d/r 9" follows
    EXPECT_TRUE(v.BratMinus);  // "d/r 2" precedes, past "d 3"
    EXPECT_EQ(v.Brat, "d/r 7");
    EXPECT_EQ(v.Horyzonty, (std::vector<std::string>{"2015-2017", "2012-2017", "2009-2017"}));
    EXPECT_EQ(v.Lata, (std::vector<std::string>{"2015", "2016", "2017"}));
    EXPECT_TRUE(v.Panel);
    EXPECT_EQ(v.Szerokosc, 793);
    EXPECT_FALSE(w.rezultaty2);
    EXPECT_EQ(v.Tytul, "DefiniowanieWskaznikow" + P(" | zestaw wskaźników: ") + dir.folder() + "wskazniki-ogolne.xls");
}

TEST_F(SesjaWskaznikow, NoPanelForTheRootOrANodeWithChildren) {
    ZestawOgolny({});
    const WybranyWezel wezly[] = {{0, 0, "d/r 0", true, {}, {}}, {4, 1, "d/r 4", true, {"d 3"}, {"d 5"}}};
    for (const auto& wezel : wezly) {
        w.wezel = wezel;
        WidokWskaznikow v = s.onActivated();
        EXPECT_FALSE(v.Panel);
        EXPECT_FALSE(v.GroupBox2);
        EXPECT_EQ(v.Szerokosc, 572);
        EXPECT_FALSE(v.BratPlus);
        EXPECT_FALSE(v.BratMinus);
    }
}

TEST_F(SesjaWskaznikow, NoNodeSelectedIsInert) {
    ZestawOgolny({Wiersz("a")});
    w.wezel.reset();
    WidokWskaznikow v = s.onActivated();
    EXPECT_TRUE(v.Bezczynny);
    EXPECT_TRUE(z.czytane.empty());
    EXPECT_EQ(v.Wartosc, "");
    EXPECT_FALSE(s.OdswiezIOblicz());
}

TEST_F(SesjaWskaznikow, SetDiscovery) {
    dir.write("wskazniki-finanse.xls", "");
    dir.write("wskazniki-zarzad.xls", "");
    dir.write("inne.xls", "");
    s.onActivated();
    EXPECT_EQ(z.czytane, (std::vector<std::string>{"wskazniki-finanse.xls"}));
    EXPECT_EQ(s.NazwaZestawu(), "wskazniki-finanse");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SesjaWskaznikow, MissingSetGivesItsOwnMessageAndAnEmptySet) {
    WidokWskaznikow v = s.onActivated();
    EXPECT_TRUE(z.czytane.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], P("Brak zestawu wskaźników: ") + dir.folder() + "wskazniki-ogolne.xls");
    EXPECT_TRUE(v.Lista.empty());
    EXPECT_EQ(s.Tabela().LiczbaWskaznikow, 1);
}

TEST_F(SesjaWskaznikow, ReadErrorRetriesOrKeepsTheOldSet) {
    ZestawOgolny({Wiersz("a"), Wiersz("b")});
    s.onActivated();
    z.bledy = 2;
    ui.answers = {true, false};  // Retry, then Cancel
    WidokWskaznikow v = s.onActivated();
    EXPECT_EQ(z.czytane.size(), 3u);
    ASSERT_EQ(ui.captions.size(), 2u);
    EXPECT_EQ(ui.captions[0], P("Problem ze współdzieleniem pliku"));
    EXPECT_EQ(ui.questions[0], P("Zamknij plik wskaźników w Excelu!"));
    EXPECT_EQ(v.Lista, (std::vector<std::string>{"a", "b"}));
    z.bledy = 1;
    ui.answers = {true};  // Retry succeeds
    s.onActivated();
    EXPECT_EQ(z.czytane.size(), 5u);
}

TEST_F(SesjaWskaznikow, ListAndChoice) {
    ZestawOgolny({Wiersz("a", "x><", "zapasy"), Wiersz("b", "  "), Wiersz("c", "dziwne")});
    WidokWskaznikow v = s.onActivated();
    EXPECT_EQ(s.Tabela().LiczbaWskaznikow, 4);
    EXPECT_EQ(v.Lista, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(v.TekstListy, "");
    v = s.chooseIndicator(0);
    EXPECT_EQ(v.TekstListy, "a");
    EXPECT_EQ(v.WpisRelacji, 4);
    EXPECT_EQ(v.Licznik1, "aktywa razem(Bilans Aktywa)");
    EXPECT_EQ(v.Licznik2, "zapasy(Bilans Aktywa)");
    EXPECT_EQ(v.OperandLicznika, "+");
    EXPECT_EQ(v.Mianownik2, "zapasy(Bilans Pasywa)");
    EXPECT_TRUE(v.Wykres);
    EXPECT_FALSE(v.Wartosc.empty());  // evaluated
    v = s.chooseIndicator(1);
    EXPECT_EQ(v.WpisRelacji, 0);
    EXPECT_EQ(v.Licznik2, "");
    EXPECT_EQ(v.Mianownik2, "");
    EXPECT_EQ(v.OperandLicznika, "");
    EXPECT_EQ(v.OperandMianownika, "");
    s.chooseIndicator(0);
    v = s.chooseIndicator(2);
    EXPECT_EQ(v.WpisRelacji, 0);  // unknown text: not the previous entry
}

TEST_F(SesjaWskaznikow, EarlierChoiceLookedUpByNameOrEmptied) {
    ZestawOgolny({Wiersz("a"), Wiersz("b")});
    s.onActivated();
    s.chooseIndicator(1);
    z.pliki["wskazniki-ogolne.xls"] = Zestaw({Wiersz("x"), Wiersz("b")});
    WidokWskaznikow v = s.onActivated();
    EXPECT_EQ(v.TekstListy, "b");
    EXPECT_EQ(v.IndeksListy, 1);
    z.pliki["wskazniki-ogolne.xls"] = Zestaw({Wiersz("x")});
    v = s.onActivated();
    EXPECT_EQ(v.TekstListy, "");
    EXPECT_EQ(v.IndeksListy, -1);
}

TEST_F(SesjaWskaznikow, SetWithoutTitleRowHasNoIndicators) {
    ZestawOgolny({Wiersz("a"), Wiersz("b"), Wiersz("c")});
    s.onActivated();
    TabelaWskaznikow bezTytulu;
    bezTytulu.UstawKomorke(2, kol::Nazwa, "a");
    z.pliki["wskazniki-ogolne.xls"] = bezTytulu;
    WidokWskaznikow v = s.onActivated();
    EXPECT_TRUE(v.Lista.empty());
    EXPECT_EQ(s.Tabela().LiczbaWskaznikow, 1);
}

TEST_F(SesjaWskaznikow, RuleFileEnablesTheExpertBox) {
    ZestawOgolny({Wiersz("a"), Wiersz("b")});
    k.KatalogOperatora = dir.folder() + "op/";
    dir.write("op/regu\xC5\x82y-wskazniki-ogolne-b.clp", "");
    s.onActivated();
    s.ListaDiagnoz = {"stara"};
    WidokWskaznikow v = s.chooseIndicator(0);
    EXPECT_FALSE(v.CheckBoxExpert);
    EXPECT_TRUE(v.InfoOKoniecznosci);
    EXPECT_TRUE(s.ListaDiagnoz.empty());
    v = s.chooseIndicator(1);
    EXPECT_TRUE(v.CheckBoxExpert);
    EXPECT_EQ(s.NazwaZestawu(), "wskazniki-ogolne");  // kept
    EXPECT_EQ(*s.PlikRegul(), k.KatalogOperatora + "regu\xB3y-wskazniki-ogolne-b.clp");
    k.KatalogOperatora.clear();  // an operator opened by its bare name
    const std::filesystem::path przed = std::filesystem::current_path();
    std::filesystem::current_path(dir.folder() + "op/");
    s.chooseIndicator(1);
    std::filesystem::current_path(przed);
    EXPECT_EQ(s.PlikRegul(), "regu\xB3y-wskazniki-ogolne-b.clp");
}

TEST_F(SesjaWskaznikow, YearChoiceEvaluatesAgain) {
    ZestawOgolny({Wiersz("a")});
    s.onActivated();
    s.chooseIndicator(0);
    WidokWskaznikow v = s.chooseYear(2);
    EXPECT_EQ(v.Rok, 2);
    EXPECT_EQ(s.chooseYear(5).Rok, 2);  // no such year: unchanged
}

TEST_F(SesjaWskaznikow, RefreshWhileShownEvaluatesAndTellsSo) {
    ZestawOgolny({Wiersz("a")});
    s.onActivated();
    k.ZmienneSkryptu[90] = 0;
    int zmiany = w.zmiany;
    EXPECT_FALSE(s.OdswiezIOblicz());  // nothing chosen: only the follow-up
    EXPECT_EQ(w.zmiany, zmiany + 1);
    EXPECT_EQ(k.ZmienneSkryptu[90], 0);
    s.chooseIndicator(0);
    s.Aktywowane(false);
    zmiany = w.zmiany;
    EXPECT_TRUE(s.OdswiezIOblicz());
    EXPECT_EQ(w.zmiany, zmiany + 1);  // the chart update does not refresh again
    EXPECT_EQ(k.ZmienneSkryptu[90], 0);  // x91 is the command file's to set
}

TEST_F(SesjaWskaznikow, HideDeactivateClose) {
    ZestawOgolny({});
    s.onActivated();
    EXPECT_TRUE(s.visible());
    EXPECT_TRUE(s.active());
    s.UstawRaportowanie(true);
    s.Wykres().Widok.Widoczny = true;
    s.Deaktywacja(false);  // an owned dialog
    EXPECT_TRUE(s.Raportowanie());
    EXPECT_TRUE(s.active());
    s.Deaktywacja(true);  // another application window
    EXPECT_FALSE(s.Raportowanie());
    EXPECT_FALSE(s.WykresWidoczny());
    EXPECT_FALSE(s.active());
    s.ListaDiagnoz = {"x"};
    s.Zamkniecie();
    EXPECT_TRUE(w.rezultaty2);
    EXPECT_TRUE(w.wzy1);
    EXPECT_TRUE(s.ListaDiagnoz.empty());
    EXPECT_FALSE(s.visible());
}

TEST_F(SesjaWskaznikow, AlternativeLayoutRestoresExactly) {
    // The panel and one of its controls, as the window hands them over.
    const std::map<std::string, Geometria> g{{"Analiza_wrazliwosci", {10, 25, 200, 401}}, {"Suwak", {4, 25, 100, 17}}};
    const std::map<std::string, Geometria> na = s.Wyglad().Uklad(true, g);
    EXPECT_EQ(na.at("Analiza_wrazliwosci").Wysokosc, 602);  // 601.5, halves to even
    EXPECT_EQ(na.at("Suwak").Gora, 38);                     // 37.5
    EXPECT_EQ(s.Wyglad().Uklad(false, na), g);
    EXPECT_EQ(s.Wyglad().Uklad(false, g), g);  // off twice: unchanged
}

TEST_F(SesjaWskaznikow, PanelEventsGoThroughTheSession) {
    ZestawOgolny({});
    s.onActivated();
    ui.messages.clear();
    // A denominator node on a numerator box: refused with a message.
    WidokWskaznikow v = s.Upusc(Okienko::Licznik1, StronaPanelu::Mianownik, 5);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(v.Licznik1, "");
    // Its own side's node: label(source).
    const std::string zrodlo = s.Panel().ZrodloLicznika;
    const std::string etykieta = s.Panel().DrzewoLicznika.Wezel(1)->Tekst;
    v = s.Upusc(Okienko::Licznik1, StronaPanelu::Licznik, 1);
    EXPECT_EQ(v.Licznik1, etykieta + "(" + zrodlo + ")");
    v = s.Upusc(Okienko::Licznik2, StronaPanelu::Licznik, 2);
    EXPECT_FALSE(v.Licznik2.empty());
    v = s.ZmianaOperatora(StronaPanelu::Licznik, "xxx");
    EXPECT_EQ(v.Licznik2, "");
    // Another source loads its tree; an unknown name changes nothing.
    v = s.ZmianaZrodla(StronaPanelu::Mianownik, ZrodlaWskaznikow()[2].Nazwa);
    EXPECT_EQ(s.Panel().ZrodloMianownika, ZrodlaWskaznikow()[2].Nazwa);
    EXPECT_FALSE(s.Panel().DrzewoMianownika.Wezly.empty());
    s.ZmianaZrodla(StronaPanelu::Mianownik, "nic takiego");
    EXPECT_EQ(s.Panel().ZrodloMianownika, ZrodlaWskaznikow()[2].Nazwa);
}

}  // namespace
}  // namespace vesk
