#include "Liczebniki.h"

namespace vesk {

const char* FormaLiczebnika(std::uint64_t n, const char* jeden, const char* kilka, const char* wiele) {
    if (n == 1) return jeden;
    const std::uint64_t jednosci = n % 10, setki = n % 100;
    if (jednosci >= 2 && jednosci <= 4 && !(setki >= 12 && setki <= 14)) return kilka;
    return wiele;
}

std::string LiczbaBajtow(std::uint64_t n) {
    // "bajtów"
    return std::to_string(n) + " " + FormaLiczebnika(n, "bajt", "bajty", "bajt\xF3w");
}

}  // namespace vesk
