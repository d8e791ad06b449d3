#include "XLSMini.h"

#include <algorithm>
#include <cmath>

#include "CodePage.h"
#include "EXLSError.h"
#include "XLSReader.h"
#include "XLSWriter.h"
#include "XLSUtilsMini.h"

namespace vesk {

const std::array<std::uint32_t, 65>& DefaultPalette() {
    static const std::array<std::uint32_t, 65> palette = [] {
        static const std::uint8_t rgb[64][3] = {
            {0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},     {0, 0, 255},     {255, 255, 0},
            {255, 0, 255},   {0, 255, 255},   {0, 0, 0},       {255, 255, 255}, {255, 0, 0},     {0, 255, 0},
            {0, 0, 255},     {255, 255, 0},   {255, 0, 255},   {0, 255, 255},   {128, 0, 0},     {0, 128, 0},
            {0, 0, 128},     {128, 128, 0},   {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {128, 128, 128},
            {153, 153, 255}, {153, 51, 102},  {255, 255, 204}, {204, 255, 255}, {102, 0, 102},   {255, 128, 128},
            {0, 102, 204},   {204, 204, 255}, {0, 0, 128},     {255, 0, 255},   {255, 255, 0},   {0, 255, 255},
            {128, 0, 128},   {128, 0, 0},     {0, 128, 128},   {0, 0, 255},     {0, 204, 255},   {204, 255, 255},
            {204, 255, 204}, {255, 255, 153}, {153, 204, 255}, {255, 153, 204}, {204, 153, 255}, {255, 204, 153},
            {51, 102, 255},  {51, 204, 204},  {153, 204, 0},   {255, 204, 0},   {255, 153, 0},   {255, 102, 0},
            {102, 102, 153}, {150, 150, 150}, {0, 51, 102},    {51, 153, 102},  {0, 51, 0},      {51, 51, 0},
            {153, 51, 0},    {153, 51, 102},  {51, 51, 153},   {51, 51, 51},
        };
        std::array<std::uint32_t, 65> out{};
        for (std::size_t i = 0; i < 64; ++i)
            out[i] = rgb[i][0] | (static_cast<std::uint32_t>(rgb[i][1]) << 8) |
                     (static_cast<std::uint32_t>(rgb[i][2]) << 16);
        out[64] = 0;  // window text
        return out;
    }();
    return palette;
}

TXLSMini::TXLSMini() : palette_(DefaultPalette()), globals_(std::make_unique<TRecordStorageGlobals>()) {
    DefaultFormats = true;
    workbook_ = std::make_unique<TWorkbookData>(*globals_);
    workbook_->SetOptions({woHScroll, woVScroll, woTabs});
    workbook_->SetTop(100);
    workbook_->SetLeft(100);
    workbook_->SetWidth(10000);
    workbook_->SetHeight(7000);
    optionsDialog_ = std::make_unique<TOptionsDialog>(*globals_);
    optionsDialog_->CalcMode = cmAutomatic;
    formulaHandler_ = std::make_unique<TFormulaHandler>(this);
    formulaHandler_->OnSheetLookup = [this](std::u16string_view name, int& count) {
        int index = -1;
        SheetIndexByName(name, index, count);
        return index;
    };
    formulaHandler_->OnSheetName = [this](int index) {
        WideString text;
        SheetTextByIndex(0, index, 0, 0, text);
        return text;
    };
    SetStrTRUE(u"TRUE");
    SetStrFALSE(u"FALSE");
    sheets_ = std::make_unique<TSheets>(this);
    sheets_->Add();
    LoadOptionsDialog();
    SetVersion(xvExcel97);
    XFDateTime = 21;
    XFDate = 22;
    XFTime = 23;
}

TXLSMini::~TXLSMini() = default;

void TXLSMini::SetVersion(TExcelVersion v) {
    version_ = v;
    maxBodySize_ = v < xvExcel97 ? MaxRecordBodyBiff5 : MaxRecordBodyBiff8;
    sheets_->SST().SetMaxBodySize(maxBodySize_);
    formulaHandler_->SetVersion(v);
}

void TXLSMini::SetStrTRUE(std::u16string_view v) {
    strTrue_ = v;
    formulaHandler_->SetStrTRUE(v);
}

void TXLSMini::SetStrFALSE(std::u16string_view v) {
    strFalse_ = v;
    formulaHandler_->SetStrFALSE(v);
}

void TXLSMini::Notify(std::u16string_view text) const {
    if (OnNotify) OnNotify(text);
}

void TXLSMini::Read() { ReadStream(nullptr); }

void TXLSMini::ReadStream(const std::vector<std::uint8_t>* source) {
    Clear();
    sheets_->Clear();
    ResetFind();
    TXLSReader reader(*this);
    try {
        reader.Read(source);
    } catch (...) {
        readVersion_ = version_;
        throw;
    }
    readVersion_ = version_;
    if (sheets_->Count() > 0) LoadOptionsDialog();
    sheets_->SST().ClearFileOrder();
}

namespace {

// BIFF2 to BIFF4, BIFF5, BIFF8 (and what writes BIFF8).
int family(TExcelVersion v) {
    if (v >= xvExcel97) return 3;
    if (v == xvExcel50) return 2;
    if (v >= xvExcel21) return 1;
    return 0;
}

}  // namespace

void TXLSMini::Write() { WriteStream(nullptr); }

void TXLSMini::WriteStream(std::vector<std::uint8_t>* target) {
    if (version_ == xvExcel21 || version_ == xvExcel30)
        throw EXLSError(XLSErrorKind::Refused, "Can not write Excel 2.1/3.0 files");
    if (version_ == xvNone || version_ == xvExcelUnknown)
        throw EXLSError(XLSErrorKind::Refused, "Can not write this file version");
    if (version_ >= xvExcel50 && readVersion_ != xvNone && family(readVersion_) != family(version_))
        throw EXLSError(XLSErrorKind::Refused, "Can not write a workbook in another file version than the one read");
    if (sheets_->Count() == 0) throw EXLSError(XLSErrorKind::Refused, "Can not write a workbook without sheets");
    if (!target && Filename.empty()) throw EXLSError(XLSErrorKind::Usage, "Filename is missing");

    const bool plain = version_ < xvExcel50;
    if (plain && sheets_->Count() > 1)
        throw EXLSError(XLSErrorKind::Refused, "A BIFF4 file holds one sheet, the workbook has " +
                                                   std::to_string(sheets_->Count()));
    // What BIFF5 cannot hold is refused here, before anything is written:
    // rows past 16,384 and texts outside the file's code page.
    const bool biff5 = version_ == xvExcel50;
    const int codePage = biff5 && readVersion_ == xvExcel50 ? formulaHandler_->CodePage : 1250;
    // A cell's text names the cell (key given), a sheet name the sheet.
    auto refuseText = [&](std::u16string_view text, const TSheet& sheet, std::int64_t key = -1) {
        if (!biff5 || std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })) return;
        if (Biff5Text(Biff5Bytes(text, codePage), codePage) == text) return;
        const std::string cell =
            key < 0 ? std::string()
                    : ", cell " + ColRowToRefStr(static_cast<int>(key & 255), static_cast<int>(key >> 8), false, false);
        throw EXLSError(XLSErrorKind::Refused, "Sheet \"" + utf16ToUtf8(sheet.Name()) + "\"" + cell + ": the text \"" +
                                                   utf16ToUtf8(text.substr(0, 40)) +
                                                   "\" has characters outside code page " + std::to_string(codePage));
    };
    std::uint32_t total = 0;
    for (int i = 0; i < (plain ? 1 : sheets_->Count()); ++i) {
        TSheet& sheet = sheets_->Items(i);
        refuseText(sheet.Name(), sheet);
        TCellStorage& cells = sheet.Cells();
        cells.BeginIterate();
        while (TCell* cell = cells.Next()) {
            ++total;
            // Before anything is written: a BIFF8 save writes the shared
            // strings ahead of the cells that name them.
            sheet.CheckCellText(*cell);
            if (!biff5) continue;
            if ((cell->Key >> 8) > 16383)
                throw EXLSError(XLSErrorKind::Refused, "Sheet \"" + utf16ToUtf8(sheet.Name()) + "\": row " +
                                                           std::to_string((cell->Key >> 8) + 1) +
                                                           " is beyond the 16,384 rows of a BIFF5 sheet");
            const TCellType type = cell->CellType() & 0x7F;
            if (type == ctString) {
                if (const TSSTEntry* entry = static_cast<TStringCell*>(cell)->Entry)
                    refuseText(TSSTMini::Text(*entry), sheet, cell->Key);
            } else if (type == ctStringFormula) {
                refuseText(static_cast<TStringFormulaCell*>(cell)->Value, sheet, cell->Key);
            }
        }
    }
    BeginProgress(total);
    StoreOptionsDialog();
    formulaHandler_->ExternalNames().SetSheetCount(sheets_->Count());
    TXLSWriter writer(*this);
    if (plain) writer.WriteSingleSheet(target);
    else writer.WriteBIFF58(target);
    EndProgress();
}

