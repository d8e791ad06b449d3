#include "SSTMini.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "BIFFRecsMini.h"
#include "EXLSError.h"

namespace vesk {

namespace {

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> CrcTable = makeCrcTable();

bool validOption(std::uint8_t option) { return (option & ~0x0Du) == 0; }

std::string hex2(unsigned v) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%.2X", v & 0xFFu);
    return buffer;
}

// Reads the SST's bytes record by record: the body bytes left in the
// current record, and the next CONTINUE record when they run out.
class SSTCursor {
public:
    SSTCursor(TXLSStream& stream, std::uint16_t length, std::int64_t headerPosition)
        : stream_(stream), left_(length), recordId_(BIFFID_SST), headerPosition_(headerPosition) {}

    std::size_t left() const { return left_; }

    [[noreturn]] void fail(const std::string& message) const {
        throw EXLSError(XLSErrorKind::Format, message, recordId_, headerPosition_);
    }

    // Moves to the next record, which must be a CONTINUE record.
    void nextContinue() {
        TRecordHeader header;
        std::int64_t position = stream_.Position();
        if (stream_.ReadHeader(header) < 4 || header.Id != BIFFID_CONTINUE) {
            stream_.Seek(position, 0);
            throw EXLSError(XLSErrorKind::Format, "CONTINUE record is missing in SST", BIFFID_SST, position);
        }
        recordId_ = BIFFID_CONTINUE;
        headerPosition_ = position;
        left_ = header.Length;
        checkRecord();
    }

    // The current record's body must be there whole.
    void checkRecord() const {
        std::int64_t rest = static_cast<std::int64_t>(stream_.Size()) - stream_.Position();
        if (rest < 0 || static_cast<std::uint64_t>(left_) > static_cast<std::uint64_t>(rest))
            fail("Record is cut short by the end of the data");
    }

    // The bytes left in the current record, left unread.
    std::vector<std::uint8_t> peekRest() {
        std::vector<std::uint8_t> bytes(left_);
        const std::size_t n = left_;
        readHere(bytes.data(), n);
        stream_.Seek(-static_cast<std::int64_t>(n), 1);
        left_ = n;
        return bytes;
    }

    // n bytes of the current record (which must hold them).
    void readHere(std::uint8_t* out, std::size_t n) {
        if (n > left_) fail("SST string beyond the end of its record");
        if (stream_.Read(out, n) != n) fail("SST cut short by the end of the data");
        left_ -= n;
    }

    // n bytes, crossing into CONTINUE records without option bytes.
    void readCrossing(std::uint8_t* out, std::size_t n) {
        checkAvailable(n);
        while (n > 0) {
            if (left_ == 0) nextContinue();
            std::size_t here = std::min(n, left_);
            readHere(out, here);
            out += here;
            n -= here;
        }
    }

    std::uint32_t readValue(std::size_t width) {
        std::uint8_t raw[4] = {};
        readCrossing(raw, width);
        return std::uint32_t{raw[0]} | (std::uint32_t{raw[1]} << 8) | (std::uint32_t{raw[2]} << 16) |
               (std::uint32_t{raw[3]} << 24);
    }

    // A count of bytes to come must fit in what the stream still holds.
    void checkAvailable(std::size_t n) const {
        std::int64_t rest = static_cast<std::int64_t>(stream_.Size()) - stream_.Position();
        if (rest < 0 || static_cast<std::uint64_t>(n) > static_cast<std::uint64_t>(rest))
            fail("SST string longer than the data left");
    }

