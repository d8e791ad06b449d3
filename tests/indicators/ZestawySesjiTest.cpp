// The session's set and threshold commands over the in-memory set store:
// reading another set, saving as, adding an indicator, the threshold
// dialogs and the relation box.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "FakeIndicatorSetStore.h"
#include "IndicatorSession.h"
#include "PomocWskaznikow.h"
#include "TempDir.h"

namespace vesk {
namespace {

using test::P;

struct Warsztat : HakiWarsztatu {
    std::optional<WybranyWezel> Wybrany() const override { return WybranyWezel{1, 1, "d/r 1", false, {}, {}}; }
    void Zmiana_wezla() override {}
    void UstawRezultaty2(bool) override {}
    void UstawWzy1(bool) override {}
    std::optional<int> CoJesli(int, long double) override { return std::nullopt; }
    bool WybierzEtykiete(const std::string&) override { return false; }
};

// An indicator whose both sides are the constant one: its value is 1.000.
WierszWskaznika Jedynka(const std::string& nazwa, const std::string& relacja = "", const std::string& t1 = "",
                        const std::string& t2 = "") {
    WierszWskaznika w{};
    w[kol::Nazwa] = nazwa;
    w[kol::ZrodloLicznika1] = w[kol::ZrodloMianownika1] = "Bilans Aktywa";
    w[kol::PozycjaLicznika1] = w[kol::PozycjaMianownika1] = "jedynka";
    w[kol::OperatorLicznika] = w[kol::OperatorMianownika] = "xxx";
    w[kol::Relacja] = relacja;
    w[kol::Prog1] = t1;
    w[kol::Prog2] = t2;
    return w;
}

TabelaWskaznikow Tabela(const std::vector<WierszWskaznika>& wiersze) {
    TabelaWskaznikow t;
    t.UstawKomorke(1, kol::Nazwa, "nazwa");
    for (std::size_t i = 0; i < wiersze.size(); ++i)
        for (int c = 1; c <= KolumnZestawu; ++c)
            t.UstawKomorke(static_cast<int>(i) + 2, c, wiersze[i][static_cast<std::size_t>(c)]);
    return t;
}

struct ZestawySesji : ::testing::Test {
    test::TempDir dir;
    ScriptedUserInterface ui;
    Kontekst k{ui};
    Warsztat w;
    test::FakeIndicatorSetStore store;
    IndicatorSession s{k, w, store};

    void SetUp() override {
        k.KatalogProgramu = dir.folder();
        test::KopiujDrzewaPozycji(dir);
        k.RekordBiezacy.UstawRok(2012);
        dir.write("wskazniki-ogolne.xls", "");
        store.files[ogolny()] = Tabela({Jedynka("a", "x>", "2"), Jedynka("b", "x<>", "0,5", "2")});
        s.onActivated();
        s.chooseIndicator(0);
        ui.messages.clear();
    }
    std::string ogolny() const { return dir.folder() + "wskazniki-ogolne.xls"; }
};

TEST_F(ZestawySesji, ReadingAnotherSetChoosesItsFirstIndicator) {
    dir.write("inne.xls", "");  // the store holds the contents; the file only has to be there
    store.files[dir.folder() + "inne.xls"] = Tabela({Jedynka("x", "x<", "3"), Jedynka("y")});
    ui.files = {dir.folder() + "inne.xls"};
    WidokWskaznikow v = s.WczytanieZestawu();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], P("Proszę podać nazwę zestawu wskaźników"));
    EXPECT_EQ(ui.dialogFolders[0], dir.folder());
    EXPECT_EQ(v.Lista, (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(v.TekstListy, "x");
    EXPECT_EQ(v.IndeksListy, 0);
    EXPECT_EQ(s.NazwaZestawu(), "inne");
    EXPECT_EQ(v.Tytul, "DefiniowanieWskaznikow" + P(" | zestaw wskaźników: ") + dir.folder() + "inne.xls");
    EXPECT_EQ(v.Licznik1, "jedynka(Bilans Aktywa)");
    EXPECT_EQ(v.WpisRelacji, 3);
    EXPECT_EQ(v.Wartosc, "1.000");
    EXPECT_EQ(v.Diagnoza, "Dobrze - niska");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ZestawySesji, CancelReadsTheCurrentSetAgainAndAnEmptyNameNothing) {
    const int przed = store.reads;
    ui.files = {""};  // accepted with no name: nothing happens
    WidokWskaznikow v = s.WczytanieZestawu();
    EXPECT_EQ(store.reads, przed);
    EXPECT_EQ(v.TekstListy, "a");
    store.files[ogolny()] = Tabela({Jedynka("c")});  // changed on disk meanwhile
    v = s.WczytanieZestawu();  // cancelled
    EXPECT_EQ(store.reads, przed + 1);
    EXPECT_EQ(v.Lista, (std::vector<std::string>{"c"}));
    EXPECT_EQ(v.TekstListy, "c");
    EXPECT_EQ(s.NazwaZestawu(), "wskazniki-ogolne");
}

TEST_F(ZestawySesji, MissingFileIsToldAsSuchAndChangesNothing) {
    std::filesystem::remove(ogolny());  // the current set gone: a cancel finds no file
    const std::optional<std::string> wybory[] = {std::nullopt, dir.folder() + "brak.xls"};  // cancel, a chosen name
    for (const std::optional<std::string>& plik : wybory) {
        ui.messages.clear();
        ui.files.clear();
        if (plik) ui.files = {*plik};
        const int przed = store.reads;
        WidokWskaznikow v = s.WczytanieZestawu();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0], P("Brak zestawu wskaźników: ") + plik.value_or(ogolny()));
        EXPECT_TRUE(ui.questions.empty());
        EXPECT_EQ(store.reads, przed);
        EXPECT_EQ(v.TekstListy, "a");
        EXPECT_EQ(v.Licznik1, "jedynka(Bilans Aktywa)");
    }
}

