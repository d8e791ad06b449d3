#include "ZmienneSkryptu.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "BladSkryptu.h"
#include "TekstWiersza.h"

namespace vesk {

namespace {

bool Separator(char c) { return c == ' ' || c == ','; }

std::string NazwaWewnetrzna(int N) { return "x" + std::to_string(N); }

void SprawdzNumer(int N) {
    if (N < 1 || N > LiczbaZmiennych)
        throw BladSkryptu(BladSkryptu::Rodzaj::NumerZmiennej, "nie ma zmiennej x" + std::to_string(N));
}

// The 15 significant digits of |v| and its decimal exponent x
// (|v| = d.dddddddddddddd x 10^x); v finite and not 0.
void Cyfry15(double v, std::string& cyfry, int& wykladnik) {
    char bufor[40];
    std::snprintf(bufor, sizeof bufor, "%.14e", std::fabs(v));
    cyfry.clear();
    const char* p = bufor;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') cyfry.push_back(*p);
    wykladnik = std::atoi(p + 1);
}

const char* NieSkonczona(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    return nullptr;
}

}  // namespace

int DeklarujZmienna(Kontekst& k, const std::string& nazwa) {
    for (int i = 0; i < LiczbaZmiennych; ++i) {
        Kontekst::NazwaZmiennej& wpis = k.NazwyZmiennych[static_cast<std::size_t>(i)];
        if (!wpis.Wewnetrzna.empty()) continue;
        wpis.Wewnetrzna = NazwaWewnetrzna(i + 1);
        wpis.Uzytkownika = nazwa;
        return i + 1;
    }
    throw BladSkryptu(BladSkryptu::Rodzaj::BrakMiejscaNaNazwe,
                      "brak miejsca na nazwe \"" + nazwa + "\": zadeklarowano ju\xBF 100 zmiennych");
}

void ZapomnijNazwyZmiennych(Kontekst& k) { k.NazwyZmiennych.fill({}); }

std::string Ekstrakcja_Stringa(const std::string& linia, int N) {
    std::string wynik;
    if (linia.empty() || N <= 0) return wynik;
    int granice = 0;
    for (std::size_t i = 0; i < linia.size() && granice < N; ++i) {
        if (Separator(linia[i])) {
            if (i == 0 || !Separator(linia[i - 1])) ++granice;
        } else if (granice == N - 1) {
            wynik.push_back(linia[i]);
        }
    }
    return wynik;
}

std::string Podstaw_Nazwy_Zmiennych(const Kontekst& k, std::string linia) {
    for (const Kontekst::NazwaZmiennej& wpis : k.NazwyZmiennych) {
        if (wpis.Wewnetrzna.empty()) break;
        const std::string& u = wpis.Uzytkownika;
        if (u.empty()) continue;
        for (std::size_t p = linia.find(u); p != std::string::npos; p = linia.find(u, p + 1)) {
            const std::size_t koniec = p + u.size();
            const bool poczatekSlowa = p == 0 || Separator(linia[p - 1]);
            const bool koniecSlowa = koniec == linia.size() || Separator(linia[koniec]);
            if (poczatekSlowa && koniecSlowa) linia.replace(p, u.size(), wpis.Wewnetrzna);
        }
    }
    return linia;
}

std::optional<int> NumerZmiennejOperandu(const std::string& slowo) {
    if (slowo.empty() || slowo[0] != 'x') return std::nullopt;
    std::size_t i = 1;
    while (i < slowo.size() && slowo[i] == ' ') ++i;
    bool ujemny = false;
    if (i < slowo.size() && (slowo[i] == '+' || slowo[i] == '-')) ujemny = slowo[i++] == '-';
    long long n = 0;
    for (; i < slowo.size() && slowo[i] >= '0' && slowo[i] <= '9'; ++i)
        if (n <= LiczbaZmiennych) n = n * 10 + (slowo[i] - '0');  // beyond 100 it only needs to stay beyond
    if (ujemny) n = -n;
    if (n < 1 || n > LiczbaZmiennych)
        throw BladSkryptu(BladSkryptu::Rodzaj::NumerZmiennej, "\"" + slowo + "\" nie jest zmienn\xB9 x1..x100");
    return static_cast<int>(n);
}

std::string PodstawOperand(const Kontekst& k, const std::string& slowo, PostacWartosci postac) {
    const std::optional<int> N = NumerZmiennejOperandu(slowo);
    if (!N) return slowo;
    return postac == PostacWartosci::Naukowa ? Wartosc_Zmiennej(k, *N) : Wartosc_Zmiennej_Tekst(k, *N);
}

std::string PostacNaukowa(double v) {
    if (const char* t = NieSkonczona(v)) return t;
    std::string cyfry = "000000000000000";
    int x = 0;
    if (v != 0.0) Cyfry15(v, cyfry, x);
    char wykladnik[16];
    std::snprintf(wykladnik, sizeof wykladnik, "E%c%04d", x < 0 ? '-' : '+', std::abs(x));
    return std::string(1, std::signbit(v) && v != 0.0 ? '-' : ' ') + cyfry[0] + '.' + cyfry.substr(1) + wykladnik;
}

std::string PostacOgolna(double v, char separator) {
    if (const char* t = NieSkonczona(v)) return t;
    if (v == 0.0) return "0";
    std::string cyfry;
    int x = 0;
    Cyfry15(v, cyfry, x);
    while (cyfry.size() > 1 && cyfry.back() == '0') cyfry.pop_back();
    std::string t = v < 0 ? "-" : "";
    const int e = x + 1;  // |v| = 0.d1d2... x 10^e
    if (e >= -3 && e <= 15) {
        if (x < 0) {
            t += "0";
            t += separator;
            t += std::string(static_cast<std::size_t>(-x - 1), '0') + cyfry;
        } else {
            const std::size_t calkowite = static_cast<std::size_t>(x) + 1;
            if (cyfry.size() <= calkowite) {
                t += cyfry + std::string(calkowite - cyfry.size(), '0');
            } else {
                t += cyfry.substr(0, calkowite);
                t += separator;
                t += cyfry.substr(calkowite);
            }
        }
        return t;
    }
    t += cyfry[0];
    if (cyfry.size() > 1) {
        t += separator;
        t += cyfry.substr(1);
    }
    return t + "E" + std::to_string(x);
}

std::string Wartosc_Zmiennej(const Kontekst& k, int N) {
    SprawdzNumer(N);
    return PostacNaukowa(k.ZmienneSkryptu[static_cast<std::size_t>(N - 1)]);
}

std::string Wartosc_Zmiennej_Tekst(const Kontekst& k, int N) {
    SprawdzNumer(N);
    return PostacOgolna(k.ZmienneSkryptu[static_cast<std::size_t>(N - 1)], k.SeparatorDziesietny);
}

void UstawWartoscZmiennej(Kontekst& k, int N, long double v) {
    SprawdzNumer(N);
    if (!(std::fabs(v) <= static_cast<long double>(std::numeric_limits<double>::max())))
        throw BladSkryptu(BladSkryptu::Rodzaj::PozaZakresem,
                          "warto\x9C" "ci nie mo\xBFna zapisa\xE6 w zmiennej x" + std::to_string(N));
    k.ZmienneSkryptu[static_cast<std::size_t>(N - 1)] = static_cast<double>(v);
}

bool Ustaw_Zmienna(Kontekst& k, int N, const std::string& tekst) {
    SprawdzNumer(N);
    UstawWartoscZmiennej(k, N, CzytajLiczbe(tekst));
    return true;
}

}  // namespace vesk
