#include "RecordStorageMini.h"

#include <algorithm>
#include <cstdio>

#include "BIFFRecsMini.h"
#include "EXLSError.h"
#include "XLSBytes.h"

namespace vesk {

namespace {

std::string hex4(std::uint16_t id) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%.4X", static_cast<unsigned>(id));
    return buffer;
}

// Every BOF (BIFF2 to BIFF8) stands for the one default BOF.
std::uint16_t defaultIdOf(std::uint16_t id) { return IsBofId(id) ? BIFFID_BOF : id; }

bool isPlaceholder(std::uint16_t id) { return id >= 0x8000 && id != INTID_CHARTROOT; }

std::vector<std::uint8_t> words(std::initializer_list<std::uint16_t> values) {
    std::vector<std::uint8_t> out;
    for (std::uint16_t v : values) appendU16(out, v);
    return out;
}

std::vector<std::uint8_t> bofBody(std::uint16_t type) {
    std::vector<std::uint8_t> out = words({0x0600, type, 6319, 1997});
    appendU32(out, 0x000080C9);
    appendU32(out, 0x00000106);
    return out;
}

}  // namespace

// ------------------------------------------------------------ default sets

const std::vector<TDefaultRecord>& GlobalsDefaultRecords() {
    static const std::vector<TDefaultRecord> records = [] {
        std::vector<std::uint8_t> writeAccess(112, 0x20);
        writeAccess[0] = 0;
        writeAccess[1] = 0;
        writeAccess[2] = 0;
        std::vector<std::uint8_t> recalcId = words({0x01C1, 0});
        appendU32(recalcId, 0x00FFFFFF);
        return std::vector<TDefaultRecord>{
            {BIFFID_BOF, bofBody(0x0005)},
            {BIFFID_WRITEACCESS, writeAccess},
            {BIFFID_CODEPAGE, words({1200})},
            {BIFFID_DSF, words({0})},
            {BIFFID_TABID, {}},
            {BIFFID_FNGROUPCOUNT, words({14})},
            {BIFFID_WINDOWPROTECT, words({0})},
            {BIFFID_PROTECT, words({0})},
            {BIFFID_PASSWORD, words({0})},
            {BIFFID_PROT4REV, words({0})},
            {BIFFID_WINDOW1, words({100, 100, 10000, 7000, 0x0038, 0, 0, 1, 600})},
            {BIFFID_BACKUP, words({0})},
            {BIFFID_HIDEOBJ, words({0})},
            {BIFFID_1904, words({0})},
            {BIFFID_PRECISION, words({1})},
            {BIFFID_REFRESHALL, words({0})},
            {BIFFID_BOOKBOOL, words({0})},
            {INTID_FORMATS, {}},
            {INTID_SHEETS, {}},
            {BIFFID_COUNTRY, words({1, 46})},
            {BIFFID_RECALCID, recalcId},
            {INTID_NAMES, {}},
            {INTID_GLOBALS4, {}},
            {INTID_SST, {}},
            {BIFFID_EOF, {}},
        };
    }();
    return records;
}

