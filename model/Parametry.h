// The model parameter file "parametr.mdl": 46 consecutive 6-byte reals in
// the folder catPARAMETR, read afresh before every simulation, and the
// parameters fixed in the program and derived per time step.
#pragma once

#include "Kontekst.h"

namespace vesk {

inline constexpr const char* PlikParametrow = "parametr.mdl";
inline constexpr int LiczbaParametrow = 46;

// Throws IoError (platform/IoError.h; Polish operation text, e.g. "odczyt
// parametrow modelu", naming the file and why) when the file is missing,
// short or holds a rejected value; nothing is assigned then.
void WczytajParametryModelu(Kontekst& k);

}  // namespace vesk
