#include "XLSBytes.h"

#include <bit>

namespace vesk {

EXLSError TRecordBody::error(const std::string& message, std::size_t offset) const {
    return EXLSError(XLSErrorKind::Format, message, recordId_,
                     streamOffset_ < 0 ? EXLSError::NoOffset : streamOffset_ + 4 + static_cast<std::int64_t>(offset));
}

void TRecordBody::need(std::size_t offset, std::size_t width) const {
    if (offset > view_.size() || width > view_.size() - offset)
        throw error("Record too short: " + std::to_string(width) + " bytes at " + std::to_string(offset) + " of " +
                        std::to_string(view_.size()),
                    offset);
}

std::uint8_t TRecordBody::u8(std::size_t offset) const {
    need(offset, 1);
    return view_.u8(offset);
}

std::uint16_t TRecordBody::u16(std::size_t offset) const {
    need(offset, 2);
    return view_.u16(offset);
}

std::int16_t TRecordBody::i16(std::size_t offset) const {
    need(offset, 2);
    return view_.i16(offset);
}

std::uint32_t TRecordBody::u32(std::size_t offset) const {
    need(offset, 4);
    return view_.u32(offset);
}

std::int32_t TRecordBody::i32(std::size_t offset) const {
    need(offset, 4);
    return view_.i32(offset);
}

double TRecordBody::f64(std::size_t offset) const {
    need(offset, 8);
    return view_.f64(offset);
}

const std::uint8_t* TRecordBody::bytes(std::size_t offset, std::size_t width) const {
    need(offset, width);
    return view_.data() + offset;
}

void appendU8(std::vector<std::uint8_t>& out, std::uint8_t v) { out.push_back(v); }

void appendU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void appendF64(std::vector<std::uint8_t>& out, double v) {
    auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
}

void appendBytes(std::vector<std::uint8_t>& out, const void* data, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(data);
    out.insert(out.end(), p, p + n);
}

}  // namespace vesk
