// Checked reading of a record body and little-endian building of one. A
// body is read only through TRecordBody: every field is bounds-checked and
// a short body is a Format error naming the record id and the offset of
// the field in the stream.
#pragma once

#include <bit>
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
    // The readers are inline: every cell record goes through them.
    void need(std::size_t offset, std::size_t width) const {
        if (offset > view_.size() || width > view_.size() - offset) tooShort(offset, width);
    }
    std::uint8_t u8(std::size_t offset) const {
        need(offset, 1);
        return data()[offset];
    }
    std::uint16_t u16(std::size_t offset) const {
        need(offset, 2);
        return static_cast<std::uint16_t>(data()[offset] | (data()[offset + 1] << 8));
    }
    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u32(std::size_t offset) const {
        need(offset, 4);
        return static_cast<std::uint32_t>(bits(offset, 4));
    }
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    double f64(std::size_t offset) const {
        need(offset, 8);
        return std::bit_cast<double>(bits(offset, 8));
    }
    // Pointer to width checked bytes at offset.
    const std::uint8_t* bytes(std::size_t offset, std::size_t width) const {
        need(offset, width);
        return data() + offset;
    }

    // A Format error at this record, at the given field offset.
    EXLSError error(const std::string& message, std::size_t offset) const;

private:
    [[noreturn]] void tooShort(std::size_t offset, std::size_t width) const;
    std::uint64_t bits(std::size_t offset, int count) const {
        std::uint64_t v = 0;
        for (int i = count; i-- > 0;) v = (v << 8) | data()[offset + static_cast<std::size_t>(i)];
        return v;
    }

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
