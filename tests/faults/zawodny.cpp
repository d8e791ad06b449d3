// LD_PRELOAD library of the fault script: the FAULT_N-th call of FAULT_FN
// (write, pwrite, fsync, fdatasync, rename, unlink, or "any" of these) on a
// file (not stdin, stdout or stderr) fails with EIO; with FAULT_KILL=before
// or after the program is killed (SIGKILL) instead, before that call or
// after it was made. FAULT_MARK names a file created when it fired. Apart
// from these, every open of a path ending with FAULT_OPEN fails with EACCES.
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// 1 when this call is the one: failed (EIO) unless killing, when it kills
// here (before) or asks the caller to (after, -1 back).
int fires(const char* fn, int fd) {
    static int calls;
    const char* which = getenv("FAULT_FN");
    if (fd >= 0 && fd <= 2) return 0;
    if (!which || (strcmp(which, fn) != 0 && strcmp(which, "any") != 0) ||
        ++calls != atoi(getenv("FAULT_N") ? getenv("FAULT_N") : "0"))
        return 0;
    const char* mark = getenv("FAULT_MARK");
    if (mark) close(open(mark, O_CREAT | O_WRONLY, 0644));
    const char* kill = getenv("FAULT_KILL");
    if (kill && strcmp(kill, "before") == 0) raise(SIGKILL);
    if (kill) return -1;
    errno = EIO;
    return 1;
}

bool refused(const char* path) {
    const char* suffix = getenv("FAULT_OPEN");
    if (!suffix || !*suffix || !path) return false;
    const size_t n = strlen(path), m = strlen(suffix);
    if (n < m || strcmp(path + n - m, suffix) != 0) return false;
    errno = EACCES;
    return true;
}

template <class R>
R after(int f, R result) {
    if (f < 0) raise(SIGKILL);
    return result;
}

}  // namespace

#define NEXT(name) (reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name)))
#define CALL(fn, fd, call) \
    do { \
        const int f = fires(fn, fd); \
        return f > 0 ? -1 : after(f, call); \
    } while (0)

extern "C" {

ssize_t write(int fd, const void* b, size_t n) { CALL("write", fd, NEXT(write)(fd, b, n)); }
ssize_t pwrite(int fd, const void* b, size_t n, off_t o) { CALL("pwrite", fd, NEXT(pwrite)(fd, b, n, o)); }
ssize_t pwrite64(int fd, const void* b, size_t n, off_t o) { CALL("pwrite", fd, NEXT(pwrite64)(fd, b, n, o)); }
int fsync(int fd) { CALL("fsync", fd, NEXT(fsync)(fd)); }
int fdatasync(int fd) { CALL("fdatasync", fd, NEXT(fdatasync)(fd)); }
int rename(const char* a, const char* b) noexcept { CALL("rename", -1, NEXT(rename)(a, b)); }
int unlink(const char* a) noexcept { CALL("unlink", -1, NEXT(unlink)(a)); }

int open(const char* p, int flags, ...) {
    va_list a;
    va_start(a, flags);
    const mode_t mode = va_arg(a, mode_t);
    va_end(a);
    return refused(p) ? -1 : NEXT(open)(p, flags, mode);
}
int open64(const char* p, int flags, ...) {
    va_list a;
    va_start(a, flags);
    const mode_t mode = va_arg(a, mode_t);
    va_end(a);
    return refused(p) ? -1 : NEXT(open64)(p, flags, mode);
}
}
