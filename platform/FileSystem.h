// File access for the core. Paths are the core's code-page-1250 texts with
// "\" or "/" as separators. Files and folders are found without regard to
// letter case, one path component at a time, a name spelt exactly as
// written first; several spelt otherwise find none (ambiguousMatches).
// Files are created with exactly the spelling given. A name from outside (command line, file
// dialog) comes in through fileNameToCp1250 (CodePage.h) or is refused; a
// file whose name code page 1250 cannot spell is found by no path.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The native (UTF-8, "/"-separated) path of an existing file or folder
// matching path without regard to case; nothing when there is none or it
// cannot be told (lookupError).
std::optional<std::string> findExisting(const std::string& path);

// Every lookup has three answers: there, not there, and could not tell.
// Only a call failing with "no such file" or "not a folder" on the way
// (ENOENT, ENOTDIR) finds a file not there; a folder that can be entered
// but not listed, an input/output error or any other failure of a stat,
// an open or a read of a folder tells nothing, and nothing is to be made,
// replaced or repaired for the missing file then. lookupError() is the
// error of the call that could not tell in the last lookup of this thread
// (findExisting, folderEntries, fileExists, folderExists, ambiguousMatches,
// and those made through them), 0 when it answered; lastFileError() then
// tells it. Files that would be made or replaced under such a name
// (replaceFile, BinaryFile, TextWriter, createFolders, renameFile, a lock)
// are refused with it.
int lookupError();
// The refusal of a file or folder whose lookup could not tell: `named`
// ("Folder OP/", "Plik ustawie\xF1 X") followed by lookupError()'s reason.
std::string unreadableText(const std::string& named);

// While one of these lives on a thread, every path's last component is
// taken as spelt there: a file whose name differs only in letter case is
// neither found nor replaced, removed or renamed over (folders are still
// found without regard to case). For the files made beside an operator's,
// named in its spelling: "t.qad.zapis" is not the journal of "T.qad".
class ExactFileNames {
public:
    ExactFileNames();
    ~ExactFileNames();
    ExactFileNames(const ExactFileNames&) = delete;
    ExactFileNames& operator=(const ExactFileNames&) = delete;
};

// When no file or folder is spelt as path has it but several match it
// without regard to case ("T.TR1" and "t.tr1" for "T.tr1"), findExisting
// finds none, as taking one would be a guess: their paths (code page 1250,
// sorted); empty otherwise. Replacing, creating (BinaryFile, TextWriter),
// renaming to or locking such a path fails, and lastFileError() then says
// ambiguousNameText of them.
std::vector<std::string> ambiguousMatches(const std::string& path);
// The reason a name is refused as ambiguous, naming its files (or folders).
std::string ambiguousNameText(const std::vector<std::string>& names);

// The native path under which a file of this name is to be created: the
// folders resolved without regard to case (under ExactFileNames too), the
// file name as given.
std::string nativePathForCreate(const std::string& path);

// The names of the entries of the folder at path, found as findExisting
// finds it ("" is the working folder), in code page 1250 and sorted, its
// folders (a link to one too) apart from the rest; a name code page 1250
// cannot spell is apart too, native, as no path names it. Nothing when there is no
// such folder, or it cannot be listed whole (lookupError).
// An entry that cannot be followed (a link to nothing, a loop of links,
// one into a folder that may not be entered) is in neither list: only a
// caller looking for a file of its name (without regard to case) refuses
// it, naming it and the reason.
struct FolderEntries {
    struct Unreadable {
        std::string name, reason;
    };
    std::vector<std::string> files;    // every entry that is no folder
    std::vector<std::string> folders;
    std::vector<Unreadable> unreadable;
    std::vector<std::string> unusable;  // native names code page 1250 cannot spell
};
std::optional<FolderEntries> folderEntries(const std::string& path);

// The message refusing a name from outside that fileNameToCp1250 cannot
// carry, naming it readably (readableFileName): bytes that are not UTF-8
// (a replacement character from a dialog that could not read them among
// them) or characters code page 1250 lacks.
std::string unusableFileNameMessage(std::string_view native);
// The same for a name given for a file to be written (a save dialog):
// there is no file to rename, the user is to choose another name.
std::string unusableNewFileNameMessage(std::string_view native);
// The same for a folder from outside (an environment variable, a line of
// the settings file): `source` says where it was given, `remedy` what the
// user is to do; nothing has been made in it or under its name.
std::string unusableFolderMessage(std::string_view native, const std::string& source, const std::string& remedy);

// True for an existing file (not a folder). "*" and "?" in the last
// component match as in a directory search.
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
bool removeFile(const std::string& path);
// Replaces `to` (if present) by `from`, then flushes the folder to the
// device as replaceFile does.
bool renameFile(const std::string& from, const std::string& to);
bool createFolders(const std::string& path);

