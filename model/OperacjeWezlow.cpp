#include "OperacjeWezlow.h"

#include <array>
#include <exception>
#include <memory>

#include "Deklaracje.h"
#include "FileSystem.h"
#include "Inicjalizacja.h"
#include "IoError.h"
#include "MapaRekordu.h"
#include "Parametry.h"
#include "Paths.h"
#include "PlikStanu.h"
#include "Pomocnicze.h"
#include "Symulacja.h"
#include "Zerowanie.h"

namespace vesk {

namespace {
// The fields of the snapshot, the same names in the context: one list for
// both directions.
template <typename Do, typename Z>
void przepiszStanOperatora(Do& d, const Z& z) {
    d.SciezkaOperatora = z.SciezkaOperatora;
    d.KatalogOperatora = z.KatalogOperatora;
    d.NazwaPlikuStanu = z.NazwaPlikuStanu;
    d.PlikDrzewa = z.PlikDrzewa;
    d.TabelaWezlow = z.TabelaWezlow;
    d.ZespolZapasowy = z.ZespolZapasowy;
    d.RekordBiezacy = z.RekordBiezacy;
    d.RekordPomocniczy = z.RekordPomocniczy;
    d.NumerWezla = z.NumerWezla;
    d.RokWezla = z.RokWezla;
    d.ZnacznikWezla = z.ZnacznikWezla;
    d.FlagiWynikow = z.FlagiWynikow;
    d.m = z.m;
}
}  // namespace

MigawkaOperatora::MigawkaOperatora(const Kontekst& k) { przepiszStanOperatora(*this, k); }

void MigawkaOperatora::Przywroc(Kontekst& k) const { przepiszStanOperatora(k, *this); }

namespace {

// The screen table of the console decision screen: [year][item] of the
// production, price and purchase decisions, then dividend, debt and issue.
struct TabelaEkranu {
    R33 Produkcja, Ceny, Zakupy;
    R3 Dywidenda, Zadluzenie, Emisja;
};

TabelaEkranu tabelaEkranu(const ZmienneModelu& m) {
    TabelaEkranu t;
    for (int r = 1; r <= 3; ++r) {
        for (int i = 1; i <= 3; ++i) {
            t.Produkcja[r][i] = m.DecyzjeProdukcji[r][i];
            t.Ceny[r][i] = m.DecyzjeCen[r][i] * 1000.0L;
            t.Zakupy[r][i] = m.DecyzjeZakupuSurowcow[r][i];
        }
        t.Dywidenda[r] = m.UdzialDywidendyZwyklej[r] * 100.0L;
        t.Zadluzenie[r] = m.DecyzjeZadluzenia[r] * 100.0L;
        t.Emisja[r] = m.EmisjaAkcji[r];
    }
    return t;
}

void decyzjeZTabeli(const TabelaEkranu& t, ZmienneModelu& m) {
    for (int r = 1; r <= 3; ++r) {
        for (int i = 1; i <= 3; ++i) {
            m.DecyzjeProdukcji[r][i] = t.Produkcja[r][i];
            m.DecyzjeCen[r][i] = t.Ceny[r][i] / 1000.0L;
            m.DecyzjeZakupuSurowcow[r][i] = t.Zakupy[r][i];
        }
        m.UdzialDywidendyZwyklej[r] = t.Dywidenda[r] / 100.0L;
        m.DecyzjeZadluzenia[r] = t.Zadluzenie[r] / 100.0L;
        m.EmisjaAkcji[r] = t.Emisja[r];
    }
}

int pierwszyWolnySlot(const ZESPOL& t) {
    for (int s = 1; s <= 50; ++s)
        if (!t.Zajety[s]) return s;
    return 0;
}

}  // namespace

void TabelaInwestycji(Kontekst& k) {
    k.HarmonogramInwestycjiRoboczy = Harmonogram{};
    k.ZnacznikiInwestycji.fill(false);
}

int EkranInwestycji(Kontekst& k, int tryb) {
    (void)tryb;
    TabelaEkranu t = tabelaEkranu(k.m);
    TabelaInwestycji(k);
    decyzjeZTabeli(t, k.m);
    return 1;
}

namespace {

// What a new node changes besides the operator: put back when it fails
// with an error (a template decision the screen's scaling cannot hold, a
// record that cannot be read).
struct StanNowegoWezla {
    MigawkaOperatora Operator;
    std::int32_t NumerNowegoWezla;
    Harmonogram HarmonogramInwestycjiRoboczy;
    std::array<bool, 72> ZnacznikiInwestycji;

    explicit StanNowegoWezla(const Kontekst& k)
        : Operator(k),
          NumerNowegoWezla(k.NumerNowegoWezla),
          HarmonogramInwestycjiRoboczy(k.HarmonogramInwestycjiRoboczy),
          ZnacznikiInwestycji(k.ZnacznikiInwestycji) {}

