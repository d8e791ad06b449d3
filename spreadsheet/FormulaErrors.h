// Error codes of the formula tokenizer and encoder with their messages.
#pragma once

#include <string>
#include <string_view>

namespace vesk {

// Codes 1-18 are the encoder's numbered errors, 0 the general one; the
// negative codes stand alone, without the "Error in formula" line.
inline constexpr int FormulaErrorInvalidName = -1;        // "Invalid name"
inline constexpr int FormulaErrorUnexpectedBracket = -2;  // "]" outside an OOC reference
inline constexpr int FormulaErrorOverflow = -3;           // "Formula buffer overflow."

// The full message: "Error in formula <formula>", a line break and the code's text
// (with Arg in place of its "%s").
std::string FormulaErrorMessage(int Code, std::u16string_view Formula, std::u16string_view Arg);

}  // namespace vesk