void TXLSMini::Clear() {
    formulaHandler_->Clear();
    formulaHandler_->CodePage = 1250;
    globals_->SetDefaultData();
    DefaultFormats = true;
    readVersion_ = xvNone;
    sheets_->Reset();
    styles_.Clear();
    extraObjects_.Clear();
    charts_.Clear();
    palette_ = DefaultPalette();
    XFDateTime = 21;
    XFDate = 22;
    XFTime = 23;
}

bool TXLSMini::FindText(std::u16string_view text, bool ignoreCase) {
    while (findSheet_ < sheets_->Count()) {
        if (sheets_->Items(findSheet_).FindText(text, ignoreCase)) return true;
        ++findSheet_;
    }
    findSheet_ = 0;
    return false;
}

void TXLSMini::ResetFind() {
    findSheet_ = 0;
    for (int i = 0; i < sheets_->Count(); ++i) sheets_->Items(i).ResetFind();
}

void TXLSMini::LoadOptionsDialog() {
    if (sheets_->Count() == 0) return;
    optionsDialog_->LoadFrom(sheets_->Items(0).Records());
}

void TXLSMini::StoreOptionsDialog() {
    for (int i = 0; i < sheets_->Count(); ++i) optionsDialog_->StoreTo(sheets_->Items(i).Records());
}

