// The set files of the indicator session as the program keeps them: sets
// read from workbooks through the workbook store (a workbook that cannot be
// read gives the store's reason), rule files found in the operator folder,
// else in the program folder.
#pragma once

#include <memory>

#include "IndicatorSession.h"

namespace vesk {

std::unique_ptr<ZestawyWskaznikow> UtworzZestawyXLS(const Kontekst& k);

}  // namespace vesk
