// The indicator chart: the indicator of the definition panel over the
// calendar years of the selected node's period and its ancestors' periods,
// as values or one of four year-to-year dynamics. The series is computed
// from local copies of the records of the chain (the node's record, then
// its ancestors read from the state file); the update returns what the
// window shows.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Kontekst.h"
#include "OcenaWskaznika.h"
#include "PanelDefinicji.h"

namespace vesk {

inline constexpr int NajwiecejOkresowWykresu = 10;

// Entries of the chart type box.
const std::array<const char*, 5>& TypyWykresu();
inline constexpr const char* TekstZeraWMianowniku = "Zero w mianowniku; uwa\xBF" "aj na wykresy!";
inline constexpr const char* NazwaNiezdefiniowana = "nazwa niezdefiniowana";
inline constexpr const char* TytulOsiLat = "[lata]";

// The value that stands for a quotient with a zero divisor, by the sign of
// the dividend: 3.4e38 above 0, 1.5e-45 below (a tiny positive number),
// 1.0 at 0.
double ZastepczaWartosc(long double dzielna);

// The points of the chain: three values per record, the root's period
// first. Komunikat is empty unless the walk ended early (a missing
// ancestor record, a parent cycle) or a position
// is unknown; then the points are what was computed before (none for an
// unknown position).
struct WynikSerii {
    std::vector<double> Punkty;
    // Per point: its value stands in for a quotient with a zero divisor.
    std::vector<bool> Zastepcze;
    bool Zero = false;  // a zero divisor was met
    bool Niepelna = false;
    bool NieznanaPozycja = false;
    std::string Komunikat;
};
// The indicator's value in year rok (1..3) of the record, each side from 0
// strictly left to right; sets zero on a zero divisor. Nothing for an
// unknown source or position (nieznana gets NieznanaPozycja's text).
std::optional<double> WartoscRoku(const PanelDefinicji& panel, const StanModelu& rekord, int rok, bool& zero,
                                  std::string& nieznana);
// Walks from wezel (the selected node's record) up to the root through
// the state file of k, at most okresy records (the periods the chart
// draws; a chain longer than that is no fault).
WynikSerii SeriaWskaznika(Kontekst& k, const PanelDefinicji& panel, const StanModelu& wezel,
                          int okresy = NajwiecejOkresowWykresu);

struct PunktWykresu {
    int X;
    double Y;
    bool operator==(const PunktWykresu&) const = default;
};
// The plotted points of a table of 3G values: the last P = 3(h + 1) of
// them (h at most G - 1) as values or dynamics of typ (-1: none chosen,
// taken as values), the last value at rok0 - 1. A point with a zero
// divisor (a stand-in value of zastepcze, or a dynamics quotient by 0, or
// one made of a stand-in) is left out: its year has no point; zero is set.
std::vector<PunktWykresu> PunktyWykresu(const std::vector<double>& tabela, int typ, int h, int rok0, bool& zero,
                                        const std::vector<bool>& zastepcze = {});

// The value axis: whole steps of 1, 2 or 5 times a power of ten from a
// multiple below the lowest point to one above the highest, each tick
// labelled with the decimals its step needs. Ticks are whole multiples of
// the step, so the one at 0 is exactly 0 (no "2.77556e-17").
struct OsWykresu {
    double Min = 0, Max = 1, Krok = 1;
    std::vector<std::pair<double, std::string>> Podzialki;
};
OsWykresu OsWartosciWykresu(const std::vector<PunktWykresu>& punkty);
// The axis of a run of values (an animation): the axis in use as long as
// it holds every point, else one over the points and the old bounds, so
// that the scale only ever widens while the run goes.
OsWykresu OsPrzebiegu(const OsWykresu& dotychczasowa, const std::vector<PunktWykresu>& punkty);

// The chart's text in place of the points when it has none to draw.
inline constexpr const char* BrakPunktowZero = "Brak punkt\xF3w: w ka\xBF" "dym roku zero w mianowniku";
inline constexpr const char* BrakPunktowPozycji = "Brak punkt\xF3w: nieznana pozycja";
inline constexpr const char* BrakPunktow = "Brak punkt\xF3w do narysowania";

// What the window shows after an update.
struct WidokWykresu {
    bool Widoczny = false;
    bool Aktywny = false;  // mouse interaction with the chart
    std::vector<PunktWykresu> Punkty;
    // The value axis of the points; no ticks when there are none.
    OsWykresu Os;
    // Shown with no points: why there are none (empty otherwise).
    std::string Pusty;
    std::vector<std::string> Tytul;
    std::string TytulOsi;
    bool TypWlaczony = false;          // WyborTypuWykresu
    bool HoryzontWlaczony = false;     // HoryzontyBox, LabelHoryzont, LabelTypWykresu
    bool PodpowiedzWlaczona = true;    // PodpowiedzJezykowa, LabelKoduDostepu
    // Messages to show after drawing, in order: the walk's or the
    // position's, then TekstZeraWMianowniku once.
    std::vector<std::string> Komunikaty;
};

// Who started an update: the window's own controls, or the workbench's
// node refresh (which must not be run again from inside it).
enum class ZrodloAktualizacji { Okno, OdswiezenieWezla };

// The chart of the indicator window with the controls that belong to it.
struct WykresWskaznika {
    WidokWykresu Widok;
    int TypWykresu = 0;  // selected entry of the type box; -1 none
    int Horyzont = 0;    // selected entry of the horizon box
    // The workbench's node refresh (loads the selected node's record into
    // RekordBiezacy) and the depth of the selected node in the tree.
    std::function<void()> OdswiezWezel;
    std::function<int()> GlebokoscWezla;
    // A run of values is drawn (an animation): the axis only widens.
    bool TrzymajOs = false;

    // The update: refresh of the node (unless started by it), toggling
    // when asked, the evaluation for the year box, the series and points
    // when the chart is shown, the controls and titles. An update started
    // while one runs returns the present view at once.
    const WidokWykresu& UAktualnicWykres(Kontekst& k, PanelDefinicji& panel, OcenaWskaznika& ocena, bool przelacz,
                                         ZrodloAktualizacji zrodlo = ZrodloAktualizacji::Okno);

private:
    bool trwa_ = false;
};

// The points the main window's three-year chart plots.
inline int PunktyWykresuGlownego(const Kontekst& k) {
    return k.LiczbaPunktowWykresu < 0 ? 0 : (k.LiczbaPunktowWykresu > 3 ? 3 : k.LiczbaPunktowWykresu);
}

}  // namespace vesk
