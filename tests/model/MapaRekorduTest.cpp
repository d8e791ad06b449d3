#include "MapaRekordu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "PlikStanu.h"
#include "TempDir.h"

namespace vesk {
namespace {

using Bajty = std::vector<std::uint8_t>;

Bajty bajty(const StanModelu& r, std::size_t offset, std::size_t n) {
    return Bajty(r.bajty.begin() + static_cast<long>(offset), r.bajty.begin() + static_cast<long>(offset + n));
}
void wpisz(StanModelu& r, std::size_t offset, const Bajty& b) { std::copy(b.begin(), b.end(), r.bajty.begin() + static_cast<long>(offset)); }
long double real(const StanModelu& r, std::size_t offset) { return decodeReal48(r.bajty.data() + offset); }

const Bajty kJeden = {0x81, 0x00, 0x00, 0x00, 0x00, 0x00};
const Bajty kSto50 = {0x88, 0x00, 0x00, 0x00, 0x00, 0x16};
const Bajty kPlus1E30 = {0xE4, 0x04, 0xCD, 0xC9, 0xF2, 0x49};
const Bajty kMinus1E30 = {0xE4, 0x04, 0xCD, 0xC9, 0xF2, 0xC9};

const PoleOtwarcia* poleOtwarcia(std::size_t offset) {
    for (const PoleOtwarcia& p : MapaOtwarcia())
        if (p.offset == offset) return &p;
    return nullptr;
}
const PoleWyniku* poleWyniku(std::size_t offset) {
    for (const PoleWyniku& p : MapaWynikowRoku())
        if (p.offset == offset) return &p;
    return nullptr;
}

// ------------------------------------------------------------ the field map

struct Przedzial {
    std::size_t od, rozmiar;
    std::string co;
};

TEST(MapaRekordu, FieldsDoNotOverlapAndStayInsideTheirAreas) {
    std::vector<Przedzial> wszystkie;
    for (const PoleOtwarcia& p : MapaOtwarcia()) {
        EXPECT_GE(p.offset, PoczatekOtwarcia) << p.offset;
        EXPECT_LE(p.offset + p.rozmiar, PoczatekDecyzji) << p.offset;
        wszystkie.push_back({p.offset, p.rozmiar, "opening " + std::to_string(p.offset)});
    }
    for (const PoleDecyzji& p : MapaDecyzji()) {
        EXPECT_GE(p.offset, PoczatekDecyzji) << p.offset;
        EXPECT_LE(p.offset + p.rozmiar, PoczatekWynikow) << p.offset;
        wszystkie.push_back({p.offset, p.rozmiar, "decision " + std::to_string(p.offset)});
    }
    for (int rok = 1; rok <= 3; ++rok)
        for (const PoleWyniku& p : MapaWynikowRoku()) {
            // Block bytes 0..7 belong to no field.
            EXPECT_GE(p.offset, PoczatekWynikow + 8) << p.offset;
            EXPECT_LE(p.offset + p.rozmiar, PoczatekWynikow + RozmiarBlokuRoku) << p.offset;
            wszystkie.push_back({PolePoRoku(p.offset, rok), p.rozmiar,
                                 "year " + std::to_string(rok) + " field " + std::to_string(p.offset)});
        }
    ASSERT_EQ(MapaSledzenia().size(), static_cast<std::size_t>(LiczbaBlokowSledzenia));
    for (std::size_t b = 0; b < MapaSledzenia().size(); ++b) {
        EXPECT_EQ(MapaSledzenia()[b].offset, PoczatekSledzenia + RozmiarBlokuSledzenia * b);
        wszystkie.push_back({MapaSledzenia()[b].offset, RozmiarBlokuSledzenia, "tracking " + std::to_string(b)});
    }
    EXPECT_EQ(PoczatekSledzenia + RozmiarBlokuSledzenia * LiczbaBlokowSledzenia, RozmiarStanuModelu);
    EXPECT_EQ(PoczatekWynikow + 3 * RozmiarBlokuRoku, PoczatekSledzenia);

    std::sort(wszystkie.begin(), wszystkie.end(), [](auto& a, auto& b) { return a.od < b.od; });
    for (std::size_t i = 1; i < wszystkie.size(); ++i)
        EXPECT_LE(wszystkie[i - 1].od + wszystkie[i - 1].rozmiar, wszystkie[i].od)
            << wszystkie[i - 1].co << " overlaps " << wszystkie[i].co;
    EXPECT_LE(wszystkie.back().od + wszystkie.back().rozmiar, RozmiarStanuModelu);
}

TEST(MapaRekordu, EveryRowIsAsWideAsItsQuantity) {
    for (const PoleOtwarcia& p : MapaOtwarcia())
        if (p.rodzaj == RodzajOtwarcia::Wielkosc) {
            EXPECT_EQ(p.rozmiar, p.wielkosc.rozmiar) << p.wielkosc.nazwa;
        }
    for (const PoleDecyzji& p : MapaDecyzji()) EXPECT_EQ(p.rozmiar, p.wielkosc.rozmiar) << p.wielkosc.nazwa;
    for (const PoleWyniku& p : MapaWynikowRoku())
        if (p.rodzaj == RodzajWyniku::Wielkosc) {
            EXPECT_EQ(p.rozmiar, p.wielkosc.rozmiar) << p.wielkosc.nazwa;
        }
}

TEST(MapaRekordu, ParentFieldsAreTheParentsYearThreeValuesOfTheSameQuantity) {
    const std::size_t rok3 = PolePoRoku(0, 3);  // year-1 offset X lies at X + rok3 in year 3
    for (const PoleOtwarcia& p : MapaOtwarcia()) {
        if (p.rodzic < 0) continue;
        const std::size_t n = static_cast<std::size_t>(p.rodzic);
        EXPECT_GE(n, PolePoRoku(PoczatekWynikow, 3)) << p.offset;
        EXPECT_LE(n + p.rozmiar, PoczatekSledzenia) << p.offset;
        const PoleWyniku* w = poleWyniku(n - rok3);
        if (p.rodzaj == RodzajOtwarcia::Wielkosc) {
            ASSERT_NE(w, nullptr) << p.wielkosc.nazwa;
            ASSERT_EQ(w->rodzaj, RodzajWyniku::Wielkosc) << p.wielkosc.nazwa;
            EXPECT_STREQ(w->wielkosc.nazwa, p.wielkosc.nazwa);
            EXPECT_EQ(w->rozmiar, p.rozmiar) << p.wielkosc.nazwa;
        } else if (p.rodzaj == RodzajOtwarcia::Zastrzezone) {
            ASSERT_NE(w, nullptr) << p.offset;
            EXPECT_EQ(w->rodzaj, RodzajWyniku::PowtorzOtwarcie) << p.offset;
            EXPECT_EQ(w->otwarcie, p.offset);
        }
    }
    // The fields filled but never loaded: the parent's closing assets at the
    // start of the year, and bytes that no procedure writes.
    ASSERT_NE(poleOtwarcia(1008), nullptr);
    EXPECT_EQ(poleOtwarcia(1008)->rodzaj, RodzajOtwarcia::NieWczytywane);
    EXPECT_STREQ(poleWyniku(static_cast<std::size_t>(poleOtwarcia(1008)->rodzic) - rok3)->wielkosc.nazwa,
                 "AktywaNaPoczatkuRoku");
    EXPECT_EQ(poleWyniku(static_cast<std::size_t>(poleOtwarcia(2688)->rodzic) - rok3), nullptr);
}

TEST(MapaRekordu, RepeatedOpeningFieldsAreReservedOpeningFieldsOfTheSameWidth) {
    int ile = 0;
    for (const PoleWyniku& p : MapaWynikowRoku()) {
        if (p.rodzaj != RodzajWyniku::PowtorzOtwarcie && p.rodzaj != RodzajWyniku::PowtorzWRoku1) continue;
        const PoleOtwarcia* o = poleOtwarcia(p.otwarcie);
        ASSERT_NE(o, nullptr) << p.offset;
        EXPECT_EQ(o->rodzaj, RodzajOtwarcia::Zastrzezone) << p.offset;
        EXPECT_EQ(o->rozmiar, p.rozmiar) << p.offset;
        ++ile;
    }
    EXPECT_EQ(ile, 27);
}

TEST(MapaRekordu, DecisionBlocksAndFieldsSixBytesApart) {
    const std::size_t decyzje[][2] = {{2784, 54}, {2840, 54}, {2896, 54}, {2952, 18},
                                      {2976, 18}, {3000, 18}, {3024, 432}};
    ASSERT_EQ(MapaDecyzji().size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(MapaDecyzji()[i].offset, decyzje[i][0]);
        EXPECT_EQ(MapaDecyzji()[i].rozmiar, decyzje[i][1]);
    }
    // Fields packed 6 bytes apart, whatever the 8-byte slots elsewhere.
    for (std::size_t o : {2072u, 2078u, 2084u, 2090u, 2120u, 2126u, 2248u, 2254u}) {
        ASSERT_NE(poleOtwarcia(o), nullptr) << o;
        EXPECT_EQ(poleOtwarcia(o)->rozmiar, 6u);
    }
    for (std::size_t o : {5760u, 5766u, 5772u, 5778u, 5960u, 5966u}) {
        ASSERT_NE(poleWyniku(o), nullptr) << o;
        EXPECT_EQ(poleWyniku(o)->rozmiar, 6u);
    }
    EXPECT_EQ(PolePoRoku(4928, 1), 4928u);
    EXPECT_EQ(PolePoRoku(4928, 3), 4928u + 2 * 4528u);
}

// ------------------------------------------------------------ opening state

TEST(WczytajStanOtwarcia, ReadsTheSixByteRealsOfTheRecord) {
    Kontekst k;
    auto rec = std::make_unique<StanModelu>();
    wpisz(*rec, 520, kJeden);           // Zapasy
    wpisz(*rec, 2288, kSto50);          // ZapasWyrobowGotowych[1..3]
    wpisz(*rec, 2294, kPlus1E30);
    wpisz(*rec, 2300, kMinus1E30);
    wpisz(*rec, 2072, kSto50);          // KontoSumyBilansowej, 6 bytes before PasywaKontrolne
    wpisz(*rec, 2078, kJeden);
    rec->bajty[2260] = 3;               // KolejnoscProduktow
    rec->bajty[2261] = 1;
    rec->bajty[2262] = 2;
    WczytajStanOtwarcia(k, *rec);
    EXPECT_EQ(k.m.Zapasy.value(), 1.0L);
    EXPECT_EQ(k.m.ZapasWyrobowGotowych[1].value(), 150.0L);
    EXPECT_EQ(k.m.ZapasWyrobowGotowych[2].value(), roundToReal48(1.0E30L));
    EXPECT_EQ(k.m.ZapasWyrobowGotowych[3].value(), roundToReal48(-1.0E30L));
    EXPECT_EQ(k.m.KontoSumyBilansowej.value(), 150.0L);
    EXPECT_EQ(k.m.PasywaKontrolne.value(), 1.0L);
    EXPECT_EQ(k.m.KolejnoscProduktow[1], 3);
    EXPECT_EQ(k.m.KolejnoscProduktow[2], 1);
    EXPECT_EQ(k.m.KolejnoscProduktow[3], 2);

    // The same quantities written back give the same bytes.
    ZapiszWynikiRoku(k, 1);
    EXPECT_EQ(bajty(k.RekordBiezacy, 3960, 6), kJeden);
    EXPECT_EQ(bajty(k.RekordBiezacy, 6608, 6), kSto50);
    EXPECT_EQ(bajty(k.RekordBiezacy, 6614, 6), kPlus1E30);
    EXPECT_EQ(bajty(k.RekordBiezacy, 6620, 6), kMinus1E30);
    EXPECT_EQ(bajty(k.RekordBiezacy, 5760, 6), kSto50);
    EXPECT_EQ(bajty(k.RekordBiezacy, 5766, 6), kJeden);
}

TEST(WczytajStanOtwarcia, AProductOrderThatIsNoPermutationFallsBackToOneTwoThree) {
    const std::uint8_t zle[][3] = {{0, 0, 0}, {1, 1, 2}, {1, 2, 4}, {255, 2, 3}};
    for (const auto& z : zle) {
        Kontekst k;
        auto rec = std::make_unique<StanModelu>();
        std::memcpy(rec->bajty.data() + 2260, z, 3);
        WczytajStanOtwarcia(k, *rec);
        EXPECT_EQ(k.m.KolejnoscProduktow[1], 1);
        EXPECT_EQ(k.m.KolejnoscProduktow[2], 2);
        EXPECT_EQ(k.m.KolejnoscProduktow[3], 3);
    }
}

TEST(WczytajStanOtwarcia, CarriesReservedFieldsAndSkipsTheUnloadedOnes) {
    Kontekst k;
    auto rec = std::make_unique<StanModelu>();
    wpisz(*rec, 600, kSto50);
    wpisz(*rec, 1592, kJeden);
    wpisz(*rec, 1604, kSto50);
    wpisz(*rec, 1008, kSto50);  // filled at creation, never loaded
    wpisz(*rec, 1016, kJeden);  // AktywaNaPoczatkuRoku
    WczytajStanOtwarcia(k, *rec);
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 600), 150.0L);
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 1592), 1.0L);
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 1604), 150.0L);
    EXPECT_EQ(decodeReal48(k.m.OtwarcieZastrzezone.data() + 1008), 0.0L);
    EXPECT_EQ(k.m.AktywaNaPoczatkuRoku.value(), 1.0L);
}