// Replaces the whole file at path (created when missing) by `bytes`: they
// go to a new file in the same folder, which is flushed to the device
// (fsync) and then renamed over the old one, so that the old file stays
// whole until the rename. The file gets the spelling given, replacing a
// twin that differs only in case, unless keepSpelling asks to keep the
// spelling of the existing file. The folder is then flushed to the device
// (syncFolderOf), so that the rename outlives a power cut. False on any
// failure, with the old file untouched and no new file left behind, but
// for one: a folder that could not be flushed after the rename, which
// lastFailureAfterRename() tells, and whose new file is in place. A file
// or a link to one that is no regular file (a folder, a device, a pipe) is
// refused naming its kind, never renamed over.
// Flush::No leaves out both flushes: for a file made again at every use
// (a report shown in a window), whole or absent after a crash but perhaps
// older; never for a file that is the user's only copy of a result.
// With onlyNew, the file is put in place only where nothing has its name
// (a link to nothing neither), found so or put there since: EEXIST then
// ("plik ju\xBF istnieje"), nothing changed (createFile).
enum class Flush { ToDevice, No };
bool replaceFile(const std::string& path, std::string_view bytes, bool keepSpelling = false,
                 Flush flush = Flush::ToDevice, bool onlyNew = false);
bool createFile(const std::string& path, std::string_view bytes);

// The temporary file of replaceFile is named like its target followed by
// this and six random characters ("T.qad.tmp3fZ9aQ"); a killed program may
// leave one, which removeStaleTemporaries takes away.
inline constexpr std::string_view TemporarySuffix = ".tmp";

// Removes what a killed program may have left beside the file at path:
// its temporary files (the name followed by TemporarySuffix and six
// characters, by ".nowy" alone or with "." or TemporarySuffix and six
// characters, or an earlier program's "." and six characters of mixed
// case), spelt as that file is (as the path has it when there is none).
// The files removed (the path's folder followed by each one's name).
std::vector<std::string> removeStaleTemporaries(const std::string& path);

// A file whose contents must not change: it exists and has no write
// permission (checked on the mode, so that it holds for root as well).
bool isReadOnlyFile(const std::string& path);
// A folder where no file can be made or removed: the one holding the file
// at path gives this user no write permission, or is on a read-only
// medium (EROFS counts as EACCES). The files made beside such a file (a
// lock, a journal, a temporary file) cannot be, so it is read-only too.
bool isReadOnlyFolderOf(const std::string& path);
// Why the entry at path (its last component not followed) is no regular
// file, in fileErrorText's words ("to jest folder"); empty when there is
// none or a regular file.
std::string notRegularFileText(const std::string& path);
// What stands at path where a regular file is looked for (found as
// findExisting finds it, a link followed), in fileErrorText's words: "to
// jest folder", "to jest potok nazwany (FIFO)", "to jest urz\xB9dzenie", a
// link to nothing, a loop of links, a name several files have in other
// letter cases, or why a look at it failed; empty for a regular file, and
// where there is surely nothing (no entry, no link: a file may be made).
std::string fileKindText(const std::string& path);
// True where there is surely nothing at path: no entry of its name (in any
// letter case), no link, and every look could tell. A file that cannot be
// read is called missing only then.
bool surelyMissing(const std::string& path);
// The reason of a file found at one look and another or none at the next
// while it was being opened and locked: another program replacing it.
std::string changedFileText();

// Opens the file at the native path with open(2)'s flags (and mode for
// one created) without ever waiting on a named pipe, and only when it is
// a regular file: a pipe, a device or a folder, there at the look before
// or put there since, is refused by its kind (lastFileError()), but for a
// character device opened to be written alone (/dev/null, /dev/full). The
// descriptor (blocking, close-on-exec); -1 on failure.
int openRegularFile(const std::string& native, int flags, unsigned mode = 0666);

// Writes bytes at offset of the existing file at path, then flushes them to
// the device. An append (offset at the end) that fails is cut back to the
// old length. False on any failure, with lastFileError() telling why.
// Refused before a byte is written, untouched set: a file that cannot be
// opened, is read-only or has a second name (a hard link, which the write
// would change too). Refused as well, untouched not set as the file there
// is not this program's to mend: one that is no longer the file a FileLock
// of this program guards under that name (one put in its place by hand).
bool writeAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool* untouched = nullptr);
// Flushes the folder holding the existing file at path to the device, so
// that a rename or creation there outlives a power cut. A file system that
// cannot flush folders (EINVAL) counts as done. False on failure, with
// lastFileError() telling why.
bool syncFolderOf(const std::string& path);

