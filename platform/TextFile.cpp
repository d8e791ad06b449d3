#include "TextFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "BinaryFile.h"
#include "FileSystemDetail.h"
#include "FileLookup.h"
#include "ReplaceFile.h"

namespace vesk {

using namespace fsdetail;

std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::uint64_t bound) {
    BinaryFile f;
    if (!f.open(path, BinaryFile::Mode::Read)) return std::nullopt;
    std::optional<std::string> data = f.readRest(bound);
    if (!data) return std::nullopt;
    return splitTextLines(*data);
}

std::vector<std::string> splitTextLines(const std::string& data, LoneCr loneCr) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find_first_of(loneCr == LoneCr::EndsLine ? "\r\n" : "\n", start);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + (data.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

TextWriter::~TextWriter() {
    if (file_) std::fclose(file_);
}

bool TextWriter::create(const std::string& path) {
    if (file_) close();
    if (refuseAmbiguous(path)) {
        failed_ = true;
        return false;
    }
    std::string native = nativePathForCreate(path);
    removeCaseVariant(path, native);
    const int fd = createNewNative(native, O_WRONLY);
    if (fd >= 0 && !(file_ = ::fdopen(fd, "wb"))) {
        fail(errno);
        ::close(fd);
    }
    failed_ = file_ == nullptr;
    return file_ != nullptr;
}

bool TextWriter::writeLine(std::string_view line) {
    if (!file_) return false;
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2) {
        failed_ = true;
        fail(errno);
    }
    return !failed_;
}

bool TextWriter::close() {
    if (!file_) return !failed_;
    // On the device before it is renamed into place, as every replace.
    const bool flushed = std::fflush(file_) == 0 && !faultAt("sync") && ::fsync(::fileno(file_)) == 0;
    const int error = errno;
    const bool closed = std::fclose(file_) == 0;
    if (!flushed || !closed) {
        failed_ = true;
        fail(flushed ? errno : error);
    }
    file_ = nullptr;
    return !failed_;
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, bool onlyNew) {
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += "\r\n";
    }
    return onlyNew ? createFile(path, text) : replaceFile(path, text);
}

}  // namespace vesk
