// The verbs over the workbench: decisions, nodes and operator files,
// read-outs and display; the operations by tree position; a command file
// end to end against the stored records.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>

#include "DrzewoDecyzji.h"
#include "FileSystem.h"
#include "Odczyty.h"
#include "OperacjeJezyka.h"
#include "PlikStanu.h"
#include "PomocInterpretera.h"
#include "PozycjaBilansu.h"

namespace vesk::test {
namespace {

const std::string W = "w\xEAze\xB3 ";  // "węzeł "

struct Czasowniki : InterpretatorTest {
    void SetUp() override {
        InterpretatorTest::SetUp();
        nowyOperator();
    }
    BladSkryptu::Rodzaj bladPo(const std::vector<std::string>& linie) {
        uruchom(linie);
        EXPECT_TRUE(in->OstatniBlad()) << linie.back();
        return in->OstatniBlad() ? in->OstatniBlad()->rodzaj() : BladSkryptu::Rodzaj::Wykonanie;
    }
    StanModelu rekord(int n) {
        StanModelu r;
        EXPECT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), static_cast<std::uint8_t>(n), r));
        return r;
    }
};

TEST_F(Czasowniki, DecisionsWriteTheSheetWithItsSeparator) {
    ustaw(7, 0.5);
    uruchom({W + "dodaj 0 0", "zmiana cena alfa rok2 12.5", "zmiana dywidenda rok3 x7",
             "zmiana zam\xF3wienia surowc\xF3w red rok1 40", "zmiana inwestycje beta rok2 projekt2 3",
             "zmiana inwestycje gamma rok1 projekt1 2"});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    EXPECT_EQ(*w->Formularz.Pole("cena_alfa_1"), "12,5");
    EXPECT_EQ(*w->Formularz.Pole("Dywidenda_2"), "0,5");
    EXPECT_EQ(*w->Formularz.Pole("Surowiec_Red_0"), "40");
    EXPECT_EQ(w->Formularz.Siatka[2][4], "3");
    EXPECT_EQ(w->Formularz.Siatka[3][1], "2");
    const StanModelu r = rekord(1);
    EXPECT_NEAR(WartoscDecyzji(r, 4, 2), 12.5, 1e-9);
    EXPECT_EQ(r.bajty[OffsetInwestycji(2, 2, 2)], 3);
    EXPECT_EQ(r.bajty[OffsetInwestycji(3, 1, 1)], 2);
}

TEST_F(Czasowniki, WordsThatMatchNothingChangeNoBoxButTheSheetIsConfirmed) {
    uruchom({W + "dodaj 0 0"});
    const auto pola = w->Formularz.Pola;
    uruchom({"zmiana cena delta rok1 5", "zmiana zam\xF3wienia surowc\xF3w purple rok1 5", "zmiana zad\xB3u\xBF" "enie rok4 5"});
    EXPECT_FALSE(in->OstatniBlad());
    EXPECT_EQ(w->Formularz.Pola, pola);
    // A value word naming no variable, and a change on a simulated node.
    EXPECT_EQ(bladPo({"zmiana dywidenda rok1 x0"}), BladSkryptu::Rodzaj::NumerZmiennej);
    EXPECT_EQ(bladPo({W + "ustaw 0", "zmiana dywidenda rok1 5"}), BladSkryptu::Rodzaj::Odmowa);
}

TEST_F(Czasowniki, NodesAreFoundByTheirLabelNumber) {
    uruchom({W + "dodaj 0 0 x5", W + "dodaj 0 0", W + "symuluj 1", W + "dodaj 1 0 x6"});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    EXPECT_EQ(x(5), 1.0);
    EXPECT_EQ(x(6), 3.0);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1", "d 3", "d 2"}));
    ustaw(4, 2);
    uruchom({W + "symuluj x4", W + "kasuj 3"});
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1", "d/r 2"}));
    EXPECT_EQ(DrzewoDecyzji::Wczytaj(dir.file("OP.tr1")).Linie(), w->Drzewo.Linie());
}

