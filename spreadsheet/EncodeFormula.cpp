#include "EncodeFormula.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "EXLSError.h"
#include "ExcelFunctions.h"
#include "FormulaErrors.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

// Nesting beyond this is refused before the stack could suffer.
constexpr std::size_t maxDepth = 1000;

std::uint8_t operatorPtg(TXLSTokenKind kind)
{
    switch (kind) {
    case ttAdd: return 0x03;
    case ttSub: return 0x04;
    case ttMul: return 0x05;
    case ttDiv: return 0x06;
    case ttPower: return 0x07;
    case ttConcat: return 0x08;
    case ttLT: return 0x09;
    case ttLE: return 0x0A;
    case ttEQ: return 0x0B;
    case ttGE: return 0x0C;
    case ttGT: return 0x0D;
    case ttNE: return 0x0E;
    case ttListSep: return 0x10;
    case ttPercent: return 0x14;
    default: return 0;
    }
}

bool atLevel(TXLSTokenKind kind, int level)
{
    switch (level) {
    case 1: return kind == ttEQ || kind == ttNE || kind == ttLT || kind == ttLE || kind == ttGT ||
                   kind == ttGE;
    case 2: return kind == ttConcat;
    case 3: return kind == ttAdd || kind == ttSub;
    case 4: return kind == ttMul || kind == ttDiv;
    case 5: return kind == ttPower;
    default: return false;
    }
}

std::uint8_t withClass(std::uint8_t base, std::uint8_t cls, std::uint8_t fallback)
{
    return cls == 0 ? fallback : static_cast<std::uint8_t>(base | cls);
}

struct ErrorLiteral {
    std::u16string_view text;
    std::uint8_t code;
};

const ErrorLiteral errorCodes[] = {{u"#NULL!", 0x00}, {u"#DIV/0!", 0x07}, {u"#VALUE!", 0x0F},
                                   {u"#REF!", 0x17},  {u"#NAME?", 0x1D},  {u"#NUM!", 0x24},
                                   {u"#N/A", 0x2A}};

}  // namespace

TEncodeFormula::TEncodeFormula()
{
    tokenizer_.OnError = [this](int code, std::u16string_view arg) { error(code, arg); };
}

void TEncodeFormula::SetStrTRUE(std::u16string_view Text)
{
    true_ = WideUpperCase(Text);
}

void TEncodeFormula::SetStrFALSE(std::u16string_view Text)
{
    false_ = WideUpperCase(Text);
}

void TEncodeFormula::error(int code, std::u16string_view arg)
{
    std::string message = FormulaErrorMessage(code, formula_, arg);
    if (OnError) {
        OnError(message);
        throw Abort{};
    }
    throw EXLSError(XLSErrorKind::Formula, message);
}

const TXLSToken* TEncodeFormula::peek(std::size_t ahead) const
{
    const auto& tokens = tokenizer_.Tokens();
    return tpos_ + ahead < tokens.size() ? &tokens[tpos_ + ahead] : nullptr;
}

std::size_t TEncodeFormula::blanksAt(std::size_t at) const
{
    const auto& tokens = tokenizer_.Tokens();
    std::size_t n = 0;
    while (at + n < tokens.size() && tokens[at + n].Kind == ttSpace)
        ++n;
    return n;
}

void TEncodeFormula::pushBlanks()
{
    std::size_t n = blanksAt(tpos_);
    tpos_ += n;
    const TXLSToken* next = peek();
    std::uint8_t type = 0;
    if (next && next->Kind == ttParenL)
        type = 2;
    else if (next && next->Kind == ttParenR)
        type = 4;
    blanks_.push_back({type, static_cast<std::uint8_t>(n > 255 ? 255 : n)});
}

void TEncodeFormula::writeBytes(const std::uint8_t* data, std::size_t n)
{
    if (n > buf_.size() - wpos_)
        error(FormulaErrorOverflow, u"");
    std::memcpy(buf_.data() + wpos_, data, n);
    wpos_ += n;
}

