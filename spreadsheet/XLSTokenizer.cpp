#include "XLSTokenizer.h"

#include "FormulaErrors.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

struct Stop {};

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isUpperLetter(char16_t c)
{
    return c >= u'A' && c <= u'Z';
}

// The seven error literals, longest first where one is a prefix of another.
const char16_t* const errorLiterals[] = {u"#NULL!", u"#DIV/0!", u"#VALUE!", u"#REF!",
                                         u"#NAME?", u"#NUM!",   u"#N/A"};

}  // namespace

void TXLSTokenizer::Clear()
{
    tokens_.clear();
    error_ = false;
}

void TXLSTokenizer::start(std::u16string_view formula)
{
    Clear();
    orig_.assign(formula);
    text_.assign(formula);
    char16_t quote = 0;
    for (char16_t& c : text_) {
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else {
            c = WideUpperChar(c);
        }
    }
    pos_ = 0;
}

void TXLSTokenizer::add(TXLSTokenKind kind, std::u16string text)
{
    tokens_.push_back({std::move(text), kind});
}

TXLSTokenKind TXLSTokenizer::lastKind(std::size_t back) const
{
    if (tokens_.size() <= back)
        return ttNone;
    return tokens_[tokens_.size() - 1 - back].Kind;
}

void TXLSTokenizer::fail(int code, std::u16string_view arg)
{
    error_ = true;
    if (OnError)
        OnError(code, arg);
    throw Stop{};
}

bool TXLSTokenizer::operatorAt()
{
    char16_t c = text_[pos_];
    char16_t n = pos_ + 1 < text_.size() ? text_[pos_ + 1] : 0;
    TXLSTokenKind kind = ttNone;
    std::size_t len = 1;
    switch (c) {
    case u' ': kind = ttSpace; break;
    case u'+': kind = ttAdd; break;
    case u'-': kind = ttSub; break;
    case u'*': kind = ttMul; break;
    case u'/': kind = ttDiv; break;
    case u'^': kind = ttPower; break;
    case u'%': kind = ttPercent; break;
    case u'&': kind = ttConcat; break;
    case u'=': kind = ttEQ; break;
    case u')': kind = ttParenR; break;
    case u'<':
        if (n == u'=') {
            kind = ttLE;
            len = 2;
        } else if (n == u'>') {
            kind = ttNE;
            len = 2;
        } else {
            kind = ttLT;
        }
        break;
    case u'>':
        if (n == u'=') {
            kind = ttGE;
            len = 2;
        } else {
            kind = ttGT;
        }
        break;
    case u'(':
        if (lastKind() == ttName)
            tokens_.back().Kind = ttFunc;
        else
            add(ttParenL, u"(");
        ++pos_;
        return true;
    default:
        if (c == ListSeparator) {
            kind = ttListSep;
            break;
        }
        return false;
    }
    add(kind, orig_.substr(pos_, len));
    pos_ += len;
    return true;
}

// The text from pos_ + 1 up to the closing quote q, a doubled q standing
// for one; i is left on the closing quote. No closing quote: error 5.
std::u16string TXLSTokenizer::readDelimited(char16_t q, std::size_t& i)
{
    std::u16string s;
    i = pos_ + 1;
    for (;;) {
        if (i >= orig_.size())
            fail(5, orig_);
        if (orig_[i] == q) {
            if (i + 1 < orig_.size() && orig_[i + 1] == q) {
                s += q;
                i += 2;
                continue;
            }
            break;
        }
        s += orig_[i++];
    }
    return s;
}

void TXLSTokenizer::readString()
{
    // A doubled double quote inside stands for one.
    std::size_t i = 0;
    std::u16string s = readDelimited(u'"', i);
    add(ttString, std::move(s));
    pos_ = i + 1;
}

void TXLSTokenizer::readNumber()
{
    std::size_t start = pos_;
    bool separator = false;
    bool exponent = false;
    while (pos_ < text_.size()) {
        char16_t c = text_[pos_];
        if (isDigit(c)) {
            ++pos_;
        } else if ((c == u'E' || c == u'e') && !exponent) {
            // E notation, as the decoder writes large and small numbers.
            exponent = true;
            ++pos_;
            if (ch(pos_) == u'+' || ch(pos_) == u'-')
                ++pos_;
            if (!isDigit(ch(pos_)))
                fail(12, orig_.substr(start, pos_ - start + 1));
        } else if (c == DecimalSeparator) {
            if (separator || exponent)
                fail(12, orig_.substr(start, pos_ - start + 1));
            separator = true;
            ++pos_;
        } else if (c == ListSeparator || std::u16string_view(u"/ %)*+-<=>^&").find(c) !=
                                             std::u16string_view::npos) {
            break;
        } else {
            fail(12, orig_.substr(start, pos_ - start + 1));
        }
    }
    add(ttNumber, text_.substr(start, pos_ - start));
}

