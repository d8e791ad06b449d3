#include "CodePage.h"

#include <fcntl.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "FileSystem.h"

namespace vesk {

namespace {

// Why iconv_open failed. The converter loads its tables from files and
// says only EINVAL when it cannot open them: a file opened here tells
// whether the open files' limit (or memory) is the cause. EINVAL when the
// system has no such conversion.
int converterError(int error) {
    if (error == EINVAL) {
        const int fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
        if (fd >= 0) ::close(fd);
        else error = errno;
    }
    return error;
}

std::string converterMissing(const char* from, const char* to, int error) {
    error = converterError(error);
    return std::string("Nie mo\xBFna zamieni\xE6 tekstu z ") + from + " na " + to + ": " +
           (error == EINVAL ? "system nie ma modu\xB3u tej zamiany (gconv)" : fileErrorText(error));
}

// Why the last single-byte table of this thread could not be built: the
// converter's error, 0 for a page that is not single-byte.
thread_local int tableFailure = 0;

// Converts with iconv; an input sequence that cannot be converted is
// replaced by '?' and skipped (one byte), so the conversion always ends.
std::string convert(std::string_view text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(converterMissing(from, to, errno));
    std::string out;
    out.reserve(text.size() * 2);
    std::vector<char> in(text.begin(), text.end());
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (r == static_cast<size_t>(-1)) {
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: an unconvertible or truncated sequence.
            out.push_back('?');
            ++inPtr;
            --inLeft;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, static_cast<size_t>(outPtr - buffer));
    iconv_close(cd);
    return out;
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string cp1250ToUtf8(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    const std::array<char16_t, 256>* table = singleByteTable(1250);
    std::u16string chars;
    chars.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        chars += unusedInCp1250(b) ? static_cast<char16_t>(b) : (*table)[b];
    }
    return utf16ToUtf8(chars);
}

bool unusedInCp1250(unsigned char c) { return c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98; }

std::size_t firstUnusedCp1250Byte(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (unusedInCp1250(static_cast<unsigned char>(text[i]))) return i;
    return std::string_view::npos;
}

std::string utf8ToCp1250(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    return convert(text, "CP1250", "UTF-8");
}

std::size_t utf8SequenceLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) return 1;
    // Continuation bytes, the lead byte's bits, the least code point.
    std::size_t n = 0;
    char32_t cp = 0, min = 0;
    if ((c & 0xE0) == 0xC0) {
        n = 1, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 2, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 3, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - i <= n) return 0;
    for (std::size_t j = 1; j <= n; ++j) {
        const auto d = static_cast<unsigned char>(text[i + j]);
        if ((d & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (d & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return n + 1;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0, n = 0; i < text.size(); i += n)
        if ((n = utf8SequenceLength(text, i)) == 0) return false;
    return true;
}

std::size_t firstCombiningMark(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(text[i + 1]);
        if ((a == 0xCC && b >= 0x80 && b <= 0xBF) || (a == 0xCD && b >= 0x80 && b <= 0xAF)) return i;
    }
    return std::string_view::npos;
}

std::optional<std::string> utf8ToCp1250Exactly(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    if (!isValidUtf8(text)) return std::nullopt;
    std::string core = utf8ToCp1250(text);
    if (cp1250ToUtf8(core) != text) return std::nullopt;
    return core;
}

std::optional<std::string> fileNameToCp1250(std::string_view native) { return utf8ToCp1250Exactly(native); }

namespace {

// What converts as itself, the rest escaped; control characters too when
// `controls`.
std::string readable(std::string_view native, bool controls) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    std::size_t i = 0;
    while (i < native.size()) {
        const auto c = static_cast<unsigned char>(native[i]);
        const std::size_t n = utf8SequenceLength(native, i);
        if (n > 0 && (!controls || (c >= 0x20 && c != 0x7F))) {
            const std::string_view znak = native.substr(i, n);
            if (auto core = utf8ToCp1250Exactly(znak)) {
                out += *core;
            } else {
                char32_t cp = n == 2 ? c & 0x1F : n == 3 ? c & 0x0F : c & 0x07;
                for (std::size_t j = 1; j < n; ++j) cp = (cp << 6) | (static_cast<unsigned char>(znak[j]) & 0x3F);
                // Beyond U+FFFF eight digits after "\U", so that no digit
                // that follows is read as the character's.
                const std::size_t cyfr = cp > 0xFFFF ? 8 : 4;
                std::string digits;
                for (; cp != 0 || digits.size() < cyfr; cp >>= 4) digits.insert(digits.begin(), hex[cp & 0xF]);
                out += (cyfr == 8 ? "\\U" : "\\u") + digits;
            }
            i += n;
        } else {
            out += {'\\', 'x', hex[c >> 4], hex[c & 0xF]};
            ++i;
        }
    }
    return out;
}

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string readableFileName(std::string_view native) { return readable(native, true); }

std::string readableText(std::string_view utf8) { return readable(utf8, false); }

std::string readableStart(std::string_view utf8, std::size_t most) {
    std::size_t end = 0;
    while (end < utf8.size()) {
        const std::size_t n = std::max<std::size_t>(utf8SequenceLength(utf8, end), 1);
        if (end + n > most) break;
        end += n;
    }
    return readableFileName(utf8.substr(0, end)) + (end < utf8.size() ? "..." : "");
}

std::string readableCp1250Start(std::string_view line, std::size_t most) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < line.size() && i < most; ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x20 || c == 0x7F || unusedInCp1250(c)) out += {'\\', 'x', hex[c >> 4], hex[c & 0xF]};
        else out += static_cast<char>(c);
    }
    return out + (line.size() > most ? "..." : "");
}

