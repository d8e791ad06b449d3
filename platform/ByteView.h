// Checked little-endian access to a buffer of outside bytes. Every read and
// write is bounds-checked and fails with the buffer's name and the offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "Real48.h"

namespace vesk {

class FormatError : public std::runtime_error {
public:
    FormatError(const std::string& where, std::size_t offset, const std::string& what);
    std::size_t offset() const { return offset_; }

private:
    std::size_t offset_;
};

class ByteView {
public:
    ByteView(const std::uint8_t* data, std::size_t size, const char* name)
        : data_(data), size_(size), name_(name) {}

    std::size_t size() const { return size_; }
    const std::uint8_t* data() const { return data_; }

    void check(std::size_t offset, std::size_t width) const;
    std::uint8_t u8(std::size_t offset) const;
    std::int16_t i16(std::size_t offset) const;
    std::uint16_t u16(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    std::int32_t i32(std::size_t offset) const;
    // IEEE 754 double, little-endian.
    double f64(std::size_t offset) const;
    long double real48(std::size_t offset) const;

private:
    const std::uint8_t* data_;
    std::size_t size_;
    const char* name_;
};

class MutableByteView : public ByteView {
public:
    MutableByteView(std::uint8_t* data, std::size_t size, const char* name)
        : ByteView(data, size, name), mut_(data) {}

    void setU8(std::size_t offset, std::uint8_t v);
    void setI16(std::size_t offset, std::int16_t v);
    void setU16(std::size_t offset, std::uint16_t v);
    void setU32(std::size_t offset, std::uint32_t v);
    void setF64(std::size_t offset, double v);
    // Rounds to the 6-byte grid; throws Real48Error when v cannot be stored.
    void setReal48(std::size_t offset, long double v);

private:
    std::uint8_t* mut_;
};

}  // namespace vesk
