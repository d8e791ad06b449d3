#include "PlikStanu.h"

#include <algorithm>
#include <cerrno>
#include <array>
#include <string_view>
#include <tuple>
#include <memory>
#include <optional>
#include <vector>

#include "CodePage.h"
#include "FileSystem.h"
#include "IoError.h"
#include "Liczebniki.h"
#include "MapaRekordu.h"
#include "Paths.h"
#include "Pomocnicze.h"

namespace vesk {

namespace {

constexpr const char* kOdczyt = "odczyt stanu modelu";

// The number of records of an open state file; nothing when its length is
// not a whole number of records or holds more records than nodes exist
// (what a killed save leaves is put right when the operator opens). A
// length that cannot be told is a fault of the medium, raised as such.
std::optional<std::size_t> liczbaRekordow(BinaryFile& plik, const std::string& sciezka) {
    std::optional<std::uint64_t> dlugosc = plik.size();
    if (!dlugosc) throw IoError(sciezka, kOdczyt, withFileError("nie uda\xB3o si\xEA sprawdzi\xE6 d\xB3ugo\x9C" "ci pliku"));
    if (*dlugosc % RozmiarStanuModelu != 0) return std::nullopt;
    const std::uint64_t n = *dlugosc / RozmiarStanuModelu;
    if (n > static_cast<std::uint64_t>(NajwiecejRekordow)) return std::nullopt;
    return static_cast<std::size_t>(n);
}

std::uint64_t polozenie(std::size_t indeks) { return static_cast<std::uint64_t>(indeks) * RozmiarStanuModelu; }

// Reads record indeks (from 0) of a file whose length has been checked; a
// failure here is a fault of the medium and raises the input/output error.
void czytajRekord(BinaryFile& plik, const std::string& sciezka, std::size_t indeks, StanModelu& rec) {
    if (!plik.seek(polozenie(indeks)) || plik.read(rec.bajty.data(), rec.bajty.size()) != rec.bajty.size())
        throw IoError(sciezka, kOdczyt, plik.failureText("rekord " + std::to_string(indeks + 1) + " nie daje si\xEA odczyta\xE6"));
}

// The node number (byte 0) of record indeks, read alone.
std::uint8_t numerRekordu(BinaryFile& plik, const std::string& sciezka, std::size_t indeks) {
    std::uint8_t numer = 0;
    if (!plik.seek(polozenie(indeks)) || plik.read(&numer, 1) != 1)
        throw IoError(sciezka, kOdczyt, plik.failureText("rekord " + std::to_string(indeks + 1) + " nie daje si\xEA odczyta\xE6"));
    return numer;
}

std::string bajtyRekordu(const StanModelu& rec) {
    return std::string(reinterpret_cast<const char*>(rec.bajty.data()), rec.bajty.size());
}

std::string sciezkaZamiaru(const std::string& sciezka) { return sciezka + ".krok"; }
std::string sciezkaDziennika(const std::string& sciezka) { return sciezka + ZapisWToku; }

// The journal and the intent are named in the state file's spelling
// exactly: those of an operator whose name differs only in letter case
// ("t.qad.zapis" beside "T.qad") are never read, replaced or removed.
template <class Dzialanie>
auto dokladnie(Dzialanie dzialanie) {
    const ExactFileNames scisle;
    return dzialanie();
}

// The node numbers of the state file's records, in file order; nothing when
// it cannot be read as a state file.
std::optional<std::vector<int>> numeryRekordow(const std::string& sciezka) {
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) return std::nullopt;
    std::optional<std::size_t> n = liczbaRekordow(plik, sciezka);
    if (!n) return std::nullopt;
    std::vector<int> numery;
    for (std::size_t i = 0; i < *n; ++i) numery.push_back(numerRekordu(plik, sciezka, i));
    return numery;
}

// ------------------------------------------------------------ the journal
//
// "VESKZAP2", the record's place (one byte), its node number (one byte),
// the new record, the record it replaces, and the FNV-1a hash of all that
// (8 bytes, little-endian). The replaced record ties the journal to the
// file it was written for: it is applied only where the place still holds
// a mix of the two (the write over it cut short) and never over a file
// that was replaced since. An older program's journal ("VESKZAP1") lacks
// the replaced record.

constexpr std::string_view kZnakDziennika = "VESKZAP2";
constexpr std::string_view kZnakDziennika1 = "VESKZAP1";
constexpr std::size_t kDlugoscDziennika = kZnakDziennika.size() + 2 + 2 * RozmiarStanuModelu + 8;
constexpr std::size_t kDlugoscDziennika1 = kZnakDziennika1.size() + 2 + RozmiarStanuModelu + 8;

std::uint64_t skrot(std::string_view b) {
    std::uint64_t h = 14695981039346656037ull;
    for (char c : b) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    return h;
}

std::string dziennik(std::size_t miejsce, const std::string& rekord, const std::string& stary) {
    std::string d(kZnakDziennika);
    d += static_cast<char>(miejsce);
    d += rekord.front();
    d += rekord;
    d += stary;
    const std::uint64_t h = skrot(d);
    for (int i = 0; i < 8; ++i) d += static_cast<char>((h >> (8 * i)) & 0xFF);
    return d;
}

struct Dziennik {
    std::size_t miejsce = 0;
    std::uint8_t numer = 0;
    std::string rekord;
    // Empty in an older program's journal.
    std::string stary;
};

// A journal that proves itself whole: nothing for any other bytes.
std::optional<Dziennik> rozbierzDziennik(const std::string& d) {
    const bool starszy = d.size() == kDlugoscDziennika1 && d.compare(0, kZnakDziennika1.size(), kZnakDziennika1) == 0;
    if (!starszy && (d.size() != kDlugoscDziennika || d.compare(0, kZnakDziennika.size(), kZnakDziennika) != 0))
        return std::nullopt;
    const std::size_t tresc = d.size() - 8;
    std::uint64_t h = 0;
    for (int i = 7; i >= 0; --i) h = (h << 8) | static_cast<unsigned char>(d[tresc + static_cast<std::size_t>(i)]);
    if (h != skrot(std::string_view(d).substr(0, tresc))) return std::nullopt;
    const std::size_t naglowek = kZnakDziennika.size() + 2;
    Dziennik z;
    z.miejsce = static_cast<unsigned char>(d[kZnakDziennika.size()]);
    z.numer = static_cast<std::uint8_t>(d[kZnakDziennika.size() + 1]);
    z.rekord = d.substr(naglowek, RozmiarStanuModelu);
    if (!starszy) z.stary = d.substr(naglowek + RozmiarStanuModelu, RozmiarStanuModelu);
    if (static_cast<std::uint8_t>(z.rekord.front()) != z.numer) return std::nullopt;
    if (!starszy && static_cast<std::uint8_t>(z.stary.front()) != z.numer) return std::nullopt;
    return z;
}

// What a journal found beside the state file means for it.
enum class Rozliczenie {
    Zakonczony,  // its place holds its record: the save is complete
    Dokonczyc,   // its place holds the replaced record or a mix of both
    Obcy,        // its place holds another record: written for another file
    Starszy,     // an older program's, its place holding another copy of the node
    Nieczytelny, // not a whole journal: never committed
};

struct OcenaDziennika {
    Rozliczenie r = Rozliczenie::Nieczytelny;
    std::optional<Dziennik> d;
};

OcenaDziennika ocenDziennik(const std::string& stan, const std::string& bajty) {
    OcenaDziennika o;
    o.d = rozbierzDziennik(bajty);
    if (!o.d) return o;
    const std::size_t rs = RozmiarStanuModelu, od = o.d->miejsce * rs;
    if (o.d->miejsce >= stan.size() / rs || static_cast<std::uint8_t>(stan[od]) != o.d->numer) {
        o.r = Rozliczenie::Obcy;
    } else if (stan.compare(od, rs, o.d->rekord) == 0) {
        o.r = Rozliczenie::Zakonczony;
    } else if (o.d->stary.empty()) {
        o.r = Rozliczenie::Starszy;
    } else {
        o.r = Rozliczenie::Dokonczyc;
        for (std::size_t i = 0; i < rs && o.r == Rozliczenie::Dokonczyc; ++i)
            if (stan[od + i] != o.d->rekord[i] && stan[od + i] != o.d->stary[i]) o.r = Rozliczenie::Obcy;
    }
    return o;
}

// Takes away the journal of a save that did not happen: removed, or where
// that fails, replaced by one whose record is the replaced one, which
// finishes nothing. Empty when done, else what to add to the save's error.
std::string porzucDziennik(const std::string& zapis, std::size_t miejsce, const std::string& stary) {
    const ExactFileNames scisle;
    if (removeFile(zapis)) return {};
    const std::string blad = lastFileError();
    if (replaceFile(zapis, dziennik(miejsce, stary, stary))) return {};
    return "; plik " + zapis + " nie daje si\xEA usun\xB9\xE6: " + blad;
}

// --------------------------------------------------------- the open check

// The file read whole when it is a regular file of at most limit bytes;
// otherwise why not, as the end of a sentence that names the file.
// A journal or intent (BinaryFile::Mode::ReadLeftover) is read only where
// it is a file this program left: anything else there (obcy) is unread.
struct Odczyt {
    std::optional<std::string> bajty;
    std::string blad;
    bool brak = false, obcy = false;
};

Odczyt czytajPlik(const std::string& sciezka, std::uint64_t limit, const std::string& czego,
                  BinaryFile::Mode tryb = BinaryFile::Mode::Read) {
    Odczyt o;
    BinaryFile plik;
    if (!plik.open(sciezka, tryb)) {
        std::string blad = lastFileError();
        if ((o.obcy = plik.foreign())) {
            o.blad = ": " + blad;
            return o;
        }
        const bool jest = findExisting(sciezka).has_value();
        // A look that could not tell (a link to nothing among them) says
        // its own reason.
        if (!jest && lookupError()) blad = lastFileError();
        o.brak = !jest && lookupError() == 0;
        o.blad = o.brak ? " nie istnieje" : ": " + blad;
        return o;
    }
    const std::optional<std::uint64_t> dlugosc = plik.size();
    if (!dlugosc) {
        o.blad = withFileError(" nie daje si\xEA odczyta\xE6");
        return o;
    }
    if (*dlugosc > limit) {
        o.blad = " jest za d\xB3ugi (" + LiczbaBajtow(*dlugosc) + "; " + czego + ")";
        return o;
    }
    std::string b(static_cast<std::size_t>(*dlugosc), '\0');
    if (plik.read(b.data(), b.size()) != b.size() || plik.failed()) {
        o.blad = plik.failureText(" nie daje si\xEA odczyta\xE6");
        return o;
    }
    o.bajty = std::move(b);
    return o;
}

// The journal or intent beside a state file, read as spelt where it is
// one this program left.
Odczyt czytajPozostalosc(const std::string& sciezka, std::uint64_t limit) {
    return dokladnie([&] { return czytajPlik(sciezka, limit, "to nie jest plik tego programu", BinaryFile::Mode::ReadLeftover); });
}

std::string wezel(int n) { return "w\xEAz\xB3" "a " + std::to_string(n); }

// A word of a repair's text in its two forms: the repair done, and to be
// done. Every text of the repairs is built of these, so that an open that
// may not write says what it would do, never that it was done.
struct Forma {
    const char* zrobiona;
    const char* doZrobienia;
};
constexpr Forma Usuniety{"usuni\xEAty", "do usuni\xEA" "cia"}, Usunieta{"usuni\xEAta", "do usuni\xEA" "cia"},
                Usunieto{"usuni\xEAto", "do usuni\xEA" "cia"}, Zachowanych{"zachowanych", "do zachowania"},
                Dokonczony{"doko\xF1" "czony", "do doko\xF1" "czenia"},
                PominietyIUsuniety{"pomini\xEAty i usuni\xEAty", "do pomini\xEA" "cia i usuni\xEA" "cia"},
                Wycofany{"wycofany", "do wycofania"}, UsunieteWezly{"usuni\xEAte w\xEAz\xB3y", "w\xEAz\xB3y do usuni\xEA" "cia"};

struct Czesc {
    std::string zrobiona, doZrobienia;
    Czesc(std::string t) : zrobiona(t), doZrobienia(std::move(t)) {}
    Czesc(const char* t) : Czesc(std::string(t)) {}
    Czesc(Forma f) : zrobiona(f.zrobiona), doZrobienia(f.doZrobienia) {}
};

// Adds a repair, its parts in order, to the plan, and the text of it done
// to the repairs of the file's bytes, or for the journal's removal
// (dziennika) to what ZapiszNaprawe says once the journal is removed.
void dodajNaprawe(OcenaPlikuStanu& o, std::initializer_list<Czesc> czesci, bool dziennika = false) {
    std::string zrobiona, plan;
    for (const Czesc& c : czesci) {
        zrobiona += c.zrobiona;
        plan += c.doZrobienia;
    }
    o.plan.push_back(std::move(plan));
    if (dziennika) o.dziennikUsuniety = std::move(zrobiona);
    else o.naprawy.push_back(std::move(zrobiona));
}

// The first fault of the records' headers against each other, as a text
// naming the file, the record and its field; empty when there is none.
std::string sprawdzNaglowki(const std::string& sciezka, const std::vector<WpisWezla>& w) {
    const std::string plik = "Plik stanu " + sciezka;
    if (w.empty()) return plik + " nie ma rekordu w\xEAz\xB3" "a 0";
    auto rekord = [&](std::size_t i) {
        return plik + ", rekord " + std::to_string(i + 1) + " (w\xEAze\xB3 " + std::to_string(w[i].Numer) + "): ";
    };
    std::array<int, 256> gdzie;
    gdzie.fill(-1);
    for (std::size_t i = 0; i < w.size(); ++i) {
        const int n = w[i].Numer;
        if (n > NajwiekszyNumerWezla)
            return rekord(i) + "numer w\xEAz\xB3" "a " + std::to_string(n) + " spoza zakresu 0.." +
                   std::to_string(NajwiekszyNumerWezla);
        if (gdzie[static_cast<std::size_t>(n)] >= 0)
            return rekord(i) + "numer w\xEAz\xB3" "a " + std::to_string(n) + " ma ju\xBF rekord " +
                   std::to_string(gdzie[static_cast<std::size_t>(n)] + 1) + " - nie wiadomo, kt\xF3ry jest w\xB3" "a\x9C" "ciwy";
        gdzie[static_cast<std::size_t>(n)] = static_cast<int>(i);
    }
    if (w.front().Numer != 0) {
        if (gdzie[0] < 0) return plik + " nie ma rekordu w\xEAz\xB3" "a 0";
        return rekord(0) + "pierwszy rekord nie jest rekordem w\xEAz\xB3" "a 0 (ten jest rekordem " +
               std::to_string(gdzie[0] + 1) + ")";
    }
    const WpisWezla& korzen = w.front();
    if (korzen.Rodzic != BrakRodzica)
        return rekord(0) + "w\xEAze\xB3 nadrz\xEA" "dny " + std::to_string(korzen.Rodzic) + ", a korze\xF1 nie ma go (" +
               std::to_string(BrakRodzica) + ")";
    if (korzen.Rok != RokKorzenia)
        return rekord(0) + "rok " + std::to_string(korzen.Rok) + " zamiast " + std::to_string(RokKorzenia);
    if (korzen.Symulowany != 1)
        return rekord(0) + "znacznik symulacji " + std::to_string(korzen.Symulowany) + ", a korze\xF1 jest symulowany (1)";
    for (std::size_t i = 1; i < w.size(); ++i) {
        const WpisWezla& r = w[i];
        if (r.Symulowany > 1)
            return rekord(i) + "znacznik symulacji " + std::to_string(r.Symulowany) + " zamiast 0 lub 1";
        if (r.Rodzic == r.Numer || r.Rodzic > NajwiekszyNumerWezla || gdzie[r.Rodzic] < 0)
            return rekord(i) + "w\xEAze\xB3 nadrz\xEA" "dny " + std::to_string(r.Rodzic) + " nie ma rekordu";
        const int rokRodzica = w[static_cast<std::size_t>(gdzie[r.Rodzic])].Rok;
        if (r.Rok != rokRodzica + 3)
            return rekord(i) + "rok " + std::to_string(r.Rok) + ", a rok " + wezel(r.Rodzic) +
                   " nadrz\xEA" "dnego to " + std::to_string(rokRodzica) + " (powinien by\xE6 " +
                   std::to_string(rokRodzica + 3) + ")";
        // Nodes are added under simulated nodes alone.
        const std::size_t p = static_cast<std::size_t>(gdzie[r.Rodzic]);
        if (r.Symulowany == 1 && w[p].Symulowany == 0)
            return rekord(p) + "znacznik symulacji 0, a w\xEAze\xB3 " + std::to_string(r.Numer) +
                   " pod nim (rekord " + std::to_string(i + 1) + ") jest symulowany (1)";
    }
    return {};
}

WpisWezla naglowek(std::string_view b) {
    auto r = std::make_unique<StanModelu>();
    std::copy(b.begin(), b.begin() + 5, r->bajty.begin());
    return WpisWezla{r->Numer(), r->Rodzic(), r->Rok(), r->Symulowany()};
}

// The headers of every whole record of a state file's bytes.
std::vector<WpisWezla> naglowki(std::string_view b) {
    std::vector<WpisWezla> w;
    for (std::size_t i = 0; i + RozmiarStanuModelu <= b.size(); i += RozmiarStanuModelu)
        w.push_back(naglowek(b.substr(i, RozmiarStanuModelu)));
    return w;
}

}  // namespace

