#include "Kontekst.h"

#include <cstdlib>
#include <optional>

#include "CodePage.h"
#include "FileSystem.h"
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
    // A name no core path can spell is refused by the start-up, never
    // taken for another.
    const char* vesk = std::getenv("VESK_HOME");
    const char* home = std::getenv("HOME");
    const bool zVesk = vesk && *vesk;
    const std::string natywny = zVesk ? std::string(vesk) : std::string(home && *home ? home : ".") + "/VE_SK";
    if (std::optional<std::string> folder = fileNameToCp1250(natywny)) {
        d.Operatorzy = normalizeFolder(*folder) + "OPERATOR/";
    } else {
        d.Operatorzy = "OPERATOR/";
        d.BladOperatorow = unusableFolderMessage(
            zVesk ? natywny : natywny.substr(0, natywny.size() - 6),
            zVesk ? "zmienna \x9Crodowiska VESK_HOME" : "zmienna \x9Crodowiska HOME",
            std::string(zVesk ? "nale\xBFy wskaza\xE6 w VESK_HOME" : "nale\xBFy wskaza\xE6 w zmiennej VESK_HOME") +
                " folder o nazwie ze znak\xF3w strony kodowej 1250 (np. polskich liter) albo zmieni\xE6 nazw\xEA folderu");
    }
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

std::string FolderRoboczy(const Kontekst& k) {
    return normalizeFolder(k.KatalogRoboczy.empty() ? currentFolder() : k.KatalogRoboczy);
}

}  // namespace vesk
