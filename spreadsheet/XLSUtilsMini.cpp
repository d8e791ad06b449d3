#include "XLSUtilsMini.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "BIFFRecsMini.h"
#include "CodePage.h"
#include "EXLSError.h"

namespace vesk {

std::string ColRowToRefStr(int col, int row, bool absCol, bool absRow) {
    std::string text;
    if (absCol) text += '$';
    if (col < 26) {
        text += static_cast<char>('A' + col);
    } else {
        text += static_cast<char>(64 + col / 26);
        text += static_cast<char>(65 + col % 26);
    }
    if (absRow) text += '$';
    text += std::to_string(row + 1);
    return text;
}

bool RefStrToColRow(std::string_view text, std::uint16_t& col, std::uint16_t& row, bool& absCol, bool& absRow) {
    std::size_t i = 0;
    auto isUpper = [](char c) { return c >= 'A' && c <= 'Z'; };
    absCol = i < text.size() && text[i] == '$';
    if (absCol) ++i;
    if (i >= text.size() || !isUpper(text[i])) return false;
    int c = text[i] - 'A';
    ++i;
    if (i < text.size() && isUpper(text[i])) {
        if (text[i - 1] > 'I') return false;
        c = (text[i - 1] - 64) * 26 + (text[i] - 65);
        ++i;
        if (c > 255) return false;
    }
    absRow = i < text.size() && text[i] == '$';
    if (absRow) ++i;
    if (i >= text.size()) return false;
    long number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        number = number * 10 + (text[i] - '0');
        if (number > 65536) return false;
    }
    if (number < 1) return false;
    col = static_cast<std::uint16_t>(c);
    row = static_cast<std::uint16_t>(number - 1);
    return true;
}

bool AreaStrToColRow(std::string_view text, std::uint16_t& col1, std::uint16_t& row1, std::uint16_t& col2,
                     std::uint16_t& row2, bool& absCol1, bool& absRow1, bool& absCol2, bool& absRow2) {
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return false;
    return RefStrToColRow(text.substr(0, colon), col1, row1, absCol1, absRow1) &&
           RefStrToColRow(text.substr(colon + 1), col2, row2, absCol2, absRow2);
}

std::size_t ByteStrLength(const ByteString& s) {
    if (s.empty()) return 0;
    if (s[0] == 1) return (s.size() - 1) / 2;
    return s.size() - 1;
}

namespace {

std::size_t byteStrBytes(const std::uint8_t* buffer, std::size_t available, std::size_t count) {
    if (available < 1) throw EXLSError(XLSErrorKind::Format, "String beyond the end of the record");
    std::size_t bytes = 1 + ((buffer[0] & 1) ? 2 * count : count);
    if (bytes > available) throw EXLSError(XLSErrorKind::Format, "String beyond the end of the record");
    return bytes;
}

}  // namespace

ByteString ByteStrFromBuffer(const std::uint8_t* buffer, std::size_t available, std::size_t count) {
    std::size_t bytes = byteStrBytes(buffer, available, count);
    ByteString s(reinterpret_cast<const char*>(buffer), bytes);
    s[0] = static_cast<char>(buffer[0] & 1);
    return s;
}

WideString BufferToWideString(const std::uint8_t* buffer, std::size_t available, std::size_t count) {
    byteStrBytes(buffer, available, count);
    WideString text;
    text.reserve(count);
    const std::uint8_t* p = buffer + 1;
    if (buffer[0] & 1) {
        for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8)));
    } else {
        for (std::size_t i = 0; i < count; ++i) text.push_back(static_cast<char16_t>(p[i]));
    }
    return text;
}

ByteString WideStringToByteStr(std::u16string_view text) {
    ByteString s(1, '\x01');
    s.reserve(1 + 2 * text.size());
    for (char16_t c : text) {
        s.push_back(static_cast<char>(c & 0xFF));
        s.push_back(static_cast<char>(c >> 8));
    }
    return s;
}

