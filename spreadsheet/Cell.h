// The cells of a sheet: one class per cell kind, each with its type code.
// Callers mask the code with 127. A sheet keeps its cells in the blocks of
// its cell storage rather than one heap object each.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vesk {

struct TSSTEntry;

using TCellType = std::uint8_t;

inline constexpr TCellType ctNone = 0;
inline constexpr TCellType ctBlank = 1;
inline constexpr TCellType ctFloat = 4;
inline constexpr TCellType ctString = 5;
inline constexpr TCellType ctBoolean = 6;
inline constexpr TCellType ctError = 7;
inline constexpr TCellType ctNumberFormula = 8;
inline constexpr TCellType ctStringFormula = 9;
inline constexpr TCellType ctBooleanFormula = 10;
inline constexpr TCellType ctErrorFormula = 11;
inline constexpr TCellType ctArrayFormula = 12;

class TCell {
public:
    TCell() = default;
    TCell(std::uint32_t key, std::uint16_t formatIndex) : Key(key), FormatIndex(formatIndex) {}
    virtual ~TCell() = default;
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

    virtual TCellType CellType() const = 0;
    // A new cell with the same key, format index and value; formula cells
    // leave their cached result behind.
    virtual std::unique_ptr<TCell> MakeCopy() const { return nullptr; }

    // Key, format index and pool size fill the 8 bytes after the vtable
    // pointer, so that a cell's own value starts at byte 16 (a number cell
    // takes 24 bytes, not 32: a sheet may hold millions of cells).
    std::uint32_t Key = 0;
    std::uint16_t FormatIndex = 0;

private:
    friend class TCellStorage;
    // Size in 8-byte units of a cell placed in its storage's blocks; 0 for
    // one of its own on the heap.
    std::uint8_t pooledSize_ = 0;
};

class TBlankCell : public TCell {
public:
    using TCell::TCell;
    TCellType CellType() const override { return ctBlank; }
    std::unique_ptr<TCell> MakeCopy() const override;
};

class TFloatCell : public TCell {
public:
    TFloatCell(std::uint32_t key, std::uint16_t formatIndex, double value)
        : TCell(key, formatIndex), Value(value) {}
    TCellType CellType() const override { return ctFloat; }
    std::unique_ptr<TCell> MakeCopy() const override;
    double Value;
};

// A text kept in the workbook's shared string table. The entry belongs to
// the table: freeing the cell leaves it and its reference count alone.
class TStringCell : public TCell {
public:
    TStringCell(std::uint32_t key, std::uint16_t formatIndex, TSSTEntry* entry)
        : TCell(key, formatIndex), Entry(entry) {}
    TCellType CellType() const override { return ctString; }
    // The copy names the same entry, which counts one more reference.
    std::unique_ptr<TCell> MakeCopy() const override;
    TSSTEntry* Entry;
};

class TBooleanCell : public TCell {
public:
    TBooleanCell(std::uint32_t key, std::uint16_t formatIndex, std::uint8_t value)
        : TCell(key, formatIndex), Value(value) {}
    TCellType CellType() const override { return ctBoolean; }
    std::unique_ptr<TCell> MakeCopy() const override;
    std::uint8_t Value;
};

class TErrorCell : public TCell {
public:
    // ErrorIndex 0..7 into the cell-error texts.
    TErrorCell(std::uint32_t key, std::uint16_t formatIndex, std::uint8_t errorIndex)
        : TCell(key, formatIndex), ErrorIndex(errorIndex) {}
    TCellType CellType() const override { return ctError; }
    std::unique_ptr<TCell> MakeCopy() const override;
    std::uint8_t ErrorIndex;
};

