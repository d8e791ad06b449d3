#include "Uklad.h"

#include <algorithm>

namespace vesk {

namespace {

constexpr int DrzewoGora = 88;
constexpr int DrzewoLewo = 10;
constexpr int WysokoscPrzycisku = 30;
// Room kept below the tree on its page: the button row and the end button.
constexpr int MiejscePodDrzewem = 20 + WysokoscPrzycisku + 40 + 10;

}  // namespace

UkladGlowny UkladOknaGlownego(int desktopW, int desktopH, int zakladki, int stronaW, int stronaH) {
    UkladGlowny u;
    u.strony = {0, 0, SzerokoscStronProjektowana, WysokoscStronProjektowana};
    switch (desktopH) {
        case 600:
            u.strony.h = desktopH - u.strony.y;
            u.strony.w = 790;
            break;
        case 480:
            u.strony.h = 400;
            u.strony.w = 630;
            break;
        case 768:
            u.strony.h = 700;
            u.strony.w = 1000;
            break;
        default:
            break;
    }
    // A window the user resized: its own pages.
    if (stronaW > 0 && stronaH > 0) u.strony = {0, 0, stronaW, stronaH};
    // The tree follows the desktop, but stays on its page with the buttons.
    int w = std::clamp(desktopW - 30, 100, std::max(100, u.strony.w - DrzewoLewo - 10));
    const int wysokoscStrony = u.strony.h - std::max(0, zakladki);
    int h = std::clamp(desktopH - 320, 60, std::max(60, wysokoscStrony - DrzewoGora - MiejscePodDrzewem));
    u.drzewo = {DrzewoLewo, DrzewoGora, w, h};
    u.wysokoscStrony = wysokoscStrony;
    u.przyciskiGora = u.drzewo.y + u.drzewo.h + 20;
    u.przyciskKoncaGora = u.przyciskiGora + 40;
    u.wykresPrzyciskGora = u.przyciskiGora - 20;
    return u;
}

namespace {
// Keeps a control inside a page of width szerokosc: narrower first, then
// moved left.
Prostokat naStronie(Prostokat r, int szerokosc) {
    const int prawa = szerokosc - 5;
    if (r.x + r.w > prawa) r.w = std::max(20, prawa - r.x);
    if (r.x + r.w > prawa) r.x = std::max(0, prawa - r.w);
    return r;
}
}  // namespace

UkladZakladkiDrzewa UkladDrzewa(const UkladGlowny& g, bool zoom, int wierszeDrzewa) {
    UkladZakladkiDrzewa u;
    // The large view: big type, a level every 130 pixels; the small view:
    // small type, a level every 64 pixels, the tree 16 pixels higher.
    const int krok = zoom ? 130 : 64;
    const int wysokoscOkresu = zoom ? 28 : 16;
    u.okresCzcionka = zoom ? 20 : 9;
    u.drzewoCzcionka = zoom ? 20 : 10;
    u.wciecie = krok;
    const int gora = zoom ? 88 : 72;
    const int dol = g.drzewo.y + g.drzewo.h;
    u.drzewo = {g.drzewo.x, gora, g.drzewo.w, std::max(40, dol - gora)};
    for (int k = 0; k < 9; ++k)
        u.okresy[static_cast<std::size_t>(k)] = {10 + krok * k, gora - wysokoscOkresu - 2, krok - 2, wysokoscOkresu};
    u.lata = {10, 4, 200, gora - wysokoscOkresu - 8};
    const int w = g.strony.w;
    // The two rows of buttons as designed; on a page too narrow for a row
    // it goes on in a further line, and the tree gives up the room.
    struct Miejsce {
        Prostokat* cel;
        int szerokosc, odstep;
        bool nowyWiersz;
    };
    const Miejsce miejsca[] = {
        {&u.symulacja, 200, 0, true},     {&u.podglad, 260, 10, false},      {&u.dodanie, 220, 10, false},
        {&u.wynik, 240, 10, false},       {&u.koniec, 200, 0, true},         {&u.zoom, 80, 10, false},
        {&u.bazowy, 80, 10, false},       {&u.okienkoBazowe, 110, 5, false}, {&u.wzorcowy, 80, 10, false},
        {&u.okienkoEdycji, 110, 5, false},
    };
    int linia = -1, x = 0;
    for (const Miejsce& m : miejsca) {
        if (m.nowyWiersz || (x > 10 && x + m.odstep + m.szerokosc > w - 5)) {
            ++linia;
            x = 10;
        } else {
            x += m.odstep;
        }
        *m.cel = naStronie({x, linia, m.szerokosc, WysokoscPrzycisku}, w);
        x += m.szerokosc;
    }
    const int krokLinii = g.przyciskKoncaGora - g.przyciskiGora;
    const int dodatkowe = (linia + 1 - 2) * krokLinii;
    u.drzewo.h = std::max({40, u.drzewo.h - dodatkowe, std::min(wierszeDrzewa, g.wysokoscStrony / 2)});
    const int pierwsza = std::max(g.przyciskiGora - dodatkowe, u.drzewo.y + u.drzewo.h + 20);
    for (const Miejsce& m : miejsca) m.cel->y = pierwsza + m.cel->y * krokLinii;
    u.wysokosc = pierwsza + linia * krokLinii + WysokoscPrzycisku + 10;
    return u;
}

UkladRaportu UkladOknaRaportu(int ekranW, int ekranH, int wysokoscPrzycisku) {
    // Very small screens still get a usable window.
    ekranW = std::max(ekranW, 320);
    ekranH = std::max(ekranH, 240);
    UkladRaportu u;
    u.tekst = {15, 25, ekranW - 60, ekranH - 150};
    u.przycisk = {15, u.tekst.y + u.tekst.h + 5, 150, wysokoscPrzycisku};
    int wysokosc = u.tekst.y + u.tekst.h + 5 + wysokoscPrzycisku + 35;
    u.okno = {15, 25, ekranW - 30, std::min(wysokosc, ekranH - 25)};
    // The button stays inside the window.
    if (u.przycisk.y + u.przycisk.h > u.okno.h) {
        u.przycisk.y = std::max(0, u.okno.h - u.przycisk.h - 5);
        u.tekst.h = std::max(20, u.przycisk.y - 5 - u.tekst.y);
    }
    return u;
}

}  // namespace vesk