OcenaPlikuStanu OcenStan(const std::string& sciezka, const std::string& stan, const std::optional<std::string>& dziennikB,
                         const std::optional<std::string>& zamiarB) {
    OcenaPlikuStanu o;
    const std::string plik = "Plik stanu " + sciezka;
    const std::size_t rs = RozmiarStanuModelu;
    if (stan.empty()) {
        o.odmowa = plik + " jest pusty";
        return o;
    }
    if (stan.size() < rs) {
        o.odmowa = plik + " jest kr\xF3tszy ni\xBF jeden rekord (" + LiczbaBajtow(stan.size()) + ", rekord ma " +
                   std::to_string(rs) + ")";
        return o;
    }
    // Whole records, the nodes' and an older program's spare at most.
    if (stan.size() >= (static_cast<std::size_t>(NajwiecejRekordow) + 2) * rs) {
        o.odmowa = plik + " jest za d\xB3ugi (" + LiczbaBajtow(stan.size()) + ", a mie\x9C" "ci najwy\xBF" "ej " +
                   std::to_string(NajwiecejRekordow) + " rekord\xF3w po " + LiczbaBajtow(rs) + ")";
        return o;
    }
    std::string b = stan;
    auto liczba = [&] { return b.size() / rs; };
    auto numer = [&](std::size_t i) { return static_cast<std::uint8_t>(b[i * rs]); };

    // A killed append: the records before it are whole.
    if (const std::size_t reszta = b.size() % rs; reszta != 0) {
        b.resize(b.size() - reszta);
        dodajNaprawe(o, {"niepe\xB3ny ostatni rekord pliku " + sciezka + " (" + LiczbaBajtow(reszta) + ") ", Usuniety,
                         ", " + std::to_string(liczba()) + " pe\xB3nych rekord\xF3w ", Zachowanych});
    }

    // A save killed after its journal was committed.
    if (dziennikB) {
        o.dziennik = true;
        const std::string plikZ = "plik " + sciezka + ZapisWToku;
        const OcenaDziennika z = ocenDziennik(b, *dziennikB);
        const std::string rekordZ = z.d ? "rekord " + std::to_string(z.d->miejsce + 1) : std::string();
        switch (z.r) {
            case Rozliczenie::Zakonczony:
                dodajNaprawe(o,
                             {Usunieto, " dziennik " + sciezka + ZapisWToku + " pozostawiony przez przerwany zapis " +
                                            wezel(z.d->numer) + " (rekord by\xB3 ju\xBF zapisany w pliku stanu)"},
                             true);
                break;
            case Rozliczenie::Dokonczyc: {
                // A new record that breaks the headers' rules where the old
                // one kept them is the journal's fault: named as such, so
                // that its removal is seen to be the way out.
                std::string po = b;
                po.replace(z.d->miejsce * rs, rs, z.d->rekord);
                if (std::string blad = sprawdzNaglowki(sciezka, naglowki(po));
                    !blad.empty() && sprawdzNaglowki(sciezka, naglowki(b)).empty()) {
                    o = OcenaPlikuStanu{};
                    o.odmowa = "Plik " + sciezka + ZapisWToku + " (zapis " + wezel(z.d->numer) +
                               " w toku) wpisa\xB3" "by rekord, z kt\xF3rym plik stanu by\xB3" "by b\xB3\xEA" "dny (" + blad +
                               ") - usu\xF1 plik " + sciezka + ZapisWToku + ", aby otworzy\xE6 operatora bez tego zapisu";
                    return o;
                }
                b = std::move(po);
                dodajNaprawe(o, {"przerwany zapis " + wezel(z.d->numer) + " w pliku " + sciezka + " ", Dokonczony});
                break;
            }
            case Rozliczenie::Obcy:
                dodajNaprawe(o,
                             {plikZ + " (zapis " + wezel(z.d->numer) + ") ", PominietyIUsuniety,
                              ", bo dotyczy\xB3 innego pliku stanu: " +
                                  (z.d->miejsce >= liczba() ? "plik stanu nie ma rekordu " + std::to_string(z.d->miejsce + 1)
                                   : numer(z.d->miejsce) != z.d->numer
                                       ? rekordZ + " nie jest rekordem tego w\xEAz\xB3" "a"
                                       : rekordZ + " nie jest ani dawnym, ani nowym rekordem tego w\xEAz\xB3" "a")},
                             true);
                break;
            case Rozliczenie::Starszy:
                o = OcenaPlikuStanu{};
                o.odmowa = "Plik " + sciezka + ZapisWToku + " (zapis " + wezel(z.d->numer) +
                           " w toku, starszej wersji programu) nie wskazuje rekordu, kt\xF3ry zast\xEApuje, a " + rekordZ +
                           " pliku stanu " + sciezka + " jest inny ni\xBF w nim: nie wiadomo, czy zapis przerwano, czy plik "
                           "stanu zast\xB9piono od tego czasu (np. kopi\xB9) - usu\xF1 plik " + sciezka + ZapisWToku +
                           ", aby otworzy\xE6 operatora bez tego zapisu";
                return o;
            case Rozliczenie::Nieczytelny:
                // Renamed into place only when complete: damaged, and the
                // record it was for not yet touched.
                dodajNaprawe(o, {"nieczytelny " + plikZ + " ", PominietyIUsuniety}, true);
                break;
        }
    }

    // An older program's spare copy: a last record repeating an earlier
    // node's number is dropped only when it is that record byte for byte.
    if (liczba() >= 2) {
        const std::size_t ostatni = liczba() - 1;
        for (std::size_t i = 0; i < ostatni; ++i) {
            if (numer(i) != numer(ostatni) || b.compare(i * rs, rs, b, ostatni * rs, rs) != 0) continue;
            b.resize(ostatni * rs);
            dodajNaprawe(o, {"zb\xEA" "dna kopia rekordu " + wezel(numer(i)) + " na ko\xF1" "cu pliku " + sciezka + " ", Usunieta});
            break;
        }
    }

    // An operation of several saves killed before its commit point.
    if (zamiarB) {
        o.zamiar = true;
        const std::vector<std::string> linie = splitTextLines(*zamiarB);
        std::vector<int> przed;
        for (const std::string& l : linie) {
            int n = 0;
            if (!l.empty() && NumerZTekstu(l, n) && n >= 0 && n <= NajwiekszyNumerWezla) przed.push_back(n);
        }
        std::vector<int> teraz;
        for (std::size_t i = 0; i < liczba(); ++i) teraz.push_back(numer(i));
        auto jest = [](const std::vector<int>& v, int n) { return std::find(v.begin(), v.end(), n) != v.end(); };
        if (przed.size() >= 2 && przed.size() == linie.size() && jest(teraz, przed.front())) {
            przed.erase(przed.begin());
            std::string zostaje, usuniete;
            for (std::size_t i = 0; i < teraz.size(); ++i) {
                if (jest(przed, teraz[i])) zostaje += b.substr(i * rs, rs);
                else usuniete += " " + std::to_string(teraz[i]);
            }
            if (!usuniete.empty()) {
                b = std::move(zostaje);
                dodajNaprawe(o, {"przerwany krok co-je\x9Cli ", Wycofany, ", ", UsunieteWezly, ":" + usuniete});
            }
        }
    }

    o.wezly = naglowki(b);
    if (std::string blad = sprawdzNaglowki(sciezka, o.wezly); !blad.empty()) {
        o = OcenaPlikuStanu{};
        o.odmowa = std::move(blad);
        return o;
    }
    if (b != stan) o.bajty = std::move(b);
    return o;
}