void TXLSMini::ReportProgress(int percent) {
    if (!OnProgress) return;
    percent = std::clamp(percent, 0, 100);
    if (percent <= progressLast_) return;
    progressLast_ = percent;
    OnProgress(percent);
}

void TXLSMini::BeginProgress(std::uint32_t total) {
    progressTotal_ = total;
    progressCount_ = 0;
    progressLast_ = -1;
    ReportProgress(0);
}

void TXLSMini::StepProgress(std::uint32_t steps) {
    progressCount_ += steps;
    if (progressTotal_ == 0) return;
    const double share = std::min(1.0, static_cast<double>(progressCount_) / progressTotal_);
    ReportProgress(static_cast<int>(std::lround(share * 100.0)));
}

void TXLSMini::EndProgress() { ReportProgress(100); }

void TXLSMini::SheetIndexByName(std::u16string_view name, int& index, int& count) const {
    const TSheet* sheet = sheets_->SheetByName(name);
    if (!sheet) {
        index = -1;
        count = 0;
        return;
    }
    index = sheets_->IndexOf(sheet);
    count = sheets_->Count();
}

void TXLSMini::SheetTextByIndex(std::uint8_t kind, int sheetIndex, int col, int row, WideString& text) const {
    if (sheetIndex < 0 || sheetIndex >= sheets_->Count()) return;
    const TSheet& sheet = sheets_->Items(sheetIndex);
    if (kind == 0) text = sheet.Name();
    else if (kind == 1) text = sheet.AsString(col, row);
}

WideString TXLSMini::DecodeFormula(const TFormulaCell& cell, int sheetIndex, int col, int row) const {
    return formulaHandler_->DecodeFormula(cell.Tokens, cell.TokenLength(), row, col, sheetIndex);
}

}  // namespace vesk
