// Builds the binary parameter file "parametr.mdl" from its readable list.
//
//   generuj_parametry LIST OUTPUT
//
// LIST holds one value per line, "number | meaning | unit | value", numbers
// 1..46 in order; "#" starts a comment line. OUTPUT gets the 46 values as
// consecutive 6-byte reals. Any fault is reported as "file:line: message"
// and no output is written.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CodePage.h"
#include "Decimal.h"
#include "FileSystem.h"
#include "Real48.h"

namespace {

constexpr int kLiczbaWartosci = 46;

std::string przytnij(const std::string& s) {
    const char* biale = " \t\r\n";
    auto a = s.find_first_not_of(biale);
    if (a == std::string::npos) return {};
    auto b = s.find_last_not_of(biale);
    return s.substr(a, b - a + 1);
}

std::vector<std::string> pola(const std::string& linia) {
    std::vector<std::string> wynik;
    std::stringstream ss(linia);
    std::string p;
    while (std::getline(ss, p, '|')) wynik.push_back(przytnij(p));
    return wynik;
}

bool liczba(const std::string& t, long double& v) {
    std::optional<long double> x = vesk::parseDecimal(t);
    if (x) v = *x;
    return x.has_value();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "uzycie: generuj_parametry LISTA WYJSCIE\n";
        return 2;
    }
    const std::string lista = argv[1];
    const std::string wyjscie = argv[2];
    std::ifstream in(lista);
    if (!in) {
        std::cerr << lista << ": nie mozna otworzyc\n";
        return 1;
    }
    auto blad = [&](int nr, const std::string& tekst) {
        std::cerr << lista << ":" << nr << ": " << tekst << "\n";
        return 1;
    };

    std::string bajty;
    int oczekiwany = 1;
    int nrLinii = 0;
    std::string linia;
    while (std::getline(in, linia)) {
        ++nrLinii;
        const std::string t = przytnij(linia);
        if (t.empty() || t[0] == '#') continue;
        const std::vector<std::string> p = pola(t);
        if (p.size() != 4) return blad(nrLinii, "potrzeba 4 pol: numer | znaczenie | jednostka | wartosc");
        long double numer = 0, wartosc = 0;
        if (!liczba(p[0], numer) || numer != static_cast<long double>(oczekiwany))
            return blad(nrLinii, "oczekiwano wartosci numer " + std::to_string(oczekiwany));
        if (oczekiwany > kLiczbaWartosci) return blad(nrLinii, "wiecej niz 46 wartosci");
        if (p[1].empty()) return blad(nrLinii, "brak opisu wartosci");
        if (!liczba(p[3], wartosc)) return blad(nrLinii, "wartosc '" + p[3] + "' nie jest liczba");
        vesk::Real48Bytes b{};
        try {
            b = vesk::encodeReal48(wartosc);
        } catch (const vesk::Real48Error&) {
            return blad(nrLinii, "wartosc '" + p[3] + "' nie miesci sie w formacie 6-bajtowym");
        }
        bajty.append(reinterpret_cast<const char*>(b.data()), b.size());
        ++oczekiwany;
    }
    if (oczekiwany != kLiczbaWartosci + 1)
        return blad(nrLinii, "jest " + std::to_string(oczekiwany - 1) + " wartosci, potrzeba 46");

    // A temporary file of its own renamed over the old one, as every write.
    const std::optional<std::string> sciezka = vesk::fileNameToCp1250(wyjscie);
    if (!sciezka || !vesk::replaceFile(*sciezka, bajty)) {
        std::cerr << wyjscie << ": nie mozna zapisac"
                  << (sciezka ? ": " + vesk::cp1250ToUtf8(vesk::lastFileError()) : std::string()) << "\n";
        return 1;
    }
    return 0;
}
