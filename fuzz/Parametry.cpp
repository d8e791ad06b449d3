// The model parameter file "parametr.mdl": read or refused with the
// input/output error, never a crash; refused leaves the quantities alone.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "FuzzFolder.h"
#include "IoError.h"
#include "Kontekst.h"
#include "Parametry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vesk::fuzz::writeFile(vesk::PlikParametrow, data, size);
    vesk::Kontekst* k = &vesk::fuzz::context();
    k->catPARAMETR = vesk::fuzz::folder().folder();
    try {
        vesk::WczytajParametryModelu(*k);
    } catch (const vesk::IoError&) {
    }
    return 0;
}
