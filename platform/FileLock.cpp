#include "FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <vector>

#include "BinaryFile.h"
#include "CodePage.h"
#include "FileKinds.h"
#include "FileLookup.h"
#include "FileSystemDetail.h"
#include "Paths.h"

namespace vesk {

using namespace fsdetail;

namespace {

bool syncFile(int fd) { return !faultAt("sync") && ::fdatasync(fd) == 0; }

// The descriptors of the guarded files of every FileLock (guardsMutex held).
std::vector<int*>& guards() {
    static std::vector<int*> g;
    return g;
}

// The native path each guard was taken under.
std::map<int*, std::string>& guardNames() {
    static std::map<int*, std::string> n;
    return n;
}

// Whether two native paths name one entry: the same name, spelt as it is,
// in the same folder, however the paths reach it ("OP/T.qad",
// "/home/u/OP/T.qad"). The name a guard was taken under is its own: a
// second name of the guarded file is another.
bool sameEntry(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const std::size_t i = a.find_last_of('/'), j = b.find_last_of('/');
    const std::string_view nameA = i == std::string::npos ? std::string_view(a) : std::string_view(a).substr(i + 1);
    const std::string_view nameB = j == std::string::npos ? std::string_view(b) : std::string_view(b).substr(j + 1);
    if (nameA != nameB) return false;
    const std::string folderA = i == std::string::npos ? "." : i == 0 ? "/" : a.substr(0, i);
    const std::string folderB = j == std::string::npos ? "." : j == 0 ? "/" : b.substr(0, j);
    struct stat fa, fb;
    return ::stat(folderA.c_str(), &fa) == 0 && ::stat(folderB.c_str(), &fb) == 0 && fa.st_dev == fb.st_dev &&
           fa.st_ino == fb.st_ino;
}

// ReplacedFile when the file at native, opened as `opened`, is not the one
// a guard took under that name (one put in its place since), the error of
// a look at a guard that failed, else 0; the mutex held.
int replacesGuardedFile(const std::string& native, const struct stat& opened) {
    int refused = 0;
    for (const auto& [g, name] : guardNames()) {
        if (!sameEntry(name, native)) continue;
        struct stat mine;
        if (faultAt("stat") || ::fstat(*g, &mine) != 0) return errno;
        if (mine.st_dev == opened.st_dev && mine.st_ino == opened.st_ino) return 0;
        refused = ReplacedFile;
    }
    return refused;
}

// Whether the file open as fd is still the one at native: 1 when it is, 0
// when another file or none is there now, -1 (lookupError set) when that
// could not be told, which is no reason to lock again.
int stillThere(int fd, const std::string& native) {
    struct stat mine, theirs;
    if (::fstat(fd, &mine) == 0 && ::lstat(native.c_str(), &theirs) == 0)
        return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino ? 1 : 0;
    if (notThere(errno)) return 0;
    couldNotTell(errno);
    return -1;
}

bool sameFile(int fd, const std::string& native) {
    const int error = lastError;
    const bool same = stillThere(fd, native) > 0;
    lastError = error;
    return same;
}

// Opens an existing regular file (never a FIFO's wait) for locking, not
// through a link: -1 with lastError set otherwise.
int openToLock(const std::string& native, int flags) { return openRegularFile(native, flags | O_NOFOLLOW); }

}  // namespace

namespace fsdetail {

// The descriptors of the guarded files of every FileLock (FileLock::guard),
// which replaceFile hands on to the file it renames into a guarded place.
std::mutex& guardsMutex() {
    static std::mutex m;
    return m;
}

int* guardOf(const std::string& native, const struct stat& st) {
    for (const auto& [g, name] : guardNames()) {
        struct stat mine;
        if (::fstat(*g, &mine) == 0 && mine.st_dev == st.st_dev && mine.st_ino == st.st_ino && sameEntry(name, native))
            return g;
    }
    return nullptr;
}

void passGuard(int* guard, int fd, const std::string& native) {
    ::close(*guard);
    *guard = fd;
    guardNames()[guard] = native;
}

}  // namespace fsdetail

bool writeAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool* untouched) {
    if (untouched) *untouched = true;
    auto found = findExisting(path);
    if (!found) return failNotFound();
    struct stat st;
    if (!statPath(*found, st)) return fail(errno);
    if (modeForbidsWriting(st)) return fail(ReadOnlyFile);
    const int fd = openRegularFile(*found, O_WRONLY);
    if (fd < 0) return false;
    // What is written is the file opened: one with a second name would
    // change that one too, and one put by hand in the place of the file
    // this program locked (while a save stalled) is another program's.
    {
        std::lock_guard<std::mutex> held(guardsMutex());
        struct stat opened;
        const int refused = ::fstat(fd, &opened) != 0 ? errno
                            : opened.st_nlink > 1     ? HardLinkedFile
                                                      : replacesGuardedFile(*found, opened);
        if (refused != 0) {
            ::close(fd);
            if (untouched && refused == ReplacedFile) *untouched = false;
            return fail(refused);
        }
    }
    const auto oldSize = static_cast<std::uint64_t>(st.st_size);
    if (untouched) *untouched = false;
    bool ok = writeAll(fd, bytes, offset) && syncFile(fd);
    int error = errno;
    // A failed append leaves no part of the new bytes behind.
    if (!ok && offset >= oldSize) (void)!::ftruncate(fd, static_cast<off_t>(oldSize));
    if ((::close(fd) != 0 || faultAt("close")) && ok) {
        // The write is told failed: an append it made is taken back, as
        // one that failed before its close.
        ok = false;
        error = errno;
        if (offset >= oldSize) (void)!::truncate(found->c_str(), static_cast<off_t>(oldSize));
    }
    return ok || fail(error);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        unlock();
        fd_ = other.fd_;
        guard_ = std::move(other.guard_);
        path_ = std::move(other.path_);
        guarded_ = std::move(other.guarded_);
        created_ = other.created_;
        other.fd_ = -1;
        other.created_ = false;
    }
    return *this;
}

