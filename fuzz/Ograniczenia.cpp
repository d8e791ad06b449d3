// The constraint file "OGRAN.MDL": loaded or refused with a message,
// never a crash.
#include <cstdint>
#include <memory>

#include "FuzzFolder.h"
#include "Inicjalizacja.h"
#include "Kontekst.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vesk::fuzz::writeFile(vesk::PlikOgraniczen, data, size);
    vesk::Kontekst* k = &vesk::fuzz::context();
    k->catOGRAN = vesk::fuzz::folder().folder();
    vesk::WczytajOgraniczenia(*k);
    return 0;
}
