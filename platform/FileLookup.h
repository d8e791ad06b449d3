// Finding files and folders without regard to letter case, one path
// component at a time, and the plain operations on them by such a path
// (FileSystem.h tells the rules of the paths).
#pragma once

#include <cstddef>
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

// True for an existing file (not a folder). "*" and "?" in the last
// component match as in a directory search.
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
bool removeFile(const std::string& path);
// Replaces `to` (if present) by `from`, then flushes the folder to the
// device as replaceFile does.
bool renameFile(const std::string& from, const std::string& to);
bool createFolders(const std::string& path);

// True for a path whose last component is a symbolic link (dangling too).
bool isSymbolicLink(const std::string& path);
// The number of names (hard links) of the regular file at path, the last
// component not followed; 0 when there is no such file.
unsigned hardLinkCount(const std::string& path);
// The longest file name (bytes) the folder of path takes; 255 when the
// system does not tell.
std::size_t longestFileName(const std::string& path);

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

}  // namespace vesk
