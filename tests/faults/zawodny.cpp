// LD_PRELOAD library of the fault script: the FAULT_N-th call of FAULT_FN
// (write, pwrite, fsync, fdatasync, rename, unlink, or "any" of these; or
// one of the lookups: stat, lstat, opendir, readdir) on a file (not stdin,
// stdout or stderr) fails with EIO (FAULT_ERRNO another error number), or
// with FAULT_KILL set kills the program (SIGKILL) before ("before") or
// after the call; FAULT_MARK names a file created when it did. Every open
// (fopen too) of a path ending with FAULT_OPEN fails with EACCES (or
// FAULT_ERRNO), and so does every listing of a folder ending with
// FAULT_LIST; the first open for writing of a path ending with FAULT_STOP
// stops the program (SIGSTOP) just before it.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

const char* env(const char* name) { return getenv(name) ? getenv(name) : ""; }

int error(int otherwise) { return *env("FAULT_ERRNO") ? atoi(env("FAULT_ERRNO")) : otherwise; }

// 1: fail this call; -1: kill after it.
// ("any" is every call that changes a file, no lookup.)
int fires(const char* fn, int fd, bool lookup = false) {
    static int calls;
    if (fd >= 0 && fd <= 2) return 0;
    if ((strcmp(env("FAULT_FN"), fn) != 0 && (lookup || strcmp(env("FAULT_FN"), "any") != 0)) ||
        ++calls != atoi(env("FAULT_N")))
        return 0;
    if (*env("FAULT_MARK")) close(open(env("FAULT_MARK"), O_CREAT | O_WRONLY, 0644));
    if (strcmp(env("FAULT_KILL"), "before") == 0) raise(SIGKILL);
    errno = error(EIO);
    return *env("FAULT_KILL") ? -1 : 1;
}

template <class R>
R after(int f, R result) {
    if (f < 0) raise(SIGKILL);
    return result;
}

bool ends(const char* path, const char* suffix) {
    const size_t n = strlen(path), m = strlen(suffix);
    return m > 0 && n >= m && strcmp(path + n - m, suffix) == 0;
}

void stall(const char* path, int flags) {
    static bool stopped;
    if (!stopped && (flags & (O_WRONLY | O_RDWR)) && ends(path, env("FAULT_STOP"))) {
        stopped = true;
        raise(SIGSTOP);
    }
}

bool refused(const char* path, const char* which = "FAULT_OPEN") {
    if (!ends(path, env(which))) return false;
    errno = error(EACCES);
    return true;
}

}  // namespace

#define NEXT(name) (reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name)))
#define CALL(fn, fd, call) \
    const int f = fires(fn, fd); \
    return f > 0 ? -1 : after(f, call)
#define OPEN(name) \
    int name(const char* p, int flags, ...) { \
        va_list a; \
        va_start(a, flags); \
        const mode_t mode = va_arg(a, mode_t); \
        va_end(a); \
        stall(p, flags); \
        return refused(p) ? -1 : NEXT(name)(p, flags, mode); \
    }

extern "C" {
ssize_t write(int fd, const void* b, size_t n) { CALL("write", fd, NEXT(write)(fd, b, n)); }
ssize_t pwrite(int fd, const void* b, size_t n, off_t o) { CALL("pwrite", fd, NEXT(pwrite)(fd, b, n, o)); }
ssize_t pwrite64(int fd, const void* b, size_t n, off_t o) { CALL("pwrite", fd, NEXT(pwrite64)(fd, b, n, o)); }
int fsync(int fd) { CALL("fsync", fd, NEXT(fsync)(fd)); }
int fdatasync(int fd) { CALL("fdatasync", fd, NEXT(fdatasync)(fd)); }
int rename(const char* a, const char* b) noexcept { CALL("rename", -1, NEXT(rename)(a, b)); }
int unlink(const char* a) noexcept { CALL("unlink", -1, NEXT(unlink)(a)); }
OPEN(open)
OPEN(open64)
FILE* fopen(const char* p, const char* mode) { return refused(p) ? nullptr : NEXT(fopen)(p, mode); }
FILE* fopen64(const char* p, const char* mode) { return refused(p) ? nullptr : NEXT(fopen64)(p, mode); }
int stat(const char* p, struct stat* st) noexcept {
    const int f = fires("stat", -1, true);
    return f > 0 ? -1 : after(f, NEXT(stat)(p, st));
}
int lstat(const char* p, struct stat* st) noexcept {
    const int f = fires("lstat", -1, true);
    return f > 0 ? -1 : after(f, NEXT(lstat)(p, st));
}
DIR* opendir(const char* p) {
    if (refused(p, "FAULT_LIST")) return nullptr;
    const int f = fires("opendir", -1, true);
    return f > 0 ? nullptr : after(f, NEXT(opendir)(p));
}
dirent* readdir(DIR* d) {
    const int f = fires("readdir", -1, true);
    return f > 0 ? nullptr : after(f, NEXT(readdir)(d));
}
}
