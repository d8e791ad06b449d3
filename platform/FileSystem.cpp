#include "FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "CodePage.h"
#include "Liczebniki.h"
#include "Paths.h"

namespace vesk {

namespace {

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
thread_local int lastError = 0;
thread_local std::uint64_t lastBound = 0;
// The last dangling link a lookup met: its path and where it points (native).
thread_local std::pair<std::string, std::string> danglingLink;
thread_local int lastSyncError = 0;
// The files of the last ambiguous name findExisting met, for its message.
thread_local std::vector<std::string> lastAmbiguous;
// Whether the last findExisting failed on such a name.
thread_local bool lookupAmbiguous = false;
// The number of ExactFileNames alive on this thread.
thread_local int exactNames = 0;
// The error of the call by which the last lookup could not tell whether a
// file is there (lookupError); 0 when it could.
thread_local int lookupFailure = 0;

bool fail(int error) {
    lastError = error;
    return false;
}

FileFault& fileFault() {
    static FileFault fault;
    return fault;
}

// The error the test's fault gives.
int& faultError() {
    static int error = EIO;
    return error;
}

// True (errno set) when the test's fault answers for this step.
bool faultAt(std::string_view step) {
    if (!fileFault() || !fileFault()(step)) return false;
    errno = faultError();
    return true;
}

// The one rule of every lookup: a call that fails with these has found
// that there is no such file (or no folder on the way to it); any other
// failure (no permission to list a folder, an input/output error) tells
// nothing of it, and is recorded for lookupError(), its error for
// lastFileError(). False.
bool notThere(int error) { return error == ENOENT || error == ENOTDIR; }
bool couldNotTell(int error) {
    lookupFailure = lastError = error;
    return false;
}

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

// False (errno set) when there is no such entry or it could not be told.
bool statPath(const std::string& native, struct stat& st) {
    if (faultAt("stat")) return couldNotTell(errno);
    if (::stat(native.empty() ? "." : native.c_str(), &st) == 0) return true;
    const int error = errno;
    if (const int failure = lookFailure(native, error); !notThere(failure)) couldNotTell(failure);
    errno = error;
    return false;
}

bool exists(const std::string& native) {
    struct stat st;
    return statPath(native, st);
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

// An entry's name in code page 1250; nothing for a name no core path can
// spell (not UTF-8, or with characters code page 1250 lacks): such a file is
// never taken for another name, as its lossy conversion ("Za????") would be.
std::optional<std::string> entryName(const std::string& entry) { return fileNameToCp1250(entry); }

bool hasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

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

// After a rename to the native path: its folder flushed, so that the
// rename outlives a power cut; FolderNotFlushed when that fails.
bool flushFolderOf(const std::string& native) {
    const int error = flushNativeFolder(native);
    if (error == 0) return true;
    lastSyncError = error;
    return fail(FolderNotFlushed);
}

}  // namespace

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

namespace {
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
}  // namespace

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

namespace {

// Why fileNameToCp1250 refuses a name, after "Nazwa ... X" (its bytes are
// not UTF-8, its letters decomposed, or it has characters code page 1250
// lacks), what followed, and the command that mends the name; `fix` when
// no command can.
std::string powodOdmowyNazwy(std::string_view native, const std::string& skutek, const std::string& fix) {
    const bool utf8 = isValidUtf8(native) && native.find("\xEF\xBF\xBD") == std::string_view::npos;
    if (!utf8)
        return " nie jest zapisana w UTF-8 - " + skutek + ". Nazwy w kodzie 1250 (z archiwum z Windows) poprawia np. " +
               "polecenie: convmv -f cp1250 -t utf8 --notest NAZWA";
    if (firstCombiningMark(native) != std::string_view::npos)
        return " ma litery zapisane w postaci roz\xB3o\xBFonej (NFD: litera i osobny znak diakrytyczny) - " + skutek +
               ". Poprawia j\xB9 np. polecenie: convmv -f utf8 -t utf8 --nfc --notest NAZWA";
    return " ma znaki spoza strony kodowej 1250 - " + skutek + (fix.empty() ? "" : "; " + fix);
}

}  // namespace

std::string unusableFileNameMessage(std::string_view native) {
    return "Nazwa pliku " + readableFileName(native) +
           powodOdmowyNazwy(native, "plik nie zosta\xB3 u\xBFyty", "nale\xBFy zmieni\xE6 jego nazw\xEA");
}

std::string unusableNewFileNameMessage(std::string_view native) {
    return "Nazwa pliku " + readableFileName(native) +
           powodOdmowyNazwy(native, "nazwa nie zosta\xB3" "a u\xBFyta", "nale\xBFy wybra\xE6 inn\xB9 nazw\xEA");
}

std::string unusableFolderMessage(std::string_view native, const std::string& source, const std::string& remedy) {
    return "Nazwa folderu " + readableFileName(native) + " (" + source + ")" +
           powodOdmowyNazwy(native, "nic nie zosta\xB3o utworzone", {}) + "; " + remedy;
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

namespace {

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

bool syncFile(int fd) { return !faultAt("sync") && ::fdatasync(fd) == 0; }

bool modeForbidsWriting(const struct stat& st) { return S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0; }

// The error of a file that is no regular one, naming its kind: EISDIR for
// a folder, NamedPipe, DeviceFile, SocketFile, NotRegularFile for the
// rest; 0 for a regular file.
int kindError(const struct stat& st) {
    return S_ISREG(st.st_mode)                          ? 0
           : S_ISDIR(st.st_mode)                        ? EISDIR
           : S_ISFIFO(st.st_mode)                       ? NamedPipe
           : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? DeviceFile
           : S_ISSOCK(st.st_mode)                       ? SocketFile
                                                        : NotRegularFile;
}

// The six random characters of a temporary name.
bool isTemporaryTail(std::string_view tail) {
    return tail.size() == 6 && std::all_of(tail.begin(), tail.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
           });
}

// An earlier program's temporary names carried no marker: only a tail of
// mixed case, as the random ones nearly always are, is taken for one, so
// that a user's "T.qad.backup" stays.
bool mixedCase(std::string_view tail) {
    return std::any_of(tail.begin(), tail.end(), [](char c) { return c >= 'a' && c <= 'z'; }) &&
           std::any_of(tail.begin(), tail.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
}

}  // namespace

void setFileFault(FileFault fault, int error) {
    fileFault() = std::move(fault);
    faultError() = error;
}

std::string fileErrorText(int error) {
    switch (error) {
        case 0: return {};
        case ReadOnlyFile: return "plik tylko do odczytu";
        case NotRegularFile: return "to nie jest zwyk\xB3y plik";
        case NamedPipe: return "to jest potok nazwany (FIFO)";
        case DeviceFile: return "to jest urz\xB9" "dzenie";
        case SocketFile: return "to jest gniazdo";
        case ChangingFile:
            return "plik zmieni\xB3 si\xEA w trakcie otwierania (podmieniony lub usuni\xEAty przez inny program)";
        case AmbiguousName: return ambiguousNameText({});
        case HardLinkedFile: return "plik ma te\xBF inn\xB9 nazw\xEA (dowi\xB9zanie twarde), kt\xF3r\xB9 zmieni\xB3" "by zapis";
        case FolderNotFlushed: return "plik zapisany, ale " + unflushedFolderText();
        case TooBig: return tooBigText(lastBound);
        case ReplacedFile:
            return "w miejsce pliku zablokowanego przez ten program kto\x9C po\xB3o\xBFy\xB3 inny plik (np. kopi\xEA) - "
                   "nie zosta\xB3 zmieniony";
        case EISDIR: return "to jest folder";
        case DanglingLink: {
            const auto name = [](const std::string& n) { return fileNameToCp1250(n).value_or(readableFileName(n)); };
            return "dowi\xB9zanie symboliczne " + name(danglingLink.first) + " wskazuje na " + name(danglingLink.second) +
                   ", kt\xF3rego nie ma (np. niepod\xB3\xB9" "czony dysk sieciowy)";
        }
        case LinkLoop: return "p\xEAtla dowi\xB9za\xF1 symbolicznych";
        case ELOOP: return "dowi\xB9zanie symboliczne";
        case ENOSPC: return "brak miejsca na dysku";
        case EDQUOT: return "przekroczony przydzia\xB3 miejsca na dysku";
        case EPIPE: return "odbiorca potoku zako\xF1" "czy\xB3 odczyt";
        case ENOLCK: return "brak wolnych blokad plik\xF3w w systemie";
        case EACCES:
        case EPERM: return "brak uprawnie\xF1";
        case ENOENT: return "brak pliku lub folderu";
        case ENOTDIR: return "brak folderu";
        case EROFS: return "no\x9Cnik tylko do odczytu";
        case EIO: return "b\xB3\xB9" "d wej\x9C" "cia/wyj\x9C" "cia";
        // Where a limit is the cause, the limit.
        case ENAMETOOLONG:
            return "nazwa za d\xB3uga (nazwa pliku lub folderu mo\xBF" "e mie\xE6 najwy\xBF" "ej " + std::to_string(NAME_MAX) +
                   " bajt\xF3w, ca\xB3" "a \x9C" "cie\xBFka " + std::to_string(PATH_MAX) + ")";
        case EMFILE: {
            struct rlimit r {};
            const std::string ile = ::getrlimit(RLIMIT_NOFILE, &r) == 0 && r.rlim_cur != RLIM_INFINITY
                                        ? " (" + std::to_string(r.rlim_cur) + ")"
                                        : std::string();
            return "za du\xBFo otwartych plik\xF3w: wyczerpany limit otwartych plik\xF3w programu" + ile +
                   " - zob. ulimit -n";
        }
        case ENFILE: return "za du\xBFo otwartych plik\xF3w w systemie: wyczerpany limit systemu";
        case ENOMEM: return "brak pami\xEA" "ci";
        case EINTR: return "wywo\xB3" "anie systemu przerwane sygna\xB3" "em";
        case EAGAIN: return "zas\xF3" "b chwilowo niedost\xEApny";
        case EBUSY: return "plik lub urz\xB9" "dzenie zaj\xEAte";
        case ETXTBSY: return "plik jest w u\xBFyciu jako program";
        case EEXIST: return "plik ju\xBF istnieje";
        case ENOTEMPTY: return "folder nie jest pusty";
        case EXDEV: return "plik na innym no\x9Cniku";
        case EFBIG: {
            // The program's limit where it has one, else the file system's.
            struct rlimit r {};
            return ::getrlimit(RLIMIT_FSIZE, &r) == 0 && r.rlim_cur != RLIM_INFINITY
                       ? "plik jest za du\xBFy: przekroczono limit rozmiaru pliku (ulimit -f)"
                       : "plik jest za du\xBFy: przekroczono najwi\xEAkszy rozmiar pliku w tym systemie plik\xF3w";
        }
        case EMLINK: return "za du\xBFo dowi\xB9za\xF1 do pliku";
        case ENXIO:
        case ENODEV: return "brak urz\xB9" "dzenia";
        case EINVAL: return "niedozwolona operacja na tym pliku";
        case EBADF: return "nieprawid\xB3owy deskryptor pliku";
        case ESTALE: return "plik sieciowy nieaktualny (usuni\xEAty na serwerze)";
        case ETIMEDOUT: return "przekroczony czas oczekiwania";
        case ENOTCONN:
        case ENETDOWN:
        case ENETUNREACH:
        case EHOSTUNREACH: return "brak po\xB3\xB9" "czenia z no\x9Cnikiem sieciowym";
        case EOVERFLOW: return "plik za du\xBFy dla tej operacji";
        case ENOSYS:
        case EOPNOTSUPP: return "operacja nieobs\xB3ugiwana przez system plik\xF3w";
        default: return "b\xB3\xB9" "d systemu nr " + std::to_string(error);
    }
}

bool lastFailureAfterRename() { return lastError == FolderNotFlushed; }

std::string unflushedFolderText() {
    return "nie uda\xB3o si\xEA zapisa\xE6 na dysku jego folderu (" + fileErrorText(lastSyncError) +
           "): awaria zasilania mog\xB3" "aby cofn\xB9\xE6 ten zapis";
}

std::string lastFileError() {
    if (lastError != AmbiguousName) return fileErrorText(lastError);
    return ambiguousNameText(lastAmbiguousNames());
}

void setLastFileError(int error) { lastError = error; }

std::string withFileError(const std::string& text) {
    const std::string reason = lastFileError();
    return reason.empty() ? text : text + ": " + reason;
}

std::string failedWriteText(const std::string& notWritten, const std::string& written) {
    return lastFailureAfterRename() ? written + " zapisany, ale " + unflushedFolderText() : withFileError(notWritten);
}

bool isReadOnlyFile(const std::string& path) {
    auto found = findExisting(path);
    struct stat st;
    if (!found || !statPath(*found, st) || !S_ISREG(st.st_mode)) return false;
    // Only a refusal is read-only: a file gone since the look (another
    // program replacing it) is not.
    return modeForbidsWriting(st) ||
           (::access(found->c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS || errno == EPERM));
}

bool isReadOnlyFolderOf(const std::string& path) {
    std::string folder = nativePathForCreate(path);
    folder = folder.substr(0, folder.find_last_of('/') + 1);
    if (::faccessat(AT_FDCWD, folder.empty() ? "." : folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0) return false;
    return errno == EACCES || errno == EROFS || errno == EPERM;
}

std::string notRegularFileText(const std::string& path) {
    struct stat st;
    if (::lstat(nativePathForCreate(path).c_str(), &st) != 0) return {};
    return fileErrorText(kindError(st));
}

std::string fileKindText(const std::string& path) {
    const std::optional<std::string> found = findExisting(path);
    struct stat st;
    if (found && statPath(*found, st)) return fileErrorText(kindError(st));
    if (lookupFailure) return fileErrorText(lookupFailure);
    if (lookupAmbiguous) return ambiguousNameText(lastAmbiguousNames());
    return {};
}

std::string changedFileText() { return fileErrorText(ChangingFile); }

bool surelyMissing(const std::string& path) { return !findExisting(path) && !lookupFailure && !lookupAmbiguous; }

std::vector<std::string> removeStaleTemporaries(const std::string& path) {
    const std::string folder = folderPart(path);
    const std::string name = fileNamePart(path);
    std::string nativeFolder;
    std::vector<std::string> removed;
    if (!folder.empty()) {
        auto f = findFolder(folder);
        if (!f) return removed;
        nativeFolder = *f;
    }
    // The temporary file of a replaced ".nowy" file.
    const std::string nowyTmp = ".nowy" + std::string(TemporarySuffix);
    // The file's name as it is spelt (as written when there is none): what
    // is left beside a file spelt otherwise ("t.tr1.nowy" beside "T.tr1")
    // is that other file's.
    std::string own = name;
    if (const auto found = findExisting(path))
        own = entryName(found->substr(found->find_last_of('/') + 1)).value_or(name);
    for (const std::string& entry : listFolder(nativeFolder)) {
        const std::string cp = entryName(entry).value_or(std::string());
        if (cp.size() <= own.size() || cp.compare(0, own.size(), own) != 0) continue;
        const std::string_view rest = std::string_view(cp).substr(own.size());
        const bool stale = (rest.substr(0, TemporarySuffix.size()) == TemporarySuffix &&
                            isTemporaryTail(rest.substr(TemporarySuffix.size()))) ||
                           rest == ".nowy" || (rest.substr(0, 6) == ".nowy." && isTemporaryTail(rest.substr(6))) ||
                           (rest.substr(0, nowyTmp.size()) == nowyTmp && isTemporaryTail(rest.substr(nowyTmp.size()))) ||
                           (rest.front() == '.' && isTemporaryTail(rest.substr(1)) && mixedCase(rest.substr(1)));
        struct stat st;
        const std::string native = childPath(nativeFolder, entry);
        if (stale && statPath(native, st) && S_ISREG(st.st_mode) && ::unlink(native.c_str()) == 0)
            removed.push_back(folder + cp);
    }
    return removed;
}

namespace {
std::mutex& guardsMutex();
int replacesGuardedFile(const std::string& native, const struct stat& opened);
}  // namespace

bool writeAt(const std::string& path, std::uint64_t offset, std::string_view bytes, bool* untouched) {
    if (untouched) *untouched = true;
    auto found = findExisting(path);
    if (!found) return failNotFound();
    struct stat st;
    if (!statPath(*found, st)) return fail(errno);
    if (modeForbidsWriting(st)) return fail(ReadOnlyFile);
    const int fd = openRegularFile(*found, O_WRONLY);
    if (fd < 0) return false;
    // What is written is the file opened: one with a second name would
    // change that one too, and one put by hand in the place of the file
    // this program locked (while a save stalled) is another program's.
    {
        std::lock_guard<std::mutex> held(guardsMutex());
        struct stat opened;
        const int refused = ::fstat(fd, &opened) != 0 ? errno
                            : opened.st_nlink > 1     ? HardLinkedFile
                                                      : replacesGuardedFile(*found, opened);
        if (refused != 0) {
            ::close(fd);
            if (untouched && refused == ReplacedFile) *untouched = false;
            return fail(refused);
        }
    }
    const auto oldSize = static_cast<std::uint64_t>(st.st_size);
    if (untouched) *untouched = false;
    bool ok = writeAll(fd, bytes, offset) && syncFile(fd);
    int error = errno;
    // A failed append leaves no part of the new bytes behind.
    if (!ok && offset >= oldSize) (void)!::ftruncate(fd, static_cast<off_t>(oldSize));
    if ((::close(fd) != 0 || faultAt("close")) && ok) {
        // The write is told failed: an append it made is taken back, as
        // one that failed before its close.
        ok = false;
        error = errno;
        if (offset >= oldSize) (void)!::truncate(found->c_str(), static_cast<off_t>(oldSize));
    }
    return ok || fail(error);
}

bool syncFolderOf(const std::string& path) {
    auto found = findExisting(path);
    if (!found) return failNotFound();
    const int error = flushNativeFolder(*found);
    return error == 0 || fail(error);
}

namespace {

// The descriptors of the guarded files of every FileLock (FileLock::guard),
// which replaceFile hands on to the file it renames into a guarded place.
std::mutex& guardsMutex() {
    static std::mutex m;
    return m;
}

std::vector<int*>& guards() {
    static std::vector<int*> g;
    return g;
}

// The native path each guard was taken under.
std::map<int*, std::string>& guardNames() {
    static std::map<int*, std::string> n;
    return n;
}

// ReplacedFile when the file at native, opened as `opened`, is not the one
// a guard took under that name (one put in its place since), the error of
// a look at a guard that failed, else 0; the mutex held.
int replacesGuardedFile(const std::string& native, const struct stat& opened) {
    int refused = 0;
    for (const auto& [g, name] : guardNames()) {
        if (name != native) continue;
        struct stat mine;
        if (faultAt("stat") || ::fstat(*g, &mine) != 0) return errno;
        if (mine.st_dev == opened.st_dev && mine.st_ino == opened.st_ino) return 0;
        refused = ReplacedFile;
    }
    return refused;
}

// The guard whose file is the one st describes; the mutex held.
int* guardOf(const struct stat& st) {
    for (int* g : guards()) {
        struct stat mine;
        if (::fstat(*g, &mine) == 0 && mine.st_dev == st.st_dev && mine.st_ino == st.st_ino) return g;
    }
    return nullptr;
}

// Whether the file open as fd is still the one at native: 1 when it is, 0
// when another file or none is there now, -1 (lookupError set) when that
// could not be told, which is no reason to lock again.
int stillThere(int fd, const std::string& native) {
    struct stat mine, theirs;
    if (::fstat(fd, &mine) == 0 && ::lstat(native.c_str(), &theirs) == 0)
        return mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino ? 1 : 0;
    if (notThere(errno)) return 0;
    couldNotTell(errno);
    return -1;
}

bool sameFile(int fd, const std::string& native) {
    const int error = lastError;
    const bool same = stillThere(fd, native) > 0;
    lastError = error;
    return same;
}

// Opens an existing regular file (never a FIFO's wait) for locking, not
// through a link: -1 with lastError set otherwise.
int openToLock(const std::string& native, int flags) { return openRegularFile(native, flags | O_NOFOLLOW); }

}  // namespace

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        unlock();
        fd_ = other.fd_;
        guard_ = std::move(other.guard_);
        path_ = std::move(other.path_);
        guarded_ = std::move(other.guarded_);
        created_ = other.created_;
        other.fd_ = -1;
        other.created_ = false;
    }
    return *this;
}

FileLock::Result FileLock::lock(const std::string& path, const std::string& guarded) {
    unlock();
    if (refuseAmbiguous(path)) return Result::Failed;
    const std::string native = findExisting(path).value_or(nativePathForCreate(path));
    struct stat before;
    // (One that could not be looked at may be there: never taken for made.)
    const bool existed = ::lstat(native.c_str(), &before) == 0 || errno != ENOENT;
    // A lock file deleted or replaced between its open and its lock is not
    // the one at path: the lock is taken again on the new one.
    for (int attempt = 0; attempt < 10 && fd_ < 0; ++attempt) {
        struct stat st;
        if (::lstat(native.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
            fail(S_ISLNK(st.st_mode) ? ELOOP : kindError(st));
            return Result::Failed;
        }
        int fd = openToLock(native, O_RDWR | O_CREAT);
        // A read-only lock file locks as well, and so does one on a
        // read-only medium.
        if (fd < 0 && (lastError == EACCES || lastError == EROFS) && ::lstat(native.c_str(), &st) == 0)
            fd = openToLock(native, O_RDONLY);
        if (fd < 0) {
            const int error = lastError;
            // No lock file, and none can be made: a read-only folder.
            const bool noFolderWrites = (error == EACCES || error == EROFS || error == EPERM) &&
                                        ::lstat(native.c_str(), &st) != 0 && errno == ENOENT;
            if (noFolderWrites && !guarded.empty() && fileExists(guarded)) break;
            fail(error);
            return Result::Failed;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            if (error == EWOULDBLOCK) return Result::InUse;
            fail(error);
            return Result::Failed;
        }
        const int same = stillThere(fd, native);
        // A lock file made here that could not be told still at its name
        // goes again when a second look finds it there (held till then).
        if (same < 0 && !existed) {
            const int error = lastError;
            if (stillThere(fd, native) > 0) ::unlink(native.c_str());
            couldNotTell(error);
        }
        if (same > 0) fd_ = fd;
        else ::close(fd);
        if (same < 0) return Result::Failed;
    }
    if (fd_ < 0 && (guarded.empty() || !fileExists(guarded))) {
        fail(ChangingFile);
        return Result::Failed;
    }
    path_ = path;
    created_ = fd_ >= 0 && !existed;
    if (!guarded.empty() && (fileExists(guarded) || lookupError() != 0) && !guard(guarded)) {
        // Seen a moment ago, gone at its lock: changing, not missing.
        const int error = lastError == ENOENT ? ChangingFile : lastError;
        // A lock file made here goes again, removed while still held.
        if (created_) ::unlink(native.c_str());
        unlock();
        lastError = error;
        const bool inUse = error == EWOULDBLOCK;
        return inUse ? Result::InUse : Result::Failed;
    }
    return Result::Locked;
}

bool FileLock::guard(const std::string& path) {
    std::lock_guard<std::mutex> held(guardsMutex());
    // A file put in the name's place between the open and the lock is not
    // the one locked: the lock is taken again on it.
    int fd = -1;
    for (int attempt = 0; attempt < 10 && fd < 0; ++attempt) {
        auto found = findExisting(path);
        if (!found) return failNotFound();
        if (guard_ && sameFile(*guard_, *found)) {
            guarded_ = path;
            return true;
        }
        fd = openToLock(*found, O_RDONLY);
        if (fd < 0) return false;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        if (const int same = stillThere(fd, *found); same <= 0) {
            ::close(fd);
            fd = -1;
            if (same < 0) return false;
        }
    }
    // Another file at each look: one being replaced, not one in use
    // (EAGAIN would be taken for EWOULDBLOCK, another holder's lock).
    if (fd < 0) return fail(ChangingFile);
    guarded_ = path;
    const std::optional<std::string> native = findExisting(path);
    if (guard_) {
        ::close(*guard_);
        *guard_ = fd;
    } else {
        guard_ = std::make_unique<int>(fd);
        guards().push_back(guard_.get());
    }
    guardNames()[guard_.get()] = native.value_or(std::string());
    return true;
}

void FileLock::releaseGuard() {
    if (!guard_) return;
    std::lock_guard<std::mutex> held(guardsMutex());
    auto& g = guards();
    g.erase(std::remove(g.begin(), g.end(), guard_.get()), g.end());
    guardNames().erase(guard_.get());
    ::close(*guard_);
    guard_.reset();
}

bool FileLock::holds(const std::string& path) const {
    lookupFailure = 0;
    // The guarded file's lock holds the operator even where the lock file
    // was deleted since.
    // (A name spelt otherwise counts where it finds the same lock file: not
    // "t.lck" for "T.lck" where both exist.)
    if (guard_ && (path_ == path || (equalNoCaseCp1250(path_, path) && findExisting(path) == findExisting(path_))))
        return guardedFile() == Guarded::Current;
    if (fd_ < 0 || guardedFile() != Guarded::Current) return false;
    auto found = findExisting(path);
    struct stat mine, theirs;
    return found && ::fstat(fd_, &mine) == 0 && statPath(*found, theirs) && mine.st_dev == theirs.st_dev &&
           mine.st_ino == theirs.st_ino;
}

FileLock::Guarded FileLock::guardedFile() const {
    lookupFailure = 0;
    if (!guard_) return Guarded::Current;
    std::lock_guard<std::mutex> held(guardsMutex());
    const auto found = findExisting(guarded_);
    const int same = !found ? (lookupFailure ? -1 : 0) : stillThere(*guard_, *found);
    return same > 0 ? Guarded::Current : same == 0 ? Guarded::Replaced : Guarded::CouldNotTell;
}

void FileLock::unlock() {
    releaseGuard();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    created_ = false;
    path_.clear();
    guarded_.clear();
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

namespace {
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

bool createFile(const std::string& path, std::string_view bytes) { return replaceFile(path, bytes, false, Flush::ToDevice, true); }

bool replaceFile(const std::string& path, std::string_view bytes, bool keepSpelling, Flush flush, bool onlyNew) {
    if (refuseAmbiguous(path)) return false;
    std::string target = nativePathForCreate(path);
    std::optional<std::string> existing = findExisting(path);
    mode_t mode = 0;
    struct stat st;
    if (existing && statPath(*existing, st)) {
        if (!S_ISREG(st.st_mode)) return fail(kindError(st));
        if (keepSpelling) target = *existing;
        mode = st.st_mode & 07777;
    } else {
        existing.reset();
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    // A file the user made read-only is not replaced, even where the
    // folder would allow it.
    if (existing && modeForbidsWriting(st)) return fail(ReadOnlyFile);
    if (onlyNew && existing) return fail(EEXIST);
    std::string temporary = target + std::string(TemporarySuffix) + "XXXXXX";
    if (faultAt("create")) return fail(errno);
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return fail(errno);
    bool ok = ::fchmod(fd, mode) == 0;
    ok = ok && writeAll(fd, bytes, 0);
    ok = ok && (flush == Flush::No || (!faultAt("sync") && ::fsync(fd) == 0));
    int error = errno;
    // A locked file's lock goes with its place: the new file is locked
    // before it takes the old one's name, so nobody finds it unlocked.
    std::unique_lock<std::mutex> heldGuards(guardsMutex());
    int* guard = ok && existing ? guardOf(st) : nullptr;
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
    if (guard) {
        ::close(*guard);
        *guard = kept;
    }
    heldGuards.unlock();
    // The twin of another spelling goes only once the new file is in place.
    if (existing && *existing != target) ::unlink(existing->c_str());
    return flush == Flush::No || flushFolderOf(target);
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

// ---------------------------------------------------------------- BinaryFile

BinaryFile::~BinaryFile() { close(); }

int openRegularFile(const std::string& native, int flags, unsigned mode) {
    int fd = ::open(native.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, static_cast<mode_t>(mode));
    struct stat st;
    // A pipe nobody reads refuses a write-only open without waiting (ENXIO).
    if (fd < 0) {
        fail(errno == ENXIO && ::stat(native.c_str(), &st) == 0 ? kindError(st) : errno);
        return -1;
    }
    // A device written to alone never waits (/dev/null, /dev/full).
    const int refused = ::fstat(fd, &st) != 0                               ? errno
                        : (flags & O_ACCMODE) == O_WRONLY && S_ISCHR(st.st_mode) ? 0
                                                                                 : kindError(st);
    if (refused || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        const int error = refused ? refused : errno;
        ::close(fd);
        fd = -1;
        fail(error);
    }
    return fd;
}

bool BinaryFile::open(const std::string& path, Mode mode) {
    close();
    std::string native;
    if (mode == Mode::Create) {
        if (refuseAmbiguous(path)) return false;
        native = nativePathForCreate(path);
        removeCaseVariant(path, native);
    } else {
        auto found = findExisting(path);
        if (!found) return failNotFound();
        struct stat st;
        if (!statPath(*found, st)) return fail(errno);
        if (const int error = kindError(st)) return fail(error);
        native = *found;
    }
    lastWasRead_ = lastWasWrite_ = readFault_ = false;
    // Opened without waiting and asked again: a pipe or device put in the
    // file's place since the look above is refused, never waited on.
    const int fd = openRegularFile(native, mode == Mode::Read     ? O_RDONLY
                                           : mode == Mode::Update ? O_RDWR
                                                                  : O_RDWR | O_CREAT | O_TRUNC);
    if (fd < 0) return false;
    if (!(file_ = ::fdopen(fd, mode == Mode::Read ? "rb" : "r+b"))) {
        const int error = errno;
        ::close(fd);
        return fail(error);
    }
    return true;
}

bool BinaryFile::close() {
    if (!file_) return true;
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
}

std::size_t BinaryFile::read(void* buffer, std::size_t n) {
    if (!file_) return 0;
    // Between a write and a read the stream must be repositioned.
    if (lastWasWrite_) std::fseek(file_, 0, SEEK_CUR);
    lastWasWrite_ = false;
    lastWasRead_ = true;
    if (faultAt("read")) {
        readFault_ = true;
        fail(errno);
        return 0;
    }
    const std::size_t read = std::fread(buffer, 1, n, file_);
    if (read < n && std::ferror(file_)) fail(errno);
    return read;
}

bool BinaryFile::write(const void* buffer, std::size_t n) {
    if (!file_) return false;
    if (lastWasRead_) std::fseek(file_, 0, SEEK_CUR);
    lastWasRead_ = false;
    lastWasWrite_ = true;
    return std::fwrite(buffer, 1, n, file_) == n && std::fflush(file_) == 0;
}

bool BinaryFile::seek(std::uint64_t position) {
    if (!file_) return false;
    lastWasRead_ = lastWasWrite_ = false;
    return ::fseeko(file_, static_cast<off_t>(position), SEEK_SET) == 0;
}

std::optional<std::uint64_t> BinaryFile::size() {
    if (!file_) return std::nullopt;
    std::fflush(file_);
    struct stat st;
    if (faultAt("stat") || ::fstat(::fileno(file_), &st) != 0) {
        fail(errno);
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(st.st_size);
}

// ---------------------------------------------------------------- text files

bool BinaryFile::failed() const { return file_ != nullptr && (readFault_ || std::ferror(file_) != 0); }

std::string BinaryFile::failureText(const std::string& text) const { return failed() ? withFileError(text) : text; }

std::optional<std::string> BinaryFile::readRest(std::uint64_t bound) {
    std::string data;
    char buffer[65536];
    std::size_t n;
    // Never more than one byte past the bound is asked for.
    while (data.size() <= bound &&
           (n = read(buffer, static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer, bound + 1 - data.size())))) > 0)
        data.append(buffer, n);
    if (failed()) return std::nullopt;
    if (data.size() > bound) {
        lastBound = bound;
        fail(TooBig);
        return std::nullopt;
    }
    return data;
}

std::string tooBigText(std::uint64_t bound) {
    constexpr std::uint64_t MB = 1u << 20, KB = 1u << 10;
    const std::string ile = bound >= MB && bound % MB == 0   ? std::to_string(bound / MB) + " MB"
                            : bound >= KB && bound % KB == 0 ? std::to_string(bound / KB) + " KB"
                                                             : LiczbaBajtow(bound);
    return "plik jest za du\xBFy (ponad " + ile + ")";
}

std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::uint64_t bound) {
    BinaryFile f;
    if (!f.open(path, BinaryFile::Mode::Read)) return std::nullopt;
    std::optional<std::string> data = f.readRest(bound);
    if (!data) return std::nullopt;
    return splitTextLines(*data);
}

std::vector<std::string> splitTextLines(const std::string& data, LoneCr loneCr) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find_first_of(loneCr == LoneCr::EndsLine ? "\r\n" : "\n", start);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + (data.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

TextWriter::~TextWriter() {
    if (file_) std::fclose(file_);
}

bool TextWriter::create(const std::string& path) {
    if (file_) close();
    if (refuseAmbiguous(path)) {
        failed_ = true;
        return false;
    }
    std::string native = nativePathForCreate(path);
    removeCaseVariant(path, native);
    const int fd = openRegularFile(native, O_WRONLY | O_CREAT | O_TRUNC);
    if (fd >= 0 && !(file_ = ::fdopen(fd, "wb"))) {
        fail(errno);
        ::close(fd);
    }
    failed_ = file_ == nullptr;
    return file_ != nullptr;
}

bool TextWriter::writeLine(std::string_view line) {
    if (!file_) return false;
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2) {
        failed_ = true;
        fail(errno);
    }
    return !failed_;
}

bool TextWriter::close() {
    if (!file_) return !failed_;
    // On the device before it is renamed into place, as every replace.
    const bool flushed = std::fflush(file_) == 0 && !faultAt("sync") && ::fsync(::fileno(file_)) == 0;
    const int error = errno;
    const bool closed = std::fclose(file_) == 0;
    if (!flushed || !closed) {
        failed_ = true;
        fail(flushed ? errno : error);
    }
    file_ = nullptr;
    return !failed_;
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, bool onlyNew) {
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += "\r\n";
    }
    return onlyNew ? createFile(path, text) : replaceFile(path, text);
}

}  // namespace vesk
