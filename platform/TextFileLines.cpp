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

TextFileLines textFileLines(std::string_view bytes, LoneCr loneCr, const CommentStart& comment, LineEncoding before) {
    if (looksUtf32(bytes)) return refused(Refusal::Utf32);
    const bool utf16 = startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF");
    if (utf16 && bytes.size() % 2 != 0) return refused(Refusal::Utf16OddLength);
    const bool utf8Mark = !utf16 && startsWith(bytes, "\xEF\xBB\xBF");
    const std::string text = utf16 ? utf16FileToUtf8(bytes) : std::string(bytes.substr(utf8Mark ? 3 : 0));
    if (text.find('\0') != std::string::npos) return refused(!utf16 && looksUtf16(bytes) ? Refusal::Utf16NoMark : Refusal::NulBytes);

    TextFileLines r;
    r.lines = splitTextLines(text, loneCr);
    auto refuse = [&r](Refusal why, std::size_t i, std::string shown, std::string character) {
        r.refusal = why;
        r.line = i + 1;
        r.text = std::move(shown);
        r.character = std::move(character);
        r.lines.clear();
        return r;
    };
    // Comments hold whatever they hold: only the rest of the lines tells
    // how the file is written, each line that decides by itself; those
    // reading either way are as the file is.
    std::vector<std::size_t> commentAt(r.lines.size(), std::string::npos);
    LineEncoding file = utf16 || utf8Mark ? LineEncoding::Utf8 : LineEncoding::Ascii;
    std::size_t first = 0;  // the line that told the encoding
    bool either = false;
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        const std::string& line = r.lines[i];
        commentAt[i] = comment ? std::min(comment(line), line.size()) : line.size();
        const std::string_view code = std::string_view(line).substr(0, commentAt[i]);
        // Two files joined by cat leave the second one's mark inside.
        if (const std::size_t m = code.find("\xEF\xBB\xBF"); m != std::string::npos)
            return refuse(Refusal::InnerMark, i, readableStart(line, 100), readableFileName(code.substr(m, 3)));
        if (utf16 || utf8Mark) continue;
        const LineEncoding e = lineEncoding(code);
        either = either || e == LineEncoding::Either;
        if (e == LineEncoding::Ascii || e == LineEncoding::Either) continue;
        if (file == LineEncoding::Ascii) {
            file = e;
            first = i;
        } else if (e != file) {
            r.firstLine = first + 1;
            r.firstUtf8 = file == LineEncoding::Utf8;
            r.firstText = r.firstUtf8 ? readableStart(r.lines[first], 100) : readableCp1250Start(r.lines[first], 100);
            return refuse(Refusal::TwoEncodings, i, r.firstUtf8 ? readableCp1250Start(line, 100) : readableStart(line, 100),
                          {});
        }
    }
    r.decided = file;
    if (file == LineEncoding::Ascii && either) file = eitherReadAs(before);
    if (file == LineEncoding::Cp1250) {
        for (std::size_t i = 0; i < r.lines.size(); ++i) {
            const std::string& line = r.lines[i];
            const std::size_t at = firstUnusedCp1250Byte(std::string_view(line).substr(0, commentAt[i]));
            if (at != std::string::npos)
                return refuse(Refusal::UnusedByte, i, readableCp1250Start(line, 100),
                              readableCp1250Start(line.substr(at, 1), 1));
        }
        return r;
    }
    for (std::size_t i = 0; i < r.lines.size(); ++i) {
        std::string& line = r.lines[i];
        const std::size_t from = commentAt[i];
        // A comment is read as the file is, or as it is written itself when
        // the rest of the file is ASCII.
        std::string note = line.substr(from);
        if (file == LineEncoding::Utf8 || lineEncoding(note, file) == LineEncoding::Utf8) {
            if (std::optional<std::string> cp = utf8ToCp1250Exactly(note)) {
                note = std::move(*cp);
            } else {
                std::size_t start = 0;
                while (start < note.size() && (static_cast<unsigned char>(note[start]) <= 0x20 ||
                                               static_cast<unsigned char>(note[start]) >= 0x80))
                    ++start;
                note = readableText(std::string_view(note).substr(start));
            }
        }
        const std::string_view code = std::string_view(line).substr(0, from);
        if (std::optional<std::string> cp = utf8ToCp1250Exactly(code)) {
            line = std::move(*cp) + note;
            continue;
        }
        // Not UTF-8 comes first, as nothing else can be told of such bytes
        // (but half of a UTF-16 pair, named as such); then a decomposed
        // letter, whose remedy differs.
        std::size_t at = firstCombiningMark(code);
        Refusal why = !isValidUtf8(code) ? Refusal::NotUtf8 : at != std::string::npos ? Refusal::Decomposed : Refusal::Unspellable;
        if (why != Refusal::Decomposed) at = firstUnspellable(code);
        const std::size_t n = std::max<std::size_t>(utf8SequenceLength(code, at), 1);
        std::string character = readableFileName(code.substr(at, n));
        if (std::string half = surrogateAt(code, at); utf16 && !half.empty()) {
            why = Refusal::Surrogate;
            character = std::move(half);
        }
        // A line may be long: its start tells which it is.
        std::string shown = readableStart(line, 100);
        if (why == Refusal::Surrogate)
            if (const std::size_t w = shown.find(readableFileName(code.substr(at, 3))); w != std::string::npos)
                shown.replace(w, 12, character);
        return refuse(why, i, std::move(shown), std::move(character));
    }
    return r;
}

