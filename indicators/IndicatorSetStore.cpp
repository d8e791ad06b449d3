#include "IndicatorSetStore.h"

#include <exception>
#include <utility>

#include "Pomocnicze.h"

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

bool WczytajZestaw(ZestawWskaznikow& z, const std::string& sciezka, UserInterface& ui) {
    for (;;) {
        try {
            TabelaWskaznikow nowa = z.Magazyn.read(sciezka);
            nowa.LiczbaWskaznikow = PoliczWskazniki(nowa);
            z.Tabela = std::move(nowa);
            z.Plik = sciezka;
            z.NazwaZestawu = RdzenZestawu(sciezka);
            return true;
        } catch (const std::exception&) {
            if (!ui.confirm(kZamknijExcel, kWspoldzielenie)) return false;
        }
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
