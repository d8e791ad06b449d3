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
    // The user's own folder, never the source tree: $VESK_HOME, else ~/VE_SK.
    const char* vesk = std::getenv("VESK_HOME");
    const char* home = std::getenv("HOME");
    std::string folder = vesk && *vesk ? std::string(vesk) : std::string(home && *home ? home : ".") + "/VE_SK";
    d.Operatorzy = normalizeFolder(folder) + "OPERATOR/";
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