TEST_F(Czasowniki, NodeFaultsAreScriptErrorsAndChangeNothing) {
    uruchom({W + "dodaj 0 0"});
    const std::string qad = dir.read("OP.qad");
    EXPECT_EQ(bladPo({W + "dodaj 1 0"}), BladSkryptu::Rodzaj::Odmowa);   // base not simulated
    EXPECT_EQ(bladPo({W + "dodaj 5 0"}), BladSkryptu::Rodzaj::BrakWezla);
    EXPECT_EQ(bladPo({W + "dodaj 0 0 y"}), BladSkryptu::Rodzaj::NumerZmiennej);
    EXPECT_EQ(bladPo({W + "kasuj 0"}), BladSkryptu::Rodzaj::Odmowa);     // "blad w skrypcie - kasowanie"
    EXPECT_EQ(in->OstatniBlad()->powod(), "blad w skrypcie - kasowanie");
    EXPECT_EQ(bladPo({W + "symuluj 7"}), BladSkryptu::Rodzaj::BrakWezla);
    EXPECT_EQ(bladPo({W + "ustaw"}), BladSkryptu::Rodzaj::BrakOperandu);
    ustaw(8, 2.75);
    EXPECT_EQ(bladPo({W + "ustaw x8"}), BladSkryptu::Rodzaj::NieLiczba);
    EXPECT_EQ(dir.read("OP.qad"), qad);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1"}));
}

TEST_F(Czasowniki, FileVerbsTakeThePathBetweenQuotes) {
    const std::string nowy = dir.file("Nowy.tr1");
    uruchom({"utw\xF3rz plik \"" + nowy + "\" ", W + "dodaj 0 0"});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    EXPECT_TRUE(dir.exists("nowy.tr1") || dir.exists("Nowy.tr1"));
    uruchom({"wczytaj plik \"" + dir.file("OP.tr1") + "\""});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    // The quoted path keeps the letter case written.
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "OP.");
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0"}));
    EXPECT_EQ(w->IndeksWybranego(), 0);
    EXPECT_EQ(bladPo({"wczytaj plik " + dir.file("OP.tr1")}), BladSkryptu::Rodzaj::BrakOperandu);
    EXPECT_EQ(bladPo({"wczytaj plik \"" + dir.file("brak.tr1") + "\""}), BladSkryptu::Rodzaj::Odmowa);
    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + "OP.");
}

TEST_F(Czasowniki, AnotherOperatorKeepsOnlyTheHistoriesOfItsNewRoot) {
    uruchom({W + "dodaj 0 0", W + "symuluj 1", "utw\xF3rz plik \"" + dir.file("Nowy.tr1") + "\"",
             "odczyt rachunek rozliczeniowy 0 3 50 x1", "odczyt rachunek rozliczeniowy 1 3 50 x2",
             "wczytaj plik \"" + dir.file("OP.tr1") + "\"", "odczyt rachunek rozliczeniowy 0 3 50 x3"});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    EXPECT_NE(x(1), 0.0);  // the new root has just run
    EXPECT_EQ(x(2), 0.0);
    EXPECT_EQ(x(3), 0.0);
}