    void skipRest() {
        stream_.Seek(static_cast<std::int64_t>(left_), 1);
        left_ = 0;
    }

private:
    TXLSStream& stream_;
    std::size_t left_;
    std::uint16_t recordId_;
    std::int64_t headerPosition_;
};

std::unique_ptr<TSSTEntry> readString(SSTCursor& in) {
    auto entry = std::make_unique<TSSTEntry>();
    entry->CharCount = static_cast<std::uint16_t>(in.readValue(2));
    std::uint8_t option = static_cast<std::uint8_t>(in.readValue(1));
    if (!validOption(option)) in.fail("STT: Unhandled string type in Read (" + hex2(option) + ")");
    if (option & SSTOptionRichText) entry->RunCount = static_cast<std::uint16_t>(in.readValue(2));
    if (option & SSTOptionPhonetic) entry->PhoneticSize = in.readValue(4);

    // The characters, in parts: the first with the string's width, each
    // further one after a CONTINUE record's own option byte.
    bool wide = option & SSTOption16Bit;
    std::vector<std::uint8_t>& chars = entry->Data;
    std::size_t remaining = entry->CharCount;
    in.checkAvailable(remaining);
    chars.reserve(remaining * 2);
    bool first = true;
    bool partWide = wide;
    while (remaining > 0) {
        if (!first || in.left() == 0) {
            // The rest of this record (at most a byte too few for a 16-bit
            // character) stays unused; the next part has its own option,
            // unless it holds nothing but the characters missing.
            in.skipRest();
            in.nextContinue();
            // It holds the rest bare only when the string ends with it.
            TTextRest rest;
            rest.missing = remaining;
            rest.wide = wide;
            rest.tail = 4u * entry->RunCount + entry->PhoneticSize;
            std::uint8_t partOption = wide ? 1 : 0;
            // A part here holds the strings after this one too, so that
            // neither reading fitting is the rule: bare only where it fits.
            const TContinuationChoice choice = ContinuationOf({in.peekRest()}, rest);
            if (choice.reading != TContinuation::Bare || choice.doubt == TContinuationChoice::NeitherFits)
                in.readHere(&partOption, 1);
            partWide = partOption & 1;
        }
        first = false;
        std::size_t width = partWide ? 2 : 1;
        std::size_t here = std::min(remaining, in.left() / width);
        if (partWide && !wide) {
            // The entry turns 16-bit: widen what was read so far.
            std::vector<std::uint8_t> widened;
            widened.reserve(entry->CharCount * 2u);
            for (std::uint8_t b : chars) {
                widened.push_back(b);
                widened.push_back(0);
            }
            chars.swap(widened);
            wide = true;
        }
        std::size_t start = chars.size();
        chars.resize(start + here * width);
        in.readHere(chars.data() + start, here * width);
        if (wide && !partWide) {
            // An 8-bit part of a 16-bit entry: widen it in place.
            chars.resize(start + here * 2);
            for (std::size_t i = here; i-- > 0;) {
                chars[start + 2 * i] = chars[start + i];
                chars[start + 2 * i + 1] = 0;
            }
        }
        remaining -= here;
    }
    option = static_cast<std::uint8_t>(wide ? (option | SSTOption16Bit) : (option & ~SSTOption16Bit));
    entry->Option = option;

    std::size_t extra = 4u * entry->RunCount + entry->PhoneticSize;
    in.checkAvailable(extra);
    std::size_t start = chars.size();
    chars.resize(start + extra);
    in.readCrossing(chars.data() + start, extra);
    return entry;
}

// Writes the SST body, starting CONTINUE records as the maximum size asks.
class SSTWriter {
public:
    SSTWriter(TXLSStream& stream, std::uint32_t maxSize) : stream_(stream), max_(maxSize) {}

    void begin(std::uint16_t id) {
        stream_.WriteHeader(id, 0);
        lengthPosition_ = stream_.Position() - 2;
        left_ = max_;
    }

    void finish() {
        stream_.Seek(lengthPosition_, 0);
        stream_.WriteWord(static_cast<std::uint16_t>(max_ - left_));
        stream_.Seek(0, 2);
    }

    void startContinue() {
        finish();
        begin(BIFFID_CONTINUE);
    }

    void raw(const void* data, std::size_t n) {
        stream_.WriteRaw(data, n);
        left_ -= n;
    }
    void word(std::uint16_t v) {
        const std::uint8_t b[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
        raw(b, 2);
    }
    void dword(std::uint32_t v) {
        const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                   static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
        raw(b, 4);
    }

    void characters(const std::uint8_t* p, std::size_t bytes, bool wide) {
        while (bytes > left_) {
            std::size_t here = left_;
            if (wide && (here & 1)) --here;  // no character is cut; the byte stays unused
            raw(p, here);
            p += here;
            bytes -= here;
            startContinue();
            const std::uint8_t option = wide ? 1 : 0;
            raw(&option, 1);
        }
        raw(p, bytes);
    }

    void runs(const std::uint8_t* p, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            if (left_ < 4) startContinue();
            raw(p + 4 * i, 4);
        }
    }

