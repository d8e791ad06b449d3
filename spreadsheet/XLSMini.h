// The workbook component: one workbook in memory (sheets, shared strings,
// record lists, settings), read from BIFF2 to BIFF8 files or bytes. The
// component never shows anything: progress and notices go to callbacks.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "BIFFRecsMini.h"
#include "FormulaHandler.h"
#include "RecordStorageMini.h"
#include "SheetDataMini.h"
#include "WideString.h"
#include "WorkbookSettings.h"
#include "XLSEventsMini.h"
#include "XLSStreamMini.h"

namespace vesk {

// The 65 colours of the BIFF8 default palette (0x00BBGGRR).
const std::array<std::uint32_t, 65>& DefaultPalette();

class TXLSMini {
public:
    TXLSMini();
    ~TXLSMini();
    TXLSMini(const TXLSMini&) = delete;
    TXLSMini& operator=(const TXLSMini&) = delete;

    // ---- properties
    TExcelVersion Version() const { return version_; }
    // Also sets the largest record body (2080 below BIFF8, 8224 from it).
    void SetVersion(TExcelVersion v);
    std::uint32_t MaxBodySize() const { return maxBodySize_; }
    TSheets& Sheets() { return *sheets_; }
    const TSheets& Sheets() const { return *sheets_; }
    TWorkbookData& Workbook() { return *workbook_; }
    TOptionsDialog& OptionsDialog() { return *optionsDialog_; }
    WideString UserName() const { return globals_->UserName(); }
    void SetUserName(std::u16string_view v) { globals_->SetUserName(v); }
    bool BookProtected() const { return globals_->WindowProtect(); }
    void SetBookProtected(bool v) { globals_->SetWindowProtect(v); }
    bool Backup() const { return globals_->Backup(); }
    void SetBackup(bool v) { globals_->SetBackup(v); }
    bool RefreshAll() const { return globals_->RefreshAll(); }
    void SetRefreshAll(bool v) { globals_->SetRefreshAll(v); }
    const WideString& StrTRUE() const { return strTrue_; }
    void SetStrTRUE(std::u16string_view v);
    const WideString& StrFALSE() const { return strFalse_; }
    void SetStrFALSE(std::u16string_view v);
    bool ShowFormulas = false;
    // The file name in UTF-8.
    std::string Filename;
    bool IsMac = false;
    bool PreserveMacros = true;
    std::string ComponentVersion() const { return "2.00.00"; }

    // Progress 0..100, never going back.
    TIntegerEvent OnProgress;
    // Notices that the user should see (a refused sheet name).
    TNotifyEvent OnNotify;
    // Kept for callers that assign it; the library never calls it.
    TPasswordEvent OnPassword;

    // Formula text separators (the formula handler's).
    TFormulaSettings& FormulaSettings() { return formulaHandler_->Settings(); }
    const TFormulaSettings& FormulaSettings() const { return formulaHandler_->Settings(); }
    TFormulaHandler& FormulaHandler() { return *formulaHandler_; }
    const TFormulaHandler& FormulaHandler() const { return *formulaHandler_; }

    // ---- operations
    // Reads the file named by Filename.
    void Read();
    // Reads the bytes of a workbook (plain or compound); nullptr reads
    // Filename. On failure the EXLSError says which record failed; the
    // workbook keeps what was read up to there.
    void ReadStream(const std::vector<std::uint8_t>* source);
    // Writes the workbook to Filename (a temporary file renamed over the old
    // one: a failed write leaves the old file as it was).
    void Write();
    // Writes the file's bytes into target; nullptr writes Filename. The
    // format follows Version: BIFF5 or BIFF8 compound documents, sheet 0
    // alone as a plain BIFF4 file. Refused before anything is written:
    // BIFF2 and BIFF3, no version, and a BIFF5/BIFF8 write of a workbook
    // read in another family.
    void WriteStream(std::vector<std::uint8_t>* target);
    // The version of the file last read; xvNone for a workbook never read.
    TExcelVersion ReadVersion() const { return readVersion_; }
    // One default sheet, default records; Version, Filename, the boolean
    // texts and the settings objects stay.
    void Clear();
    // The next string cell containing text, sheet by sheet; after a full
    // pass without a match the search begins again at the first sheet.
    bool FindText(std::u16string_view text, bool ignoreCase);
    void ResetFind();
    int FindSheet() const { return findSheet_; }

    void LoadOptionsDialog();
    void StoreOptionsDialog();

    // Progress over a total of steps (cells): Begin sends 0, Step one more
    // step, End 100; each only when OnProgress is set, never going back.
    void BeginProgress(std::uint32_t total);
    void StepProgress(std::uint32_t steps = 1);
    void EndProgress();
    // Sends a percentage (clamped to 0..100) unless below the last one sent.
    void ReportProgress(int percent);

    // The sheet named so (case ignored): its index and the sheet count, or
    // -1 and 0.
    void SheetIndexByName(std::u16string_view name, int& index, int& count) const;
    // Kind 0: the sheet's name; 1: the AsString text of (col, row) there;
    // anything else (or no such sheet) leaves text unchanged.
    void SheetTextByIndex(std::uint8_t kind, int sheetIndex, int col, int row, WideString& text) const;

    // Formula text of a formula cell at (col, row) of a sheet.
    WideString DecodeFormula(const TFormulaCell& cell, int sheetIndex, int col, int row) const;

    // ---- state shared with the reader and the writer
    bool DefaultFormats = true;
    TRecordStorageGlobals& Globals() { return *globals_; }
    TExtraObjects& ExtraObjects() { return extraObjects_; }
    TSheetCharts& Charts() { return charts_; }
    TStyles& Styles() { return styles_; }
    std::array<std::uint32_t, 65>& Palette() { return palette_; }
    std::uint8_t DefaultPaperSize() const { return defaultPaperSize_; }
    // XF indexes of the three formats appended after a read's XF records.
    std::uint16_t XFDateTime = 21;
    std::uint16_t XFDate = 22;
    std::uint16_t XFTime = 23;
    void Notify(std::u16string_view text) const;

private:
    TExcelVersion version_ = xvExcel97;
    TExcelVersion readVersion_ = xvNone;
    std::uint32_t maxBodySize_ = MaxRecordBodyBiff8;
    std::array<std::uint32_t, 65> palette_;
    std::uint8_t defaultPaperSize_ = 9;
    std::unique_ptr<TRecordStorageGlobals> globals_;
    TExtraObjects extraObjects_;
    std::unique_ptr<TWorkbookData> workbook_;
    std::unique_ptr<TOptionsDialog> optionsDialog_;
    std::unique_ptr<TFormulaHandler> formulaHandler_;
    WideString strTrue_ = u"TRUE";
    WideString strFalse_ = u"FALSE";
    TStyles styles_;
    std::unique_ptr<TSheets> sheets_;
    TSheetCharts charts_;
    int findSheet_ = 0;
    std::uint32_t progressTotal_ = 0;
    std::uint32_t progressCount_ = 0;
    int progressLast_ = -1;
};

}  // namespace vesk
