// The text handling of a command line: the normaliser that takes off the
// indentation and lower-cases the line, the strip of characters that cannot
// begin a command, the reading of an operand as a number for comparisons,
// and the decimals a value needs when shown. Lines are code-page-1250 bytes.
#pragma once

#include <string>

namespace vesk {

struct WierszZnormalizowany {
    std::string Wciecie;  // one blank per character taken off the start
    std::string Wiersz;   // the rest, lower-cased
};

// Takes off every leading character of code 32 or below (a tab counts as
// one) and lower-cases the rest with the language's own table: A-Z and the
// Polish capitals but Ś (140), which stays a capital; every other byte,
// trailing blanks included, is copied unchanged. This is not the case
// folding of file names.
WierszZnormalizowany Normalizuj_Wiersz(const std::string& linia);

// The normalised line with the text between its first two double quotes
// as the source line has it: a quoted file name keeps the letter case the
// user wrote. Unchanged when either line lacks the pair or the quoted
// texts differ otherwise than in case.
std::string ZPisowniaCudzyslowu(const std::string& wiersz, const std::string& zrodlo);

// One of the 69 characters a command may begin with: "*", "+", "-", "/",
// "0"-"9", "A"-"Z", "a"-"z", "ł" (179), "ą" (185), "ę" (234).
bool ZnakPoczatkuRozkazu(unsigned char c);
// The line without its leading characters outside that set (a line of
// punctuation only becomes empty).
std::string UsunZnakiPrzedRozkazem(const std::string& linia);

// The number in an operand text: leading blanks skipped, then a decimal
// number with "." as the point and nothing after it (parseDecimal).
// BladSkryptu (NieLiczba) naming the text otherwise.
long double CzytajLiczbe(const std::string& tekst);

// CzytajLiczbe rounded to the 6-byte real, as every comparison of the
// control-flow commands sees its two sides: magnitudes below 2^-128 give 0;
// BladSkryptu (PozaZakresem) for 2^127 and more.
long double Tekst_Na_Real(const std::string& tekst);

// The fixed form of a value: RealNaTekst (the 18-significant-digit
// expansion, rounded half up at the last decimal shown) for magnitudes
// below 10^36; from 10^36 on the scientific notation d.ddddddddddddddddd
// E+dddd (18 significant digits), right-aligned in width.
std::string PostacStala(long double v, int szerokosc, int miejsca);

// The fewest decimals, 0 to 20, whose fixed form of the value does not end
// in "0" (0 for whole numbers, 18 for 0.1 and 1/3). The value is rounded
// to the 6-byte real first; BladSkryptu (PozaZakresem) when it cannot be.
int Liczba_Miejsc_Dziesietnych(long double v);

}  // namespace vesk
