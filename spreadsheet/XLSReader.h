// Reads a BIFF2 to BIFF8 workbook into a TXLSMini: walks the records of the
// workbook stream in file order, turns cells, the sheet directory, shared
// strings, print and calculation settings into the model and keeps every
// other record raw in the current record list for the writer.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "BIFFRecsMini.h"
#include "RecordStorageMini.h"
#include "SSTMini.h"
#include "SheetDataMini.h"
#include "WideString.h"
#include "XLSBytes.h"
#include "XLSStreamMini.h"

namespace vesk {

class TXLSMini;

class TXLSReader {
public:
    explicit TXLSReader(TXLSMini& xls);

    // Reads the bytes of source, or the component's Filename when nullptr.
    // Every failure is an EXLSError whose message begins "Error on reading
    // record # N, ID Offs: OFFSET" and a line break.
    void Read(const std::vector<std::uint8_t>* source);

private:
    struct TDirectoryEntry {
        WideString Name;
        THiddenState Hidden = hsVisible;
    };
    struct TSharedFormula {
        std::uint16_t FirstRow = 0, LastRow = 0;
        std::uint8_t FirstCol = 0, LastCol = 0;
        std::size_t TokenLength = 0;
        std::vector<std::uint8_t> Data;  // tokens, then the bytes after them
    };

    void readRecords();
    // Returns false when the record loop is to end.
    bool dispatch(const TRecordBody& body);
    void handleBOF(const TRecordBody& body);
    bool handleEOF(const TRecordBody& body);
    // Reads up to the EOF that ends the substream whose BOF was just read.
    void skipSubstream();
    void keepDefault(std::uint16_t id, const std::uint8_t* data, std::size_t length);
    bool place(std::uint16_t placeholder);
    TSheet& sheet(const TRecordBody& body) const;
    bool inSheet() const;
    int column(const TRecordBody& body, std::size_t offset) const;

    void readWriteAccess(const TRecordBody& body);
    void readWindow2(const TRecordBody& body);
    void readDimensions(const TRecordBody& body);
    void readBoundSheet(const TRecordBody& body);
    void readHeaderFooter(const TRecordBody& body);
    void readPageBreaks(const TRecordBody& body);
    void readMulRk(const TRecordBody& body);
    void readMulBlank(const TRecordBody& body);
    void readLabel(const TRecordBody& body);
    void readObj(const TRecordBody& body);
    void readXF(const TRecordBody& body);
    void readPalette(const TRecordBody& body);
    void readName(const TRecordBody& body);
    // The name of a BIFF5 NAME record for the formula decoder.
    void readName5(const TRecordBody& body);
    void readXCT(const TRecordBody& body);
    void readFormula(const TRecordBody& body);
    void readFormula2(const TRecordBody& body);
    void readFormula34(const TRecordBody& body);
    bool readArrayFormula(TSheet& s, const TRecordBody& body, int col, int row, std::uint16_t xf,
                          const std::uint8_t* tokens, std::size_t length);
    void readFormulaResult(TSheet& sheet, int col, int row, std::uint8_t type, std::uint8_t value,
                           std::uint16_t xf, const std::uint8_t* tokens, std::size_t length, std::size_t extra);
    // The cached text of a formula from the STRING record in next_ and its
    // CONTINUE records.
    WideString stringResult();
    // A text of the record whose character count (u16) is at offset `at`,
    // its characters going on in the CONTINUE records that follow it (from
    // BIFF8 on each starts with its own option byte, unless they hold the
    // rest bare). A text whose records end early keeps the characters they
    // hold; CONTINUE records after all the text counts are its own and left
    // out. The cell (col, row) is named in one notice saying all that, and
    // where the records can be read both ways or fit neither.
    // The bytes after the characters (from BIFF8 on with the CONTINUE
    // records of the tail the header counts; before, an RSTRING's runs in
    // the record after its last characters) are left in textTail_, the
    // header's run count in textRunCount_, its phonetic size in
    // textPhonetic_.
    WideString continuedText(const TRecordBody& record, std::size_t at, int col, int row);
    // How the CONTINUE records after the current position hold a BIFF8
    // text's rest (ContinuationOf). Reads nothing.
    TContinuationChoice continuation(const TTextRest& rest);
    // The bytes of the tail the rest counts, as far as textTail_ tells.
    std::size_t tailSize(const TTextRest& rest) const;
    // The sheet last begun ("Sheet \"A\""), or "Workbook globals" before any.
    std::string where() const;
    // A notice naming the current sheet and the cell (col, row).
    void notifyCell(int col, int row, const std::string& message);
    void readSharedFormula();
    // The shared formula of a cell whose tExp token (tokens, length) names
    // its range's first cell; nullptr when none holds the cell.
    const TSharedFormula* sharedFormulaFor(int col, int row, const std::uint8_t* tokens, std::size_t length);
    void clearSharedFormulas();

    // Reads the next record into next_ (header into nextHeader_).
    void readNext();
    // 8-bit text of the file's code page (BIFF2 to BIFF5).
    WideString text8(const std::uint8_t* data, std::size_t count) const;
    // A BIFF8 string at offset: count (u16 at offset), option byte, the
    // characters (run and phonetic headers skipped).
    WideString text16(const TRecordBody& body, std::size_t offset) const;
    // A directory name: 8-bit in BIFF5, a BIFF8 string from BIFF8 on.
    void progress();

    TXLSMini& xls_;
    TXLSStream stream_;
    TExcelVersion version_ = xvNone;
    std::vector<std::uint8_t> body_;
    std::vector<std::uint8_t> next_;
    std::vector<std::uint8_t> textTail_;
    std::size_t textRunCount_ = 0;
    std::size_t textPhonetic_ = 0;
    int formulaCol_ = 0, formulaRow_ = 0;  // the cell whose STRING is read
    std::vector<std::uint8_t> shared_;  // tokens of a shared formula for one cell
    TRecordHeader header_;
    TRecordHeader nextHeader_;
    std::int64_t headerPosition_ = 0;
    std::int64_t nextPosition_ = 0;
    int records_ = 0;
    int sheetIndex_ = -1;
    int directoryIndex_ = -1;
    std::vector<TDirectoryEntry> directory_;
    std::vector<TSharedFormula> sharedFormulas_;
    std::unordered_map<std::uint32_t, std::size_t> sharedIndex_;  // (first row << 16) | first col
    std::size_t lastShared_ = 0;
    TRecordStorageDefault* current_ = nullptr;
    TSheet* sheet_ = nullptr;
    bool keepRaw_ = false;
    // Whether the last record but CONTINUE was kept raw; the number of the
    // record after a CONTINUE left out (a run of them gets one notice).
    bool continuable_ = false;
    int dropped_ = -1;
    // The last record read but CONTINUE: id and header offset.
    std::uint16_t before_ = 0;
    std::int64_t beforePosition_ = -1;
    bool skip_ = false;
    bool dimensionsRead_ = false;
    int codePage_ = 1250;
};

}  // namespace vesk
