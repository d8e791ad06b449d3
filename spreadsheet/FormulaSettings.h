// The separators of formula text (TFormulaSettings), defined once with the
// library's callback types.
#pragma once

#include "XLSEventsMini.h"
