// The byte and record layer under the reader and the writer: a workbook is
// a plain record file (BIFF2 to BIFF4) or a compound document whose stream
// "Book" (BIFF5) or "Workbook" (BIFF8) holds the records. The workbook
// stream is held in memory as bytes; seeks and patches work on them, and the
// file (or the caller's buffer) is written once, whole, when a write closes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "BIFFRecsMini.h"
#include "CompoundFile.h"
#include "XLSUtilsMini.h"

namespace vesk {

struct TRecordHeader {
    std::uint16_t Id = 0;
    std::uint16_t Length = 0;
};

// The other streams and storages of a read compound document, kept so that
// a write puts them back. Storages travel as whole trees.
class TExtraObjects {
public:
    void AddStream(CompoundEntry stream);
    void AddStorage(CompoundEntry storage);
    void SetRootClassId(const std::array<std::uint8_t, 16>& id) { rootClassId_ = id; }
    void Clear();

    const std::vector<CompoundEntry>& Streams() const { return streams_; }
    const std::vector<CompoundEntry>& Storages() const { return storages_; }
    const std::array<std::uint8_t, 16>& RootClassId() const { return rootClassId_; }
    bool Empty() const { return streams_.empty() && storages_.empty(); }

private:
    std::vector<CompoundEntry> streams_;
    std::vector<CompoundEntry> storages_;
    std::array<std::uint8_t, 16> rootClassId_{};
};

class TXLSStream {
public:
    TXLSStream() = default;
    // An unfinished write is dropped, the old file untouched: only Close
    // saves.
    ~TXLSStream();
    TXLSStream(const TXLSStream&) = delete;
    TXLSStream& operator=(const TXLSStream&) = delete;

    // Opens a workbook for reading: from the source buffer when one is set,
    // else from the file (a UTF-8 name). A plain file gives xvExcel21,
    // xvExcel30 or xvExcel40 by its first BOF, xvNone for anything else
    // (files under 4 bytes too); a compound document gives xvExcel97 with a
    // "Workbook" stream, xvExcel50 with only "Book". Errors: Io (file),
    // Container (document), Format ("The file is not an Excel workbook").
    TExcelVersion Open(const std::string& fileName);
    // Starts a new workbook: plain below xvExcel50, a compound document from
    // xvExcel50 on (xvExcel2007 writes BIFF8). xvNone and xvExcelUnknown are
    // Refused; a missing file name without a target is Usage.
    void Create(const std::string& fileName, TExcelVersion version);
    // Ends the current file. After a write: builds the document and saves it
    // to the target buffer or, through a temporary file in the same folder
    // renamed over the old one, to the file (Io or Container on failure, the
    // old file untouched).
    void Close();

    // Reading: body bytes at the current position; the number read.
    std::size_t Read(void* buffer, std::size_t count);
    // Reads a 4-byte header; returns the number of bytes read (below 4 at
    // the end of the data, the position then after what was read).
    std::size_t ReadHeader(TRecordHeader& header);
    // The next record id without moving (0 when fewer than 4 bytes are left).
    std::uint16_t PeekNextId();
    // Reads a header and its whole body; false at the end of the data
    // (fewer than 4 bytes left). A body cut short is a Format error.
    bool ReadRecord(TRecordHeader& header, std::vector<std::uint8_t>& body);
    // Stream position of the header last read by ReadHeader/ReadRecord.
    std::int64_t LastHeaderPosition() const { return lastHeaderPosition_; }

    // Writing.
    void WriteHeader(std::uint16_t id, std::uint16_t length);
    void WriteRaw(const void* buffer, std::size_t count);
    // Body bytes; with a maximum body size above 0 a body passing it goes on
    // in CONTINUE records.
    void WriteBody(const void* buffer, std::size_t count);
    void WriteByte(std::uint8_t v);
    void WriteWord(std::uint16_t v);
    void WriteDWord(std::uint32_t v);
    // A BIFF byte string with its character count in 16 or 8 bits (raw),
    // then the option byte and the characters as a body write.
    void WriteByteStr16(const ByteString& s);
    void WriteByteStr8(const ByteString& s);

    // Origin 0 from the start, 1 from the current position, 2 from the end;
    // returns the new position (never below 0).
    std::int64_t Seek(std::int64_t offset, int origin);
    std::int64_t Position() const { return static_cast<std::int64_t>(position_); }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(data_.size()); }

    // Set by the reader and the writer.
    void SetSource(const std::vector<std::uint8_t>* source) { source_ = source; }
    void SetTarget(std::vector<std::uint8_t>* target) { target_ = target; }
    void SetExtraObjects(TExtraObjects* extra) { extra_ = extra; }
    void SetKeepObjects(bool keep) { keepObjects_ = keep; }
    void SetMaxBodySize(std::uint32_t size) { maxBodySize_ = size; }
    TExcelVersion Version() const { return version_; }
    bool Writing() const { return writing_; }

    // The workbook stream's bytes (for tests and the writer's checks).
    const std::vector<std::uint8_t>& Bytes() const { return data_; }

private:
    void reset();
    void put(const void* buffer, std::size_t count);
    void patchU16(std::size_t at, std::uint16_t v);

    const std::vector<std::uint8_t>* source_ = nullptr;
    std::vector<std::uint8_t>* target_ = nullptr;
    TExtraObjects* extra_ = nullptr;
    bool keepObjects_ = false;
    std::uint32_t maxBodySize_ = 0;

    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
    bool open_ = false;
    bool writing_ = false;
    TExcelVersion version_ = xvNone;
    std::string fileName_;
    std::int64_t headerPosition_ = -1;       // current record while writing
    std::size_t bodyPosition_ = 0;           // bytes of the current record's body
    bool inContinue_ = false;                // current record made by a split
    std::int64_t lastHeaderPosition_ = -1;   // last record read
};

// Writes bytes to a file (a UTF-8 name) through a temporary file in the same
// folder renamed over the old one; Io error (old file untouched) on failure.
void SaveFileSafely(const std::string& fileName, const std::vector<std::uint8_t>& bytes);

}  // namespace vesk
