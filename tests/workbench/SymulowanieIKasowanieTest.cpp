#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

struct Operacje : test::WarsztatTest {
    void dodajPod(int baza) {
        wybierzNumer(baza);
        w->Bazowy1Click();
        w->WyborWezlaDoEdycji();
        ASSERT_TRUE(w->dodanieweza1Click());
    }
    std::vector<int> numeryWPliku(const std::string& nazwa = "OP.qad") const {
        const std::string b = dir.read(nazwa);
        std::vector<int> n;
        for (std::size_t o = 0; o < b.size(); o += RozmiarStanuModelu) n.push_back(static_cast<unsigned char>(b[o]));
        return n;
    }
};

TEST_F(Operacje, SimulatingAChildOfTheRoot) {
    nowyOperator();
    dodajPod(0);
    ASSERT_TRUE(w->Symulowanie(1));
    StanModelu r;
    ASSERT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), 1, r));
    EXPECT_EQ(r.Rok(), 2015);
    EXPECT_EQ(r.Symulowany(), 1);
    EXPECT_EQ(w->Drzewo.Etykieta(1), "d/r 1");
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td/r 1\r\n");
    EXPECT_FALSE(w->Formularz.Edytowalny);
    EXPECT_FALSE(w->Polecenia.symuluj);
    EXPECT_TRUE(w->Polecenia.Bazowy1);
    EXPECT_EQ(k->RekordBiezacy, r);
    EXPECT_TRUE(k->TabelaWezlow.Zajety[1]);
    EXPECT_EQ(k->TabelaWezlow.Wpisy[1].Symulowany, 1);
    // A simulated node only has its tree saved again.
    const std::string qad = dir.read("OP.qad");
    dir.write("OP.tr1", "zmieniony");
    EXPECT_FALSE(w->Symulowanie(1));
    EXPECT_EQ(dir.read("OP.qad"), qad);
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td/r 1\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Operacje, AFailingRunKeepsTheLabel) {
    nowyOperator();
    dodajPod(0);
    k->ZadanoPrzerwania = [] { return true; };
    const std::string qad = dir.read("OP.qad");
    EXPECT_FALSE(w->Symulowanie(1));
    EXPECT_TRUE(dir.read("OP.qad") == qad) << "the state file as it was";
    EXPECT_EQ(w->Drzewo.Etykieta(1), "d 1");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(w->Polecenia.symuluj);
    StanModelu r;
    ASSERT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), 1, r));
    EXPECT_EQ(r.Symulowany(), 0);
}

TEST_F(Operacje, AMissingParentIsRefused) {
    // Refused on opening, before anything could be simulated under it.
    operatorZPlikow({{1, 9, false}}, "d/r 0\r\n\td 1\r\n", false);
    const std::string qad = dir.read("OP.qad");
    EXPECT_FALSE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
    EXPECT_EQ(dir.read("OP.qad"), qad);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("nadrz\xEA" "dny 9 nie ma rekordu"), std::string::npos) << ui.messages[0];
}

TEST_F(Operacje, DeletingRewritesTheFileInNodeOrder) {
    operatorZPlikow({{3, 0, false}, {1, 0, false}, {2, 0, false}}, "d/r 0\r\n\td 1\r\n\td 2\r\n\td 3\r\n");
    ASSERT_EQ(numeryWPliku(), (std::vector<int>{0, 3, 1, 2}));
    w->Wybierz(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    ASSERT_TRUE(w->KasowanieWezla(2));
    EXPECT_EQ(numeryWPliku(), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td 1\r\n\td 3\r\n");
    EXPECT_FALSE(k->TabelaWezlow.Zajety[2]);
    EXPECT_TRUE(k->TabelaWezlow.Zajety[3]);
    EXPECT_EQ(k->ZespolZapasowy, k->TabelaWezlow);
    EXPECT_FALSE(k->WezelBazowy.Ustawiony || k->WezelDoEdycji.Ustawiony);
    EXPECT_FALSE(w->Polecenia.dodanieweza1);
    EXPECT_EQ(w->OkienkoBazowe, "");
    EXPECT_EQ(w->OkienkoEdycji, "");
    EXPECT_FALSE(dir.exists("OP.qad.nowy"));
    // The freed number is given to the next node.
    dodajPod(0);
    EXPECT_EQ(w->Drzewo.Etykieta(2), "d 2");
}

TEST_F(Operacje, TheRootAndAParentAreRefused) {
    operatorZPlikow({{1, 0, true}, {2, 1, false}}, "d/r 0\r\n\td/r 1\r\n\t\td 2\r\n");
    const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
    for (int n : {0, 1}) {
        ui.messages.clear();
        EXPECT_FALSE(w->KasowanieWezla(n)) << n;
        EXPECT_EQ(ui.messages, (std::vector<std::string>{teksty::MaPotomkow})) << n;
        EXPECT_EQ(dir.read("OP.qad"), qad) << n;
        EXPECT_EQ(dir.read("OP.tr1"), tr1) << n;
    }
}

TEST_F(Operacje, AnOperatorNamedPomocLosesNothing) {
    ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + "pomoc."));
    dodajPod(0);
    dodajPod(0);
    ASSERT_TRUE(w->KasowanieWezla(1));
    EXPECT_EQ(numeryWPliku("pomoc.qad"), (std::vector<int>{0, 2}));
}

