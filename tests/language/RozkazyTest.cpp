// The dispatch of a line to the commands: prefix matching, the commands of
// the executor itself, the script error, the cut of "zmiana".
#include <gtest/gtest.h>

#include <cmath>

#include "PomocInterpretera.h"
#include "Real48.h"
#include "ZmienneSkryptu.h"

namespace vesk::test {
namespace {

using Rozkazy = InterpretatorTest;

TEST_F(Rozkazy, KeywordsMatchAsPrefixes) {
    uruchom({"+ x1 x1 1", "stopper", "+ x2 x2 1"});
    EXPECT_EQ(x(1), 1.0);
    EXPECT_EQ(x(2), 0.0);
    EXPECT_FALSE(in->PrzyciskAktywny());
    EXPECT_FALSE(in->TrybKrokowy);

    ASSERT_TRUE(otworz({"remont"}));
    nacisnij();
    EXPECT_EQ(in->Podpis(), "nt");
    ASSERT_TRUE(otworz({"hide", "showtime"}));
    nacisnij();
    EXPECT_FALSE(in->TrybKrokowy);
    nacisnij();
    EXPECT_TRUE(in->TrybKrokowy);
}

TEST_F(Rozkazy, StopAllHidesTheView) {
    uruchom({"stop all", "+ x1 x1 1"});
    EXPECT_FALSE(in->WidokWidoczny());
    EXPECT_EQ(x(1), 0.0);
}

TEST_F(Rozkazy, MessageShowsTheLowerCasedRest) {
    uruchom({"message Hello"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], " hello");
}

TEST_F(Rozkazy, DivisionByZeroStopsTheFileNamingFileAndLineThenAnotherFileRuns) {
    ustaw(1, 4);
    uruchom({"+ x2 x2 1", "/ x3 x1 0", "+ x4 x4 1"});
    ASSERT_TRUE(in->OstatniBlad());
    EXPECT_EQ(in->OstatniBlad()->rodzaj(), BladSkryptu::Rodzaj::Arytmetyka);
    EXPECT_EQ(in->OstatniBlad()->numerWiersza(), 3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].rfind("blad w skrypcie!\n" + dir.file("a.roz") + ", wiersz 3: / x3 x1 0\nPrzyczyna: ", 0), 0u);
    EXPECT_EQ(x(4), 0.0);
    EXPECT_FALSE(in->PrzyciskAktywny());
    EXPECT_FALSE(in->Poziomy[0].Otwarty);

    uruchom({"/ x3 x1 2"});
    EXPECT_FALSE(in->OstatniBlad());
    EXPECT_EQ(x(3), 2.0);
}

TEST_F(Rozkazy, ArithmeticFaultsAreScriptErrors) {
    const char* linie[] = {"ln x2 0", "ln x2 -1", "exp x2 100000", "* x1 1e300 1e300", "przypisz x1",
                           "+ x1 1", "losuj x", "zapytaj x101", "+ x0 1 1"};
    for (const char* l : linie) {
        uruchom({l});
        EXPECT_TRUE(in->OstatniBlad()) << l;
    }
}

TEST_F(Rozkazy, ExpAndLnRoundToTheSixByteReal) {
    uruchom({"exp x2 1", "ln x3 x2"});
    EXPECT_EQ(x(2), std::stod(PostacNaukowa(static_cast<double>(roundToReal48(std::exp(1.0L))))));
    EXPECT_NEAR(x(3), 1.0, 1e-11);
}

TEST_F(Rozkazy, LosujGivesMultiplesOf1Over32000) {
    for (int i = 0; i < 20; ++i) {
        uruchom({"losuj x7"});
        const double v = x(7);
        EXPECT_GE(v, 0.0);
        EXPECT_LE(v, 0.99996875);
        EXPECT_EQ(v * 32000, std::floor(v * 32000));
        EXPECT_EQ(in->WartoscZapytania, v);
    }
}

TEST_F(Rozkazy, ZapytajPromptsWithTheDeclaredName) {
    ui.inputs = {std::string("2,5"), std::nullopt};
    uruchom({"deklaracja popyt", "zapytaj popyt", "przypisz x2 x1", "zapytaj x1"});
    ASSERT_EQ(ui.inputPrompts.size(), 2u);
    EXPECT_EQ(ui.inputPrompts[0], "popyt");
    EXPECT_EQ(ui.inputCaptions[0], "Wprowad\x9F warto\x9C\xE6 zmiennej");
    EXPECT_EQ(x(2), 2.0);  // only "." is a decimal point
    EXPECT_EQ(x(1), 0.0);  // Cancel
}

TEST_F(Rozkazy, DeclaredNamesAreSubstituted) {
    uruchom({"deklaracja zysk", "przypisz zysk 5", "+ zysk zysk 1"});
    EXPECT_EQ(x(1), 6.0);
    EXPECT_EQ(k->NazwyZmiennych[0].Uzytkownika, "zysk");
    in->Pokaz_Zmienne();
    EXPECT_EQ(widok.siatka[0].first, "zysk");
    EXPECT_EQ(widok.siatka[0].second, "         6");
}

TEST_F(Rozkazy, ZanotujBeforeRaportWritesNothing) {
    uruchom({"zanotuj x1"});
    EXPECT_FALSE(dir.exists("a.roz.txt"));
    EXPECT_FALSE(in->OstatniBlad());
}

TEST_F(Rozkazy, ClearZeroesTheVariablesAndKeepsTheNames) {
    ustaw(100, 5);
    uruchom({"deklaracja a", "clear"});
    EXPECT_EQ(x(100), 0.0);
    EXPECT_EQ(k->NazwyZmiennych[0].Uzytkownika, "a");
}

class LiczacePotwierdzenia : public CzasownikiWarsztatu {
public:
    using CzasownikiWarsztatu::CzasownikiWarsztatu;
    void Potwierdzenie() override {
        ++potwierdzenia;
        CzasownikiWarsztatu::Potwierdzenie();
    }
    int potwierdzenia = 0;
};

TEST_F(Rozkazy, ZmianaWithoutASubKeywordConfirmsOnceAndChangesNothing) {
    nowyOperator();
    uruchom({"w\xEAze\xB3 dodaj 0 0"});
    ASSERT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1"}));
    const std::string przed = dir.read("OP.qad");
    LiczacePotwierdzenia liczace(*w);
    in = std::make_unique<Interpretator>(*k, liczace, widok);
    uruchom({"zmiana foo"});
    EXPECT_EQ(liczace.potwierdzenia, 1);
    EXPECT_FALSE(in->OstatniBlad());
    EXPECT_EQ(dir.read("OP.qad"), przed);
}

TEST_F(Rozkazy, ANodeWordInsideAMessageDeletesNothing) {
    nowyOperator();
    uruchom({"w\xEAze\xB3 dodaj 0 0", "message w\xEAze\xB3 kasuj 1"});
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1"}));
    EXPECT_FALSE(in->OstatniBlad());
}

TEST_F(Rozkazy, OdczytWezelReadsTheSelectedNode) {
    nowyOperator();
    uruchom({"w\xEAze\xB3 dodaj 0 0", "odczyt w\xEAze\xB3 x5"});
    EXPECT_EQ(x(5), 1.0);
    EXPECT_EQ(cz->NumerOdczytanegoWezla, 1);
}

}  // namespace
}  // namespace vesk::test
