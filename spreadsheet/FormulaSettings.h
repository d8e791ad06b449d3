// The separators of formula text. The formula handler owns one set; it is
// never taken from the system locale.
#pragma once

namespace vesk {

struct TFormulaSettings {
    char16_t ArgumentSeparator = u',';
    char16_t DecimalSeparator = u'.';
    char16_t ArrayRowSeparator = u';';
};

}  // namespace vesk
