// Callbacks and formula settings shared by the whole workbook library. The
// library shows no windows and pumps no events: it reports through these.
#pragma once

#include <functional>
#include <string_view>

#include "FormulaSettings.h"
#include "WideString.h"

namespace vesk {

// Progress of a write, 0 to 100, never decreasing.
using TIntegerEvent = std::function<void(int value)>;
// A message for the user (a refusal such as a duplicate sheet name).
using TNotifyEvent = std::function<void(std::u16string_view message)>;
// Asked for a password; kept for callers, never called by the library.
using TPasswordEvent = std::function<void(WideString& password)>;


}  // namespace vesk