void TEncodeFormula::write(std::initializer_list<std::uint8_t> bytes)
{
    writeBytes(bytes.begin(), bytes.size());
}

void TEncodeFormula::writeU16(std::uint16_t v)
{
    write({static_cast<std::uint8_t>(v & 0xFF), static_cast<std::uint8_t>(v >> 8)});
}

void TEncodeFormula::popBlanks(int pops)
{
    std::size_t n = static_cast<std::size_t>(pops) < blanks_.size() ? pops : blanks_.size();
    for (std::size_t i = blanks_.size() - n; i < blanks_.size(); ++i)
        if (blanks_[i].count != 0)
            write({0x19, 0x40, blanks_[i].type, blanks_[i].count});
    blanks_.resize(blanks_.size() - n);
}

void TEncodeFormula::writeToken(std::initializer_list<std::uint8_t> bytes, int pops)
{
    popBlanks(pops);
    write(bytes);
}

void TEncodeFormula::enter()
{
    ++depth_;
    if (depth_ > buf_.size())
        error(FormulaErrorOverflow, u"");  // every level writes at least one byte
    if (depth_ > maxDepth)
        error(0, u"");
}

int TEncodeFormula::Encode(std::u16string_view Formula, std::uint8_t OperandClass, bool OOC,
                           std::span<std::uint8_t> Buffer)
{
    while (!Formula.empty() && Formula.front() < 33)
        Formula.remove_prefix(1);
    while (!Formula.empty() && Formula.back() < 33)
        Formula.remove_suffix(1);
    formula_.assign(Formula);
    buf_ = Buffer;
    wpos_ = 0;
    tpos_ = 0;
    lastSheet_ = -1;
    class_ = OperandClass;
    depth_ = 0;
    blanks_.clear();
    tokenizer_.ListSeparator = Settings.ArgumentSeparator;
    tokenizer_.DecimalSeparator = Settings.DecimalSeparator;
    try {
        if (formula_.empty())
            error(18, u"");
        if (OOC)
            tokenizer_.TokenizeOOC(formula_);
        else
            tokenizer_.TokenizeA1(formula_);
        if (tokenizer_.Error())
            error(0, u"");
        expression();
        if (tpos_ < tokenizer_.Tokens().size())
            error(0, u"");  // tokens after the expression
    } catch (const Abort&) {
        return -1;
    }
    return static_cast<int>(wpos_);
}

void TEncodeFormula::expression()
{
    binaryLevel(1);
}

void TEncodeFormula::binaryLevel(int level)
{
    if (level == 6) {
        percentLevel();
        return;
    }
    binaryLevel(level + 1);
    for (;;) {
        const TXLSToken* op = peek(blanksAt(tpos_));
        if (!op || !atLevel(op->Kind, level))
            return;
        pushBlanks();
        ++tpos_;
        binaryLevel(level + 1);
        writeToken({operatorPtg(op->Kind)});
    }
}

void TEncodeFormula::percentLevel()
{
    prefixLevel();
    for (;;) {
        const TXLSToken* op = peek(blanksAt(tpos_));
        if (!op || op->Kind != ttPercent)
            return;
        pushBlanks();
        ++tpos_;
        writeToken({0x14});
    }
}

void TEncodeFormula::prefixLevel()
{
    enter();
    const TXLSToken* sign = peek(blanksAt(tpos_));
    if (sign && (sign->Kind == ttAdd || sign->Kind == ttSub)) {
        pushBlanks();
        ++tpos_;
        prefixLevel();
        writeToken({static_cast<std::uint8_t>(sign->Kind == ttAdd ? 0x12 : 0x13)});
    } else {
        primary();
    }
    --depth_;
}

void TEncodeFormula::primary()
{
    pushBlanks();
    const TXLSToken* t = peek();
    if (!t)
        error(0, u"");  // the text ends where an operand must stand
    if (t->Kind == ttParenL) {
        ++tpos_;
        expression();
        const TXLSToken* close = peek(blanksAt(tpos_));
        if (!close || close->Kind != ttParenR)
            error(11, u"");
        pushBlanks();
        ++tpos_;
        writeToken({0x15}, 2);
        return;
    }
    if (t->Kind == ttFunc) {
        functionCall();
        return;
    }
    operand();
}

