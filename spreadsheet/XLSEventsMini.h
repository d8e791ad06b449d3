// Callbacks and formula settings shared by the whole workbook library. The
// library shows no windows and pumps no events: it reports through these.
#pragma once

#include <functional>
#include <string_view>

#include "WideString.h"

namespace vesk {

// Progress of a write, 0 to 100, never decreasing.
using TIntegerEvent = std::function<void(int value)>;
// A message for the user (a refusal such as a duplicate sheet name).
using TNotifyEvent = std::function<void(std::u16string_view message)>;
// Asked for a password; kept for callers, never called by the library.
using TPasswordEvent = std::function<void(WideString& password)>;

// How formula text separates function arguments, decimals and array rows.
// Owned by the formula handler; never taken from the locale.
struct TFormulaSettings {
    char16_t ArgumentSeparator = u',';
    char16_t DecimalSeparator = u'.';
    char16_t ArrayRowSeparator = u';';
};

}  // namespace vesk
