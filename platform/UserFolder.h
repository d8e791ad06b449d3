// Folders of the user's own: where the program keeps files for this user
// alone (the statements of an operator it may not write beside), below a
// folder the user named for it (the cache folder), and the identity of a
// folder however it is reached. Paths are the core's code page 1250 texts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// The folder base + names[0] + "/" + names[1] + ... + "/", each folder
// below base made when missing (mode 0700) and used only when it is what it
// must be: a folder (no symbolic link, none followed) owned by this user,
// made 0700 when others may use it. base itself is made when missing (not
// the folders above it), and may be anything the user
// named (a link, a folder shared with others), but for a folder others may
// change without the sticky bit (mode 777), where anyone could put their
// own folder in the place of this user's. Nothing, with `reason` telling
// why and naming the folder, when one cannot be used or made ("folder
// .../vesk/ jest dowi\xB9zaniem symbolicznym", "nie uda\xB3o si\xEA utworzy\xE6
// folderu .../vesk/: brak uprawnie\xF1"); nothing is made then in a folder
// refused. With MakeFolders::No nothing is made: nothing, `reason` empty,
// when a folder is not there.
enum class MakeFolders { Yes, No };
std::optional<std::string> ownFolder(const std::string& base, const std::vector<std::string>& names, std::string& reason,
                                     MakeFolders make = MakeFolders::Yes);
// Removes the folder at path when it is empty; one that holds anything stays.
void removeEmptyFolder(const std::string& path);

// The folder at path named from the root with every link and "." or ".."
// resolved (native, UTF-8), so that one folder reached by several paths
// ("ro/", a link "rolink/", "../ro/") has one name; nothing, with `reason`,
// when it cannot be resolved.
std::optional<std::string> realFolder(const std::string& path, std::string& reason);

}  // namespace vesk
