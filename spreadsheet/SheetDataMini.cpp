#include "SheetDataMini.h"

#include <cstring>
#include <span>

#include "BIFFRecsMini.h"
#include "CodePage.h"
#include "EXLSError.h"
#include "RecordFields.h"
#include "XLSMini.h"
#include "XLSUtilsMini.h"

namespace vesk {

namespace {

const char* const WrongCell = "Cell is missing/is of wrong type";

// Bytes of an ARRAY body before its tokens (BIFF5 and BIFF8).
constexpr std::size_t ArrayHead = 14;

constexpr std::size_t MaxSheetName = 255;

WideString numberText(double value, const TXLSMini* owner) {
    std::string text = FloatToText(value);
    const char16_t separator = owner ? owner->FormulaSettings().DecimalSeparator : u'.';
    WideString out;
    out.reserve(text.size());
    for (char c : text) out.push_back(c == '.' ? separator : static_cast<char16_t>(c));
    return out;
}

WideString errorText(std::uint8_t index) {
    const char* text = index < XLSErrorTexts.size() ? XLSErrorTexts[index] : "";
    return WideString(text, text + std::strlen(text));
}

std::vector<std::uint8_t> copyBytes(const std::uint8_t* data, std::size_t length) {
    return length ? std::vector<std::uint8_t>(data, data + length) : std::vector<std::uint8_t>{};
}

}  // namespace

// ------------------------------------------------------------ TBasicSheet

TBasicSheet::TBasicSheet(TSheets& collection, int id) : collection_(collection), id_(id) {
    const std::string name = "Sheet" + std::to_string(id + 1);
    name_.assign(name.begin(), name.end());
}

bool TBasicSheet::SetName(std::u16string_view name) {
    // What other programs refuse or rename on load is refused here.
    const char16_t* why = nullptr;
    if (name.empty()) why = u"Sheet name is empty";
    else if (name.size() > 31) why = u"Sheet name is longer than 31 characters";
    else if (name.find_first_of(u"[]:*?/\\") != std::u16string_view::npos)
        why = u"Sheet name holds one of the characters [ ] : * ? / \\";
    if (why) {
        if (TXLSMini* owner = collection_.Owner()) owner->Notify(why);
        return false;
    }
    return SetNameAsRead(name);
}

bool TBasicSheet::SetNameAsRead(std::u16string_view name) {
    const WideString upper = WideUpperCase(name);
    if (upper == WideUpperCase(name_)) return true;
    const bool taken = collection_.SheetByName(name) != nullptr;
    if (taken || name.size() > MaxSheetName) {
        if (TXLSMini* owner = collection_.Owner()) {
            if (taken) owner->Notify(u"Sheet name \"" + WideString(name) + u"\" allready exists");
            else owner->Notify(u"Sheet name is longer than 255 characters");
        }
        return false;
    }
    name_ = name;
    return true;
}

// ------------------------------------------------------------ TSheet

TSheet::TSheet(TSheets& collection, int id)
    : TBasicSheet(collection, id),
      cells_(std::make_unique<TCellStorage>()),
      records_ptr_(std::make_unique<TRecordStorageSheet>()),
      records_(*records_ptr_) {
    TXLSMini* o = collection.Owner();
    printSettings_ = std::make_unique<TPrintSettings>(records_, static_cast<TPaperSize>(o ? o->DefaultPaperSize() : 9));
    selection_ = std::make_unique<TSelection>(records_);
}

std::uint32_t TSheet::key(int col, int row) const {
    if (col < 0 || col > 255 || row < 0 || row > 65535)
        throw EXLSError(XLSErrorKind::Usage, "Cell position out of range (column " + std::to_string(col) + ", row " +
                                                 std::to_string(row) + ")");
    return CellKey(col, row);
}

TXLSMini* TSheet::owner() const { return collection_.Owner(); }

TSSTMini& TSheet::sst() const { return collection_.SST(); }

int TSheet::Index() const { return collection_.IndexOf(this); }

TCell* TSheet::Cell(int col, int row) const { return cells_->Find(key(col, row)); }

TCellType TSheet::CellType(int col, int row) const {
    const TCell* cell = Cell(col, row);
    return cell ? static_cast<TCellType>(cell->CellType() & 127) : ctNone;
}

double TSheet::AsFloat(int col, int row) const {
    const TCell* cell = Cell(col, row);
    if (!cell) return 0.0;
    switch (cell->CellType() & 127) {
        case ctFloat: return static_cast<const TFloatCell*>(cell)->Value;
        case ctNumberFormula: return static_cast<const TNumberFormulaCell*>(cell)->Value;
        default: return 0.0;
    }
}

WideString TSheet::AsString(int col, int row) const {
    const TCell* cell = Cell(col, row);
    if (!cell) return {};
    const TXLSMini* o = owner();
    auto boolText = [o](std::uint8_t v) -> WideString {
        if (!o) return v ? u"TRUE" : u"FALSE";
        return v ? o->StrTRUE() : o->StrFALSE();
    };
    const TCellType code = cell->CellType() & 127;
    if (code >= ctNumberFormula && code <= ctErrorFormula && o && o->ShowFormulas) {
        return AsFormula(col, row);
    }
    switch (code) {
        case ctFloat: return numberText(static_cast<const TFloatCell*>(cell)->Value, o);
        case ctString: {
            const TSSTEntry* entry = static_cast<const TStringCell*>(cell)->Entry;
            return entry ? TSSTMini::Text(*entry) : WideString{};
        }
        case ctBoolean: return boolText(static_cast<const TBooleanCell*>(cell)->Value);
        case ctError: return errorText(static_cast<const TErrorCell*>(cell)->ErrorIndex);
        case ctNumberFormula: return numberText(static_cast<const TNumberFormulaCell*>(cell)->Value, o);
        case ctStringFormula: return static_cast<const TStringFormulaCell*>(cell)->Value;
        case ctBooleanFormula: return boolText(static_cast<const TBooleanFormulaCell*>(cell)->Value);
        case ctErrorFormula: return errorText(static_cast<const TErrorFormulaCell*>(cell)->ErrorIndex);
        default: return {};
    }
}

bool TSheet::AsBoolean(int col, int row) const {
    const TCell* cell = Cell(col, row);
    if (!cell || (cell->CellType() & 127) != ctBoolean) throw EXLSError(XLSErrorKind::Usage, WrongCell);
    return static_cast<const TBooleanCell*>(cell)->Value != 0;
}

WideString TSheet::AsFormula(int col, int row) const {
    const TCell* cell = Cell(col, row);
    const TCellType code = cell ? static_cast<TCellType>(cell->CellType() & 127) : ctNone;
    if (code < ctNumberFormula || code > ctArrayFormula) throw EXLSError(XLSErrorKind::Usage, WrongCell);
    const TXLSMini* o = owner();
    if (!o) throw EXLSError(XLSErrorKind::Usage, "The sheet belongs to no workbook");
    const auto& formula = *static_cast<const TFormulaCell*>(cell);
    if (const TArrayFormulaCell* array = arrayFormulaOf(formula, col, row)) {
        // The ARRAY body: the range (rows u16, columns u8), u16 flags, 4
        // unused bytes, the token count (u16), the tokens, their array data.
        const std::vector<std::uint8_t>& a = array->ArrayTokens;
        const std::size_t length = a[12] | (a[13] << 8);
        return u"{=" +
               o->FormulaHandler().DecodeFormula(std::span<const std::uint8_t>(a).subspan(ArrayHead), length,
                                                 a[0] | (a[1] << 8), a[4], Index()) +
               u"}";
    }
    return o->DecodeFormula(formula, Index(), col, row);
}

const TArrayFormulaCell* TSheet::arrayFormulaOf(const TFormulaCell& cell, int col, int row) const {
    const TFormulaCell* first = &cell;
    if ((cell.CellType() & 127) != ctArrayFormula) {
        // tExp: the row (u16) and column of the range's first cell.
        const std::vector<std::uint8_t>& t = cell.Tokens;
        if (cell.TokenLength() < 4 || t[0] != 0x01) return nullptr;
        const TCell* named = Cell(t[3], t[1] | (t[2] << 8));
        if (!named || (named->CellType() & 127) != ctArrayFormula) return nullptr;
        first = static_cast<const TFormulaCell*>(named);
    }
    const auto* array = static_cast<const TArrayFormulaCell*>(first);
    const std::vector<std::uint8_t>& a = array->ArrayTokens;
    if (a.size() < ArrayHead || ArrayHead + (a[12] | (a[13] << 8)) > a.size()) return nullptr;
    const int firstRow = a[0] | (a[1] << 8), lastRow = a[2] | (a[3] << 8);
    if (row < firstRow || row > lastRow || col < a[4] || col > a[5]) return nullptr;
    return array;
}

template <class C, class... A>
C& TSheet::emplace(std::uint32_t key, A&&... args) {
    return cells_->Emplace<C>(key, key, std::forward<A>(args)...);
}

void TSheet::SetAsString(int col, int row, std::u16string_view value) {
    const std::uint32_t k = key(col, row);
    TSSTEntry* entry = sst().AddText(value);
    emplace<TStringCell>(k, 15, entry);
}

void TSheet::AddBlank(int col, int row, std::uint16_t xf) { emplace<TBlankCell>(key(col, row), xf); }

void TSheet::AddBoolean(int col, int row, std::uint8_t value, std::uint16_t xf) {
    emplace<TBooleanCell>(key(col, row), xf, value);
}

void TSheet::AddError(int col, int row, std::uint8_t errorIndex, std::uint16_t xf) {
    emplace<TErrorCell>(key(col, row), xf, errorIndex);
}

void TSheet::AddFloat(int col, int row, double value, std::uint16_t xf) {
    emplace<TFloatCell>(key(col, row), xf, value);
}

void TSheet::AddString(int col, int row, std::u16string_view text, std::uint16_t xf,
                       std::span<const std::uint8_t> runs, std::span<const std::uint8_t> phonetic) {
    const std::uint32_t k = key(col, row);
    emplace<TStringCell>(k, xf, sst().AddRichText(text, runs, phonetic));
}

void TSheet::AddStringIndex(int col, int row, std::uint32_t index, std::uint16_t xf) {
    const std::uint32_t k = key(col, row);
    TSSTEntry* entry = sst().EntryByFileIndex(index);
    ++entry->RefCount;
    emplace<TStringCell>(k, xf, entry);
}

TNumberFormulaCell& TSheet::AddNumberFormula(int col, int row, double value, std::uint16_t xf,
                                             const std::uint8_t* tokens, std::size_t length, std::size_t extra) {
    auto& cell = emplace<TNumberFormulaCell>(key(col, row), xf, copyBytes(tokens, length + extra), value);
    cell.ExtraLength = static_cast<std::uint32_t>(extra);
    return cell;
}

TStringFormulaCell& TSheet::AddStringFormula(int col, int row, std::u16string_view value, std::uint16_t xf,
                                             const std::uint8_t* tokens, std::size_t length, std::size_t extra) {
    auto& cell = emplace<TStringFormulaCell>(key(col, row), xf, copyBytes(tokens, length + extra),
                                                     WideString(value));
    cell.ExtraLength = static_cast<std::uint32_t>(extra);
    return cell;
}

TBooleanFormulaCell& TSheet::AddBooleanFormula(int col, int row, std::uint8_t value, std::uint16_t xf,
                                               const std::uint8_t* tokens, std::size_t length, std::size_t extra) {
    auto& cell = emplace<TBooleanFormulaCell>(key(col, row), xf, copyBytes(tokens, length + extra), value);
    cell.ExtraLength = static_cast<std::uint32_t>(extra);
    return cell;
}

TErrorFormulaCell& TSheet::AddErrorFormula(int col, int row, std::uint8_t code, std::uint16_t xf,
                                           const std::uint8_t* tokens, std::size_t length, std::size_t extra) {
    auto& cell = emplace<TErrorFormulaCell>(key(col, row), xf, copyBytes(tokens, length + extra),
                                                    ErrorCodeToIndex(code));
    cell.ExtraLength = static_cast<std::uint32_t>(extra);
    return cell;
}

TArrayFormulaCell& TSheet::AddArrayFormula(int col, int row, double value, std::uint16_t xf,
                                           const std::uint8_t* tokens, std::size_t length,
                                           const std::uint8_t* arrayData, std::size_t arrayLength) {
    auto& cell = emplace<TArrayFormulaCell>(key(col, row), xf, copyBytes(tokens, length),
                                                    copyBytes(arrayData, arrayLength), value);
    return cell;
}

std::unique_ptr<TFormulaCell> TSheet::NewFormulaCell(TCellType code, const std::uint8_t* tokens, std::size_t length,
                                                     std::uint32_t key, std::uint16_t xf) {
    std::vector<std::uint8_t> copy = copyBytes(tokens, length);
    switch (code) {
        case ctNumberFormula: return std::make_unique<TNumberFormulaCell>(key, xf, std::move(copy));
        case ctStringFormula: return std::make_unique<TStringFormulaCell>(key, xf, std::move(copy));
        case ctBooleanFormula: return std::make_unique<TBooleanFormulaCell>(key, xf, std::move(copy));
        case ctErrorFormula: return std::make_unique<TErrorFormulaCell>(key, xf, std::move(copy));
        default: throw EXLSError(XLSErrorKind::Usage, "Invalid Formula cell type");
    }
}

// ---- find

void TSheet::ResetFind() {
    findCol_ = 0;
    findRow_ = 0;
    findPos_ = 0;
}

bool TSheet::FindText(std::u16string_view text, bool ignoreCase) {
    if (findPos_ >= 1) ++findPos_;
    const WideString wanted = ignoreCase ? WideUpperCase(text) : WideString(text);
    const std::uint32_t start = CellKey(findCol_, findRow_);
    cells_->BeginIterate();
    while (TCell* cell = cells_->Next()) {
        if (cell->Key < start) continue;
        if (cell->Key != start) findPos_ = -1;
        if ((cell->CellType() & 127) == ctString) {
            const TSSTEntry* entry = static_cast<const TStringCell*>(cell)->Entry;
            WideString s = entry ? TSSTMini::Text(*entry) : WideString{};
            const std::size_t from = findPos_ >= 1 ? static_cast<std::size_t>(findPos_ - 1) : 0;
            if (from <= s.size()) {
                s.erase(0, from);
                if (ignoreCase) s = WideUpperCase(s);
                const std::size_t q = s.find(wanted);
                if (q != WideString::npos) {
                    findCol_ = static_cast<int>(cell->Key & 255);
                    findRow_ = static_cast<int>(cell->Key >> 8);
                    findPos_ = findPos_ < 1 ? static_cast<int>(q + 1) : findPos_ + static_cast<int>(q);
                    return true;
                }
            }
        }
        findPos_ = -1;
    }
    ResetFind();
    return false;
}

// ---- used area

std::uint16_t TSheet::FirstCol() const { return fieldU16(records_.Dimensions(), 8); }

std::uint16_t TSheet::FirstRow() const { return fieldU16(records_.Dimensions(), 0); }

std::uint16_t TSheet::LastCol() const {
    const std::uint16_t limit = fieldU16(records_.Dimensions(), 10);
    return limit == 0 ? 0 : static_cast<std::uint16_t>(limit - 1);
}

std::uint16_t TSheet::LastRow() const {
    const TRawRecord& r = records_.Dimensions();
    const std::uint32_t limit = TRecordBody(r.Data, r.Id).u32(4);
    return limit < 1 ? 0 : static_cast<std::uint16_t>(limit - 1);
}

void TSheet::SetFirstCol(std::uint16_t v) { setFieldU16(records_.Dimensions(), 8, v); }

void TSheet::SetFirstRow(std::uint32_t v) {
    TRawRecord& r = records_.Dimensions();
    setFieldU16(r, 0, static_cast<std::uint16_t>(v));
    setFieldU16(r, 2, static_cast<std::uint16_t>(v >> 16));
}

void TSheet::SetColLimit(std::uint16_t v) { setFieldU16(records_.Dimensions(), 10, v); }

void TSheet::SetRowLimit(std::uint32_t v) {
    TRawRecord& r = records_.Dimensions();
    setFieldU16(r, 4, static_cast<std::uint16_t>(v));
    setFieldU16(r, 6, static_cast<std::uint16_t>(v >> 16));
}

void TSheet::CalcDimensions() {
    cells_->BeginIterate();
    const bool empty = cells_->Next() == nullptr;
    cells_->CalcBounds();
    SetFirstCol(empty ? 0 : static_cast<std::uint16_t>(cells_->FirstCol));
    SetFirstRow(empty ? 0 : static_cast<std::uint32_t>(cells_->FirstRow));
    SetColLimit(empty ? 0 : static_cast<std::uint16_t>(cells_->LastCol + 1));
    SetRowLimit(empty ? 0 : static_cast<std::uint32_t>(cells_->LastRow + 1));
}

// ---- lifecycle

void TSheet::Reset() {
    records_.SetDefaultData();
    RecordsLoaded = false;
    cellArea_.Clear();
    printSettings_->Reset();
    selection_->Reset();
    ClearCells();
}

void TSheet::ClearCells() { cells_->Clear(); }

// ------------------------------------------------------------ TSheets

TSheets::TSheets(TXLSMini* owner) : owner_(owner) {
    if (owner) sst_.SetMaxBodySize(owner->MaxBodySize());
}

TSheet& TSheets::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EXLSError(XLSErrorKind::Usage, "Sheet index " + std::to_string(index) + " out of range (" +
                                                 std::to_string(Count()) + " sheets)");
    return *sheets_[static_cast<std::size_t>(index)];
}

TSheet& TSheets::Add() {
    sheets_.push_back(std::make_unique<TSheet>(*this, nextId_++));
    return *sheets_.back();
}

void TSheets::Clear() {
    sst_.Clear();
    for (auto& sheet : sheets_) sheet->Reset();
    sheets_.clear();
}

void TSheets::Reset() {
    Clear();
    Add();
}

TSheet* TSheets::SheetByName(std::u16string_view name) const {
    const WideString upper = WideUpperCase(name);
    for (const auto& sheet : sheets_)
        if (WideUpperCase(sheet->Name()) == upper) return sheet.get();
    return nullptr;
}

int TSheets::IndexOf(const TSheet* sheet) const {
    for (std::size_t i = 0; i < sheets_.size(); ++i)
        if (sheets_[i].get() == sheet) return static_cast<int>(i);
    return -1;
}

}  // namespace vesk
