// A workbench with a row of sibling labels and nothing else: selecting one
// loads its number into the current record, a what-if step replaces the
// selected label by a new simulated node; refusals and failures on demand.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "DrzewoDecyzji.h"
#include "IndicatorSession.h"
#include "Kontekst.h"

namespace vesk::test {

struct FakeRodzenstwo : HakiWarsztatu {
    explicit FakeRodzenstwo(Kontekst& kontekst) : k(kontekst) {}
    Kontekst& k;
    std::vector<std::string> etykiety;  // the siblings in tree order
    std::size_t wybrany = 0;
    bool odmowa = false, blad = false;
    int zmiany = 0;
    std::vector<std::pair<int, long double>> kroki;  // what-if steps (k, v)
    std::vector<std::string> wybrane;

    std::optional<WybranyWezel> Wybrany() const override {
        if (etykiety.empty()) return std::nullopt;
        WybranyWezel w;
        w.Etykieta = etykiety[wybrany];
        w.Numer = NumerZEtykiety(w.Etykieta);
        w.Glebokosc = 1;
        for (std::size_t j = wybrany; j-- > 0;) w.Poprzednie.push_back(etykiety[j]);
        for (std::size_t j = wybrany + 1; j < etykiety.size(); ++j) w.Nastepne.push_back(etykiety[j]);
        return w;
    }
    void Zmiana_wezla() override {
        ++zmiany;
        k.RekordBiezacy.UstawNumer(static_cast<std::uint8_t>(NumerZEtykiety(etykiety[wybrany])));
    }
    void UstawRezultaty2(bool) override {}
    void UstawWzy1(bool) override {}
    std::optional<int> CoJesli(int parametr, long double v) override {
        kroki.emplace_back(parametr, v);
        if (blad) throw std::runtime_error("zapis nieudany");
        if (odmowa) return std::nullopt;
        int nowy = 1;
        for (const std::string& e : etykiety) nowy = std::max(nowy, NumerZEtykiety(e) + 1);
        etykiety[wybrany] = EtykietaWezla(nowy, true);
        Zmiana_wezla();
        return nowy;
    }
    bool WybierzEtykiete(const std::string& etykieta) override {
        auto it = std::find(etykiety.begin(), etykiety.end(), etykieta);
        if (it == etykiety.end()) return false;
        wybrany = static_cast<std::size_t>(it - etykiety.begin());
        wybrane.push_back(etykieta);
        Zmiana_wezla();
        return true;
    }
    // The values of the what-if steps, whole.
    std::vector<int> wartosci() const {
        std::vector<int> v;
        for (const auto& [p, x] : kroki) v.push_back(static_cast<int>(x));
        return v;
    }
};

}  // namespace vesk::test
