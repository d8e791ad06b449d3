// An interpreter over a workbench on a fresh context in a temporary
// folder, with a recording view; command files are written there and
// opened as the batch run opens them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CzasownikiWarsztatu.h"
#include "Interpretator.h"
#include "TempDir.h"
#include "Warsztat.h"

namespace vesk::test {

class NagrywajacyWidok : public InterpreterView {
public:
    void show() override { ++pokazano; }
    void hide() override { ++ukryto; }
    void setText(const std::string& t) override { tekst = t; }
    void setCaption(const std::string& c) override { podpisy.push_back(c); }
    void select(int start, int dlugosc) override { zaznaczenia.push_back({start, dlugosc}); }
    void echo(const std::string& l) override { echa.push_back(l); }
    void activity(const std::string* t) override { wsk.push_back(t ? *t : "<ukryty>"); }
    void gridRow(int r, const std::string& n, const std::string& v) override {
        siatka[static_cast<std::size_t>(r)] = {n, v};
    }
    void stepButton(bool a) override { przycisk.push_back(a); }
    bool cursorInStopBand() override { return kursorWPasie; }

    int pokazano = 0, ukryto = 0;
    std::string tekst;
    std::vector<std::string> podpisy, echa, wsk;
    std::vector<std::pair<int, int>> zaznaczenia;
    std::array<std::pair<std::string, std::string>, 20> siatka;
    std::vector<bool> przycisk;
    bool kursorWPasie = false;
};

struct InterpretatorTest : ::testing::Test {
    TempDir dir;
    ScriptedUserInterface ui;
    std::unique_ptr<Kontekst> k = std::make_unique<Kontekst>(ui);
    std::unique_ptr<Warsztat> w;
    std::unique_ptr<CzasownikiWarsztatu> cz;
    NagrywajacyWidok widok;
    std::unique_ptr<Interpretator> in;

    void SetUp() override {
        k->catPARAMETR = std::string(VESK_DATA_DIR) + "PARAMETR/";
        k->catKARTOPERATORA = dir.folder();
        k->SeparatorDziesietny = ',';
        w = std::make_unique<Warsztat>(*k);
        cz = std::make_unique<CzasownikiWarsztatu>(*w);
        in = std::make_unique<Interpretator>(*k, *cz, widok);
        in->Losowanie.reseed(1);
    }

    double x(int n) const { return k->ZmienneSkryptu[static_cast<std::size_t>(n - 1)]; }
    void ustaw(int n, double v) { k->ZmienneSkryptu[static_cast<std::size_t>(n - 1)] = v; }

    // Writes the lines (code page 1250, CR LF) as a command file.
    std::string plik(const std::string& nazwa, const std::vector<std::string>& linie) {
        std::string t;
        for (const std::string& l : linie) t += l + "\r\n";
        dir.write(nazwa, t);
        return dir.file(nazwa);
    }
    // Opens a command file as the batch run does.
    bool otworzPlik(const std::string& sciezka) {
        k->TrybWsadowy = true;
        k->PlikRozkazowWsadowy = sciezka;
        return in->Podanienazwyplikuzrozkazami1Click();
    }
    bool otworz(const std::vector<std::string>& linie) { return otworzPlik(plik("a.roz", linie)); }
    void nacisnij() { in->PrzyciskWykonaniaNastepnegoPoleceniaClick(); }
    // Presses until the step button is off (at most 1000 presses).
    void wykonajCaly() {
        for (int i = 0; i < 1000 && in->PrzyciskAktywny() && !in->ZatrzymanieSkryptu; ++i) nacisnij();
    }
    // Opens and runs a file from "run" on.
    void uruchom(std::vector<std::string> linie) {
        linie.insert(linie.begin(), "run");
        ASSERT_TRUE(otworz(linie));
        wykonajCaly();
    }
    // A new operator OP in the temporary folder.
    void nowyOperator() { ASSERT_TRUE(w->TworzenieNowegoOperatora(dir.folder() + "OP.")); }
    std::vector<std::string> etykiety() const {
        std::vector<std::string> e;
        for (int i = 0; i < w->Drzewo.Liczba(); ++i) e.push_back(w->Drzewo.Etykieta(i));
        return e;
    }
};

}  // namespace vesk::test