    void pieces(const std::uint8_t* p, std::size_t bytes) {
        while (bytes > 0) {
            if (left_ == 0) startContinue();
            std::size_t here = std::min(bytes, left_);
            raw(p, here);
            p += here;
            bytes -= here;
        }
    }

    std::size_t left() const { return left_; }
    std::int64_t lengthPosition() const { return lengthPosition_; }

private:
    TXLSStream& stream_;
    std::size_t max_;
    std::size_t left_ = 0;
    std::int64_t lengthPosition_ = 0;
};

// The bytes after a text's characters: whole when they are the tail the
// rest counts.
bool tailWhole(const std::uint8_t* data, std::size_t size, const TTextRest& rest) {
    const std::optional<std::size_t> need = TextTailSize(data, size, rest);
    return need && size == *need;
}

}  // namespace

std::optional<std::size_t> TextTailSize(const std::uint8_t* data, std::size_t size, const TTextRest& rest) {
    if (!rest.countedRuns) return rest.tail;
    if (size < rest.tail || size - rest.tail < 2) return std::nullopt;
    return rest.tail + 2 + 4u * static_cast<std::size_t>(data[rest.tail] | (data[rest.tail + 1] << 8));
}

TContinuationChoice ContinuationOf(const std::vector<std::vector<std::uint8_t>>& parts, const TTextRest& rest) {
    TContinuationChoice choice;
    if (parts.empty() || rest.missing == 0) return choice;
    std::vector<std::uint8_t> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    struct Reading {
        bool fits = false, clean = true, keepsAll = false, runsOut = false;
        std::size_t chars = 0;
        void add(char16_t c) {
            ++chars;
            if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') clean = false;
        }
    };
    // Bare: the cut character's high byte, the other characters, the tail.
    Reading bare;
    const std::size_t width = rest.wide ? 2 : 1;
    const std::size_t chars = rest.missing * width - (rest.cut ? 1 : 0);
    std::size_t at = 0;
    if (rest.cut && !all.empty()) bare.add(static_cast<char16_t>(rest.cutByte | (all[at++] << 8)));
    for (; bare.chars < rest.missing && at + width <= all.size(); at += width)
        bare.add(rest.wide ? static_cast<char16_t>(all[at] | (all[at + 1] << 8)) : all[at]);
    bare.keepsAll = bare.chars == rest.missing;
    bare.fits = bare.keepsAll && tailWhole(all.data() + chars, all.size() - chars, rest);
    // With option bytes: the byte left of a cut character is unused.
    Reading option;
    std::size_t left = rest.missing;
    std::size_t start = 0;  // of the part in all
    // Every byte after the record's last whole character one of the rest:
    // each record an option byte and characters, none left over.
    bool everyByte = !rest.cut;
    for (const auto& part : parts) {
        const std::size_t size = part.size();
        if (left > 0 && size > 0) {
            if (part[0] > 1) {
                everyByte = false;
                break;
            }
            const std::size_t partWidth = part[0] ? 2 : 1;
            const std::size_t n = std::min(left, (size - 1) / partWidth);
            for (std::size_t i = 0; i < n; ++i)
                option.add(partWidth == 2 ? static_cast<char16_t>(part[1 + 2 * i] | (part[2 + 2 * i] << 8))
                                          : part[1 + i]);
            if (size != 1 + n * partWidth) everyByte = false;
            if (n < left && size - 1 - n * partWidth > 1) break;
            left -= n;
            if (left == 0) {
                const std::size_t end = start + 1 + n * partWidth;
                option.fits = tailWhole(all.data() + end, all.size() - end, rest);
            }
        }
        start += size;
    }
    option.keepsAll = left == 0 && !(rest.cut && rest.cutByte != 0);
    option.runsOut = everyByte && left > 0;
    auto pick = [&choice](bool takeBare, TContinuationChoice::Doubt doubt) {
        choice.reading = takeBare ? TContinuation::Bare : TContinuation::OptionBytes;
        choice.doubt = doubt;
        return choice;
    };
    // A count above what the records hold: read with option bytes, every
    // byte is a character and the records run out. The bare reading may
    // then fit byte for byte, the option bytes taken for characters (one
    // record too many for each character the count adds); fitting does not
    // outweigh a clean text read as the records are laid out.
    if (option.runsOut && option.clean) return pick(false, TContinuationChoice::None);
    const bool bareSure = bare.fits && bare.clean, optionSure = option.fits && option.clean;
    if (bareSure != optionSure) return pick(bareSure, TContinuationChoice::None);
    if (bareSure || (bare.fits && option.fits)) return pick(false, TContinuationChoice::BothFit);
    if (bare.fits != option.fits) return pick(bare.fits, TContinuationChoice::None);
    if (bare.clean != option.clean) return pick(bare.clean, TContinuationChoice::NeitherFits);
    return pick(bare.keepsAll && !option.keepsAll, TContinuationChoice::NeitherFits);
}

