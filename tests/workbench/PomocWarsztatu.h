// A workbench on a fresh context over a temporary folder, and the means to
// lay out an operator's files by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "PlikStanu.h"
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

// The folder (ending with "/") on a read-only medium for as long as this
// lives: a bind mount made read-only; `jest` false where none can be made.
struct NosnikTylkoDoOdczytu {
    std::string sciezka;
    bool jest = false;
    explicit NosnikTylkoDoOdczytu(const std::string& folder) : sciezka(folder.substr(0, folder.size() - 1)) {
        jest = std::system(("mount --bind '" + sciezka + "' '" + sciezka + "' 2>/dev/null").c_str()) == 0;
        if (jest && std::system(("mount -o remount,ro,bind '" + sciezka + "'").c_str()) != 0) zdejmij();
    }
    ~NosnikTylkoDoOdczytu() { zdejmij(); }
    void zdejmij() {
        if (jest) {
            EXPECT_EQ(std::system(("umount '" + sciezka + "'").c_str()), 0);
        }
        jest = false;
    }
};

// An environment variable set for as long as this lives.
struct ZmiennaSrodowiska {
    std::string nazwa, dawna;
    bool byla = false;
    ZmiennaSrodowiska(std::string n, const std::string& wartosc) : nazwa(std::move(n)) {
        if (const char* d = std::getenv(nazwa.c_str())) byla = true, dawna = d;
        ::setenv(nazwa.c_str(), wartosc.c_str(), 1);
    }
    ~ZmiennaSrodowiska() { byla ? ::setenv(nazwa.c_str(), dawna.c_str(), 1) : ::unsetenv(nazwa.c_str()); }
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
