// The workbook's shared string table: every text of a string cell is kept
// once, with a count of the cells naming it, in a hash trie keyed by the
// CRC-32 of the entry's bytes. Reads the BIFF8 SST record with its CONTINUE
// records and writes SST and EXTSST.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "WideString.h"
#include "XLSHashTrieMini.h"
#include "XLSStreamMini.h"

namespace vesk {

// CRC-32 (reflected 0xEDB88320, initial 0xFFFFFFFF, no final inversion).
std::uint32_t XLSCrc32(const std::uint8_t* data, std::size_t size);

// Option bits of a string entry.
constexpr std::uint8_t SSTOption16Bit = 0x01;
constexpr std::uint8_t SSTOptionPhonetic = 0x04;
constexpr std::uint8_t SSTOptionRichText = 0x08;

// What a BIFF8 text (SST, STRING, LABEL, RSTRING...) lacks after the
// record that begins it.
struct TTextRest {
    std::size_t missing = 0;    // characters
    bool wide = false;          // 16-bit in that record
    bool cut = false;           // that record ends with a character's low byte
    std::uint8_t cutByte = 0;   // that byte
    std::size_t tail = 0;       // bytes after the characters the header counts (runs, phonetic block)
    bool countedRuns = false;   // then a u16 count of 4-byte runs (RSTRING)
};

// The bytes of the tail after a text's characters, as far as the tail's
// first `size` bytes tell (an RSTRING's run count among them); nothing
// when they do not reach its run count yet.
std::optional<std::size_t> TextTailSize(const std::uint8_t* data, std::size_t size, const TTextRest& rest);

// How the CONTINUE records after that record hold the rest: each starting
// with an option byte (0 or 1), as in a well-formed file, or bare, the bytes
// as they come (gnumeric splits a long record's bytes so, inside a 16-bit
// character too).
enum class TContinuation { OptionBytes, Bare };

// The reading chosen, and what made it doubtful: both readings fit and give
// a clean text (read with option bytes), or neither fits.
struct TContinuationChoice {
    enum Doubt { None, BothFit, NeitherFits };
    TContinuation reading = TContinuation::OptionBytes;
    Doubt doubt = None;
};

// parts: the bodies of the CONTINUE records that hold the rest, all of them.
// The rest's counts fix the byte total of either reading: a reading fits
// when the records hold exactly its characters and tail, its option bytes
// 0 or 1, each record filled but for at most a byte. A reading is clean
// when its characters (the cut one among them) hold no control character a
// writer could not have meant: none below 0x20 but tab, line feed and
// carriage return. Where the records run out with option bytes, each of
// them an option byte 0 or 1 and characters up to its last byte (the
// record before not ending inside a character), and that reading is clean,
// option bytes, whether or not the bare one fits: the count promises more
// than the records hold. Else the reading that alone fits and is clean; where both
// do, or both fit and neither is clean, option bytes (BothFit); where one
// alone fits, that one. Where neither fits (NeitherFits): the one alone
// clean, else the one alone keeping every byte the records give as a
// character (bare always; with option bytes when it gets all the characters
// and a cut character's byte it leaves unused is 0), else option bytes.
// No parts: OptionBytes.
TContinuationChoice ContinuationOf(const std::vector<std::vector<std::uint8_t>>& parts, const TTextRest& rest);

struct TSSTEntry {
    static constexpr std::uint32_t NotWritten = 0xFFFF;

    std::uint32_t Index = NotWritten;  // file position after a read, write number after a write
    std::uint32_t RefCount = 0;
    // A text set by the program may count more than a record can hold
    // (65,535); a save refuses it rather than cutting it.
    std::uint32_t CharCount = 0;
    std::uint8_t Option = 0;
    std::uint16_t RunCount = 0;
    std::uint32_t PhoneticSize = 0;
    // The characters (1 or 2 bytes each), then 4 bytes per run, then the
    // phonetic block.
    std::vector<std::uint8_t> Data;

    std::size_t CharBytes() const { return (Option & SSTOption16Bit) ? 2u * CharCount : CharCount; }
};

class TSSTHashTrie : public THashTrie<TSSTEntry> {
protected:
    // Entries are equal with equal option (character width included) and
    // equal bytes.
    bool Equal(const TSSTEntry& a, const TSSTEntry& b) const override;
};

// One bucket of the EXTSST index.
struct TExtSSTBucket {
    std::uint32_t Position = 0;  // absolute stream position of the bucket's first string
    std::uint16_t Offset = 0;    // from the start of the record holding it, header counted
};

class TSSTMini : public TSSTHashTrie {
public:
    TSSTMini();

    // Adds a text (one more reference); returns the entry kept for it.
    TSSTEntry* AddText(std::u16string_view text);
    // A text with its formatting runs (4 bytes each: u16 first character,
    // u16 font index) and its phonetic block, kept as a rich entry; without
    // either AddText.
    TSSTEntry* AddRichText(std::u16string_view text, std::span<const std::uint8_t> runs,
                           std::span<const std::uint8_t> phonetic = {});
    static WideString Text(const TSSTEntry& entry);

    // The entry at a position of the SST as read (LABELSST numbers); a
    // number outside the list is a Format error.
    TSSTEntry* EntryByFileIndex(std::uint32_t index) const;
    std::size_t FileOrderCount() const { return fileOrder_.size(); }
    void ClearFileOrder() { fileOrder_.clear(); }

    // Reads one SST record body of the given length (its header just read,
    // at headerPosition) with the CONTINUE records it needs; leaves the
    // stream after the last record used.
    void Read(TXLSStream& stream, std::uint16_t length, std::int64_t headerPosition);
    // Writes SST and EXTSST; every entry gets its write number as index.
    void Write(TXLSStream& stream);

    void Clear();
    void SetMaxBodySize(std::uint32_t size) { maxBodySize_ = size; }
    std::uint32_t MaxBodySize() const { return maxBodySize_; }
    std::uint32_t TotalRefCount() const { return totalRefCount_; }
    std::uint16_t BucketSize() const { return bucketSize_; }
    const std::vector<TExtSSTBucket>& ExtSST() const { return extSST_; }

    // The hash of an entry; CRC-32 of its bytes. Tests replace it.
    virtual std::uint32_t Hash(const TSSTEntry& entry) const;
    // Inserts with merging: an equal entry present gets the references.
    TSSTEntry* Merge(std::unique_ptr<TSSTEntry> entry);

private:
    std::vector<TSSTEntry*> fileOrder_;
    std::vector<TExtSSTBucket> extSST_;
    std::uint32_t totalRefCount_ = 0;
    std::uint32_t maxBodySize_;
    std::uint16_t bucketSize_ = 8;
};

}  // namespace vesk
