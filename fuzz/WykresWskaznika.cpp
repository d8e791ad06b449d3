// Any bytes as an operator's state file, walked by the indicator chart from
// each of its first records up to the root, and checked for raw-material
// usage: the walk ends on a missing record or a cycle, never loops, and no
// error escapes.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzFolder.h"
#include "Kontekst.h"
#include "PlikStanu.h"
#include "WykresWskaznika.h"
#include "ZuzycieSurowcow.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = vesk::fuzz::folder().folder();
    vesk::fuzz::writeFile("FUZZ.qad", data, size);
    vesk::Kontekst* k = &vesk::fuzz::context();
    k->SciezkaOperatora = folder + "FUZZ.";

    vesk::PanelDefinicji panel;
    panel.Licznik = vesk::StronaWskaznika{vesk::PozycjaWskaznika{"Zapasy", "white: zapas surowca"}, "/",
                                          vesk::PozycjaWskaznika{"Zapasy", "red: zapas surowca"}};
    panel.Mianownik = vesk::StronaWskaznika{vesk::PozycjaWskaznika{"Zapasy", "black: zapas surowca"}, "", std::nullopt};
    auto rec = std::make_unique<vesk::StanModelu>();
    for (std::size_t o = 0; o + vesk::RozmiarStanuModelu <= size && o < 4 * vesk::RozmiarStanuModelu;
         o += vesk::RozmiarStanuModelu) {
        std::copy(data + o, data + o + vesk::RozmiarStanuModelu, rec->bajty.begin());
        const vesk::WynikSerii s = vesk::SeriaWskaznika(*k, panel, *rec);
        bool zero = false;
        for (int typ = 0; typ < 5; ++typ)
            vesk::OsWartosciWykresu(vesk::PunktyWykresu(s.Punkty, typ, 9, rec->Rok(), zero, s.Zastepcze));
        vesk::ZuzycieSurowcow z;
        z.Koncowka(*rec);
    }
    return 0;
}