const std::vector<TDefaultRecord>& SheetDefaultRecords() {
    static const std::vector<TDefaultRecord> records = [] {
        std::vector<std::uint8_t> delta;
        appendF64(delta, 0.001);
        std::vector<std::uint8_t> setup = words({0, 100, 1, 1, 1, 0x06B6, 0, 0});
        appendF64(setup, 0.5);
        appendF64(setup, 0.5);
        appendU16(setup, 0);
        std::vector<std::uint8_t> dimensions(14, 0);
        std::vector<std::uint8_t> window2 = words({0x04B6, 0, 0, 64, 0, 0, 0});
        appendU32(window2, 0);
        std::vector<std::uint8_t> selection = {3};
        for (std::uint16_t w : {1, 1, 0, 1, 1, 1}) appendU16(selection, w);
        selection.push_back(1);
        selection.push_back(1);
        return std::vector<TDefaultRecord>{
            {BIFFID_BOF, bofBody(0x0010)},
            {BIFFID_CALCMODE, words({1})},
            {BIFFID_CALCCOUNT, words({100})},
            {BIFFID_REFMODE, words({1})},
            {BIFFID_ITERATION, words({0})},
            {BIFFID_DELTA, delta},
            {BIFFID_SAVERECALC, words({1})},
            {BIFFID_PRINTGRIDLINES, words({0})},
            {BIFFID_PRINTHEADERS, words({0})},
            {BIFFID_GRIDSET, words({1})},
            {BIFFID_GUTS, words({0, 0, 0, 0})},
            {BIFFID_DEFAULTROWHEIGHT, words({0, 255})},
            {BIFFID_WSBOOL, words({0x04C1})},
            {INTID_PAGEBREAKS, {}},
            {INTID_HEADERFOOTER, {}},
            {INTID_MARGINS, {}},
            {BIFFID_HCENTER, words({0})},
            {BIFFID_VCENTER, words({0})},
            {BIFFID_SETUP, setup},
            {BIFFID_PROTECT, words({0})},
            {BIFFID_DEFCOLWIDTH, words({8})},
            {INTID_SHEET4, {}},
            {INTID_CELLS, {}},
            {BIFFID_DIMENSIONS, dimensions},
            {BIFFID_WINDOW2, window2},
            {INTID_SHEET6, {}},
            {BIFFID_SELECTION, selection},
            {BIFFID_EOF, {}},
        };
    }();
    return records;
}

// ------------------------------------------------------------ TBaseRecordStorage

TRawRecord* TBaseRecordStorage::AddRecord(std::uint16_t id, const std::uint8_t* data, std::size_t length) {
    if (length > 0xFFFF) throw EXLSError(XLSErrorKind::Usage, "Record longer than 65535 bytes", id);
    auto record = std::make_unique<TRawRecord>();
    record->Id = id;
    if (length) record->Data.assign(data, data + length);
    records_.push_back(std::move(record));
    return records_.back().get();
}

void TBaseRecordStorage::Clear() { records_.clear(); }

void TBaseRecordStorage::ReadToEOF(TXLSStream& stream) {
    TRecordHeader header;
    std::vector<std::uint8_t> body;
    while (stream.ReadRecord(header, body)) {
        AddRecord(header.Id, body.data(), body.size());
        if (header.Id == BIFFID_EOF) break;
    }
}

void TBaseRecordStorage::WriteRecord(std::size_t index, TXLSStream& stream) const {
    const TRawRecord* record = records_.at(index).get();
    if (!record) return;
    stream.WriteHeader(record->Id, record->Length());
    stream.WriteRaw(record->Data.data(), record->Data.size());
}

void TBaseRecordStorage::WriteRecords(TXLSStream& stream) const {
    for (std::size_t i = 0; i < records_.size(); ++i) WriteRecord(i, stream);
}

// ------------------------------------------------------------ TPackedRecords

void TPackedRecords::AddRecord(std::uint16_t id, const std::uint8_t* data, std::size_t length) {
    if (length > 0xFFFF) throw EXLSError(XLSErrorKind::Usage, "Record longer than 65535 bytes", id);
    if (pieces_.empty() || pieces_.back().size() + 4 + length > pieces_.back().capacity()) {
        // Small for a sheet of a few rows (a book may have thousands of
        // sheets), doubling up to 64 KB.
        const std::size_t size = pieces_.empty() ? 256 : std::min<std::size_t>(65536, 2 * pieces_.back().capacity());
        pieces_.emplace_back();
        pieces_.back().reserve(std::max(size, 4 + length));
    }
    std::vector<std::uint8_t>& piece = pieces_.back();
    appendU16(piece, id);
    appendU16(piece, static_cast<std::uint16_t>(length));
    if (length) piece.insert(piece.end(), data, data + length);
    ++count_;
}

