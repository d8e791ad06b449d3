#include "ZestawyXLS.h"

#include "XLSIndicatorSetStore.h"

namespace vesk {

std::unique_ptr<IndicatorSetStore> UtworzZestawyXLS() { return std::make_unique<XLSIndicatorSetStore>(); }

}  // namespace vesk