TEST(WczytajStanOtwarcia, AnyRecordBytesLoadAndStoreBack) {
    std::mt19937 los(20240601u);  // fixed seed: the same records every run
    for (int n = 0; n < 50; ++n) {
        Kontekst k;
        auto rec = std::make_unique<StanModelu>();
        for (auto& b : rec->bajty) b = static_cast<std::uint8_t>(los());
        ASSERT_NO_THROW(WczytajStanOtwarcia(k, *rec));
        std::array<bool, 4> byl{};
        for (std::uint8_t i : k.m.KolejnoscProduktow) {
            ASSERT_TRUE(i >= 1 && i <= 3);
            byl[i] = true;
        }
        EXPECT_TRUE(byl[1] && byl[2] && byl[3]);
        ASSERT_NO_THROW(ZapiszWynikiRoku(k, 3));
        // A loaded value is stored back as the same number.
        EXPECT_EQ(real(k.RekordBiezacy, PolePoRoku(3960, 3)), real(*rec, 520));
    }
}

// ------------------------------------------------------------- year results

TEST(ZapiszWynikiRoku, YearYGoesToTheBlockAt4528TimesYMinusOne) {
    Kontekst k;
    k.m.Zapasy = 5;
    k.m.KosztyOkresoweWyrobu[2][3] = 7;
    ZapiszWynikiRoku(k, 2);
    EXPECT_EQ(real(k.RekordBiezacy, 3960 + 4528), 5.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 3552 + 4528 + 12), 7.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 3960), 0.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 3960 + 2 * 4528), 0.0L);
    k.m.Zapasy = 9;
    ZapiszWynikiRoku(k, 3);
    EXPECT_EQ(real(k.RekordBiezacy, 3960 + 2 * 4528), 9.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 3960 + 4528), 5.0L);
}

