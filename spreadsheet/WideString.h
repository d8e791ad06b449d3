// The workbook library's text type: UTF-16 code units, as the BIFF8 files
// hold them. Callers convert from and to the core's code page through
// platform/CodePage (cp1250ToUtf16, utf16ToCp1250).
#pragma once

#include <string>
#include <string_view>

namespace vesk {

using WideString = std::u16string;

}  // namespace vesk