// Why the last failed operation of this file layer failed, for messages:
// a short text after the file's name ("brak miejsca na dysku", "brak
// uprawnien", "plik tylko do odczytu", ...); empty when nothing failed.
std::string lastFileError();
// True when the last failure of replaceFile or renameFile came after its
// rename (the folder could not be flushed): the new file is in place.
bool lastFailureAfterRename();
// Then why the folder could not be flushed: "nie uda\xB3o si\xEA zapisa\xE6 na
// dysku jego folderu (...): awaria zasilania mog\xB3aby cofn\xB9\xE6 ten zapis",
// to follow the name of the file that is in place.
std::string unflushedFolderText();
// The same text for a system error number: every system error the program
// shows is told from this one table, in Polish, naming the limit where a
// limit is the cause (a name's length, the open files, a file's size).
std::string fileErrorText(int error);
// text followed by ": " and lastFileError() when there is one.
std::string withFileError(const std::string& text);
// The message of a write or rename that failed: notWritten with the reason,
// or, when it failed only after its rename, written (the file's name) +
// " zapisany, ale " + unflushedFolderText(), never "not written: written".
std::string failedWriteText(const std::string& notWritten, const std::string& written);
// Records a failure for lastFileError() (a reader that found bad contents).
void setLastFileError(int error);

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
    // Whether the guarded file's name still points at the file locked:
    // Replaced when another is there now or none (one put in its place by
    // hand while locked, which the lock does not keep others from);
    // CouldNotTell (lookupError()) when a look at it failed. Current
    // without a guard.
    enum class Guarded { Current, Replaced, CouldNotTell };
    Guarded guardedFile() const;
    const std::string& path() const { return path_; }
    // True when lock() made the lock file it holds (there was none at its
    // path): one whose owner then makes nothing may take it away again.
    bool created() const { return created_; }

private:
    // A guard's descriptor lives on the heap, where replaceFile finds it.
    void releaseGuard();

    int fd_ = -1;
    std::unique_ptr<int> guard_;
    std::string path_, guarded_;
    bool created_ = false;
};

// True for a path whose last component is a symbolic link (dangling too).
bool isSymbolicLink(const std::string& path);
// The number of names (hard links) of the regular file at path, the last
// component not followed; 0 when there is no such file.
unsigned hardLinkCount(const std::string& path);
// The longest file name (bytes) the folder of path takes; 255 when the
// system does not tell.
std::size_t longestFileName(const std::string& path);

// A fault in the file layer, for tests: while set, replaceFile, writeAt,
// removeFile and renameFile ask it before each of their steps ("create",
// "write", "sync", "rename", "sync folder", "remove"), and every lookup
// before each stat ("stat") and listing of a folder ("list"), and fail that
// step with `error` (an input/output error unless said) when it answers
// true. An empty function removes it.
using FileFault = std::function<bool(std::string_view step)>;
void setFileFault(FileFault fault, int error = EIO);

// The working folder, in code page 1250, without a final separator except
// for the root "/"; "." when code page 1250 cannot spell its path.
std::string currentFolder();
// A path named from the root: as it is when it starts with a separator,
// else in the working folder.
std::string fullPath(const std::string& path);
// The user's cache folder, in code page 1250 with a final separator:
// $XDG_CACHE_HOME when it names a folder from the root, else $HOME/.cache;
// nothing when neither does, or code page 1250 cannot spell it.
std::optional<std::string> userCacheFolder();

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
        Create,  // new or emptied file, reading and writing
    };

    BinaryFile() = default;
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    bool open(const std::string& path, Mode mode);
    bool isOpen() const { return file_ != nullptr; }
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
};

// The lines of a text file, CR LF or LF ended (a last line without an end
// counts); nothing when the file cannot be opened or read, or is longer
// than `bound` bytes (BinaryFile::readRest).
std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::uint64_t bound);
// The text of a file refused as longer than `bound` bytes ("plik jest za
// duży (ponad 16 MB)"), as lastFileError() gives it.
std::string tooBigText(std::uint64_t bound);
// The same split of text already read: lines end at LF, a CR right before
// the LF belongs to the line end, a CR inside a line stays (a report
// template's lines are counted so) unless a lone CR is to end a line too,
// as in a file an old Mac editor saved.
enum class LoneCr { InLine, EndsLine };
std::vector<std::string> splitTextLines(const std::string& data, LoneCr loneCr = LoneCr::InLine);

// Writes a text file line by line with CR LF line ends.
class TextWriter {
public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    bool create(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    bool writeLine(std::string_view line);
    // Flushes the file to the device (fsync) and closes it; false when
    // anything failed since create().
    bool close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Writes a whole text file (CR LF) through replaceFile (createFile with
// onlyNew); false on any failure, the old file then untouched.
bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, bool onlyNew = false);

}  // namespace vesk