LineEncoding lineEncoding(std::string_view line) {
    if (isAscii(line)) return LineEncoding::Ascii;
    if (!isValidUtf8(line)) return LineEncoding::Cp1250;
    if (utf8ToCp1250Exactly(line)) return LineEncoding::Utf8;
    // The punctuation Polish text uses: quotes, "…", dashes, the no-break
    // space, "§", "°", bullets; then the Polish letters, capitals too.
    static constexpr std::string_view punctuation =
        "\x82\x84\x85\x8B\x91\x92\x93\x94\x95\x96\x97\x9B\xA0\xA7\xAB\xB0\xB7\xBB";
    static constexpr std::string_view letters =
        "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
    auto in = [](std::string_view set, char c) { return set.find(c) != std::string_view::npos; };
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        if (c < 0x80 || in(letters, line[i]) || in(punctuation, line[i])) continue;
        // A small letter of another language before two such marks, as
        // "caf\xE9\x85\x94" ("caf\u9154" read as UTF-8); never "\xE2", the first
        // byte of UTF-8's own punctuation.
        if (c >= 0xE0 && c <= 0xEF && c != 0xE2 && i + 2 < line.size() && in(punctuation, line[i + 1]) &&
            in(punctuation, line[i + 2])) {
            i += 2;
            continue;
        }
        return LineEncoding::Utf8;
    }
    return LineEncoding::Either;
}

LineEncoding eitherReadAs(LineEncoding file) {
    return file == LineEncoding::Utf8 ? LineEncoding::Utf8 : LineEncoding::Cp1250;
}

LineEncoding lineEncoding(std::string_view line, LineEncoding file) {
    const LineEncoding own = lineEncoding(line);
    return own == LineEncoding::Either ? eitherReadAs(file) : own;
}

std::string textFileToCp1250(std::string_view bytes) {
    if (bytes.substr(0, Utf8Mark.size()) == Utf8Mark) return utf8ToCp1250(bytes.substr(Utf8Mark.size()));
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from < bytes.size();) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", from), bytes.size() - 1) + 1;
        lines.push_back(bytes.substr(from, end - from));
        from = end;
    }
    LineEncoding file = LineEncoding::Ascii;
    for (const std::string_view line : lines)
        if (const LineEncoding e = lineEncoding(line); e == LineEncoding::Utf8 || e == LineEncoding::Cp1250) {
            file = e;
            break;
        }
    std::string out;
    out.reserve(bytes.size());
    for (const std::string_view line : lines) {
        if (lineEncoding(line, file) == LineEncoding::Utf8) out += utf8ToCp1250(line);
        else out += line;
    }
    return out;
}

