#include "KrokCoJesli.h"
#include "PomocWarsztatu.h"
#include "Teksty.h"

namespace vesk {
namespace {

struct CoJesli : test::WarsztatTest {
    // Root simulated, leaves 1..5 under it: 6 is the smallest free number.
    void operatorZPiatka() {
        operatorZPlikow({{1, 0, false}, {2, 0, false}, {3, 0, false}, {4, 0, false}, {5, 0, false}},
                        "d/r 0\r\n\td 1\r\n\td 2\r\n\td 3\r\n\td 4\r\n\td 5\r\n");
    }
    std::vector<int> numeryWPliku() const {
        const std::string b = dir.read("OP.qad");
        std::vector<int> n;
        for (std::size_t o = 0; o < b.size(); o += RozmiarStanuModelu) n.push_back(static_cast<unsigned char>(b[o]));
        return n;
    }
    StanModelu czytaj(int n) {
        StanModelu r;
        EXPECT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), static_cast<std::uint8_t>(n), r)) << n;
        return r;
    }
};

TEST_F(CoJesli, TheCopyTakesTheLeafsPlaceSimulated) {
    operatorZPiatka();
    const StanModelu s = czytaj(5);
    ASSERT_EQ(w->OO(5, 1, 2500), 6);
    EXPECT_EQ(numeryWPliku(), (std::vector<int>{0, 1, 2, 3, 4, 6}));
    const StanModelu c = czytaj(6);
    EXPECT_EQ(c.Rodzic(), 0);
    EXPECT_EQ(c.Symulowany(), 1);
    EXPECT_EQ(c.Rok(), 2015);
    EXPECT_EQ(c.widok().real48(2840), roundToReal48(2.5L));
    // Every other decision is S's.
    for (std::size_t o = 2784; o < 2840; ++o) EXPECT_EQ(c.bajty[o], s.bajty[o]) << o;
    for (std::size_t o = 2846; o < 3024; ++o) EXPECT_EQ(c.bajty[o], s.bajty[o]) << o;
    EXPECT_EQ(dir.read("OP.tr1"), "d/r 0\r\n\td 1\r\n\td 2\r\n\td 3\r\n\td 4\r\n\td/r 6\r\n");
    EXPECT_EQ(w->Wybrany, 6);
    EXPECT_FALSE(k->WezelBazowy.Ustawiony);
    EXPECT_TRUE(ui.messages.empty());

    // A second step takes 5 again; k = 0 changes no decision.
    ASSERT_EQ(w->OO(6, 0, 0), 5);
    EXPECT_EQ(numeryWPliku(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    const StanModelu c2 = czytaj(5);
    EXPECT_EQ(c2.Symulowany(), 1);
    for (std::size_t o = 2784; o < 3456 && o < c2.bajty.size(); ++o) EXPECT_EQ(c2.bajty[o], c.bajty[o]) << o;
}

struct Pole {
    int k;
    long double v;
    std::size_t offset;
    long double zapisane;  // < 0: a code byte of that value's magnitude
};

TEST(ParametrDecyzji, EachParameterLandsInItsField) {
    const Pole pola[] = {
        {1, 2500, 2840, 2.5L},          {2, 1000, 2858, 1.0L},         {4, 3000, 2846, 3.0L},
        {12, 300, 2784 + 36, 300},      {13, 7, 2790, 7},              {19, 50, 2896, 50},
        {27, 9, 2896 + 36 + 12, 9},     {28, 40, 2952, 0.4L},          {33, 25, 2988, 0.25L},
        {36, 1e6L, 3012, 1e6L},         {37, 3, 3024, -3},             {54, 2, 3024 + 24 * 17, -2},
        {38, 2.6L, 3048, -3},           {45, 0, 3024 + 24 * 8, -0},
    };
    for (const Pole& p : pola) {
        auto r = std::make_unique<StanModelu>();
        r->bajty[3024 + 24 * 8] = 5;
        ASSERT_TRUE(UstawParametrDecyzji(*r, p.k, p.v)) << p.k;
        if (p.zapisane < 0 || p.k >= 37)
            EXPECT_EQ(r->bajty[p.offset], static_cast<std::uint8_t>(-p.zapisane)) << p.k;
        else
            EXPECT_EQ(r->widok().real48(p.offset), roundToReal48(p.zapisane)) << p.k;
    }
    // Outside 1..54 nothing changes; codes outside 0..8 are refused.
    auto r = std::make_unique<StanModelu>();
    const StanModelu pusty = *r;
    EXPECT_TRUE(UstawParametrDecyzji(*r, 0, 5));
    EXPECT_TRUE(UstawParametrDecyzji(*r, 55, 5));
    EXPECT_FALSE(UstawParametrDecyzji(*r, 40, 12));
    EXPECT_FALSE(UstawParametrDecyzji(*r, 40, -1));
    EXPECT_EQ(*r, pusty);
}

TEST_F(CoJesli, ACodeAndAnOrderGoThroughTheStep) {
    operatorZPiatka();
    ASSERT_EQ(w->OO(5, 37, 3), 6);
    EXPECT_EQ(czytaj(6).bajty[3024], 3);
    ASSERT_EQ(w->OO(6, 12, 300), 5);
    EXPECT_EQ(czytaj(5).widok().real48(2784 + 36), 300);
    EXPECT_EQ(czytaj(5).bajty[3024], 3);
}

TEST_F(CoJesli, RefusalsLeaveTheFilesAsTheyWere) {
    struct Przypadek {
        const char* nazwa;
        std::vector<Rek> rekordy;
        const char* drzewo;
        int wezel, k;
        long double v;
        bool pelnaTabela;
    };
    const Przypadek przypadki[] = {
        {"parent not simulated", {{1, 0, false}, {2, 1, false}}, "d/r 0\r\n\td 1\r\n\t\td 2\r\n", 2, 1, 100, false},
        {"leaf with children", {{1, 0, true}, {2, 1, false}}, "d/r 0\r\n\td/r 1\r\n\t\td 2\r\n", 1, 1, 100, false},
        {"the root", {{1, 0, false}}, "d/r 0\r\n\td 1\r\n", 0, 1, 100, false},
        {"code beyond 8", {{1, 0, false}}, "d/r 0\r\n\td 1\r\n", 1, 40, 12, false},
        {"full table", {{1, 0, false}}, "d/r 0\r\n\td 1\r\n", 1, 1, 100, true},
    };
    for (const Przypadek& p : przypadki) {
        SCOPED_TRACE(p.nazwa);
        k = std::make_unique<Kontekst>(ui);
        SetUp();
        dir.write("OP.qad", "");
        operatorZPlikow(p.rekordy, p.drzewo);
        if (p.pelnaTabela)
            for (int n = 0; n <= NajwiekszyNumerWezla; ++n) k->TabelaWezlow.Zajety[static_cast<std::size_t>(n)] = true;
        const std::string qad = dir.read("OP.qad"), tr1 = dir.read("OP.tr1");
        ui.messages.clear();
        EXPECT_FALSE(w->OO(p.wezel, p.k, p.v));
        EXPECT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(dir.read("OP.qad"), qad);
        EXPECT_EQ(dir.read("OP.tr1"), tr1);
        EXPECT_GE(w->Drzewo.Znajdz(p.wezel), 0);
    }
}

}  // namespace
}  // namespace vesk
