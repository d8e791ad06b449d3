// The file layer's own: its error numbers beyond the system's, the state
// of the last lookup and failure of this thread, and the helpers its
// concerns share. Included only by the layer's .cpp files.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vesk::fsdetail {

// The error number of the last failure; ReadOnlyFile for a file refused by
// its mode.
constexpr int ReadOnlyFile = -1;
// Something else than a regular file or folder where a file was expected
// (a lock file, a locked file or one to be read or written): a named pipe,
// a device, a socket, any other.
constexpr int NotRegularFile = -2;
constexpr int NamedPipe = -10;
constexpr int DeviceFile = -11;
constexpr int SocketFile = -12;
// A file whose name pointed at another file (or none) at each look while
// it was being opened and locked: another program replacing it.
constexpr int ChangingFile = -13;
// A name that no file has as written but several have in other letter
// cases (ambiguousMatches).
constexpr int AmbiguousName = -3;
// A file written in place that has another name too (a hard link), or
// that is no longer the file this program locked under its name.
constexpr int HardLinkedFile = -4;
constexpr int ReplacedFile = -5;
// A rename that happened, whose folder could not then be flushed to the
// device (the flush's own error in lastSyncError).
constexpr int FolderNotFlushed = -6;
// An entry that is a symbolic link to nothing (a share not mounted), its
// link and target in danglingLink; a stat that met a loop of links.
constexpr int DanglingLink = -7;
constexpr int LinkLoop = -8;
// A file read past the bound of its kind (BinaryFile::readRest), the bound
// in lastBound.
constexpr int TooBig = -9;
inline thread_local int lastError = 0;
inline thread_local std::uint64_t lastBound = 0;
// The last dangling link a lookup met: its path and where it points (native).
inline thread_local std::pair<std::string, std::string> danglingLink;
inline thread_local int lastSyncError = 0;
// The files of the last ambiguous name findExisting met, for its message.
inline thread_local std::vector<std::string> lastAmbiguous;
// Whether the last findExisting failed on such a name.
inline thread_local bool lookupAmbiguous = false;
// The number of ExactFileNames alive on this thread.
inline thread_local int exactNames = 0;
// The error of the call by which the last lookup could not tell whether a
// file is there (lookupError); 0 when it could.
inline thread_local int lookupFailure = 0;

// Records error for lastFileError(); false.
bool fail(int error);
// True (errno set) when the test's fault answers for this step.
bool faultAt(std::string_view step);

// The one rule of every lookup: a call that fails with these has found
// that there is no such file (or no folder on the way to it); any other
// failure (no permission to list a folder, an input/output error) tells
// nothing of it, and is recorded for lookupError(), its error for
// lastFileError() (couldNotTell, false).
inline bool notThere(int error) { return error == ENOENT || error == ENOTDIR; }
bool couldNotTell(int error);
// False (errno set) when there is no such entry or it could not be told.
bool statPath(const std::string& native, struct stat& st);
std::string childPath(const std::string& base, const std::string& name);
// Entry names of a folder (native), "." and ".." left out, sorted; none,
// with lookupFailure set, when the folder cannot be listed whole.
std::vector<std::string> listFolder(const std::string& native);
// An entry's name in code page 1250; nothing for a name no core path can spell.
std::optional<std::string> entryName(const std::string& entry);
// Why findExisting found nothing: no such file, a name several files
// have in other letter cases, or the error that kept it from telling.
bool failNotFound();
// True (lastError set) when path names several files in other letter
// cases and none as written, or it cannot be told whether it names one.
bool refuseAmbiguous(const std::string& path);
// Removes a file that differs from the one about to be created only in
// letter case, so that one logical file never exists twice.
void removeCaseVariant(const std::string& path, const std::string& native);
// A folder found as findExisting finds it, also while ExactFileNames holds.
std::optional<std::string> findFolder(const std::string& path);
// The files of the last ambiguous name, as code page 1250 paths.
std::vector<std::string> lastAmbiguousNames();

// True for a regular file whose mode gives nobody write permission.
inline bool modeForbidsWriting(const struct stat& st) { return S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0; }
// The error of a file that is no regular one, naming its kind: EISDIR for
// a folder, NamedPipe, DeviceFile, SocketFile, NotRegularFile for the
// rest; 0 for a regular file.
int kindError(const struct stat& st);
// The one rule of what a killed write of this program may have left at a
// name (and so may be read, applied or removed there): a regular file of
// one name, 0; a link ELOOP, a second name of another file HardLinkedFile,
// anything else kindError's. Told by lstat of the name, or fstat of a file
// opened there without following a link.
int leftoverError(const struct stat& st);

// Writes all bytes at offset; on failure errno tells why.
bool writeAll(int fd, std::string_view bytes, std::uint64_t offset);
// After a rename to the native path: its folder flushed, so that the
// rename outlives a power cut; FolderNotFlushed when that fails.
bool flushFolderOf(const std::string& native);

// The lock on the guards of every FileLock (FileLock::guard), which
// replaceFile hands on to the file it renames into a guarded place.
std::mutex& guardsMutex();
// The guard taken under the native name whose file is the one st
// describes (a lock stays on its own name: the same file reached by a
// second name has none); the mutex held.
int* guardOf(const std::string& native, const struct stat& st);
// Hands the guard on to the file open as fd, now at the native name; the
// mutex held.
void passGuard(int* guard, int fd, const std::string& native);

}  // namespace vesk::fsdetail
