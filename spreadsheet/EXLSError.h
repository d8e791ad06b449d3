// The one exception type of the workbook library. The kind says what went
// wrong; a format error names the record id and the stream offset of the
// record's header where they are known.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vesk {

enum class XLSErrorKind {
    Format,     // the bytes of a workbook are not what they must be
    Container,  // the compound document cannot be opened, read or made
    Io,         // a file cannot be read or written
    Formula,    // a formula cannot be decoded or encoded
    Refused,    // the library declines (a version it does not write, ...)
    Usage,      // the caller asked for something impossible
};

const char* xlsErrorKindName(XLSErrorKind kind);

// "record 0203 at offset 1234", either part left out where it is unknown
// (EXLSError::NoRecord, EXLSError::NoOffset).
std::string xlsRecordPlace(std::int32_t recordId, std::int64_t offset);

class EXLSError : public std::runtime_error {
public:
    static constexpr std::int32_t NoRecord = -1;
    static constexpr std::int64_t NoOffset = -1;

    EXLSError(XLSErrorKind kind, const std::string& message, std::int32_t recordId = NoRecord,
              std::int64_t offset = NoOffset);

    XLSErrorKind kind() const { return kind_; }
    // The message without the location (the library's fixed English text,
    // with a prefix such as "Record 12: " where a caller added one).
    const std::string& message() const { return message_; }
    std::int32_t recordId() const { return recordId_; }
    std::int64_t offset() const { return offset_; }

    // The same error with text put in front of the message.
    EXLSError withPrefix(const std::string& prefix) const;
    // The same error with the location filled in where it was unknown.
    EXLSError at(std::int32_t recordId, std::int64_t offset) const;

private:
    XLSErrorKind kind_;
    std::string message_;
    std::int32_t recordId_;
    std::int64_t offset_;
};

}  // namespace vesk