OcenaPlikuStanu OcenPlikStanu(const std::string& sciezka) {
    const std::uint64_t najwiecej = NajdluzszyPlikStanu;
    const std::string najwyzej = "najwy\xBF" "ej " + std::to_string(NajwiecejRekordow) + " rekord\xF3w po " +
                                 LiczbaBajtow(RozmiarStanuModelu);
    OcenaPlikuStanu o;
    const Odczyt stan = czytajPlik(sciezka, najwiecej, najwyzej);
    if (!stan.bajty) {
        o.odmowa = "Plik stanu " + sciezka + stan.blad;
        return o;
    }
    std::optional<std::string> dziennikB, zamiarB;
    for (auto [nazwa, cel, limit] : {std::tuple{sciezkaDziennika(sciezka), &dziennikB, kDlugoscDziennika + 1},
                                     std::tuple{sciezkaZamiaru(sciezka), &zamiarB, std::size_t{4096}}}) {
        // Something else at its name (a link, a second name of another
        // file) is no journal: the open goes on without it.
        const Odczyt d = czytajPozostalosc(nazwa, limit);
        if (d.bajty) *cel = d.bajty;
        else if (!d.brak && !d.obcy) {
            o.odmowa = "Plik " + nazwa + d.blad;
            return o;
        }
    }
    return OcenStan(sciezka, *stan.bajty, dziennikB, zamiarB);
}

