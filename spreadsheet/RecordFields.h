// Fields of a kept record read and written in place: reads are checked
// (a record too short is a Format error), writes enlarge a short record.
#pragma once

#include <cstdint>
#include <cstring>

#include "RecordStorageMini.h"
#include "XLSBytes.h"

namespace vesk {

inline std::uint8_t fieldU8(const TRawRecord& r, std::size_t offset)
{
    return TRecordBody(r.Data, r.Id).u8(offset);
}

inline std::uint16_t fieldU16(const TRawRecord& r, std::size_t offset)
{
    return TRecordBody(r.Data, r.Id).u16(offset);
}

inline double fieldF64(const TRawRecord& r, std::size_t offset)
{
    return TRecordBody(r.Data, r.Id).f64(offset);
}

inline void setFieldU8(TRawRecord& r, std::size_t offset, std::uint8_t v)
{
    if (r.Data.size() < offset + 1)
        r.Data.resize(offset + 1);
    r.Data[offset] = v;
}

inline void setFieldU16(TRawRecord& r, std::size_t offset, std::uint16_t v)
{
    if (r.Data.size() < offset + 2)
        r.Data.resize(offset + 2);
    r.Data[offset] = static_cast<std::uint8_t>(v);
    r.Data[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void setFieldF64(TRawRecord& r, std::size_t offset, double v)
{
    if (r.Data.size() < offset + 8)
        r.Data.resize(offset + 8);
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    for (int i = 0; i < 8; ++i)
        r.Data[offset + i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

}  // namespace vesk
