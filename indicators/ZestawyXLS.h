// The set store of the indicator session as the program keeps it: sets
// read from and written to workbooks. The factory keeps the workbook
// headers out of the window's code.
#pragma once

#include <memory>

#include "IndicatorSetStore.h"

namespace vesk {

std::unique_ptr<IndicatorSetStore> UtworzZestawyXLS();

}  // namespace vesk
