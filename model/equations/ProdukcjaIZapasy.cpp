#include "Rownania.h"

namespace vesk {

// Not written yet: the group does nothing.
void ProdukcjaIZapasy(Kontekst& k) { (void)k; }

}  // namespace vesk
