#include "Pomocnicze.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "FileSystem.h"
#include "Paths.h"

namespace vesk {

std::string UsunSpacjeKoncowe(const std::string& s) {
    auto end = s.size();
    while (end > 0 && s[end - 1] == ' ') --end;
    return s.substr(0, end);
}

std::string UsunSpacjePoczatkowe(const std::string& s) {
    std::string::size_type start = 0;
    while (start < s.size() && s[start] == ' ') ++start;
    return s.substr(start);
}

void NadpiszTekst(std::string& line, const std::string& text, int column) {
    if (column < 1) return;
    auto pos = static_cast<std::size_t>(column - 1);
    for (std::size_t i = 0; i < text.size() && pos + i < line.size(); ++i) line[pos + i] = text[i];
}

namespace {
std::string padLeft(std::string s, int width) {
    if (width > 0 && s.size() < static_cast<std::size_t>(width))
        s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
    return s;
}
}  // namespace

std::string LiczbaNaTekst(std::int32_t value, int width) { return padLeft(std::to_string(value), width); }

std::string RealNaTekst(long double value, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(value)) return padLeft(std::isnan(value) ? "NAN" : (value < 0 ? "-INF" : "INF"), width);
    bool negative = std::signbit(value) && value != 0.0L;
    long double magnitude = std::fabs(value);

    // 18 significant digits: d.ddddddddddddddddde+XX
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17Le", magnitude);
    std::string digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits.push_back(*p);
    int exponent = (*p == 'e') ? std::atoi(p + 1) : 0;
    if (magnitude == 0.0L) exponent = 0;

    // The value is 0.d1d2...d18 x 10^(exponent+1); keep `kept` digits.
    int intDigits = exponent + 1;
    int kept = intDigits + decimals;
    std::string mantissa;  // the kept digits
    if (kept < 0) {
        mantissa.clear();
    } else if (kept >= static_cast<int>(digits.size())) {
        mantissa = digits + std::string(static_cast<std::size_t>(kept) - digits.size(), '0');
    } else {
        mantissa = digits.substr(0, static_cast<std::size_t>(kept));
        if (digits[static_cast<std::size_t>(kept)] >= '5') {
            int i = kept - 1;
            while (i >= 0 && mantissa[static_cast<std::size_t>(i)] == '9') mantissa[static_cast<std::size_t>(i--)] = '0';
            if (i >= 0) {
                ++mantissa[static_cast<std::size_t>(i)];
            } else {
                mantissa.insert(0, "1");
                ++intDigits;
            }
        }
    }
    // Left-pad so that there is at least one integer digit and all decimals.
    int have = static_cast<int>(mantissa.size());
    int integerLen = have - decimals;
    if (integerLen < 1) {
        mantissa.insert(0, static_cast<std::size_t>(1 - integerLen), '0');
        integerLen = 1;
    }
    std::string integerPart = mantissa.substr(0, static_cast<std::size_t>(integerLen));
    std::string fraction = mantissa.substr(static_cast<std::size_t>(integerLen));
    // Drop leading zeros of the integer part (keep one).
    std::size_t nz = integerPart.find_first_not_of('0');
    integerPart = nz == std::string::npos ? "0" : integerPart.substr(nz);

    bool allZero = integerPart == "0" && fraction.find_first_not_of('0') == std::string::npos;
    std::string text = (negative && !allZero) ? "-" : "";
    text += integerPart;
    if (decimals > 0) text += "." + fraction;
    return padLeft(text, width);
}

bool IstniejePlik(const std::string& path) { return fileExists(path); }

Real Max_Real(long double A, long double B) { return A > B ? Real(A) : Real(B); }
Real Min_Real(long double A, long double B) { return A < B ? Real(A) : Real(B); }

std::string WyodrebnijKatalog(const std::string& path) { return folderPart(path); }
std::string WyodrebnijNazwePliku(const std::string& path) { return fileNamePart(path); }

bool NumerZTekstu(const std::string& text, int& number) {
    std::string t = UsunSpacjePoczatkowe(UsunSpacjeKoncowe(text));
    if (t.empty()) return false;
    int v = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || ptr != t.data() + t.size() || v < 0 || v > 255) return false;
    number = v;
    return true;
}

}  // namespace vesk
