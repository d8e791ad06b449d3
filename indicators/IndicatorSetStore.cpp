#include "IndicatorSetStore.h"

#include <exception>
#include <initializer_list>
#include <utility>

#include "FileSystem.h"
#include "OcenaWskaznika.h"
#include "Pomocnicze.h"
#include "Real48.h"

namespace vesk {

namespace {

const char* const kZamknijExcel = "Zamknij plik wska\x9Fnik\xF3w w Excelu!";
const char* const kWspoldzielenie = "Problem ze wsp\xF3\xB3" "dzieleniem pliku";

}  // namespace

const WierszWskaznika& TytulyZestawu() {
    static const WierszWskaznika tytuly = [] {
        WierszWskaznika w{};
        const char* const t[KolumnZestawu] = {"nazwa wska\x9Fnika", "",
                                               "\x9Fr\xF3" "d\xB3o licznika 1", "pozycja licznika 1",
                                               "\x9Fr\xF3" "d\xB3o mianownika 1", "pozycja mianownika 1",
                                               "operator licznika", "operator mianownika",
                                               "\x9Fr\xF3" "d\xB3o licznika 2", "pozycja licznika 2",
                                               "\x9Fr\xF3" "d\xB3o mianownika 2", "pozycja mianownika 2",
                                               "relacja", "pr\xF3g 1", "pr\xF3g 2"};
        for (int c = 0; c < KolumnZestawu; ++c) w[static_cast<std::size_t>(c + 1)] = t[c];
        return w;
    }();
    return tytuly;
}

std::string RdzenZestawu(const std::string& sciezka) {
    const auto p = sciezka.find_last_of("\\/:");
    const std::string nazwa = p == std::string::npos ? sciezka : sciezka.substr(p + 1);
    return nazwa.size() < 4 ? std::string() : nazwa.substr(0, nazwa.size() - 4);
}

int PoliczWskazniki(const TabelaWskaznikow& tabela) {
    int r = 1;
    while (!tabela.Komorka(r + 1, kol::Nazwa).empty() && !tabela.Komorka(r, kol::Nazwa).empty()) ++r;
    return r;
}

namespace {

bool Puste(const std::string& t) { return t.find_first_not_of(' ') == std::string::npos; }

std::string Kolumna(int c) { return std::string(1, static_cast<char>('A' + c - 1)); }

bool JedenZ(const std::string& t, std::initializer_list<const char*> dozwolone) {
    if (Puste(t)) return true;
    const std::string bez = t.substr(t.find_first_not_of(' '), t.find_last_not_of(' ') - t.find_first_not_of(' ') + 1);
    for (const char* d : dozwolone)
        if (bez == d) return true;
    return false;
}

const char* const kUkladZestawu =
    " (zestaw ma tytu\xB3y kolumn w wierszu 1, nazwy wska\x9Fnik\xF3w w kolumnie A i pola w kolumnach A-O)";

// What is wrong with a threshold text (a decimal comma is taken as the
// evaluation takes it); nothing for an empty or numeric one.
std::optional<std::string> BladProgu(std::string t) {
    if (Puste(t)) return std::nullopt;
    for (char& c : t)
        if (c == ',') c = '.';
    const std::optional<long double> v = LiczbaProgu(t);
    if (!v) return std::string("nie jest liczb\xB9 (pr\xF3g to liczba z kropk\xB9 u\xB3" "amkow\xB9, np. 1.5)");
    try {
        (void)roundToReal48(*v);
    } catch (const Real48Error&) {
        return std::string("jest poza zakresem liczb programu");
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> BladUkladu(const TabelaWskaznikow& t) {
    const int wierszy = static_cast<int>(t.Wiersze.size());
    auto pustyWiersz = [&](int r, int od) {
        for (int c = od; c < KolumnWiersza; ++c)
            if (!Puste(t.Komorka(r, c))) return false;
        return true;
    };
    bool cos = false;
    for (int r = 1; r < wierszy && !cos; ++r) cos = !pustyWiersz(r, 1);
    if (!cos) return std::nullopt;  // an empty set: the first indicator added brings the titles
    if (Puste(t.Komorka(1, kol::Nazwa))) {
        if (pustyWiersz(1, 1)) return std::string("wiersz 1 (tytu\xB3y kolumn) jest pusty") + kUkladZestawu;
        int c = kol::Nazwa;
        while (Puste(t.Komorka(1, c))) ++c;
        return "kom\xF3rka A1 jest pusta, a tytu\xB3y zaczynaj\xB9 si\xEA w kolumnie " + Kolumna(c) +
               ": kolumny s\xB9 przesuni\xEAte" + kUkladZestawu;
    }
    // A known source in the first source column: row 1 is an indicator,
    // not the titles, and would be lost as one.
    if (IndeksZrodla(t.Komorka(1, kol::ZrodloLicznika1)) >= 0 || IndeksZrodla(t.Komorka(1, kol::ZrodloMianownika1)) >= 0)
        return "wiersz 1 zawiera wska\x9Fnik \"" + t.Komorka(1, kol::Nazwa) +
               "\" zamiast tytu\xB3\xF3w kolumn: brak wiersza tytu\xB3\xF3w" + kUkladZestawu;
    const int n = PoliczWskazniki(t);
    for (int r = 2; r <= n; ++r) {
        const std::string miejsce = "wiersz " + std::to_string(r) + ", kolumna ";
        for (int c : {kol::OperatorLicznika, kol::OperatorMianownika})
            if (!JedenZ(t.Komorka(r, c), {"xxx", "+", "-", "*", "/"}))
                return miejsce + Kolumna(c) + ": \"" + t.Komorka(r, c) +
                       "\" nie jest operatorem (xxx + - * /)" + kUkladZestawu;
        if (!JedenZ(t.Komorka(r, kol::Relacja), {"x>", "x<>", "x<", "x><", "x="}))
            return miejsce + Kolumna(kol::Relacja) + ": \"" + t.Komorka(r, kol::Relacja) +
                   "\" nie jest relacj\xB9 (x> x<> x< x>< x=)" + kUkladZestawu;
        for (int c : {kol::Prog1, kol::Prog2})
            if (std::optional<std::string> blad = BladProgu(t.Komorka(r, c)))
                return miejsce + Kolumna(c) + ": pr\xF3g \"" + t.Komorka(r, c) + "\" " + *blad + kUkladZestawu;
    }
    // The list ends at the first row without a name; the next indicator
    // added would overwrite that row.
    if (!pustyWiersz(n + 1, 1))
        return "wiersz " + std::to_string(n + 1) + " nie ma nazwy wska\x9Fnika w kolumnie A, a ma dane w dalszych "
               "kolumnach" + kUkladZestawu;
    return std::nullopt;
}

bool WczytajZestaw(ZestawWskaznikow& z, const std::string& sciezka, UserInterface& ui) {
    for (;;) {
        std::string powod;
        try {
            TabelaWskaznikow nowa = z.Magazyn.read(sciezka);
            nowa.LiczbaWskaznikow = PoliczWskazniki(nowa);
            z.Tabela = std::move(nowa);
            z.Plik = sciezka;
            z.NazwaZestawu = RdzenZestawu(sciezka);
            return true;
        } catch (const BladZestawu& e) {
            if (e.rodzaj() == BladZestawu::Rodzaj::Zajety) {
                if (!ui.retry(kZamknijExcel, kWspoldzielenie)) return false;
                continue;
            }
            powod = e.what();
        } catch (const std::exception& e) {
            powod = e.what();
        }
        ui.message("Nie wczytano zestawu wska\x9Fnik\xF3w " + sciezka + ": " + powod);
        return false;
    }
}

bool NazwaWZestawie(const ZestawWskaznikow& z, const std::string& nazwa) {
    for (int r = 2; r <= z.Tabela.LiczbaWskaznikow; ++r)
        if (z.Tabela.Komorka(r, kol::Nazwa) == nazwa) return true;
    return false;
}

std::optional<std::string> BladNazwy(const ZestawWskaznikow& z, const std::string& nazwa) {
    if (nazwa.empty()) return std::string("Nie mo\xBFna przypisa\xE6 wska\x9Fnikowi pustej nazwy: ");
    if (nazwa.find_first_of("/\\:") != std::string::npos)
        return std::string("Nazwa wska\x9Fnika nie mo\xBF" "e zawiera\xE6 znak\xF3w / \\ :");
    if (NazwaWZestawie(z, nazwa)) return std::string("Wska\x9Fnik o tej nazwie ju\xBF jest wpisany");
    return std::nullopt;
}

bool DodajWskaznik(ZestawWskaznikow& z, const IndicatorDef& definicja, UserInterface& ui) {
    if (!definicja.Licznik.Pierwsza || !definicja.Mianownik.Pierwsza) {
        ui.message("Najpierw prosz\xEA skonstruowac wska\x9Fnik");
        return false;
    }
    const std::string nazwa =
        ui.inputText("Nadawanie nazwy wska\x9Fnikowi", "Podaj nazw\xEA wska\x9Fnika", "").value_or("");
    if (auto blad = BladNazwy(z, nazwa)) {
        ui.message(*blad);
        return false;
    }
    TabelaWskaznikow nowa = z.Tabela;
    if (nowa.Komorka(1, kol::Nazwa).empty()) {
        // A table without a title row gets ours before the first indicator.
        for (int c = 1; c <= KolumnZestawu; ++c) nowa.UstawKomorke(1, c, TytulyZestawu()[static_cast<std::size_t>(c)]);
        nowa.LiczbaWskaznikow = 1;
    }
    IndicatorDef d = definicja;
    d.Nazwa = nazwa;
    nowa.Dodaj(d);
    try {
        z.Magazyn.write(z.Plik, nowa);
    } catch (const std::exception& e) {
        ui.message("Nie zapisano zestawu wska\x9Fnik\xF3w " + z.Plik + ": " + e.what());
        return false;
    }
    z.Tabela = std::move(nowa);
    return true;
}

bool ZapiszZestawJako(ZestawWskaznikow& z, const std::string& sciezka, UserInterface& ui) {
    if (sciezka.empty()) return false;
    // The name typed is the file's, as spelt: "Zestaw.xls" beside it is
    // another file, neither asked about nor replaced or removed.
    const ExactFileNames jakWpisano;
    if (IstniejePlik(sciezka) && !ui.question("Plik " + sciezka + " ju\xBF istnieje. Zast\xB9pi\xE6 go?")) return false;
    try {
        z.Magazyn.write(sciezka, z.Tabela);
    } catch (const std::exception& e) {
        ui.message("Nie zapisano zestawu wska\x9Fnik\xF3w " + sciezka + ": " + e.what());
        return false;
    }
    z.Plik = sciezka;
    return true;
}

}  // namespace vesk
