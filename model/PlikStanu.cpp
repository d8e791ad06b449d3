#include "PlikStanu.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "FileSystem.h"
#include "IoError.h"
#include "MapaRekordu.h"
#include "Paths.h"
#include "Pomocnicze.h"

namespace vesk {

namespace {

constexpr const char* kOdczyt = "odczyt stanu modelu";

// The number of records of an open state file; nothing when its length is
// not a whole number of records or holds more records than nodes exist
// (what a killed save leaves is put right by NaprawPlikStanu first).
std::optional<std::size_t> liczbaRekordow(BinaryFile& plik) {
    std::optional<std::uint64_t> dlugosc = plik.size();
    if (!dlugosc || *dlugosc % RozmiarStanuModelu != 0) return std::nullopt;
    const std::uint64_t n = *dlugosc / RozmiarStanuModelu;
    if (n > static_cast<std::uint64_t>(NajwiecejRekordow)) return std::nullopt;
    return static_cast<std::size_t>(n);
}

std::uint64_t polozenie(std::size_t indeks) { return static_cast<std::uint64_t>(indeks) * RozmiarStanuModelu; }

// Reads record indeks (from 0) of a file whose length has been checked; a
// failure here is a fault of the medium and raises the input/output error.
void czytajRekord(BinaryFile& plik, const std::string& sciezka, std::size_t indeks, StanModelu& rec) {
    if (!plik.seek(polozenie(indeks)) || plik.read(rec.bajty.data(), rec.bajty.size()) != rec.bajty.size())
        throw IoError(sciezka, kOdczyt, "rekord " + std::to_string(indeks + 1) + " nie daje si\xEA odczyta\xE6");
}

// The node number (byte 0) of record indeks, read alone.
std::uint8_t numerRekordu(BinaryFile& plik, const std::string& sciezka, std::size_t indeks) {
    std::uint8_t numer = 0;
    if (!plik.seek(polozenie(indeks)) || plik.read(&numer, 1) != 1)
        throw IoError(sciezka, kOdczyt, "rekord " + std::to_string(indeks + 1) + " nie daje si\xEA odczyta\xE6");
    return numer;
}

std::string bajtyRekordu(const StanModelu& rec) {
    return std::string(reinterpret_cast<const char*>(rec.bajty.data()), rec.bajty.size());
}

std::vector<std::string> naprawZapis(const std::string& sciezka) {
    std::vector<std::string> naprawy;
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return naprawy;
    const std::optional<std::uint64_t> dlugosc = plik.size();
    if (!dlugosc) return naprawy;
    // Whole records, the nodes' and a spare at most.
    const std::size_t n = static_cast<std::size_t>(*dlugosc / RozmiarStanuModelu);
    if (n > static_cast<std::size_t>(NajwiecejRekordow) + 1) return naprawy;
    auto niezapisane = [&] { return IoError(sciezka, "naprawa pliku stanu", lastFileError()); };
    if (const std::uint64_t reszta = *dlugosc % RozmiarStanuModelu; reszta != 0) {
        plik.close();
        if (!truncateFile(sciezka, polozenie(n))) throw niezapisane();
        naprawy.push_back("niepelny ostatni rekord pliku " + sciezka + " (" + std::to_string(reszta) +
                          " bajt\xF3w) usuni\xEAty, " + std::to_string(n) + " pe\xB3nych rekord\xF3w zachowanych");
        if (!plik.open(sciezka, BinaryFile::Mode::Read)) return naprawy;
    }
    if (n < 2) return naprawy;
    const std::uint8_t ostatni = numerRekordu(plik, sciezka, n - 1);
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (numerRekordu(plik, sciezka, i) != ostatni) continue;
        auto kopia = std::make_unique<StanModelu>();
        czytajRekord(plik, sciezka, n - 1, *kopia);
        plik.close();
        if (!writeAt(sciezka, polozenie(i), bajtyRekordu(*kopia)) || !truncateFile(sciezka, polozenie(n - 1)))
            throw niezapisane();
        naprawy.push_back("przerwany zapis w\xEAz\xB3" "a " + std::to_string(ostatni) + " w pliku " + sciezka +
                          " dokonczony");
        break;
    }
    return naprawy;
}

std::string sciezkaZamiaru(const std::string& sciezka) { return sciezka + ".krok"; }

// The node numbers of the state file's records, in file order; nothing when
// it cannot be read as a state file.
std::optional<std::vector<int>> numeryRekordow(const std::string& sciezka) {
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return std::nullopt;
    std::optional<std::size_t> n = liczbaRekordow(plik);
    if (!n) return std::nullopt;
    std::vector<int> numery;
    for (std::size_t i = 0; i < *n; ++i) numery.push_back(numerRekordu(plik, sciezka, i));
    return numery;
}

// An intent left by a killed operation: done when its node is gone, else
// undone by dropping the records added since it was written.
void dokonczZamiar(const std::string& sciezka, std::vector<std::string>& naprawy) {
    const std::optional<std::vector<std::string>> linie = readTextLines(sciezkaZamiaru(sciezka));
    if (!linie) return;
    std::vector<int> przed;
    for (const std::string& l : *linie) {
        int n = 0;
        if (NumerZTekstu(l, n) && n <= NajwiekszyNumerWezla) przed.push_back(n);
    }
    const std::optional<std::vector<int>> teraz = numeryRekordow(sciezka);
    auto jest = [](const std::vector<int>& v, int n) { return std::find(v.begin(), v.end(), n) != v.end(); };
    if (teraz && przed.size() >= 2 && przed.size() == linie->size() && jest(*teraz, przed.front())) {
        przed.erase(przed.begin());
        BinaryFile plik;
        std::optional<std::string> bajty;
        if (plik.open(sciezka, BinaryFile::Mode::Read)) bajty = plik.readRest();
        if (!bajty) throw IoError(sciezka, kOdczyt, lastFileError());
        plik.close();
        std::string zostaje, usuniete;
        for (std::size_t i = 0; i < teraz->size(); ++i) {
            if (jest(przed, (*teraz)[i])) zostaje += bajty->substr(polozenie(i), RozmiarStanuModelu);
            else usuniete += " " + std::to_string((*teraz)[i]);
        }
        if (!usuniete.empty()) {
            if (!replaceFile(sciezka, zostaje, true)) throw IoError(sciezka, "naprawa pliku stanu", lastFileError());
            naprawy.push_back("przerwany krok co-jesli wycofany, usuniete wezly:" + usuniete);
        }
    }
    removeFile(sciezkaZamiaru(sciezka));
}

}  // namespace

