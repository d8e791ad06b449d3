// Statement trees are outside data: any bytes as a ".tre" file give a tree
// or a refusal naming the line, never a crash. A tree that is read has
// every node's parent before it and one level above it; its nodes, dropped
// into the definition panel, give items whose text the side-formula parsers
// take apart without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DrzewoPozycji.h"
#include "FileSystem.h"
#include "OcenaWskaznika.h"
#include "Wskaznik.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vesk;
    const std::string bajty(reinterpret_cast<const char*>(data), size);
    const WczytaneDrzewo w = RozbierzDrzewo(splitTextLines(bajty), "fuzz.tre");
    if (!w.Blad.empty() && !w.Drzewo.Wezly.empty()) std::abort();
    for (std::size_t i = 0; i < w.Drzewo.Wezly.size(); ++i) {
        const WezelPozycji& n = w.Drzewo.Wezly[i];
        if (n.Rodzic >= static_cast<int>(i)) std::abort();
        const int poziomRodzica = n.Rodzic < 0 ? -1 : w.Drzewo.Wezly[static_cast<std::size_t>(n.Rodzic)].Poziom;
        if (n.Poziom != poziomRodzica + 1) std::abort();
        const std::string formula = PozycjaWskaznika{"Zapasy", n.Tekst}.Tekst() + "/" + n.Tekst;
        for (int k = 1; k <= 3; ++k) {
            (void)RozbiorPozycja(formula, k);
            (void)RozbiorZrodlo(formula, k);
            (void)RozbiorOperand(formula, k);
        }
        (void)DiagnozaWartosci("x<>", n.Tekst, n.Tekst, "1");
    }
    return 0;
}