void TXLSTokenizer::readError()
{
    for (const char16_t* lit : errorLiterals) {
        std::u16string_view l(lit);
        if (text_.compare(pos_, l.size(), l) == 0) {
            add(ttError, std::u16string(l));
            pos_ += l.size();
            return;
        }
    }
    std::size_t end = pos_ + 1;
    while (end < text_.size() && (isNameChar(text_[end]) || text_[end] == u'!' ||
                                  text_[end] == u'/' || text_[end] == u'?'))
        ++end;
    fail(1, orig_.substr(pos_, end - pos_));
}

bool TXLSTokenizer::isNameChar(char16_t c) const
{
    if (c < 32 || c == ListSeparator)
        return false;
    return std::u16string_view(u" !\"#%&'()*+-./<=>?[\\]^{}").find(c) ==
           std::u16string_view::npos;
}

void TXLSTokenizer::readName()
{
    std::size_t start = pos_;
    while (pos_ < text_.size() && isNameChar(text_[pos_]))
        ++pos_;
    if (pos_ == start)
        fail(FormulaErrorInvalidName, u"");
    add(lastKind() == ttPath ? ttNameX : ttName, orig_.substr(start, pos_ - start));
}

std::size_t TXLSTokenizer::scanRef(std::size_t at) const
{
    std::size_t i = at;
    if (ch(i) == u'$')
        ++i;
    if (!isUpperLetter(ch(i)))
        return 0;
    char16_t first = ch(i++);
    if (isUpperLetter(ch(i))) {
        if (first > u'I' || (first == u'I' && ch(i) > u'V'))
            return 0;
        ++i;
    }
    if (ch(i) == u'$')
        ++i;
    std::size_t digits = i;
    std::uint32_t row = 0;
    while (isDigit(ch(i)) && i - digits < 6)
        row = row * 10 + (ch(i++) - u'0');
    if (i == digits || isDigit(ch(i)) || row < 1 || row > 65536)
        return 0;
    // A reference running on into a longer name is that name.
    char16_t next = ch(i);
    if (next != 0 && next != u':' && isNameChar(next))
        return 0;
    return i - at;
}

void TXLSTokenizer::readRefOrName()
{
    std::size_t len = scanRef(pos_);
    if (len == 0) {
        if (text_[pos_] == u'$')
            fail(16, orig_.substr(pos_));
        readName();
        return;
    }
    std::size_t end = pos_ + len;
    bool area = false;
    if (end < text_.size() && text_[end] == u':') {
        std::size_t len2 = scanRef(end + 1);
        if (len2 == 0) {
            readName();  // "A1:XYZ" is no area
            return;
        }
        end += 1 + len2;
        area = true;
    } else if (end < text_.size() && text_[end] != u'!' && isNameChar(text_[end])) {
        readName();
        return;
    }
    TXLSTokenKind kind = area ? ttArea : ttRef;
    if (lastKind() == ttSheetName)
        kind = area ? ttArea3d : ttRef3d;
    else if (lastKind() == ttSheetNameX)
        kind = area ? ttAreaX : ttRefX;
    add(kind, text_.substr(pos_, end - pos_));
    pos_ = end;
}

void TXLSTokenizer::readQuoted()
{
    // The closing quote of a path group: "'C:\dir\[book.xls]Sheet1'!A1".
    TXLSTokenKind last = lastKind();
    if (last == ttName || ((last == ttRef || last == ttArea) && lastKind(1) == ttFile)) {
        ++pos_;
        return;
    }
    // Up to the closing quote; a doubled single quote stands for one.
    std::size_t i = 0;
    std::u16string s = readDelimited(u'\'', i);
    std::size_t afterQuote = i + 1;
    if (s.size() >= 7 && s.compare(1, 2, u":\\") == 0) {
        std::size_t bracket = s.find(u'[');
        if (bracket == std::u16string::npos) {
            add(ttPath, s);
            pos_ = afterQuote;
        } else {
            add(ttPath, s.substr(0, bracket));
            pos_ = orig_.find(u'[', pos_);
        }
        return;
    }
    for (char16_t c : s)
        if (std::u16string_view(u"*/?[\\]").find(c) != std::u16string_view::npos)
            fail(13, s);
    add(ttName, std::move(s));
    pos_ = afterQuote;
}