std::vector<std::string> ZapiszNaprawe(const std::string& sciezka, const OcenaPlikuStanu& o) {
    if (o.bajty && !replaceFile(sciezka, *o.bajty, true))
        throw IoError(sciezka, "naprawa pliku stanu", lastFileError());
    // Both are spent once the file is repaired: one that stays is taken
    // away again by the next save or open.
    // Each with what is said once it is removed.
    struct Plik {
        bool jest;
        std::string sciezka, usuniety;
    };
    std::vector<std::string> teksty;
    for (const Plik& p : {Plik{o.dziennik, sciezkaDziennika(sciezka), o.dziennikUsuniety},
                          Plik{o.zamiar, sciezkaZamiaru(sciezka), {}}}) {
        if (!p.jest) continue;
        const Leftover usuniety = dokladnie([&] { return removeLeftover(p.sciezka); });
        if (usuniety == Leftover::Refused)
            teksty.push_back("nie uda\xB3o si\xEA usun\xB9\xE6 pliku " + p.sciezka + ": " + lastFileError());
        else if (usuniety == Leftover::Removed && !p.usuniety.empty())
            teksty.push_back(p.usuniety);
    }
    return teksty;
}

std::vector<std::string> NaprawPlikStanu(const std::string& sciezka) {
    const OcenaPlikuStanu o = OcenPlikStanu(sciezka);
    if (!o.odmowa.empty()) throw IoError(sciezka, "otwarcie pliku stanu", o.odmowa);
    std::vector<std::string> naprawy = o.naprawy;
    for (std::string& n : ZapiszNaprawe(sciezka, o)) naprawy.push_back(std::move(n));
    return naprawy;
}

