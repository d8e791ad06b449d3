#include "TextFileLines.h"

#include <algorithm>

#include "CodePage.h"

namespace vesk {

namespace {

using Refusal = TextFileLines::Refusal;

bool startsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

// UTF-32 by its mark, or by every four bytes holding one code point below
// U+110000 in either byte order (an ASCII text in UTF-32 holds three NUL
// bytes for each letter).
bool looksUtf32(std::string_view b) {
    if (startsWith(b, std::string_view("\xFF\xFE\0\0", 4)) || startsWith(b, std::string_view("\0\0\xFE\xFF", 4)))
        return true;
    if (b.empty() || b.size() % 4 != 0) return false;
    bool le = true, be = true;
    for (std::size_t i = 0; i < b.size(); i += 4) {
        le = le && b[i + 3] == 0 && static_cast<unsigned char>(b[i + 2]) <= 0x10;
        be = be && b[i] == 0 && static_cast<unsigned char>(b[i + 1]) <= 0x10;
    }
    return le || be;
}

// UTF-16 without a mark: NUL bytes all on one side of the byte pairs, in
// at least every second pair (the high byte of a Latin letter).
bool looksUtf16(std::string_view b) {
    if (b.empty() || b.size() % 2 != 0) return false;
    std::size_t nulls[2] = {0, 0};
    for (std::size_t i = 0; i < b.size(); ++i)
        if (b[i] == 0) ++nulls[i % 2];
    const std::size_t pairs = b.size() / 2;
    return (nulls[0] == 0 && nulls[1] * 2 >= pairs) || (nulls[1] == 0 && nulls[0] * 2 >= pairs);
}

// The text after a UTF-16 mark as UTF-8 (an unpaired surrogate becomes
// U+FFFD, which code page 1250 lacks); the length is even.
std::string utf16FileToUtf8(std::string_view bytes) {
    const bool le = startsWith(bytes, "\xFF\xFE");
    std::u16string chars;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        chars += static_cast<char16_t>(le ? a | b << 8 : a << 8 | b);
    }
    return utf16ToUtf8(chars);
}

// The first character of a UTF-8 line that code page 1250 cannot spell
// exactly (a byte that is not UTF-8 too), and where it is.
std::size_t firstUnspellable(std::string_view line) {
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t n = utf8SequenceLength(line, i);
        if (n == 0 || !utf8ToCp1250Exactly(line.substr(i, n))) return i;
        i += n;
    }
    return line.size();
}

TextFileLines refused(Refusal why) {
    TextFileLines r;
    r.refusal = why;
    return r;
}

}  // namespace

TextFileLines textFileLines(std::string_view bytes, LoneCr loneCr, const std::function<bool(const std::string&)>& keep) {
    if (looksUtf32(bytes)) return refused(Refusal::Utf32);
    const bool utf16 = startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF");
    if (utf16 && bytes.size() % 2 != 0) return refused(Refusal::Utf16OddLength);
    const bool utf8 = !utf16 && writtenInUtf8(bytes);
    std::string text = utf16 ? utf16FileToUtf8(bytes)
                       : utf8 ? std::string(bytes.substr(startsWith(bytes, "\xEF\xBB\xBF") ? 3 : 0))
                              : std::string(bytes);
    if (text.find('\0') != std::string::npos) return refused(!utf16 && looksUtf16(bytes) ? Refusal::Utf16NoMark : Refusal::NulBytes);

    TextFileLines r;
    r.lines = splitTextLines(text, loneCr);
    if (!utf16 && !utf8) return r;
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        std::string& line = r.lines[i];
        if (std::optional<std::string> cp = utf8ToCp1250Exactly(line)) {
            line = std::move(*cp);
            continue;
        }
        if (std::string kept = readableText(line); keep && keep(kept)) {
            line = std::move(kept);
            continue;
        }
        // Not UTF-8 comes first, as nothing else can be told of such bytes;
        // then a decomposed letter, whose remedy differs.
        std::size_t at = firstCombiningMark(line);
        r.refusal = !isValidUtf8(line) ? Refusal::NotUtf8 : at != std::string::npos ? Refusal::Decomposed : Refusal::Unspellable;
        if (r.refusal != Refusal::Decomposed) at = firstUnspellable(line);
        const std::size_t n = std::max<std::size_t>(utf8SequenceLength(line, at), 1);
        r.character = readableFileName(line.substr(at, n));
        // A line may be long: its start tells which it is.
        r.text = readableStart(line, 100);
        r.line = i + 1;
        r.lines.clear();
        return r;
    }
    return r;
}

}  // namespace vesk
