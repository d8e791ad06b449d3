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
// not a whole number of records or holds more records than nodes exist.
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

}  // namespace

std::string SciezkaPlikuStanu(const Kontekst& k) { return joinPath(k.KatalogOperatora, k.NazwaPlikuStanu); }

bool ZapiszStanModelu(Kontekst& k, StanModelu& rec, std::uint8_t& numer, std::int16_t& rok,
                      std::uint8_t& znacznik, bool utworzNowy) {
    // A record numbered beyond the node table would make the file unreadable.
    if (rec.Numer() > NajwiekszyNumerWezla) return false;
    const std::string sciezka = SciezkaPlikuStanu(k);
    // The whole new file is built here and replaces the old one only when it
    // is complete on the device: a failure at any point leaves the old file.
    std::string zawartosc;
    if (!utworzNowy) {
        BinaryFile plik;
        if (!plik.open(sciezka, BinaryFile::Mode::Read)) return false;
        std::optional<std::size_t> n = liczbaRekordow(plik);
        if (!n) return false;
        zawartosc.resize(polozenie(*n));
        if (!plik.seek(0) || plik.read(zawartosc.data(), zawartosc.size()) != zawartosc.size())
            throw IoError(sciezka, kOdczyt);
        plik.close();
        // rec replaces the first record of its node, or is appended.
        std::optional<std::size_t> miejsce;
        for (std::size_t i = 0; i < *n && !miejsce; ++i)
            if (static_cast<std::uint8_t>(zawartosc[polozenie(i)]) == rec.Numer()) miejsce = i;
        if (!miejsce) {
            if (*n >= static_cast<std::size_t>(NajwiecejRekordow)) return false;
            miejsce = *n;
            zawartosc.resize(polozenie(*n + 1));
        }
        std::copy(rec.bajty.begin(), rec.bajty.end(), zawartosc.begin() + static_cast<std::ptrdiff_t>(polozenie(*miejsce)));
    } else {
        zawartosc.assign(rec.bajty.begin(), rec.bajty.end());
    }
    // A node save keeps the name the file has; a new file takes the name given.
    if (!replaceFile(sciezka, zawartosc, !utworzNowy)) return false;
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
