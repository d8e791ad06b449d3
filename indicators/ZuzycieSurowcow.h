// The raw-material usage check of the indicator window's product tab: how
// much of each raw material (White, Black, Red) the node consumes in each
// year of its period and in total, each total marked when it reaches the
// limit the user set. The opening stock of a period is the node's own
// copy of its parent's year-3 stock (0 for the root); nothing is read from
// the state file and no script variable is touched.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "Typy.h"

namespace vesk {

inline constexpr int LiczbaSurowcow = 3;

// The usages of one material: purchase order of year y minus the stock
// change from the end of the year before (the opening stock before year
// 1), each rounded to the 6-byte real.
std::array<long double, 3> ZuzycieMaterialu(const std::array<long double, 3>& zamowienia, long double zapasPoczatkowy,
                                            const std::array<long double, 3>& zapasy);

// The opening raw-material stock of material m (1..3) of the record.
long double ZapasPoczatkowySurowca(const StanModelu& rekord, int m);

struct ZuzycieSurowcow {
    std::array<std::array<long double, 3>, LiczbaSurowcow> Zuzycie{};  // [m][y]: ZuzycieSurowcow
    std::array<long double, LiczbaSurowcow> ZuzycieLaczne{};
    // The limit boxes ParGranica1..3 and whether their text is a number.
    std::array<std::string, LiczbaSurowcow> Granice = {"450", "490", "450"};
    std::array<bool, LiczbaSurowcow> GranicaPoprawna = {true, true, true};
    // InfoOZuzyciu and InfoOZuzyciu1..3 with their colour.
    std::string InfoOZuzyciu;
    std::array<std::string, LiczbaSurowcow> InfoOZuzyciuM;
    std::array<bool, LiczbaSurowcow> Czerwony{};

    // The check on a node's record (Koncowka).
    void Koncowka(const StanModelu& rekord);
    // A limit box changed (m 1..3): the present total recoloured, nothing
    // recomputed. A text that is no number ("." as the decimal point) is
    // no limit: black, flagged invalid.
    void ZmianaGranicy(int m, const std::string& tekst);

private:
    void koloruj(int m);
};

}  // namespace vesk