void TPackedRecords::Clear() {
    pieces_.clear();
    count_ = 0;
}

void TPackedRecords::WriteRecords(TXLSStream& stream) const {
    for (const std::vector<std::uint8_t>& piece : pieces_) {
        for (std::size_t at = 0; at < piece.size();) {
            const std::uint16_t id = static_cast<std::uint16_t>(piece[at] | (piece[at + 1] << 8));
            const std::uint16_t length = static_cast<std::uint16_t>(piece[at + 2] | (piece[at + 3] << 8));
            stream.WriteHeader(id, length);
            stream.WriteRaw(piece.data() + at + 4, length);
            at += 4u + length;
        }
    }
}

// ------------------------------------------------------------ TRecordStorageDefault

TRecordStorageDefault::TRecordStorageDefault(const std::vector<TDefaultRecord>& defaults)
    : defaults_(defaults),
      references_(defaults.size(), nullptr),
      matched_(defaults.size(), false),
      read_(defaults.size(), false),
      lacked_(defaults.size(), false) {}

void TRecordStorageDefault::Clear() {
    TBaseRecordStorage::Clear();
    pending_.Clear();
    std::fill(references_.begin(), references_.end(), nullptr);
    std::fill(matched_.begin(), matched_.end(), false);
    std::fill(read_.begin(), read_.end(), false);
    std::fill(lacked_.begin(), lacked_.end(), false);
}

void TRecordStorageDefault::SetDefaultData() {
    Clear();
    for (std::size_t i = 0; i < defaults_.size(); ++i)
        references_[i] = pending_.AddRecord(defaults_[i].Id, defaults_[i].Data.data(), defaults_[i].Data.size());
}

void TRecordStorageDefault::UseDefaults() {
    TBaseRecordStorage::Clear();
    std::fill(matched_.begin(), matched_.end(), false);
    std::fill(read_.begin(), read_.end(), false);
    std::fill(lacked_.begin(), lacked_.end(), false);
    for (const auto& entry : pending_.records_) {
        if (!entry) continue;
        TRawRecord* copy = AddRecord(entry->Id, entry->Data.data(), entry->Data.size());
        MoveDefault(*entry, copy);
        matched_[static_cast<std::size_t>(indexOf(entry->Id))] = true;
    }
}

int TRecordStorageDefault::indexOf(std::uint16_t id) const {
    const std::uint16_t key = defaultIdOf(id);
    for (std::size_t i = 0; i < defaults_.size(); ++i)
        if (defaults_[i].Id == key) return static_cast<int>(i);
    return -1;
}

TRawRecord* TRecordStorageDefault::Reference(std::uint16_t id) const {
    int i = indexOf(id);
    return i < 0 ? nullptr : references_[static_cast<std::size_t>(i)];
}

bool TRecordStorageDefault::Lacked(std::uint16_t id) const {
    int i = indexOf(id);
    return i >= 0 && lacked_[static_cast<std::size_t>(i)];
}

void TRecordStorageDefault::MoveDefault(const TRawRecord& record, TRawRecord* block) {
    int i = indexOf(record.Id);
    if (i < 0) throw EXLSError(XLSErrorKind::Usage, "[int] Unknown move default record " + hex4(record.Id), record.Id);
    references_[static_cast<std::size_t>(i)] = block;
}

void TRecordStorageDefault::UpdateDefault(std::uint16_t id, const std::uint8_t* data, std::size_t length) {
    if (indexOf(id) < 0 || isPlaceholder(id))
        throw EXLSError(XLSErrorKind::Usage, "[int] Unknown default record " + hex4(id), id);
    match(id, data, length, false);
}

void TRecordStorageDefault::UpdateInternal(std::uint16_t id) {
    if (indexOf(id) < 0 || !isPlaceholder(id))
        throw EXLSError(XLSErrorKind::Usage, "[int] Unknown int. default record " + hex4(id), id);
    match(id, nullptr, 0, true);
}

