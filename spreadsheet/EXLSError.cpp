#include "EXLSError.h"

#include <cstdio>

namespace vesk {

namespace {

std::string describe(const std::string& message, std::int32_t recordId, std::int64_t offset) {
    if (recordId == EXLSError::NoRecord && offset == EXLSError::NoOffset) return message;
    return message + " (" + xlsRecordPlace(recordId, offset) + ")";
}

}  // namespace

std::string xlsRecordPlace(std::int32_t recordId, std::int64_t offset) {
    std::string text;
    if (recordId != EXLSError::NoRecord) {
        char id[16];
        std::snprintf(id, sizeof id, "%.4X", static_cast<unsigned>(recordId) & 0xFFFFu);
        text = std::string("record ") + id;
    }
    if (offset != EXLSError::NoOffset) {
        if (recordId != EXLSError::NoRecord) text += " ";
        text += "at offset " + std::to_string(offset);
    }
    return text;
}

const char* xlsErrorKindName(XLSErrorKind kind) {
    switch (kind) {
        case XLSErrorKind::Format: return "Format";
        case XLSErrorKind::Container: return "Container";
        case XLSErrorKind::Io: return "Io";
        case XLSErrorKind::Formula: return "Formula";
        case XLSErrorKind::Refused: return "Refused";
        case XLSErrorKind::Usage: return "Usage";
    }
    return "?";
}

EXLSError::EXLSError(XLSErrorKind kind, const std::string& message, std::int32_t recordId, std::int64_t offset)
    : std::runtime_error(describe(message, recordId, offset)),
      kind_(kind),
      message_(message),
      recordId_(recordId),
      offset_(offset) {}

EXLSError EXLSError::withPrefix(const std::string& prefix) const {
    return EXLSError(kind_, prefix + message_, recordId_, offset_);
}

EXLSError EXLSError::at(std::int32_t recordId, std::int64_t offset) const {
    return EXLSError(kind_, message_, recordId_ == NoRecord ? recordId : recordId_,
                     offset_ == NoOffset ? offset : offset_);
}

}  // namespace vesk
