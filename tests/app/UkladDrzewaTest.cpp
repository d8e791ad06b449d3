#include <gtest/gtest.h>

#include "Uklad.h"

namespace vesk {
namespace {

TEST(UkladDrzewaTest, ZoomGeometries) {
    const UkladGlowny g = UkladOknaGlownego(1024, 768);
    struct Case {
        bool zoom;
        int okresCzcionka;
        int lewe[4];
        int drzewoCzcionka, gora, wciecie;
    } cases[] = {
        {true, 20, {10, 140, 270, 400}, 20, 88, 130},
        {false, 9, {10, 74, 138, 202}, 10, 72, 64},
    };
    for (const auto& c : cases) {
        const UkladZakladkiDrzewa u = UkladDrzewa(g, c.zoom);
        EXPECT_EQ(u.okresCzcionka, c.okresCzcionka);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(u.okresy[static_cast<std::size_t>(k)].x, c.lewe[k]) << c.zoom << k;
        EXPECT_EQ(u.drzewoCzcionka, c.drzewoCzcionka);
        EXPECT_EQ(u.drzewo.y, c.gora);
        EXPECT_EQ(u.wciecie, c.wciecie);
        // Each header stands above its level's column of the tree.
        for (int k = 1; k < 9; ++k)
            EXPECT_EQ(u.okresy[static_cast<std::size_t>(k)].x - u.okresy[static_cast<std::size_t>(k - 1)].x, u.wciecie);
        // The tree's bottom does not move with the zoom.
        EXPECT_EQ(u.drzewo.y + u.drzewo.h, g.drzewo.y + g.drzewo.h);
    }
}

bool nachodza(const Prostokat& a, const Prostokat& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST(UkladDrzewaTest, ControlsStayOnThePageInRowsThatDoNotOverlap) {
    const int ekrany[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}, {320, 200}};
    for (const auto& e : ekrany)
        for (bool zoom : {true, false}) {
            const int zakladki = 30;  // the tab row a style may draw
            const UkladGlowny g = UkladOknaGlownego(e[0], e[1], zakladki);
            const UkladZakladkiDrzewa u = UkladDrzewa(g, zoom);
            const Prostokat wiersz[] = {u.symulacja, u.podglad, u.dodanie};
            const Prostokat dolny[] = {u.koniec, u.zoom, u.bazowy, u.okienkoBazowe, u.wzorcowy, u.okienkoEdycji};
            for (const auto& r : wiersz) {
                EXPECT_GE(r.y, u.drzewo.y + u.drzewo.h) << e[0] << "x" << e[1];
                EXPECT_LE(r.x + r.w, g.strony.w) << e[0] << "x" << e[1];
                EXPECT_GE(r.x, 0);
            }
            for (const auto& r : dolny) {
                EXPECT_GE(r.y, wiersz[0].y + wiersz[0].h) << e[0] << "x" << e[1];
                // Below the tab bar the whole row is on the page.
                EXPECT_LE(r.y + r.h, g.strony.h - zakladki) << e[0] << "x" << e[1] << " zoom " << zoom;
                EXPECT_LE(r.x + r.w, g.strony.w) << e[0] << "x" << e[1];
                EXPECT_GE(r.x, 0);
            }
            for (const auto& o : u.okresy) {
                EXPECT_LE(o.y + o.h, u.drzewo.y);
                EXPECT_GE(o.y, u.lata.y + u.lata.h);
            }
            if (e[0] >= 800) {
                for (std::size_t i = 0; i < 3; ++i)
                    for (std::size_t j = i + 1; j < 3; ++j) EXPECT_FALSE(nachodza(wiersz[i], wiersz[j])) << i << j;
                for (std::size_t i = 0; i < 6; ++i)
                    for (std::size_t j = i + 1; j < 6; ++j) EXPECT_FALSE(nachodza(dolny[i], dolny[j])) << i << j;
            }
        }
}

TEST(UkladDrzewaTest, ANarrowedPageKeepsEveryButtonOnItInLinesThatDoNotOverlap) {
    for (int szerokosc : {400, 520, 630, 800, 1000}) {
        const UkladZakladkiDrzewa u = UkladDrzewa(UkladOknaGlownego(1024, 768, 30, szerokosc, 600), true);
        const Prostokat p[] = {u.symulacja, u.podglad, u.dodanie,       u.wynik,    u.koniec,
                               u.zoom,      u.bazowy,  u.okienkoBazowe, u.wzorcowy, u.okienkoEdycji};
        for (std::size_t i = 0; i < std::size(p); ++i) {
            EXPECT_TRUE(p[i].x >= 0 && p[i].x + p[i].w <= szerokosc && p[i].y >= u.drzewo.y + u.drzewo.h) << i;
            for (std::size_t j = i + 1; j < std::size(p); ++j) EXPECT_FALSE(nachodza(p[i], p[j])) << szerokosc << i << j;
        }
    }
}

// On a page too low for them all (800 x 600 scaled by 1.5) the tree keeps
// the rows it needs up to half the page before the buttons, which follow
// it; the height the page scrolls to holds every control.
TEST(UkladDrzewaTest, TheTreeKeepsItsRowsUpToHalfThePageTheButtonsFollow) {
    const UkladGlowny g = UkladOknaGlownego(533, 400, 30, 533, 330);
    ASSERT_EQ(g.wysokoscStrony, 300);
    const int przypadki[][2] = {{0, 40}, {100, 100}, {1000, 150}};  // the rows' height, the tree's
    for (const auto& [wiersze, drzewo] : przypadki) {
        const UkladZakladkiDrzewa u = UkladDrzewa(g, true, wiersze);
        EXPECT_EQ(u.drzewo.h, drzewo) << wiersze;
        const Prostokat p[] = {u.symulacja, u.podglad, u.dodanie,       u.wynik,    u.koniec,
                               u.zoom,      u.bazowy,  u.okienkoBazowe, u.wzorcowy, u.okienkoEdycji};
        for (const Prostokat& r : p) {
            EXPECT_GE(r.y, u.drzewo.y + u.drzewo.h) << wiersze;
            EXPECT_LE(r.y + r.h, u.wysokosc) << wiersze;
        }
        EXPECT_GT(u.wysokosc, g.wysokoscStrony) << wiersze;
    }
}

}  // namespace
}  // namespace vesk
