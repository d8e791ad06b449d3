// The tree-file reader over arbitrary bytes: a tree or WorkbenchError,
// and a tree read back from its own lines is the same tree. A tree is then
// brought into line with records: its own (nothing to repair), and records
// whose parents and marks the input's bytes change (every record ends with
// one item, under its record's parent, with its record's mark). What the
// rebuild of an unreadable tree salvages of the bytes is a tree as well.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "DrzewoDecyzji.h"
#include "WorkbenchError.h"

namespace {

std::vector<vesk::WpisWezla> rekordyDrzewa(const vesk::DrzewoDecyzji& d) {
    std::vector<vesk::WpisWezla> w;
    for (int i = 0; i < d.Liczba(); ++i) {
        const int r = d.Rodzic(i);
        w.push_back(vesk::WpisWezla{static_cast<std::uint8_t>(d.Numer(i)),
                                    static_cast<std::uint8_t>(r < 0 ? 255 : d.Numer(r)),
                                    static_cast<std::int16_t>(2012 + 3 * d.Poziom(i)),
                                    static_cast<std::uint8_t>(d.Etykieta(i).rfind("d/r", 0) == 0 ? 1 : 0)});
    }
    return w;
}

void sprawdzZgodnosc(const vesk::DrzewoDecyzji& d, const std::vector<vesk::WpisWezla>& rekordy) {
    if (d.Liczba() != static_cast<int>(rekordy.size())) std::abort();
    for (const vesk::WpisWezla& r : rekordy) {
        const int i = d.Znajdz(r.Numer);
        if (i < 0 || d.Etykieta(i) != vesk::EtykietaWezla(r.Numer, r.Symulowany != 0)) std::abort();
        const int p = d.Rodzic(i);
        if ((p < 0 ? 255 : d.Numer(p)) != r.Rodzic) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bajty(reinterpret_cast<const char*>(data), size);
    // What a rebuild salvages of any bytes is a tree the reader takes back.
    {
        const vesk::DrzewoDecyzji odzyskane = vesk::DrzewoDecyzji::Odzyskaj(bajty);
        std::string tekst;
        for (const std::string& l : odzyskane.Linie()) tekst += l + "\r\n";
        if (!(vesk::DrzewoDecyzji::ZTekstu(tekst, "fuzz.tr1") == odzyskane)) std::abort();
    }
    try {
        vesk::DrzewoDecyzji d = vesk::DrzewoDecyzji::ZTekstu(bajty, "fuzz.tr1");
        std::string tekst;
        for (const std::string& l : d.Linie()) tekst += l + "\r\n";
        if (!(vesk::DrzewoDecyzji::ZTekstu(tekst, "fuzz.tr1") == d)) std::abort();

        const std::vector<vesk::WpisWezla> wlasne = rekordyDrzewa(d);
        vesk::DrzewoDecyzji zgodne = d;
        if (!vesk::UzgodnijZRekordami(zgodne, wlasne).empty() || !(zgodne == d)) std::abort();

        // Records from the input's last bytes: each node but the root either
        // dropped (with its branch), kept, or moved under a node before it.
        std::vector<vesk::WpisWezla> inne;
        std::vector<bool> jest(256, false);
        jest[0] = true;
        inne.push_back(wlasne.front());
        for (std::size_t i = 1; i < wlasne.size(); ++i) {
            const std::uint8_t b = data[size - 1 - (i % size)];
            vesk::WpisWezla r = wlasne[i];
            if (!jest[r.Rodzic] || b % 4 == 0) continue;
            if (b % 4 == 1) r.Rodzic = inne[b % inne.size()].Numer;
            r.Symulowany = static_cast<std::uint8_t>((b >> 2) & 1);
            jest[r.Numer] = true;
            inne.push_back(r);
        }
        vesk::DrzewoDecyzji uzgodnione = d;
        vesk::UzgodnijZRekordami(uzgodnione, inne);
        sprawdzZgodnosc(uzgodnione, inne);

        d.Sortuj();
        for (int i = 0; i < d.Liczba(); ++i) (void)d.Dzieci(i);
    } catch (const vesk::WorkbenchError&) {
    }
    return 0;
}