TEST(ZapiszWynikiRoku, WritesNothingButTheFieldsOfItsYear) {
    Kontekst k;
    k.RekordBiezacy.bajty.fill(0xEE);
    auto przed = std::make_unique<StanModelu>(k.RekordBiezacy);
    ZapiszWynikiRoku(k, 2);
    std::vector<bool> pokryte(RozmiarStanuModelu, false);
    for (const PoleWyniku& p : MapaWynikowRoku())
        for (std::size_t i = 0; i < p.rozmiar; ++i) pokryte[PolePoRoku(p.offset, 2) + i] = true;
    std::size_t zmienione = 0;
    for (std::size_t i = 0; i < RozmiarStanuModelu; ++i) {
        if (pokryte[i]) continue;
        if (k.RekordBiezacy.bajty[i] != przed->bajty[i]) ++zmienione;
    }
    EXPECT_EQ(zmienione, 0u);
    // Block bytes 0..7 and the padding after a value stay as they were.
    EXPECT_EQ(k.RekordBiezacy.bajty[3456 + 4528], 0xEE);
    EXPECT_EQ(k.RekordBiezacy.bajty[3470 + 4528], 0xEE);
    // A reserved field is written as 0.
    EXPECT_EQ(bajty(k.RekordBiezacy, 4736 + 4528, 18), Bajty(18, 0));
}

