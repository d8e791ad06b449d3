// The script variables of the command language and the names a command
// file declares for them. The variables "x1" .. "x100" are the doubles
// Kontekst::ZmienneSkryptu (0 at start, kept from one command file to the
// next); Kontekst::NazwyZmiennych holds the declared user names, entry k
// standing for variable k. Every fault here is a BladSkryptu: it stops
// the command file, never the program.
#pragma once

#include <optional>
#include <string>

#include "Kontekst.h"

namespace vesk {

inline constexpr int LiczbaZmiennych = 100;

// ------------------------------------------------------------ names

// Declares a user name: the first free entry k (from 1) gets the internal
// name "x" + k and the name, which is not checked (a repeated name takes a
// second entry, an empty one matches nothing). Returns k. BladSkryptu
// (BrakMiejscaNaNazwe) when all 100 entries are taken.
int DeklarujZmienna(Kontekst& k, const std::string& nazwa);
// Empties all 100 entries, as opening a command file does; the values of
// the variables stay.
void ZapomnijNazwyZmiennych(Kontekst& k);

// Word N (from 1) of a line. Words are runs of characters other than blank
// and comma; a run of separators is one boundary, but a separator at the
// start of the line ends an empty word 1. Empty when N < 1 or the line has
// fewer words.
std::string Ekstrakcja_Stringa(const std::string& linia, int N);

// The line with every whole-word occurrence of a declared user name
// replaced by its internal name. The entries are applied in order, each
// over the whole line as the earlier ones left it, so a user name equal to
// an earlier internal name replaces what that entry produced; the walk
// stops at the first free entry and never looks past entry 100. Matching
// is byte for byte (lines are lower-cased before they get here).
std::string Podstaw_Nazwy_Zmiennych(const Kontekst& k, std::string linia);

// ------------------------------------------------------------ operands

// The operand rule: a word whose first character is "x" names a variable,
// its number read from the rest as a whole number (optional sign, digits
// up to the first other character; no digit gives 0). Nothing for a word
// that is a literal; BladSkryptu (NumerZmiennej) for a number outside
// 1..100 ("x0", "x101", "xa").
std::optional<int> NumerZmiennejOperandu(const std::string& slowo);

// How a variable's value replaces an operand.
enum class PostacWartosci {
    Naukowa,  // Wartosc_Zmiennej: where the value is used as a number
    Ogolna,   // Wartosc_Zmiennej_Tekst: where a verb needs the general form
};
// The word itself when it is a literal, else the value text of its variable.
std::string PodstawOperand(const Kontekst& k, const std::string& slowo, PostacWartosci postac);

// ------------------------------------------------------------ value texts

// The scientific form: exactly 23 characters, "-" or a blank, the value
// rounded to 15 significant digits as d.dddddddddddddd, "E", the
// exponent's sign and four digits; "." whatever the system's settings
// (" 1.50000000000000E+0000"). Infinities and NaN give "INF", "-INF", "NAN".
std::string PostacNaukowa(double v);
// The general form: 15 significant digits without trailing zeros; plain
// notation for 0 and 0.0001 <= |v| < 10^15, else one digit, the other
// digits after the separator, "E" and the exponent ("5E-5", "1E20").
// Infinities and NaN as above.
std::string PostacOgolna(double v, char separator);

// Variable N (1..100) in the scientific form; BladSkryptu (NumerZmiennej)
// for another N.
std::string Wartosc_Zmiennej(const Kontekst& k, int N);
// Variable N in the general form with the context's SeparatorDziesietny.
std::string Wartosc_Zmiennej_Tekst(const Kontekst& k, int N);

// Variable N := the number in tekst (leading blanks, then a decimal number
// with "." as the point and nothing after it). Returns true. BladSkryptu:
// NumerZmiennej for N outside 1..100, NieLiczba naming the text when it is
// not such a number ("12.5x", "2,5", "abc", ""), PozaZakresem when a double
// cannot hold it; the variable then keeps its value.
bool Ustaw_Zmienna(Kontekst& k, int N, const std::string& tekst);

// Stores v into variable N; BladSkryptu for N outside 1..100 and for a value
// a double cannot hold (an infinity or NaN is never stored).
void UstawWartoscZmiennej(Kontekst& k, int N, long double v);

}  // namespace vesk
