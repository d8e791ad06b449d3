// The lines of a text file a user wrote with any editor, in code page 1250
// as the core keeps its texts, or the reason they cannot be: no character
// is ever turned into "?" on the way.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "FileSystem.h"

namespace vesk {

struct TextFileLines {
    enum class Refusal {
        None,
        Utf16OddLength,  // UTF-16 after its mark, of an odd length: damaged
        Utf16NoMark,     // UTF-16 without a byte-order mark
        Utf32,           // UTF-32, with or without its mark
        NulBytes,        // no text: a program, a workbook
        NotUtf8,         // a line of a UTF-8 file that is not UTF-8
        Decomposed,      // a letter written as its base letter and an accent (NFD)
        Unspellable,     // a character code page 1250 lacks
    };
    std::vector<std::string> lines;  // code page 1250; empty when refused
    Refusal refusal = Refusal::None;
    std::size_t line = 0;   // the refused line, from 1
    std::string text;       // that line readable (readableFileName), its first 100 bytes
    std::string character;  // its first character refused, readable ("\u0414", "\xB1", "\u0301")
};

// The bytes of the file read as code page 1250, as UTF-8 when
// writtenInUtf8, as UTF-16 after its byte-order mark, split at LF or CR LF
// (and a lone CR with LoneCr::EndsLine). A line of a UTF-8 or UTF-16 file
// that code page 1250 cannot spell exactly refuses the file, unless `keep`
// (given the line readable, control characters as they are) says that the
// line does nothing with its text: then the line is kept in that readable
// form (a comment "rem \u2192 krok 2").
TextFileLines textFileLines(std::string_view bytes, LoneCr loneCr,
                            const std::function<bool(const std::string&)>& keep = {});

}  // namespace vesk