TEST(ZapiszWynikiRoku, TinyInvestmentCreditIsStoredAsExactlyZero) {
    const struct {
        long double v;
        bool zero;
    } przypadki[] = {{1.0E-7L, true}, {-1.0E-7L, true}, {5.0E-8L, true}, {2.0E-7L, false}, {-2.0E-7L, false}};
    for (int rok = 1; rok <= 3; ++rok)
        for (const auto& p : przypadki) {
            Kontekst k;
            k.m.KredytInwestycyjny = p.v;
            k.m.KredytObrotowy = p.v;  // no other field is rounded
            ZapiszWynikiRoku(k, static_cast<std::uint8_t>(rok));
            const std::size_t o = PolePoRoku(4928, rok);
            if (p.zero)
                EXPECT_EQ(bajty(k.RekordBiezacy, o, 6), Bajty(6, 0)) << p.v;
            else
                EXPECT_EQ(real(k.RekordBiezacy, o), roundToReal48(p.v));
            EXPECT_EQ(real(k.RekordBiezacy, PolePoRoku(4944, rok)), roundToReal48(p.v));
        }
}

TEST(ZapiszWynikiRoku, AssetsAtTheStartOfTheYearAreStoredTwice) {
    Kontekst k;
    k.m.AktywaNaPoczatkuRoku = 170;
    ZapiszWynikiRoku(k, 1);
    EXPECT_EQ(real(k.RekordBiezacy, 4400), 170.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 4408), 170.0L);
}

