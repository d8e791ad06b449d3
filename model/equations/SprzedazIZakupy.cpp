#include "Rownania.h"

namespace vesk {

// Not written yet: the group does nothing.
void SprzedazIZakupy(Kontekst& k) { (void)k; }

}  // namespace vesk
