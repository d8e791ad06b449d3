#include "UserFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "CodePage.h"
#include "FileSystem.h"
#include "Paths.h"

namespace vesk {

namespace {

struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
};

std::string named(const std::string& folder) { return "folder " + folder; }

std::string octal(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%03o", static_cast<unsigned>(mode & 07777));
    return text;
}

}  // namespace

std::optional<std::string> ownFolder(const std::string& base, const std::vector<std::string>& names, std::string& reason,
                                     MakeFolders make) {
    const auto refuse = [&](const std::string& text) {
        reason = text;
        return std::nullopt;
    };
    // Not there, and not to be made: nothing, and no reason.
    const auto missing = [&] { return make == MakeFolders::No && errno == ENOENT; };
    reason.clear();
    std::string path = normalizeFolder(base);
    const std::string native = cp1250ToUtf8(path);
    // The base itself made when missing (as a new HOME has no ~/.cache).
    if (make == MakeFolders::Yes && ::mkdir(native.c_str(), 0700) != 0 && errno != EEXIST)
        return refuse("nie uda\xB3o si\xEA utworzy\xE6 folderu " + path + ": " + fileErrorText(errno));
    Descriptor folder;
    folder.fd = ::open(native.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st;
    if (folder.fd < 0 && missing()) return std::nullopt;
    if (folder.fd < 0 || ::fstat(folder.fd, &st) != 0) return refuse(named(path) + ": " + fileErrorText(errno));
    if ((st.st_mode & S_IWOTH) && !(st.st_mode & S_ISVTX))
        return refuse(named(path) + " mog\xB9 zmienia\xE6 inni u\xBFytkownicy (prawa " +
                      octal(st.st_mode) + ", bez bitu sticky) - kto\x9C m\xF3g\xB3" "by w nim podstawi\xE6 sw\xF3j folder");
    const uid_t user = ::geteuid();
    for (const std::string& name : names) {
        const std::string child = cp1250ToUtf8(name);
        path += name + "/";
        // Made where nothing has the name; what stands there is then looked
        // at whoever made it.
        if (make == MakeFolders::Yes && ::mkdirat(folder.fd, child.c_str(), 0700) != 0 && errno != EEXIST)
            return refuse("nie uda\xB3o si\xEA utworzy\xE6 folderu " + path + ": " + fileErrorText(errno));
        if (::fstatat(folder.fd, child.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return missing() ? std::nullopt : refuse(named(path) + ": " + fileErrorText(errno));
        if (S_ISLNK(st.st_mode)) return refuse(named(path) + " jest dowi\xB9zaniem symbolicznym");
        if (!S_ISDIR(st.st_mode)) return refuse(path.substr(0, path.size() - 1) + " nie jest folderem");
        if (st.st_uid != user)
            return refuse(named(path) + " nale\xBFy do innego u\xBFytkownika (uid " + std::to_string(st.st_uid) + ")");
        // The folder opened is the one looked at, never one put in its place since.
        Descriptor next;
        next.fd = ::openat(folder.fd, child.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        struct stat opened;
        if (next.fd < 0 || ::fstat(next.fd, &opened) != 0) return refuse(named(path) + ": " + fileErrorText(errno));
        if (opened.st_dev != st.st_dev || opened.st_ino != st.st_ino || opened.st_uid != user)
            return refuse(named(path) + ": " + changedFileText());
        if ((opened.st_mode & 07777) != 0700 && ::fchmod(next.fd, 0700) != 0)
            return refuse("nie uda\xB3o si\xEA zmieni\xE6 praw folderu " + path + " na 700: " + fileErrorText(errno));
        std::swap(folder.fd, next.fd);
    }
    return path;
}

void removeEmptyFolder(const std::string& path) { (void)::rmdir(cp1250ToUtf8(path).c_str()); }

std::optional<std::string> realFolder(const std::string& path, std::string& reason) {
    const std::string native = path.empty() ? std::string(".") : nativePathForCreate(normalizeFolder(path) + ".");
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(native.c_str(), nullptr), &std::free);
    if (!real) {
        reason = named(normalizeFolder(path)) + ": " + fileErrorText(errno);
        return std::nullopt;
    }
    return std::string(real.get());
}

}  // namespace vesk
