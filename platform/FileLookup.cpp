#include "FileLookup.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "CodePage.h"
#include "FileKinds.h"
#include "FileSystemDetail.h"
#include "Paths.h"

namespace vesk {

using namespace fsdetail;

namespace {

std::vector<std::string> components(const std::string& path) {
    std::vector<std::string> parts;
    std::string cur;
    for (char c : path) {
        if (isPathSeparator(c)) {
            if (!cur.empty()) parts.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) parts.push_back(cur);
    return parts;
}

// The error of a look at native that failed with `error`, as a lookup
// tells it: an entry that the folder holds but that cannot be followed (a
// link to nothing) is no missing file, and a loop of links is named so.
int lookFailure(const std::string& native, int error) {
    if (error == ELOOP) return LinkLoop;
    struct stat st;
    if (error != ENOENT || ::lstat(native.empty() ? "." : native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return error;
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(native.c_str(), target.data(), target.size());
    target.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    danglingLink = {native, target};
    return DanglingLink;
}

bool exists(const std::string& native) {
    struct stat st;
    return statPath(native, st);
}

// Case-insensitive glob match of "*" and "?" in code page 1250.
bool globMatch(std::string_view pattern, std::string_view text) {
    size_t p = 0, t = 0, starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || foldCaseCp1250(pattern[p]) == foldCaseCp1250(text[t]))) {
            ++p;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool hasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

}  // namespace

namespace fsdetail {

bool couldNotTell(int error) {
    lookupFailure = lastError = error;
    return false;
}

// False (errno set) when there is no such entry or it could not be told.
bool statPath(const std::string& native, struct stat& st) {
    if (faultAt("stat")) return couldNotTell(errno);
    if (::stat(native.empty() ? "." : native.c_str(), &st) == 0) return true;
    const int error = errno;
    if (const int failure = lookFailure(native, error); !notThere(failure)) couldNotTell(failure);
    errno = error;
    return false;
}

std::string childPath(const std::string& base, const std::string& name) {
    if (base.empty()) return name;
    if (base.back() == '/') return base + name;
    return base + "/" + name;
}

// Entry names of a folder (native), "." and ".." left out, sorted so that
// the choice among several case variants does not depend on the system.
// The entries are matched against core names only through entryName.
// None, with lookupFailure set, when the folder cannot be listed whole.
std::vector<std::string> listFolder(const std::string& native) {
    std::vector<std::string> names;
    if (faultAt("list")) {
        couldNotTell(errno);
        return names;
    }
    DIR* d = ::opendir(native.empty() ? "." : native.c_str());
    if (!d) {
        if (const int failure = lookFailure(native, errno); !notThere(failure)) couldNotTell(failure);
        return names;
    }
    errno = 0;
    while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        errno = 0;
        if (n == "." || n == "..") continue;
        names.push_back(n);
    }
    const int error = errno;
    ::closedir(d);
    if (error != 0) {
        couldNotTell(error);
        names.clear();
    }
    std::sort(names.begin(), names.end());
    return names;
}

// An entry's name in code page 1250; nothing for a name no core path can
// spell (not UTF-8, or with characters code page 1250 lacks): such a file is
// never taken for another name, as its lossy conversion ("Za????") would be.
std::optional<std::string> entryName(const std::string& entry) { return fileNameToCp1250(entry); }

// Why findExisting found nothing: no such file, a name several files
// have in other letter cases, or the error that kept it from telling.
bool failNotFound() { return fail(lookupFailure ? lookupFailure : lookupAmbiguous ? AmbiguousName : ENOENT); }

// True (lastError set) when path names several files in other letter
// cases and none as written, or it cannot be told whether it names one:
// nothing is to be made or replaced for it.
bool refuseAmbiguous(const std::string& path) {
    if (findExisting(path) || (!lookupAmbiguous && !lookupFailure)) return false;
    failNotFound();
    return true;
}

// Removes a file that differs from the one about to be created only in
// letter case, so that one logical file never exists twice.
void removeCaseVariant(const std::string& path, const std::string& native) {
    auto found = findExisting(path);
    if (found && *found != native) {
        struct stat st;
        if (statPath(*found, st) && S_ISREG(st.st_mode)) ::unlink(found->c_str());
    }
}

// A folder found as findExisting finds it, also while ExactFileNames holds:
// that concerns the last component of a file's path, not its folders.
std::optional<std::string> findFolder(const std::string& path) {
    const int exact = exactNames;
    exactNames = 0;
    std::optional<std::string> found = findExisting(path);
    exactNames = exact;
    return found;
}

// The files of the last ambiguous name, as code page 1250 paths.
std::vector<std::string> lastAmbiguousNames() {
    std::vector<std::string> names;
    for (const std::string& native : lastAmbiguous) names.push_back(fileNameToCp1250(native).value_or(native));
    return names;
}

}  // namespace fsdetail

ExactFileNames::ExactFileNames() { ++exactNames; }
ExactFileNames::~ExactFileNames() { --exactNames; }

std::optional<std::string> findExisting(const std::string& path) {
    lookupAmbiguous = false;
    lookupFailure = 0;
    if (path.empty()) return std::nullopt;
    // The common case in one look: a path spelt with single "/" alone that
    // names an existing entry exactly is what the walk below would return
    // (a folder's closing "/" left out).
    if (path.find('\\') == std::string::npos && path.find("//") == std::string::npos && path != "/") {
        std::string utf = cp1250ToUtf8(path.back() == '/' ? path.substr(0, path.size() - 1) : path);
        if (exists(utf)) return utf;
        if (lookupFailure) return std::nullopt;
    }
    std::string native = isPathSeparator(path.front()) ? "/" : "";
    const std::vector<std::string> parts = components(path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string utf = cp1250ToUtf8(part);
        std::string exact = childPath(native, utf);
        if (part == "." || part == ".." || exists(exact)) {
            native = exact;
            continue;
        }
        if (lookupFailure || (exactNames > 0 && i + 1 == parts.size())) return std::nullopt;
        // The one entry spelt otherwise; none of several, which would be
        // a guess (a user's "T.tr1" beside "t.tr1").
        std::vector<std::string> matches;
        const std::vector<std::string> entries = listFolder(native);
        if (lookupFailure) return std::nullopt;
        for (const std::string& entry : entries)
            if (const auto name = entryName(entry); name && equalNoCaseCp1250(*name, part))
                matches.push_back(childPath(native, entry));
        if (matches.size() > 1) {
            lastAmbiguous = std::move(matches);
            lookupAmbiguous = true;
        }
        if (matches.size() != 1) return std::nullopt;
        native = matches.front();
        // One that cannot be followed (a link to nothing) tells nothing.
        if (i + 1 == parts.size() && !exists(native) && lookupFailure) return std::nullopt;
    }
    if (native.empty()) return std::string(1, '.');
    return native;
}

std::vector<std::string> ambiguousMatches(const std::string& path) {
    if (findExisting(path) || !lookupAmbiguous) return {};
    return lastAmbiguousNames();
}

std::string ambiguousNameText(const std::vector<std::string>& names) {
    // Folders are called folders (a folder line of VE-SK.INI, a folder of a path).
    const bool foldery = !names.empty() && std::all_of(names.begin(), names.end(), folderExists);
    std::string t = std::string("nazwa niejednoznaczna - nie ma ") + (foldery ? "folderu" : "pliku") +
                    " o tej pisowni, a pasuje do niej kilka " + (foldery ? "folder\xF3w" : "plik\xF3w") +
                    " r\xF3\xBFni\xB9" "cych si\xEA tylko wielko\x9C" "ci\xB9 liter";
    for (std::size_t i = 0; i < names.size(); ++i) t += (i ? ", " : ": ") + names[i];
    return t + "; nale\xBFy poda\xE6 nazw\xEA dok\xB3" "adnie tak, jak jest zapisana";
}

std::optional<FolderEntries> folderEntries(const std::string& path) {
    lookupFailure = 0;
    std::string native;
    if (!path.empty()) {
        const std::optional<std::string> found = findFolder(path);
        if (!found) return std::nullopt;
        native = *found;
    }
    struct stat st;
    if (!statPath(native, st) || !S_ISDIR(st.st_mode)) return std::nullopt;
    const std::vector<std::string> list = listFolder(native);
    if (lookupFailure) return std::nullopt;
    FolderEntries entries;
    for (const std::string& entry : list)
        if (std::optional<std::string> name = entryName(entry); !name) {
            entries.unusable.push_back(entry);
        } else {
            struct stat e;
            const bool folder = statPath(childPath(native, entry), e) && S_ISDIR(e.st_mode);
            // An entry that cannot be followed blocks no other one.
            if (lookupFailure) {
                entries.unreadable.push_back({std::move(*name), fileErrorText(lookupFailure)});
                lookupFailure = 0;
                continue;
            }
            (folder ? entries.folders : entries.files).push_back(std::move(*name));
        }
    return entries;
}

int lookupError() { return lookupFailure; }

std::string unreadableText(const std::string& named) {
    return named + " nie daje si\xEA odczyta\xE6: " + fileErrorText(lookupFailure);
}

std::string nativePathForCreate(const std::string& path) {
    std::string folder = folderPart(path);
    std::string name = cp1250ToUtf8(fileNamePart(path));
    if (folder.empty()) return name;
    if (auto found = findFolder(folder)) return childPath(*found, name);
    std::string literal = cp1250ToUtf8(folder);
    std::replace(literal.begin(), literal.end(), '\\', '/');
    return literal + name;
}

bool fileExists(const std::string& path) {
    lookupFailure = 0;
    std::string name = fileNamePart(path);
    if (hasWildcard(name)) {
        std::string folder = folderPart(path);
        std::string nativeFolder;
        if (!folder.empty()) {
            auto f = findFolder(folder);
            if (!f) return false;
            nativeFolder = *f;
        }
        for (const std::string& entry : listFolder(nativeFolder)) {
            const auto entryCp = entryName(entry);
            if (!entryCp || !globMatch(name, *entryCp)) continue;
            struct stat st;
            if (statPath(childPath(nativeFolder, entry), st) && S_ISREG(st.st_mode)) return true;
        }
        return false;
    }
    auto found = findExisting(path);
    if (!found) return false;
    struct stat st;
    return statPath(*found, st) && S_ISREG(st.st_mode);
}

bool folderExists(const std::string& path) {
    auto found = findExisting(path);
    if (!found) return false;
    struct stat st;
    return statPath(*found, st) && S_ISDIR(st.st_mode);
}

bool removeFile(const std::string& path) {
    auto found = findExisting(path);
    if (!found) return failNotFound();
    if (faultAt("remove")) return fail(errno);
    return ::unlink(found->c_str()) == 0 || fail(errno);
}

bool renameFile(const std::string& from, const std::string& to) {
    auto source = findExisting(from);
    if (!source) return failNotFound();
    if (refuseAmbiguous(to)) return false;
    std::string target = nativePathForCreate(to);
    if (faultAt("rename")) return fail(errno);
    if (target != *source) removeCaseVariant(to, target);
    if (std::rename(source->c_str(), target.c_str()) != 0) return fail(errno);
    return flushFolderOf(target);
}

bool createFolders(const std::string& path) {
    std::string native = isPathSeparator(path.empty() ? ' ' : path.front()) ? "/" : "";
    for (const std::string& part : components(path)) {
        std::string next = childPath(native, cp1250ToUtf8(part));
        if (auto found = findExisting(next)) {
            native = *found;
            continue;
        }
        if (lookupAmbiguous || lookupFailure) return failNotFound();
        if (::mkdir(next.c_str(), 0777) != 0 && errno != EEXIST) return false;
        native = next;
    }
    return folderExists(path);
}

bool isSymbolicLink(const std::string& path) {
    auto found = findExisting(path);
    const std::string native = found ? *found : nativePathForCreate(path);
    struct stat st;
    return ::lstat(native.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

unsigned hardLinkCount(const std::string& path) {
    auto found = findExisting(path);
    struct stat st;
    if (!found || ::lstat(found->c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    return static_cast<unsigned>(st.st_nlink);
}

std::size_t longestFileName(const std::string& path) {
    std::string folder = nativePathForCreate(path);
    folder = folder.substr(0, folder.find_last_of('/') + 1);
    const long n = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return n > 0 ? static_cast<std::size_t>(n) : 255;
}

std::string currentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buffer.resize(buffer.size() * 2);
    }
    // A folder whose name no core path can spell is named relatively.
    return fileNameToCp1250(buffer.data()).value_or(".");
}

std::string fullPath(const std::string& path) {
    return !path.empty() && isPathSeparator(path.front()) ? path : joinPath(currentFolder(), path);
}

std::optional<std::string> userCacheFolder() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    const char* home = std::getenv("HOME");
    std::string native;
    if (xdg && xdg[0] == '/')
        native = xdg;
    else if (home && home[0] == '/')
        native = std::string(home) + "/.cache";
    else
        return std::nullopt;
    std::optional<std::string> folder = fileNameToCp1250(native);
    if (!folder) return std::nullopt;
    return normalizeFolder(*folder);
}

}  // namespace vesk
