#include "ReplaceFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

#include "BinaryFile.h"
#include "FileLookup.h"
#include "FileSystemDetail.h"
#include "Paths.h"

namespace vesk {

using namespace fsdetail;

namespace {

// Flushes the folder of the native path (a file's) to the device; a file
// system that cannot flush folders (EINVAL) counts as done. The error
// number on failure.
int flushNativeFolder(const std::string& native) {
    std::string folder = native.substr(0, native.find_last_of('/') + 1);
    if (folder.empty()) folder = ".";
    if (faultAt("sync folder")) return errno;
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return errno;
    const int error = ::fsync(dir) == 0 || errno == EINVAL ? 0 : errno;
    ::close(dir);
    return error;
}

// The six random characters of a temporary name.
bool isTemporaryTail(std::string_view tail) {
    return tail.size() == 6 && std::all_of(tail.begin(), tail.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

// Why what stands at the native path is no file a killed write of this
// program left (which is a regular file of one name, made new): a link
// (ELOOP), a second name of another file, a pipe, a folder; 0 for one it
// may have left; the look's errno when it failed. One rule for every
// name cleared of leftovers.
int notALeftover(const std::string& native, bool& missing) {
    struct stat st;
    missing = false;
    if (::lstat(native.c_str(), &st) != 0) {
        missing = errno == ENOENT;
        return errno;
    }
    return leftoverError(st);
}

// Removes what a killed write left at the native path: true when it was
// such a file and is gone; anything else is left as it is.
bool removeIfLeftover(const std::string& native) {
    bool missing = false;
    return notALeftover(native, missing) == 0 && ::unlink(native.c_str()) == 0;
}

// Renames from to `to` only where nothing (a link neither) has that name:
// EEXIST otherwise. A file system without such a rename links the file
// there (which fails alike) and removes its first name.
int renameToNew(const char* from, const char* to) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (::link(from, to) != 0) return errno;
    ::unlink(from);
    return 0;
}

}  // namespace

namespace fsdetail {

int leftoverError(const struct stat& st) {
    return S_ISLNK(st.st_mode)                        ? ELOOP
           : S_ISREG(st.st_mode) && st.st_nlink > 1 ? HardLinkedFile
                                                      : kindError(st);
}

// Each step true on success; on failure errno tells why.
bool writeAll(int fd, std::string_view bytes, std::uint64_t offset) {
    if (faultAt("write")) return false;
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

// After a rename to the native path: its folder flushed, so that the
// rename outlives a power cut; FolderNotFlushed when that fails.
bool flushFolderOf(const std::string& native) {
    const int error = flushNativeFolder(native);
    if (error == 0) return true;
    lastSyncError = error;
    return fail(FolderNotFlushed);
}

}  // namespace fsdetail

int createNewNative(const std::string& native, int flags, unsigned mode) {
    // A file this call made is a new regular file: nothing else (a pipe,
    // a device) can have been opened, so nothing is waited on or asked.
    const int fd = ::open(native.c_str(), (flags & (O_ACCMODE | O_APPEND)) | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC,
                          static_cast<mode_t>(mode));
    if (fd >= 0) return fd;
    fail(errno);
    // What has the name is named: a link, a pipe, a folder.
    struct stat st;
    if (lastError == EEXIST && ::lstat(native.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        fail(S_ISLNK(st.st_mode) ? ELOOP : kindError(st));
    return -1;
}

int createNewFile(const std::string& path, int flags) {
    if (refuseAmbiguous(path)) return -1;
    return createNewNative(nativePathForCreate(path), flags);
}

int reopenOwnFile(const std::string& path, int flags) {
    const int fd = openRegularFile(nativePathForCreate(path), (flags & (O_ACCMODE | O_APPEND)) | O_NOFOLLOW);
    struct stat st;
    if (fd < 0 || (::fstat(fd, &st) == 0 && st.st_nlink == 1)) return fd;
    ::close(fd);
    fail(HardLinkedFile);
    return -1;
}

int createTemporaryFile(const std::string& nativeTarget, std::string& temporary) {
    static constexpr char Znaki[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::random_device zrodlo;
    std::uniform_int_distribution<std::size_t> znak(0, sizeof Znaki - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = nativeTarget + std::string(TemporarySuffix);
        for (int i = 0; i < 6; ++i) temporary += Znaki[znak(zrodlo)];
        const int fd = createNewNative(temporary, O_RDWR, 0600);
        if (fd >= 0 || lastError != EEXIST) return fd;
    }
    return -1;
}

Leftover removeLeftover(const std::string& path) {
    if (refuseAmbiguous(path)) return Leftover::Refused;
    const std::string native = nativePathForCreate(path);
    bool missing = false;
    if (const int refused = notALeftover(native, missing))
        return missing ? Leftover::None : (fail(refused), Leftover::Refused);
    if (faultAt("remove") || ::unlink(native.c_str()) != 0) return fail(errno), Leftover::Refused;
    return Leftover::Removed;
}

int openLeftover(const std::string& path, bool& foreign) {
    foreign = false;
    // Never through a link (ELOOP), never waiting on a pipe; the kind told
    // by what was opened, not by a look before.
    const int fd = ::open(nativePathForCreate(path).c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        foreign = errno == ELOOP;
        fail(errno);
        return -1;
    }
    struct stat st;
    const bool looked = ::fstat(fd, &st) == 0;
    const int refused = !looked ? errno : leftoverError(st);
    foreign = looked && refused != 0;
    if (refused == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) return fd;
    const int error = refused ? refused : errno;
    ::close(fd);
    fail(error);
    return -1;
}

bool isLeftover(const std::string& path) {
    if (refuseAmbiguous(path)) return false;
    bool missing = false;
    const int refused = notALeftover(nativePathForCreate(path), missing);
    return refused == 0 || fail(refused);
}

std::vector<std::string> removeStaleTemporaries(const std::string& path, MadeNew madeNew) {
    const std::string folder = folderPart(path);
    const std::string name = fileNamePart(path);
    std::string nativeFolder;
    std::vector<std::string> removed;
    if (!folder.empty()) {
        auto f = findFolder(folder);
        if (!f) return removed;
        nativeFolder = *f;
    }
    // The file's name as it is spelt (as written when there is none): what
    // is left beside a file spelt otherwise ("t.tr1.nowy" beside "T.tr1")
    // is that other file's.
    std::string own = name;
    if (const auto found = findExisting(path))
        own = entryName(found->substr(found->find_last_of('/') + 1)).value_or(name);
    // The new file of a file made anew; none for any other.
    const std::string fresh = madeNew == MadeNew::Yes ? own + NewFileSuffix : std::string();
    for (const std::string& entry : listFolder(nativeFolder)) {
        const std::string cp = entryName(entry).value_or(std::string());
        if (cp.size() <= own.size() || cp.compare(0, own.size(), own) != 0) continue;
        // Only the names this program gives: its temporary files, and of a
        // file made anew, its new file and that one's temporary files. Any
        // other name beside it ("T.qad.Kopia1", "T.tr1.nowy.backup", the
        // ".nowy" of a statement) is the user's.
        const std::optional<std::string_view> target = temporaryTarget(cp);
        const bool stale = (target && (*target == own || (!fresh.empty() && *target == fresh))) ||
                           (!fresh.empty() && cp == fresh);
        if (stale && removeIfLeftover(childPath(nativeFolder, entry))) removed.push_back(folder + cp);
    }
    return removed;
}

std::optional<std::string_view> temporaryTarget(std::string_view name) {
    const std::size_t suffix = TemporarySuffix.size() + 6;
    if (name.size() <= suffix || name.substr(name.size() - suffix, TemporarySuffix.size()) != TemporarySuffix ||
        !isTemporaryTail(name.substr(name.size() - 6)))
        return std::nullopt;
    return name.substr(0, name.size() - suffix);
}

std::vector<std::string> removeTemporaries(const std::string& folder,
                                           const std::function<bool(std::string_view target)>& whose) {
    std::vector<std::string> removed;
    std::string nativeFolder;
    if (!folder.empty()) {
        const auto found = findFolder(folder);
        if (!found) return removed;
        nativeFolder = *found;
    }
    for (const std::string& entry : listFolder(nativeFolder)) {
        const std::optional<std::string> cp = entryName(entry);
        const std::optional<std::string_view> target = cp ? temporaryTarget(*cp) : std::nullopt;
        if (target && whose(*target) && removeIfLeftover(childPath(nativeFolder, entry))) removed.push_back(folder + *cp);
    }
    return removed;
}

bool syncFolderOf(const std::string& path) {
    auto found = findExisting(path);
    if (!found) return failNotFound();
    const int error = flushNativeFolder(*found);
    return error == 0 || fail(error);
}

bool createFile(const std::string& path, std::string_view bytes) { return replaceFile(path, bytes, false, Flush::ToDevice, true); }

bool replaceFileAsSpelt(const std::string& path, std::string_view bytes, Flush flush) {
    const ExactFileNames asSpelt;
    return replaceFile(path, bytes, false, flush);
}

namespace {

// What mayReplace tells, with the file found at path (nothing when there
// is none) and its stat: one look serves the question and the write.
bool replaceable(const std::string& path, std::optional<std::string>& existing, struct stat& st) {
    existing = findExisting(path);
    if (!existing) return !(lookupAmbiguous || lookupFailure) || failNotFound();
    if (!statPath(*existing, st)) {
        existing.reset();
        return true;
    }
    if (!S_ISREG(st.st_mode)) return fail(kindError(st));
    // A file the user made read-only is not replaced, even where the
    // folder would allow it.
    return !modeForbidsWriting(st) || fail(ReadOnlyFile);
}

}  // namespace

bool mayReplace(const std::string& path) {
    std::optional<std::string> existing;
    struct stat st;
    return replaceable(path, existing, st);
}

bool replaceFile(const std::string& path, std::string_view bytes, bool keepSpelling, Flush flush, bool onlyNew) {
    std::optional<std::string> existing;
    struct stat st;
    if (!replaceable(path, existing, st)) return false;
    std::string target = nativePathForCreate(path);
    mode_t mode = 0;
    if (existing) {
        if (keepSpelling) target = *existing;
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (onlyNew && existing) return fail(EEXIST);
    std::string temporary;
    if (faultAt("create")) return fail(errno);
    const int fd = createTemporaryFile(target, temporary);
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0;
    ok = ok && writeAll(fd, bytes, 0);
    ok = ok && (flush == Flush::No || (!faultAt("sync") && ::fsync(fd) == 0));
    int error = errno;
    // A locked file's lock goes with its place: the new file is locked
    // before it takes the old one's name, so nobody finds it unlocked.
    // Only the name the lock was taken under passes it on: a second name
    // of the locked file replaced leaves the lock where it is.
    std::unique_lock<std::mutex> heldGuards(guardsMutex());
    int* guard = ok && existing ? guardOf(*existing, st) : nullptr;
    int kept = -1;
    if (guard) {
        kept = ::dup(fd);
        if (kept < 0 || ::flock(kept, LOCK_EX | LOCK_NB) != 0) {
            ok = false;
            error = errno;
        }
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok) {
        error = faultAt("rename")  ? errno
                : onlyNew          ? renameToNew(temporary.c_str(), target.c_str())
                : std::rename(temporary.c_str(), target.c_str()) == 0 ? 0
                                                                       : errno;
        ok = error == 0;
    }
    if (!ok) {
        if (kept >= 0) ::close(kept);
        ::unlink(temporary.c_str());
        return fail(error);
    }
    if (guard) passGuard(guard, kept, target);
    heldGuards.unlock();
    // The twin of another spelling goes only once the new file is in place.
    if (existing && *existing != target) ::unlink(existing->c_str());
    return flush == Flush::No || flushFolderOf(target);
}

}  // namespace vesk
