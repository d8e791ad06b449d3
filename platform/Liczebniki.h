// Polish nouns after a count: "1 bajt", "22 bajty", "12 bajtów". Used by
// the core's messages and by the windows, so that every count of a thing
// reads the same.
#pragma once

#include <cstdint>
#include <string>

namespace vesk {

// The form of a noun that follows the count n: jeden after 1; kilka after
// a count whose last digit is 2, 3 or 4, except those ending in 12, 13 or
// 14; wiele after all others (0, 5 to 21, 25, 111, ...).
const char* FormaLiczebnika(std::uint64_t n, const char* jeden, const char* kilka, const char* wiele);

// "n bajt", "n bajty" or "n bajtów" (code page 1250).
std::string LiczbaBajtow(std::uint64_t n);

}  // namespace vesk
