// The investment schedule of a node's record, rebuilt from its variant
// codes whenever the record is confirmed or simulated.
#pragma once

#include "Kontekst.h"

namespace vesk {

// Rebuilds all 18 entries of rec's schedule from their codes and rec's
// year Y: code c of product p, year y gives code c, flag bytes 0, start
// Y + y - 1, end start + the realisation time of variant c; code 0 an
// all-zero entry. HarmonogramInwestycjiRoboczy gets the same schedule.
// False, nothing changed, when a code lies outside 0..8.
bool ZbudujHarmonogramInwestycji(Kontekst& k, StanModelu& rec);

}  // namespace vesk
