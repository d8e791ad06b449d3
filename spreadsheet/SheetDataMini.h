// The sheets of a workbook: the collection with the workbook's shared
// string table, and each sheet's cells, record list, settings and search
// position. Columns run 0..255 and rows 0..65535 (0-based); any other
// position at the cell interface is a Usage error.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Cell.h"
#include "CellStorage.h"
#include "RecordStorageMini.h"
#include "SSTMini.h"
#include "SheetSettings.h"
#include "WideString.h"

namespace vesk {

class TXLSMini;
class TSheets;

// The RK form of a number when it has one that decodes to the very same
// double (bit for bit).
bool EncodeRK(double value, std::uint32_t& rk);

enum THiddenState : std::uint8_t { hsVisible, hsHidden, hsVeryHidden };

class TBasicSheet {
public:
    TBasicSheet(TSheets& collection, int id);
    virtual ~TBasicSheet() = default;
    TBasicSheet(const TBasicSheet&) = delete;
    TBasicSheet& operator=(const TBasicSheet&) = delete;

    const WideString& Name() const { return name_; }
    // Refuses (false, the name kept) a name of another sheet, compared
    // without regard to case, an empty name, one over 31 characters and one
    // holding [ ] : * ? / or \ (which other programs refuse); the refusal
    // goes to the workbook's notification callback. A change of case alone
    // is not applied (true).
    bool SetName(std::u16string_view name);
    // As SetName for a name read from a file: refused only when taken or
    // over 255 characters, so that what was read is kept.
    bool SetNameAsRead(std::u16string_view name);
    // The collection's running number of this sheet (never reused).
    int ID() const { return id_; }

protected:
    TSheets& collection_;
    WideString name_;
    int id_;
};

class TSheet : public TBasicSheet {
public:
    TSheet(TSheets& collection, int id);

    // ---- cells
    TCellType CellType(int col, int row) const;
    // The number of a number cell or the cached number of a number formula;
    // 0 for anything else.
    double AsFloat(int col, int row) const;
    // The cell's text by its kind; formula cells give their cached result,
    // or their formula text when the workbook shows formulas.
    WideString AsString(int col, int row) const;
    // A boolean cell's value; "Cell is missing/is of wrong type" (Usage)
    // for anything else.
    bool AsBoolean(int col, int row) const;
    // Formula text without "="; Usage error for a cell that is no formula.
    // Every cell of an array formula's range gives the range's formula as
    // other programs show it: "{=SUM(A1:A5*B1:B5)}".
    WideString AsFormula(int col, int row) const;
    void SetAsString(int col, int row, std::u16string_view value);
    TCell* Cell(int col, int row) const;

    // Next string cell containing text, row by row; the position is kept
    // between calls, so repeated calls go on after the last match. At the
    // end of the sheet false, and the next call starts at the top.
    bool FindText(std::u16string_view text, bool ignoreCase);
    void ResetFind();
    int FindCol() const { return findCol_; }
    int FindRow() const { return findRow_; }
    int FindPos() const { return findPos_; }

    // ---- cell-adding operations of the reader
    void AddBlank(int col, int row, std::uint16_t xf);
    void AddBoolean(int col, int row, std::uint8_t value, std::uint16_t xf);
    void AddError(int col, int row, std::uint8_t errorIndex, std::uint16_t xf);
    void AddFloat(int col, int row, double value, std::uint16_t xf);
    // runs: the text's formatting runs in the shared-string layout (4 bytes
    // each), kept with it, as its phonetic block is.
    void AddString(int col, int row, std::u16string_view text, std::uint16_t xf,
                   std::span<const std::uint8_t> runs = {}, std::span<const std::uint8_t> phonetic = {});
    // A cell for the entry of that number in the SST as read (Format error
    // for a number outside it); the entry counts one more reference.
    void AddStringIndex(int col, int row, std::uint32_t index, std::uint16_t xf);
    // extra: bytes after the tokens, kept with them.
    TNumberFormulaCell& AddNumberFormula(int col, int row, double value, std::uint16_t xf,
                                         const std::uint8_t* tokens, std::size_t length, std::size_t extra = 0);
    TStringFormulaCell& AddStringFormula(int col, int row, std::u16string_view value, std::uint16_t xf,
                                         const std::uint8_t* tokens, std::size_t length, std::size_t extra = 0);
    TBooleanFormulaCell& AddBooleanFormula(int col, int row, std::uint8_t value, std::uint16_t xf,
                                           const std::uint8_t* tokens, std::size_t length, std::size_t extra = 0);
    // code: the BIFF error code; the cell holds its error index.
    TErrorFormulaCell& AddErrorFormula(int col, int row, std::uint8_t code, std::uint16_t xf,
                                       const std::uint8_t* tokens, std::size_t length, std::size_t extra = 0);
    TArrayFormulaCell& AddArrayFormula(int col, int row, double value, std::uint16_t xf, const std::uint8_t* tokens,
                                       std::size_t length, const std::uint8_t* arrayData, std::size_t arrayLength);
    // A formula cell of code 8 to 11 with its own copy of the tokens; any
    // other code: Usage "Invalid Formula cell type".
    static std::unique_ptr<TFormulaCell> NewFormulaCell(TCellType code, const std::uint8_t* tokens,
                                                        std::size_t length, std::uint32_t key, std::uint16_t xf);

