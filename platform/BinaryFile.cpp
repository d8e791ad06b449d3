#include "BinaryFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "FileKinds.h"
#include "FileLookup.h"
#include "FileSystemDetail.h"
#include "ReplaceFile.h"

namespace vesk {

using namespace fsdetail;

BinaryFile::~BinaryFile() { close(); }

int openRegularFile(const std::string& native, int flags, unsigned mode) {
    int fd = ::open(native.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, static_cast<mode_t>(mode));
    struct stat st;
    // A pipe nobody reads refuses a write-only open without waiting (ENXIO).
    if (fd < 0) {
        fail(errno == ENXIO && ::stat(native.c_str(), &st) == 0 ? kindError(st) : errno);
        return -1;
    }
    // A device written to alone never waits (/dev/null, /dev/full).
    const int refused = ::fstat(fd, &st) != 0                               ? errno
                        : (flags & O_ACCMODE) == O_WRONLY && S_ISCHR(st.st_mode) ? 0
                                                                                 : kindError(st);
    if (refused || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = refused ? refused : errno;
        ::close(fd);
        fd = -1;
        fail(error);
    }
    return fd;
}

bool BinaryFile::open(const std::string& path, Mode mode) {
    close();
    foreign_ = false;
    std::string native;
    if (mode == Mode::Create) {
        if (refuseAmbiguous(path)) return false;
        native = nativePathForCreate(path);
        removeCaseVariant(path, native);
    } else if (mode != Mode::ReadLeftover) {
        auto found = findExisting(path);
        if (!found) return failNotFound();
        struct stat st;
        if (!statPath(*found, st)) return fail(errno);
        if (const int error = kindError(st)) return fail(error);
        native = *found;
    }
    lastWasRead_ = lastWasWrite_ = readFault_ = false;
    // Opened without waiting and asked again: a pipe or device put in the
    // file's place since the look above is refused, never waited on.
    const bool reading = mode == Mode::Read || mode == Mode::ReadLeftover;
    const int fd = mode == Mode::ReadLeftover ? openLeftover(path, foreign_)
                   : mode == Mode::Create     ? createNewNative(native, O_RDWR)
                                              : openRegularFile(native, reading ? O_RDONLY : O_RDWR);
    if (fd < 0) return false;
    if (!(file_ = ::fdopen(fd, reading ? "rb" : "r+b"))) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    return true;
}

bool BinaryFile::close() {
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

std::size_t BinaryFile::read(void* buffer, std::size_t n) {
    if (!file_) return 0;
    // Between a write and a read the stream must be repositioned.
    if (lastWasWrite_) std::fseek(file_, 0, SEEK_CUR);
    lastWasWrite_ = false;
    lastWasRead_ = true;
    if (faultAt("read")) {
        readFault_ = true;
        fail(errno);
        return 0;
    }
    const std::size_t read = std::fread(buffer, 1, n, file_);
    if (read < n && std::ferror(file_)) fail(errno);
    return read;
}

bool BinaryFile::write(const void* buffer, std::size_t n) {
    if (!file_) return false;
    if (lastWasRead_) std::fseek(file_, 0, SEEK_CUR);
    lastWasRead_ = false;
    lastWasWrite_ = true;
    return std::fwrite(buffer, 1, n, file_) == n && std::fflush(file_) == 0;
}

bool BinaryFile::seek(std::uint64_t position) {
    if (!file_) return false;
    lastWasRead_ = lastWasWrite_ = false;
    return ::fseeko(file_, static_cast<off_t>(position), SEEK_SET) == 0;
}

std::optional<std::uint64_t> BinaryFile::size() {
    if (!file_) return std::nullopt;
    std::fflush(file_);
    struct stat st;
    if (faultAt("stat") || ::fstat(::fileno(file_), &st) != 0) {
        fail(errno);
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

bool BinaryFile::failed() const { return file_ != nullptr && (readFault_ || std::ferror(file_) != 0); }

std::string BinaryFile::failureText(const std::string& text) const { return failed() ? withFileError(text) : text; }

std::optional<std::string> BinaryFile::readRest(std::uint64_t bound) {
    std::string data;
    char buffer[65536];
    std::size_t n;
    // Never more than one byte past the bound is asked for.
    while (data.size() <= bound &&
           (n = read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer, bound + 1 - data.size())))) > 0)
        data.append(buffer, n);
    if (failed()) return std::nullopt;
    if (data.size() > bound) {
        lastBound = bound;
        fail(TooBig);
        return std::nullopt;
    }
    return data;
}

}  // namespace vesk
