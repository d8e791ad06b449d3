#include "Cell.h"

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
    return std::make_unique<TNumberFormulaCell>(Key, FormatIndex, Tokens);
}

std::unique_ptr<TCell> TStringFormulaCell::MakeCopy() const
{
    return std::make_unique<TStringFormulaCell>(Key, FormatIndex, Tokens);
}

std::unique_ptr<TCell> TBooleanFormulaCell::MakeCopy() const
{
    return std::make_unique<TBooleanFormulaCell>(Key, FormatIndex, Tokens);
}

std::unique_ptr<TCell> TErrorFormulaCell::MakeCopy() const
{
    return std::make_unique<TErrorFormulaCell>(Key, FormatIndex, Tokens);
}

std::unique_ptr<TCell> TArrayFormulaCell::MakeCopy() const
{
    return std::make_unique<TArrayFormulaCell>(Key, FormatIndex, Tokens, ArrayTokens);
}

}  // namespace vesk