FileLock::Result FileLock::lock(const std::string& path, const std::string& guarded) {
    unlock();
    busy_.clear();
    if (refuseAmbiguous(path)) return Result::Failed;
    const std::string native = findExisting(path).value_or(nativePathForCreate(path));
    struct stat before;
    // (One that could not be looked at may be there: never taken for made.)
    const bool existed = ::lstat(native.c_str(), &before) == 0 || errno != ENOENT;
    // A lock file deleted or replaced between its open and its lock is not
    // the one at path: the lock is taken again on the new one.
    for (int attempt = 0; attempt < 10 && fd_ < 0; ++attempt) {
        struct stat st;
        if (::lstat(native.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            fail(S_ISLNK(st.st_mode) ? ELOOP : kindError(st));
            return Result::Failed;
        }
        int fd = openToLock(native, O_RDWR | O_CREAT);
        // A read-only lock file locks as well, and so does one on a
        // read-only medium.
        if (fd < 0 && (lastError == EACCES || lastError == EROFS) && ::lstat(native.c_str(), &st) == 0)
            fd = openToLock(native, O_RDONLY);
        if (fd < 0) {
            const int error = lastError;
            // No lock file, and none can be made: a read-only folder.
            const bool noFolderWrites = (error == EACCES || error == EROFS || error == EPERM) &&
                                        ::lstat(native.c_str(), &st) != 0 && errno == ENOENT;
            if (noFolderWrites && !guarded.empty() && fileExists(guarded)) break;
            fail(error);
            return Result::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) {
                busy_ = path;
                return Result::InUse;
            }
            fail(error);
            return Result::Failed;
        }
        const int same = stillThere(fd, native);
        // A lock file made here that could not be told still at its name
        // goes again when a second look finds it there (held till then).
        if (same < 0 && !existed) {
            const int error = lastError;
            if (stillThere(fd, native) > 0) ::unlink(native.c_str());
            couldNotTell(error);
        }
        if (same > 0) fd_ = fd;
        else ::close(fd);
        if (same < 0) return Result::Failed;
    }
    if (fd_ < 0 && (guarded.empty() || !fileExists(guarded))) {
        fail(ChangingFile);
        return Result::Failed;
    }
    path_ = path;
    created_ = fd_ >= 0 && !existed;
    if (!guarded.empty() && (fileExists(guarded) || lookupError() != 0) && !guard(guarded)) {
        // Seen a moment ago, gone at its lock: changing, not missing.
        const int error = lastError == ENOENT ? ChangingFile : lastError;
        // A lock file made here goes again, removed while still held.
        if (created_) ::unlink(native.c_str());
        unlock();
        lastError = error;
        const bool inUse = error == EWOULDBLOCK;
        if (inUse) busy_ = guarded;
        return inUse ? Result::InUse : Result::Failed;
    }
    return Result::Locked;
}

