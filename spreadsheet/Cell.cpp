#include "Cell.h"

#include <bit>

#include "SSTMini.h"

namespace vesk {

std::unique_ptr<TCell> TBlankCell::MakeCopy() const
{
    return std::make_unique<TBlankCell>(Key, FormatIndex);
}

std::unique_ptr<TCell> TFloatCell::MakeCopy() const
{
    return std::make_unique<TFloatCell>(Key, FormatIndex, Value);
}

std::unique_ptr<TCell> TStringCell::MakeCopy() const
{
    if (Entry)
        ++Entry->RefCount;
    return std::make_unique<TStringCell>(Key, FormatIndex, Entry);
}

std::unique_ptr<TCell> TBooleanCell::MakeCopy() const
{
    return std::make_unique<TBooleanCell>(Key, FormatIndex, Value);
}

std::unique_ptr<TCell> TErrorCell::MakeCopy() const
{
    return std::make_unique<TErrorCell>(Key, FormatIndex, ErrorIndex);
}

std::unique_ptr<TCell> TNumberFormulaCell::MakeCopy() const
{
    auto copy = std::make_unique<TNumberFormulaCell>(Key, FormatIndex, Tokens);
    copy->ExtraLength = ExtraLength;
    return copy;
}

std::unique_ptr<TCell> TStringFormulaCell::MakeCopy() const
{
    auto copy = std::make_unique<TStringFormulaCell>(Key, FormatIndex, Tokens);
    copy->ExtraLength = ExtraLength;
    return copy;
}

std::unique_ptr<TCell> TBooleanFormulaCell::MakeCopy() const
{
    auto copy = std::make_unique<TBooleanFormulaCell>(Key, FormatIndex, Tokens);
    copy->ExtraLength = ExtraLength;
    return copy;
}

std::unique_ptr<TCell> TErrorFormulaCell::MakeCopy() const
{
    auto copy = std::make_unique<TErrorFormulaCell>(Key, FormatIndex, Tokens);
    copy->ExtraLength = ExtraLength;
    return copy;
}

TCellType TArrayFormulaCell::ResultKind() const {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(Value);
    if ((bits >> 48) != 0xFFFF) return ctNumberFormula;
    switch (bits & 0xFF) {
        case 1: return ctBooleanFormula;
        case 2: return ctErrorFormula;
        case 0: case 3: return ctStringFormula;
        default: return ctNumberFormula;
    }
}

std::uint8_t TArrayFormulaCell::ResultByte() const {
    return static_cast<std::uint8_t>(std::bit_cast<std::uint64_t>(Value) >> 16);
}

std::unique_ptr<TCell> TArrayFormulaCell::MakeCopy() const
{
    auto copy = std::make_unique<TArrayFormulaCell>(Key, FormatIndex, Tokens, ArrayTokens);
    copy->ExtraLength = ExtraLength;
    return copy;
}

}  // namespace vesk