void TRecordStorageDefault::match(std::uint16_t id, const std::uint8_t* data, std::size_t length, bool internal) {
    const std::size_t index = static_cast<std::size_t>(indexOf(id));
    if (matched_[index]) {
        // A placeholder stays where it was first placed.
        if (internal) return;
        // Met again (several WINDOW1 or SELECTION records): kept raw where
        // it stands.
        if (read_[index]) {
            AddRecord(id, data, length);
            return;
        }
        // Placed ahead of a later record that the file holds first
        // (PRINTGRIDLINES after WSBOOL): the file's data goes over the
        // default, which the accessors name and the writer writes.
        read_[index] = true;
        lacked_[index] = false;
        copyOver(*references_[index], data, length);
        return;
    }
    const std::uint16_t key = defaultIdOf(id);
    std::size_t j = 0;
    auto& pending = pending_.records_;
    while (j < pending.size() && !(pending[j] && pending[j]->Id == key)) ++j;
    if (j == pending.size())
        throw EXLSError(XLSErrorKind::Format, "Excpected default record " + hex4(key) + " not found.", id);
    // Every default before the matched one that the file lacked takes its
    // default place before it.
    TRawRecord* last = nullptr;
    for (std::size_t k = 0; k <= j; ++k) {
        if (!pending[k]) continue;
        records_.push_back(std::move(pending[k]));
        last = records_.back().get();
        MoveDefault(*last, last);
        const std::size_t placed = static_cast<std::size_t>(indexOf(last->Id));
        matched_[placed] = true;
        lacked_[placed] = k < j;
    }
    if (internal) return;
    read_[index] = true;
    copyOver(*last, data, length);
}

void TRecordStorageDefault::copyOver(TRawRecord& record, const std::uint8_t* data, std::size_t length) {
    // A shorter record keeps the default's tail; a longer one enlarges it.
    if (length > record.Data.size()) record.Data.resize(length);
    if (length) std::copy(data, data + length, record.Data.begin());
}

TRawRecord& TRecordStorageDefault::recordAt(int index, std::uint16_t id) const {
    TRawRecord* r = index < 0 ? nullptr : references_[static_cast<std::size_t>(index)];
    if (!r) throw EXLSError(XLSErrorKind::Usage, "[int] Unknown default record " + hex4(id), id);
    return *r;
}

TRawRecord& TRecordStorageDefault::record(std::uint16_t id) const {
    TRawRecord* r = Reference(id);
    if (!r) throw EXLSError(XLSErrorKind::Usage, "[int] Unknown default record " + hex4(id), id);
    return *r;
}

std::uint16_t TRecordStorageDefault::word(std::uint16_t id) const {
    const TRawRecord& r = record(id);
    return TRecordBody(r.Data, r.Id).u16(0);
}

void TRecordStorageDefault::setWord(std::uint16_t id, std::uint16_t v) {
    TRawRecord& r = record(id);
    lacked_[static_cast<std::size_t>(indexOf(id))] = false;
    if (r.Data.size() < 2) r.Data.resize(2);
    r.Data[0] = static_cast<std::uint8_t>(v);
    r.Data[1] = static_cast<std::uint8_t>(v >> 8);
}

// ------------------------------------------------------------ globals

TRecordStorageGlobals::TRecordStorageGlobals() : TRecordStorageDefault(GlobalsDefaultRecords()) { SetDefaultData(); }

