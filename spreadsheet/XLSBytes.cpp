#include "XLSBytes.h"

#include <bit>

namespace vesk {

EXLSError TRecordBody::error(const std::string& message, std::size_t offset) const {
    return EXLSError(XLSErrorKind::Format, message, recordId_,
                     streamOffset_ < 0 ? EXLSError::NoOffset : streamOffset_ + 4 + static_cast<std::int64_t>(offset));
}

void TRecordBody::tooShort(std::size_t offset, std::size_t width) const {
    throw error("Record too short: " + std::to_string(width) + " bytes at " + std::to_string(offset) + " of " +
                    std::to_string(view_.size()),
                offset);
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