    void Przywroc(Kontekst& k) const {
        Operator.Przywroc(k);
        k.NumerNowegoWezla = NumerNowegoWezla;
        k.HarmonogramInwestycjiRoboczy = HarmonogramInwestycjiRoboczy;
        k.ZnacznikiInwestycji = ZnacznikiInwestycji;
    }
};

bool nowyWezel(Kontekst& k);

}  // namespace

bool NowyWezel(Kontekst& k, std::uint8_t proponowany) {
    (void)proponowany;
    if (k.NazwaPlikuStanu.empty()) return false;
    const auto przed = std::make_unique<StanNowegoWezla>(k);
    setLastFileError(0);
    try {
        if (nowyWezel(k)) return true;
    } catch (const Real48Error&) {
        // Only a damaged record holds a decision the screen's scale cannot take.
        k.Okna->message("Rekord w\xEAz\xB3" "a " + k.WezelDoEdycji.NumerTekst + " w pliku " + SciezkaPlikuStanu(k) +
                        " jest uszkodzony: jego decyzja przekracza zakres liczby 6-bajtowej");
    } catch (const std::exception& e) {
        k.Okna->message(e.what());
    }
    // Nothing of a failed add stays: the operator remains open and usable,
    // so a later add (once the disk has room again) can succeed.
    przed->Przywroc(k);
    return false;
}

namespace {

bool nowyWezel(Kontekst& k) {
    int szablon = 0, baza = 0;
    if (!NumerZTekstu(k.WezelDoEdycji.NumerTekst, szablon) || szablon > 50) return false;
    if (!NumerZTekstu(k.WezelBazowy.NumerTekst, baza) || baza > 50) return false;
    auto zapas = std::make_unique<StanModelu>(k.RekordBiezacy);

    // The template's decisions go into the decision quantities.
    ZnajdzStanModelu(k, SciezkaPlikuStanu(k), static_cast<std::uint8_t>(szablon), k.RekordBiezacy);
    OdtworzDecyzjeZeStanu(k.RekordBiezacy, k.m);
    DomyslneWariantyInwestycji(k.m);
    k.ZnacznikiInwestycji.fill(false);

    const int slot = pierwszyWolnySlot(k.TabelaWezlow);
    if (slot == 0 || !ZnajdzStanModelu(k, SciezkaPlikuStanu(k), static_cast<std::uint8_t>(szablon), k.RekordBiezacy)) {
        k.RekordBiezacy = *zapas;
        return false;
    }
    k.RekordPomocniczy = *zapas;

    OdtworzDecyzjeZeStanu(k.RekordBiezacy, k.m);
    EkranInwestycji(k, 2);

    const int numer = WolnyNumerWezla(k);
    StanModelu& rec = k.RekordBiezacy;
    rec.UstawNumer(static_cast<std::uint8_t>(numer));
    k.NumerNowegoWezla = numer;
    rec.UstawRok(static_cast<std::int16_t>(k.TabelaWezlow.Wpisy[SzukajWezla(k, baza)].Rok + 3));
    rec.UstawRodzica(static_cast<std::uint8_t>(baza));
    rec.UstawSymulowany(0);

    ZapiszDecyzjeDoStanu(k.m, rec);
    k.m.HarmonogramInwestycji = k.HarmonogramInwestycjiRoboczy;
    // A node must never start from a state other than its parent's.
    if (!PrzeniesStanZRodzica(k, static_cast<std::uint8_t>(baza), rec)) {
        const std::string powod = lastFileError();
        throw IoError(SciezkaPlikuStanu(k), "odczyt rekordu w\xEAz\xB3" "a bazowego " + std::to_string(baza),
                      powod.empty() ? "brak rekordu" : powod);
    }

    k.TabelaWezlow.Zajety[slot] = true;
    k.TabelaWezlow.Wpisy[slot] = WpisWezla{rec.Numer(), rec.Rodzic(), rec.Rok(), rec.Symulowany()};

    return ZapiszStanModelu(k, rec, k.NumerWezla, k.RokWezla, k.ZnacznikWezla);
}

}  // namespace

bool SymulujWezel(Kontekst& k) {
    StanModelu& rec = k.RekordBiezacy;
    if (k.NazwaPlikuStanu.empty() || rec.Symulowany() != 0) return false;
    // The run takes the node number and its calendar start from the record it
    // simulates, never from what an earlier command left in NumerWezla.
    const std::uint8_t numer = rec.Numer();
    const std::int16_t rok = rec.Rok();
    if (numer > 50) return false;

    // A failed run puts the record back as it was (the run writes its
    // results and extremes into it as it goes).
    const auto przed = std::make_unique<StanModelu>(rec);
    ZmienneModelu& m = k.m;
    bool ok = false;
    try {
        ZerujZmienneModelu2(k);
        ZerujZmienneModelu1(k);
        WczytajParametryModelu(k);
        WczytajStanOtwarcia(k, rec);
        OdtworzDecyzjeZeStanu(rec, m);
        m.CzasSymulacji = 0;
        m.RokKalendarzowy = rok;
        m.CzasPolroczny = rok;
        m.RokOkresu = rok;
        m.RokSymulacji = 1;
        ZerujEkstremaStanu(rec);
        ok = Symulacja(k, numer);
    } catch (const std::exception& e) {
        k.Okna->message(e.what());
        ok = false;
    }
    if (!ok) {
        rec = *przed;
        return false;
    }
    rec.UstawSymulowany(1);
    bool zapisano = false;
    try {
        zapisano = ZapiszStanModelu(k, rec, k.NumerWezla, k.RokWezla, k.ZnacznikWezla);
    } catch (const std::exception& e) {
        k.Okna->message(e.what());
    }
    if (!zapisano) {
        rec = *przed;
        return false;
    }
    const int slot = SzukajWezla(k, numer);
    if (k.TabelaWezlow.Zajety[slot] && k.TabelaWezlow.Wpisy[slot].Numer == numer)
        k.TabelaWezlow.Wpisy[slot].Symulowany = 1;
    UstawFlagiWynikow(k, true);
    return true;
}

bool UtworzStanOperatora(Kontekst& k, const std::string& plik) {
    const auto przed = std::make_unique<MigawkaOperatora>(k);
    k.RekordPomocniczy = k.RekordBiezacy;
    if (!k.TabelaWezlow.Sciezka.empty() && IstniejePlik(k.TabelaWezlow.Sciezka)) k.ZespolZapasowy = k.TabelaWezlow;
    auto wycofaj = [&] {
        przed->Przywroc(k);
        return false;
    };

    if (!UstalNazwePlikuStanu(k)) return wycofaj();  // a stem without a name
    k.KatalogOperatora = normalizeFolder(WyodrebnijKatalog(k.SciezkaOperatora));
    const std::string sciezka = SciezkaPlikuStanu(k);

    k.TabelaWezlow = ZESPOL{};
    k.TabelaWezlow.Sciezka = sciezka;
    k.TabelaWezlow.Zajety[0] = true;
    k.RokWezla = 2012;
    k.NumerWezla = 0;
    // A new root starts from an empty record, whatever the buffer held.
    k.RekordBiezacy = StanModelu{};
    ZerujEkstremaStanu(k.RekordBiezacy);

    // A simulation refused (its parameter file unreadable) has said why:
    // no file error of its own is left for the caller to blame the state
    // file with.
    try {
        if (!Symulacja(k, 0)) {
            setLastFileError(0);
            return wycofaj();
        }
    } catch (const std::exception& e) {
        k.Okna->message(e.what());
        setLastFileError(0);
        return wycofaj();
    }

    StanModelu& rec = k.RekordBiezacy;
    ZapiszDecyzjeDoStanu(k.m, rec);
    rec.UstawNumer(0);
    rec.UstawRodzica(255);
    rec.UstawRok(2012);
    rec.UstawSymulowany(1);
    k.TabelaWezlow.Wpisy[0] = WpisWezla{0, 255, 2012, 1};

    // The new file is written beside the old one and replaces it only when
    // it is complete.
    bool zapisano = false;
    try {
        zapisano = ZapiszStanModelu(k, rec, k.NumerWezla, k.RokWezla, k.ZnacznikWezla, true, plik);
    } catch (const std::exception& e) {
        k.Okna->message(e.what());
    }
    if (!zapisano) return wycofaj();
    UstawFlagiWynikow(k, true);
    return true;
}

bool WczytajStanOperatora(Kontekst& k, const std::string& sciezka) {
    const auto przed = std::make_unique<MigawkaOperatora>(k);
    k.RekordPomocniczy = k.RekordBiezacy;
    if (!k.TabelaWezlow.Sciezka.empty() && IstniejePlik(k.TabelaWezlow.Sciezka)) k.ZespolZapasowy = k.TabelaWezlow;

    // The name is the part after the last separator or drive colon.
    std::string nazwa = sciezka;
    auto p = nazwa.find_last_of("\\/:");
    if (p != std::string::npos) nazwa = nazwa.substr(p + 1);

    bool wczytano = false;
    try {
        wczytano = !nazwa.empty() && WczytajZespolWezlow(k, k.KatalogOperatora, nazwa, k.TabelaWezlow,
                                                         k.RekordBiezacy, k.NumerWezla, k.RokWezla, k.ZnacznikWezla);
    } catch (const std::exception& e) {
        k.Okna->message(e.what());
    }
    if (!wczytano) {
        przed->Przywroc(k);
        return false;
    }
    k.NazwaPlikuStanu = nazwa;
    UstawFlagiWynikow(k, true);
    return true;
}

void WyczyscPrzebiegiWezla(Kontekst& k, int numer) {
    if (!k.Historia || numer < 0 || numer > NajwiekszyNumerWezla) return;
    Przebiegi& h = *k.Historia;
    h.Przebieg1[numer] = SeriaWezla{};
    h.Przebieg2[numer] = SeriaWezla{};
    for (int p = 1; p <= 3; ++p) {
        h.Przebieg3[p][numer] = SeriaWezla{};
        h.Przebieg4[p][numer] = SeriaWezla{};
    }
}

void WyczyscPrzebiegi(Kontekst& k, int zachowany) {
    for (int n = 0; n <= NajwiekszyNumerWezla; ++n)
        if (n != zachowany) WyczyscPrzebiegiWezla(k, n);
}

}  // namespace vesk
