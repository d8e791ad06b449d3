#include "XLSStreamMini.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

#include "CodePage.h"
#include "EXLSError.h"
#include "FileSystem.h"

namespace vesk {

// ------------------------------------------------------------ TExtraObjects

void TExtraObjects::AddStream(CompoundEntry stream) { streams_.push_back(std::move(stream)); }

void TExtraObjects::AddStorage(CompoundEntry storage) { storages_.push_back(std::move(storage)); }

void TExtraObjects::Clear() {
    streams_.clear();
    storages_.clear();
    rootClassId_ = {};
}

// ------------------------------------------------------------ files

namespace {

// File names are UTF-8. One that code page 1250 can spell goes through the
// core's file layer (folders and files found regardless of case); any other
// is used as it stands.
std::optional<std::string> corePath(const std::string& fileName) { return utf8ToCp1250Exactly(fileName); }

bool saveNative(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    // A temporary file of its own, made new beside the workbook.
    std::string temporary;
    const int fd = createTemporaryFile(fileName, temporary);
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "wb");
    if (!file) {
        if (fd >= 0) ::close(fd);
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // On the device before it takes the old file's place.
    ok = ok && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
    ok = std::fclose(file) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), fileName.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> readNative(const std::string& fileName) {
    const int fd = openRegularFile(fileName, O_RDONLY);
    std::FILE* file = fd < 0 ? nullptr : ::fdopen(fd, "rb");
    if (!file) {
        if (fd >= 0) ::close(fd);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    std::uint8_t buffer[65536];
    std::size_t n;
    // No further than one byte past the bound of a workbook.
    while (bytes.size() <= LongestWorkbook && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + n);
    const bool failed = std::ferror(file) != 0 || bytes.size() > LongestWorkbook;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

}  // namespace

void SaveFileSafely(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
    const std::optional<std::string> core = corePath(fileName);
    if (!core) {
        if (!saveNative(fileName, bytes)) throw EXLSError(XLSErrorKind::Io, "Cannot write file " + fileName);
        return;
    }
    // Flushed to the device and renamed over the old file, its folder synced.
    if (!replaceFile(*core, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        throw EXLSError(XLSErrorKind::Io, "Cannot write file " + fileName + ": " + cp1250ToUtf8(lastFileError()));
}

namespace {

std::vector<std::uint8_t> readWholeFile(const std::string& fileName) {
    const std::optional<std::string> core = corePath(fileName);
    if (!core) {
        std::optional<std::vector<std::uint8_t>> bytes = readNative(fileName);
        if (!bytes) throw EXLSError(XLSErrorKind::Io, "Cannot open file " + fileName);
        return std::move(*bytes);
    }
    BinaryFile file;
    if (!file.open(*core, BinaryFile::Mode::Read)) throw EXLSError(XLSErrorKind::Io, "Cannot open file " + fileName);
    if (const std::optional<std::string> bytes = file.readRest(LongestWorkbook))
        return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
    throw EXLSError(XLSErrorKind::Io, "Cannot read file " + fileName + ": " + cp1250ToUtf8(lastFileError()));
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

}  // namespace

// ------------------------------------------------------------ TXLSStream

TXLSStream::~TXLSStream() { reset(); }

void TXLSStream::reset() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
    open_ = false;
    writing_ = false;
    version_ = xvNone;
    fileName_.clear();
    headerPosition_ = -1;
    bodyPosition_ = 0;
    inContinue_ = false;
    lastHeaderPosition_ = -1;
}

TExcelVersion TXLSStream::Open(const std::string& fileName) {
    Close();
    std::vector<std::uint8_t> owned;
    const std::vector<std::uint8_t>* bytes = source_;
    if (!bytes) {
        owned = readWholeFile(fileName);
        bytes = &owned;
    }
    open_ = true;
    if (!isCompoundFile(bytes->data(), bytes->size())) {
        data_ = source_ ? *source_ : std::move(owned);
        position_ = 0;
        if (data_.size() < 4) return version_ = xvNone;
        std::uint16_t id = static_cast<std::uint16_t>(data_[0] | (data_[1] << 8));
        version_ = xvNone;
        if ((id & 0xFF) == 0x09) {
            switch (id >> 8) {
                case 0x00: version_ = xvExcel21; break;
                case 0x02: version_ = xvExcel30; break;
                case 0x04: version_ = xvExcel40; break;
                default: break;
            }
        }
        return version_;
    }

    CompoundEntry document;
    try {
        document = readCompoundFile(bytes->data(), bytes->size());
    } catch (const CompoundFileError& e) {
        throw EXLSError(XLSErrorKind::Container, e.what());
    }
    CompoundEntry* book = nullptr;
    CompoundEntry* workbook = nullptr;
    for (CompoundEntry& e : document.children) {
        if (e.storage) continue;
        std::string name = lowerAscii(e.name);
        if (name == "book" && !book) book = &e;
        if (name == "workbook" && !workbook) workbook = &e;
    }
    if (!book && !workbook) throw EXLSError(XLSErrorKind::Format, "The file is not an Excel workbook");
    CompoundEntry* chosen = workbook ? workbook : book;
    version_ = workbook ? xvExcel97 : xvExcel50;
    if (keepObjects_ && extra_) {
        extra_->Clear();
        extra_->SetRootClassId(document.classId);
        for (CompoundEntry& e : document.children) {
            if (&e == book || &e == workbook) continue;
            if (e.storage) extra_->AddStorage(std::move(e));
            else extra_->AddStream(std::move(e));
        }
    }
    data_ = std::move(chosen->data);
    position_ = 0;
    return version_;
}

void TXLSStream::Create(const std::string& fileName, TExcelVersion version) {
    Close();
    if (version == xvNone || version == xvExcelUnknown)
        throw EXLSError(XLSErrorKind::Refused, "Can not write this file version");
    if (!target_ && fileName.empty()) throw EXLSError(XLSErrorKind::Usage, "Filename is missing");
    reset();
    open_ = true;
    writing_ = true;
    version_ = version;
    fileName_ = fileName;
}

void TXLSStream::Close() {
    if (!open_) return;
    if (!writing_) {
        reset();
        return;
    }
    // Take what is needed, then forget the write whatever happens below.
    std::vector<std::uint8_t> stream = std::move(data_);
    const TExcelVersion version = version_;
    const std::string fileName = fileName_;
    reset();
    std::vector<std::uint8_t> document;
    if (version < xvExcel50) {
        document = std::move(stream);
    } else {
        CompoundEntry root;
        root.name = "Root Entry";
        root.storage = true;
        if (extra_) {
            root.classId = extra_->RootClassId();
            for (const CompoundEntry& e : extra_->Streams()) root.children.push_back(e);
        }
        CompoundEntry workbook;
        workbook.name = version == xvExcel50 ? "Book" : "Workbook";
        workbook.data = std::move(stream);
        root.children.push_back(std::move(workbook));
        if (extra_)
            for (const CompoundEntry& e : extra_->Storages()) root.children.push_back(e);
        try {
            document = writeCompoundFile(root);
        } catch (const CompoundFileError& e) {
            throw EXLSError(XLSErrorKind::Container, e.what());
        }
    }
    if (target_) *target_ = std::move(document);
    else SaveFileSafely(fileName, document);
}

std::size_t TXLSStream::Read(void* buffer, std::size_t count) {
    if (position_ >= data_.size()) return 0;
    std::size_t n = std::min(count, data_.size() - position_);
    if (n) std::memcpy(buffer, data_.data() + position_, n);
    position_ += n;
    return n;
}

std::size_t TXLSStream::ReadHeader(TRecordHeader& header) {
    lastHeaderPosition_ = static_cast<std::int64_t>(position_);
    std::uint8_t raw[4];
    std::size_t n = Read(raw, 4);
    if (n == 4) {
        header.Id = static_cast<std::uint16_t>(raw[0] | (raw[1] << 8));
        header.Length = static_cast<std::uint16_t>(raw[2] | (raw[3] << 8));
    }
    return n;
}

std::uint16_t TXLSStream::PeekNextId() {
    std::uint8_t raw[4];
    std::size_t n = Read(raw, 4);
    position_ -= n;
    return n == 4 ? static_cast<std::uint16_t>(raw[0] | (raw[1] << 8)) : 0;
}

bool TXLSStream::ReadRecord(TRecordHeader& header, std::vector<std::uint8_t>& body) {
    if (ReadHeader(header) < 4) return false;
    body.resize(header.Length);
    if (Read(body.data(), header.Length) != header.Length)
        throw EXLSError(XLSErrorKind::Format, "Record is cut short by the end of the data", header.Id,
                        lastHeaderPosition_);
    return true;
}

void TXLSStream::put(const void* buffer, std::size_t count) {
    if (!writing_) throw EXLSError(XLSErrorKind::Usage, "The stream is not open for writing");
    if (count == 0) return;
    if (position_ + count > data_.size()) data_.resize(position_ + count);
    std::memcpy(data_.data() + position_, buffer, count);
    position_ += count;
}

void TXLSStream::patchU16(std::size_t at, std::uint16_t v) {
    if (at + 2 > data_.size()) data_.resize(at + 2);
    data_[at] = static_cast<std::uint8_t>(v);
    data_[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void TXLSStream::WriteHeader(std::uint16_t id, std::uint16_t length) {
    headerPosition_ = static_cast<std::int64_t>(position_);
    const std::uint8_t raw[4] = {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8),
                                 static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8)};
    put(raw, 4);
    bodyPosition_ = 0;
    inContinue_ = false;
}

void TXLSStream::WriteRaw(const void* buffer, std::size_t count) {
    put(buffer, count);
    bodyPosition_ += count;
}

void TXLSStream::WriteBody(const void* buffer, std::size_t count) {
    const auto* p = static_cast<const std::uint8_t*>(buffer);
    if (maxBodySize_ == 0 || headerPosition_ < 0) {
        WriteRaw(p, count);
        return;
    }
    while (count > 0) {
        if (bodyPosition_ >= maxBodySize_) {
            // The current record is full: it keeps M bytes, the rest goes on
            // in a CONTINUE record.
            patchU16(static_cast<std::size_t>(headerPosition_) + 2, static_cast<std::uint16_t>(maxBodySize_));
            Seek(0, 2);
            WriteHeader(BIFFID_CONTINUE, 0);
            inContinue_ = true;
        }
        std::size_t n = std::min<std::size_t>(count, maxBodySize_ - bodyPosition_);
        WriteRaw(p, n);
        p += n;
        count -= n;
        if (inContinue_) patchU16(static_cast<std::size_t>(headerPosition_) + 2, static_cast<std::uint16_t>(bodyPosition_));
    }
}

void TXLSStream::WriteByte(std::uint8_t v) { WriteRaw(&v, 1); }

void TXLSStream::WriteWord(std::uint16_t v) {
    const std::uint8_t raw[2] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)};
    WriteRaw(raw, 2);
}

void TXLSStream::WriteDWord(std::uint32_t v) {
    const std::uint8_t raw[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                 static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
    WriteRaw(raw, 4);
}

void TXLSStream::WriteByteStr16(const ByteString& s) {
    WriteWord(static_cast<std::uint16_t>(ByteStrLength(s)));
    WriteBody(s.data(), s.size());
}

void TXLSStream::WriteByteStr8(const ByteString& s) {
    WriteByte(static_cast<std::uint8_t>(ByteStrLength(s)));
    WriteBody(s.data(), s.size());
}

std::int64_t TXLSStream::Seek(std::int64_t offset, int origin) {
    std::int64_t base = 0;
    if (origin == 1) base = static_cast<std::int64_t>(position_);
    else if (origin == 2) base = static_cast<std::int64_t>(data_.size());
    std::int64_t target = base + offset;
    if (target < 0) target = 0;
    // Writing may not leave a gap beyond 4 GB; reading simply finds no bytes.
    if (target > static_cast<std::int64_t>(0xFFFFFFFFll)) target = 0xFFFFFFFFll;
    position_ = static_cast<std::size_t>(target);
    return target;
}

}  // namespace vesk
