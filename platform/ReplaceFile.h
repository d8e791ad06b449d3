// The files this program makes to write in, and the temporary ones among
// them: every one created new, never written through what stands at its
// name; a whole file written through a temporary file of its own, renamed
// over the old one; and clearing what a killed program left.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The one rule of every file this program makes to write in: created
// new at the native path (exclusive), never through a link or anything
// else that stands at the name, which is refused ("plik ju\xBF istnieje")
// and left as it is; a regular file, no pipe ever waited on. Opened with
// open(2)'s flags (O_WRONLY or O_RDWR, O_APPEND), mode less the umask.
// The descriptor (close-on-exec); -1 with lastFileError() on failure.
int createNewNative(const std::string& native, int flags, unsigned mode = 0666);
// The same at a path of the core: its folders found without regard to
// case, a name several files have in other letter cases refused.
int createNewFile(const std::string& path, int flags);
// Opens again, to write in, a file this program made new (one that a
// whole-file write of its own has since put in its place): an existing
// regular file of one name, not through a link. -1 with lastFileError().
int reopenOwnFile(const std::string& path, int flags);
// A temporary file of its own beside the native target, made by
// createNewNative (mode 0600): the target's name followed by
// TemporarySuffix and six random characters ("T.qad.tmp3fZ9aQ"), another
// such name tried while one is taken. The descriptor, its name in
// `temporary`; -1 with lastFileError() on failure.
int createTemporaryFile(const std::string& nativeTarget, std::string& temporary);

// What stood at the fixed name of a file this program makes anew there
// (a report's "NAME.roz.txt.nowy", renamed onto its place once whole),
// cleared before it is made: nothing there (None); a regular file of one
// name, which a killed run left, removed (Removed); anything else (a
// link, a file with another name too, a pipe, a device, a folder) someone
// put there, left as it is (Refused, lastFileError() telling what it is),
// as is a name whose look or removal failed.
enum class Leftover { None, Removed, Refused };
Leftover removeLeftover(const std::string& path);
// Opens to read, at path's name as spelt, such a file (a save's journal
// found on opening): never through a link, the rule told by fstat of what
// was opened. The descriptor; -1 with lastFileError(), and foreign true
// where something that is no such file stands there (never read).
int openLeftover(const std::string& path, bool& foreign);
// Whether what stands at path is such a file, one a killed write of this
// program may have left: false, lastFileError() telling what it is, for
// anything removeLeftover leaves, and for nothing there.
bool isLeftover(const std::string& path);

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
// replaceFile of a file named for an operator (its statements and pages,
// its facts): the name taken as spelt (ExactFileNames), so that a file of
// another spelling, another operator's ("T.BIK" beside "t.BIK"), is
// neither replaced nor removed.
bool replaceFileAsSpelt(const std::string& path, std::string_view bytes, Flush flush = Flush::ToDevice);
// Whether replaceFile would put a new file at path, asked before the new
// file is made elsewhere (a report written through a temporary file of a
// fixed name): false, with lastFileError() telling why, for a name several
// files have in other letter cases, a file or a link to one that is no
// regular file, or a file the user made read-only.
bool mayReplace(const std::string& path);

// The temporary file of replaceFile (createTemporaryFile) is named like its
// target followed by this and six random characters ("T.qad.tmp3fZ9aQ"); a
// killed program may leave one, which removeStaleTemporaries takes away.
inline constexpr std::string_view TemporarySuffix = ".tmp";

// The name a file made anew in place (a creation's tree and state file,
// a report made whole before it is renamed onto its own name) has while
// it is written: the file's name followed by this ("T.tr1.nowy").
inline constexpr const char* NewFileSuffix = ".nowy";

// Removes what a killed program may have left beside the file at path:
// its temporary files (the name followed by TemporarySuffix and six
// characters), and with MadeNew::Yes, for a file this program makes anew
// at NewFileSuffix's name, that new file with its temporary files too;
// spelt as that file is (as the path has it when there is none), each one
// removeLeftover would take (a link or a second name of another file
// someone put there stays). No other name is taken for a leftover:
// "T.qad.Kopia1" or "T.tr1.nowy.backup" is the user's copy, and so is a
// ".nowy" beside a file the program never makes anew ("T.BIK.nowy"). The
// files removed (the path's folder followed by each one's name).
enum class MadeNew { No, Yes };
std::vector<std::string> removeStaleTemporaries(const std::string& path, MadeNew madeNew = MadeNew::No);

// The name of the file a temporary file of createTemporaryFile was made
// for ("T.BIK" for "T.BIK.tmpAbC123"); nothing for any other name.
std::optional<std::string_view> temporaryTarget(std::string_view name);
// Removes the temporary files (named as temporaryTarget tells, each one
// removeLeftover would take) in the folder (found as findExisting finds
// it, "" the working one) of the files `whose` takes for its own, by
// their exact names. The files removed (the folder followed by each one's name).
std::vector<std::string> removeTemporaries(const std::string& folder,
                                           const std::function<bool(std::string_view target)>& whose);

// Flushes the folder holding the existing file at path to the device, so
// that a rename or creation there outlives a power cut. A file system that
// cannot flush folders (EINVAL) counts as done. False on failure, with
// lastFileError() telling why.
bool syncFolderOf(const std::string& path);

}  // namespace vesk
