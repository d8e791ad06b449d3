// The tree-file reader over arbitrary bytes: a tree or WorkbenchError,
// and a tree read back from its own lines is the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DrzewoDecyzji.h"
#include "WorkbenchError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bajty(reinterpret_cast<const char*>(data), size);
    try {
        vesk::DrzewoDecyzji d = vesk::DrzewoDecyzji::ZTekstu(bajty, "fuzz.tr1");
        std::string tekst;
        for (const std::string& l : d.Linie()) tekst += l + "\r\n";
        if (!(vesk::DrzewoDecyzji::ZTekstu(tekst, "fuzz.tr1") == d)) std::abort();
        d.Sortuj();
        for (int i = 0; i < d.Liczba(); ++i) (void)d.Dzieci(i);
    } catch (const vesk::WorkbenchError&) {
    }
    return 0;
}
