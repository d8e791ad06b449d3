#include "FormulaDecoder.h"

#include <cstdio>
#include <vector>

#include "CodePage.h"
#include "EXLSError.h"
#include "ExcelFunctions.h"
#include "XLSBytes.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

std::u16string widen(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

std::string narrowHex(const char* format, unsigned value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::u16string hexToken(const char* format, unsigned value) { return widen(narrowHex(format, value)); }

// Text between double quotes, inner double quotes doubled.
std::u16string quoted(std::u16string_view text)
{
    std::u16string s = u"\"";
    for (char16_t c : text) {
        s += c;
        if (c == u'"')
            s += u'"';
    }
    return s + u"\"";
}

int wrap(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

std::u16string refText(int col, int row, bool relCol, bool relRow)
{
    return widen(ColRowToRefStr(wrap(col, 256), wrap(row, 65536), !relCol, !relRow));
}

int signExtend14(unsigned v)
{
    v &= 0x3FFF;
    return (v & 0x2000) ? static_cast<int>(v) - 0x4000 : static_cast<int>(v);
}

enum class Layout { B24, B5, B8 };

Layout layoutOf(TExcelVersion v)
{
    if (v >= xvExcel97)
        return Layout::B8;
    if (v == xvExcel50)
        return Layout::B5;
    return Layout::B24;
}

// Operand tokens carry their class in bits 5-6; the base id is 0x20..0x3F.
unsigned baseOf(unsigned ptg) { return ptg >= 0x20 ? (ptg & 0x1F) | 0x20 : ptg; }

class Decoder {
public:
    Decoder(TExcelVersion version, std::span<const std::uint8_t> buffer, std::size_t length,
            const TNameResolver& resolver, int row, int col, int sheet, const TFormulaSettings& settings,
            int codePage)
        : version_(version), layout_(layoutOf(version)), buf_(buffer),
          len_(length < buffer.size() ? length : buffer.size()), resolver_(resolver), row_(row), col_(col),
          sheet_(sheet), settings_(settings), codePage_(codePage), arrayPos_(len_)
    {
    }

    std::u16string run();

private:
    bool fits(std::size_t n) const { return pos_ + n <= len_; }
    std::uint8_t u8(std::size_t at) const { return buf_[pos_ + at]; }
    std::uint16_t u16(std::size_t at) const
    {
        return static_cast<std::uint16_t>(buf_[pos_ + at] | (buf_[pos_ + at + 1] << 8));
    }
    void push(std::u16string s) { stack_.push_back(std::move(s)); }
    void need(std::size_t n, unsigned ptg) const
    {
        if (stack_.size() < n)
            throw EXLSError(XLSErrorKind::Formula, narrowHex("Missing operands for ptg[%.2X]", ptg));
    }
    std::u16string args(std::size_t n);
    std::u16string resolve(int kind, int index, int nameIndex) const
    {
        return resolver_(kind, index, nameIndex);
    }
    std::u16string numberText(double v) const;
    // Reference texts of the current token; false when it does not fit.
    std::u16string ref(std::size_t at, bool relative);
    std::u16string area(std::size_t at, bool relative);
    bool arrayConstant(std::u16string& text);
    std::u16string prefix5(bool& fits5);

    TExcelVersion version_;
    Layout layout_;
    std::span<const std::uint8_t> buf_;
    std::size_t len_;
    const TNameResolver& resolver_;
    int row_, col_, sheet_;
    const TFormulaSettings& settings_;
    int codePage_;
    std::size_t pos_ = 0;
    std::size_t arrayPos_;
    bool externBlock_ = false;
    std::vector<std::u16string> stack_;
};

std::u16string Decoder::args(std::size_t n)
{
    std::u16string s;
    for (std::size_t i = stack_.size() - n; i < stack_.size(); ++i) {
        if (i > stack_.size() - n)
            s += settings_.ArgumentSeparator;
        s += stack_[i];
    }
    stack_.resize(stack_.size() - n);
    return s;
}

std::u16string Decoder::numberText(double v) const
{
    std::u16string s = widen(FloatToText(v));
    for (char16_t& c : s)
        if (c == u'.')
            c = settings_.DecimalSeparator;
    return s;
}

// BIFF8: row u16, column u16 with the flags; BIFF2-5: row u16 with the
// flags, column u8.
std::u16string Decoder::ref(std::size_t at, bool relative)
{
    int row, col;
    bool relRow, relCol;
    if (layout_ == Layout::B8) {
        unsigned rowField = u16(at), colField = u16(at + 2);
        relRow = colField & 0x8000;
        relCol = colField & 0x4000;
        col = colField & 0x3FFF;
        row = static_cast<int>(rowField);
        if (relative) {
            col = relCol ? col_ + static_cast<std::int8_t>(colField & 0xFF) : static_cast<int>(colField & 0xFF);
            row = relRow ? row_ + static_cast<std::int16_t>(rowField) : row;
        }
    } else {
        unsigned rowField = u16(at), colByte = u8(at + 2);
        relRow = rowField & 0x8000;
        relCol = rowField & 0x4000;
        col = static_cast<int>(colByte);
        row = static_cast<int>(rowField & 0x3FFF);
        if (relative) {
            col = relCol ? col_ + static_cast<std::int8_t>(colByte) : col;
            row = relRow ? row_ + signExtend14(rowField) : row;
        }
    }
    return refText(col, row, relCol, relRow);
}

std::u16string Decoder::area(std::size_t at, bool relative)
{
    int row1, row2, col1, col2;
    bool rr1, rc1, rr2, rc2;
    if (layout_ == Layout::B8) {
        unsigned r1 = u16(at), r2 = u16(at + 2), c1 = u16(at + 4), c2 = u16(at + 6);
        rr1 = c1 & 0x8000, rc1 = c1 & 0x4000, rr2 = c2 & 0x8000, rc2 = c2 & 0x4000;
        row1 = static_cast<int>(r1), row2 = static_cast<int>(r2);
        col1 = static_cast<int>(c1 & 0x3FFF), col2 = static_cast<int>(c2 & 0x3FFF);
        if (relative) {
            col1 = rc1 ? col_ + static_cast<std::int8_t>(c1 & 0xFF) : static_cast<int>(c1 & 0xFF);
            col2 = rc2 ? col_ + static_cast<std::int8_t>(c2 & 0xFF) : static_cast<int>(c2 & 0xFF);
            row1 = rr1 ? row_ + static_cast<std::int16_t>(r1) : row1;
            row2 = rr2 ? row_ + static_cast<std::int16_t>(r2) : row2;
        }
    } else {
        unsigned r1 = u16(at), r2 = u16(at + 2), c1 = u8(at + 4), c2 = u8(at + 5);
        rr1 = r1 & 0x8000, rc1 = r1 & 0x4000, rr2 = r2 & 0x8000, rc2 = r2 & 0x4000;
        row1 = static_cast<int>(r1 & 0x3FFF), row2 = static_cast<int>(r2 & 0x3FFF);
        col1 = static_cast<int>(c1), col2 = static_cast<int>(c2);
        if (relative) {
            col1 = rc1 ? col_ + static_cast<std::int8_t>(c1) : col1;
            col2 = rc2 ? col_ + static_cast<std::int8_t>(c2) : col2;
            row1 = rr1 ? row_ + signExtend14(r1) : row1;
            row2 = rr2 ? row_ + signExtend14(r2) : row2;
        }
    }
    return refText(col1, row1, rc1, rr1) + u":" + refText(col2, row2, rc2, rr2);
}

// The next array constant of the data after the tokens: column count - 1
// (u8), row count - 1 (u16), then the values row by row.
bool Decoder::arrayConstant(std::u16string& text)
{
    std::size_t p = arrayPos_;
    const std::size_t end = buf_.size();
    if (p + 3 > end)
        return false;
    std::size_t cols = buf_[p] + 1u;
    std::size_t rows = (buf_[p + 1] | (buf_[p + 2] << 8)) + 1u;
    p += 3;
    std::u16string s = u"{";
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < cols; ++c) {
            if (p >= end)
                return false;
            unsigned type = buf_[p];
            std::u16string value;
            if (type == 2) {
                if (p + 4 > end)
                    return false;
                std::size_t n = buf_[p + 1] | (buf_[p + 2] << 8);
                bool wide = buf_[p + 3] & 1;
                std::size_t bytes = wide ? 2 * n : n;
                if (p + 4 + bytes > end)
                    return false;
                std::u16string chars;
                for (std::size_t i = 0; i < n; ++i)
                    chars += wide ? static_cast<char16_t>(buf_[p + 4 + 2 * i] | (buf_[p + 5 + 2 * i] << 8))
                                  : static_cast<char16_t>(buf_[p + 4 + i]);
                value = quoted(chars);
                p += 4 + bytes;
            } else {
                if (p + 9 > end)
                    return false;
                if (type == 0) {
                } else if (type == 1) {
                    TRecordBody body(buf_.data() + p + 1, 8, 0);
                    value = numberText(body.f64(0));
                } else if (type == 4) {
                    value = buf_[p + 1] ? u"TRUE" : u"FALSE";
                } else if (type == 0x10) {
                    value = widen(ErrorCodeToText(buf_[p + 1]));
                } else {
                    text = u"Bad element ID#" + widen(std::to_string(type)) + u" in array";
                    arrayPos_ = end;
                    return true;
                }
                p += 9;
            }
            if (c > 0)
                s += settings_.ArgumentSeparator;
            s += value;
        }
        if (r + 1 < rows)
            s += settings_.ArrayRowSeparator;
    }
    text = s + u"}";
    arrayPos_ = p;
    return true;
}

std::u16string Decoder::run()
{
    const bool b8 = layout_ == Layout::B8;
    const bool b5 = layout_ == Layout::B5;
    auto unknown = [&](unsigned ptg) { push(hexToken("Unknown ptg[%.2X]", ptg)); };
    while (pos_ < len_) {
        const unsigned ptg = buf_[pos_];
        if (ptg == 0x00)
            break;
        const unsigned base = ptg < 0x80 ? baseOf(ptg) : 0x100;
        // Size of the token, 0 for tokens that end decoding.
        std::size_t size = 0;
        switch (base) {
        case 0x01: size = layout_ == Layout::B24 && version_ <= xvExcel21 ? 4 : 5; break;
        case 0x03: case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09: case 0x0A:
        case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x10: case 0x11: case 0x12: case 0x13:
        case 0x14: case 0x15: case 0x16: size = 1; break;
        case 0x17: {
            if (!fits(b8 ? 3 : 2))
                break;
            std::size_t n = u8(1);
            size = b8 ? 3 + ((u8(2) & 1) ? 2 * n : n) : 2 + n;
            break;
        }
        case 0x18: {
            if (!fits(2))
                break;
            unsigned sub = u8(1);
            if (sub == 1 || sub == 2 || sub == 3 || (sub >= 0x0C && sub <= 0x10) || sub == 0x1D || sub == 6 ||
                sub == 7)
                size = 6;
            else if (sub == 0x0A || sub == 0x0B)
                size = 15;
            else
                size = 2;
            break;
        }
        case 0x19: {
            const bool b2 = layout_ == Layout::B24 && version_ <= xvExcel21;
            size = b2 ? 3 : 4;
            if (fits(size) && (u8(1) & 0x04)) {
                std::size_t count = b2 ? u8(2) : u16(2);
                size += (count + 1) * 2;
            }
            break;
        }
        case 0x1A: size = 11; break;
        case 0x1B: size = 5; break;
        case 0x1C: case 0x1D: size = 2; break;
        case 0x1E: size = 3; break;
        case 0x1F: size = 9; break;
        case 0x20: size = 8; break;
        case 0x21: size = version_ >= xvExcel40 ? 3 : 2; break;
        case 0x22: size = version_ >= xvExcel40 ? 4 : 3; break;
        case 0x23: size = b8 ? 5 : b5 ? 15 : 11; break;
        case 0x24: case 0x2A: case 0x2C: size = b8 ? 5 : 4; break;
        case 0x25: case 0x2B: case 0x2D: size = b8 ? 9 : 7; break;
        case 0x26: size = 7; break;
        case 0x29: size = 3; break;
        case 0x39: size = b8 ? 7 : 25; break;
        case 0x3A: case 0x3C: size = b8 ? 7 : 18; break;
        case 0x3B: case 0x3D: size = b8 ? 11 : 21; break;
        default: size = 0; break;
        }
        if (size == 0 || !fits(size)) {
            unknown(ptg);
            break;
        }
        bool stop = false;
        switch (base) {
        case 0x01: break;
        case 0x03: case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09: case 0x0A:
        case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x10: case 0x11: {
            static const char16_t* const ops[] = {u"+", u"-", u"*", u"/", u"^", u"&", u"<", u"<=",
                                                  u"=", u">=", u">", u"<>"};
            if (stack_.size() < 2) {
                push(u"<Val missing>");
                break;
            }
            std::u16string op = base == 0x10   ? std::u16string(1, settings_.ArgumentSeparator)
                                : base == 0x11 ? std::u16string(u":")
                                               : std::u16string(ops[base - 0x03]);
            std::u16string right = std::move(stack_.back());
            stack_.pop_back();
            stack_.back() += op + right;
            break;
        }
        case 0x12: break;
        case 0x13:
            if (stack_.empty())
                push(u"<Val missing>");
            else
                stack_.back().insert(0, u"-");
            break;
        case 0x14:
            if (stack_.empty())
                push(u"<Val missing>");
            else
                stack_.back() += u"%";
            break;
        case 0x15:
            need(1, ptg);
            stack_.back() = u"(" + stack_.back() + u")";
            break;
        case 0x16: push(u""); break;
        case 0x17: {
            std::size_t n = u8(1);
            std::u16string chars;
            if (b8 && (u8(2) & 1)) {
                for (std::size_t i = 0; i < n; ++i)
                    chars += static_cast<char16_t>(u16(3 + 2 * i));
            } else if (b8) {
                for (std::size_t i = 0; i < n; ++i)
                    chars += static_cast<char16_t>(u8(3 + i));
            } else {
                chars = Biff5Text(std::string_view(reinterpret_cast<const char*>(buf_.data() + pos_ + 2), n),
                                  codePage_);
            }
            push(quoted(chars));
            break;
        }
        case 0x18: {
            unsigned sub = u8(1);
            if (sub == 6 || sub == 7)
                push(resolver_ ? resolve(nrSheetIndex, sheet_, -1) : std::u16string());
            else if (size == 2)
                push(hexToken("Unknown eptg[%.2X]", sub));
            break;
        }
        case 0x19:
            if (u8(1) & 0x10) {
                need(1, ptg);
                stack_.back() = u"SUM(" + stack_.back() + u")";
            }
            break;
        case 0x1A: externBlock_ = true; break;
        case 0x1B: externBlock_ = false; break;
        case 0x1C: push(widen(ErrorCodeToText(u8(1)))); break;
        case 0x1D: push(u8(1) ? u"TRUE" : u"FALSE"); break;
        case 0x1E: push(widen(std::to_string(u16(1)))); break;
        case 0x1F: push(numberText(TRecordBody(buf_.data() + pos_ + 1, 8, 0).f64(0))); break;
        case 0x20: {
            std::u16string text;
            if (!arrayConstant(text)) {
                unknown(ptg);
                stop = true;
            } else {
                push(std::move(text));
            }
            break;
        }
        case 0x21: {
            unsigned index = version_ >= xvExcel40 ? u16(1) : u8(1);
            if (index > 380) {
                need(1, ptg);
                push(u"?<" + widen(std::to_string(index)) + u">?(" + args(1) + u")");
                break;
            }
            const TExcelFunction* f = ExcelFunctionByIndex(static_cast<int>(index));
            if (!f || !f->usable())
                throw EXLSError(XLSErrorKind::Formula,
                                "Function " + std::to_string(index) + " has no fixed argument count");
            need(f->MinArgs, ptg);
            push(std::u16string(f->Name) + u"(" + args(f->MinArgs) + u")");
            break;
        }
        case 0x22: {
            std::size_t count = u8(1) & 0x7F;
            unsigned field = layout_ == Layout::B24 ? u8(2) : u16(2);
            const TExcelFunction* f = field <= 380 ? ExcelFunctionByIndex(static_cast<int>(field & 0x7FFF)) : nullptr;
            std::u16string name = f ? std::u16string(f->Name) : std::u16string(u"1");
            need(count, ptg);
            if (!name.empty() && name[0] >= u'0' && name[0] <= u'9') {
                if (count == 0)
                    throw EXLSError(XLSErrorKind::Formula, narrowHex("Missing function name for ptg[%.2X]", ptg));
                name = std::move(stack_[stack_.size() - count]);
                stack_.erase(stack_.end() - static_cast<std::ptrdiff_t>(count));
                --count;
                // A function newer than the file format is stored under its
                // name with this prefix; it reads by its own name.
                if (name.starts_with(u"_xlfn."))
                    name.erase(0, 6);
            }
            push(name + u"(" + args(count) + u")");
            break;
        }
        case 0x23:
            if (layout_ == Layout::B24)
                push(externBlock_ ? u"[EXTERNNAME]" : u"[NAME]");
            else if (resolver_)
                push(resolve(nrName, u16(1), -1));
            else
                push(u"[EXTERNNAME]");
            break;
        case 0x39:
            if (!resolver_)
                push(u"[EXTERNNAME X]");
            else if (b8)
                push(resolve(nrExternSheet, u16(1), u16(3)));
            else
                push(resolve(nrNameX5, u16(11), -1));
            break;
        case 0x24: push(ref(1, false)); break;
        case 0x2C: push(ref(1, true)); break;
        case 0x25: push(area(1, false)); break;
        case 0x2D: push(area(1, true)); break;
        case 0x2A: case 0x2B: push(u"#REF!"); break;
        case 0x26: case 0x29: break;
        case 0x3A: case 0x3B: case 0x3C: case 0x3D: {
            const bool isArea = base == 0x3B || base == 0x3D;
            const bool isErr = base == 0x3C || base == 0x3D;
            if (b8) {
                std::u16string p = resolver_ ? resolve(nrExternSheet, u16(1), -1) : std::u16string(u"[ExternSheet]");
                push(p + (isErr ? std::u16string(u"#REF!") : isArea ? area(3, false) : ref(3, false)));
            } else {
                int ext = static_cast<std::int16_t>(u16(1));
                unsigned first = u16(11), last = u16(13);
                std::u16string p = ext >= 0 && resolver_ ? resolve(nrExternSheet, ext, -1) : std::u16string();
                if (first == 0xFFFF || last == 0xFFFF) {
                    p += u"[DELETED]";
                } else {
                    std::u16string sheets;
                    if (resolver_) {
                        sheets = resolve(nrSheet5, static_cast<int>(first), -1);
                        if (first != last)
                            sheets += u":" + resolve(nrSheet5, static_cast<int>(last), -1);
                    }
                    if (!sheets.empty())
                        p += QuoteSheetName(sheets, settings_.ArgumentSeparator);
                }
                push(p + u"!" + (isErr ? std::u16string(u"#REF!") : isArea ? area(15, false) : ref(15, false)));
            }
            break;
        }
        default: break;
        }
        if (stop)
            break;
        pos_ += size;
    }
    if (stack_.empty())
        return u"[ERROR]";
    return stack_.back();
}

}  // namespace

