#include "RaportZAO.h"

#include "Kontekst.h"

namespace vesk {

namespace {

using namespace pola;

// Text: raw materials (left) and finished goods (right) on lines 14-16,
// work in progress (left) on lines 20-22, one line per material or product.
CzescTekstu Zapasy() {
    CzescTekstu c{.wzorzec = "QAD.ZAO", .N = 160, .K = 200, .c1 = 31, .c2 = 88, .ostatnia = 24};
    c.wiersze = {{9, RodzajWiersza::Lata, 0}};
    for (int e = 1; e <= 3; ++e) {
        c.wiersze.push_back({13 + e, RodzajWiersza::Wiersz6, 1, ElementPola(ZapasSurowcow, e),
                             ElementPola(ZapasWyrobowGotowych, e)});
        c.wiersze.push_back({19 + e, RodzajWiersza::Wiersz3L, 1, ElementPola(ProdukcjaWToku, e)});
    }
    return c;
}

// Page: one table row per material or product, in three sections.
StronaRaportu StronaZapasow() {
    StronaRaportu s{.wzorzec = "QAD.ZAO.HTML", .rozszerzenie = "", .N = 160, .K = 200, .pierwsza = 16, .ostatnia = 33};
    s.wypelnienia = {{16, 0, RokKalendarzowy()}};
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({18 + e, 2, ElementPola(ZapasSurowcow, e)});
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({23 + e, 2, ElementPola(ZapasWyrobowGotowych, e)});
    for (int e = 1; e <= 3; ++e) s.wypelnienia.push_back({28 + e, 2, ElementPola(ProdukcjaWToku, e)});
    return s;
}

}  // namespace

const OpisRaportu& OpisRaportuZAO() {
    static const OpisRaportu opis{
        .EXT = "ZAO",
        .flaga = &FlagiWynikow_t::ZAO,
        .czesci = {Zapasy()},
        .strony = {StronaZapasow()},
    };
    return opis;
}

bool Raport_ZAO(Kontekst& k) { return UruchomRaport(k, OpisRaportuZAO()); }

bool Raport_ZAO_Tworz(Kontekst& k, const std::string& OutName) { return TworzRaport(k, OpisRaportuZAO(), OutName); }

}  // namespace vesk