bool ZapiszZamiar(const std::string& sciezka, int usuwany) {
    const std::optional<std::vector<int>> numery = numeryRekordow(sciezka);
    if (!numery) return false;
    std::vector<std::string> linie{std::to_string(usuwany)};
    for (int n : *numery) linie.push_back(std::to_string(n));
    return writeTextLines(sciezkaZamiaru(sciezka), linie);
}

void UsunZamiar(const std::string& sciezka) { removeFile(sciezkaZamiaru(sciezka)); }

std::vector<std::string> NaprawPlikStanu(const std::string& sciezka) {
    std::vector<std::string> naprawy = naprawZapis(sciezka);
    dokonczZamiar(sciezka, naprawy);
    return naprawy;
}

std::string SciezkaPlikuStanu(const Kontekst& k) { return joinPath(k.KatalogOperatora, k.NazwaPlikuStanu); }

bool ZapiszStanModelu(Kontekst& k, StanModelu& rec, std::uint8_t& numer, std::int16_t& rok,
                      std::uint8_t& znacznik, bool utworzNowy) {
    // A record numbered beyond the node table would make the file unreadable.
    if (rec.Numer() > NajwiekszyNumerWezla) return false;
    const std::string sciezka = SciezkaPlikuStanu(k);
    const std::string nowe = bajtyRekordu(rec);
    if (utworzNowy) {
        if (!replaceFile(sciezka, nowe)) return false;
    } else {
        // The order of the writes is the protocol in PlikStanu.h.
        BinaryFile plik;
        if (!plik.open(sciezka, BinaryFile::Mode::Read)) return false;
        std::optional<std::size_t> n = liczbaRekordow(plik);
        if (!n) {
            setLastFileError(0);
            return false;
        }
        std::optional<std::size_t> miejsce;
        for (std::size_t i = 0; i < *n && !miejsce; ++i)
            if (numerRekordu(plik, sciezka, i) == rec.Numer()) miejsce = i;
        if (!miejsce) {
            plik.close();
            if (*n >= static_cast<std::size_t>(NajwiecejRekordow) || !writeAt(sciezka, polozenie(*n), nowe))
                return false;
        } else {
            auto stary = std::make_unique<StanModelu>();
            czytajRekord(plik, sciezka, *miejsce, *stary);
            plik.close();
            if (!writeAt(sciezka, polozenie(*n), nowe)) return false;
            if (!writeAt(sciezka, polozenie(*miejsce), nowe)) {
                // Put the old record back and drop the spare: the save did
                // not happen. Should that fail too, the spare stays and the
                // next open finishes the save.
                const std::string blad = lastFileError();
                if (writeAt(sciezka, polozenie(*miejsce), bajtyRekordu(*stary))) truncateFile(sciezka, polozenie(*n));
                throw IoError(sciezka, "zapis w\xEAz\xB3" "a " + std::to_string(rec.Numer()), blad);
            }
            // A spare left by a failed cut is dropped by the next open.
            truncateFile(sciezka, polozenie(*n));
        }
    }
    numer = rec.Numer();
    rok = rec.Rok();
    znacznik = rec.Symulowany();
    return true;
}

