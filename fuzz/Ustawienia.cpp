// The settings file "VE-SK.INI" in the working folder: read, the folders
// taken from it, never a crash.
#include <cstdint>
#include <memory>

#include "FuzzFolder.h"
#include "Inicjalizacja.h"
#include "Kontekst.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vesk::fuzz::writeFile(vesk::PlikUstawien, data, size);
    vesk::Kontekst* k = &vesk::fuzz::context();
    k->KatalogRoboczy = vesk::fuzz::folder().folder();
    vesk::Inicjalizacja(*k);
    return 0;
}
