// The program. Until the windows exist it starts the core the way the main
// window does (settings, constraint file) and reports what it found.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Inicjalizacja.h"
#include "Kontekst.h"

namespace {

class ConsoleInterface : public vesk::UserInterface {
public:
    void beep() override { std::fputc('\a', stderr); }
    void message(const std::string& text) override { std::cerr << vesk::cp1250ToUtf8(text) << "\n"; }
    void endProgram(int code) override {
        ended = true;
        exitCode = code;
    }
    bool ended = false;
    int exitCode = 0;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> params;
    for (int i = 1; i < argc; ++i) params.push_back(vesk::utf8ToCp1250(argv[i]));

    ConsoleInterface ui;
    auto k = std::make_unique<vesk::Kontekst>(ui, vesk::CommandLine(params));
    if (!vesk::Inicjalizacja(*k)) return 1;
    if (!vesk::WczytajOgraniczenia(*k) || ui.ended) return ui.exitCode ? ui.exitCode : 1;

    std::cout << "Vesk dla Windows: rdzen modelu uruchomiony.\n"
              << "  catPARAMETR      = " << vesk::cp1250ToUtf8(k->catPARAMETR) << "\n"
              << "  catOGRAN         = " << vesk::cp1250ToUtf8(k->catOGRAN) << "\n"
              << "  catKARTOPERATORA = " << vesk::cp1250ToUtf8(k->catKARTOPERATORA) << "\n"
              << "  catTABWZOR       = " << vesk::cp1250ToUtf8(k->catTABWZOR) << "\n"
              << "  KatalogOperatora = " << vesk::cp1250ToUtf8(k->KatalogOperatora) << "\n"
              << "  Ograniczenia: wczytano 50 pozycji, pierwsza: "
              << vesk::cp1250ToUtf8(k->Ograniczenia[1].Nazwa) << "\n"
              << "Okna programu nie sa jeszcze zbudowane; program konczy prace.\n";
    return 0;
}
