// Raw BIFF records kept in file order and written back unchanged, with the
// default record sets of the workbook globals and of a worksheet: a new
// workbook writes the defaults, a read one merges its records into their
// places. Placeholder records (0x8001.., 0x8101..) mark where the writer
// generates records from the model. Charts are raw record lists of their own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "WideString.h"
#include "XLSStreamMini.h"

namespace vesk {

struct TRawRecord {
    std::uint16_t Id = 0;
    std::vector<std::uint8_t> Data;

    std::uint16_t Length() const { return static_cast<std::uint16_t>(Data.size()); }
};

class TBaseRecordStorage {
public:
    TBaseRecordStorage() = default;
    virtual ~TBaseRecordStorage() = default;
    TBaseRecordStorage(const TBaseRecordStorage&) = delete;
    TBaseRecordStorage& operator=(const TBaseRecordStorage&) = delete;

    TRawRecord* AddRecord(std::uint16_t id, const std::uint8_t* data, std::size_t length);
    virtual void Clear();
    // Appends records until a header cannot be read whole or an EOF record
    // has been appended; a body cut short is a Format error.
    void ReadToEOF(TXLSStream& stream);
    void WriteRecord(std::size_t index, TXLSStream& stream) const;
    void WriteRecords(TXLSStream& stream) const;

    std::size_t Count() const { return records_.size(); }
    // nullptr for an entry already taken out (pending defaults only).
    TRawRecord* Items(std::size_t index) const { return records_.at(index).get(); }

protected:
    friend class TRecordStorageDefault;
    std::vector<std::unique_ptr<TRawRecord>> records_;
};

// Raw records packed one after another (u16 id, u16 length, the body) in
// pieces of up to 64 KB, without a heap block each: the ROW and COLINFO
// records of a sheet's cell area, one per row of a big sheet.
class TPackedRecords {
public:
    void AddRecord(std::uint16_t id, const std::uint8_t* data, std::size_t length);
    void Clear();
    std::size_t Count() const { return count_; }
    // Each record as it was added, in order.
    void WriteRecords(TXLSStream& stream) const;

private:
    std::vector<std::vector<std::uint8_t>> pieces_;
    std::size_t count_ = 0;
};

class TRecordStorage : public TBaseRecordStorage {
public:
    virtual void SetDefaultData() = 0;
    // 0 for the workbook globals, -1 for a sheet.
    virtual int DefaultKind() const = 0;
    // Matches a record read from a file against the default set.
    virtual void UpdateDefault(std::uint16_t id, const std::uint8_t* data, std::size_t length) = 0;
    // Places a placeholder record.
    virtual void UpdateInternal(std::uint16_t id) = 0;
};

// One record of a default set: its id and its default body.
struct TDefaultRecord {
    std::uint16_t Id;
    std::vector<std::uint8_t> Data;
};

class TRecordStorageDefault : public TRecordStorage {
public:
    TRecordStorageDefault(const std::vector<TDefaultRecord>& defaults);

    void Clear() override;
    void SetDefaultData() override;
    // The list becomes a copy of the pending defaults; the references then
    // name the copies, so accessor changes reach what is written.
    void UseDefaults();
    void UpdateDefault(std::uint16_t id, const std::uint8_t* data, std::size_t length) override;
    void UpdateInternal(std::uint16_t id) override;
    // Lets the reference of the record's id name another block.
    virtual void MoveDefault(const TRawRecord& record, TRawRecord* block);

    const TBaseRecordStorage& Pending() const { return pending_; }
    // The block that stands for the default record of that id now.
    TRawRecord* Reference(std::uint16_t id) const;
    // True while the default of that id is one that the file read lacked
    // and that nothing has set since: other readers assume their own value
    // for a record that is missing.
    bool Lacked(std::uint16_t id) const;

protected:
    // Index of the id in the default set; -1 when it has none.
    int indexOf(std::uint16_t id) const;
    std::uint16_t word(std::uint16_t id) const;
    void setWord(std::uint16_t id, std::uint16_t v);
    bool flag(std::uint16_t id) const { return word(id) == 1; }
    void setFlag(std::uint16_t id, bool v) { setWord(id, v ? 1 : 0); }
    TRawRecord& record(std::uint16_t id) const;
    // The record of the default at index (from indexOf).
    TRawRecord& recordAt(int index, std::uint16_t id) const;

private:
    void match(std::uint16_t id, const std::uint8_t* data, std::size_t length, bool internal);
    static void copyOver(TRawRecord& record, const std::uint8_t* data, std::size_t length);

