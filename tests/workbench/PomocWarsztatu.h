// A workbench on a fresh context over a temporary folder, and the means to
// lay out an operator's files by hand.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PlikStanu.h"
#include "Srodowisko.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace vesk::test {

class SkryptowaneWskazniki : public IndicatorWindow {
public:
    bool visible() const override { return widoczne; }
    bool active() const override { return aktywne; }
    void hide() override {
        widoczne = false;
        ++ukryto;
    }
    bool refreshAndEvaluate() override {
        ++odswiezono;
        return false;
    }
    bool widoczne = false, aktywne = false;
    int ukryto = 0, odswiezono = 0;
};

struct WarsztatTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
    std::unique_ptr<Warsztat> w;

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catKARTOPERATORA = dir.folder();
        w = std::make_unique<Warsztat>(*k);
    }

    // A new operator OP in the temporary folder.
    void nowyOperator(const std::string& nazwa = "OP") {
        ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + nazwa + "."));
    }

    // A record of node n under parent p (a copy of the root with its header
    // changed, the year of a child of the root unless given), as the file
    // holds it.
    StanModelu rekord(int n, int p, bool symulowany, int rok = 0) {
        StanModelu r;
        EXPECT_TRUE(ZnajdzStanModelu(*k, dir.file("OP.qad"), 0, r));
        r.UstawNumer(static_cast<std::uint8_t>(n));
        r.UstawRodzica(static_cast<std::uint8_t>(p));
        r.UstawRok(static_cast<std::int16_t>(rok != 0 ? rok : n == 0 ? 2012 : 2015));
        r.UstawSymulowany(symulowany ? 1 : 0);
        return r;
    }

    // Operator OP with the records {number, parent, simulated} (the root is
    // made here) and the tree file's text; opened.
    struct Rek {
        int n, p;
        bool sym;
    };
    void operatorZPlikow(const std::vector<Rek>& rekordy, const std::string& drzewo, bool otworz = true) {
        nowyOperator();
        std::string bajty = dir.read("OP.qad");
        std::map<int, int> lata{{0, 2012}};  // each a year after its parent's
        for (const Rek& r : rekordy) lata[r.n] = 0;
        for (bool dalej = true; dalej;) {
            dalej = false;
            for (const Rek& r : rekordy)
                if (lata[r.n] == 0 && lata.count(r.p) && lata[r.p] != 0) lata[r.n] = lata[r.p] + 3, dalej = true;
        }
        for (const Rek& r : rekordy) {
            StanModelu s = rekord(r.n, r.p, r.sym, lata[r.n]);
            bajty.append(reinterpret_cast<const char*>(s.bajty.data()), s.bajty.size());
        }
        dir.write("OP.qad", bajty);
        dir.write("OP.tr1", drzewo);
        if (otworz) {
            ASSERT_TRUE(w->Wczytanie_istniejacego_operatora(dir.folder() + "OP."));
        }
    }

    void wybierzNumer(int n) {
        w->Wybierz(w->Drzewo.Znajdz(n));
        w->Zmiana_wezla();
    }
    std::vector<std::string> etykiety() const {
        std::vector<std::string> e;
        for (int i = 0; i < w->Drzewo.Liczba(); ++i) e.push_back(w->Drzewo.Etykieta(i));
        return e;
    }
};

}  // namespace vesk::test
