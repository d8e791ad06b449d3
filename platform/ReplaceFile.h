// Writing a whole file through a temporary file of its own, renamed over
// the old one, and clearing the temporary files a killed program left.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

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

// Flushes the folder holding the existing file at path to the device, so
// that a rename or creation there outlives a power cut. A file system that
// cannot flush folders (EINVAL) counts as done. False on failure, with
// lastFileError() telling why.
bool syncFolderOf(const std::string& path);

}  // namespace vesk
