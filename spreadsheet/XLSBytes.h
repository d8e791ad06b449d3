// Checked reading of a record body and little-endian building of one. A
// body is read only through TRecordBody: every field is bounds-checked and
// a short body is a Format error naming the record id and the offset of
// the field in the stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ByteView.h"
#include "EXLSError.h"

namespace vesk {

class TRecordBody {
public:
    // streamOffset: position of the record's header in the stream (-1 when
    // unknown); field offsets are reported as streamOffset + 4 + offset.
    TRecordBody(const std::uint8_t* data, std::size_t size, std::uint16_t recordId, std::int64_t streamOffset = -1)
        : view_(data, size, "record"), recordId_(recordId), streamOffset_(streamOffset) {}
    explicit TRecordBody(const std::vector<std::uint8_t>& data, std::uint16_t recordId, std::int64_t streamOffset = -1)
        : TRecordBody(data.data(), data.size(), recordId, streamOffset) {}

    std::size_t size() const { return view_.size(); }
    const std::uint8_t* data() const { return view_.data(); }
    std::uint16_t recordId() const { return recordId_; }

    // Throws Format when width bytes at offset are not all inside the body.
    void need(std::size_t offset, std::size_t width) const;
    std::uint8_t u8(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::int16_t i16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    std::int32_t i32(std::size_t offset) const;
    double f64(std::size_t offset) const;
    // Pointer to width checked bytes at offset.
    const std::uint8_t* bytes(std::size_t offset, std::size_t width) const;

    // A Format error at this record, at the given field offset.
    EXLSError error(const std::string& message, std::size_t offset) const;

private:
    ByteView view_;
    std::uint16_t recordId_;
    std::int64_t streamOffset_;
};

// Little-endian appends to a growing body.
void appendU8(std::vector<std::uint8_t>& out, std::uint8_t v);
void appendU16(std::vector<std::uint8_t>& out, std::uint16_t v);
void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v);
void appendF64(std::vector<std::uint8_t>& out, double v);
void appendBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t n);

}  // namespace vesk