bool TRecordStorageGlobals::Backup() const { return flag(BIFFID_BACKUP); }
void TRecordStorageGlobals::SetBackup(bool v) { setFlag(BIFFID_BACKUP, v); }
bool TRecordStorageGlobals::BookBool() const { return flag(BIFFID_BOOKBOOL); }
void TRecordStorageGlobals::SetBookBool(bool v) { setFlag(BIFFID_BOOKBOOL, v); }
bool TRecordStorageGlobals::Precision() const { return flag(BIFFID_PRECISION); }
void TRecordStorageGlobals::SetPrecision(bool v) { setFlag(BIFFID_PRECISION, v); }
bool TRecordStorageGlobals::RefreshAll() const { return flag(BIFFID_REFRESHALL); }
void TRecordStorageGlobals::SetRefreshAll(bool v) { setFlag(BIFFID_REFRESHALL, v); }
bool TRecordStorageGlobals::WindowProtect() const { return flag(BIFFID_WINDOWPROTECT); }
void TRecordStorageGlobals::SetWindowProtect(bool v) { setFlag(BIFFID_WINDOWPROTECT, v); }
std::uint16_t TRecordStorageGlobals::HideObj() const { return word(BIFFID_HIDEOBJ); }
void TRecordStorageGlobals::SetHideObj(std::uint16_t v) { setWord(BIFFID_HIDEOBJ, v); }
TRawRecord& TRecordStorageGlobals::Country() const { return record(BIFFID_COUNTRY); }
TRawRecord& TRecordStorageGlobals::RecalcId() const { return record(BIFFID_RECALCID); }
TRawRecord& TRecordStorageGlobals::Window1() const { return record(BIFFID_WINDOW1); }
TRawRecord& TRecordStorageGlobals::Bof() const { return record(BIFFID_BOF); }

WideString TRecordStorageGlobals::UserName() const {
    const TRawRecord& r = record(BIFFID_WRITEACCESS);
    WideString name;
    for (std::size_t i = 3; i < r.Data.size() && i < 3 + 109; ++i) name.push_back(r.Data[i]);
    auto blank = [](char16_t c) { return c <= 0x20; };
    std::size_t b = 0, e = name.size();
    while (b < e && blank(name[b])) ++b;
    while (e > b && blank(name[e - 1])) --e;
    return name.substr(b, e - b);
}

void TRecordStorageGlobals::SetUserName(std::u16string_view name) {
    TRawRecord& r = record(BIFFID_WRITEACCESS);
    const std::size_t n = std::min<std::size_t>(name.size(), 109);
    r.Data.assign(112, 0x20);
    r.Data[0] = static_cast<std::uint8_t>(n);
    r.Data[1] = 0;
    r.Data[2] = 0;
    for (std::size_t i = 0; i < n; ++i) r.Data[3 + i] = name[i] > 255 ? '?' : static_cast<std::uint8_t>(name[i]);
}

// ------------------------------------------------------------ sheet

TRecordStorageSheet::TRecordStorageSheet()
    : TRecordStorageDefault(SheetDefaultRecords()), dimensionsAt_(indexOf(BIFFID_DIMENSIONS)) {
    SetDefaultData();
}

std::uint16_t TRecordStorageSheet::CalcMode() const { return word(BIFFID_CALCMODE); }
void TRecordStorageSheet::SetCalcMode(std::uint16_t v) { setWord(BIFFID_CALCMODE, v); }
std::uint16_t TRecordStorageSheet::CalcCount() const { return word(BIFFID_CALCCOUNT); }
void TRecordStorageSheet::SetCalcCount(std::uint16_t v) { setWord(BIFFID_CALCCOUNT, v); }
std::uint16_t TRecordStorageSheet::RefMode() const { return word(BIFFID_REFMODE); }
void TRecordStorageSheet::SetRefMode(std::uint16_t v) { setWord(BIFFID_REFMODE, v); }
std::uint16_t TRecordStorageSheet::WsBool() const { return word(BIFFID_WSBOOL); }
void TRecordStorageSheet::SetWsBool(std::uint16_t v) { setWord(BIFFID_WSBOOL, v); }
std::uint16_t TRecordStorageSheet::DefColWidth() const { return word(BIFFID_DEFCOLWIDTH); }
void TRecordStorageSheet::SetDefColWidth(std::uint16_t v) { setWord(BIFFID_DEFCOLWIDTH, v); }
bool TRecordStorageSheet::Iteration() const { return flag(BIFFID_ITERATION); }
void TRecordStorageSheet::SetIteration(bool v) { setFlag(BIFFID_ITERATION, v); }
bool TRecordStorageSheet::SaveRecalc() const { return flag(BIFFID_SAVERECALC); }
void TRecordStorageSheet::SetSaveRecalc(bool v) { setFlag(BIFFID_SAVERECALC, v); }
bool TRecordStorageSheet::PrintGridlines() const { return flag(BIFFID_PRINTGRIDLINES); }
void TRecordStorageSheet::SetPrintGridlines(bool v) { setFlag(BIFFID_PRINTGRIDLINES, v); }
bool TRecordStorageSheet::PrintHeaders() const { return flag(BIFFID_PRINTHEADERS); }
void TRecordStorageSheet::SetPrintHeaders(bool v) { setFlag(BIFFID_PRINTHEADERS, v); }
bool TRecordStorageSheet::HCenter() const { return flag(BIFFID_HCENTER); }
void TRecordStorageSheet::SetHCenter(bool v) { setFlag(BIFFID_HCENTER, v); }
bool TRecordStorageSheet::VCenter() const { return flag(BIFFID_VCENTER); }
void TRecordStorageSheet::SetVCenter(bool v) { setFlag(BIFFID_VCENTER, v); }