TEST(ZapiszWynikiRoku, ReservedFieldsRepeatTheOpeningState) {
    Kontekst k;
    encodeReal48(120.0L, k.m.OtwarcieZastrzezone.data() + 600);
    encodeReal48(170.0L, k.m.OtwarcieZastrzezone.data() + 1152);
    for (int i = 0; i < 3; ++i) encodeReal48(0.3L, k.m.OtwarcieZastrzezone.data() + 1592 + 6 * i);
    for (int i = 0; i < 3; ++i) encodeReal48(4.0L, k.m.OtwarcieZastrzezone.data() + 296 + 6 * i);
    k.RekordBiezacy.bajty.fill(0xEE);
    for (int rok = 1; rok <= 3; ++rok) ZapiszWynikiRoku(k, static_cast<std::uint8_t>(rok));
    for (int rok = 1; rok <= 3; ++rok) {
        EXPECT_EQ(real(k.RekordBiezacy, PolePoRoku(4064, rok)), 120.0L);
        EXPECT_EQ(real(k.RekordBiezacy, PolePoRoku(4544, rok)), 170.0L);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(real(k.RekordBiezacy, PolePoRoku(5264, rok) + 6 * i), roundToReal48(0.3L));
        EXPECT_EQ(bajty(k.RekordBiezacy, PolePoRoku(4368, rok), 6), Bajty(6, 0));
    }
    // Year 1 repeats opening field 296; years 2 and 3 hold 0.
    EXPECT_EQ(real(k.RekordBiezacy, 3744 + 12), 4.0L);
    EXPECT_EQ(bajty(k.RekordBiezacy, PolePoRoku(3744, 2), 18), Bajty(18, 0));
    EXPECT_EQ(bajty(k.RekordBiezacy, PolePoRoku(3744, 3), 18), Bajty(18, 0));
}

TEST(ZapiszWynikiRoku, InvestmentVariantsLieFortyBytesApart) {
    Kontekst k;
    k.m.WariantyInwestycji[1].Rodzaj = 1;
    k.m.WariantyInwestycji[1].Koszt = 6;
    k.m.WariantyInwestycji[1].CzasRealizacji = 1;
    k.m.WariantyInwestycji[1].OkresKredytu = 0.5L;
    k.m.WariantyInwestycji[1].Zdolnosc = 60;
    ZapiszWynikiRoku(k, 1);
    EXPECT_EQ(k.RekordBiezacy.bajty[6040], 1);
    EXPECT_EQ(real(k.RekordBiezacy, 6048), 6.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 6056), 1.0L);
    EXPECT_EQ(real(k.RekordBiezacy, 6064), 0.5L);
    EXPECT_EQ(real(k.RekordBiezacy, 6072), 60.0L);
}

// ---------------------------------------------------- the parent's closing

class PrzeniesStanZRodzicaTest : public ::testing::Test {
protected:
    void SetUp() override {
        k.KatalogOperatora = dir.folder();
        k.NazwaPlikuStanu = "OP.qad";
    }
    void zapisz(StanModelu& r, bool nowy = false) {
        std::uint8_t n = 0, z = 0;
        std::int16_t rok = 0;
        ASSERT_TRUE(ZapiszStanModelu(k, r, n, rok, z, nowy));
    }
    test::TempDir dir;
    Kontekst k;
};