std::string textFileRefusal(const TextFileLines& t, const std::string& file, const std::string& comment) {
    const std::string wiersz = file + ", wiersz " + std::to_string(t.line) + " (" + t.text + ")";
    // "zapisz go w UTF-8 lub w stronie kodowej 1250"
    const std::string zapisz = " - zapisz go w UTF-8 lub w stronie kodowej 1250";
    switch (t.refusal) {
        case Refusal::None: return {};
        case Refusal::Utf16OddLength:
            // "zapisany w UTF-16 jest uszkodzony: ma nieparzystą liczbę bajtów (ostatni znak jest urwany)"
            return file + " zapisany w UTF-16 jest uszkodzony: ma nieparzyst\xB9 liczb\xEA bajt\xF3w (ostatni znak "
                          "jest urwany)";
        case Refusal::Utf16NoMark:
            // "jest zapisany w UTF-16 bez znacznika kolejności bajtów (BOM)"
            return file + " jest zapisany w UTF-16 bez znacznika kolejno\x9C" "ci bajt\xF3w (BOM)" + zapisz +
                   " albo w UTF-16 ze znacznikiem";
        case Refusal::Utf32: return file + " jest zapisany w UTF-32" + zapisz;
        case Refusal::NulBytes:
            // "nie jest plikiem tekstowym (ma bajty zerowe: to program, skoroszyt lub inne dane)"
            return file + " nie jest plikiem tekstowym (ma bajty zerowe: to program, skoroszyt lub inne dane)";
        case Refusal::NotUtf8:
            // Only a file marked as UTF-8 holds such a line (one without a
            // mark tells each line's encoding by the line):
            // "nie jest zapisany w UTF-8 (bajt \xB1), choć plik zaczyna się znacznikiem UTF-8 (BOM) - ..."
            return wiersz + " nie jest zapisany w UTF-8 (bajt " + t.character + "), cho\xE6 plik zaczyna si\xEA " +
                   "znacznikiem UTF-8 (BOM) - zapisz ca\xB3y plik w UTF-8";
        case Refusal::Decomposed:
            // "ma litery zapisane w postaci rozłożonej (NFD: litera i osobny znak diakrytyczny ...) - wpisz
            // je na nowo, każdą jako jeden znak; nazwę pliku w tej postaci poprawia np. polecenie: convmv ..."
            return wiersz + " ma litery zapisane w postaci roz\xB3o\xBFonej (NFD: litera i osobny znak "
                            "diakrytyczny " + t.character + ") - wpisz je na nowo, ka\xBF" "d\xB9 jako jeden znak; "
                            "nazw\xEA pliku w tej postaci poprawia np. polecenie: convmv -f utf8 -t utf8 --nfc "
                            "--notest NAZWA";
        case Refusal::Unspellable:
            // "ma znak \u0414 spoza strony kodowej 1250 - nazwa ani wartość nie może go zawierać (komentarz rem może)"
            return wiersz + " ma znak " + t.character + " spoza strony kodowej 1250 - nazwa ani warto\x9C\xE6 " +
                   "nie mo\xBF" "e go zawiera\xE6 (komentarz " + comment + " mo\xBF" "e)";
        case Refusal::UnusedByte:
            // "ma bajt \x83, któremu strona kodowa 1250 nie przypisuje znaku"
            return wiersz + " ma bajt " + t.character + ", kt\xF3remu strona kodowa 1250 nie przypisuje znaku" + zapisz;
        case Refusal::Surrogate:
            // "ma połowę pary surogatów UTF-16 bez drugiej (\uD800): plik jest uszkodzony"
            return wiersz + " ma po\xB3ow\xEA pary surogat\xF3w UTF-16 bez drugiej (" + t.character +
                   "): plik jest uszkodzony" + zapisz;
        case Refusal::InnerMark:
            // "ma znacznik kolejności bajtów (BOM, \uFEFF) pozostawiony wewnątrz pliku, np. przez złączenie
            // dwóch plików - usuń go"
            return wiersz + " ma znacznik kolejno\x9C" "ci bajt\xF3w (BOM, " + t.character +
                   ") pozostawiony wewn\xB9trz pliku, np. przez z\xB3\xB9" "czenie dw\xF3" "ch plik\xF3w - usu\xF1 go";
        case Refusal::TwoEncodings:
            // "wiersz 2 (...) jest zapisany w UTF-8, a wiersz 3 (...) w stronie kodowej 1250 - zapisz cały
            // plik w jednym z nich"
            return file + ": wiersz " + std::to_string(t.firstLine) + " (" + t.firstText + ") jest zapisany w " +
                   (t.firstUtf8 ? "UTF-8" : "stronie kodowej 1250") + ", a wiersz " + std::to_string(t.line) + " (" +
                   t.text + ") w " + (t.firstUtf8 ? "stronie kodowej 1250" : "UTF-8") +
                   " - zapisz ca\xB3y plik w jednym z nich";
    }
    return {};
}

}  // namespace vesk