double TRecordStorageSheet::Delta() const {
    const TRawRecord& r = record(BIFFID_DELTA);
    return TRecordBody(r.Data, r.Id).f64(0);
}

void TRecordStorageSheet::SetDelta(double v) {
    TRawRecord& r = record(BIFFID_DELTA);
    if (r.Data.size() < 8) r.Data.resize(8);
    MutableByteView(r.Data.data(), r.Data.size(), "DELTA").setF64(0, v);
}

TRawRecord& TRecordStorageSheet::Guts() const { return record(BIFFID_GUTS); }
TRawRecord& TRecordStorageSheet::DefaultRowHeight() const { return record(BIFFID_DEFAULTROWHEIGHT); }
TRawRecord& TRecordStorageSheet::Setup() const { return record(BIFFID_SETUP); }
TRawRecord& TRecordStorageSheet::Window2() const { return record(BIFFID_WINDOW2); }
TRawRecord& TRecordStorageSheet::Selection() const { return record(BIFFID_SELECTION); }
TRawRecord& TRecordStorageSheet::Bof() const { return record(BIFFID_BOF); }

// ------------------------------------------------------------ charts

TChartRecord::TChartRecord(TChartRecord* parent, std::uint16_t id, std::vector<std::uint8_t> data)
    : parent_(parent), id_(id), data_(std::move(data)) {}

TChartRecord* TChartRecord::Add(std::uint16_t id, std::vector<std::uint8_t> data) {
    if (data.size() > 0xFFFF) throw EXLSError(XLSErrorKind::Usage, "Record longer than 65535 bytes", id);
    children_.push_back(std::make_unique<TChartRecord>(this, id, std::move(data)));
    return children_.back().get();
}

void TChartRecord::ReadRecords(TXLSStream& stream) {
    int depth = 1;
    TRecordHeader header;
    std::vector<std::uint8_t> body;
    while (stream.ReadRecord(header, body)) {
        Add(header.Id, body);
        if (header.Id == BIFFID_CHART_BEGIN) ++depth;
        if (header.Id == BIFFID_CHART_END && --depth == 0) break;
        if (header.Id == BIFFID_EOF) break;
    }
}

void TChartRecord::WriteRecords(TXLSStream& stream) const {
    for (const auto& child : children_) {
        stream.WriteHeader(child->id_, static_cast<std::uint16_t>(child->data_.size()));
        stream.WriteRaw(child->data_.data(), child->data_.size());
        if (!child->children_.empty()) {
            stream.WriteHeader(BIFFID_CHART_BEGIN, 0);
            child->WriteRecords(stream);
            stream.WriteHeader(BIFFID_CHART_END, 0);
        }
    }
}

}  // namespace vesk
