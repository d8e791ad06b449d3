// The look of the indicator window: the expert commands shown only where
// the working folder holds the marker "expertsystem", the four toggles of
// the "Wygląd" menu, and the alternative layout of the sensitivity panel
// (its height and the tops of its controls times 1.5, halves to even,
// given back exactly when switched off).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Geometria.h"

namespace vesk {

// True when the working folder katalogRoboczy holds the marker file.
bool ZnacznikEksperta(const std::string& katalogRoboczy);

// Colours the layout gives the two panels, by their system names.
enum class KolorPanelu {
    PowierzchniaPrzycisku,     // button faces
    NieaktywnyNaglowek,        // system colour 28, the inactive caption's gradient
    TekstNieaktywnegoNaglowka  // inactive caption text
};

// What the window shows of its look.
struct WidokWygladu {
    // CheckBoxExpert and the expert menu items: the export, the inference,
    // the two engine commands, the diagnosis file, "Inna wersja interface".
    bool PoleceniaEksperta = false;
    bool GroupBox1 = true, GroupBox9 = true;  // "Mini SE"
    bool TabSheet3 = true, TabSheet5 = true;  // "wersja PROD"
    int GoraGroupBox8 = 16;                   // "wyrównanie": 16, else 24
    // The alternative layout.
    bool Label20 = false, Label21 = false, Label22 = false;
    int GoraLabel21 = 7;
    bool GroupBox7 = true, PageControl2Na = false;  // trees, or the trees' pages at (8, 1)
    KolorPanelu KolorAnalizy = KolorPanelu::PowierzchniaPrzycisku;
    KolorPanelu KolorGroupBox2 = KolorPanelu::TekstNieaktywnegoNaglowka;
};

// The controls whose top the alternative layout scales; the panel's own
// height is scaled with them.
const std::vector<std::string>& SkalowaneGory();
inline constexpr const char* PanelSkalowany = "Analiza_wrazliwosci";

class WygladOkna {
public:
    explicit WygladOkna(bool ekspert = false) : ekspert_(ekspert) {}

    // The "Wygląd" items, each a check mark.
    bool MiniSE = true;
    bool InnaWersja = false;
    bool WersjaPROD = true;
    bool Wyrownanie = true;

    bool Ekspert() const { return ekspert_; }
    void UstawEkspert(bool e) { ekspert_ = e; }
    WidokWygladu Widok() const;

    // The alternative layout switched on or off over the measures the
    // window has now (by control name; controls missing are left out).
    // On remembers them, scales the panel's height and the listed tops and
    // puts the trees' pages "PageControl2" at left 8, top 1; off gives back
    // exactly what was remembered.
    std::map<std::string, Geometria> Uklad(bool wlaczony, const std::map<std::string, Geometria>& obecne);

private:
    bool ekspert_;
    std::map<std::string, Geometria> zapamietane_;
    bool zapamietano_ = false;
};

}  // namespace vesk
