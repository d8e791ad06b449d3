// Compiles formula text (no leading "=") into BIFF8 formula tokens.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FormulaSettings.h"
#include "XLSTokenizer.h"

namespace vesk {

// What a 3D operand names: a sheet of this workbook ("Sheet1!A1"), a sheet
// of another file ("'C:\dir\[book.xls]Sheet1'!A1") or a name in another
// file ("'C:\dir\book.xls'!name").
struct T3DReference {
    std::u16string_view Path;
    std::u16string_view File;
    bool IsSheet = true;
    std::u16string_view Name;
    std::u16string_view Sheet;
};

// Position: 0 or more when resolved (the sheet's index, or the external
// name's position); ExtSheetIndex: the external-sheet entry.
struct T3DResolution {
    int Position = -1;
    int ExtSheetIndex = -1;
};

class TEncodeFormula {
public:
    TEncodeFormula();

    // Compiles Formula into Buffer and returns the number of bytes written;
    // nothing is written past the buffer. Errors raise EXLSError of kind
    // Formula; with OnError assigned they go there instead and the result is
    // -1. After an error the buffer holds no usable tokens, so a caller that
    // must keep its previous tokens encodes into a buffer of its own.
    int Encode(std::u16string_view Formula, std::uint8_t OperandClass, bool OOC,
               std::span<std::uint8_t> Buffer);

    void SetStrTRUE(std::u16string_view Text);
    void SetStrFALSE(std::u16string_view Text);

    // Sheet index of the last 3D operand compiled, -1 when there was none.
    int LastSheetIndex() const { return lastSheet_; }

    TFormulaSettings Settings;
    std::uint8_t Version = 0;  // the workbook version; tokens are BIFF8 in any case

    // Defined-name lookup: name text to its index, -1 when absent.
    std::function<int(std::u16string_view)> OnNameIndex;
    std::function<T3DResolution(const T3DReference&)> On3DReference;
    // Receives every error (message) instead of an exception.
    std::function<void(const std::string&)> OnError;

private:
    struct Abort {};
    [[noreturn]] void error(int code, std::u16string_view arg);

    const TXLSToken* peek(std::size_t ahead = 0) const;
    std::size_t blanksAt(std::size_t at) const;
    void pushBlanks();
    void write(std::initializer_list<std::uint8_t> bytes);
    void writeBytes(const std::uint8_t* data, std::size_t n);
    void writeU16(std::uint16_t v);
    void writeToken(std::initializer_list<std::uint8_t> bytes, int pops = 1);
    void popBlanks(int pops);
    void enter();

    void expression();
    void binaryLevel(int level);
    void percentLevel();
    void prefixLevel();
    void primary();
    void functionCall();
    void operand();
    bool threeD();
    void reference(const std::u16string& text, bool area, int extSheet);

    TXLSTokenizer tokenizer_;
    std::u16string formula_;
    std::u16string true_ = u"TRUE";
    std::u16string false_ = u"FALSE";
    std::span<std::uint8_t> buf_;
    std::size_t wpos_ = 0;
    std::size_t tpos_ = 0;
    int lastSheet_ = -1;
    std::uint8_t class_ = 0;
    std::size_t depth_ = 0;
    struct Blanks {
        std::uint8_t type;
        std::uint8_t count;
    };
    std::vector<Blanks> blanks_;
};

}  // namespace vesk
