// Locks on lock files and on the files they guard, and the write in place
// of a file such a lock keeps others from.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "FileKinds.h"

namespace vesk {

// Writes bytes at offset of the existing file at path, then flushes them to
// the device. An append (offset at the end) that fails is cut back to the
// old length. False on any failure, with lastFileError() telling why.
// Refused before a byte is written, untouched set: a file that cannot be
// opened, is read-only or has a second name (a hard link, which the write
// would change too). Refused as well, untouched not set as the file there
// is not this program's to mend: one that is no longer the file a FileLock
// of this program guards under that name (one put in its place by hand).
bool writeAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool* untouched = nullptr);

// An advisory lock held on a lock file for as long as this object lives
// (or until unlock); the system releases it when the program dies.
class FileLock {
public:
    FileLock() = default;
    ~FileLock() { unlock(); }
    FileLock(FileLock&& other) noexcept
        : fd_(other.fd_), guard_(std::move(other.guard_)), path_(std::move(other.path_)),
          guarded_(std::move(other.guarded_)), created_(other.created_) {
        other.fd_ = -1;
        other.created_ = false;
    }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    enum class Result { Locked, InUse, Failed };
    // Takes an exclusive lock without waiting on the lock file at path,
    // created when missing but never through a symbolic link, and checked
    // once locked to be still the file at path; then on the file `guarded`
    // when it exists (guard), so that a lock file deleted by hand while
    // held lets nobody in. InUse when another holder has either; Failed
    // (with lastFileError()) when a lock file cannot be opened or is not a
    // regular file. In a folder where no file can be made (read-only) and
    // no lock file exists, the lock of `guarded` alone serves.
    Result lock(const std::string& path, const std::string& guarded = {});
    // Adds the lock of the existing regular file at path (one this lock
    // keeps others from); false when another holder has it or it cannot
    // be opened. replaceFile passes the lock on to the file it puts in the
    // guarded file's place.
    bool guard(const std::string& path);
    void unlock();
    bool locked() const { return fd_ >= 0 || guard_ != nullptr; }
    // True when this object holds the lock of the file at path (and its
    // guarded file is still the one at that name); false with lookupError()
    // set when a look at them failed and that could not be told.
    bool holds(const std::string& path) const;
    // True when the file at path is the lock file or the guarded file this
    // object holds, told by the file itself (device and inode), whatever
    // form its name took: relative or absolute, through "..", its folders
    // spelt in another letter case or reached through a link. False when
    // it is not, or (lookupError() set) when it could not be looked at.
    bool holdsFileAt(const std::string& path) const;
    // Whether the guarded file's name still points at the file locked:
    // Replaced when another is there now (one put in its place by hand
    // while locked, which the lock does not keep others from), Removed
    // when none is (deleted or moved away; a file of that name in another
    // letter case is not at it); CouldNotTell (lookupError()) when a look
    // at it failed, never taken for either. Current without a guard.
    // changedFileText tells each.
    using Guarded = FileAtName;
    Guarded guardedFile() const;
    const std::string& path() const { return path_; }
    // After lock() gave InUse: the file whose lock another holder has (the
    // lock file, or the guarded file when the lock file was taken away).
    const std::string& busyPath() const { return busy_; }
    // True when lock() made the lock file it holds (there was none at its
    // path): one whose owner then makes nothing may take it away again.
    bool created() const { return created_; }

private:
    // A guard's descriptor lives on the heap, where replaceFile finds it.
    void releaseGuard();

    int fd_ = -1;
    std::unique_ptr<int> guard_;
    std::string path_, guarded_, busy_;
    bool created_ = false;
};

}  // namespace vesk
