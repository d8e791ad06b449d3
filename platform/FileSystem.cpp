#include "FileSystem.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "CodePage.h"
#include "Paths.h"

namespace vesk {

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

bool statPath(const std::string& native, struct stat& st) {
    return ::stat(native.empty() ? "." : native.c_str(), &st) == 0;
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
std::vector<std::string> listFolder(const std::string& native) {
    std::vector<std::string> names;
    DIR* d = ::opendir(native.empty() ? "." : native.c_str());
    if (!d) return names;
    while (dirent* e = ::readdir(d)) {
        std::string n = e->d_name;
        if (n == "." || n == "..") continue;
        names.push_back(n);
    }
    ::closedir(d);
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

bool hasWildcard(const std::string& s) { return s.find_first_of("*?") != std::string::npos; }

// Removes a file that differs from the one about to be created only in
// letter case, so that one logical file never exists twice.
void removeCaseVariant(const std::string& path, const std::string& native) {
    auto found = findExisting(path);
    if (found && *found != native) {
        struct stat st;
        if (statPath(*found, st) && S_ISREG(st.st_mode)) ::unlink(found->c_str());
    }
}

}  // namespace

std::optional<std::string> findExisting(const std::string& path) {
    if (path.empty()) return std::nullopt;
    // The common case in one look: a path spelt with single "/" alone that
    // names an existing entry exactly is what the walk below would return
    // (a folder's closing "/" left out).
    if (path.find('\\') == std::string::npos && path.find("//") == std::string::npos && path != "/") {
        std::string utf = cp1250ToUtf8(path.back() == '/' ? path.substr(0, path.size() - 1) : path);
        if (exists(utf)) return utf;
    }
    std::string native = isPathSeparator(path.front()) ? "/" : "";
    for (const std::string& part : components(path)) {
        std::string utf = cp1250ToUtf8(part);
        std::string exact = childPath(native, utf);
        if (part == "." || part == ".." || exists(exact)) {
            native = exact;
            continue;
        }
        std::optional<std::string> match;
        for (const std::string& entry : listFolder(native)) {
            if (equalNoCaseCp1250(utf8ToCp1250(entry), part)) {
                match = entry;
                break;
            }
        }
        if (!match) return std::nullopt;
        native = childPath(native, *match);
    }
    if (native.empty()) return std::string(1, '.');
    return native;
}

std::string nativePathForCreate(const std::string& path) {
    std::string folder = folderPart(path);
    std::string name = cp1250ToUtf8(fileNamePart(path));
    if (folder.empty()) return name;
    if (auto found = findExisting(folder)) return childPath(*found, name);
    std::string literal = cp1250ToUtf8(folder);
    std::replace(literal.begin(), literal.end(), '\\', '/');
    return literal + name;
}

bool fileExists(const std::string& path) {
    std::string name = fileNamePart(path);
    if (hasWildcard(name)) {
        std::string folder = folderPart(path);
        std::string nativeFolder;
        if (!folder.empty()) {
            auto f = findExisting(folder);
            if (!f) return false;
            nativeFolder = *f;
        }
        for (const std::string& entry : listFolder(nativeFolder)) {
            if (!globMatch(name, utf8ToCp1250(entry))) continue;
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
    if (!found) return false;
    return ::unlink(found->c_str()) == 0;
}

bool renameFile(const std::string& from, const std::string& to) {
    auto source = findExisting(from);
    if (!source) return false;
    std::string target = nativePathForCreate(to);
    if (target != *source) removeCaseVariant(to, target);
    return std::rename(source->c_str(), target.c_str()) == 0;
}

bool createFolders(const std::string& path) {
    std::string native = isPathSeparator(path.empty() ? ' ' : path.front()) ? "/" : "";
    for (const std::string& part : components(path)) {
        std::string next = childPath(native, cp1250ToUtf8(part));
        if (auto found = findExisting(next)) {
            native = *found;
            continue;
        }
        if (::mkdir(next.c_str(), 0777) != 0 && errno != EEXIST) return false;
        native = next;
    }
    return folderExists(path);
}

namespace {

FileFault& fileFault() {
    static FileFault fault;
    return fault;
}

bool faultAt(std::string_view step) { return fileFault() && fileFault()(step); }

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

void setFileFault(FileFault fault) { fileFault() = std::move(fault); }

bool replaceFile(const std::string& path, std::string_view bytes, bool keepSpelling) {
    std::string target = nativePathForCreate(path);
    std::optional<std::string> existing = findExisting(path);
    mode_t mode = 0;
    struct stat st;
    if (existing && statPath(*existing, st) && S_ISREG(st.st_mode)) {
        if (keepSpelling) target = *existing;
        mode = st.st_mode & 07777;
    } else {
        existing.reset();
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string temporary = target + ".XXXXXX";
    if (faultAt("create")) return false;
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    bool ok = ::fchmod(fd, mode) == 0;
    ok = ok && !faultAt("write") && writeAll(fd, bytes);
    ok = ok && !faultAt("sync") && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && !faultAt("rename") && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The twin of another spelling goes only once the new file is in place.
    if (existing && *existing != target) ::unlink(existing->c_str());
    return true;
}

std::string currentFolder() {
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return ".";
        buffer.resize(buffer.size() * 2);
    }
    return utf8ToCp1250(buffer.data());
}

// ---------------------------------------------------------------- BinaryFile

BinaryFile::~BinaryFile() { close(); }

bool BinaryFile::open(const std::string& path, Mode mode) {
    close();
    std::string native;
    if (mode == Mode::Create) {
        native = nativePathForCreate(path);
        removeCaseVariant(path, native);
    } else {
        auto found = findExisting(path);
        if (!found) return false;
        struct stat st;
        if (!statPath(*found, st) || !S_ISREG(st.st_mode)) return false;
        native = *found;
    }
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::Update ? "r+b" : "w+b";
    file_ = std::fopen(native.c_str(), how);
    lastWasRead_ = lastWasWrite_ = false;
    return file_ != nullptr;
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
    return std::fread(buffer, 1, n, file_);
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
    if (::fstat(::fileno(file_), &st) != 0) return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

// ---------------------------------------------------------------- text files

bool BinaryFile::failed() const { return file_ != nullptr && std::ferror(file_) != 0; }

std::optional<std::string> BinaryFile::readRest() {
    std::string data;
    char buffer[8192];
    std::size_t n;
    while ((n = read(buffer, sizeof buffer)) > 0) data.append(buffer, n);
    if (failed()) return std::nullopt;
    return data;
}

std::optional<std::vector<std::string>> readTextLines(const std::string& path) {
    BinaryFile f;
    if (!f.open(path, BinaryFile::Mode::Read)) return std::nullopt;
    std::optional<std::string> data = f.readRest();
    if (!data) return std::nullopt;
    return splitTextLines(*data);
}

std::vector<std::string> splitTextLines(const std::string& data) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string::npos) end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

TextWriter::~TextWriter() {
    if (file_) std::fclose(file_);
}

bool TextWriter::create(const std::string& path) {
    if (file_) close();
    std::string native = nativePathForCreate(path);
    removeCaseVariant(path, native);
    file_ = std::fopen(native.c_str(), "wb");
    failed_ = file_ == nullptr;
    return file_ != nullptr;
}

bool TextWriter::writeLine(std::string_view line) {
    if (!file_) return false;
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite("\r\n", 1, 2, file_) != 2)
        failed_ = true;
    return !failed_;
}

bool TextWriter::close() {
    if (!file_) return !failed_;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

bool writeTextLines(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) {
        text += l;
        text += "\r\n";
    }
    return replaceFile(path, text);
}

}  // namespace vesk
