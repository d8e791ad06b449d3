// What stands at a name (a folder, a pipe, a device, a read-only file) and
// why an operation of the file layer failed, told in Polish; the fault a
// test injects into the layer's steps.
#pragma once

#include <cerrno>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

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

// A file whose contents must not change: it exists and has no write
// permission (checked on the mode, so that it holds for root as well).
bool isReadOnlyFile(const std::string& path);
// A folder where no file can be made or removed: the one holding the file
// at path gives this user no write permission, or is on a read-only
// medium (EROFS counts as EACCES). The files made beside such a file (a
// lock, a journal, a temporary file) cannot be, so it is read-only too.
bool isReadOnlyFolderOf(const std::string& path);
// Why the entry at path (its last component not followed) is no regular
// file, in fileErrorText's words ("to jest folder", a link "dowi\xB9zanie
// symboliczne"); empty when there is none or a regular file.
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
// What stands at the name of a file this program holds or is opening,
// against the file it opened or locked there: that file (Current),
// another one (Replaced), none (Removed: deleted or moved away), another
// or none at each look, which not known (Changing: another program
// replacing it while it was being opened and locked), or nothing told as
// a look at it failed (CouldNotTell, lookupError() telling why).
enum class FileAtName { Current, Replaced, Removed, Changing, CouldNotTell };
// What happened to the file, told of `named` ("plik OP/T.qad", its name as
// it is on disk): "... zosta\xB3 zast\xB9piony innym plikiem", "... zosta\xB3
// usuni\xEAty lub przeniesiony", "nie uda\xB3o si\xEA sprawdzi\xE6, czy ... jest
// wci\xB9\xBF tym otwartym: " and lookupError()'s reason; Changing: named, ": "
// and the reason "plik zmieni\xB3 si\xEA w trakcie otwierania (...)", which
// alone (named empty) is what fileErrorText and lastFileError say of such a
// file. Empty for Current.
std::string changedFileText(FileAtName at = FileAtName::Changing, const std::string& named = {});

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
// The text of a file refused as longer than `bound` bytes ("plik jest za
// duży (ponad 16 MB)"), as lastFileError() gives it.
std::string tooBigText(std::uint64_t bound);

// A fault in the file layer, for tests: while set, replaceFile, writeAt,
// removeFile and renameFile ask it before each of their steps ("create",
// "write", "sync", "rename", "sync folder", "remove"), and every lookup
// before each stat ("stat") and listing of a folder ("list"), and fail that
// step with `error` (an input/output error unless said) when it answers
// true. An empty function removes it.
using FileFault = std::function<bool(std::string_view step)>;
void setFileFault(FileFault fault, int error = EIO);

}  // namespace vesk
