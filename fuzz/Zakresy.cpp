// The decision-range reader over arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FileSystem.h"
#include "Zakresy.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto lines = vesk::splitTextLines(std::string(reinterpret_cast<const char*>(data), size));
    vesk::Zakresy_t zakresy;
    vesk::CzytajZakresy(lines, zakresy);
    return 0;
}
