// Conversions between the single-byte code pages of the program's texts
// and UTF-8. The core keeps its texts in code page 1250 (so report columns
// count bytes); these are called only where text meets the windows or a
// file name.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// The five bytes code page 1250 gives no character (0x81, 0x83, 0x88,
// 0x90, 0x98) become the control characters of the same numbers (U+0081
// ...), never "?": the conversion loses no byte, and utf8ToCp1250Exactly
// refuses them on the way back.
std::string cp1250ToUtf8(std::string_view text);
// Whether c is one of those five bytes; where the first of them is in
// text (npos when none). Text from outside holding one is refused.
bool unusedInCp1250(unsigned char c);
std::size_t firstUnusedCp1250Byte(std::string_view text);
// Characters that code page 1250 lacks become '?'. Invalid UTF-8 bytes too.
std::string utf8ToCp1250(std::string_view text);
std::string cp852ToUtf8(std::string_view text);

// Text from outside (UTF-8) in code page 1250, only when the conversion
// back gives the same bytes: nothing for bytes that are not UTF-8 or for a
// character code page 1250 lacks. Every name and value made from outside
// text comes through here, never through utf8ToCp1250's "?".
std::optional<std::string> utf8ToCp1250Exactly(std::string_view text);
// A file name as the system holds it (its bytes, UTF-8 on Linux) in code
// page 1250 by utf8ToCp1250Exactly: nothing for bytes that are not UTF-8
// (a name unpacked from a Windows archive) or for characters code page 1250
// lacks, which no core path can carry.
std::optional<std::string> fileNameToCp1250(std::string_view native);
// The same name readable in a code page 1250 message: what converts as
// itself, a byte that is not UTF-8 as "\xE6", a character code page 1250
// lacks as "\u0416" (beyond U+FFFF as "\U0001F600"), a control character
// as "\x09". Only for showing: the real bytes name the file.
std::string readableFileName(std::string_view native);
// The same for a line of text: control characters (a TAB) stay as they are.
std::string readableText(std::string_view utf8);
// The start of a long text for a one-line message, as readableFileName
// shows it: at most `most` bytes, cut where a character ends, "..." after
// a cut.
std::string readableStart(std::string_view utf8, std::size_t most);

// A code page 1250 text readable in a message of the same page: its bytes
// as they are, a control character or a byte the page gives no character
// as "\x83"; at most `most` bytes, "..." after a cut.
std::string readableCp1250Start(std::string_view text, std::size_t most);

// True when text is well-formed UTF-8 (no overlong forms, surrogates or
// code points beyond U+10FFFF).
bool isValidUtf8(std::string_view text);
// The length of the well-formed UTF-8 sequence at text[i] (1 for ASCII);
// 0 for a byte UTF-8 cannot hold there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t i);
// Where the first combining accent (U+0300 to U+036F) of UTF-8 text is: a
// letter written decomposed (NFD), as its base letter and a mark, which
// code page 1250 has only as one letter. npos when there is none.
std::size_t firstCombiningMark(std::string_view text);
// How one line of text is written, told by that line alone. ASCII reads
// the same either way. Bytes that are not UTF-8 are code page 1250. Valid
// UTF-8 with multi-byte sequences that code page 1250 spells is UTF-8:
// UTF-8's own Polish letters read as code page 1250 always begin with
// A-breve, A-diaeresis, L-acute or A-circumflex, letters Polish does not
// use, so no Polish UTF-8 text is taken for code page 1250. Valid UTF-8
// with a character code page 1250 lacks reads Either way when its code
// page 1250 reading is Polish text, Polish letters and the punctuation
// Polish text uses, a small letter of another language before two such
// marks too ("caf\xE9\x85\x94" is "caf\u9154"; never a-circumflex, which
// UTF-8's own punctuation begins with) ("\xD3\xA3", "O-acute L-stroke", is U+04E3; "ZADA\xD1\x85",
// "ZADAN-acute ...", is "ZADA\u0445"; U+044F read so is "N-acute Z-acute");
// else it is UTF-8 (and holds a character code page 1250 lacks).
enum class LineEncoding { Ascii, Utf8, Cp1250, Either };
LineEncoding lineEncoding(std::string_view line);
// How a line reading Either way is read in a file (or a stream of lines)
// whose lines that decide, those of Utf8 or Cp1250 by lineEncoding, are in
// `file` (Ascii when no line decides): as the file is, or as code page
// 1250 where no line decides.
LineEncoding eitherReadAs(LineEncoding file);
// How a line is read in such a file: as it says itself, or eitherReadAs.
// Never Either.
LineEncoding lineEncoding(std::string_view line, LineEncoding file);
// The bytes of a text file the user may have written with any editor, as
// code page 1250: after a UTF-8 mark as UTF-8 (the mark dropped); else
// each line as lineEncoding tells in the file whose encoding the first line
// that decides has.
std::string textFileToCp1250(std::string_view bytes);
std::string cp852ToCp1250(std::string_view text);

// UTF-16 (the workbook library's wide text). Invalid UTF-8 bytes and
// unpaired surrogates become U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
std::string utf16ToUtf8(std::u16string_view text);
std::u16string cp1250ToUtf16(std::string_view text);
// Characters that code page 1250 lacks become '?'.
std::string utf16ToCp1250(std::u16string_view text);

// Single-byte Windows code pages by number (1250, 1252, 437, ...). The table
// maps each byte to its UTF-16 character (U+FFFD where the page has none);
// it is built once per code page. Nothing when iconv does not know the page
// or the page is not a single-byte one, or when it cannot be loaded now (no
// descriptor or memory left: tried again when next asked).
const std::array<char16_t, 256>* singleByteTable(int codePage);
// Bytes of the given code page to UTF-16; a page iconv does not know is read
// as code page 1250.
std::u16string singleByteToUtf16(std::string_view text, int codePage);
// UTF-16 to the given code page (1250 when unknown); missing characters
// become '?'.
std::string utf16ToSingleByte(std::u16string_view text, int codePage);

// Letter-case folding within code page 1250 (ASCII and the Polish and other
// Central European letters); used to match file names without regard to case.
char foldCaseCp1250(char c);
bool equalNoCaseCp1250(std::string_view a, std::string_view b);

}  // namespace vesk
