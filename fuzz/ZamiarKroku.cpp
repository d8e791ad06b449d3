// The intent file a killed what-if step leaves beside the state file, with
// the state file it names: the bytes before the first NUL are the intent
// (node numbers, one a line), the rest the state file. Opening repairs
// both; it may refuse, never crash or let an unexpected error escape.
#include <algorithm>
#include <cstdint>
#include <exception>
#include <string>

#include "FuzzFolder.h"
#include "PlikStanu.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string folder = vesk::fuzz::folder().folder();
    const std::uint8_t* koniec = data + size;
    const std::uint8_t* nul = std::find(data, koniec, std::uint8_t{0});
    vesk::fuzz::writeFile("FUZZ.qad.krok", data, static_cast<std::size_t>(nul - data));
    const std::uint8_t* stan = nul == koniec ? koniec : nul + 1;
    vesk::fuzz::writeFile("FUZZ.qad", stan, static_cast<std::size_t>(koniec - stan));
    try {
        vesk::NaprawPlikStanu(folder + "FUZZ.qad");
    } catch (const std::exception&) {
    }
    return 0;
}