std::string cp852ToUtf8(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    return convert(text, "UTF-8", "CP852");
}

std::string cp852ToCp1250(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    return convert(text, "CP1250", "CP852");
}

char foldCaseCp1250(char ch) {
    auto c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
    switch (c) {
        case 0x8A: return static_cast<char>(0x9A);  // Š
        case 0x8C: return static_cast<char>(0x9C);  // Ś
        case 0x8D: return static_cast<char>(0x9D);  // Ť
        case 0x8E: return static_cast<char>(0x9E);  // Ž
        case 0x8F: return static_cast<char>(0x9F);  // Ź
        case 0xA3: return static_cast<char>(0xB3);  // Ł
        case 0xA5: return static_cast<char>(0xB9);  // Ą
        case 0xAA: return static_cast<char>(0xBA);  // Ş
        case 0xAF: return static_cast<char>(0xBF);  // Ż
        case 0xBC: return static_cast<char>(0xBE);  // Ľ
        default: break;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
    return ch;
}

bool equalNoCaseCp1250(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCaseCp1250(a[i]) != foldCaseCp1250(b[i])) return false;
    return true;
}

}  // namespace vesk

// ---------------------------------------------------------------- UTF-16

namespace vesk {

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    while (i < n) {
        unsigned char c = byteAt(i);
        char32_t cp = 0;
        std::size_t len = 0;
        if (c < 0x80) {
            cp = c;
            len = 1;
        } else if (c >= 0xC2 && c <= 0xDF) {
            cp = c & 0x1F;
            len = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            cp = c & 0x0F;
            len = 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            cp = c & 0x07;
            len = 4;
        } else {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        bool ok = i + len <= n;
        for (std::size_t k = 1; ok && k < len; ++k) {
            unsigned char t = byteAt(i + k);
            if ((t & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (t & 0x3F);
        }
        if (ok && ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
                   (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))))
            ok = false;
        if (!ok) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

namespace {

struct SingleByteTables {
    std::mutex lock;
    std::map<int, std::unique_ptr<std::array<char16_t, 256>>> tables;
    std::map<int, bool> unknown;
};

SingleByteTables& singleByteTables() {
    static SingleByteTables tables;
    return tables;
}

std::unique_ptr<std::array<char16_t, 256>> buildTable(int codePage) {
    std::string name = "CP" + std::to_string(codePage);
    iconv_t cd = iconv_open("UTF-16LE", name.c_str());
    tableFailure = cd == reinterpret_cast<iconv_t>(-1) ? converterError(errno) : 0;
    if (tableFailure != 0) return nullptr;
    auto table = std::make_unique<std::array<char16_t, 256>>();
    bool singleByte = true;
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char out[8];
        char* inPtr = &in;
        size_t inLeft = 1;
        char* outPtr = out;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        std::size_t produced = sizeof out - outLeft;
        if (r == static_cast<size_t>(-1) && errno == EINVAL && b >= 0x80) singleByte = false;
        if (r == static_cast<size_t>(-1) || produced != 2) {
            (*table)[static_cast<std::size_t>(b)] = u'\uFFFD';
        } else {
            (*table)[static_cast<std::size_t>(b)] = static_cast<char16_t>(
                static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
        }
    }
    iconv_close(cd);
    if (!singleByte) return nullptr;
    return table;
}

// The core's own page is built in: every text of the program goes through
// it, so that no lack of descriptors or memory at the converter's load can
// leave a message unreadable. Its unused bytes are U+FFFD, as built above.
const std::array<char16_t, 256>& builtInCp1250() {
    static constexpr char16_t high[128] = {
    u'\u20AC', u'\uFFFD', u'\u201A', u'\uFFFD', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\uFFFD', u'\u2030', u'\u0160', u'\u2039', u'\u015A', u'\u0164', u'\u017D', u'\u0179',
    u'\uFFFD', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\uFFFD', u'\u2122', u'\u0161', u'\u203A', u'\u015B', u'\u0165', u'\u017E', u'\u017A',
    u'\u00A0', u'\u02C7', u'\u02D8', u'\u0141', u'\u00A4', u'\u0104', u'\u00A6', u'\u00A7',
    u'\u00A8', u'\u00A9', u'\u015E', u'\u00AB', u'\u00AC', u'\u00AD', u'\u00AE', u'\u017B',
    u'\u00B0', u'\u00B1', u'\u02DB', u'\u0142', u'\u00B4', u'\u00B5', u'\u00B6', u'\u00B7',
    u'\u00B8', u'\u0105', u'\u015F', u'\u00BB', u'\u013D', u'\u02DD', u'\u013E', u'\u017C',
    u'\u0154', u'\u00C1', u'\u00C2', u'\u0102', u'\u00C4', u'\u0139', u'\u0106', u'\u00C7',
    u'\u010C', u'\u00C9', u'\u0118', u'\u00CB', u'\u011A', u'\u00CD', u'\u00CE', u'\u010E',
    u'\u0110', u'\u0143', u'\u0147', u'\u00D3', u'\u00D4', u'\u0150', u'\u00D6', u'\u00D7',
    u'\u0158', u'\u016E', u'\u00DA', u'\u0170', u'\u00DC', u'\u00DD', u'\u0162', u'\u00DF',
    u'\u0155', u'\u00E1', u'\u00E2', u'\u0103', u'\u00E4', u'\u013A', u'\u0107', u'\u00E7',
    u'\u010D', u'\u00E9', u'\u0119', u'\u00EB', u'\u011B', u'\u00ED', u'\u00EE', u'\u010F',
    u'\u0111', u'\u0144', u'\u0148', u'\u00F3', u'\u00F4', u'\u0151', u'\u00F6', u'\u00F7',
    u'\u0159', u'\u016F', u'\u00FA', u'\u0171', u'\u00FC', u'\u00FD', u'\u0163', u'\u02D9',
    };
    static const std::array<char16_t, 256> table = [] {
        std::array<char16_t, 256> t{};
        for (std::size_t b = 0; b < 256; ++b) t[b] = b < 0x80 ? static_cast<char16_t>(b) : high[b - 0x80];
        return t;
    }();
    return table;
}

}  // namespace

const std::array<char16_t, 256>* singleByteTable(int codePage) {
    if (codePage == 1250) return &builtInCp1250();
    SingleByteTables& all = singleByteTables();
    std::lock_guard<std::mutex> guard(all.lock);
    auto found = all.tables.find(codePage);
    if (found != all.tables.end()) return found->second.get();
    if (all.unknown.count(codePage)) {
        tableFailure = EINVAL;
        return nullptr;
    }
    auto table = buildTable(codePage);
    if (!table) {
        // A page the converter lacks stays unknown; one it could not load
        // now (no descriptor or memory left) is tried again.
        if (tableFailure == 0 || tableFailure == EINVAL) all.unknown[codePage] = true;
        return nullptr;
    }
    return (all.tables[codePage] = std::move(table)).get();
}

namespace {

const std::array<char16_t, 256>& tableOrCp1250(int codePage) {
    if (const auto* t = singleByteTable(codePage)) return *t;
    return *singleByteTable(1250);
}

}  // namespace

std::u16string singleByteToUtf16(std::string_view text, int codePage) {
    const auto& table = tableOrCp1250(codePage);
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(table[static_cast<unsigned char>(c)]);
    return out;
}

std::string utf16ToSingleByte(std::u16string_view text, int codePage) {
    const auto& table = tableOrCp1250(codePage);
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        if (c < 0x80 && table[c] == c) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char found = '?';
        for (int b = 0; b < 256; ++b)
            if (table[static_cast<std::size_t>(b)] == c && c != u'\uFFFD') {
                found = static_cast<char>(b);
                break;
            }
        out.push_back(found);
    }
    return out;
}

std::u16string cp1250ToUtf16(std::string_view text) { return singleByteToUtf16(text, 1250); }

std::string utf16ToCp1250(std::u16string_view text) { return utf16ToSingleByte(text, 1250); }

}  // namespace vesk