void TXLSTokenizer::readFile()
{
    std::size_t close = orig_.find(u']', pos_ + 1);
    if (close == std::u16string::npos || close == pos_ + 1)
        fail(14, orig_.substr(pos_));
    add(ttFile, orig_.substr(pos_ + 1, close - pos_ - 1));
    pos_ = close + 1;
}

void TXLSTokenizer::readSheetMark()
{
    TXLSTokenKind last = lastKind();
    if (last == ttPath) {
        ++pos_;
        return;
    }
    if (last == ttRef || last == ttArea || last == ttName) {
        tokens_.back().Kind = lastKind(1) == ttFile ? ttSheetNameX : ttSheetName;
        ++pos_;
        return;
    }
    fail(15, tokens_.empty() ? std::u16string_view(u"!") : tokens_.back().Text);
}

void TXLSTokenizer::TokenizeA1(std::u16string_view Formula)
{
    start(Formula);
    scan(false);
}

// One run over the text: what both syntaxes share, then each one's own
// references ("$A$1", "Sheet!", "[book]" against "[.A1]").
void TXLSTokenizer::scan(bool ooc)
{
    try {
        while (pos_ < text_.size()) {
            char16_t c = text_[pos_];
            if (operatorAt())
                continue;
            if (c == u'"')
                readString();
            else if (isDigit(c))
                readNumber();
            else if (c == u'#')
                readError();
            else if (c == u'\'')
                readQuoted();
            else if (c == u'{' || c == u'}') {
                error_ = true;
                ++pos_;
            } else if (ooc) {
                if (c == u'$')
                    fail(16, orig_.substr(pos_));
                else if (c == u'[')
                    readOOCReference();
                else if (c == u']')
                    fail(FormulaErrorUnexpectedBracket, u"");
                else
                    readName();
            } else {
                if (c == u'$' || isUpperLetter(c))
                    readRefOrName();
                else if (c == u'!')
                    readSheetMark();
                else if (c == u'[')
                    readFile();
                else
                    readName();
            }
        }
    } catch (const Stop&) {
    }
}

// "[." ref [":." ref] "]" or "[$" sheet "." ref [":." ref] "]".
void TXLSTokenizer::readOOCReference()
{
    std::size_t open = pos_;
    ++pos_;
    bool sheet = false;
    if (ch(pos_) == u'$') {
        ++pos_;
        if (ch(pos_) == u'\'') {
            readQuoted();
        } else {
            std::size_t s = pos_;
            while (pos_ < text_.size() && isNameChar(text_[pos_]) && text_[pos_] != u'.' &&
                   text_[pos_] != u':')
                ++pos_;
            if (pos_ == s)
                fail(FormulaErrorInvalidName, u"");
            add(ttName, orig_.substr(s, pos_ - s));
        }
        if (lastKind() != ttName)
            fail(15, orig_.substr(open));
        tokens_.back().Kind = ttSheetName;
        sheet = true;
    }
    if (ch(pos_) != u'.') {
        if (sheet && ch(pos_) == u']') {
            ++pos_;
            return;
        }
        fail(FormulaErrorInvalidName, u"");
    }
    ++pos_;
    std::size_t len = scanRef(pos_);
    if (len == 0)
        fail(16, orig_.substr(open));
    std::u16string ref = text_.substr(pos_, len);
    pos_ += len;
    bool area = false;
    if (ch(pos_) == u':') {
        std::size_t at = pos_ + 1;
        if (ch(at) == u'.')
            ++at;
        std::size_t len2 = scanRef(at);
        if (len2 == 0)
            fail(16, orig_.substr(open));
        ref += u':';
        ref += text_.substr(at, len2);
        pos_ = at + len2;
        area = true;
    }
    if (ch(pos_) != u']')
        fail(0, orig_);
    ++pos_;
    add(sheet ? (area ? ttArea3d : ttRef3d) : (area ? ttArea : ttRef), std::move(ref));
}

void TXLSTokenizer::TokenizeOOC(std::u16string_view Formula)
{
    start(Formula);
    scan(true);
}

}  // namespace vesk
