// Start-up of the core: the settings file, the operator folder, the state
// in which no operator is open, and the constraint file.
#pragma once

#include <string>

#include "Kontekst.h"

namespace vesk {

inline constexpr const char* PlikUstawien = "VE-SK.INI";
inline constexpr const char* PlikOgraniczen = "OGRAN.MDL";

// Reads (creating it with the defaults where surely nothing has its name)
// the settings file in the working folder, chooses the operator folder and
// puts the core into the state in which no operator is open. False, after a
// message naming what is there (a named pipe, a device, a folder, a link to
// nothing), when the settings file can be neither created nor read, or when a folder it would
// be created with or that it names is one code page 1250 cannot spell
// (nothing is made then).
bool Inicjalizacja(Kontekst& k);

// Where the operator folder (catKARTOPERATORA) is given, for messages about
// it: the settings file and its line.
std::string ZrodloKataloguOperatorow(const Kontekst& k);

// Sets every report's pending flag to value.
void UstawFlagiWynikow(Kontekst& k, bool value);

// Loads the first 50 lines of the constraint file. A missing file or one of
// fewer than 50 lines: a message naming the file, a request to end the
// program, false, and the table as it was.
bool WczytajOgraniczenia(Kontekst& k);

// The value of one settings line: the text after its first "=" (the whole
// line when it has none), trailing and then leading blanks removed.
std::string WartoscUstawienia(const std::string& line);

// The five lines of a new settings file for the given default folders.
std::vector<std::string> DomyslneUstawienia(const std::string& katalogParametrow,
                                            const std::string& katalogOperatorow,
                                            const std::string& katalogWzorcow);

// Procedures the main window calls at start-up; they do nothing.
inline void PustaStartowa1() {}
inline void PustaStartowa2() {}
inline void PustaStartowa3() {}
inline void PustaStartowa4() {}
inline void RozbijNazwePlikuStanu() {}

}  // namespace vesk