void TEncodeFormula::functionCall()
{
    const TXLSToken& func = *peek();
    std::u16string name = WideUpperCase(func.Text);
    int index = ExcelFunctionIndex(name);
    const TExcelFunction* f = ExcelFunctionByIndex(index);
    if (!f || !f->usable())
        error(4, func.Text);
    ++tpos_;
    int count = 0;
    std::uint8_t argClass = class_;
    const TXLSToken* next = peek(blanksAt(tpos_));
    if (!next)
        error(3, u"");
    if (next->Kind != ttParenR) {
        for (;;) {
            if (count < 6 && f->ArgClass[count] != 0)
                argClass = f->ArgClass[count];
            class_ = argClass;
            const TXLSToken* t = peek(blanksAt(tpos_));
            if (!t)
                error(3, u"");
            if (t->Kind == ttListSep || t->Kind == ttParenR) {
                tpos_ += blanksAt(tpos_);
                writeToken({0x16}, 0);
            } else {
                expression();
            }
            ++count;
            const TXLSToken* sep = peek(blanksAt(tpos_));
            if (!sep)
                error(3, u"");
            if (sep->Kind == ttListSep) {
                tpos_ += blanksAt(tpos_) + 1;
                continue;
            }
            if (sep->Kind == ttParenR)
                break;
            error(0, u"");
        }
    }
    pushBlanks();
    ++tpos_;  // ")"
    auto lo = static_cast<std::uint8_t>(index & 0xFF);
    auto hi = static_cast<std::uint8_t>(index >> 8);
    if (f->fixedArgs()) {
        if (count != f->MinArgs)
            error(17, func.Text);
        writeToken({0x41, lo, hi}, 2);
    } else {
        if (count > 255)
            error(17, func.Text);
        writeToken({0x42, static_cast<std::uint8_t>(count), lo, hi}, 2);
    }
    class_ = 0;
}

void TEncodeFormula::operand()
{
    const TXLSToken& t = *peek();
    switch (t.Kind) {
    case ttNumber: {
        std::string ascii;
        for (char16_t c : t.Text)
            ascii += c == Settings.DecimalSeparator ? '.' : static_cast<char>(c);
        double v = 0;
        auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
        if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(v))
            error(12, t.Text);
        if (v >= 0 && v <= 65535 && v == std::floor(v)) {
            auto n = static_cast<std::uint16_t>(v);
            writeToken({0x1E, static_cast<std::uint8_t>(n & 0xFF), static_cast<std::uint8_t>(n >> 8)});
        } else {
            std::uint64_t bits;
            std::memcpy(&bits, &v, 8);
            std::uint8_t b[9] = {0x1F};
            for (int i = 0; i < 8; ++i)
                b[1 + i] = static_cast<std::uint8_t>(bits >> (8 * i));
            popBlanks(1);
            writeBytes(b, 9);
        }
        ++tpos_;
        return;
    }
    case ttString: {
        if (t.Text.size() > 255)
            error(6, t.Text);
        popBlanks(1);
        write({0x17, static_cast<std::uint8_t>(t.Text.size()), 0x01});
        for (char16_t c : t.Text)
            writeU16(c);
        ++tpos_;
        return;
    }
    case ttError:
        for (const ErrorLiteral& e : errorCodes)
            if (t.Text == e.text) {
                writeToken({0x1C, e.code});
                ++tpos_;
                return;
            }
        error(1, t.Text);
    case ttRef:
    case ttArea:
        reference(t.Text, t.Kind == ttArea, -1);
        ++tpos_;
        return;
    case ttName: {
        std::u16string upper = WideUpperCase(t.Text);
        if (upper == true_ || upper == false_) {
            writeToken({0x1D, static_cast<std::uint8_t>(upper == true_ ? 1 : 0)});
            ++tpos_;
            return;
        }
        int index = OnNameIndex ? OnNameIndex(t.Text) : -1;
        if (index < 0 || index >= 0xFFFF)
            error(7, t.Text);
        popBlanks(1);
        write({withClass(0x03, class_, 0x43)});
        writeU16(static_cast<std::uint16_t>(index + 1));
        writeU16(0);
        ++tpos_;
        return;
    }
    case ttPath:
    case ttFile:
    case ttSheetName:
    case ttSheetNameX:
        if (!threeD())
            error(15, t.Text);
        return;
    case ttRef3d:
    case ttArea3d:
    case ttRefX:
    case ttAreaX:
    case ttNameX:
        error(15, t.Text);
    default:
        error(2, t.Text);
    }
}