    // ---- writing
    // The cells as BIFF cell records in key order, in the layout of version
    // (below BIFF5 the plain BIFF4 sheet: no MULRK or MULBLANK, formulas in
    // the BIFF4 layout only when formulas4 is set, else their cached value).
    // 8-bit texts in codePage. Failures: "Error on writing record # N" + CR
    // + the cause.
    void WriteCells(TExcelVersion version, TXLSStream& stream, int codePage = 1250, bool formulas4 = false);
    // A text longer than a cell record can count (65,535 characters) is
    // Refused, naming the sheet and the cell; none is cut.
    void CheckTextLength(std::size_t length, int col, int row) const;
    // That check for the text of a cell of this sheet, or its cached text.
    void CheckCellText(const TCell& cell) const;

    // ---- used area (the DIMENSIONS record, BIFF8 layout)
    std::uint16_t FirstCol() const;
    std::uint16_t FirstRow() const;
    std::uint16_t LastCol() const;
    std::uint16_t LastRow() const;
    void SetFirstCol(std::uint16_t v);
    void SetFirstRow(std::uint32_t v);
    // Store the limits (last + 1).
    void SetColLimit(std::uint16_t v);
    void SetRowLimit(std::uint32_t v);
    // Bounds of the stored cells, limits last + 1; all 0 for an empty sheet.
    void CalcDimensions();

    // ---- settings
    std::uint16_t DefaultColWidth() const { return vesk::DefaultColWidth(records_); }
    void SetDefaultColWidth(std::uint16_t v) { vesk::SetDefaultColWidth(records_, v); }
    std::uint16_t DefaultRowHeight() const { return vesk::DefaultRowHeight(records_); }
    void SetDefaultRowHeight(std::uint16_t v) { vesk::SetDefaultRowHeight(records_, v); }
    TSheetOptions Options() const { return SheetOptions(records_); }
    void SetOptions(TSheetOptions v) { SetSheetOptions(records_, v); }
    TWorkspaceOptions WorkspaceOptions() const { return vesk::WorkspaceOptions(records_); }
    void SetWorkspaceOptions(TWorkspaceOptions v) { vesk::SetWorkspaceOptions(records_, v); }
    TPrintSettings& PrintSettings() { return *printSettings_; }
    TSelection& Selection() { return *selection_; }
    bool RecalcFormulas = false;
    THiddenState Hidden = hsVisible;

    // ---- state
    TCellStorage& Cells() { return *cells_; }
    const TCellStorage& Cells() const { return *cells_; }
    TRecordStorageSheet& Records() { return *records_ptr_; }
    TPackedRecords& CellAreaRecords() { return cellArea_; }
    bool RecordsLoaded = false;
    // Index of the sheet in its collection.
    int Index() const;

    // Records to their defaults, settings reset, all cells freed.
    void Reset();
    void ClearCells();

private:
    std::uint32_t key(int col, int row) const;
    TXLSMini* owner() const;
    // The array formula whose range holds the formula cell at col, row:
    // the cell itself, or the first cell its tExp token names; nullptr for
    // none.
    const TArrayFormulaCell* arrayFormulaOf(const TFormulaCell& cell, int col, int row) const;
    TSSTMini& sst() const;
    // A new cell of kind C at key, made in the cell storage's blocks.
    template <class C, class... A>
    C& emplace(std::uint32_t key, A&&... args);

    std::unique_ptr<TCellStorage> cells_;
    std::unique_ptr<TRecordStorageSheet> records_ptr_;
    TRecordStorageSheet& records_;
    TPackedRecords cellArea_;
    std::unique_ptr<TPrintSettings> printSettings_;
    std::unique_ptr<TSelection> selection_;
    int findCol_ = 0;
    int findRow_ = 0;
    int findPos_ = 0;
};

class TSheets {
public:
    // owner may be nullptr (a collection without a workbook).
    explicit TSheets(TXLSMini* owner);
    TSheets(const TSheets&) = delete;
    TSheets& operator=(const TSheets&) = delete;

    // Usage error for an index out of range.
    TSheet& Items(int index) const;
    int Count() const { return static_cast<int>(sheets_.size()); }
    // A new sheet "Sheet" + (running number + 1).
    TSheet& Add();
    // The SST emptied, every sheet reset and freed.
    void Clear();
    // Clear, then one new sheet.
    void Reset();
    // Compared by wide upper-casing; nullptr when absent.
    TSheet* SheetByName(std::u16string_view name) const;
    int IndexOf(const TSheet* sheet) const;

    TSSTMini& SST() { return sst_; }
    TXLSMini* Owner() const { return owner_; }

private:
    TXLSMini* owner_;
    TSSTMini sst_;
    std::vector<std::unique_ptr<TSheet>> sheets_;
    int nextId_ = 0;
};

}  // namespace vesk