// Also where the new state file is in place but its folder could not be
// flushed: the old one is put back.
TEST_F(Operacje, AnUnwritableScratchFileLeavesTheStateFileIntact) {
    for (const char* krok : {"rename", "sync folder"}) {
        nowyOperator();
        dodajPod(0);
        const std::string qad = dir.read("OP.qad");
        ui.messages.clear();
        bool raz = true;  // the state file's step fails, the tree's does not
        setFileFault([&raz, krok](std::string_view k) { return k == krok && std::exchange(raz, false); });
        EXPECT_FALSE(w->KasowanieWezla(1)) << krok;
        setFileFault({});
        EXPECT_EQ(dir.read("OP.qad"), qad) << krok;
        ASSERT_EQ(ui.messages.size(), 1u) << krok;
        EXPECT_NE(ui.messages[0].find("OP.qad"), std::string::npos) << krok;
        EXPECT_EQ(w->Drzewo.Liczba(), 2) << krok;
        EXPECT_TRUE(k->TabelaWezlow.Zajety[1]) << krok;
    }
    // The tree in place, its folder not flushed: said so, not that it was not saved.
    nowyOperator();
    dodajPod(0);
    ui.messages.clear();
    int kroki = 0;  // the state file's flush passes, the tree's fails
    setFileFault([&kroki](std::string_view k) { return k == "sync folder" && ++kroki == 2; });
    EXPECT_TRUE(w->KasowanieWezla(1));
    setFileFault({});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].find("Plik drzewa " + dir.folder() + "OP.tr1 zapisany, ale nie uda\xB3o si\xEA zapisa\xE6 na dysku"), 0u)
        << ui.messages[0];
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n");
    // A creation whose file is in place, its folder not flushed, says so
    // (and that it was undone), never that the file was not written.
    for (int n = 1; n <= 4; ++n) {
        ui.messages.clear();
        kroki = 0;
        setFileFault([&kroki, n](std::string_view k) { return k == "sync folder" && ++kroki == n; });
        const bool utworzony = w->TworzenieNowegoOperatora(dir.folder() + "NOWY.");
        setFileFault({});
        if (!utworzony) {
            ASSERT_EQ(ui.messages.size(), 1u) << n;
            EXPECT_EQ(ui.messages[0].find(": plik zapisany"), std::string::npos) << ui.messages[0];
        }
    }
}

// A refused add changed nothing: the refusal alone is told, no tree save.
TEST_F(Operacje, AnAddRefusedOnAFullDiskIsToldOnce) {
    nowyOperator();
    wybierzNumer(0);
    w->Bazowy1Click();
    w->WyborWezlaDoEdycji();
    ui.messages.clear();
    setFileFault([](std::string_view krok) { return krok == "write"; }, ENOSPC);
    EXPECT_FALSE(w->dodanieweza1Click());
    setFileFault({});
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Nie uda\xB3o si\xEA doda\xE6 w\xEAz\xB3" "a do pliku " + dir.folder() +
                                                    "OP.qad: brak miejsca na dysku"});
}

}  // namespace
}  // namespace vesk