// A pipe chosen as a set is named, not called missing (its other end held).
TEST_F(ZestawySesji, APipeChosenAsASetIsNamed) {
    const std::string potok = dir.folder() + "potok.xls";
    ui.files = {potok};
    const int koniec = ::mkfifo(potok.c_str(), 0600) == 0 ? ::open(potok.c_str(), O_RDWR | O_NONBLOCK) : -1;
    s.WczytanieZestawu();
    ::close(koniec);
    EXPECT_EQ(ui.messages.at(0), P("Zestaw wskaźników ") + potok + P(" nie daje się odczytać: to jest potok nazwany (FIFO)"));
}

TEST_F(ZestawySesji, ARefusedSetKeepsAllShownAndAnEmptyOneClearsItAndIsTold) {
    s.ListaDiagnoz = {"==> a"};
    s.UAktualnicWykres(true);
    const WidokWskaznikow przed = s.Widok();
    auto pola = [](const WidokWskaznikow& v) {
        return std::vector<std::string>{v.TekstListy, v.Licznik1, v.Wartosc, v.Diagnoza, v.Prog1};
    };
    dir.write("zly.xls", "");  // the store refuses it
    ui.files = {dir.folder() + "zly.xls"};
    EXPECT_EQ(pola(s.WczytanieZestawu()), pola(przed));
    EXPECT_EQ(s.ListaDiagnoz.size(), 1u);
    dir.write("tytuly.xls", "");
    store.files[dir.folder() + "tytuly.xls"] = Tabela({});
    ui.files = {dir.folder() + "tytuly.xls"};
    const WidokWskaznikow v = s.WczytanieZestawu();
    EXPECT_EQ(ui.messages.back(), P("Zestaw wskaźników ") + dir.folder() + P("tytuly.xls nie zawiera żadnego wskaźnika"));
    EXPECT_EQ(pola(v), std::vector<std::string>(5));
    EXPECT_TRUE(v.Lista.empty() && s.ListaDiagnoz.empty() && v.WpisRelacji == 0 && !s.WykresWidoczny());
}

TEST_F(ZestawySesji, ANewIndicatorStartsWithoutTheListedOnesSecondItemAndOperator) {
    WierszWskaznika dwa = Jedynka("dwa");
    dwa[kol::OperatorLicznika] = "+";
    dwa[kol::ZrodloLicznika2] = "Bilans Aktywa";
    dwa[kol::PozycjaLicznika2] = "jedynka";
    store.files[ogolny()] = Tabela({dwa});
    s.onActivated();
    ASSERT_EQ(s.chooseIndicator(0).OperandLicznika, "+");
    WidokWskaznikow v = s.Upusc(Okienko::Licznik1, StronaPanelu::Licznik, 1);
    EXPECT_EQ(v.Licznik2 + v.OperandLicznika, "");
    // An operator chosen before its second item shows as chosen.
    EXPECT_EQ(s.ZmianaOperatora(StronaPanelu::Licznik, "-").OperandLicznika, "-");
}

TEST_F(ZestawySesji, SaveAsAsksBeforeOverwritingAndCarriesEditedThresholds) {
    ui.inputs = {std::string("0.25")};
    s.DialogProgu(1);  // an edited threshold lives in the grid only
    const struct {
        bool exists;
        bool overwrite;
        bool written;
    } t[] = {{false, true, true}, {true, false, false}, {true, true, true}};
    k.KatalogOperatora = dir.folder() + "OP/";
    int n = 0;
    for (const auto& c : t) {
        const std::string plik = dir.folder() + "kopia" + std::to_string(n++) + ".xls";
        if (c.exists) dir.write(std::filesystem::path(plik).filename().string(), "stary");
        ui.questions.clear();
        ui.answers = {c.overwrite};
        ui.files = {plik};
        WidokWskaznikow v = s.ZapisanieZestawuJako();
        // A set of the program's folder is saved elsewhere: the dialog
        // starts in the operator's folder.
        EXPECT_EQ(ui.dialogFolders.back(), k.KatalogOperatora);
        EXPECT_EQ(ui.questions.size(), c.exists ? 1u : 0u);
        ASSERT_EQ(store.files.count(plik) == 1, c.written) << plik;
        if (!c.written) continue;
        EXPECT_EQ(store.files[plik].Komorka(2, kol::Prog1), "0.25");
        EXPECT_EQ(store.files[plik].Komorka(3, kol::Nazwa), "b");
        EXPECT_EQ(v.Tytul, "DefiniowanieWskaznikow" + P(" | zestaw wskaźników: ") + plik);
        EXPECT_EQ(s.Zestaw().Plik, plik);
    }
    EXPECT_EQ(s.NazwaZestawu(), "wskazniki-ogolne");
    ui.files = {};  // cancelled: nothing written
    const int zapisy = store.writes;
    s.ZapisanieZestawuJako();
    EXPECT_EQ(store.writes, zapisy);
}

