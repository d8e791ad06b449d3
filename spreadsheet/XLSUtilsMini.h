// Small conversions shared by the reader, the writer, the cells and the
// formulas: cell keys and A1 references, BIFF byte strings, error codes,
// RK numbers, hex texts, wide upper-casing and number text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "WideString.h"

namespace vesk {

// The 32-bit key of a cell: column (0..255) in the low byte, row above it.
constexpr std::uint32_t CellKey(int col, int row) {
    return (static_cast<std::uint32_t>(col) & 255u) + (static_cast<std::uint32_t>(row) << 8);
}

// 0-based column and row as A1 text ("$AB$1" for 27, 0, true, true).
std::string ColRowToRefStr(int col, int row, bool absCol, bool absRow);
// A1 text to 0-based column (0..255) and row (0..65535); false on any other
// shape (no capping: "IW1", "IZ5" and "A0" fail).
bool RefStrToColRow(std::string_view text, std::uint16_t& col, std::uint16_t& row, bool& absCol, bool& absRow);
// "A1:B2" to both corners; false without ":" or when a half fails.
bool AreaStrToColRow(std::string_view text, std::uint16_t& col1, std::uint16_t& row1, std::uint16_t& col2,
                     std::uint16_t& row2, bool& absCol1, bool& absRow1, bool& absCol2, bool& absRow2);

// A BIFF byte string: byte 0 is the option (0 = 8-bit characters follow,
// 1 = 16-bit little-endian characters follow), the characters after it.
using ByteString = std::string;

// Number of characters of a byte string; 0 for an empty one.
std::size_t ByteStrLength(const ByteString& s);
// A byte string from a buffer holding the option byte and count characters;
// the buffer must hold them (available bytes are checked, Format otherwise).
ByteString ByteStrFromBuffer(const std::uint8_t* buffer, std::size_t available, std::size_t count);
// The count characters after the option byte of a buffer, widened from 8 bits
// (Latin-1) where the option is 0.
WideString BufferToWideString(const std::uint8_t* buffer, std::size_t available, std::size_t count);
ByteString WideStringToByteStr(std::u16string_view text);
// Option 0: Latin-1 widened; option 1: UTF-16; any other first byte: the
// whole string read as code page 1250 text.
WideString ByteStrToWideString(const ByteString& s);

// The 8-bit texts of BIFF2 to BIFF5 in the file's code page. A workbook
// that declares code page 1200 (UTF-16; gnumeric writes them) holds a text
// of printable ASCII characters (tab and line breaks too) as its bytes and
// any other text as UTF-16 little-endian, whose count then counts bytes; a
// text read so is taken by what its bytes are (an odd count of bytes that
// are not all plain ASCII as code page 1250, as an unknown page is read).
constexpr int CodePageUtf16 = 1200;
WideString Biff5Text(std::string_view bytes, int codePage);
// The bytes of a text in the code page; characters it lacks become '?'.
std::string Biff5Bytes(std::u16string_view text, int codePage);

// Error code to text ("#???" for an unknown code), code to index (0 for an
// unknown code), index to code (0 and anything above 6 give #N/A).
std::string ErrorCodeToText(std::uint8_t code);
std::uint8_t ErrorCodeToIndex(std::uint8_t code);
std::uint8_t ErrorIndexToCode(std::uint8_t index);

// An RK number: bit 1 set: the upper 30 bits as a signed integer, else the
// upper 30 bits of a double; bit 0 set: divided by 100.
double DecodeRK(std::uint32_t rk);

// "3F" to 0x3F; exactly two characters 0-9 or A-F (Usage error otherwise).
std::uint8_t HexPairToByte(std::string_view pair);
// One byte per character pair; an odd last character is ignored.
std::vector<std::uint8_t> HexToBytes(std::string_view text);

// Upper-casing of wide text by a fixed table (ASCII, Latin-1, Latin
// Extended-A); other characters stay.
char16_t WideUpperChar(char16_t c);
WideString WideUpperCase(std::u16string_view text);

// The library's one number-to-text rule: 15 significant digits without
// trailing zeros, "." as the decimal point; scientific ("1E-6",
// "1.23456789012346E17") below 0.00001 and from 1E15 on.
std::string FloatToText(double value);

}  // namespace vesk