TEST_F(PrzeniesStanZRodzicaTest, CopiesTheParentsClosingFieldsOnly) {
    auto rodzic = std::make_unique<StanModelu>();
    for (std::size_t i = 0; i < RozmiarStanuModelu; ++i) rodzic->bajty[i] = static_cast<std::uint8_t>(i * 7 % 251);
    rodzic->UstawNumer(0);
    zapisz(*rodzic, true);

    auto rec = std::make_unique<StanModelu>();
    rec->bajty.fill(0x5A);
    rec->UstawNumer(1);
    auto przed = std::make_unique<StanModelu>(*rec);
    ASSERT_TRUE(PrzeniesStanZRodzica(k, 0, *rec));

    EXPECT_EQ(bajty(*rec, 600, 6), bajty(*rodzic, 13120, 6));
    EXPECT_EQ(bajty(*rec, 1384, 144), bajty(*rodzic, 13840, 144));
    EXPECT_EQ(bajty(*rec, 2260, 3), bajty(*rodzic, 15514, 3));
    EXPECT_EQ(bajty(*rec, 2776, 6), bajty(*rodzic, 17024, 6));
    EXPECT_EQ(bajty(*rec, 1008, 6), bajty(*rodzic, 13464, 6));
    EXPECT_EQ(bajty(*rec, 1016, 6), bajty(*rodzic, 13464, 6));
    EXPECT_TRUE(k.RekordPomocniczy == *rodzic);

    // Every byte that no parent entry names is as before: the header, the
    // inherited fields, padding, decisions, year and tracking blocks.
    std::vector<bool> zRodzica(RozmiarStanuModelu, false);
    for (const PoleOtwarcia& p : MapaOtwarcia())
        if (p.rodzic >= 0)
            for (std::size_t i = 0; i < p.rozmiar; ++i) zRodzica[p.offset + i] = true;
    for (std::size_t i = 0; i < RozmiarStanuModelu; ++i)
        if (!zRodzica[i]) {
            ASSERT_EQ(rec->bajty[i], przed->bajty[i]) << "byte " << i;
        }
    EXPECT_EQ(bajty(*rec, 16, 6), Bajty(6, 0x5A));    // inherited
    EXPECT_EQ(bajty(*rec, 2263, 1), Bajty(1, 0x5A));  // between the product order and the next field
}

TEST_F(PrzeniesStanZRodzicaTest, AMissingParentLeavesTheRecordAndTheSpareAsTheyWere) {
    auto korzen = std::make_unique<StanModelu>();
    zapisz(*korzen, true);
    auto rec = std::make_unique<StanModelu>();
    rec->bajty.fill(0x33);
    auto przed = std::make_unique<StanModelu>(*rec);
    k.RekordPomocniczy.bajty.fill(0x44);
    EXPECT_FALSE(PrzeniesStanZRodzica(k, 9, *rec));
    EXPECT_TRUE(*rec == *przed);
    EXPECT_EQ(k.RekordPomocniczy.bajty[100], 0x44);

    k.NazwaPlikuStanu = "BRAK.qad";
    EXPECT_FALSE(PrzeniesStanZRodzica(k, 0, *rec));
    EXPECT_TRUE(*rec == *przed);
}

// A whole cycle: a record's opening state loaded, three years stored, the
// record saved and a child built from it: the child opens where the
// parent's third year closed, byte for byte.
TEST_F(PrzeniesStanZRodzicaTest, AChildOpensWithTheParentsYearThreeValues) {
    auto zrodlo = std::make_unique<StanModelu>();
    for (const PoleOtwarcia& p : MapaOtwarcia())
        for (std::size_t i = 0; i + 6 <= p.rozmiar; i += 6)
            encodeReal48(static_cast<long double>(p.offset + i) + 0.25L, zrodlo->bajty.data() + p.offset + i);
    const std::uint8_t kolejnosc[3] = {2, 3, 1};
    std::memcpy(zrodlo->bajty.data() + 2260, kolejnosc, 3);
    for (std::size_t i = 0; i < 432; ++i) zrodlo->bajty[1632 + i] = static_cast<std::uint8_t>(i);

    WczytajStanOtwarcia(k, *zrodlo);
    k.RekordBiezacy = StanModelu{};
    for (int rok = 1; rok <= 3; ++rok) ZapiszWynikiRoku(k, static_cast<std::uint8_t>(rok));
    zapisz(k.RekordBiezacy, true);

    auto dziecko = std::make_unique<StanModelu>();
    ASSERT_TRUE(PrzeniesStanZRodzica(k, 0, *dziecko));
    for (const PoleOtwarcia& p : MapaOtwarcia()) {
        if (p.rodzic < 0 || p.rodzaj == RodzajOtwarcia::NieWczytywane) continue;
        EXPECT_EQ(bajty(*dziecko, p.offset, p.rozmiar), bajty(*zrodlo, p.offset, p.rozmiar)) << "field " << p.offset;
    }
    EXPECT_EQ(bajty(*dziecko, 1008, 6), bajty(*zrodlo, 1016, 6));
}

