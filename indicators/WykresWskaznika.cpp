#include "WykresWskaznika.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <set>

#include "PlikStanu.h"
#include "PozycjeSprawozdan.h"

namespace vesk {

const std::array<const char*, 5>& TypyWykresu() {
    static const std::array<const char*, 5> t = {"warto\x9C" "ci", "dynamika x2 / x1", "dynamika (x2-x1) / x1",
                                                 "dynamika (x2-x1) / x2", "dynamika x2-x1"};
    return t;
}

double ZastepczaWartosc(long double dzielna) {
    if (dzielna > 0) return 3.4e38;
    if (dzielna < 0) return 1.5e-45;
    return 1.0;
}

namespace {

// One side from 0, strictly left to right.
std::optional<long double> Strona(const StronaWskaznika& s, const StanModelu& rekord, int rok, bool& zero,
                                  std::string& nieznana) {
    long double wynik = 0;
    for (const auto& [op, pozycja] : s.Skladniki()) {
        const std::optional<double> v = WartoscPozycji(rekord, pozycja, rok);
        if (!v) {
            nieznana = NieznanaPozycja(pozycja);
            return std::nullopt;
        }
        const long double x = *v;
        switch (op) {
            case '!':
            case '+': wynik += x; break;
            case '-': wynik -= x; break;
            case '*': wynik *= x; break;
            case '/':
                if (x == 0) {
                    zero = true;
                    wynik = ZastepczaWartosc(wynik);
                } else {
                    wynik /= x;
                }
                break;
            default: break;
        }
    }
    return wynik;
}

}  // namespace

std::optional<double> WartoscRoku(const PanelDefinicji& panel, const StanModelu& rekord, int rok, bool& zero,
                                  std::string& nieznana) {
    const std::optional<long double> licznik = Strona(panel.Licznik, rekord, rok, zero, nieznana);
    if (!licznik) return std::nullopt;
    const std::optional<long double> mianownik = Strona(panel.Mianownik, rekord, rok, zero, nieznana);
    if (!mianownik) return std::nullopt;
    if (*mianownik == 0) {
        zero = true;
        return ZastepczaWartosc(*licznik);
    }
    return static_cast<double>(*licznik / *mianownik);
}

WynikSerii SeriaWskaznika(Kontekst& k, const PanelDefinicji& panel, const StanModelu& wezel, int potrzebne) {
    WynikSerii s;
    auto rekord = std::make_unique<StanModelu>(wezel);
    std::vector<std::array<double, 3>> okresy;
    std::vector<std::array<bool, 3>> zastepczeOkresow;
    std::set<int> odwiedzone;
    const std::string plik = SciezkaPlikuStanu(k);
    for (;;) {
        odwiedzone.insert(rekord->Numer());
        std::array<double, 3> okres{};
        std::array<bool, 3> zastepcze{};
        for (int y = 1; y <= 3; ++y) {
            std::string nieznana;
            std::optional<double> v;
            bool zero = false;
            try {
                v = WartoscRoku(panel, *rekord, y, zero, nieznana);
                zastepcze[static_cast<std::size_t>(y - 1)] = zero;
                s.Zero = s.Zero || zero;
            } catch (const std::exception& e) {
                s.NieznanaPozycja = true;
                s.Komunikat = e.what();
                s.Punkty.clear();
                return s;
            }
            if (!v) {
                s.NieznanaPozycja = true;
                s.Komunikat = nieznana;
                s.Punkty.clear();
                return s;
            }
            okres[static_cast<std::size_t>(y - 1)] = *v;
        }
        okresy.push_back(okres);
        zastepczeOkresow.push_back(zastepcze);
        if (rekord->Numer() == 0) break;
        if (static_cast<int>(okresy.size()) >= std::max(1, potrzebne)) break;  // all the chart draws
        const int rodzic = rekord->Rodzic();
        auto koniec = [&](const std::string& tekst) {
            s.Niepelna = true;
            s.Komunikat = tekst;
        };
        if (odwiedzone.count(rodzic)) {
            koniec("Cykl w\x9Cr\xF3" "d przodk\xF3w w\xEAz\xB3" "a " + std::to_string(wezel.Numer()) + " w pliku " +
                   plik);
            break;
        }
        bool jest = false;
        try {
            jest = ZnajdzStanModelu(k, plik, static_cast<std::uint8_t>(rodzic), *rekord);
        } catch (const std::exception& e) {
            koniec(e.what());
            break;
        }
        if (!jest) {
            koniec("Brak rekordu w\xEAz\xB3" "a " + std::to_string(rodzic) + " w pliku " + plik);
            break;
        }
    }
    // The root's period first.
    for (auto o = okresy.rbegin(); o != okresy.rend(); ++o) s.Punkty.insert(s.Punkty.end(), o->begin(), o->end());
    for (auto o = zastepczeOkresow.rbegin(); o != zastepczeOkresow.rend(); ++o)
        s.Zastepcze.insert(s.Zastepcze.end(), o->begin(), o->end());
    return s;
}

std::vector<PunktWykresu> PunktyWykresu(const std::vector<double>& tabela, int typ, int h, int rok0, bool& zero,
                                        const std::vector<bool>& zastepcze) {
    std::vector<PunktWykresu> punkty;
    const int g = static_cast<int>(tabela.size() / 3);
    if (g == 0) return punkty;
    h = std::clamp(h, 0, g - 1);
    const int p = 3 * (h + 1), f = 3 * (g - 1 - h);
    auto punkt = [&](int i) { return tabela[static_cast<std::size_t>(f + i - 1)]; };
    auto zastepczy = [&](int i) {
        const std::size_t j = static_cast<std::size_t>(f + i - 1);
        return j < zastepcze.size() && zastepcze[j];
    };
    if (typ <= 0 || typ >= static_cast<int>(TypyWykresu().size())) {
        for (int i = 1; i <= p; ++i)
            if (!zastepczy(i)) punkty.push_back({rok0 - 1 - p + i, punkt(i)});
        return punkty;
    }
    for (int i = 1; i <= p - 1; ++i) {
        const long double x1 = punkt(i), x2 = punkt(i + 1);
        long double y = 0;
        bool bezWartosci = zastepczy(i) || zastepczy(i + 1);
        auto iloraz = [&](long double a, long double b) -> long double {
            if (b != 0) return a / b;
            zero = true;
            bezWartosci = true;
            return 0;
        };
        switch (typ) {
            case 1: y = iloraz(x2, x1); break;
            case 2: y = iloraz(x2 - x1, x1); break;
            case 3: y = iloraz(x2 - x1, x2); break;
            default: y = x2 - x1; break;
        }
        if (!bezWartosci) punkty.push_back({rok0 - 1 - p + i, static_cast<double>(y)});
    }
    return punkty;
}

OsWykresu OsWartosciWykresu(const std::vector<PunktWykresu>& punkty) {
    OsWykresu os;
    if (punkty.empty()) return os;
    auto [lo, hi] = std::minmax_element(punkty.begin(), punkty.end(),
                                        [](const PunktWykresu& a, const PunktWykresu& b) { return a.Y < b.Y; });
    double y0 = lo->Y, y1 = hi->Y;
    if (!std::isfinite(y0) || !std::isfinite(y1)) return os;
    if (y1 - y0 <= std::abs(y1) * 1e-12) {  // one value: a band around it
        const double d = std::max(1.0, std::abs(y0) / 10);
        y0 -= d;
        y1 += d;
    }
    const double surowy = (y1 - y0) / 5;
    const double rzad = std::pow(10.0, std::floor(std::log10(surowy)));
    os.Krok = rzad;
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (m * rzad >= surowy) {
            os.Krok = m * rzad;
            break;
        }
    // A point on a multiple gets one more step of room.
    double k0 = std::floor(y0 / os.Krok), k1 = std::ceil(y1 / os.Krok);
    if (y0 - k0 * os.Krok < os.Krok * 0.05) k0 -= 1;
    if (k1 * os.Krok - y1 < os.Krok * 0.05) k1 += 1;
    os.Min = k0 * os.Krok;
    os.Max = k1 * os.Krok;
    const int miejsca = std::max(0, static_cast<int>(std::ceil(-std::log10(os.Krok) - 1e-9)));
    for (double k = k0; k <= k1 && os.Podzialki.size() < 64; k += 1) {
        const double v = k * os.Krok;
        char tekst[64];
        std::snprintf(tekst, sizeof tekst, "%.*f", miejsca, k == 0 ? 0.0 : v);
        os.Podzialki.emplace_back(v, tekst);
    }
    return os;
}

OsWykresu OsPrzebiegu(const OsWykresu& dotychczasowa, const std::vector<PunktWykresu>& punkty) {
    if (punkty.empty()) return OsWykresu{};
    if (dotychczasowa.Podzialki.empty()) return OsWartosciWykresu(punkty);
    const bool miesci = std::all_of(punkty.begin(), punkty.end(), [&](const PunktWykresu& p) {
        return p.Y >= dotychczasowa.Min && p.Y <= dotychczasowa.Max;
    });
    if (miesci) return dotychczasowa;
    std::vector<PunktWykresu> razem = punkty;
    razem.push_back({punkty.front().X, dotychczasowa.Min});
    razem.push_back({punkty.front().X, dotychczasowa.Max});
    return OsWartosciWykresu(razem);
}

const WidokWykresu& WykresWskaznika::UAktualnicWykres(Kontekst& k, PanelDefinicji& panel, OcenaWskaznika& ocena,
                                                      bool przelacz, ZrodloAktualizacji zrodlo) {
    if (trwa_) return Widok;
    trwa_ = true;
    struct Koniec {
        bool& f;
        ~Koniec() { f = false; }
    } koniec{trwa_};

    Widok.Komunikaty.clear();
    bool zero = false;
    const int glebokosc = GlebokoscWezla ? std::max(0, GlebokoscWezla()) : 0;
    const int h = std::clamp(Horyzont, 0, std::min(glebokosc, NajwiecejOkresowWykresu - 1));
    k.LiczbaPunktowWykresu = 3 * (h + 1);
    if (zrodlo == ZrodloAktualizacji::Okno && OdswiezWezel) OdswiezWezel();

    if (panel.Kompletny()) {
        if (przelacz) {
            Widok.Widoczny = !Widok.Widoczny;
            Widok.HoryzontWlaczony = Widok.Widoczny;
        }
        Oblicz(panel, ocena, k.RekordBiezacy);
        if (Widok.Widoczny) {
            Widok.Aktywny = false;
            const auto wezel = std::make_unique<StanModelu>(k.RekordBiezacy);
            WynikSerii s = SeriaWskaznika(k, panel, *wezel, h + 1);
            zero = s.Zero;
            Widok.Punkty.clear();
            if (!s.NieznanaPozycja) {
                Widok.Punkty = PunktyWykresu(s.Punkty, TypWykresu, h, wezel->Rok(), zero, s.Zastepcze);
                const int g = static_cast<int>(s.Punkty.size() / 3);
                if (g > 0) k.LiczbaPunktowWykresu = 3 * (std::min(h, g - 1) + 1);
            }
            if (!s.Komunikat.empty()) Widok.Komunikaty.push_back(s.Komunikat);
            Widok.Pusty = !Widok.Punkty.empty() ? std::string()
                          : s.NieznanaPozycja  ? std::string(BrakPunktowPozycji)
                          : zero               ? std::string(BrakPunktowZero)
                                               : std::string(BrakPunktow);
        }
    } else {
        // No indicator in the boxes: nothing of an earlier one is drawn.
        Widok.Punkty.clear();
        Widok.Pusty = BrakPunktow;
    }
    Widok.Os = TrzymajOs ? OsPrzebiegu(Widok.Os, Widok.Punkty) : OsWartosciWykresu(Widok.Punkty);
    if (Widok.Punkty.empty()) Widok.Os = OsWykresu{};
    if (Widok.Widoczny) {
        Widok.TypWlaczony = true;
        Widok.PodpowiedzWlaczona = false;
        Widok.Tytul = {panel.TekstListy.empty() ? std::string(NazwaNiezdefiniowana) : panel.TekstListy};
        if (TypWykresu > 0 && TypWykresu < static_cast<int>(TypyWykresu().size()))
            Widok.Tytul.push_back(std::string("(") + TypyWykresu()[static_cast<std::size_t>(TypWykresu)] + ")");
        Widok.TytulOsi = TytulOsiLat;
    } else {
        Widok.TypWlaczony = false;
        Widok.PodpowiedzWlaczona = true;
        Widok.Punkty.clear();
        Widok.Os = OsWykresu{};
        Widok.Pusty.clear();
    }
    if (zero) Widok.Komunikaty.push_back(TekstZeraWMianowniku);
    return Widok;
}

}  // namespace vesk
