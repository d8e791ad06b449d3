#include "WygladOkna.h"

#include <cmath>

#include "FileSystem.h"

namespace vesk {

bool ZnacznikEksperta(const std::string& katalogRoboczy) { return fileExists(katalogRoboczy + "expertsystem"); }

const std::vector<std::string>& SkalowaneGory() {
    static const std::vector<std::string> nazwy = {"WyborZmiennejBox", "Label8",   "LabelJednostki",
                                                   "WartoscZmiennejEdit", "Suwak", "TraceOn",
                                                   "CheckBoxExpert",   "RaportowanieDoPliku"};
    return nazwy;
}

WidokWygladu WygladOkna::Widok() const {
    WidokWygladu w;
    w.PoleceniaEksperta = ekspert_;
    w.GroupBox1 = w.GroupBox9 = MiniSE;
    w.TabSheet3 = w.TabSheet5 = WersjaPROD;
    w.GoraGroupBox8 = Wyrownanie ? 16 : 24;
    w.Label20 = w.Label21 = w.Label22 = InnaWersja;
    w.GoraLabel21 = InnaWersja ? 37 : 7;
    w.GroupBox7 = !InnaWersja;
    w.PageControl2Na = InnaWersja;
    w.KolorAnalizy = InnaWersja ? KolorPanelu::NieaktywnyNaglowek : KolorPanelu::PowierzchniaPrzycisku;
    w.KolorGroupBox2 = InnaWersja ? KolorPanelu::NieaktywnyNaglowek : KolorPanelu::TekstNieaktywnegoNaglowka;
    return w;
}

std::map<std::string, Geometria> WygladOkna::Uklad(bool wlaczony, const std::map<std::string, Geometria>& obecne) {
    InnaWersja = wlaczony;
    if (!wlaczony) {
        if (!zapamietano_) return obecne;
        std::map<std::string, Geometria> wynik = obecne;
        for (const auto& [nazwa, g] : zapamietane_) wynik[nazwa] = g;
        zapamietane_.clear();
        zapamietano_ = false;
        return wynik;
    }
    if (!zapamietano_) {
        zapamietane_ = obecne;
        zapamietano_ = true;
    }
    std::map<std::string, Geometria> wynik = zapamietane_;
    if (auto it = wynik.find(PanelSkalowany); it != wynik.end()) it->second.Wysokosc = RazyPoltora(it->second.Wysokosc);
    for (const std::string& nazwa : SkalowaneGory())
        if (auto it = wynik.find(nazwa); it != wynik.end()) it->second.Gora = RazyPoltora(it->second.Gora);
    if (auto it = wynik.find("PageControl2"); it != wynik.end()) {
        it->second.Lewa = 8;
        it->second.Gora = 1;
    }
    return wynik;
}

}  // namespace vesk
