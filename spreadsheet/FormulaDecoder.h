// Formula tokens back to formula text (no leading "="), and the rewrite of
// shared-formula tokens into ordinary tokens for one cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>
#include <string_view>

#include "BIFFRecsMini.h"
#include "FormulaSettings.h"

namespace vesk {

// What the decoder asks its name resolver for.
enum TNameResolverKind : int {
    nrName = 0,        // a defined name: Index is the 1-based name number
    nrNameX5 = 1,      // an external name token of BIFF5: as nrName
    nrExternSheet = 2, // an EXTERNSHEET entry (Index) with a 1-based external
                       // name number (NameIndex), or -1 for a sheet prefix
                       // that ends in "!"
    nrSheet5 = 3,      // the name of sheet Index of a BIFF5 3D reference
    nrSheetIndex = 4,  // the name of sheet Index (the decoding call's sheet)
};

using TNameResolver = std::function<std::u16string(int Kind, int Index, int NameIndex)>;

// Decodes the Length token bytes at the start of Buffer; the bytes after
// them are the array-constant data. Row and Col (0-based) are the base of
// relative references. Malformed tokens give texts ("Unknown ptg[..]",
// "<Val missing>", "[ERROR]"); a function or parenthesis short of operands,
// and a fixed-argument function the table cannot describe, raise EXLSError
// of kind Formula. 8-bit strings of BIFF2-5 are read in CodePage.
std::u16string DecodeFormula(TExcelVersion Version, std::span<const std::uint8_t> Buffer, std::size_t Length,
                             const TNameResolver& Resolver, int Row, int Col, int SheetIndex,
                             const TFormulaSettings& Settings = {}, int CodePage = 1250);

// Rewrites shared-formula tokens in place for the cell at Row, Col: RefN and
// AreaN become Ref and Area with absolute positions, relative flags kept.
// A token without a known size raises EXLSError (Formula)
// "Unknown ptg[..] in Shared Formula"; a token cut short raises as well.
void ConvertSharedFormula(bool BIFF8, std::span<std::uint8_t> Tokens, int Row, int Col);

// The BIFF5 form of BIFF8 tokens (what the encoder makes): references,
// areas, texts (in CodePage), numbers, functions, operators, with byte
// counts of jumps and sub-expressions moved along. What BIFF5 cannot hold
// alike (names, 3D references, array constants, rows beyond 16,384, texts
// outside the code page, functions that came with BIFF8) raises EXLSError
// of kind Refused saying what.
std::vector<std::uint8_t> Biff8TokensToBiff5(std::span<const std::uint8_t> Tokens, int CodePage);

// A sheet name as a 3D prefix writes it: in single quotes (inner quotes
// doubled) when the formula tokenizer would not read it back as one name.
std::u16string QuoteSheetName(std::u16string_view Name, char16_t ArgumentSeparator = u',');

// The published names of the built-in defined names ("Print_Area", ...);
// empty for a code above 12.
std::u16string_view BuiltInNameText(unsigned Code);

}  // namespace vesk
