// The main window's menu bar and the tree's popup menu as data: every item
// with its caption ("&" before the accelerator letter), shortcut and the
// state it starts in. The window builds its menus from these tables and
// finds items by name.
#pragma once

#include <string>
#include <vector>

namespace vesk {

struct PozycjaMenu {
    std::string nazwa;   // the item's name, e.g. "Nowy1"
    std::string rodzic;  // the menu holding it; empty for a menu of the bar
    std::string tytul;   // code page 1250; "-" is a separator
    std::string skrot;   // "F4", "Shift+F3", "Ctrl+A", "Del", ...; empty for none
    bool wlaczona = true;
    bool widoczna = true;

    bool separator() const { return tytul == "-"; }
};

// The menu bar in order. `znacznikWsadowy`: the marker file of the
// command-file controls is present.
std::vector<PozycjaMenu> MenuGlowne(bool znacznikWsadowy);
// The popup menu of the tree.
std::vector<PozycjaMenu> MenuDrzewa();

// Items whose state changes after the start, with their new state.
struct ZmianaMenu {
    std::string nazwa;
    bool wlaczona;
};
// After a tree file was loaded: the decision menu becomes usable.
std::vector<ZmianaMenu> MenuPoWczytaniuDrzewa();

}  // namespace vesk
