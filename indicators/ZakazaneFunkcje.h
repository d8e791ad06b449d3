// Rule files travel between users with their indicator sets, so a rule
// file is outside data: before the engine loads one, its text is scanned
// for calls of the engine's functions that reach the system, files or the
// program itself (a shell command, the end of the program, opening,
// removing or renaming files, loading or saving, ...), and for the calls
// that could build such a call from a string (eval, build, funcall).
//
// The scan reads the text as the engine's reader does: strings (with
// backslash escapes) and comments (";" to the end of the line) hide
// nothing, and a call is "(" followed, after any blanks, line ends or
// comments, by the function's name up to a delimiter. A fact or pattern
// whose first field is such a name counts as a call too: the engine's
// reader cannot tell them apart before parsing, and refusing one is safe.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk {

struct ZakazaneWywolanie {
    int Wiersz = 0;  // from 1
    std::string Funkcja;
};

// The first refused call in the text; nothing when it has none.
std::optional<ZakazaneWywolanie> ZnajdzZakazaneWywolanie(std::string_view tekst);

// For a refused function that would read a rule file's data from a file
// of its own (open, load-facts, ...): a sentence saying where such data
// go ("Dane ... deffacts."); empty for the others.
std::string PodpowiedzDanych(std::string_view funkcja);

}  // namespace vesk