// ---------------------------------------------------------- tracking blocks

TEST(ZerujEkstremaStanu, EveryBlockHoldsZerosAndTheExtremeMarks) {
    auto rec = std::make_unique<StanModelu>();
    rec->bajty.fill(0x77);
    ZerujEkstremaStanu(*rec);
    for (int b = 0; b < LiczbaBlokowSledzenia; ++b) {
        const std::size_t o = PoczatekSledzenia + 160 * static_cast<std::size_t>(b);
        EXPECT_EQ(bajty(*rec, o, 144), Bajty(144, 0));
        EXPECT_EQ(bajty(*rec, o + 144, 6), kPlus1E30);
        EXPECT_EQ(bajty(*rec, o + 150, 6), kMinus1E30);
        EXPECT_EQ(bajty(*rec, o + 156, 4), Bajty(4, 0));
    }
    EXPECT_EQ(rec->bajty[PoczatekSledzenia - 1], 0x77);
}

TEST(AktualizujBlokiSledzenia, KeepsTheLatestValueAndTheExtremes) {
    Kontekst k;
    StanModelu& rec = k.RekordBiezacy;
    ZerujEkstremaStanu(rec);
    const std::size_t b = 17200;  // ZapasSurowcow[2]
    k.m.ZapasSurowcow[2] = 10;
    AktualizujBlokiSledzenia(k, rec);
    EXPECT_EQ(real(rec, b), 10.0L);
    EXPECT_EQ(real(rec, b + 144), 10.0L);
    EXPECT_EQ(real(rec, b + 150), 10.0L);
    k.m.ZapasSurowcow[2] = 5;
    AktualizujBlokiSledzenia(k, rec);
    EXPECT_EQ(real(rec, b), 5.0L);
    EXPECT_EQ(real(rec, b + 144), 5.0L);
    EXPECT_EQ(real(rec, b + 150), 10.0L);
    k.m.ZapasSurowcow[2] = 20;
    AktualizujBlokiSledzenia(k, rec);
    EXPECT_EQ(real(rec, b), 20.0L);
    EXPECT_EQ(real(rec, b + 144), 5.0L);
    EXPECT_EQ(real(rec, b + 150), 20.0L);
    // Values [2..24] are never written.
    EXPECT_EQ(bajty(rec, b + 6, 138), Bajty(138, 0));
}

TEST(AktualizujBlokiSledzenia, SumsUnusedAndReservedBlocks) {
    Kontekst k;
    StanModelu& rec = k.RekordBiezacy;
    ZerujEkstremaStanu(rec);
    k.m.ZyskPoWyplatach = 1;
    k.m.ZyskPoWyplatachNarastajaco = 2;
    k.m.KapitalAkcyjny = 170;
    k.m.WartoscMaterialow = 1;
    k.m.WartoscProdukcjiWToku = 2;
    k.m.WartoscWyrobowGotowych = 4;
    k.m.RachunekRozliczeniowy = -50;
    k.m.ZyskNetto = -3;
    AktualizujBlokiSledzenia(k, rec);
    EXPECT_EQ(real(rec, 19920), 173.0L);
    EXPECT_EQ(real(rec, 22320), -43.0L);
    EXPECT_EQ(real(rec, 21840), -50.0L);
    EXPECT_EQ(real(rec, 22160 + 144), -3.0L);
    EXPECT_EQ(real(rec, 22160 + 150), -3.0L);
    // Block 21680 keeps its initial contents; block 22000 tracks a 0.
    EXPECT_EQ(bajty(rec, 21680, 144), Bajty(144, 0));
    EXPECT_EQ(bajty(rec, 21680 + 144, 6), kPlus1E30);
    EXPECT_EQ(bajty(rec, 21680 + 150, 6), kMinus1E30);
    EXPECT_EQ(bajty(rec, 22000, 160), Bajty(160, 0));
}

}  // namespace
}  // namespace vesk
