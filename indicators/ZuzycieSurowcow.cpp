#include "ZuzycieSurowcow.h"

#include "OcenaWskaznika.h"
#include "Odczyty.h"
#include "Pomocnicze.h"
#include "PozycjaBilansu.h"
#include "Real48.h"

namespace vesk {

namespace {

constexpr std::size_t ZapasPoczatkowy = 2336;  // opening raw-material stocks, by material
constexpr std::size_t ZakupySurowcow = 2896;   // purchase orders, by year then material

std::string Rok(double r) { return RealNaTekst(r, 4, 0); }

}  // namespace

std::array<long double, 3> ZuzycieMaterialu(const std::array<long double, 3>& zamowienia, long double zapasPoczatkowy,
                                            const std::array<long double, 3>& zapasy) {
    std::array<long double, 3> z{};
    long double poprzedni = zapasPoczatkowy;
    for (std::size_t y = 0; y < 3; ++y) {
        z[y] = roundToReal48(zamowienia[y] - (zapasy[y] - poprzedni));
        poprzedni = zapasy[y];
    }
    return z;
}

long double ZapasPoczatkowySurowca(const StanModelu& rekord, int m) {
    if (rekord.Numer() == 0) return 0;
    return rekord.widok().real48(ZapasPoczatkowy + 6 * static_cast<std::size_t>(m - 1));
}

void ZuzycieSurowcow::Koncowka(const StanModelu& rekord) {
    const ByteView b = rekord.widok();
    for (int m = 1; m <= LiczbaSurowcow; ++m) {
        std::array<long double, 3> zamowienia{}, zapasy{};
        for (int y = 1; y <= 3; ++y) {
            zamowienia[static_cast<std::size_t>(y - 1)] =
                b.real48(ZakupySurowcow + 18 * static_cast<std::size_t>(y - 1) + 6 * static_cast<std::size_t>(m - 1));
            zapasy[static_cast<std::size_t>(y - 1)] = WartoscZapasow(rekord, m, 1, y);
        }
        const std::size_t i = static_cast<std::size_t>(m - 1);
        // A record from outside may hold purchases and stocks whose usages
        // or total the 6-byte real cannot take: those are shown as out of
        // range, never thrown.
        try {
            Zuzycie[i] = ZuzycieMaterialu(zamowienia, ZapasPoczatkowySurowca(rekord, m), zapasy);
            long double suma = 0;
            for (long double z : Zuzycie[i]) suma += z;
            ZuzycieLaczne[i] = roundToReal48(suma);
            InfoOZuzyciuM[i] = RealNaTekst(ZuzycieLaczne[i], 3, 2);
        } catch (const Real48Error&) {
            long double poprzedni = ZapasPoczatkowySurowca(rekord, m), suma = 0;
            for (std::size_t y = 0; y < 3; ++y) {
                Zuzycie[i][y] = zamowienia[y] - (zapasy[y] - poprzedni);
                poprzedni = zapasy[y];
                suma += Zuzycie[i][y];
            }
            ZuzycieLaczne[i] = suma;
            InfoOZuzyciuM[i] = "poza zakresem";
        }
        koloruj(m);
    }
    InfoOZuzyciu = "zu\xBFycie surowc\xF3w (W,B,R) tys. jedn. sur. [" + Rok(KomorkaBilansu(rekord, 0, 1)) + "-" +
                   Rok(KomorkaBilansu(rekord, 0, 3)) + "]";
}

void ZuzycieSurowcow::ZmianaGranicy(int m, const std::string& tekst) {
    if (m < 1 || m > LiczbaSurowcow) return;
    Granice[static_cast<std::size_t>(m - 1)] = tekst;
    koloruj(m);
}

void ZuzycieSurowcow::koloruj(int m) {
    const std::size_t i = static_cast<std::size_t>(m - 1);
    const std::optional<long double> granica = LiczbaProgu(Granice[i]);
    GranicaPoprawna[i] = granica.has_value();
    Czerwony[i] = granica && ZuzycieLaczne[i] >= *granica;
}

}  // namespace vesk
