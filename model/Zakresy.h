// The ranges of the 54 decision parameters ("zakresy.txt" in the working
// folder): one line "index;minimum;maximum" per parameter, in parameter
// order. The line's position gives the parameter; its index is ignored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Kontekst.h"
#include "Tab.h"

namespace vesk {

inline constexpr const char* PlikZakresow = "zakresy.txt";
inline constexpr int LiczbaZakresow = 54;

using Zakresy_t = Tab<std::pair<std::int32_t, std::int32_t>, 1, LiczbaZakresow>;

// One line: the text before the first ";" is the index (ignored), the text
// between the first and the last ";" the minimum, the text after the last
// ";" the maximum; both 32-bit decimal integers with an optional sign.
// Nothing when the line does not hold them.
std::optional<std::pair<std::int32_t, std::int32_t>> CzytajWierszZakresu(const std::string& line);

// Fills `zakresy` from the lines: a good line sets its parameter, a bad or
// missing one leaves it 0..0. The 1-based numbers of the bad lines and of
// the missing ones (the file has fewer than 54) are returned; lines after
// the 54th are ignored.
std::vector<int> CzytajZakresy(const std::vector<std::string>& lines, Zakresy_t& zakresy);

// Reads the file into k.Zakresy. A missing or unreadable file: one message
// naming it and every range 0. Bad or missing lines: one message naming the
// first of them and what a line must hold, and every range 0 (a line's
// position is its parameter, which a line too many or too few shifts). The
// message says that no range is in force. True when all 54 lines were good.
bool WczytajZakresy(Kontekst& k, const std::string& path = PlikZakresow);

}  // namespace vesk
