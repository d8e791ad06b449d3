// The built-in worksheet functions, indexed by the function number that
// function tokens carry. Shared by the formula encoder and the decoder.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vesk {

struct TExcelFunction {
    std::uint8_t MinArgs;  // 255: not usable in formula text
    std::uint8_t MaxArgs;  // 99: any number of arguments
    std::u16string_view Name;
    // Operand classes of the first six arguments: 0x20 reference,
    // 0x40 value, 0x60 array, 0 none (the previous argument's class holds).
    std::array<std::uint8_t, 6> ArgClass;

    bool usable() const { return MinArgs != 255; }
    bool fixedArgs() const { return MinArgs == MaxArgs; }
};

inline constexpr int ExcelFunctionCount = 381;
// The highest function number BIFF5 knows (ROMAN); the later ones came
// with BIFF8.
inline constexpr unsigned LastBiff5Function = 354;

extern const std::array<TExcelFunction, ExcelFunctionCount> TExcelFunctions;

// Entry of function number Index, nullptr outside 0..380.
const TExcelFunction* ExcelFunctionByIndex(int Index);

// Number of the entry whose name equals Name exactly (upper case), -1 when
// there is none. Rows that carry their number as name ("202", "255") are
// reached by number only.
int ExcelFunctionIndex(std::u16string_view Name);

}  // namespace vesk
