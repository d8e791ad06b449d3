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

// The text after a UTF-16 mark as UTF-8, an unpaired surrogate in the
// three bytes UTF-8 would give it (which no UTF-8 reader takes, so that the
// line is refused naming it); the length is even.
std::string utf16FileToUtf8(std::string_view bytes) {
    const bool le = startsWith(bytes, "\xFF\xFE");
    std::u16string chars;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        chars += static_cast<char16_t>(le ? a | b << 8 : a << 8 | b);
    }
    std::string text;
    std::size_t from = 0;
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const char16_t c = chars[i];
        if (c < 0xD800 || c > 0xDFFF) continue;
        if (c <= 0xDBFF && i + 1 < chars.size() && chars[i + 1] >= 0xDC00 && chars[i + 1] <= 0xDFFF) {
            ++i;
            continue;
        }
        text += utf16ToUtf8(std::u16string_view(chars).substr(from, i - from));
        text += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F))};
        from = i + 1;
    }
    return text + utf16ToUtf8(std::u16string_view(chars).substr(from));
}

// The surrogate written at line[at] by utf16FileToUtf8 ("\uD800"); empty
// when there is none.
std::string surrogateAt(std::string_view line, std::size_t at) {
    if (line.size() - at < 3 || static_cast<unsigned char>(line[at]) != 0xED) return {};
    const auto b = static_cast<unsigned char>(line[at + 1]), c = static_cast<unsigned char>(line[at + 2]);
    if (b < 0xA0 || b > 0xBF || (c & 0xC0) != 0x80) return {};
    static const char hex[] = "0123456789ABCDEF";
    const unsigned code = 0xD000u | (b & 0x3Fu) << 6 | (c & 0x3Fu);
    return {'\\', 'u', hex[code >> 12], hex[code >> 8 & 0xF], hex[code >> 4 & 0xF], hex[code & 0xF]};
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
    const bool utf8Mark = !utf16 && startsWith(bytes, "\xEF\xBB\xBF");
    const std::string text = utf16 ? utf16FileToUtf8(bytes) : std::string(bytes.substr(utf8Mark ? 3 : 0));
    if (text.find('\0') != std::string::npos) return refused(!utf16 && looksUtf16(bytes) ? Refusal::Utf16NoMark : Refusal::NulBytes);

    TextFileLines r;
    r.lines = splitTextLines(text, loneCr);
    // Comments hold whatever they hold: only the other lines tell how the
    // file is written.
    std::vector<bool> comment(r.lines.size(), false);
    Utf8Count counted;
    std::size_t unused = std::string::npos;  // the first line with a byte code page 1250 gives no character
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        comment[i] = keep && keep(r.lines[i]);
        if (comment[i]) continue;
        const Utf8Count c = countUtf8(r.lines[i]);
        counted.sequences += c.sequences;
        counted.stray += c.stray;
        if (unused == std::string::npos && firstUnusedCp1250Byte(r.lines[i]) != std::string::npos) unused = i;
    }
    // Lines of ASCII alone read the same either way: then the comments are
    // read as they are written.
    const Utf8Count judged = counted.sequences + counted.stray > 0 ? counted : countUtf8(text);
    const bool utf8 = utf16 || utf8Mark || judged.sequences > judged.stray;
    if (!utf8) {
        if (unused == std::string::npos) return r;
        const std::string& line = r.lines[unused];
        r.refusal = Refusal::UnusedByte;
        r.character = readableCp1250Start(line.substr(firstUnusedCp1250Byte(line), 1), 1);
        r.text = readableCp1250Start(line, 100);
        r.line = unused + 1;
        r.lines.clear();
        return r;
    }
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        std::string& line = r.lines[i];
        if (std::optional<std::string> cp = utf8ToCp1250Exactly(line)) {
            line = std::move(*cp);
            continue;
        }
        if (comment[i]) {
            std::size_t from = 0;
            while (from < line.size() && (static_cast<unsigned char>(line[from]) <= 0x20 ||
                                          static_cast<unsigned char>(line[from]) >= 0x80))
                ++from;
            line = readableText(std::string_view(line).substr(from));
            continue;
        }
        // Not UTF-8 comes first, as nothing else can be told of such bytes
        // (but half of a UTF-16 pair, named as such); then a decomposed
        // letter, whose remedy differs.
        std::size_t at = firstCombiningMark(line);
        r.refusal = !isValidUtf8(line) ? Refusal::NotUtf8 : at != std::string::npos ? Refusal::Decomposed : Refusal::Unspellable;
        if (r.refusal != Refusal::Decomposed) at = firstUnspellable(line);
        const std::size_t n = std::max<std::size_t>(utf8SequenceLength(line, at), 1);
        r.character = readableFileName(line.substr(at, n));
        if (std::string half = surrogateAt(line, at); utf16 && !half.empty()) {
            r.refusal = Refusal::Surrogate;
            r.character = std::move(half);
        }
        // Whole as UTF-8 and as code page 1250 alike, the file may be
        // either: what its bytes are in code page 1250 is said too.
        if (r.refusal == Refusal::Unspellable && !utf16 && !utf8Mark && counted.stray == 0 &&
            unused == std::string::npos) {
            r.maybeCp1250 = true;
            r.cp1250 = line.substr(at, n);
        }
        // A line may be long: its start tells which it is.
        r.text = readableStart(line, 100);
        if (r.refusal == Refusal::Surrogate)
            if (const std::size_t w = r.text.find(readableFileName(line.substr(at, 3))); w != std::string::npos)
                r.text.replace(w, 12, r.character);
        r.line = i + 1;
        r.lines.clear();
        return r;
    }
    return r;
}

}  // namespace vesk
