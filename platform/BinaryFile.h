// Files of bytes opened by this program: never a pipe's wait, never a
// device taken for a file, every read bounded.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace vesk {

// Opens the file at the native path with open(2)'s flags (and mode for
// one created) without ever waiting on a named pipe, and only when it is
// a regular file: a pipe, a device or a folder, there at the look before
// or put there since, is refused by its kind (lastFileError()), but for a
// character device opened to be written alone (/dev/null, /dev/full). The
// descriptor (blocking, close-on-exec); -1 on failure.
int openRegularFile(const std::string& native, int flags, unsigned mode = 0666);

// The bounds of the kinds of file read whole that have none of their own
// (a tree, a state file, a command or rule file have theirs).
// The settings (VE-SK.INI), the limits, the ranges, a list of positions.
inline constexpr std::uint64_t LongestSettingsFile = std::uint64_t(1) << 20;
// A report template, the help of the command language.
inline constexpr std::uint64_t LongestTemplate = std::uint64_t(4) << 20;
// An indicator set (a workbook).
inline constexpr std::uint64_t LongestWorkbook = std::uint64_t(64) << 20;

// A file of bytes, opened and closed within one operation.
class BinaryFile {
public:
    enum class Mode {
        Read,    // existing file, reading only
        Update,  // existing file, reading and writing
        Create,  // a file made new (createNewNative), reading and writing
        // What a killed write of this program left at the name as spelt (a
        // save's journal), reading only: openLeftover's rule, anything
        // else refused unread (foreign()).
        ReadLeftover,
    };

    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool open(const std::string& path, Mode mode);
    bool isOpen() const { return file_ != nullptr; }
    // The last open was refused as something this program did not leave.
    bool foreign() const { return foreign_; }
    // Closes; false when buffered data could not be written.
    bool close();

    // Reads up to n bytes; returns how many were read.
    std::size_t read(void* buffer, std::size_t n);
    bool write(const void* buffer, std::size_t n);
    bool seek(std::uint64_t position);
    std::optional<std::uint64_t> size();
    // True when a read or write has failed (not merely reached the end).
    bool failed() const;
    // The text, with the reason of a failed read or write when one failed.
    std::string failureText(const std::string& text) const;
    // The rest of the file from the current position, at most `bound`
    // bytes, the bound of the kind of file read: the read stops at bound + 1
    // byte and the file is refused as too big (lastFileError() names the
    // bound), whatever its size said (a file of size 0 that never ends, as
    // /proc/self/pagemap). Nothing then, and nothing on a read error.
    std::optional<std::string> readRest(std::uint64_t bound);

private:
    std::FILE* file_ = nullptr;
    bool lastWasWrite_ = false;
    bool lastWasRead_ = false;
    bool readFault_ = false;  // a read failed by the fault hook
    bool foreign_ = false;
};

}  // namespace vesk
