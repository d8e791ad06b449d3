#include "PlikStanu.h"

#include <filesystem>
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "FileSystem.h"
#include "IoError.h"
#include "TempDir.h"

namespace vesk {
namespace {

// A record with a header and one marker byte in the opening area.
std::string rekord(std::uint8_t numer, std::uint8_t znacznik = 0, std::uint8_t rodzic = 0, std::int16_t rok = 2012,
                   std::uint8_t symulowany = 0) {
    auto r = std::make_unique<StanModelu>();
    r->UstawNumer(numer);
    r->UstawRodzica(rodzic);
    r->UstawRok(rok);
    r->UstawSymulowany(symulowany);
    r->bajty[100] = znacznik;
    return std::string(r->bajty.begin(), r->bajty.end());
}

std::unique_ptr<StanModelu> zTekstu(const std::string& b, std::size_t indeks = 0) {
    auto r = std::make_unique<StanModelu>();
    std::copy(b.begin() + static_cast<long>(indeks * RozmiarStanuModelu),
              b.begin() + static_cast<long>((indeks + 1) * RozmiarStanuModelu), r->bajty.begin());
    return r;
}

class PlikStanuTest : public ::testing::Test {
protected:
    void SetUp() override {
        k.KatalogOperatora = dir.folder();
        k.NazwaPlikuStanu = "OP.qad";
    }
    void plik(const std::vector<std::string>& rekordy) {
        std::string b;
        for (const auto& r : rekordy) b += r;
        dir.write("OP.qad", b);
    }
    // Node numbers and marker bytes of the file's records, in file order.
    std::vector<std::pair<int, int>> zawartosc() const {
        std::string b = dir.read("OP.qad");
        EXPECT_EQ(b.size() % RozmiarStanuModelu, 0u);
        std::vector<std::pair<int, int>> w;
        for (std::size_t o = 0; o + RozmiarStanuModelu <= b.size(); o += RozmiarStanuModelu)
            w.emplace_back(static_cast<std::uint8_t>(b[o]), static_cast<std::uint8_t>(b[o + 100]));
        return w;
    }
    bool zapisz(const std::string& r, bool nowy = false) { return zapisz(*zTekstu(r), nowy); }
    bool zapisz(StanModelu& r, bool nowy = false) { return ZapiszStanModelu(k, r, numer, rok, flaga, nowy); }

