// LD_PRELOAD library of the fault script: the FAULT_N-th call of FAULT_FN
// (write, pwrite, fsync, fdatasync, rename) on a file (not stdin, stdout or
// stderr) fails with EIO; FAULT_MARK names a file created when it did.
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

int fires(const char* fn, int fd) {
    static int calls;
    const char* which = getenv("FAULT_FN");
    if (fd >= 0 && fd <= 2) return 0;
    if (!which || strcmp(which, fn) != 0 || ++calls != atoi(getenv("FAULT_N") ? getenv("FAULT_N") : "0")) return 0;
    const char* mark = getenv("FAULT_MARK");
    if (mark) close(open(mark, O_CREAT | O_WRONLY, 0644));
    errno = EIO;
    return 1;
}

}  // namespace

#define NEXT(name) (reinterpret_cast<decltype(&name)>(dlsym(RTLD_NEXT, #name)))

extern "C" {

ssize_t write(int fd, const void* b, size_t n) { return fires("write", fd) ? -1 : NEXT(write)(fd, b, n); }
ssize_t pwrite(int fd, const void* b, size_t n, off_t o) { return fires("pwrite", fd) ? -1 : NEXT(pwrite)(fd, b, n, o); }
ssize_t pwrite64(int fd, const void* b, size_t n, off_t o) { return fires("pwrite", fd) ? -1 : NEXT(pwrite64)(fd, b, n, o); }
int fsync(int fd) { return fires("fsync", fd) ? -1 : NEXT(fsync)(fd); }
int fdatasync(int fd) { return fires("fdatasync", fd) ? -1 : NEXT(fdatasync)(fd); }
int rename(const char* a, const char* b) noexcept { return fires("rename", -1) ? -1 : NEXT(rename)(a, b); }
}