// A creation ("utw�rz plik", and the window's over the operator open or
// not) over T failing at any file step, or refused at a folder, leaves
// every file of the folder as it was; one that goes through replaces T and
// says how many nodes it held.
TEST_F(Czasowniki, AFailedCreationLeavesEveryFileAsItWas) {
    uruchom({"utw\xF3rz plik \"" + dir.file("M.tr1") + "\"", W + "dodaj 0 0", W + "symuluj 1"});  // the model of T
    const auto pliki = [&] {
        std::map<std::string, std::string> m;
        for (const auto& e : std::filesystem::directory_iterator(dir.folder()))
            if (const std::string n = e.path().filename().string(); !n.ends_with(".roz"))
                m[n] = e.is_directory() ? "<folder>" : dir.read(n);
        return m;
    };
    const struct {
        const char* co;
        std::vector<std::string> pliki;  // T's files, each a copy of M's of its extension ("T.tr1/": a folder)
        bool otwarty;
        std::size_t rekordy = 2;  // of M's state file's, kept in T's
    } wiersze[] = {{"own", {"T.qad", "T.tr1"}, false}, {"other", {"t.qad", "T.tr1"}, false}, {"killed", {"T.qad", "T.tr1.nowy"}, false},
                   {"new", {}, false}, {"folder", {"T.qad", "T.tr1/"}, false}, {"own, open", {"T.qad", "T.tr1"}, true},
                   {"other, open", {"t.qad", "T.tr1"}, true}, {"own, state file cut", {"T.qad", "T.tr1"}, false, 1}};
    for (const auto& r : wiersze)
        for (const bool polecenie : {true, false})
            for (int n = 1, dalej = 1; dalej; ++n) {  // until a run has no n-th step to fail
                SCOPED_TRACE(std::string(r.co) + (polecenie ? " utworz plik" : " window") + ", step " + std::to_string(n));
                for (const char* f : {"T.qad", "t.qad", "T.tr1", "T.tr1.nowy", "T.lck", "t.lck"}) std::filesystem::remove_all(dir.file(f));
                for (const std::string& f : r.pliki)
                    f.back() == '/' ? (void)std::filesystem::create_directory(dir.file(f))
                                    : dir.write(f, dir.read("M" + f.substr(1, 4)).substr(0, r.rekordy * RozmiarStanuModelu));
                ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + (r.otwarty ? "T." : "OP.")));
                const auto przed = pliki();
                ui.messages.clear();
                int krok = 0;
                setFileFault([&](std::string_view s) { return s != "stat" && s != "list" && s != "read" && ++krok == n; });
                if (polecenie) uruchom({"utw\xF3rz plik \"" + dir.file("T.tr1") + "\""});
                const bool ok = polecenie ? !in->OstatniBlad() : w->TworzenieNowegoOperatora(dir.folder() + "T.");
                setFileFault({});
                dalej = krok >= n;
                if (!ok) {
                    EXPECT_EQ(pliki(), przed);
                    EXPECT_EQ(k->SciezkaOperatora, dir.folder() + (r.otwarty ? "T." : "OP."));
                    EXPECT_EQ(w->Blokada.guardedFile(), FileLock::Guarded::Current);
                    if (std::string(r.co) == "folder") EXPECT_NE(ui.messages.at(0).find("T.tr1: to jest folder"), std::string::npos);
                    continue;
                }
                EXPECT_TRUE(dir.read("T.tr1") == "d/r 0\r\n" && dir.read("T.qad").size() == RozmiarStanuModelu);
                // The old state file spelt otherwise became the new one.
                EXPECT_TRUE(!dir.exists("t.qad") && ui.messages.empty());
                // The nodes counted in the tree; the records too where they differ.
                EXPECT_EQ(w->Zastapiony, r.pliki.empty() ? std::nullopt : std::optional(ZastapionyOperator{2, r.rekordy}));
                if (polecenie && !r.pliki.empty())
                    EXPECT_EQ(ui.progressTexts.back(), "zast\xB9piono operator " + dir.file("T.tr1") + " (w\xEAz\xB3\xF3w: 2" +
                                                           (r.rekordy == 2 ? ")" : "; rekord\xF3w w pliku stanu: 1)"));
            }
}