std::u16string DecodeFormula(TExcelVersion Version, std::span<const std::uint8_t> Buffer, std::size_t Length,
                             const TNameResolver& Resolver, int Row, int Col, int SheetIndex,
                             const TFormulaSettings& Settings, int CodePage)
{
    return Decoder(Version, Buffer, Length, Resolver, Row, Col, SheetIndex, Settings, CodePage).run();
}

void ConvertSharedFormula(bool BIFF8, std::span<std::uint8_t> Tokens, int Row, int Col)
{
    std::size_t pos = 0;
    const std::size_t len = Tokens.size();
    auto u16at = [&](std::size_t at) {
        return static_cast<unsigned>(Tokens[at] | (Tokens[at + 1] << 8));
    };
    auto put16 = [&](std::size_t at, unsigned v) {
        Tokens[at] = static_cast<std::uint8_t>(v);
        Tokens[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto fail = [](const char* format, unsigned ptg) {
        char text[64];
        std::snprintf(text, sizeof text, format, ptg);
        throw EXLSError(XLSErrorKind::Formula, text);
    };
    // Makes one reference at `at` absolute (row field, then column field or byte).
    auto fixRef8 = [&](std::size_t rowAt, std::size_t colAt) {
        unsigned r = u16at(rowAt), c = u16at(colAt);
        int row = (c & 0x8000) ? Row + static_cast<std::int16_t>(r) : static_cast<int>(r);
        int col = (c & 0x4000) ? Col + static_cast<std::int8_t>(c & 0xFF) : static_cast<int>(c & 0xFF);
        put16(rowAt, static_cast<unsigned>(wrap(row, 65536)));
        put16(colAt, (c & 0xC000) | static_cast<unsigned>(wrap(col, 256)));
    };
    auto fixRef5 = [&](std::size_t rowAt, std::size_t colAt) {
        unsigned r = u16at(rowAt), c = Tokens[colAt];
        int row = (r & 0x8000) ? Row + signExtend14(r) : static_cast<int>(r & 0x3FFF);
        int col = (r & 0x4000) ? Col + static_cast<std::int8_t>(c) : static_cast<int>(c);
        put16(rowAt, (r & 0xC000) | static_cast<unsigned>(wrap(row, 0x4000)));
        Tokens[colAt] = static_cast<std::uint8_t>(wrap(col, 256));
    };
    while (pos < len) {
        const unsigned ptg = Tokens[pos];
        const unsigned base = ptg < 0x80 ? baseOf(ptg) : 0x100;
        auto fits = [&](std::size_t n) { return pos + n <= len; };
        std::size_t size = 0;
        switch (base) {
        case 0x01: size = 5; break;
        case 0x03: case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09: case 0x0A:
        case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10: case 0x11: case 0x12:
        case 0x13: case 0x14: case 0x15: case 0x16: case 0x1A: case 0x1B: size = 1; break;
        case 0x17:
            if (!fits(BIFF8 ? 3 : 2))
                fail("Truncated ptg[%.2X] in Shared Formula", ptg);
            size = BIFF8 ? 3 + ((Tokens[pos + 2] & 1) ? 2u : 1u) * Tokens[pos + 1] : 2 + Tokens[pos + 1];
            break;
        case 0x18:
            if (!fits(2))
                fail("Truncated ptg[%.2X] in Shared Formula", ptg);
            {
                unsigned sub = Tokens[pos + 1];
                size = (sub == 0x0A || sub == 0x0B) ? 15
                       : (sub == 1 || sub == 2 || sub == 3 || sub == 6 || sub == 7 || (sub >= 0x0C && sub <= 0x10) ||
                          sub == 0x1D)
                           ? 6
                           : 2;
            }
            break;
        case 0x19:
            size = 4;
            if (fits(4) && Tokens[pos + 1] == 0x04)
                size += (u16at(pos + 2) + 1u) * 2;
            break;
        case 0x1C: case 0x1D: size = 2; break;
        case 0x1E: size = 3; break;
        case 0x1F: size = 9; break;
        case 0x20: size = 8; break;
        case 0x21: size = 3; break;
        case 0x22: size = 4; break;
        case 0x23: size = BIFF8 ? 5 : 15; break;
        case 0x24: case 0x2A: case 0x2C: size = BIFF8 ? 5 : 4; break;
        case 0x25: case 0x2B: case 0x2D: size = BIFF8 ? 9 : 7; break;
        case 0x26: case 0x27: case 0x28: size = 7; break;
        case 0x29: case 0x2E: case 0x2F: size = 3; break;
        case 0x39: size = BIFF8 ? 7 : 25; break;
        case 0x3A: case 0x3C: size = BIFF8 ? 7 : 18; break;
        case 0x3B: case 0x3D: size = BIFF8 ? 11 : 21; break;
        default: fail("Unknown ptg[%.2X] in Shared Formula", ptg);
        }
        if (!fits(size))
            fail("Truncated ptg[%.2X] in Shared Formula", ptg);
        if (base == 0x2C) {
            Tokens[pos] = static_cast<std::uint8_t>(ptg - 0x08);
            if (BIFF8)
                fixRef8(pos + 1, pos + 3);
            else
                fixRef5(pos + 1, pos + 3);
        } else if (base == 0x2D) {
            Tokens[pos] = static_cast<std::uint8_t>(ptg - 0x08);
            if (BIFF8) {
                // Rows first, then columns: pair each row with its column.
                fixRef8(pos + 1, pos + 5);
                fixRef8(pos + 3, pos + 7);
            } else {
                fixRef5(pos + 1, pos + 5);
                fixRef5(pos + 3, pos + 6);
            }
        }
        pos += size;
    }
}

std::u16string QuoteSheetName(std::u16string_view Name, char16_t ArgumentSeparator)
{
    bool plain = !Name.empty() && !(Name[0] >= u'0' && Name[0] <= u'9') && Name[0] != u'$';
    for (char16_t c : Name)
        if (c < 32 || c == ArgumentSeparator || c == u':' ||
            std::u16string_view(u" !\"#%&'()*+-./<=>?[\\]^{}").find(c) != std::u16string_view::npos)
            plain = false;
    if (plain)
        return std::u16string(Name);
    std::u16string s = u"'";
    for (char16_t c : Name) {
        s += c;
        if (c == u'\'')
            s += u'\'';
    }
    return s + u"'";
}

std::u16string_view BuiltInNameText(unsigned Code)
{
    static constexpr std::u16string_view names[] = {
        u"Consolidate_Area", u"Auto_Open", u"Auto_Close", u"Extract", u"Database",
        u"Criteria", u"Print_Area", u"Print_Titles", u"Recorder", u"Data_Form",
        u"Auto_Activate", u"Auto_Deactivate", u"Sheet_Title"};
    return Code < 13 ? names[Code] : std::u16string_view();
}

}  // namespace vesk

namespace vesk {

std::vector<std::uint8_t> Biff8TokensToBiff5(std::span<const std::uint8_t> Tokens, int CodePage)
{
    const std::size_t len = Tokens.size();
    auto refuse = [](const std::string& what) -> void {
        throw EXLSError(XLSErrorKind::Refused, "A BIFF5 formula cannot hold " + what);
    };
    auto u16at = [&](std::size_t at) { return static_cast<unsigned>(Tokens[at] | (Tokens[at + 1] << 8)); };
    // Each token's place in the old and the new bytes, for the fields that
    // count bytes (tAttr jumps, tMem lengths).
    struct Piece {
        std::size_t oldAt, oldSize, newAt, newSize;
    };
    struct Jump {
        std::size_t field, oldBase, oldTarget, adjust;
    };
    std::vector<Piece> pieces;
    std::vector<Jump> jumps;
    std::vector<std::uint8_t> out;
    auto put16 = [&](unsigned v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    // A BIFF8 row field and column field as the BIFF5 row field (flags in
    // its top bits) and column byte.
    auto reference = [&](unsigned row, unsigned col, bool offsets) {
        unsigned row14;
        if (offsets && (col & 0x8000)) {
            const int offset = static_cast<std::int16_t>(row);
            if (offset < -8192 || offset > 8191) refuse("a row offset beyond 8,192");
            row14 = static_cast<unsigned>(offset) & 0x3FFF;
        } else {
            if (row > 0x3FFF) refuse("a row beyond 16,384");
            row14 = row;
        }
        return std::pair<unsigned, std::uint8_t>{row14 | (col & 0xC000), static_cast<std::uint8_t>(col)};
    };
    // Functions added after BIFF5 (HYPERLINK, AVERAGEA, ...) would read
    // back as #NAME?. Bit 15 marks a macro command, whose table is another.
    auto function = [&](unsigned index) {
        if ((index & 0x8000) || index <= LastBiff5Function) return;
        const TExcelFunction* f = ExcelFunctionByIndex(static_cast<int>(index));
        if (f && !f->Name.empty() && !(f->Name[0] >= u'0' && f->Name[0] <= u'9'))
            refuse("the function " + utf16ToUtf8(f->Name));
        refuse("the function number " + std::to_string(index));
    };
    std::size_t pos = 0;
    while (pos < len) {
        const unsigned ptg = Tokens[pos];
        const unsigned base = ptg < 0x80 ? baseOf(ptg) : 0x100;
        const std::size_t start = out.size();
        std::size_t size = 0;
        auto need = [&](std::size_t n) {
            if (pos + n > len) refuse("a token cut short");
            size = n;
        };
        switch (base) {
        case 0x01: case 0x02:
            need(5);
            out.push_back(static_cast<std::uint8_t>(ptg));
            put16(u16at(pos + 1));
            if (u16at(pos + 3) > 255) refuse("a column beyond IV");
            out.push_back(Tokens[pos + 3]);
            break;
        case 0x17: {
            need(3);
            const std::size_t count = Tokens[pos + 1];
            const bool wide = Tokens[pos + 2] & 1;
            need(3 + count * (wide ? 2 : 1));
            std::u16string text;
            for (std::size_t i = 0; i < count; ++i)
                text.push_back(wide ? static_cast<char16_t>(u16at(pos + 3 + 2 * i)) : Tokens[pos + 3 + i]);
            const std::string bytes = utf16ToSingleByte(text, CodePage);
            if (singleByteToUtf16(bytes, CodePage) != text) refuse("a text outside its code page");
            out.push_back(static_cast<std::uint8_t>(ptg));
            out.push_back(static_cast<std::uint8_t>(bytes.size()));
            out.insert(out.end(), bytes.begin(), bytes.end());
            break;
        }
        case 0x19: {
            need(4);
            const unsigned type = Tokens[pos + 1];
            if (type & 0x04) need(4 + (u16at(pos + 2) + 1u) * 2);
            out.insert(out.end(), Tokens.begin() + static_cast<std::ptrdiff_t>(pos),
                       Tokens.begin() + static_cast<std::ptrdiff_t>(pos + size));
            if (type & 0x04) {
                for (unsigned i = 0; i <= u16at(pos + 2); ++i)
                    jumps.push_back({start + 4 + 2 * i, pos + 4, pos + 4 + u16at(pos + 4 + 2 * i), 0});
            } else if (type & 0x02) {
                jumps.push_back({start + 2, pos + 4, pos + 4 + u16at(pos + 2), 0});
            } else if (type & 0x08) {
                jumps.push_back({start + 2, pos + 4, pos + 4 + u16at(pos + 2) + 1, 1});
            }
            break;
        }
        case 0x1C: case 0x1D: need(2); break;
        case 0x1E: case 0x29: need(3); break;
        case 0x1F: need(9); break;
        case 0x21: need(3); function(u16at(pos + 1)); break;
        case 0x22: need(4); function(u16at(pos + 2)); break;
        case 0x26: case 0x27: case 0x28: need(7); break;
        case 0x24: case 0x2C: {
            need(5);
            const auto [row, col] = reference(u16at(pos + 1), u16at(pos + 3), base == 0x2C);
            out.push_back(static_cast<std::uint8_t>(ptg));
            put16(row);
            out.push_back(col);
            break;
        }
        case 0x25: case 0x2D: {
            need(9);
            const auto [row1, col1] = reference(u16at(pos + 1), u16at(pos + 5), base == 0x2D);
            const auto [row2, col2] = reference(u16at(pos + 3), u16at(pos + 7), base == 0x2D);
            out.push_back(static_cast<std::uint8_t>(ptg));
            put16(row1);
            put16(row2);
            out.push_back(col1);
            out.push_back(col2);
            break;
        }
        case 0x2A: need(5); out.insert(out.end(), {static_cast<std::uint8_t>(ptg), 0, 0, 0}); break;
        case 0x2B: need(9); out.insert(out.end(), {static_cast<std::uint8_t>(ptg), 0, 0, 0, 0, 0, 0}); break;
        case 0x20: refuse("an array constant"); break;
        case 0x23: case 0x39: refuse("a defined or external name"); break;
        case 0x3A: case 0x3B: case 0x3C: case 0x3D: refuse("a reference to another sheet"); break;
        default:
            if (base >= 0x03 && base <= 0x16) {
                size = 1;
                break;
            }
            refuse(narrowHex("the token ptg[%.2X]", ptg));
        }
        if (out.size() == start)
            out.insert(out.end(), Tokens.begin() + static_cast<std::ptrdiff_t>(pos),
                       Tokens.begin() + static_cast<std::ptrdiff_t>(pos + size));
        if (base == 0x26 || base == 0x27 || base == 0x28 || base == 0x29) {
            const std::size_t field = out.size() - 2;
            jumps.push_back({field, pos + size, pos + size + u16at(pos + size - 2), 0});
        }
        pieces.push_back({pos, size, start, out.size() - start});
        pos += size;
    }
    auto newPos = [&](std::size_t old) -> std::size_t {
        for (const Piece& p : pieces)
            if (old >= p.oldAt && old < p.oldAt + p.oldSize) return p.newAt + std::min(old - p.oldAt, p.newSize);
        return out.size();
    };
    for (const Jump& j : jumps) {
        const std::size_t distance = newPos(j.oldTarget) - newPos(j.oldBase) - j.adjust;
        out[j.field] = static_cast<std::uint8_t>(distance);
        out[j.field + 1] = static_cast<std::uint8_t>(distance >> 8);
    }
    return out;
}

}  // namespace vesk