std::uint32_t XLSCrc32(const std::uint8_t* data, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) crc = CrcTable[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    return crc;
}

bool TSSTHashTrie::Equal(const TSSTEntry& a, const TSSTEntry& b) const {
    return a.Option == b.Option && a.CharCount == b.CharCount && a.RunCount == b.RunCount &&
           a.PhoneticSize == b.PhoneticSize && a.Data == b.Data;
}

TSSTMini::TSSTMini() : maxBodySize_(MaxRecordBodyBiff8) {}

std::uint32_t TSSTMini::Hash(const TSSTEntry& entry) const { return XLSCrc32(entry.Data.data(), entry.Data.size()); }

TSSTEntry* TSSTMini::Merge(std::unique_ptr<TSSTEntry> entry) {
    std::uint32_t hash = Hash(*entry);
    TSSTEntry* fresh = entry.get();
    TSSTEntry* kept = Insert(std::move(entry), hash);
    if (kept != fresh) ++kept->RefCount;
    return kept;
}

TSSTEntry* TSSTMini::AddText(std::u16string_view text) {
    auto entry = std::make_unique<TSSTEntry>();
    bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 255; });
    entry->CharCount = static_cast<std::uint32_t>(text.size());
    entry->Option = wide ? SSTOption16Bit : 0;
    for (std::size_t i = 0; i < entry->CharCount; ++i) {
        entry->Data.push_back(static_cast<std::uint8_t>(text[i] & 0xFF));
        if (wide) entry->Data.push_back(static_cast<std::uint8_t>(text[i] >> 8));
    }
    entry->RefCount = 1;
    ++totalRefCount_;
    return Merge(std::move(entry));
}

TSSTEntry* TSSTMini::AddRichText(std::u16string_view text, std::span<const std::uint8_t> runs,
                                  std::span<const std::uint8_t> phonetic) {
    const std::size_t count = std::min<std::size_t>(runs.size() / 4, 0xFFFF);
    if (count == 0 && phonetic.empty()) return AddText(text);
    auto entry = std::make_unique<TSSTEntry>();
    const bool wide = std::any_of(text.begin(), text.end(), [](char16_t c) { return c > 255; });
    entry->CharCount = static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), 0xFFFF));
    entry->Option = static_cast<std::uint8_t>((wide ? SSTOption16Bit : 0) | (count ? SSTOptionRichText : 0) |
                                              (phonetic.empty() ? 0 : SSTOptionPhonetic));
    entry->RunCount = static_cast<std::uint16_t>(count);
    entry->PhoneticSize = static_cast<std::uint32_t>(phonetic.size());
    for (std::size_t i = 0; i < entry->CharCount; ++i) {
        entry->Data.push_back(static_cast<std::uint8_t>(text[i] & 0xFF));
        if (wide) entry->Data.push_back(static_cast<std::uint8_t>(text[i] >> 8));
    }
    entry->Data.insert(entry->Data.end(), runs.begin(), runs.begin() + static_cast<std::ptrdiff_t>(4 * count));
    entry->Data.insert(entry->Data.end(), phonetic.begin(), phonetic.end());
    entry->RefCount = 1;
    ++totalRefCount_;
    return Merge(std::move(entry));
}

WideString TSSTMini::Text(const TSSTEntry& entry) {
    WideString text;
    text.reserve(entry.CharCount);
    const std::size_t bytes = std::min(entry.CharBytes(), entry.Data.size());
    if (entry.Option & SSTOption16Bit) {
        for (std::size_t i = 0; i + 1 < bytes; i += 2)
            text.push_back(static_cast<char16_t>(entry.Data[i] | (entry.Data[i + 1] << 8)));
    } else {
        for (std::size_t i = 0; i < bytes; ++i) text.push_back(entry.Data[i]);
    }
    return text;
}