// A look that fails at any stat of a node's add and simulation (the
// state file's, the lock's guarded file's before the tree's save, an open
// file's length) says that it failed and why, never that a file was
// replaced or a node is missing; a run that did not fail saved its tree.
TEST_F(Czasowniki, AFailedLookDuringASaveSaysSo) {
    for (int n = 1, krok = 1; krok >= n - 1; ++n) {  // until a run has no n-th stat
        const std::string N = "N" + std::to_string(n) + ".";
        ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + N));
        ui.messages.clear();
        w->BladZapisu = false;
        ASSERT_TRUE(otworz({"run", W + "dodaj 0 0", W + "symuluj 1"}));
        krok = 0;
        setFileFault([&](std::string_view s) { return s == "stat" && ++krok == n; });
        wykonajCaly();
        setFileFault({});
        std::string m = in->OstatniBlad() ? in->OstatniBlad()->what() : "";
        for (const std::string& t : ui.messages) m += t;
        for (const char* falsz : {"zast\xB9piony", "po\xB3o\xBFy\xB3 inny plik", "rak rekordu", "brak pliku lub folderu"})
            EXPECT_EQ(m.find(falsz), std::string::npos) << n << m;
        if (!in->OstatniBlad() && !w->BladZapisu) EXPECT_EQ(dir.read(N + "tr1"), "d/r 0\r\n\td/r 1\r\n") << n << m;
        else EXPECT_FALSE(m.empty()) << n;
    }
}

TEST_F(Czasowniki, ReadOutsOfNodesHistoriesAndTargets) {
    uruchom({W + "dodaj 0 0", W + "symuluj 1", W + "dodaj 1 1", "odczyt w\xEAze\xB3 x1", "odczyt ojciec 2 x2",
             "odczyt wynik finansowy 1 1 0 x3", "odczyt wynik finansowy 51 1 0 x4",
             "odczyt sprzeda\xBF ilo\x9C" "ciowo 4 1 1 0 x5", "odczyt zapas 1 1 x6", "odczyt koszty 3 1 x7"});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    EXPECT_EQ(x(1), 2.0);
    EXPECT_EQ(x(2), 1.0);
    EXPECT_EQ(x(3), static_cast<double>(static_cast<long double>(k->Historia->Przebieg1[1][1][0])));
    EXPECT_EQ(x(4), -1000.0);
    EXPECT_EQ(x(5), -1000.0);
    EXPECT_EQ(x(6), WartoscZapasow(k->RekordBiezacy, 1, 1));
    EXPECT_EQ(x(7), WartoscKosztow(k->RekordBiezacy, 3, 1));
    EXPECT_EQ(bladPo({"odczyt ojciec 0 x2"}), BladSkryptu::Rodzaj::BrakWezla);
    EXPECT_EQ(bladPo({"odczyt koszty 3 1 y7"}), BladSkryptu::Rodzaj::NumerZmiennej);
    EXPECT_EQ(bladPo({"odczyt koszty 3 1"}), BladSkryptu::Rodzaj::BrakOperandu);
}

TEST_F(Czasowniki, PokazShowsTheDeclaredNameAndTheScientificValue) {
    uruchom({"deklaracja a", "deklaracja b", "deklaracja cena", "przypisz cena 2", "pokaz x3", "pokaz x4"});
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0], "warto\x9C\xE6 zmiennej cena\r wynosi:  2.00000000000000E+0000");
    EXPECT_EQ(ui.messages[1], "warto\x9C\xE6 zmiennej \r wynosi:  0.00000000000000E+0000");
}

