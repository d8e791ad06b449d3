// Path text helpers. Both "\" and "/" separate path components, so paths
// written on either system work; folders end with a separator.
#pragma once

#include <string>

namespace vesk {

bool isPathSeparator(char c);

// The folder part of a path: from its first character up to and including
// the last separator; empty when there is none.
std::string folderPart(const std::string& path);

// The text after the last separator; the whole path when there is none;
// empty when the path ends with a separator.
std::string fileNamePart(const std::string& path);

// A folder setting as the program keeps it: every "\" turned into "/",
// ending with "/"; an empty folder stays empty.
std::string normalizeFolder(const std::string& folder);

// folder + name, inserting "/" only when a non-empty folder lacks a
// final separator.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace vesk
