#include "Rownania.h"

namespace vesk {

// Not written yet: the group does nothing.
void Dekapitalizacja(Kontekst& k) { (void)k; }

}  // namespace vesk
