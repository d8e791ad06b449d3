// The decimal-number reader (constraint file, parameter list, the demand
// option): any text gives a number or nothing, never a crash.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Decimal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto v = vesk::parseDecimal(text)) {
        // What the reader accepts is a finite number of its own type; a
        // long number may lie beyond a double's range (callers round it to
        // the 6-byte real, which refuses it).
        if (!std::isfinite(*v)) std::abort();
    }
    // A number beyond the range is no number the reader gives.
    if (vesk::decimalBeyondRange(text) != 0 && vesk::parseDecimal(text)) std::abort();
    return 0;
}
