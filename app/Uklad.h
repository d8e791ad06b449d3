// Sizes and places of the windows' controls as functions of the screen
// size, so that the rules can be checked without a screen. Every rectangle
// is clamped so that no control lands outside its page or window.
#pragma once

#include <array>

namespace vesk {

struct Prostokat {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const Prostokat&) const = default;
};

// The main window: the page control and, on the tree tab, the tree and the
// row of buttons below it. The designed size fits a 1024 x 768 screen.
struct UkladGlowny {
    Prostokat strony;        // PageControl1, in the window's client area
    Prostokat drzewo;        // TreeView1, on its page
    int przyciskiGora = 0;   // SpeedSymulacja, PrzyciskPodgladu, PrzyciskDodaniaNowejDecyzji
    int przyciskKoncaGora = 0;  // ButtonFinal, SpeedPotwierdzenie
    int wykresPrzyciskGora = 0;  // wykres_z_n
    int wysokoscStrony = 0;      // the page's own height, below its tab row
};

inline constexpr int SzerokoscStronProjektowana = 1000;
inline constexpr int WysokoscStronProjektowana = 680;

// desktopW, desktopH: the whole virtual screen; zakladki: the part of the
// page control's height its tab row and frame take, so that the tree and
// its buttons stay inside the page itself. stronaW, stronaH: the page
// control's size once the user resized the window (0: as designed).
UkladGlowny UkladOknaGlownego(int desktopW, int desktopH, int zakladki = 0, int stronaW = 0, int stronaH = 0);

// The tree tab at a "Zoom" setting: the period headers above the tree (one
// per level, each above its level's column), the selected node's years,
// the tree with its font and indent, the row of node buttons below it and
// the row with the end button, the check box and the selection boxes.
// wierszeDrzewa: the height that shows every row of the tree. The tree
// keeps as much of it as half the page before the buttons take its room;
// they then follow it, and what the page cannot hold it scrolls to
// (wysokosc).
struct UkladZakladkiDrzewa {
    std::array<Prostokat, 9> okresy;  // Okres1 .. Okres9
    int okresCzcionka = 0;            // pixel size
    Prostokat lata;                   // LataSymulacji
    Prostokat drzewo;
    int drzewoCzcionka = 0, wciecie = 0;
    Prostokat symulacja, podglad, dodanie;  // SpeedSymulacja, PrzyciskPodgladu, PrzyciskDodaniaNowejDecyzji
    Prostokat wynik;                         // SpeedButton3, the synthetic result
    Prostokat koniec, zoom;                  // ButtonFinal, CheckBox1
    Prostokat bazowy, okienkoBazowe, wzorcowy, okienkoEdycji;
    int wysokosc = 0;  // the height the tab's controls take, a margin below the last
};
UkladZakladkiDrzewa UkladDrzewa(const UkladGlowny& g, bool zoom, int wierszeDrzewa = 0);

// The report window from the primary screen's size.
struct UkladRaportu {
    Prostokat okno;    // the window, its client part
    Prostokat tekst;   // RichEdit1
    Prostokat przycisk;  // Button1
};
UkladRaportu UkladOknaRaportu(int ekranW, int ekranH, int wysokoscPrzycisku);

}  // namespace vesk
