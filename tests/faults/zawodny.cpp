// LD_PRELOAD library of the fault script: the FAULT_N-th call of FAULT_FN
// (write, pwrite, fsync, fdatasync, rename, unlink, or "any" of these) on a
// file (not stdin, stdout or stderr) fails with EIO, or with FAULT_KILL set
// kills the program (SIGKILL) before ("before") or after the call;
// FAULT_MARK names a file created when it did. Every open of a path ending
// with FAULT_OPEN fails with EACCES; the first open for writing of a path
// ending with FAULT_STOP stops the program (SIGSTOP) just before it.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

const char* env(const char* name) { return getenv(name) ? getenv(name) : ""; }

// 1: fail this call; -1: kill after it.
int fires(const char* fn, int fd) {
    static int calls;
    if (fd >= 0 && fd <= 2) return 0;
    if ((strcmp(env("FAULT_FN"), fn) != 0 && strcmp(env("FAULT_FN"), "any") != 0) || ++calls != atoi(env("FAULT_N")))
        return 0;
    if (*env("FAULT_MARK")) close(open(env("FAULT_MARK"), O_CREAT | O_WRONLY, 0644));
    if (strcmp(env("FAULT_KILL"), "before") == 0) raise(SIGKILL);
    errno = EIO;
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

bool refused(const char* path) {
    const size_t n = strlen(path), m = strlen(env("FAULT_OPEN"));
    if (m == 0 || n < m || strcmp(path + n - m, env("FAULT_OPEN")) != 0) return false;
    errno = EACCES;
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
}
