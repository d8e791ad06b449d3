// Writes the workbook of a TXLSMini: a BIFF5 or BIFF8 compound document
// made by walking the record lists (raw records copied, placeholders
// replaced by records made from the model, the sheet directory patched with
// the substream positions), or sheet 0 alone as a plain BIFF4 record file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BIFFRecsMini.h"
#include "SheetDataMini.h"
#include "XLSStreamMini.h"

namespace vesk {

class TXLSMini;

class TXLSWriter {
public:
    explicit TXLSWriter(TXLSMini& xls);

    // To target when set, else to the component's Filename (safe save).
    void WriteBIFF58(std::vector<std::uint8_t>* target);
    void WriteSingleSheet(std::vector<std::uint8_t>* target);

private:
    struct TBoundsheetData {
        bool IsChart = false;
        int Index = 0;
        std::int64_t PosField = 0;
        WideString Name;
        THiddenState Hidden = hsVisible;
    };

    // Records made here stay within the version's body limit (EXLSError
    // otherwise); raw records go out as long as their file had them.
    void writeRecord(std::uint16_t id, const std::vector<std::uint8_t>& body, bool raw = false);
    void writeWord(std::uint16_t id, std::uint16_t value);
    void writeDefaultStyles();
    // A raw record of a list, narrowed to its BIFF5 layout where the reader
    // widened it (or where the defaults are BIFF8's).
    void writeListRecord(const TRawRecord& record);
    void writeDefaultFormats();
    void writeBoundsheet(TBoundsheetData& entry);
    void patchBoundsheet(const TBoundsheetData& entry);
    void writeChart(const TSheetChart& chart);
    void writeChartRecords(const TChartRecord& record);
    void writePageBreaks(TSheet& sheet);
    void writeHeaderFooter(TSheet& sheet);
    void writeMargins(TSheet& sheet);
    std::string text8(std::u16string_view text) const;

    TXLSMini& xls_;
    TExcelVersion version_;
    bool biff8_ = true;
    int codePage_ = 1250;
    TXLSStream stream_;
    std::vector<TBoundsheetData> directory_;
};

}  // namespace vesk