TSSTEntry* TSSTMini::EntryByFileIndex(std::uint32_t index) const {
    if (index >= fileOrder_.size())
        throw EXLSError(XLSErrorKind::Format, "SST string " + std::to_string(index) + " does not exist (" +
                                                  std::to_string(fileOrder_.size()) + " strings)");
    return fileOrder_[index];
}

void TSSTMini::Clear() {
    totalRefCount_ = 0;
    fileOrder_.clear();
    THashTrie::Clear();
    extSST_.clear();
}

void TSSTMini::Read(TXLSStream& stream, std::uint16_t length, std::int64_t headerPosition) {
    SSTCursor in(stream, length, headerPosition);
    in.checkRecord();
    if (length < 8) in.fail("SST record too short");
    totalRefCount_ = in.readValue(4);
    const std::uint32_t count = in.readValue(4);
    for (std::uint32_t i = 0; i < count; ++i) {
        if (in.left() == 0) in.nextContinue();
        std::unique_ptr<TSSTEntry> entry = readString(in);
        entry->Index = static_cast<std::uint32_t>(fileOrder_.size());
        entry->RefCount = 0;
        fileOrder_.push_back(Merge(std::move(entry)));
    }
    in.skipRest();
}

void TSSTMini::Write(TXLSStream& stream) {
    std::uint32_t running = 0;
    const std::size_t n = Count();
    bucketSize_ = static_cast<std::uint16_t>(std::max<std::size_t>(n / 1027 + 1, 8));
    extSST_.clear();
    if (maxBodySize_ < 16) throw EXLSError(XLSErrorKind::Usage, "SST record size too small");

    SSTWriter out(stream, maxBodySize_);
    out.begin(BIFFID_SST);
    const std::int64_t p0 = stream.Position();
    out.dword(totalRefCount_);
    out.dword(totalRefCount_);
    Iterate([&](TSSTEntry& entry) {
        // A text no record can count is named by no cell (the writer has
        // refused those): one left behind by a cell set over it again.
        if (entry.CharCount > 0xFFFF) {
            entry.Index = TSSTEntry::NotWritten;
            return;
        }
        // A bucket starts at its string, after any CONTINUE header.
        if (out.left() < 16) out.startContinue();
        if (running % bucketSize_ == 0) {
            TExtSSTBucket bucket;
            bucket.Position = static_cast<std::uint32_t>(stream.Position());
            bucket.Offset = static_cast<std::uint16_t>(stream.Position() - out.lengthPosition() + 2);
            extSST_.push_back(bucket);
        }
        entry.Index = running;
        if (!validOption(entry.Option))
            throw EXLSError(XLSErrorKind::Format, "STT: Unhandled string type in Write (" + hex2(entry.Option) +
                                                      ") # " + std::to_string(running));
        out.word(static_cast<std::uint16_t>(entry.CharCount));
        const std::uint8_t option = entry.Option;
        out.raw(&option, 1);
        if (option & SSTOptionRichText) out.word(entry.RunCount);
        if (option & SSTOptionPhonetic) out.dword(entry.PhoneticSize);
        const std::size_t charBytes = entry.CharBytes();
        const std::size_t runBytes = 4u * entry.RunCount;
        if (entry.Data.size() < charBytes + runBytes + entry.PhoneticSize)
            throw EXLSError(XLSErrorKind::Format, "SST string shorter than its counts # " + std::to_string(running));
        out.characters(entry.Data.data(), charBytes, option & SSTOption16Bit);
        out.runs(entry.Data.data() + charBytes, entry.RunCount);
        out.pieces(entry.Data.data() + charBytes + runBytes, entry.PhoneticSize);
        ++running;
    });
    out.finish();
    stream.Seek(p0 + 4, 0);
    stream.WriteDWord(running);
    stream.Seek(0, 2);

    stream.WriteHeader(BIFFID_EXTSST, static_cast<std::uint16_t>(2 + 8 * extSST_.size()));
    stream.WriteWord(bucketSize_);
    for (const TExtSSTBucket& bucket : extSST_) {
        stream.WriteDWord(bucket.Position);
        stream.WriteWord(bucket.Offset);
        stream.WriteWord(0);
    }
}

}  // namespace vesk
