// Assembles workbook files record by record for the reader tests: BIFF2 to
// BIFF4 plain files and BIFF5/BIFF8 workbook streams wrapped as compound
// documents (sheet directory offsets filled in, so xlrd reads them too).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "BIFFRecsMini.h"
#include "CompoundFile.h"

namespace vesk::test {

struct Rec {
    std::uint16_t id;
    std::vector<std::uint8_t> body;
};

// A record body built field by field.
class B {
public:
    B& u8(unsigned v) {
        b_.push_back(static_cast<std::uint8_t>(v));
        return *this;
    }
    B& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    B& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    B& f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i) u8(static_cast<unsigned>(bits >> (8 * i)) & 0xFF);
        return *this;
    }
    B& bytes(const std::string& s) {
        b_.insert(b_.end(), s.begin(), s.end());
        return *this;
    }
    B& zeros(std::size_t n) {
        b_.insert(b_.end(), n, 0);
        return *this;
    }
    // A BIFF8 string: u16 count, option, characters (16-bit when any is
    // above 255).
    B& str16(const std::u16string& s) {
        bool wide = false;
        for (char16_t c : s) wide = wide || c > 255;
        u16(static_cast<unsigned>(s.size())).u8(wide ? 1 : 0);
        for (char16_t c : s) wide ? u16(c) : u8(c);
        return *this;
    }
    operator std::vector<std::uint8_t>() const { return b_; }
    std::vector<std::uint8_t> v() const { return b_; }

private:
    std::vector<std::uint8_t> b_;
};

inline void put(std::vector<std::uint8_t>& out, const Rec& r) {
    out.push_back(r.id & 0xFF);
    out.push_back(r.id >> 8);
    out.push_back(r.body.size() & 0xFF);
    out.push_back((r.body.size() >> 8) & 0xFF);
    out.insert(out.end(), r.body.begin(), r.body.end());
}

inline std::vector<std::uint8_t> plain(const std::vector<Rec>& records) {
    std::vector<std::uint8_t> out;
    for (const Rec& r : records) put(out, r);
    return out;
}

inline Rec bof8(unsigned type) { return {BIFFID_BOF, B().u16(0x0600).u16(type).u16(0x0DBB).u16(0x07CC).u32(0).u32(6)}; }
inline Rec bof5(unsigned type) { return {BIFFID_BOF, B().u16(0x0500).u16(type).u16(0x0DBB).u16(0x07CC)}; }
inline Rec eof() { return {BIFFID_EOF, {}}; }

struct SheetSpec {
    std::u16string name;
    std::uint8_t hidden = 0;
    std::uint8_t type = 0;  // 0 worksheet, 2 chart, 6 module
    std::vector<Rec> records;  // between BOF and EOF
};

// A BIFF8 (biff5 false) or BIFF5 workbook stream: globals BOF, the given
// globals records, one BOUNDSHEET per sheet, the SST records, EOF, then the
// sheets, then trailing records.
inline std::vector<std::uint8_t> bookStream(bool biff8, const std::vector<Rec>& globals,
                                            const std::vector<SheetSpec>& sheets, const std::vector<Rec>& sst = {},
                                            const std::vector<Rec>& trailing = {}) {
    std::vector<std::uint8_t> out;
    put(out, biff8 ? bof8(0x0005) : bof5(0x0005));
    for (const Rec& r : globals) put(out, r);
    std::vector<std::size_t> offsetAt;
    for (const SheetSpec& s : sheets) {
        B body;
        body.u32(0).u8(s.hidden).u8(s.type).u8(static_cast<unsigned>(s.name.size()));
        if (biff8) {
            bool wide = false;
            for (char16_t c : s.name) wide = wide || c > 255;
            body.u8(wide ? 1 : 0);
            for (char16_t c : s.name) wide ? body.u16(c) : body.u8(c);
        } else {
            for (char16_t c : s.name) body.u8(c & 0xFF);
        }
        offsetAt.push_back(out.size() + 4);
        put(out, {BIFFID_BOUNDSHEET, body});
    }
    for (const Rec& r : sst) put(out, r);
    put(out, eof());
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::uint32_t at = static_cast<std::uint32_t>(out.size());
        std::memcpy(out.data() + offsetAt[i], &at, 4);
        const unsigned type = sheets[i].type == 2 ? 0x0020 : sheets[i].type == 6 ? 0x0006 : 0x0010;
        put(out, biff8 ? bof8(type) : bof5(type));
        for (const Rec& r : sheets[i].records) put(out, r);
        put(out, eof());
    }
    for (const Rec& r : trailing) put(out, r);
    return out;
}

inline std::vector<std::uint8_t> compound(const std::vector<std::uint8_t>& stream, const char* name = "Workbook") {
    CompoundEntry root;
    root.name = "Root Entry";
    root.storage = true;
    CompoundEntry book;
    book.name = name;
    book.data = stream;
    root.children.push_back(std::move(book));
    return writeCompoundFile(root);
}

// An SST record with the texts (8-bit unless a character is above 255).
inline Rec sstRecord(const std::vector<std::u16string>& texts) {
    B body;
    body.u32(static_cast<std::uint32_t>(texts.size())).u32(static_cast<std::uint32_t>(texts.size()));
    for (const auto& t : texts) body.str16(t);
    return {BIFFID_SST, body};
}

}  // namespace vesk::test