TEST_F(ZestawySesji, AddingChecksTheNameAndWritesAtOnce) {
    const struct {
        std::optional<std::string> answer;
        const char* message;  // nullptr: added
    } t[] = {
        {std::nullopt, "Nie można przypisać wskaźnikowi pustej nazwy: "},
        {std::string(""), "Nie można przypisać wskaźnikowi pustej nazwy: "},
        {std::string("b"), "Wskaźnik o tej nazwie już jest wpisany"},
        {std::string("a/b"), "Nazwa wskaźnika nie może zawierać znaków / \\ :"},
        {std::string("nowy"), nullptr},
    };
    s.UstawProg(1, "3");  // typed into the box: the new indicator takes it
    for (const auto& c : t) {
        ui.messages.clear();
        ui.inputs = {c.answer};
        const int zapisy = store.writes;
        WidokWskaznikow v = s.DodanieWskaznika();
        EXPECT_EQ(ui.inputCaptions.back(), P("Nadawanie nazwy wskaźnikowi"));
        EXPECT_EQ(ui.inputPrompts.back(), P("Podaj nazwę wskaźnika"));
        if (c.message) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0], P(c.message));
            EXPECT_EQ(store.writes, zapisy);
            EXPECT_EQ(v.Lista, (std::vector<std::string>{"a", "b"}));
            continue;
        }
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(v.Lista, (std::vector<std::string>{"a", "b", "nowy"}));
        EXPECT_EQ(v.TekstListy, "nowy");
        EXPECT_EQ(v.IndeksListy, 2);
        const TabelaWskaznikow& plik = store.files[ogolny()];
        EXPECT_EQ(plik.Komorka(4, kol::Nazwa), "nowy");
        EXPECT_EQ(plik.Komorka(4, kol::PozycjaLicznika1), "jedynka");
        EXPECT_EQ(plik.Komorka(4, kol::Relacja), "x>");
        EXPECT_EQ(plik.Komorka(4, kol::Prog1), "3");
        EXPECT_EQ(s.Tabela().LiczbaWskaznikow, 4);
    }
}

TEST_F(ZestawySesji, ThresholdDialogsAndTheRelationBox) {
    EXPECT_EQ(s.Widok().Prog1, "2");
    s.ListaDiagnoz = {"stara"};
    const struct {
        int which;
        std::optional<std::string> answer;
        const char* p1;
        const char* p2;
        std::string diagnosis;
        bool message;
    } t[] = {
        {1, std::string("abc"), "2", "", P("Źle - za niska"), true},  // refused, nothing changed
        {1, std::string("1,5"), "2", "", P("Źle - za niska"), true},  // "." only
        {1, std::nullopt, "2", "", P("Źle - za niska"), false},       // cancelled
        {1, std::string("0.5"), "0.5", "", "Dobrze - wysoka", false},
        {2, std::string(" 7"), "0.5", " 7", "Dobrze - wysoka", false},
    };
    for (const auto& c : t) {
        ui.messages.clear();
        ui.inputs = {c.answer};
        WidokWskaznikow v = s.DialogProgu(c.which);
        EXPECT_EQ(v.Prog1, c.p1);
        EXPECT_EQ(v.Prog2, c.p2);
        EXPECT_EQ(v.Diagnoza, c.diagnosis) << c.answer.value_or("(cancel)");
        EXPECT_EQ(ui.messages.size(), c.message ? 1u : 0u);
        EXPECT_EQ(s.Tabela().Komorka(2, kol::Prog1), c.p1);
    }
    EXPECT_EQ(ui.inputCaptions.back(), P("Podanie wartości progowej (górnej)"));
    EXPECT_TRUE(s.ListaDiagnoz.empty());
    // A relation of two thresholds now holds; emptying threshold 1 drops it.
    EXPECT_EQ(s.ZmianaRelacji(2).WpisRelacji, 2);
    EXPECT_EQ(s.Tabela().Komorka(2, kol::Relacja), "x<>");
    ui.inputs = {std::string("")};
    WidokWskaznikow v = s.DialogProgu(1);
    EXPECT_EQ(v.WpisRelacji, 0);
    EXPECT_EQ(s.Tabela().Komorka(2, kol::Relacja), "");
    EXPECT_EQ(s.ZmianaRelacji(1).WpisRelacji, 0);  // no threshold 1: no relation
}

}  // namespace
}  // namespace vesk
