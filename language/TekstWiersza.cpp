#include "TekstWiersza.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

#include "BladSkryptu.h"
#include "CodePage.h"
#include "Decimal.h"
#include "Pomocnicze.h"
#include "Real48.h"

namespace vesk {

namespace {

unsigned char MalaLitera(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + ('a' - 'A'));
    switch (c) {
        case 165: return 185;  // Ą
        case 198: return 230;  // Ć
        case 202: return 234;  // Ę
        case 163: return 179;  // Ł
        case 209: return 241;  // Ń
        case 211: return 243;  // Ó
        case 143: return 159;  // Ź
        case 175: return 191;  // Ż
        default: return c;     // Ś (140) and everything else
    }
}

}  // namespace

WierszZnormalizowany Normalizuj_Wiersz(const std::string& linia) {
    std::size_t i = 0;
    while (i < linia.size() && static_cast<unsigned char>(linia[i]) <= 32) ++i;
    WierszZnormalizowany w;
    w.Wciecie.assign(i, ' ');
    w.Wiersz.reserve(linia.size() - i);
    for (; i < linia.size(); ++i) w.Wiersz.push_back(static_cast<char>(MalaLitera(static_cast<unsigned char>(linia[i]))));
    return w;
}

std::string ZPisowniaCudzyslowu(const std::string& wiersz, const std::string& zrodlo) {
    const auto cudzyslow = [](const std::string& l) -> std::pair<std::size_t, std::size_t> {
        const std::size_t a = l.find('"');
        const std::size_t b = a == std::string::npos ? a : l.find('"', a + 1);
        return {a, b};
    };
    const auto [a, b] = cudzyslow(wiersz);
    const auto [c, d] = cudzyslow(zrodlo);
    if (b == std::string::npos || d == std::string::npos) return wiersz;
    const std::string napisany = zrodlo.substr(c + 1, d - c - 1);
    if (napisany.size() != b - a - 1) return wiersz;
    for (std::size_t i = 0; i < napisany.size(); ++i)
        if (MalaLitera(static_cast<unsigned char>(napisany[i])) != static_cast<unsigned char>(wiersz[a + 1 + i]))
            return wiersz;
    return wiersz.substr(0, a + 1) + napisany + wiersz.substr(b);
}

bool ZnakPoczatkuRozkazu(unsigned char c) {
    return c == '*' || c == '+' || c == '-' || c == '/' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z') || c == 179 || c == 185 || c == 234;
}

std::string UsunZnakiPrzedRozkazem(const std::string& linia) {
    std::size_t i = 0;
    while (i < linia.size() && !ZnakPoczatkuRozkazu(static_cast<unsigned char>(linia[i]))) ++i;
    return linia.substr(i);
}

long double CzytajLiczbe(const std::string& tekst) {
    std::size_t i = 0;
    while (i < tekst.size() && tekst[i] == ' ') ++i;
    const std::string_view liczba = std::string_view(tekst).substr(i);
    std::optional<long double> v = parseDecimal(liczba);
    // A long text (an answer of 64 KiB) is named by its start.
    const std::string poczatek = "\"" + readableCp1250Start(tekst, 40) + "\"";
    if (const int poza = decimalBeyondRange(liczba))
        // "liczba "7000000..." jest za duża"
        throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem,
                          "liczba " + poczatek + " jest za " + (poza > 0 ? "du\xBF" "a" : "bliska zera"));
    if (!v) throw BladSkryptu(BladSkryptu::Rodzaj::NieLiczba, poczatek + " nie jest liczb\xB9");
    return *v;
}

long double Tekst_Na_Real(const std::string& tekst) {
    const long double v = CzytajLiczbe(tekst);
    try {
        return roundToReal48(v);
    } catch (const Real48Error&) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem, "liczba \"" + tekst + "\" jest poza zakresem");
    }
}

std::string PostacStala(long double v, int szerokosc, int miejsca) {
    if (!std::isfinite(v) || std::fabs(v) < 1e36L) return RealNaTekst(v, szerokosc, miejsca);
    char bufor[64];
    std::snprintf(bufor, sizeof bufor, "%.17LE", v);
    std::string t = bufor;  // d.dddddddddddddddddE+dd
    const std::size_t e = t.find('E');
    const int wykladnik = std::atoi(t.c_str() + e + 1);
    char koniec[16];
    std::snprintf(koniec, sizeof koniec, "E%c%04d", wykladnik < 0 ? '-' : '+', std::abs(wykladnik));
    t = t.substr(0, e) + koniec;
    if (static_cast<int>(t.size()) < szerokosc) t.insert(0, static_cast<std::size_t>(szerokosc) - t.size(), ' ');
    return t;
}

int Liczba_Miejsc_Dziesietnych(long double v) {
    long double r;
    try {
        r = roundToReal48(v);
    } catch (const Real48Error&) {
        throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem, "warto\x9C\xE6 poza zakresem liczby 6-bajtowej");
    }
    int d = 20;
    std::string t = PostacStala(r, 10, d);
    while (!t.empty() && t.back() == '0' && d > 0) {
        --d;
        t = PostacStala(r, 5, d);
    }
    return d;
}

}  // namespace vesk
