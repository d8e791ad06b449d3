#include "CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace vesk {

namespace {

// Converts with iconv; an input sequence that cannot be converted is
// replaced by '?' and skipped (one byte), so the conversion always ends.
std::string convert(std::string_view text, const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
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
    return convert(text, "UTF-8", "CP1250");
}

std::string utf8ToCp1250(std::string_view text) {
    if (isAscii(text)) return std::string(text);
    return convert(text, "CP1250", "UTF-8");
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