// Holds its own copy of the formula's token bytes. The last ExtraLength
// bytes of Tokens are what the record carries after the tokens (the data
// of array constants); TokenLength counts the tokens alone.
class TFormulaCell : public TCell {
public:
    TFormulaCell(std::uint32_t key, std::uint16_t formatIndex, std::vector<std::uint8_t> tokens)
        : TCell(key, formatIndex), Tokens(std::move(tokens)) {}
    std::uint32_t TokenLength() const {
        return static_cast<std::uint32_t>(Tokens.size() - std::min<std::size_t>(ExtraLength, Tokens.size()));
    }
    std::vector<std::uint8_t> Tokens;
    std::uint32_t ExtraLength = 0;
};

class TNumberFormulaCell : public TFormulaCell {
public:
    TNumberFormulaCell(std::uint32_t key, std::uint16_t formatIndex,
                       std::vector<std::uint8_t> tokens, double value = 0.0)
        : TFormulaCell(key, formatIndex, std::move(tokens)), Value(value) {}
    TCellType CellType() const override { return ctNumberFormula; }
    std::unique_ptr<TCell> MakeCopy() const override;
    double Value;
};

class TStringFormulaCell : public TFormulaCell {
public:
    TStringFormulaCell(std::uint32_t key, std::uint16_t formatIndex,
                       std::vector<std::uint8_t> tokens, std::u16string value = {})
        : TFormulaCell(key, formatIndex, std::move(tokens)), Value(std::move(value)) {}
    TCellType CellType() const override { return ctStringFormula; }
    std::unique_ptr<TCell> MakeCopy() const override;
    std::u16string Value;
};

class TBooleanFormulaCell : public TFormulaCell {
public:
    TBooleanFormulaCell(std::uint32_t key, std::uint16_t formatIndex,
                        std::vector<std::uint8_t> tokens, std::uint8_t value = 0)
        : TFormulaCell(key, formatIndex, std::move(tokens)), Value(value) {}
    TCellType CellType() const override { return ctBooleanFormula; }
    std::unique_ptr<TCell> MakeCopy() const override;
    std::uint8_t Value;
};

class TErrorFormulaCell : public TFormulaCell {
public:
    TErrorFormulaCell(std::uint32_t key, std::uint16_t formatIndex,
                      std::vector<std::uint8_t> tokens, std::uint8_t errorIndex = 0)
        : TFormulaCell(key, formatIndex, std::move(tokens)), ErrorIndex(errorIndex) {}
    TCellType CellType() const override { return ctErrorFormula; }
    std::unique_ptr<TCell> MakeCopy() const override;
    std::uint8_t ErrorIndex;
};

class TArrayFormulaCell : public TFormulaCell {
public:
    TArrayFormulaCell(std::uint32_t key, std::uint16_t formatIndex,
                      std::vector<std::uint8_t> tokens, std::vector<std::uint8_t> arrayTokens,
                      double value = 0.0)
        : TFormulaCell(key, formatIndex, std::move(tokens)),
          ArrayTokens(std::move(arrayTokens)), Value(value) {}
    TCellType CellType() const override { return ctArrayFormula; }
    std::unique_ptr<TCell> MakeCopy() const override;
    std::uint32_t ArrayLength() const { return static_cast<std::uint32_t>(ArrayTokens.size()); }
    // The kind of the cached result, by the result bytes as the FORMULA
    // record holds them: ctNumberFormula, or ctStringFormula (in Text),
    // ctBooleanFormula or ctErrorFormula (value or BIFF code in ResultByte).
    TCellType ResultKind() const;
    std::uint8_t ResultByte() const;
    std::vector<std::uint8_t> ArrayTokens;
    // The range's first cell's cached result bytes read as one double: a
    // number, or a text, boolean or error marked by bytes 6-7 0xFFFF.
    double Value;
    // A text result (the STRING record after the ARRAY record).
    std::u16string Text;
};

static_assert(sizeof(void*) != 8 || (sizeof(TFloatCell) == 24 && sizeof(TStringCell) == 24),
              "a number or text cell takes 24 bytes");

}  // namespace vesk
