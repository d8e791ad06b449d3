#include "Kontekst.h"

#include <cstdlib>

#include "Paths.h"

#ifndef VESK_DATA_DIR
#define VESK_DATA_DIR "data/"
#endif

namespace vesk {

namespace {
Kontekst::Katalogi katalogiProgramu() {
    Kontekst::Katalogi d;
    std::string dane = normalizeFolder(VESK_DATA_DIR);
    d.Parametry = dane + "PARAMETR/";
    d.Wzorce = dane + "TABWZOR/";
    const char* home = std::getenv("HOME");
    d.Operatorzy = normalizeFolder(std::string(home && *home ? home : ".") + "/VE_SK/OPERATOR");
    return d;
}
}  // namespace

Kontekst::Kontekst()
    : Okna(&domyslneOkna_), DomyslneKatalogi(katalogiProgramu()), Historia(std::make_unique<Przebiegi>()) {}

Kontekst::Kontekst(UserInterface& okna, CommandLine parametry)
    : Okna(&okna),
      Parametry(std::move(parametry)),
      DomyslneKatalogi(katalogiProgramu()),
      Historia(std::make_unique<Przebiegi>()) {}

}  // namespace vesk
