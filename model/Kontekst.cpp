#include "Kontekst.h"

#include <cstdlib>

#include "CodePage.h"
#include "Paths.h"

#ifndef VESK_DATA_DIR
#define VESK_DATA_DIR "data/"
#endif

namespace vesk {

namespace {
Kontekst::Katalogi katalogiProgramu() {
    Kontekst::Katalogi d;
    // Folder names from outside (environment, build) are UTF-8; the core
    // keeps them in code page 1250 like every other text.
    std::string dane = normalizeFolder(utf8ToCp1250(VESK_DATA_DIR));
    d.Parametry = dane + "PARAMETR/";
    d.Wzorce = dane + "TABWZOR/";
    // The user's own folder, never the source tree: $VESK_HOME, else ~/VE_SK.
    const char* vesk = std::getenv("VESK_HOME");
    const char* home = std::getenv("HOME");
    std::string folder = utf8ToCp1250(vesk && *vesk ? std::string(vesk) : std::string(home && *home ? home : ".") + "/VE_SK");
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
