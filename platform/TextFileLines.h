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
        UnusedByte,      // a byte to which code page 1250 gives no character ("\x83")
        Surrogate,       // half of a UTF-16 surrogate pair alone ("\uD800"): damaged
    };
    std::vector<std::string> lines;  // code page 1250; empty when refused
    Refusal refusal = Refusal::None;
    std::size_t line = 0;   // the refused line, from 1
    std::string text;       // that line readable (readableFileName), its first 100 bytes
    std::string character;  // its first character refused, readable ("\u0414", "\xB1", "\u0301")
    // Unspellable in a file whose lines are whole both as UTF-8 and as code
    // page 1250 ("P\xD3\xA3ROCZE"): it may be written in code page 1250,
    // which its bytes then read as (`cp1250`, the refused character's).
    bool maybeCp1250 = false;
    std::string cp1250;
};

// The bytes of the file split at LF or CR LF (and a lone CR with
// LoneCr::EndsLine), read as UTF-16 after its byte-order mark, else as
// UTF-8 after a UTF-8 mark or when the lines that `keep` does not keep
// are writtenInUtf8 (all of them when those are ASCII), else as code page
// 1250. `keep` (given a line's bytes)
// says that the line does nothing with its text (a comment): such a line
// neither decides the encoding nor is refused; when code page 1250 cannot
// spell it as read it is kept readable (control characters as they are)
// from its first ASCII character ("rem \u2192 krok 2"). Any other line
// refuses the file when code page 1250 cannot spell it exactly, or, read
// as code page 1250, when it holds a byte that page gives no character.
TextFileLines textFileLines(std::string_view bytes, LoneCr loneCr,
                            const std::function<bool(const std::string&)>& keep = {});

}  // namespace vesk