bool TEncodeFormula::threeD()
{
    T3DReference r;
    std::size_t at = 0;
    const TXLSToken* t = peek(at);
    if (t && t->Kind == ttPath) {
        r.Path = t->Text;
        t = peek(++at);
        if (t && t->Kind == ttNameX) {
            r.IsSheet = false;
            r.Name = t->Text;
        }
    }
    if (r.IsSheet) {
        if (t && t->Kind == ttFile) {
            r.File = t->Text;
            t = peek(++at);
        }
        if (!t || (t->Kind != ttSheetName && t->Kind != ttSheetNameX))
            return false;
        r.Sheet = t->Text;
        t = peek(++at);
        bool local = r.Path.empty() && r.File.empty();
        if (!t)
            return false;
        if (local ? (t->Kind != ttRef3d && t->Kind != ttArea3d)
                  : (t->Kind != ttRefX && t->Kind != ttAreaX))
            return false;
    }
    const TXLSToken& last = *t;
    T3DResolution answer;
    if (On3DReference)
        answer = On3DReference(r);
    if (answer.Position < 0 || answer.ExtSheetIndex < 0 || answer.ExtSheetIndex > 0xFFFF)
        error(7, r.IsSheet ? r.Sheet : r.Name);
    if (r.IsSheet) {
        bool area = last.Kind == ttArea3d || last.Kind == ttAreaX;
        reference(last.Text, area, answer.ExtSheetIndex);
    } else {
        if (answer.Position >= 0xFFFF)
            error(7, r.Name);
        popBlanks(1);
        write({withClass(0x19, class_, 0x59)});
        writeU16(static_cast<std::uint16_t>(answer.ExtSheetIndex));
        writeU16(static_cast<std::uint16_t>(answer.Position + 1));
        writeU16(0);
    }
    lastSheet_ = answer.Position;
    tpos_ += at + 1;
    return true;
}

void TEncodeFormula::reference(const std::u16string& text, bool area, int extSheet)
{
    std::string ascii(text.begin(), text.end());  // the tokenizer made sure it is ASCII
    std::uint16_t col1 = 0, row1 = 0, col2 = 0, row2 = 0;
    bool absCol1 = false, absRow1 = false, absCol2 = false, absRow2 = false;
    bool ok = area ? AreaStrToColRow(ascii, col1, row1, col2, row2, absCol1, absRow1, absCol2,
                                     absRow2)
                   : RefStrToColRow(ascii, col1, row1, absCol1, absRow1);
    if (!ok)
        error(16, text);
    auto colField = [](std::uint16_t col, bool absCol, bool absRow) {
        return static_cast<std::uint16_t>(col | (absRow ? 0 : 0x8000) | (absCol ? 0 : 0x4000));
    };
    popBlanks(1);
    if (extSheet < 0) {
        write({area ? withClass(0x05, class_, 0x45) : withClass(0x04, class_, 0x44)});
    } else {
        write({area ? withClass(0x1B, class_, 0x3B) : withClass(0x1A, class_, 0x5A)});
        writeU16(static_cast<std::uint16_t>(extSheet));
    }
    writeU16(row1);
    if (area) {
        writeU16(row2);
        writeU16(colField(col1, absCol1, absRow1));
        writeU16(colField(col2, absCol2, absRow2));
    } else {
        writeU16(colField(col1, absCol1, absRow1));
    }
}

}  // namespace vesk
