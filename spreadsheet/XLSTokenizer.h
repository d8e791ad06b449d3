// Splits formula text into tokens, in the A1 syntax or in the OOC syntax
// ("[.A1]", "[$Sheet1.A1:.B2]").
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

enum TXLSTokenKind : std::uint8_t {
    ttNone, ttAdd, ttConcat, ttSub, ttMul, ttDiv, ttPercent, ttPower,
    ttGT, ttGE, ttLT, ttLE, ttEQ, ttNE, ttParenL, ttParenR, ttSpace,
    ttListSep, ttVectL, ttVectR, ttFunc, ttRef, ttArea, ttRef3d, ttArea3d,
    ttRefX, ttAreaX, ttNumber, ttString, ttPath, ttFile, ttName, ttNameX,
    ttSheetName, ttSheetNameX, ttError,
};

struct TXLSToken {
    std::u16string Text;
    TXLSTokenKind Kind = ttNone;
};

class TXLSTokenizer {
public:
    // Receives the tokenizer's errors (code, argument text); it is expected
    // to end the tokenizing by throwing.
    std::function<void(int, std::u16string_view)> OnError;
    char16_t ListSeparator = u',';
    char16_t DecimalSeparator = u'.';

    void TokenizeA1(std::u16string_view Formula);
    void TokenizeOOC(std::u16string_view Formula);
    void Clear();

    const std::vector<TXLSToken>& Tokens() const { return tokens_; }
    bool Error() const { return error_; }

private:
    void start(std::u16string_view formula);
    void add(TXLSTokenKind kind, std::u16string text = {});
    TXLSTokenKind lastKind(std::size_t back = 0) const;
    void fail(int code, std::u16string_view arg);
    bool operatorAt();
    void scan(bool ooc);
    std::u16string readDelimited(char16_t q, std::size_t& i);
    void readString();
    void readNumber();
    void readError();
    bool isNameChar(char16_t c) const;
    void readName();
    // The character at k, 0 past the end.
    char16_t ch(std::size_t k) const { return k < text_.size() ? text_[k] : 0; }
    std::size_t scanRef(std::size_t at) const;  // length of a cell reference at `at`, 0 when none
    void readRefOrName();
    void readQuoted();
    void readFile();
    void readSheetMark();
    void readOOCReference();

    std::u16string text_;   // upper-cased outside quotes
    std::u16string orig_;   // unchanged formula
    std::size_t pos_ = 0;
    bool error_ = false;
    std::vector<TXLSToken> tokens_;
};

}  // namespace vesk
