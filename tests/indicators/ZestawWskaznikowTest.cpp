// Indicator sets over the in-memory store: reading, the list, adding with
// its checks and roll-back, saving as, and a failed read.
#include <gtest/gtest.h>

#include "FakeIndicatorSetStore.h"
#include "IndicatorSetStore.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::P;

IndicatorDef Zbudowany() {
    IndicatorDef d;
    d.Licznik.Pierwsza = PozycjaWskaznika{"Bilans", "Aktywa obrotowe"};
    d.Mianownik.Pierwsza = PozycjaWskaznika{"Bilans", P("Zobowiązania krótkoterminowe")};
    d.Relacja = "x>";
    d.T1 = "1.2";
    return d;
}

struct Zestaw : ::testing::Test {
    test::FakeIndicatorSetStore store;
    ZestawWskaznikow z{store};
    ScriptedUserInterface ui;
};

TEST_F(Zestaw, TitleAndNineRowsGiveTenAndNineNames) {
    store.put("/s/dziewiec.xls", {"a", "b", "c", "d", "e", "f", "g", "h", "i"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/dziewiec.xls", ui));
    EXPECT_EQ(z.Tabela.LiczbaWskaznikow, 10);
    EXPECT_EQ(z.Tabela.Nazwy(), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h", "i"}));
    EXPECT_EQ(z.NazwaZestawu, "dziewiec");
    EXPECT_EQ(z.Plik, "/s/dziewiec.xls");
}

TEST_F(Zestaw, CountsByTheTitleRow) {
    const struct {
        std::vector<std::string> names;
        bool title;
        int count;
        std::size_t listed;
    } t[] = {
        {{}, true, 1, 0},          // the title row alone
        {{"a", "b"}, false, 1, 0}, // no title: nothing counts
        {{"a", "", "c"}, true, 2, 1},  // an empty name ends the list
    };
    for (const auto& c : t) {
        store.put("/s/x.xls", c.names, c.title);
        ASSERT_TRUE(WczytajZestaw(z, "/s/x.xls", ui));
        EXPECT_EQ(z.Tabela.LiczbaWskaznikow, c.count);
        EXPECT_EQ(z.Tabela.Nazwy().size(), c.listed);
    }
}

TEST_F(Zestaw, SetNameIsTheStem) {
    EXPECT_EQ(RdzenZestawu("C:\\dane\\wskazniki-ogolne.xls"), "wskazniki-ogolne");
    EXPECT_EQ(RdzenZestawu("/o/moje.xls"), "moje");
    EXPECT_EQ(RdzenZestawu("d:a.x"), "");
}

TEST_F(Zestaw, FailedReadKeepsTheSetAndRetryReadsAgain) {
    store.put("/s/a.xls", {"stary"});
    store.put("/s/b.xls", {"nowy"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    store.failingReads = 1;
    ui.answers = {false};  // Cancel
    EXPECT_FALSE(WczytajZestaw(z, "/s/b.xls", ui));
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"stary"});
    EXPECT_EQ(z.NazwaZestawu, "a");
    ASSERT_EQ(ui.captions.size(), 1u);
    EXPECT_EQ(ui.captions[0], P("Problem ze współdzieleniem pliku"));
    EXPECT_EQ(ui.questions[0], P("Zamknij plik wskaźników w Excelu!"));

    store.failingReads = 1;
    ui.answers = {true};  // Retry
    EXPECT_TRUE(WczytajZestaw(z, "/s/b.xls", ui));
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"nowy"});
    EXPECT_EQ(z.NazwaZestawu, "b");
}

TEST_F(Zestaw, NameCheckIsExactOverIndicatorRows) {
    store.put("/s/a.xls", {"zapasy obrotowe", "ROE", "marza"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    EXPECT_TRUE(NazwaWZestawie(z, "ROE"));
    EXPECT_TRUE(NazwaWZestawie(z, "marza"));  // third row, right after a read
    EXPECT_FALSE(NazwaWZestawie(z, "zapasy"));
    EXPECT_FALSE(NazwaWZestawie(z, "roe"));
    EXPECT_FALSE(NazwaWZestawie(z, "nazwa"));  // the title is no indicator
    EXPECT_TRUE(NazwaWZestawie(z, "ROE"));     // after a miss
}

TEST_F(Zestaw, AddingWritesAtOnce) {
    store.put("/s/a.xls", {"ROE"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    ui.inputs = {P("płynność bieżąca")};
    ASSERT_TRUE(DodajWskaznik(z, Zbudowany(), ui));
    EXPECT_EQ(ui.inputCaptions[0], P("Nadawanie nazwy wskaźnikowi"));
    EXPECT_EQ(ui.inputPrompts[0], P("Podaj nazwę wskaźnika"));
    EXPECT_EQ(z.Tabela.LiczbaWskaznikow, 3);
    EXPECT_EQ(z.Tabela.Nazwy(), (std::vector<std::string>{"ROE", P("płynność bieżąca")}));
    const TabelaWskaznikow& f = store.files["/s/a.xls"];
    EXPECT_EQ(f.Komorka(3, kol::Nazwa), P("płynność bieżąca"));
    EXPECT_EQ(f.Komorka(3, kol::PozycjaMianownika1), P("Zobowiązania krótkoterminowe"));
    EXPECT_EQ(f.Komorka(3, kol::Relacja), "x>");
    EXPECT_EQ(f.Komorka(3, kol::Prog1), "1.2");
}

TEST_F(Zestaw, RefusedNamesChangeNothing) {
    store.put("/s/a.xls", {"ROE"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    const struct {
        std::optional<std::string> input;
        const char* message;
    } t[] = {
        {std::string(""), "Nie można przypisać wskaźnikowi pustej nazwy: "},
        {std::nullopt, "Nie można przypisać wskaźnikowi pustej nazwy: "},
        {std::string("ROE"), "Wskaźnik o tej nazwie już jest wpisany"},
        {std::string("a/b"), "Nazwa wskaźnika nie może zawierać znaków / \\ :"},
        {std::string("c:d"), "Nazwa wskaźnika nie może zawierać znaków / \\ :"},
    };
    for (const auto& c : t) {
        ui.messages.clear();
        ui.inputs = {c.input};
        EXPECT_FALSE(DodajWskaznik(z, Zbudowany(), ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], P(c.message));
        EXPECT_EQ(z.Tabela.LiczbaWskaznikow, 2);
    }
    EXPECT_EQ(store.writes, 0);
    IndicatorDef pusty;
    ui.messages.clear();
    EXPECT_FALSE(DodajWskaznik(z, pusty, ui));
    EXPECT_EQ(ui.messages.at(0), P("Najpierw proszę skonstruowac wskaźnik"));
    EXPECT_TRUE(ui.inputCaptions.size() == 5u);  // no name was asked for
}

TEST_F(Zestaw, FailedWriteTakesTheRowBack) {
    store.put("/s/a.xls", {"ROE"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    store.failWrites = true;
    ui.inputs = {std::string("nowy")};
    EXPECT_FALSE(DodajWskaznik(z, Zbudowany(), ui));
    EXPECT_EQ(z.Tabela.LiczbaWskaznikow, 2);
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"ROE"});
    EXPECT_EQ(z.Tabela.Komorka(3, kol::Nazwa), "");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(store.files["/s/a.xls"].Komorka(3, kol::Nazwa), "");
}

TEST_F(Zestaw, AddingToATitlelessSetWritesOurTitlesFirst) {
    store.put("/s/a.xls", {}, false);
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    ui.inputs = {std::string("pierwszy")};
    ASSERT_TRUE(DodajWskaznik(z, Zbudowany(), ui));
    EXPECT_EQ(z.Tabela.Komorka(1, kol::Nazwa), TytulyZestawu()[kol::Nazwa]);
    EXPECT_EQ(z.Tabela.Nazwy(), std::vector<std::string>{"pierwszy"});
    EXPECT_EQ(store.files["/s/a.xls"].Komorka(2, kol::Nazwa), "pierwszy");
}

TEST_F(Zestaw, SaveAsAsksBeforeOverwriting) {
    test::TempDir d;
    store.put("/s/a.xls", {"ROE"});
    ASSERT_TRUE(WczytajZestaw(z, "/s/a.xls", ui));
    const std::string cel = d.file("b.xls");
    ASSERT_TRUE(ZapiszZestawJako(z, cel, ui));
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(z.Plik, cel);
    d.write("b.xls", "x");
    ui.answers = {false};
    EXPECT_FALSE(ZapiszZestawJako(z, cel, ui));
    EXPECT_EQ(store.writes, 1);
    store.failWrites = true;
    ui.answers = {true};
    EXPECT_FALSE(ZapiszZestawJako(z, d.file("c.xls"), ui));
    EXPECT_EQ(z.Plik, cel);
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace vesk
