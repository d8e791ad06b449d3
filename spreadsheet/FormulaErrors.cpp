#include "FormulaErrors.h"

#include "CodePage.h"

namespace vesk {

namespace {

const char* const messages[] = {
    "Error in formula",
    "Invalid constant %s",
    "Invalid symbol %s",
    "Closing paranthese missing in function",
    "Invalid function name %s",
    "Missing quote characther in string %s",
    "Strings can have max 255 characthers",
    "Unknown name %s",
    "Enclosing characther %s missing",
    "Invalid filename %s",
    "To many unary operators",
    "Missmatching parantheses",
    "Illegal number",
    "Illegal character in string %s",
    "Bad filename %s",
    "Invalid 3D name %s",
    "Invalid name %s",
    "Wrong number of arguments for function %s",
    "Empty formula",
};

}  // namespace

std::string FormulaErrorMessage(int Code, std::u16string_view Formula, std::u16string_view Arg)
{
    switch (Code) {
    case FormulaErrorInvalidName: return "Invalid name";
    case FormulaErrorUnexpectedBracket: return "Unexpected character \"]\" in OOC formula";
    case FormulaErrorOverflow: return "Formula buffer overflow.";
    default: break;
    }
    std::string text = (Code >= 1 && Code <= 18) ? messages[Code] : messages[0];
    std::size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, utf16ToUtf8(Arg));
    return "Error in formula " + utf16ToUtf8(Formula) + "\n" + text;
}

}  // namespace vesk