std::string RozliczDziennik(const std::string& sciezka) {
    const std::string zapis = sciezkaDziennika(sciezka);
    const std::string plikZ = "Plik " + zapis;
    const Odczyt d = czytajPozostalosc(zapis, kDlugoscDziennika + 1);
    // What someone put at the journal's name stays: the save, whose journal
    // would replace it, does not start.
    if (d.obcy) {
        setLastFileError(0);  // the state file has nothing to be told
        return plikZ + d.blad + " - to nie jest dziennik zapisu tego programu, a zapis potrzebuje tej nazwy (usu\xF1 lub "
                                "przenie\x9C ten plik)";
    }
    if (!d.bajty) return d.brak ? std::string() : plikZ + d.blad;
    const Odczyt stan = czytajPlik(sciezka, (static_cast<std::uint64_t>(NajwiecejRekordow) + 1) * RozmiarStanuModelu,
                                   "to nie jest plik stanu");
    if (!stan.bajty) return "Plik stanu " + sciezka + stan.blad;
    const OcenaDziennika z = ocenDziennik(*stan.bajty, *d.bajty);
    if (z.r == Rozliczenie::Zakonczony) {
        if (dokladnie([&] { return removeLeftover(zapis); }) != Leftover::Refused) return {};
        return plikZ + " (zako\xF1" "czony zapis " + wezel(z.d->numer) + ") nie daje si\xEA usun\xB9\xE6: " + lastFileError();
    }
    // Anything else is put right by the open, which checks the whole file.
    return plikZ + (z.d ? " (zapis " + wezel(z.d->numer) + " w toku)" : std::string(" (nieczytelny)")) +
           " czeka na rozliczenie przy otwarciu operatora - otw\xF3rz go ponownie";
}