TEST_F(Czasowniki, OperationsByTreePosition) {
    Dodaj_Wezel(*w, 0, 0);
    Dodaj_Wezel(*w, 0, 0);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d 1", "d 2"}));
    Ustaw_Biezacy(*w, 2);
    EXPECT_EQ(k->RekordBiezacy.Numer(), 2);
    EXPECT_EQ(w->Formularz.NumerDecyzji, "2");
    Zmiana_Cena(*w, "beta", "rok2", "12,5");
    EXPECT_EQ(*w->Formularz.Pole("cena_beta_1"), "12,5");
    EXPECT_NEAR(WartoscDecyzji(rekord(2), 5, 2), 12.5, 1e-9);
    const std::string qad = dir.read("OP.qad");
    Zmiana_Cena(*w, "Alfa", "rok1", "99");  // nothing matches; confirmed unchanged
    EXPECT_EQ(dir.read("OP.qad"), qad);
    Symuluj_Wezel(*w, 1);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1", "d 2"}));
    Kasuj_Wezel(*w, 2);
    EXPECT_EQ(etykiety(), (std::vector<std::string>{"d/r 0", "d/r 1"}));
    EXPECT_THROW(Ustaw_Biezacy(*w, 2), BladSkryptu);
    EXPECT_THROW(Kasuj_Wezel(*w, 0), BladSkryptu);
    Ustaw_Biezacy(*w, 0);
    EXPECT_EQ(k->RekordBiezacy.Numer(), 0);
    EXPECT_EQ(w->IndeksWybranego(), 0);
}

TEST_F(Czasowniki, GridRowsShowDeclaredVariablesOnly) {
    k->NazwyZmiennych[0] = {"x1", "a"};
    k->NazwyZmiennych[1] = {"x2", "b"};
    k->NazwyZmiennych[2] = {"x3", "c"};
    k->NazwyZmiennych[3] = {"x4", "d"};
    ustaw(1, 2.5);
    ustaw(2, 7);
    ustaw(3, 0.1);
    ustaw(4, 1e300);
    ustaw(5, 3);
    const auto r = WierszeZmiennych(*k);
    EXPECT_EQ(r[0].Wartosc, "       2.5");
    EXPECT_EQ(r[1].Wartosc, "         7");
    EXPECT_EQ(r[2].Wartosc, "0.100000000000000006");
    EXPECT_EQ(r[3].Wartosc, " 1.00000000000000E+0300");
    EXPECT_EQ(r[4].Nazwa, "");
    EXPECT_EQ(r[4].Wartosc, "");
}

TEST_F(Czasowniki, EndToEndTwoNodesWithAChangedPriceAgreeWithTheStoredRecords) {
    uruchom({"deklaracja stawka", W + "dodaj 0 0", W + "symuluj 1", W + "dodaj 0 0",
             "odczyt zmienne decyzyjne 4 1 stawka", "* stawka stawka 1.1", "zmiana cena alfa rok1 stawka",
             W + "symuluj 2", "odczyt rachunek wynik\xF3w 1 2 1 x10", "odczyt wynik syntetyczny 1 2 x11",
             "odczyt bilans 16 1 3 x12", W + "ustaw 1", "odczyt rachunek wynik\xF3w 1 2 1 x13"});
    ASSERT_FALSE(in->OstatniBlad()) << in->OstatniBlad()->what();
    const StanModelu r1 = rekord(1), r2 = rekord(2);
    EXPECT_NEAR(WartoscDecyzji(r2, 4, 1), x(1), 1e-6);
    EXPECT_NEAR(WartoscDecyzji(r2, 4, 1), WartoscDecyzji(r1, 4, 1) * 1.1, 1e-6);
    EXPECT_EQ(x(10), WartoscRachunkuWynikow(r2, 1, 2, 1));
    EXPECT_EQ(x(12), WartoscBilansu(r2, 16, 1, 3));
    EXPECT_EQ(x(13), WartoscRachunkuWynikow(r1, 1, 2, 1));
    EXPECT_NE(x(10), x(13));
    k->RekordBiezacy = r2;
    EXPECT_EQ(x(11), WartoscWynikuSyntetycznego(*k, 1, 2));
    // Tree and state file agree.
    EXPECT_EQ(DrzewoDecyzji::Wczytaj(dir.file("OP.tr1")).Linie(),
              (std::vector<std::string>{"d/r 0", "\td/r 1", "\td/r 2"}));
    EXPECT_EQ(dir.read("OP.qad").size(), 3 * RozmiarStanuModelu);
    EXPECT_EQ(r2.Symulowany(), 1);
}

}  // namespace
}  // namespace vesk::test