WideString ByteStrToWideString(const ByteString& s) {
    if (s.empty()) return {};
    if (s[0] == 0) {
        WideString text;
        for (std::size_t i = 1; i < s.size(); ++i) text.push_back(static_cast<unsigned char>(s[i]));
        return text;
    }
    if (s[0] == 1) {
        WideString text;
        for (std::size_t i = 1; i + 1 < s.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(s[i]) |
                                                 (static_cast<unsigned char>(s[i + 1]) << 8)));
        return text;
    }
    return cp1250ToUtf16(s);
}

namespace {

bool plainAscii(char16_t c) { return (c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

WideString Biff5Text(std::string_view bytes, int codePage) {
    if (codePage != CodePageUtf16) return singleByteToUtf16(bytes, codePage);
    const bool plain =
        std::all_of(bytes.begin(), bytes.end(), [](char b) { return plainAscii(static_cast<unsigned char>(b)); });
    if (plain || bytes.size() % 2 != 0) return singleByteToUtf16(bytes, 1250);
    WideString text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return text;
}

std::string Biff5Bytes(std::u16string_view text, int codePage) {
    if (codePage != CodePageUtf16) return utf16ToSingleByte(text, codePage);
    if (std::all_of(text.begin(), text.end(), plainAscii)) return std::string(text.begin(), text.end());
    std::string bytes;
    bytes.reserve(2 * text.size());
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string ErrorCodeToText(std::uint8_t code) {
    std::uint8_t index = ErrorCodeToIndex(code);
    return index == 0 ? "#???" : XLSErrorTexts[index];
}

std::uint8_t ErrorCodeToIndex(std::uint8_t code) {
    for (std::uint8_t i = 1; i <= 7; ++i)
        if (XLSErrorCodes[i] == code) return i;
    return 0;
}

std::uint8_t ErrorIndexToCode(std::uint8_t index) {
    index &= 0x7F;
    if (index >= 1 && index <= 6) return XLSErrorCodes[index];
    return 0x2A;
}

double DecodeRK(std::uint32_t rk) {
    double value;
    if (rk & 2) {
        value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
    } else {
        std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
        value = std::bit_cast<double>(bits);
    }
    if (rk & 1) value /= 100;
    return value;
}

std::uint8_t HexPairToByte(std::string_view pair) {
    if (pair.size() != 2) throw EXLSError(XLSErrorKind::Usage, "Length error in hex string.");
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        throw EXLSError(XLSErrorKind::Usage, "Invalid character in hex string.");
    };
    return static_cast<std::uint8_t>(digit(pair[0]) * 16 + digit(pair[1]));
}

std::vector<std::uint8_t> HexToBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes(text.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = HexPairToByte(text.substr(2 * i, 2));
    return bytes;
}

char16_t WideUpperChar(char16_t c) {
    if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
    if (c == 0xB5) return 0x039C;  // micro sign
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char16_t>(c - 32);
    if (c == 0xFF) return 0x0178;
    if (c >= 0x0100 && c <= 0x017F) {
        // Latin Extended-A: pairs of upper and lower case, with the odd
        // stretches 0x0139..0x0148 and 0x0179..0x017E shifted by one.
        if ((c >= 0x0139 && c <= 0x0148) || (c >= 0x0179 && c <= 0x017E)) return (c & 1) ? c : static_cast<char16_t>(c - 1);
        if (c == 0x0131) return u'I';  // dotless i
        if (c == 0x0138 || c == 0x0149) return c;
        if (c == 0x017F) return u'S';  // long s
        return (c & 1) ? static_cast<char16_t>(c - 1) : c;
    }
    return c;
}

WideString WideUpperCase(std::u16string_view text) {
    WideString out(text);
    for (char16_t& c : out) c = WideUpperChar(c);
    return out;
}

std::string FloatToText(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14E", value);
    std::string text = buffer;
    std::size_t e = text.find('E');
    int exponent = std::atoi(text.c_str() + e + 1);
    auto stripZeros = [](std::string s) {
        if (s.find('.') == std::string::npos) return s;
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
        return s;
    };
    if (exponent < -5 || exponent >= 15) {
        return stripZeros(text.substr(0, e)) + "E" + std::to_string(exponent);
    }
    std::snprintf(buffer, sizeof buffer, "%.*f", 14 - exponent, value);
    return stripZeros(buffer);
}

}  // namespace vesk
