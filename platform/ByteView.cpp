#include "ByteView.h"

#include <bit>

namespace vesk {

FormatError::FormatError(const std::string& where, std::size_t offset, const std::string& what)
    : std::runtime_error(where + " at byte " + std::to_string(offset) + ": " + what), offset_(offset) {}

void ByteView::check(std::size_t offset, std::size_t width) const {
    if (offset > size_ || width > size_ - offset)
        throw FormatError(name_, offset,
                          "field of " + std::to_string(width) + " bytes beyond the end (" +
                              std::to_string(size_) + " bytes)");
}

std::uint8_t ByteView::u8(std::size_t offset) const {
    check(offset, 1);
    return data_[offset];
}

std::uint16_t ByteView::u16(std::size_t offset) const {
    check(offset, 2);
    return static_cast<std::uint16_t>(data_[offset] | (data_[offset + 1] << 8));
}

std::int16_t ByteView::i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }

std::uint32_t ByteView::u32(std::size_t offset) const {
    check(offset, 4);
    return std::uint32_t{data_[offset]} | (std::uint32_t{data_[offset + 1]} << 8) |
           (std::uint32_t{data_[offset + 2]} << 16) | (std::uint32_t{data_[offset + 3]} << 24);
}

std::int32_t ByteView::i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }

double ByteView::f64(std::size_t offset) const {
    check(offset, 8);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | data_[offset + static_cast<std::size_t>(i)];
    return std::bit_cast<double>(bits);
}

long double ByteView::real48(std::size_t offset) const {
    check(offset, 6);
    return decodeReal48(data_ + offset);
}

void MutableByteView::setU8(std::size_t offset, std::uint8_t v) {
    check(offset, 1);
    mut_[offset] = v;
}

void MutableByteView::setI16(std::size_t offset, std::int16_t v) {
    check(offset, 2);
    auto u = static_cast<std::uint16_t>(v);
    mut_[offset] = static_cast<std::uint8_t>(u & 0xFF);
    mut_[offset + 1] = static_cast<std::uint8_t>(u >> 8);
}

void MutableByteView::setU16(std::size_t offset, std::uint16_t v) { setI16(offset, static_cast<std::int16_t>(v)); }

void MutableByteView::setU32(std::size_t offset, std::uint32_t v) {
    check(offset, 4);
    for (int i = 0; i < 4; ++i) mut_[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

void MutableByteView::setF64(std::size_t offset, double v) {
    check(offset, 8);
    auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) mut_[offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(bits >> (8 * i));
}

void MutableByteView::setReal48(std::size_t offset, long double v) {
    check(offset, 6);
    encodeReal48(v, mut_ + offset);
}

}  // namespace vesk
