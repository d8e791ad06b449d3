#include "Rownania.h"

namespace vesk {

// Not written yet: the group does nothing.
void SterowanieKredytem(Kontekst& k) { (void)k; }

}  // namespace vesk
