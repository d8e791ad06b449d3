// The small readings of a command line's words that the executor and the
// verbs share: prefix tests, required words, target words and whole-number
// arguments. Every fault is a BladSkryptu.
#pragma once

#include <string>

#include "Kontekst.h"

namespace vesk {

// True when tekst begins with the keyword (a plain prefix test).
inline bool Zaczyna(const std::string& tekst, const char* keyword) { return tekst.rfind(keyword, 0) == 0; }

// Word N of the line; BladSkryptu (BrakOperandu) naming what the word is
// for when the line has no such word.
std::string WymaganeSlowo(const std::string& linia, int N, const char* co);

// A target word: its first character dropped whatever it is, the rest
// read as a whole number (optional sign, digits up to the first other
// character). BladSkryptu (NumerZmiennej) unless it lies in 1..100.
int NumerCelu(const std::string& slowo);

// The whole number at the start of a text: optional sign, then the digits
// up to the first other character; 0 when there are none. BladSkryptu
// (PozaZakresem) beyond the range of a 32-bit integer.
int LiczbaCalkowitaZPoczatku(const std::string& tekst);

// An integer argument: a literal that must be a whole number and nothing
// else ("abc", "2x": BladSkryptu NieLiczba), or a variable "x"+N read
// through its general form by its leading digits (so 2,75 gives 2).
int ArgumentCalkowity(const Kontekst& k, const std::string& slowo);
// The same, but the text must be a whole number and nothing else;
// BladSkryptu (NieLiczba) otherwise.
int ArgumentCalkowityScisly(const Kontekst& k, const std::string& slowo);

}  // namespace vesk
