#include "SlowaRozkazu.h"

#include <cctype>
#include <limits>

#include "BladSkryptu.h"
#include "ZmienneSkryptu.h"

namespace vesk {

std::string WymaganeSlowo(const std::string& linia, int N, const char* co) {
    std::string s = Ekstrakcja_Stringa(linia, N);
    if (s.empty())
        throw BladSkryptu(BladSkryptu::Rodzaj::BrakOperandu,
                          "brak slowa " + std::to_string(N) + " (" + std::string(co) + ")");
    return s;
}

namespace {

// The number at the start and how many characters it took (0: no digit).
long long czytajCalkowita(const std::string& t, std::size_t& zuzyte) {
    std::size_t i = 0;
    bool minus = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) minus = t[i++] == '-';
    long long v = 0;
    const std::size_t cyfry = i;
    for (; i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])); ++i) {
        v = v * 10 + (t[i] - '0');
        if (v > std::numeric_limits<int>::max())
            throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem, "liczba '" + t + "' jest zbyt du\xBF" "a");
    }
    zuzyte = i > cyfry ? i : 0;
    return minus ? -v : v;
}

std::string tekstArgumentu(const Kontekst& k, const std::string& slowo) {
    return PodstawOperand(k, slowo, PostacWartosci::Ogolna);
}

}  // namespace

int LiczbaCalkowitaZPoczatku(const std::string& tekst) {
    std::size_t zuzyte = 0;
    return static_cast<int>(czytajCalkowita(tekst, zuzyte));
}

int NumerCelu(const std::string& slowo) {
    const std::string reszta = slowo.size() > 1 ? slowo.substr(1) : std::string();
    std::size_t zuzyte = 0;
    long long n = 0;
    try {
        n = czytajCalkowita(reszta, zuzyte);
    } catch (const BladSkryptu&) {
        n = 0;
    }
    if (zuzyte == 0 || n < 1 || n > 100)
        throw BladSkryptu(BladSkryptu::Rodzaj::NumerZmiennej, "'" + slowo + "' nie jest zmienn\xB9 x1..x100");
    return static_cast<int>(n);
}

int ArgumentCalkowity(const Kontekst& k, const std::string& slowo) {
    // A literal must be a whole number; a variable's text gives its
    // leading digits (2,75 gives 2).
    if (!NumerZmiennejOperandu(slowo)) return ArgumentCalkowityScisly(k, slowo);
    return LiczbaCalkowitaZPoczatku(tekstArgumentu(k, slowo));
}

int ArgumentCalkowityScisly(const Kontekst& k, const std::string& slowo) {
    const std::string t = tekstArgumentu(k, slowo);
    std::size_t zuzyte = 0;
    const long long v = czytajCalkowita(t, zuzyte);
    if (zuzyte == 0 || zuzyte != t.size())
        throw BladSkryptu(BladSkryptu::Rodzaj::NieLiczba, "'" + t + "' nie jest liczb\xB9 ca\xB3kowit\xB9");
    return static_cast<int>(v);
}

}  // namespace vesk
