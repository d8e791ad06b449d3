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

UkladGlowny UkladOknaGlownego(int desktopW, int desktopH) {
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
    // The tree follows the desktop, but stays on its page with the buttons.
    int w = std::clamp(desktopW - 30, 100, std::max(100, u.strony.w - DrzewoLewo - 10));
    int h = std::clamp(desktopH - 320, 60, std::max(60, u.strony.h - DrzewoGora - MiejscePodDrzewem));
    u.drzewo = {DrzewoLewo, DrzewoGora, w, h};
    u.przyciskiGora = u.drzewo.y + u.drzewo.h + 20;
    u.przyciskKoncaGora = u.przyciskiGora + 40;
    u.wykresPrzyciskGora = u.przyciskiGora - 20;
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