    test::TempDir dir;
    Kontekst k;
    std::uint8_t numer = 99;
    std::int16_t rok = -999;
    std::uint8_t flaga = 99;
};

using P = std::vector<std::pair<int, int>>;

// ---------------------------------------------------------------- saving

TEST_F(PlikStanuTest, SavingANodeOverwritesItsRecordInPlace) {
    plik({rekord(0, 1), rekord(3, 1), rekord(5, 1)});
    ASSERT_TRUE(zapisz(rekord(3, 2, 0, 2015, 1)));
    EXPECT_EQ(zawartosc(), (P{{0, 1}, {3, 2}, {5, 1}}));
    EXPECT_EQ(numer, 3);
    EXPECT_EQ(rok, 2015);
    EXPECT_EQ(flaga, 1);
}

TEST_F(PlikStanuTest, SavingANewNodeAppendsIt) {
    plik({rekord(0, 1), rekord(3, 1)});
    ASSERT_TRUE(zapisz(rekord(7, 2)));
    EXPECT_EQ(zawartosc(), (P{{0, 1}, {3, 1}, {7, 2}}));
}

TEST_F(PlikStanuTest, SavingTheRootKeepsTheOtherNodes) {
    plik({rekord(0, 1), rekord(3, 1), rekord(5, 1)});
    ASSERT_TRUE(zapisz(rekord(0, 2)));
    EXPECT_EQ(zawartosc(), (P{{0, 2}, {3, 1}, {5, 1}}));
}

TEST_F(PlikStanuTest, OperatorCreationStartsTheFileWithTheRootAlone) {
    plik({rekord(0, 1), rekord(3, 1), rekord(5, 1)});
    ASSERT_TRUE(zapisz(rekord(0, 2, 255, 2012, 1), true));
    EXPECT_EQ(zawartosc(), (P{{0, 2}}));
    EXPECT_EQ(numer, 0);
    EXPECT_EQ(rok, 2012);
    EXPECT_EQ(flaga, 1);

    k.NazwaPlikuStanu = "NOWY.qad";
    ASSERT_TRUE(zapisz(rekord(0, 3), true));
    EXPECT_EQ(dir.read("NOWY.qad").size(), RozmiarStanuModelu);
}

TEST_F(PlikStanuTest, SavingFindsTheFileWithoutRegardToCase) {
    dir.write("op.QAD", rekord(0, 1));
    ASSERT_TRUE(zapisz(rekord(2, 2)));
    EXPECT_EQ(dir.read("op.QAD").size(), 2 * RozmiarStanuModelu);
    EXPECT_FALSE(dir.exists("OP.qad"));
}

TEST_F(PlikStanuTest, AFailedSaveChangesNeitherFileNorOutputs) {
    // No file (and no operator creation): nothing to save into.
    EXPECT_FALSE(zapisz(rekord(3)));
    EXPECT_FALSE(dir.exists("OP.qad"));
    // A file that is not a whole number of records.
    dir.write("OP.qad", rekord(0, 1) + "xyz");
    EXPECT_FALSE(zapisz(rekord(3)));
    EXPECT_EQ(dir.read("OP.qad").size(), RozmiarStanuModelu + 3);
    // A record numbered beyond the node table.
    plik({rekord(0, 1)});
    EXPECT_FALSE(zapisz(rekord(51)));
    EXPECT_EQ(zawartosc(), (P{{0, 1}}));
    // A full file: no 52nd record.
    plik(std::vector<std::string>(51, rekord(1, 1)));
    EXPECT_FALSE(zapisz(rekord(2)));
    EXPECT_EQ(zawartosc().size(), 51u);
    // No operator folder to create in.
    k.KatalogOperatora = dir.folder() + "brak/";
    EXPECT_FALSE(zapisz(rekord(0), true));

    EXPECT_EQ(numer, 99);
    EXPECT_EQ(rok, -999);
    EXPECT_EQ(flaga, 99);
}

TEST_F(PlikStanuTest, SavingIntoAnEmptyFileAppends) {
    dir.write("OP.qad", "");
    ASSERT_TRUE(zapisz(rekord(0, 4)));
    EXPECT_EQ(zawartosc(), (P{{0, 4}}));
}

TEST_F(PlikStanuTest, SavingTheSpareRecordItselfIsSafe) {
    plik({rekord(0, 1), rekord(3, 1)});
    k.RekordPomocniczy = *zTekstu(rekord(3, 9));
    ASSERT_TRUE(zapisz(k.RekordPomocniczy));
    EXPECT_EQ(zawartosc(), (P{{0, 1}, {3, 9}}));
    EXPECT_EQ(k.RekordPomocniczy.bajty[100], 9);
}

// ------------------------------------------------------------ the open check

// Only a journal that proves itself finishes a save on opening; a last
// record repeating a node's number (a damaged header) is never copied over.
TEST_F(PlikStanuTest, OpeningTakesOnlyAProvenSaveForOneInProgress) {
    plik({rekord(0, 1, 255, 2012, 1), rekord(3, 1, 0, 2015, 0)});
    int zapisy = 0;  // the journal's write passes, the record's and its restoring fail
    setFileFault([&](std::string_view s) { return s == "write" && ++zapisy > 1; });
    EXPECT_THROW(zapisz(rekord(3, 7, 0, 2015, 1)), IoError);
    setFileFault({});
    const std::string s = SciezkaPlikuStanu(k);
    EXPECT_THROW(zapisz(rekord(3, 8, 0, 2015, 1)), IoError);  // not while the journal awaits the open
    EXPECT_EQ(NaprawPlikStanu(s).size(), 1u);
    EXPECT_EQ(zawartosc(), (P{{0, 1}, {3, 7}}));
    EXPECT_FALSE(dir.exists("OP.qad" + std::string(ZapisWToku)));

    dir.write("OP.qad.zapis", "VESKZAP1" + std::string(22490, '\3'));  // checksum does not hold
    const std::string bajty = dir.read("OP.qad") + rekord(3, 9, 0, 2015, 1);
    dir.write("OP.qad", bajty);
    EXPECT_THROW(NaprawPlikStanu(s), IoError);
    EXPECT_EQ(dir.read("OP.qad"), bajty);
}

// A journal is applied only where its place holds the record it replaces
// or a mix of that and the new one; one whose save is complete is dropped,
// and so is one written for another file, said in the repairs.
TEST_F(PlikStanuTest, AJournalIsAppliedOnlyOverTheRecordItReplaces) {
    const std::string korzen = rekord(0, 1, 255, 2012, 1), stary = rekord(3, 1, 0, 2015, 0),
                      nowy = rekord(3, 7, 0, 2015, 1), kopia = rekord(3, 4, 0, 2015, 0);
    plik({korzen, stary});
    bool zapis = false;  // the journal is written, then the record's write and its restoring fail
    setFileFault([&](std::string_view s) { return s == "write" && std::exchange(zapis, true); });
    EXPECT_THROW(zapisz(nowy), IoError);
    const std::string d2 = dir.read("OP.qad.zapis");
    // One whose new record (a year not its parent's + 3) would break the file.
    std::filesystem::remove(dir.file("OP.qad.zapis"));
    zapis = false;
    EXPECT_THROW(zapisz(rekord(3, 7, 0, 2019, 1)), IoError);
    setFileFault({});
    const std::string zly = dir.read("OP.qad.zapis");
    // An older program's journal: the new record alone, hashed (FNV-1a).
    std::string d1 = "VESKZAP1" + std::string{'\1', '\3'} + nowy;
    std::uint64_t h = 14695981039346656037ull;
    for (char c : d1) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    for (int i = 0; i < 8; ++i) d1 += static_cast<char>(h >> (8 * i));
    const std::string pol = stary.substr(0, 50) + nowy.substr(50);
    const struct {
        const char* co;
        std::string dziennik, stan, naprawa;
        std::optional<std::string> po;  // record 2 after the repair, when it changes
        const char* odmowa = "";
    } przypadki[] = {
        {"replaced record in place", d2, korzen + stary, "przerwany zapis w\xEAz\xB3" "a 3", nowy},
        {"write cut short", d2, korzen + pol, "przerwany zapis", nowy},
        {"save complete", d2, korzen + nowy, "rekord by\xB3 ju\xBF zapisany", std::nullopt},
        {"a backup restored since", d2, korzen + kopia, "innego pliku stanu: rekord 2 nie jest ani dawnym", std::nullopt},
        {"a shorter backup", d2, korzen, "plik stanu nie ma rekordu 2", std::nullopt},
        {"older journal, another node there", d1, korzen + rekord(4, 1, 0, 2015, 0), "nie jest rekordem tego", std::nullopt},
        {"older journal, another copy of the node", d1, korzen + kopia, "", std::nullopt, "starszej wersji programu"},
        {"new record breaking the rules", zly, korzen + stary, "", std::nullopt,
         "Plik OP.qad.zapis (zapis w\xEAz\xB3" "a 3 w toku) wpisa\xB3" "by rekord, z kt\xF3rym plik stanu by\xB3" "by "
         "b\xB3\xEA" "dny (Plik stanu OP.qad, rekord 2 (w\xEAze\xB3 3): rok 2019"},
    };
    for (const auto& p : przypadki) {
        const OcenaPlikuStanu o = OcenStan("OP.qad", p.stan, p.dziennik, std::nullopt);
        EXPECT_NE(o.odmowa.find(p.odmowa), std::string::npos) << p.co << ": " << o.odmowa;
        if (!o.odmowa.empty()) continue;
        // A dropped journal is named once it is removed.
        const std::string n = o.naprawy.empty() ? o.dziennikUsuniety : o.naprawy[0];
        EXPECT_TRUE(o.dziennik && o.naprawy.size() <= 1 && (p.naprawa.empty() ? n.empty() : n.find(p.naprawa) != n.npos)) << n;
        EXPECT_EQ(o.bajty.has_value(), p.po.has_value()) << p.co;
        if (o.bajty && p.po) EXPECT_EQ(o.bajty->substr(RozmiarStanuModelu), *p.po) << p.co;
    }
}

TEST_F(PlikStanuTest, EveryHeaderIsCheckedAgainstTheOthers) {
    const std::string korzen = rekord(0, 0, 255, 2012, 1), jeden = rekord(1, 0, 0, 2015, 1);
    const struct {
        std::string bajty, odmowa;
    } przypadki[] = {
        {korzen + jeden + rekord(2, 0, 1, 2018, 0), ""},
        {"", "jest pusty"},
        {korzen.substr(0, 18735), "kr\xF3tszy ni\xBF jeden rekord"},
        {std::string(53 * RozmiarStanuModelu, '\0'), "za d\xB3ugi"},
        {korzen + jeden + rekord(1, 0, 0, 2015, 0), "rekord 3 (w\xEAze\xB3 1): numer w\xEAz\xB3" "a 1 ma ju\xBF rekord 2"},
        {korzen + rekord(51, 0, 0, 2015, 0), "spoza zakresu"},
        {jeden + korzen, "pierwszy rekord nie jest rekordem w\xEAz\xB3" "a 0"},
        {rekord(0, 0, 0, 0, 0) + jeden, "rekord 1 (w\xEAze\xB3 0): w\xEAze\xB3 nadrz\xEA" "dny 0"},
        {rekord(0, 0, 255, 2015, 1), "rok 2015 zamiast 2012"},
        {korzen + rekord(1, 0, 9, 2015, 0), "nadrz\xEA" "dny 9 nie ma rekordu"},
        {korzen + jeden + rekord(2, 0, 1, 2015, 0), "rok 2015, a rok w\xEAz\xB3" "a 1 nadrz\xEA" "dnego to 2015"},
        {korzen + rekord(1, 0, 0, 2015, 2), "znacznik symulacji 2"},
        {korzen + rekord(1, 0, 0, 2015, 0) + rekord(2, 0, 1, 2018, 1),
         "rekord 2 (w\xEAze\xB3 1): znacznik symulacji 0, a w\xEAze\xB3 2 pod nim"},
    };
    for (const auto& p : przypadki) {
        const OcenaPlikuStanu o = OcenStan("OP.qad", p.bajty, std::nullopt, std::nullopt);
        EXPECT_NE(o.odmowa.find(p.odmowa), std::string::npos) << p.odmowa << " / " << o.odmowa;
        EXPECT_EQ(o.odmowa.empty(), p.odmowa.empty()) << o.odmowa;
        EXPECT_TRUE(o.naprawy.empty() && !o.bajty) << p.odmowa;
    }
}

// --------------------------------------------------------------- finding

TEST_F(PlikStanuTest, FindingANodeReadsItsRecord) {
    plik({rekord(0, 1), rekord(3, 2), rekord(5, 3)});
    auto rec = std::make_unique<StanModelu>();
    ASSERT_TRUE(ZnajdzStanModelu(k, SciezkaPlikuStanu(k), 3, *rec));
    EXPECT_EQ(rec->Numer(), 3);
    EXPECT_EQ(rec->bajty[100], 2);
}

TEST_F(PlikStanuTest, AMissingNodeLeavesTheRecordUnchanged) {
    auto rec = std::make_unique<StanModelu>();
    rec->bajty.fill(0x42);
    auto przed = std::make_unique<StanModelu>(*rec);
    const std::string s = SciezkaPlikuStanu(k);

    EXPECT_FALSE(ZnajdzStanModelu(k, s, 0, *rec));  // no file
    plik({rekord(0, 1), rekord(3, 2)});
    EXPECT_FALSE(ZnajdzStanModelu(k, s, 9, *rec));
    EXPECT_FALSE(ZnajdzStanModelu(k, s, 200, *rec));
    dir.write("OP.qad", "");
    EXPECT_FALSE(ZnajdzStanModelu(k, s, 0, *rec));
    dir.write("OP.qad", rekord(0, 1) + rekord(3, 2).substr(0, 100));
    EXPECT_FALSE(ZnajdzStanModelu(k, s, 0, *rec));
    plik(std::vector<std::string>(52, rekord(0, 1)));  // more records than nodes
    EXPECT_FALSE(ZnajdzStanModelu(k, s, 0, *rec));
    EXPECT_TRUE(*rec == *przed);
    // A state file that cannot be looked at or read has no missing node: it says why.
    plik({rekord(0, 1), rekord(3, 2)});
    for (const std::string_view krok : {"stat", "read"}) {
        setFileFault([krok](std::string_view k) { return k == krok; });
        std::string blad;
        try { ZnajdzStanModelu(k, s, 3, *rec); } catch (const IoError& e) { blad = e.what(); }
        setFileFault({});
        EXPECT_NE(blad.find(fileErrorText(EIO)), std::string::npos) << krok;
    }
    EXPECT_TRUE(*rec == *przed);
}

TEST_F(PlikStanuTest, ARecordNumberedBeyondTheTableIsPassedOver) {
    plik({rekord(77, 1), rekord(3, 2)});
    auto rec = std::make_unique<StanModelu>();
    ASSERT_TRUE(ZnajdzStanModelu(k, SciezkaPlikuStanu(k), 3, *rec));
    EXPECT_EQ(rec->bajty[100], 2);
}

// ------------------------------------------------------- the node table

TEST_F(PlikStanuTest, LoadingTheTableMirrorsEveryRecordInItsSlot) {
    plik({rekord(0, 1, 255, 2012, 1), rekord(2, 2, 1, 2018, 0), rekord(1, 3, 0, -3, 1), rekord(77, 4)});
    k.TabelaWezlow.Zajety[40] = true;
    auto& ui = dynamic_cast<ScriptedUserInterface&>(*k.Okna);
    auto rec = std::make_unique<StanModelu>();
    ASSERT_TRUE(WczytajZespolWezlow(k, dir.folder(), "OP.qad", k.TabelaWezlow, *rec, numer, rok, flaga));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(LiczbaWezlow(k.TabelaWezlow), 3);
    EXPECT_TRUE(k.TabelaWezlow.Zajety[0]);
    EXPECT_TRUE(k.TabelaWezlow.Zajety[1]);
    EXPECT_TRUE(k.TabelaWezlow.Zajety[2]);
    EXPECT_FALSE(k.TabelaWezlow.Zajety[40]);
    EXPECT_EQ(k.TabelaWezlow.Wpisy[2], (WpisWezla{2, 1, 2018, 0}));
    EXPECT_EQ(k.TabelaWezlow.Wpisy[1], (WpisWezla{1, 0, -3, 1}));
    EXPECT_EQ(k.TabelaWezlow.Wpisy[0], (WpisWezla{0, 255, 2012, 1}));
    EXPECT_EQ(k.TabelaWezlow.Sciezka, dir.folder() + "OP.qad");
    EXPECT_EQ(rec->Numer(), 0);
    EXPECT_EQ(rec->bajty[100], 1);
    EXPECT_EQ(numer, 0);
    EXPECT_EQ(rok, -2);
    EXPECT_EQ(flaga, 1);
}

TEST_F(PlikStanuTest, ATableThatCannotBeLoadedChangesNothing) {
    k.TabelaWezlow.Sciezka = "stara";
    k.TabelaWezlow.Zajety[4] = true;
    const ZESPOL przed = k.TabelaWezlow;
    auto rec = std::make_unique<StanModelu>();
    rec->bajty.fill(0x42);
    auto& ui = dynamic_cast<ScriptedUserInterface&>(*k.Okna);
    auto sprobuj = [&] {
        return WczytajZespolWezlow(k, dir.folder(), "OP.qad", k.TabelaWezlow, *rec, numer, rok, flaga);
    };

    EXPECT_FALSE(sprobuj());  // no file
    dir.write("OP.qad", "");
    EXPECT_FALSE(sprobuj());  // empty
    dir.write("OP.qad", rekord(0) + "x");
    EXPECT_FALSE(sprobuj());  // not whole records
    plik(std::vector<std::string>(52, rekord(0)));
    EXPECT_FALSE(sprobuj());  // more records than nodes

    EXPECT_EQ(ui.beeps, 0);
    EXPECT_TRUE(k.TabelaWezlow == przed);
    EXPECT_EQ(rec->bajty[0], 0x42);
    EXPECT_EQ(numer, 99);
    EXPECT_EQ(rok, -999);
    EXPECT_EQ(flaga, 99);
}

TEST_F(PlikStanuTest, AnyFileContentsGiveAnAnswerNotACrash) {
    std::mt19937 los(7u);  // fixed seed
    const std::size_t dlugosci[] = {1, RozmiarStanuModelu - 1, RozmiarStanuModelu, 2 * RozmiarStanuModelu,
                                    3 * RozmiarStanuModelu + 17};
    for (std::size_t d : dlugosci) {
        std::string b(d, '\0');
        for (char& c : b) c = static_cast<char>(los());
        dir.write("OP.qad", b);
        const bool cale = d % RozmiarStanuModelu == 0;
        auto rec = std::make_unique<StanModelu>();
        ZESPOL t;
        EXPECT_EQ(WczytajZespolWezlow(k, dir.folder(), "OP.qad", t, *rec, numer, rok, flaga), cale) << d;
        for (int n = 0; n <= 50; ++n) ZnajdzStanModelu(k, SciezkaPlikuStanu(k), static_cast<std::uint8_t>(n), *rec);
        EXPECT_LE(LiczbaWezlow(t), 3);
        if (!cale) {
            EXPECT_FALSE(zapisz(rekord(4)));
            EXPECT_EQ(dir.read("OP.qad").size(), d);
        }
    }
}

TEST(Wezly, TheSmallestFreeNumberIgnoresTheRootSlot) {
    Kontekst k;
    EXPECT_EQ(WolnyNumerWezla(k), 1);
    // Slots and numbers need not coincide.
    const int numery[] = {4, 1, 2};
    for (int s = 1; s <= 3; ++s) {
        k.TabelaWezlow.Zajety[s + 10] = true;
        k.TabelaWezlow.Wpisy[s + 10].Numer = static_cast<std::uint8_t>(numery[s - 1]);
    }
    // An entry of a free slot does not count; nor does slot 0.
    k.TabelaWezlow.Wpisy[20].Numer = 3;
    k.TabelaWezlow.Zajety[0] = true;
    k.TabelaWezlow.Wpisy[0].Numer = 3;
    EXPECT_EQ(WolnyNumerWezla(k), 3);

    Kontekst pelny;
    for (int s = 0; s <= 50; ++s) {
        pelny.TabelaWezlow.Zajety[s] = true;
        pelny.TabelaWezlow.Wpisy[s].Numer = static_cast<std::uint8_t>(s);
    }
    EXPECT_EQ(WolnyNumerWezla(pelny), 51);
    EXPECT_EQ(LiczbaWezlow(pelny.TabelaWezlow), 51);
}

TEST(Wezly, SearchGivesTheLowestOccupiedSlotOrTheRoot) {
    Kontekst k;
    EXPECT_EQ(SzukajWezla(k, 3), 0);
    k.TabelaWezlow.Wpisy[2].Numer = 3;  // free slot
    k.TabelaWezlow.Zajety[7] = true;
    k.TabelaWezlow.Wpisy[7].Numer = 3;
    k.TabelaWezlow.Zajety[9] = true;
    k.TabelaWezlow.Wpisy[9].Numer = 3;
    EXPECT_EQ(SzukajWezla(k, 3), 7);
    EXPECT_EQ(SzukajWezla(k, 4), 0);
    EXPECT_EQ(LiczbaWezlow(k.TabelaWezlow), 2);
    EXPECT_EQ(LiczbaWezlow(ZESPOL{}), 0);
}

// ------------------------------------------------- decisions and naming

TEST(Decyzje, CopiesTheBlocksAndLeavesTheGapsAlone) {
    ZmienneModelu m;
    for (int r = 1; r <= 3; ++r) {
        for (int i = 1; i <= 3; ++i) {
            m.DecyzjeProdukcji[r][i] = 100 * r + i;
            m.DecyzjeCen[r][i] = 0.25L * i + r;
            m.DecyzjeZakupuSurowcow[r][i] = 350 + i;
        }
        m.UdzialDywidendyZwyklej[r] = 0.1L * r;
        m.DecyzjeZadluzenia[r] = 0.5L;
        m.EmisjaAkcji[r] = r;
    }
    m.HarmonogramInwestycji[2][3][2].UstawKodWariantu(5);
    m.HarmonogramInwestycji[2][3][2].UstawStart(2013.5L);

    auto rec = std::make_unique<StanModelu>();
    rec->bajty.fill(0xAA);
    ZapiszDecyzjeDoStanu(m, *rec);
    EXPECT_EQ(decodeReal48(rec->bajty.data() + 2784 + 18 + 12), 203.0L);  // [2][3]
    EXPECT_EQ(decodeReal48(rec->bajty.data() + 2840 + 36), roundToReal48(3.25L));
    EXPECT_EQ(decodeReal48(rec->bajty.data() + 3000 + 12), 3.0L);
    const std::size_t wpis = 3024 + 144 + 96 + 24;
    EXPECT_EQ(rec->bajty[wpis], 5);
    EXPECT_EQ(decodeReal48(rec->bajty.data() + wpis + 8), 2013.5L);
    for (std::size_t luka : {2838u, 2839u, 2894u, 2950u, 2970u, 2975u, 2994u, 3018u, 3023u, 3456u})
        EXPECT_EQ(rec->bajty[luka], 0xAA) << luka;
    EXPECT_EQ(rec->bajty[2783], 0xAA);

    ZmienneModelu z;
    OdtworzDecyzjeZeStanu(*rec, z);
    EXPECT_TRUE(z.DecyzjeProdukcji == m.DecyzjeProdukcji);
    EXPECT_TRUE(z.DecyzjeCen == m.DecyzjeCen);
    EXPECT_TRUE(z.DecyzjeZakupuSurowcow == m.DecyzjeZakupuSurowcow);
    EXPECT_TRUE(z.UdzialDywidendyZwyklej == m.UdzialDywidendyZwyklej);
    EXPECT_TRUE(z.DecyzjeZadluzenia == m.DecyzjeZadluzenia);
    EXPECT_TRUE(z.EmisjaAkcji == m.EmisjaAkcji);
    EXPECT_TRUE(z.HarmonogramInwestycji == m.HarmonogramInwestycji);
}

TEST(NazwaPlikuStanu, IsTheTreeFilesStemWithQadAndKeepsLongNames) {
    Kontekst k;
    k.SciezkaOperatora = "C:\\ve_sk\\operator\\PRZEDSIEBIORSTWO.";
    EXPECT_TRUE(UstalNazwePlikuStanu(k));
    EXPECT_EQ(k.NazwaPlikuStanu, "PRZEDSIEBIORSTWO.qad");
    k.SciezkaOperatora = "/home/u/VE_SK/OPERATOR/op1.";
    EXPECT_TRUE(UstalNazwePlikuStanu(k));
    EXPECT_EQ(k.NazwaPlikuStanu, "op1.qad");
    EXPECT_EQ(k.KatalogOperatora + k.NazwaPlikuStanu, SciezkaPlikuStanu(k));

    k.SciezkaOperatora = "C:\\ve_sk\\";
    EXPECT_FALSE(UstalNazwePlikuStanu(k));
    EXPECT_EQ(k.NazwaPlikuStanu, "");
}

}  // namespace
}  // namespace vesk
