// The lines of a text file a user wrote with any editor, in code page 1250
// as the core keeps its texts, or the reason they cannot be: no character
// is ever turned into "?" on the way.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "CodePage.h"
#include "FileSystem.h"

namespace vesk {

struct TextFileLines {
    enum class Refusal {
        None,
        Utf16OddLength,  // UTF-16 after its mark, of an odd length: damaged
        Utf16NoMark,     // UTF-16 without a byte-order mark
        Utf32,           // UTF-32, with or without its mark
        NulBytes,        // no text: a program, a workbook
        NotUtf8,         // a line of a file marked as UTF-8 that is not UTF-8
        Decomposed,      // a letter written as its base letter and an accent (NFD)
        Unspellable,     // a character code page 1250 lacks
        UnusedByte,      // a byte to which code page 1250 gives no character ("\x83")
        Surrogate,       // half of a UTF-16 surrogate pair alone ("\uD800"): damaged
        InnerMark,       // a byte-order mark inside the file (two files joined)
        TwoEncodings,    // lines in UTF-8 and lines in code page 1250
    };
    std::vector<std::string> lines;  // code page 1250; empty when refused
    Refusal refusal = Refusal::None;
    std::size_t line = 0;   // the refused line, from 1
    std::string text;       // that line readable (readableFileName), its first 100 bytes
    std::string character;  // its first character refused, readable ("\u0414", "\xB1", "\u0301")
    // TwoEncodings: the first line that decided the file's encoding
    // (UTF-8 when firstUtf8), readable; `line` and `text` are the first
    // line in the other one.
    std::size_t firstLine = 0;
    std::string firstText;
    bool firstUtf8 = false;
    // How the lines that decide are written (UTF-8 after a mark): Ascii
    // when none decides.
    LineEncoding decided = LineEncoding::Ascii;
};

// Where a comment starts in a line (0 for a line that is all comment,
// npos for none); called once on every line, in order.
using CommentStart = std::function<std::size_t(const std::string& line)>;

// The bytes of the file split at LF or CR LF (and a lone CR with
// LoneCr::EndsLine), read as UTF-16 after its byte-order mark, as UTF-8
// after a UTF-8 mark, else as the lines that decide say by lineEncoding:
// those of another encoding than the first that tells refuse the file.
// Lines that read either way are read as the deciding ones, where none
// decides as those read before did (`before`, the lines of a stream read
// one by one), else as code page 1250 (lineEncoding, eitherReadAs). What a
// comment holds (`comment`) neither decides the encoding nor is refused;
// when code page 1250 cannot spell it as read it is kept readable (control
// characters as they are) from its first ASCII character ("rem \u2192
// krok 2"). Any other text refuses the file when code page 1250 cannot
// spell it exactly, or, read as code page 1250, when it holds a byte that
// page gives no character.
TextFileLines textFileLines(std::string_view bytes, LoneCr loneCr, const CommentStart& comment = {},
                            LineEncoding before = LineEncoding::Ascii);

// The refusal for a message of code page 1250: `file` names the file
// ("Plik rozkaz\xF3w a.roz"), `comment` how a comment is written there
// ("rem").
std::string textFileRefusal(const TextFileLines& t, const std::string& file, const std::string& comment);

}  // namespace vesk
