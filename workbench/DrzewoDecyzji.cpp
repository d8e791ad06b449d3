#include "DrzewoDecyzji.h"

#include <algorithm>
#include <array>
#include <limits>
#include <set>
#include <string_view>

#include "CodePage.h"
#include "FileSystem.h"
#include "Liczebniki.h"
#include "PlikStanu.h"
#include "WorkbenchError.h"

namespace vesk {

std::uint8_t rozbierz(const std::string& etykieta, std::string& rodzajTekst, std::string& numerTekst) {
    if (etykieta.rfind("d/r", 0) == 0) {
        rodzajTekst = "d/r";
        numerTekst = etykieta.size() > 4 ? etykieta.substr(4) : std::string();
        return RodzajSymulowany;
    }
    if (!etykieta.empty() && etykieta[0] == 'd') {
        rodzajTekst = "d";
        numerTekst = etykieta.size() > 2 ? etykieta.substr(2) : std::string();
        return RodzajNiesymulowany;
    }
    return RodzajInny;
}

std::string EtykietaWezla(int numer, bool symulowany) {
    return (symulowany ? "d/r " : "d ") + std::to_string(numer);
}

int NumerZEtykiety(const std::string& etykieta) {
    // Exactly "d/r N" or "d N", N 0..50 without leading zeros.
    std::string_view numer = etykieta;
    if (numer.starts_with("d/r ")) numer.remove_prefix(4);
    else if (numer.starts_with("d ")) numer.remove_prefix(2);
    else return -1;
    if (numer.empty() || numer.size() > 2 || (numer.size() == 2 && numer[0] == '0')) return -1;
    int n = 0;
    for (char c : numer) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n <= 50 ? n : -1;
}

int DrzewoDecyzji::Rodzic(int i) const {
    const int poziom = Poziom(i);
    for (int j = i - 1; j >= 0; --j)
        if (pozycje_[static_cast<std::size_t>(j)].Poziom < poziom) return j;
    return -1;
}

int DrzewoDecyzji::koniecPoddrzewa(int i) const {
    const int poziom = Poziom(i);
    int j = i + 1;
    while (j < Liczba() && pozycje_[static_cast<std::size_t>(j)].Poziom > poziom) ++j;
    return j;
}

std::vector<int> DrzewoDecyzji::Dzieci(int i) const {
    std::vector<int> d;
    const int koniec = koniecPoddrzewa(i);
    for (int j = i + 1; j < koniec; ++j)
        if (Poziom(j) == Poziom(i) + 1) d.push_back(j);
    return d;
}

bool DrzewoDecyzji::MaDzieci(int i) const { return koniecPoddrzewa(i) > i + 1; }

int DrzewoDecyzji::Znajdz(int numer) const {
    for (int i = 0; i < Liczba(); ++i)
        if (Numer(i) == numer) return i;
    return -1;
}

int DrzewoDecyzji::Zaglebienie() const {
    int d = 0;
    for (const Pozycja& p : pozycje_) d = std::max(d, p.Poziom);
    return d;
}

int DrzewoDecyzji::DodajDziecko(int rodzic, const std::string& etykieta) {
    const int miejsce = koniecPoddrzewa(rodzic);
    pozycje_.insert(pozycje_.begin() + miejsce, Pozycja{etykieta, Poziom(rodzic) + 1, 0});
    return miejsce;
}

void DrzewoDecyzji::Usun(int i) {
    if (MaDzieci(i)) return;
    pozycje_.erase(pozycje_.begin() + i);
}

void DrzewoDecyzji::UstawEtykiete(int i, const std::string& etykieta) {
    pozycje_.at(static_cast<std::size_t>(i)).Etykieta = etykieta;
}

void DrzewoDecyzji::UstawObrazek(int i, int obrazek) { pozycje_.at(static_cast<std::size_t>(i)).Obrazek = obrazek; }

void DrzewoDecyzji::Sortuj() {
    if (pozycje_.empty()) return;
    // Each item's key: its number; items without one after the numbered,
    // in their order (the sort is stable).
    std::vector<int> klucz(pozycje_.size());
    for (int i = 0; i < Liczba(); ++i) {
        const int n = Numer(i);
        klucz[static_cast<std::size_t>(i)] = n >= 0 ? n : std::numeric_limits<int>::max();
    }
    std::vector<int> porzadek;
    porzadek.reserve(pozycje_.size());
    // Item i and its subtree, children in ascending key.
    auto kopiuj = [&](auto&& self, int i) -> void {
        porzadek.push_back(i);
        std::vector<int> d = Dzieci(i);
        std::stable_sort(d.begin(), d.end(), [&](int a, int b) {
            return klucz[static_cast<std::size_t>(a)] < klucz[static_cast<std::size_t>(b)];
        });
        for (int c : d) self(self, c);
    };
    for (int i = 0; i < Liczba(); i = koniecPoddrzewa(i)) kopiuj(kopiuj, i);
    bool posortowany = true;
    for (std::size_t j = 0; j < porzadek.size() && posortowany; ++j) posortowany = porzadek[j] == static_cast<int>(j);
    if (posortowany) return;
    std::vector<Pozycja> wynik;
    wynik.reserve(pozycje_.size());
    for (int i : porzadek) wynik.push_back(std::move(pozycje_[static_cast<std::size_t>(i)]));
    pozycje_ = std::move(wynik);
}

std::vector<std::string> DrzewoDecyzji::Linie() const {
    std::vector<std::string> linie;
    for (const Pozycja& p : pozycje_) linie.push_back(std::string(static_cast<std::size_t>(p.Poziom), '\t') + p.Etykieta);
    return linie;
}

DrzewoDecyzji DrzewoDecyzji::ZTekstu(const std::string& bajty, const std::string& plik) {
    auto blad = [&](int wiersz, const std::string& co) {
        return WorkbenchError(WorkbenchError::Kind::TreeFormat, plik, wiersz, co);
    };
    const std::vector<std::string> linie = splitTextLines(textFileToCp1250(bajty));

    DrzewoDecyzji d;
    std::set<int> numery;
    for (std::size_t w = 0; w < linie.size(); ++w) {
        const int wiersz = static_cast<int>(w) + 1;
        const std::string& linia = linie[w];
        std::size_t poziom = 0;
        while (poziom < linia.size() && (linia[poziom] == '\t' || linia[poziom] == ' ')) ++poziom;
        std::string etykieta = linia.substr(poziom);
        // Blanks after a label, and lines of blanks alone, are nothing.
        while (!etykieta.empty() && (etykieta.back() == ' ' || etykieta.back() == '\t' || etykieta.back() == '\r'))
            etykieta.pop_back();
        if (etykieta.empty()) continue;
        const int numer = NumerZEtykiety(etykieta);
        if (numer < 0) throw blad(wiersz, "niepoprawna etykieta w\xEAz\xB3" "a");
        if (d.pozycje_.empty() && (poziom != 0 || numer != 0 || etykieta != EtykietaWezla(0, true)))
            throw blad(wiersz, "pierwszym wierszem musi by\xE6 \"d/r 0\" bez wci\xEA" "cia");
        if (!d.pozycje_.empty() && poziom == 0) throw blad(wiersz, "drugi korze\xF1 drzewa");
        if (!d.pozycje_.empty() && static_cast<int>(poziom) > d.pozycje_.back().Poziom + 1)
            throw blad(wiersz, "wci\xEA" "cie g\xB3\xEA" "bsze o wi\xEA" "cej ni\xBF jeden poziom");
        if (!numery.insert(numer).second) throw blad(wiersz, "powt\xF3rzony numer w\xEAz\xB3" "a " + std::to_string(numer));
        d.pozycje_.push_back(Pozycja{etykieta, static_cast<int>(poziom), 0});
    }
    if (d.pozycje_.empty()) throw blad(0, "plik jest pusty");
    return d;
}

DrzewoDecyzji DrzewoDecyzji::Odzyskaj(const std::string& bajty) {
    DrzewoDecyzji d;
    d.pozycje_.push_back(Pozycja{EtykietaWezla(0, true), 0, 0});
    std::set<int> numery{0};
    auto obok = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
    for (const std::string& linia : splitTextLines(textFileToCp1250(bajty))) {
        std::size_t poziom = 0;
        while (poziom < linia.size() && (linia[poziom] == '\t' || linia[poziom] == ' ')) ++poziom;
        std::size_t koniec = linia.size();
        while (koniec > poziom && obok(linia[koniec - 1])) --koniec;
        const int numer = NumerZEtykiety(linia.substr(poziom, koniec - poziom));
        if (numer < 0 || !numery.insert(numer).second) continue;
        const int najglebiej = d.pozycje_.back().Poziom + 1;
        d.pozycje_.push_back(Pozycja{linia.substr(poziom, koniec - poziom),
                                     std::clamp(static_cast<int>(poziom), 1, najglebiej), 0});
    }
    return d;
}

DrzewoDecyzji DrzewoDecyzji::Wczytaj(const std::string& plik) {
    BinaryFile f;
    if (!f.open(plik, BinaryFile::Mode::Read))
        throw WorkbenchError(WorkbenchError::Kind::TreeRead, plik, 0, withFileError("nie daje si\xEA otworzy\xE6"));
    // Never more than the longest tree is read.
    const std::optional<std::uint64_t> dlugosc = f.size();
    if (dlugosc && *dlugosc > NajdluzszyPlikDrzewa)
        throw WorkbenchError(WorkbenchError::Kind::TreeFormat, plik, 0,
                             "plik jest za d\xB3ugi (" + LiczbaBajtow(*dlugosc) + ", a najd\xB3u\xBFsze drzewo ma " +
                                 std::to_string(NajdluzszyPlikDrzewa) + ")");
    std::string bajty(NajdluzszyPlikDrzewa + 1, '\0');
    bajty.resize(f.read(bajty.data(), bajty.size()));
    if (f.failed()) throw WorkbenchError(WorkbenchError::Kind::TreeRead, plik, 0, f.failureText("nie daje si\xEA odczyta\xE6"));
    if (bajty.size() > NajdluzszyPlikDrzewa)
        throw WorkbenchError(WorkbenchError::Kind::TreeFormat, plik, 0,
                             "plik jest d\xB3u\xBFszy ni\xBF najd\xB3u\xBFsze drzewo (" +
                                 LiczbaBajtow(NajdluzszyPlikDrzewa) + ")");
    return ZTekstu(bajty, plik);
}

std::vector<std::string> UzgodnijZRekordami(DrzewoDecyzji& d, const std::vector<WpisWezla>& rekordy) {
    std::vector<std::string> naprawy;
    std::array<const WpisWezla*, NajwiekszyNumerWezla + 1> rekord{};
    for (const WpisWezla& r : rekordy)
        if (r.Numer <= NajwiekszyNumerWezla) rekord[r.Numer] = &r;
    // Each node's place in the tree read, and its parent there.
    std::array<int, NajwiekszyNumerWezla + 1> pozycja, rodzicWDrzewie;
    pozycja.fill(-1);
    rodzicWDrzewie.fill(-1);
    for (int i = 0; i < d.Liczba(); ++i) {
        const int n = d.Numer(i);
        pozycja[static_cast<std::size_t>(n)] = i;
        if (const int r = d.Rodzic(i); r >= 0) rodzicWDrzewie[static_cast<std::size_t>(n)] = d.Numer(r);
    }
    for (int i = 1; i < d.Liczba(); ++i) {
        const int n = d.Numer(i);
        if (!rekord[static_cast<std::size_t>(n)])
            naprawy.push_back("w\xEAze\xB3 " + std::to_string(n) + " bez rekordu usuni\xEAty z drzewa");
    }
    DrzewoDecyzji nowe = DrzewoDecyzji::ZTekstu(EtykietaWezla(0, true), "");
    nowe.UstawObrazek(0, d.Liczba() > 0 ? d[0].Obrazek : 1);
    std::array<bool, NajwiekszyNumerWezla + 1> dodany{};  // each once, whatever the records say
    auto dodaj = [&](auto&& self, int rodzic, int wRodzic) -> void {
        std::vector<const WpisWezla*> dzieci;
        for (const WpisWezla& r : rekordy)
            if (r.Numer != 0 && r.Numer <= NajwiekszyNumerWezla && r.Rodzic == rodzic && !dodany[r.Numer]) {
                dodany[r.Numer] = true;
                dzieci.push_back(&r);
            }
        // The tree's order first (items moved here come at their old place
        // in it), then the rest by number.
        std::stable_sort(dzieci.begin(), dzieci.end(), [&](const WpisWezla* a, const WpisWezla* b) {
            const int pa = pozycja[a->Numer], pb = pozycja[b->Numer];
            if ((pa < 0) != (pb < 0)) return pa >= 0;
            return pa >= 0 ? pa < pb : a->Numer < b->Numer;
        });
        for (const WpisWezla* r : dzieci) {
            const int n = r->Numer;
            const bool symulowany = r->Symulowany != 0;
            const std::string etykieta = EtykietaWezla(n, symulowany);
            const int i = nowe.DodajDziecko(wRodzic, etykieta);
            const int stara = pozycja[static_cast<std::size_t>(n)];
            nowe.UstawObrazek(i, stara >= 0 && d.Etykieta(stara) == etykieta ? d[stara].Obrazek : symulowany ? 1 : 0);
            if (stara < 0)
                naprawy.push_back("w\xEAze\xB3 " + std::to_string(n) + " do\xB3\xB9" "czony do drzewa pod w\xEAz\xB3" "em " +
                                  std::to_string(rodzic));
            else if (rodzicWDrzewie[static_cast<std::size_t>(n)] != rodzic)
                naprawy.push_back("w\xEAze\xB3 " + std::to_string(n) + " przeniesiony w drzewie spod w\xEAz\xB3" "a " +
                                  std::to_string(rodzicWDrzewie[static_cast<std::size_t>(n)]) + " pod w\xEAze\xB3 " +
                                  std::to_string(rodzic) + ", jak w jego rekordzie");
            if (stara >= 0 && d.Etykieta(stara) != etykieta)
                naprawy.push_back("oznaczenie w\xEAz\xB3" "a " + std::to_string(n) + " poprawione na \"" + etykieta + "\"");
            self(self, n, i);
        }
    };
    dodaj(dodaj, 0, 0);
    d = std::move(nowe);
    return naprawy;
}

bool DrzewoDecyzji::Zapisz(const std::string& plik) const {
    return writeTextLines(plik, Linie());
}

}  // namespace vesk