bool ZnajdzStanModelu(Kontekst& k, const std::string& sciezka, std::uint8_t numer, StanModelu& rec) {
    (void)k;
    if (numer > NajwiekszyNumerWezla) return false;
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return false;
    std::optional<std::size_t> n = liczbaRekordow(plik);
    if (!n) return false;
    for (std::size_t i = 0; i < *n; ++i) {
        if (numerRekordu(plik, sciezka, i) != numer) continue;
        // Read aside first: a failed read leaves rec as it was.
        auto bufor = std::make_unique<StanModelu>();
        czytajRekord(plik, sciezka, i, *bufor);
        rec = *bufor;
        return true;
    }
    return false;
}

bool WczytajZespolWezlow(Kontekst& k, const std::string& katalog, const std::string& nazwa, ZESPOL& tabela,
                         StanModelu& rec, std::uint8_t& numer, std::int16_t& rok, std::uint8_t& znacznik) {
    const std::string sciezka = joinPath(katalog, nazwa);
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return false;
    std::optional<std::size_t> n = liczbaRekordow(plik);
    if (!n || *n == 0) return false;
    std::vector<StanModelu> rekordy(*n);
    for (std::size_t i = 0; i < *n; ++i) czytajRekord(plik, sciezka, i, rekordy[i]);
    plik.close();

    k.Okna->beep();
    ZESPOL nowa;
    nowa.Sciezka = sciezka;
    for (const StanModelu& r : rekordy) {
        const int w = r.Numer();
        if (w > NajwiekszyNumerWezla) continue;  // cannot be mirrored in the table
        nowa.Wpisy[w] = WpisWezla{r.Numer(), r.Rodzic(), r.Rok(), r.Symulowany()};
        nowa.Zajety[w] = true;
    }
    tabela = std::move(nowa);
    rec = rekordy.front();
    numer = 0;
    rok = -2;
    znacznik = 1;
    return true;
}

void ZapiszDecyzjeDoStanu(const ZmienneModelu& m, StanModelu& rec) {
    for (const PoleDecyzji& p : MapaDecyzji()) {
        rec.widok().check(p.offset, p.rozmiar);
        p.wielkosc.doRekordu(m, rec.bajty.data() + p.offset);
    }
}

void OdtworzDecyzjeZeStanu(const StanModelu& rec, ZmienneModelu& m) {
    for (const PoleDecyzji& p : MapaDecyzji()) {
        rec.widok().check(p.offset, p.rozmiar);
        p.wielkosc.zRekordu(rec.bajty.data() + p.offset, m);
    }
}

bool UstalNazwePlikuStanu(Kontekst& k) {
    const std::string nazwa = WyodrebnijNazwePliku(k.SciezkaOperatora);
    if (nazwa.empty()) {
        k.NazwaPlikuStanu.clear();
        return false;
    }
    k.NazwaPlikuStanu = nazwa + "qad";
    return true;
}

int SzukajWezla(const Kontekst& k, int numer) {
    for (int s = 0; s <= NajwiekszyNumerWezla; ++s)
        if (k.TabelaWezlow.Zajety[s] && k.TabelaWezlow.Wpisy[s].Numer == numer) return s;
    return 0;
}

int LiczbaWezlow(const ZESPOL& tabela) {
    int n = 0;
    for (bool z : tabela.Zajety) n += z ? 1 : 0;
    return n;
}

int WolnyNumerWezla(const Kontekst& k) {
    for (int numer = 1; numer <= NajwiekszyNumerWezla; ++numer) {
        bool zajety = false;
        for (int s = 1; s <= NajwiekszyNumerWezla && !zajety; ++s)
            zajety = k.TabelaWezlow.Zajety[s] && k.TabelaWezlow.Wpisy[s].Numer == numer;
        if (!zajety) return numer;
    }
    return NajwiekszyNumerWezla + 1;
}

}  // namespace vesk