bool FileLock::guard(const std::string& path) {
    std::lock_guard<std::mutex> held(guardsMutex());
    // A file put in the name's place between the open and the lock is not
    // the one locked: the lock is taken again on it.
    int fd = -1;
    for (int attempt = 0; attempt < 10 && fd < 0; ++attempt) {
        auto found = findExisting(path);
        if (!found) return failNotFound();
        if (guard_ && sameFile(*guard_, *found)) {
            guarded_ = path;
            return true;
        }
        fd = openToLock(*found, O_RDONLY);
        if (fd < 0) return false;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        if (const int same = stillThere(fd, *found); same <= 0) {
            ::close(fd);
            fd = -1;
            if (same < 0) return false;
        }
    }
    // Another file at each look: one being replaced, not one in use
    // (EAGAIN would be taken for EWOULDBLOCK, another holder's lock).
    if (fd < 0) return fail(ChangingFile);
    guarded_ = path;
    const std::optional<std::string> native = findExisting(path);
    if (guard_) {
        ::close(*guard_);
        *guard_ = fd;
    } else {
        guard_ = std::make_unique<int>(fd);
        guards().push_back(guard_.get());
    }
    guardNames()[guard_.get()] = native.value_or(std::string());
    return true;
}

void FileLock::releaseGuard() {
    if (!guard_) return;
    std::lock_guard<std::mutex> held(guardsMutex());
    auto& g = guards();
    g.erase(std::remove(g.begin(), g.end(), guard_.get()), g.end());
    guardNames().erase(guard_.get());
    ::close(*guard_);
    guard_.reset();
}

bool FileLock::holds(const std::string& path) const {
    lookupFailure = 0;
    // The guarded file's lock holds the operator even where the lock file
    // was deleted since.
    // A lock file is named in its operator's spelling: "t.lck" is another
    // operator's, never "T.lck", made yet or not. Its folders may be spelt
    // otherwise ("OP/T.lck" for "op/T.lck").
    // The name the lock was taken under, however either path reaches its
    // folder, serves where the lock file is gone.
    const auto asSpelt = [](auto look) {
        const ExactFileNames exact;
        return look();
    };
    if (guard_ && (path_ == path || asSpelt([&] { return sameEntry(nativePathForCreate(path_), nativePathForCreate(path)); })))
        return guardedFile() == Guarded::Current;
    if (fd_ < 0 || guardedFile() != Guarded::Current) return false;
    const auto found = asSpelt([&] { return findExisting(path); });
    return found && stillThere(fd_, *found) > 0;
}

bool FileLock::holdsFileAt(const std::string& path) const {
    lookupFailure = 0;
    if (!locked()) return false;
    const auto found = findExisting(path);
    if (!found) return false;
    std::lock_guard<std::mutex> held(guardsMutex());
    return (fd_ >= 0 && stillThere(fd_, *found) > 0) || (guard_ && stillThere(*guard_, *found) > 0);
}

FileLock::Guarded FileLock::guardedFile() const {
    lookupFailure = 0;
    if (!guard_) return Guarded::Current;
    std::lock_guard<std::mutex> held(guardsMutex());
    const auto found = findExisting(guarded_);
    if (!found) return lookupFailure ? Guarded::CouldNotTell : Guarded::Removed;
    struct stat mine, theirs;
    if (::fstat(*guard_, &mine) != 0 || ::lstat(found->c_str(), &theirs) != 0) {
        // Found a moment ago and gone now: removed.
        if (notThere(errno)) return Guarded::Removed;
        couldNotTell(errno);
        return Guarded::CouldNotTell;
    }
    if (mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino) return Guarded::Current;
    // Another file at the guard's own name, or only one spelt otherwise
    // ("t.qad" found for a "T.qad" moved away), which is not at it.
    const auto name = guardNames().find(guard_.get());
    return name == guardNames().end() || name->second.empty() || sameEntry(name->second, *found) ? Guarded::Replaced
                                                                                                  : Guarded::Removed;
}

void FileLock::unlock() {
    releaseGuard();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    created_ = false;
    path_.clear();
    guarded_.clear();
}

}  // namespace vesk