    const std::vector<TDefaultRecord>& defaults_;
    TBaseRecordStorage pending_;
    std::vector<TRawRecord*> references_;
    // Per default: moved into the list; holding the file's own data; placed
    // for a file that lacked it.
    std::vector<bool> matched_;
    std::vector<bool> read_;
    std::vector<bool> lacked_;
};

// The default set of the workbook globals (25 records).
const std::vector<TDefaultRecord>& GlobalsDefaultRecords();
// The default set of a worksheet (28 records).
const std::vector<TDefaultRecord>& SheetDefaultRecords();

class TRecordStorageGlobals : public TRecordStorageDefault {
public:
    TRecordStorageGlobals();
    int DefaultKind() const override { return 0; }

    bool Backup() const;
    void SetBackup(bool v);
    bool BookBool() const;
    void SetBookBool(bool v);
    bool Precision() const;
    void SetPrecision(bool v);
    bool RefreshAll() const;
    void SetRefreshAll(bool v);
    bool WindowProtect() const;
    void SetWindowProtect(bool v);
    std::uint16_t HideObj() const;
    void SetHideObj(std::uint16_t v);
    TRawRecord& Country() const;
    TRawRecord& RecalcId() const;
    TRawRecord& Window1() const;
    TRawRecord& Bof() const;
    // The name in WRITEACCESS: at most 109 characters, 8-bit (a character
    // above 255 is stored as '?').
    WideString UserName() const;
    void SetUserName(std::u16string_view name);
};

class TRecordStorageSheet : public TRecordStorageDefault {
public:
    TRecordStorageSheet();
    int DefaultKind() const override { return -1; }

    std::uint16_t CalcMode() const;
    void SetCalcMode(std::uint16_t v);
    std::uint16_t CalcCount() const;
    void SetCalcCount(std::uint16_t v);
    std::uint16_t RefMode() const;
    void SetRefMode(std::uint16_t v);
    std::uint16_t WsBool() const;
    void SetWsBool(std::uint16_t v);
    std::uint16_t DefColWidth() const;
    void SetDefColWidth(std::uint16_t v);
    bool Iteration() const;
    void SetIteration(bool v);
    bool SaveRecalc() const;
    void SetSaveRecalc(bool v);
    bool PrintGridlines() const;
    void SetPrintGridlines(bool v);
    bool PrintHeaders() const;
    void SetPrintHeaders(bool v);
    bool HCenter() const;
    void SetHCenter(bool v);
    bool VCenter() const;
    void SetVCenter(bool v);
    double Delta() const;
    void SetDelta(double v);
    TRawRecord& Guts() const;
    TRawRecord& DefaultRowHeight() const;
    TRawRecord& Setup() const;
    // The sheet's bounds, read on every LastCol()/LastRow(): found by the
    // place of DIMENSIONS among the defaults, kept from the start.
    TRawRecord& Dimensions() const { return recordAt(dimensionsAt_, BIFFID_DIMENSIONS); }
    TRawRecord& Window2() const;
    TRawRecord& Selection() const;
    TRawRecord& Bof() const;

private:
    int dimensionsAt_;
};

// A chart kept as raw records: a record with its children (written between
// BEGIN and END records). The root of a chart has the id 0xFFFA and no data.
class TChartRecord {
public:
    TChartRecord(TChartRecord* parent, std::uint16_t id, std::vector<std::uint8_t> data);
    virtual ~TChartRecord() = default;

    std::uint16_t Id() const { return id_; }
    const std::vector<std::uint8_t>& Data() const { return data_; }
    TChartRecord* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<TChartRecord>>& Children() const { return children_; }

    TChartRecord* Add(std::uint16_t id, std::vector<std::uint8_t> data);
    // Reads a chart substream flat into this record's children: BEGIN and
    // END count the depth, the END that brings it to 0 or an EOF ends it,
    // and so does the end of the data.
    void ReadRecords(TXLSStream& stream);
    // Writes the children, each followed by BEGIN, its own children, END
    // when it has any.
    void WriteRecords(TXLSStream& stream) const;

private:
    TChartRecord* parent_;
    std::uint16_t id_;
    std::vector<std::uint8_t> data_;
    std::vector<std::unique_ptr<TChartRecord>> children_;
};

class TChartRecordUpdate : public TChartRecord {
public:
    TChartRecordUpdate() : TChartRecord(nullptr, INTID_CHARTROOT, {}) {}
};

// A chart sheet: its name, the position among the sheets before which it
// is written, and its records.
struct TSheetChart {
    WideString Name;
    int SheetIndex = 0;
    TChartRecordUpdate Records;
};

}  // namespace vesk
