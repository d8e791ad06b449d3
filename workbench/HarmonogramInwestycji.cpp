#include "HarmonogramInwestycji.h"

#include "FormularzDecyzji.h"

namespace vesk {

bool ZbudujHarmonogramInwestycji(Kontekst& k, StanModelu& rec) {
    Harmonogram h;
    const long double rok = rec.Rok();
    for (int p = 1; p <= 3; ++p)
        for (int y = 1; y <= 3; ++y)
            for (int e = 1; e <= 2; ++e) {
                const std::uint8_t kod = rec.bajty[OffsetInwestycji(p, y, e)];
                if (kod > 8) return false;
                if (kod == 0) continue;
                WpisHarmonogramu& w = h[p][y][e];
                w.UstawKodWariantu(kod);
                const long double start = rok + y - 1;
                w.UstawStart(start);
                w.UstawKoniec(start + k.m.WariantyInwestycji[kod - 1].CzasRealizacji);
            }
    HarmonogramDoBajtow(h, rec.bajty.data() + OffsetInwestycji(1, 1, 1));
    k.HarmonogramInwestycjiRoboczy = h;
    return true;
}

}  // namespace vesk