bool ZapiszZamiar(const std::string& sciezka, int usuwany) {
    const std::optional<std::vector<int>> numery = numeryRekordow(sciezka);
    if (!numery) return false;
    std::vector<std::string> linie{std::to_string(usuwany)};
    for (int n : *numery) linie.push_back(std::to_string(n));
    // One left before is replaced; anything else at its name stays, and
    // the operation does not start.
    return dokladnie([&] {
        return removeLeftover(sciezkaZamiaru(sciezka)) != Leftover::Refused &&
               writeTextLines(sciezkaZamiaru(sciezka), linie);
    });
}

void UsunZamiar(const std::string& sciezka) {
    dokladnie([&] { return removeLeftover(sciezkaZamiaru(sciezka)); });
}

std::string SciezkaPlikuStanu(const Kontekst& k) { return joinPath(k.KatalogOperatora, k.NazwaPlikuStanu); }

bool ZapiszStanModelu(Kontekst& k, StanModelu& rec, std::uint8_t& numer, std::int16_t& rok,
                      std::uint8_t& znacznik, bool utworzNowy, const std::string& gdzie) {
    // A record numbered beyond the node table would make the file unreadable.
    if (rec.Numer() > NajwiekszyNumerWezla) return false;
    const std::string sciezka = SciezkaPlikuStanu(k);
    const std::string nowe = bajtyRekordu(rec);
    if (utworzNowy) {
        // In this spelling alone: a file spelt otherwise is another
        // operator's (an operator's own state file spelt otherwise its
        // creation first renames to its spelling).
        if (!dokladnie([&] { return replaceFile(gdzie.empty() ? sciezka : gdzie, nowe); })) return false;
    } else {
        // The order of the writes is the protocol in PlikStanu.h. A journal
        // a former save left is settled first.
        const std::string operacja = "zapis w\xEAz\xB3" "a " + std::to_string(rec.Numer());
        if (std::string blad = RozliczDziennik(sciezka); !blad.empty()) throw IoError(sciezka, operacja, blad);
        BinaryFile plik;
        if (!plik.open(sciezka, BinaryFile::Mode::Read)) return false;
        std::optional<std::size_t> n = liczbaRekordow(plik, sciezka);
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
            const std::string zapis = sciezkaDziennika(sciezka);
            const std::string stare = bajtyRekordu(*stary);
            // The journal's name must outlive a power cut before the record
            // is overwritten (replaceFile flushes the folder); a journal in
            // place whose folder could not be flushed goes again, and the
            // save does not start.
            if (!dokladnie([&] { return replaceFile(zapis, dziennik(*miejsce, nowe, stare)); })) {
                if (!lastFailureAfterRename()) return false;
                // Dropped again: the state file is as it was.
                const std::string blad = "dziennik " + zapis + " zapisany, ale " + unflushedFolderText() +
                                         ", wi\xEA" "c zapisu nie rozpocz\xEAto - plik stanu jest bez zmian";
                throw IoError(sciezka, operacja, blad + porzucDziennik(zapis, *miejsce, stare));
            }
            if (bool nietkniety = false; !writeAt(sciezka, polozenie(*miejsce), nowe, &nietkniety)) {
                // Put the old record back (unless the write was refused
                // before it began) and drop the journal: the save did not
                // happen. Should that fail too, the journal stays and the
                // next open finishes the save.
                std::string blad = lastFileError();
                if (nietkniety || writeAt(sciezka, polozenie(*miejsce), stare)) blad += porzucDziennik(zapis, *miejsce, stare);
                throw IoError(sciezka, operacja, blad);
            }
            // The save is complete; a journal that stays is dropped by the
            // next save or open, and the run told.
            if (!dokladnie([&] { return removeFile(zapis); })) {
                k.BladUsuwaniaPliku = true;
                k.Okna->message(withFileError("Nie uda\xB3o si\xEA usun\xB9\xE6 pliku " + zapis + " po zapisie w\xEAz\xB3" "a " +
                                              std::to_string(rec.Numer())) +
                                " (w\xEAze\xB3 zapisany; plik zostanie usuni\xEAty przy nast\xEApnym zapisie lub otwarciu)");
            }
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
    // A state file that cannot be read says why: its node is not missing.
    BinaryFile plik;
    if (!plik.open(sciezka, BinaryFile::Mode::Read)) {
        const std::string blad = lastFileError();
        if (!findExisting(sciezka) && lookupError() == 0) return false;
        throw IoError(sciezka, kOdczyt, blad);
    }
    std::optional<std::size_t> n = liczbaRekordow(plik, sciezka);
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
    std::optional<std::size_t> n = liczbaRekordow(plik, sciezka);
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
