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

std::unique_ptr<TCell> TArrayFormulaCell::MakeCopy() const
{
    auto copy = std::make_unique<TArrayFormulaCell>(Key, FormatIndex, Tokens, ArrayTokens);
    copy->ExtraLength = ExtraLength;
    return copy;
}

}  // namespace vesk
