// The decision sheet of the selected node: its header labels and its lock.
// The windows show it; the workbench and the command language fill it.
#pragma once

#include <string>

namespace vesk {

struct FormularzDecyzji {
    std::string Tytul = "Formularz decyzyjny";
    bool Widoczny = false;
    // The header labels: the node's number, its parent's label or "Root",
    // simulated or not, the period's three years.
    std::string NumerDecyzji, NumerPoprzednika, Status, Rok0, Rok1, Rok2;
    // False for a simulated node: the boxes and the grid are read-only.
    bool Edytowalny = false;
    // The confirm command is offered (hidden for a simulated node).
    bool Potwierdzenie1 = false;

    // 1 unlocks, 0 locks, any other value changes nothing.
    void UstawEdytowalny(unsigned char flaga);
};

}  // namespace vesk
