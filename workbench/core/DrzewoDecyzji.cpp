#include "DrzewoDecyzji.h"

#include <algorithm>
#include <set>

#include "FileSystem.h"
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
    std::string rodzaj, numer;
    const std::uint8_t r = rozbierz(etykieta, rodzaj, numer);
    if (r == RodzajInny || numer.empty() || numer.size() > 2) return -1;
    int n = 0;
    for (char c : numer) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    if (n > 50 || etykieta != EtykietaWezla(n, r == RodzajSymulowany)) return -1;
    return n;
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
    std::vector<Pozycja> wynik;
    wynik.reserve(pozycje_.size());
    // Copies item i and its subtree, children in ascending number (three-way
    // on the numbers; items without a number keep their order at the end).
    auto kopiuj = [&](auto&& self, int i) -> void {
        wynik.push_back(pozycje_[static_cast<std::size_t>(i)]);
        std::vector<int> d = Dzieci(i);
        std::stable_sort(d.begin(), d.end(), [&](int a, int b) {
            const int na = Numer(a), nb = Numer(b);
            if (na < 0 || nb < 0) return na >= 0 && nb < 0;
            return na < nb;
        });
        for (int c : d) self(self, c);
    };
    for (int i = 0; i < Liczba(); i = koniecPoddrzewa(i)) kopiuj(kopiuj, i);
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
    std::vector<std::string> linie = splitTextLines(bajty);
    // A final line end does not begin another line.
    if (!linie.empty() && linie.back().empty()) linie.pop_back();
    if (linie.empty()) throw blad(0, "plik jest pusty");

    DrzewoDecyzji d;
    std::set<int> numery;
    for (std::size_t w = 0; w < linie.size(); ++w) {
        const int wiersz = static_cast<int>(w) + 1;
        const std::string& linia = linie[w];
        std::size_t poziom = 0;
        while (poziom < linia.size() && (linia[poziom] == '\t' || linia[poziom] == ' ')) ++poziom;
        std::string etykieta = linia.substr(poziom);
        while (!etykieta.empty() && (etykieta.back() == ' ' || etykieta.back() == '\r')) etykieta.pop_back();
        const int numer = NumerZEtykiety(etykieta);
        if (numer < 0) throw blad(wiersz, "niepoprawna etykieta wezla");
        if (w == 0 && (poziom != 0 || numer != 0 || etykieta != EtykietaWezla(0, true)))
            throw blad(wiersz, "pierwszym wierszem musi byc \"d/r 0\" bez wciecia");
        if (w > 0 && poziom == 0) throw blad(wiersz, "drugi korzen drzewa");
        if (w > 0 && static_cast<int>(poziom) > d.pozycje_.back().Poziom + 1)
            throw blad(wiersz, "wciecie glebsze o wiecej niz jeden poziom");
        if (!numery.insert(numer).second) throw blad(wiersz, "powtorzony numer wezla " + std::to_string(numer));
        d.pozycje_.push_back(Pozycja{etykieta, static_cast<int>(poziom), 0});
    }
    return d;
}

DrzewoDecyzji DrzewoDecyzji::Wczytaj(const std::string& plik) {
    BinaryFile f;
    if (!f.open(plik, BinaryFile::Mode::Read))
        throw WorkbenchError(WorkbenchError::Kind::TreeRead, plik, 0, "nie daje sie otworzyc");
    std::optional<std::string> bajty = f.readRest();
    if (!bajty) throw WorkbenchError(WorkbenchError::Kind::TreeRead, plik, 0, "nie daje sie odczytac");
    return ZTekstu(*bajty, plik);
}

bool DrzewoDecyzji::Zapisz(const std::string& plik) const {
    return writeTextLines(plik, Linie());
}

}  // namespace vesk
