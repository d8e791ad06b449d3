#include "TClipsSandbox.h"

#include "TClips.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <linux/close_range.h>
#include <new>
#include <poll.h>
#include <pthread.h>
#include <seccomp.h>
#include <sstream>
#include <string_view>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VESK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VESK_ASAN 1
#endif
#endif

namespace vesk {

namespace {

// Records of the pipe: one tag byte, a 4-byte little-endian length, the
// payload.
enum Tag : char {
    kLine = 'L',        // a log line
    kFired = 'N',       // rules fired by a Run step, decimal
    kFact = 'F',        // an ordered fact: its fields, each length-prefixed
    kConstructs = 'K',  // the save text
    kError = 'E',       // an operation failed: the message
    kExit = 'X',        // a rule asked the engine to end the program
    kMemory = 'M',      // out of memory
    kRecursion = 'R',   // the stack ran out
    kCrash = 'C',       // another fault
    kDone = 'D',
};

constexpr int kPipeFd = 3;
constexpr std::size_t kMaxLogLines = 20000;
constexpr std::size_t kMaxFacts = 100000;
constexpr std::size_t kMaxRecord = std::size_t(64) << 20;

void Put32(std::string& s, std::uint32_t n) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((n >> (8 * i)) & 0xFF);
}

std::uint32_t Get32(const char* p) {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(p[i]);
    return n;
}

// ---- the child ----------------------------------------------------------

void WriteAll(const char* data, std::size_t size) noexcept {
    while (size > 0) {
        const ssize_t n = ::write(kPipeFd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ::_exit(120);  // the parent is gone
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void Send(char tag, const std::string& payload) {
    std::string r(1, tag);
    Put32(r, static_cast<std::uint32_t>(std::min(payload.size(), kMaxRecord)));
    r.append(payload, 0, kMaxRecord);
    WriteAll(r.data(), r.size());
}

// Ends the child from anywhere, a signal handler included: the record is
// made up before the engine starts.
struct Marker {
    char bytes[5];
    void Make(char tag) {
        bytes[0] = tag;
        std::memset(bytes + 1, 0, 4);
    }
    [[noreturn]] void SendAndExit() const noexcept {
        WriteAll(bytes, sizeof bytes);
        ::_exit(121);
    }
};

Marker gExit, gMemory, gRecursion, gCrash;
std::uintptr_t gStackLow = 0, gStackHigh = 0;

// Runs on the spare stack with the thread's own one used up: only system
// calls, and nothing the address sanitizer would see as a return that
// never comes (it would look for the stack and fail).
__attribute__((no_sanitize_address)) void OnFault(int, siginfo_t* info, void*) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    // A fault just below or inside the stack is the stack running out.
    const std::uintptr_t slack = std::uintptr_t(1) << 20;
    const Marker& m = gStackLow != 0 && at + slack >= gStackLow && at < gStackHigh ? gRecursion : gCrash;
    for (std::size_t done = 0; done < sizeof m.bytes;) {
        const long n = ::syscall(SYS_write, kPipeFd, m.bytes + done, sizeof m.bytes - done);
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    ::syscall(SYS_exit_group, 121);
}

void Limit(int resource, rlim_t soft, rlim_t hard) {
    rlimit r{};
    if (::getrlimit(resource, &r) != 0) return;
    if (r.rlim_max != RLIM_INFINITY && hard > r.rlim_max) hard = r.rlim_max;
    r.rlim_cur = std::min(soft, hard);
    r.rlim_max = hard;
    ::setrlimit(resource, &r);
}

// The stack the engine runs on, and a handler for its faults on a stack of
// its own.
void WatchStack() {
    pthread_attr_t attr;
    if (::pthread_getattr_np(::pthread_self(), &attr) == 0) {
        void* low = nullptr;
        std::size_t size = 0;
        if (::pthread_attr_getstack(&attr, &low, &size) == 0) {
            gStackLow = reinterpret_cast<std::uintptr_t>(low);
            gStackHigh = gStackLow + size;
        }
        ::pthread_attr_destroy(&attr);
    }
    const std::size_t altSize = 256 * 1024;
    void* alt = ::mmap(nullptr, altSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (alt != MAP_FAILED) {
        stack_t ss{};
        ss.ss_sp = alt;
        ss.ss_size = altSize;
        ::sigaltstack(&ss, nullptr);
    }
    struct sigaction sa{};
    sa.sa_sigaction = OnFault;
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGSEGV, &sa, nullptr);
    ::sigaction(SIGBUS, &sa, nullptr);
}

// What the child may no longer do: write, create, remove or rename files,
// change their owners or modes, start programs or processes, reach the
// network or other processes. The filter program is made once, in the
// parent; the child only installs it.
using Filter = std::vector<sock_filter>;

bool MakeFilter(scmp_filter_ctx ctx);

const Filter& ConfinementFilter() {
    static const Filter filter = [] {
        Filter f;
        scmp_filter_ctx ctx = ::seccomp_init(SCMP_ACT_ALLOW);
        if (!ctx) return f;
        const int fd = ::memfd_create("vesk-seccomp", MFD_CLOEXEC);
        if (fd >= 0 && MakeFilter(ctx) && ::seccomp_export_bpf(ctx, fd) == 0) {
            const off_t size = ::lseek(fd, 0, SEEK_END);
            if (size > 0 && size % static_cast<off_t>(sizeof(sock_filter)) == 0) {
                f.resize(static_cast<std::size_t>(size) / sizeof(sock_filter));
                if (::pread(fd, f.data(), static_cast<std::size_t>(size), 0) != size) f.clear();
            }
        }
        if (fd >= 0) ::close(fd);
        ::seccomp_release(ctx);
        return f;
    }();
    return filter;
}

bool Confine(const Filter& filter) {
    if (filter.empty()) return false;
    sock_fprog program{static_cast<unsigned short>(filter.size()), const_cast<sock_filter*>(filter.data())};
    return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program, 0, 0) == 0;
}

bool MakeFilter(scmp_filter_ctx ctx) {
    const std::uint32_t deny = SCMP_ACT_ERRNO(EPERM);
    bool ok = true;
    auto rule = [&](int sys) {
        if (::seccomp_rule_add(ctx, deny, sys, 0) != 0 && sys >= 0) ok = false;
    };
    // Opening is allowed for reading only.
    auto openRules = [&](int sys, unsigned arg) {
        if (sys < 0) return;
        const scmp_datum_t acc = O_ACCMODE;
        ok = ok && ::seccomp_rule_add(ctx, deny, sys, 1, SCMP_CMP(arg, SCMP_CMP_MASKED_EQ, acc, O_WRONLY)) == 0;
        ok = ok && ::seccomp_rule_add(ctx, deny, sys, 1, SCMP_CMP(arg, SCMP_CMP_MASKED_EQ, acc, O_RDWR)) == 0;
        ok = ok && ::seccomp_rule_add(ctx, deny, sys, 1, SCMP_CMP(arg, SCMP_CMP_MASKED_EQ, acc, acc)) == 0;
        for (scmp_datum_t flag : {scmp_datum_t(O_CREAT), scmp_datum_t(O_TRUNC), scmp_datum_t(O_APPEND),
                                  scmp_datum_t(__O_TMPFILE)})
            ok = ok && ::seccomp_rule_add(ctx, deny, sys, 1, SCMP_CMP(arg, SCMP_CMP_MASKED_EQ, flag, flag)) == 0;
    };
    openRules(SCMP_SYS(open), 1);
    openRules(SCMP_SYS(openat), 2);
    for (int sys : {SCMP_SYS(openat2), SCMP_SYS(creat), SCMP_SYS(open_by_handle_at), SCMP_SYS(name_to_handle_at),
                    SCMP_SYS(unlink), SCMP_SYS(unlinkat), SCMP_SYS(rename), SCMP_SYS(renameat),
                    SCMP_SYS(renameat2), SCMP_SYS(mkdir), SCMP_SYS(mkdirat), SCMP_SYS(rmdir), SCMP_SYS(link),
                    SCMP_SYS(linkat), SCMP_SYS(symlink), SCMP_SYS(symlinkat), SCMP_SYS(mknod), SCMP_SYS(mknodat),
                    SCMP_SYS(chmod), SCMP_SYS(fchmod), SCMP_SYS(fchmodat), SCMP_SYS(chown), SCMP_SYS(fchown),
                    SCMP_SYS(lchown), SCMP_SYS(fchownat), SCMP_SYS(truncate), SCMP_SYS(ftruncate),
                    SCMP_SYS(fallocate), SCMP_SYS(utime), SCMP_SYS(utimes), SCMP_SYS(utimensat),
                    SCMP_SYS(futimesat), SCMP_SYS(setxattr), SCMP_SYS(lsetxattr), SCMP_SYS(fsetxattr),
                    SCMP_SYS(removexattr), SCMP_SYS(lremovexattr), SCMP_SYS(fremovexattr), SCMP_SYS(execve),
                    SCMP_SYS(execveat), SCMP_SYS(fork), SCMP_SYS(vfork), SCMP_SYS(clone), SCMP_SYS(clone3),
                    SCMP_SYS(kill), SCMP_SYS(tkill), SCMP_SYS(ptrace), SCMP_SYS(process_vm_writev),
                    SCMP_SYS(socket), SCMP_SYS(socketpair), SCMP_SYS(connect), SCMP_SYS(bind),
                    SCMP_SYS(mount), SCMP_SYS(umount2), SCMP_SYS(chroot), SCMP_SYS(pivot_root),
                    SCMP_SYS(chdir), SCMP_SYS(fchdir), SCMP_SYS(io_uring_setup), SCMP_SYS(io_uring_enter),
                    SCMP_SYS(io_uring_register), SCMP_SYS(copy_file_range), SCMP_SYS(sendfile),
                    SCMP_SYS(splice), SCMP_SYS(tee), SCMP_SYS(vmsplice), SCMP_SYS(setrlimit),
                    SCMP_SYS(prlimit64), SCMP_SYS(reboot), SCMP_SYS(swapon), SCMP_SYS(swapoff),
                    SCMP_SYS(init_module), SCMP_SYS(finit_module), SCMP_SYS(delete_module),
                    SCMP_SYS(setuid), SCMP_SYS(setgid), SCMP_SYS(setreuid), SCMP_SYS(setregid),
                    SCMP_SYS(setresuid), SCMP_SYS(setresgid), SCMP_SYS(sethostname), SCMP_SYS(setdomainname),
                    SCMP_SYS(acct), SCMP_SYS(quotactl), SCMP_SYS(syslog)})
        rule(sys);
    return ok;
}

std::string FieldsRecord(const std::vector<std::string>& fields) {
    std::string r;
    for (const std::string& f : fields) {
        Put32(r, static_cast<std::uint32_t>(f.size()));
        r += f;
    }
    return r;
}

std::string Number(double v) {
    std::ostringstream os;
    os.imbue(std::locale::classic());
    os.precision(15);
    os << v;
    return os.str();
}

// The engine's log lines, as the indicator window has always listed them.
class ChildLog {
public:
    bool on = false;
    void Line(const std::string& s) {
        if (!on) return;
        if (lines_ < kMaxLogLines) Send(kLine, s);
        else if (lines_ == kMaxLogLines) Send(kLine, "... dalsze wiersze dziennika pomini\xEAto");
        ++lines_;
    }

private:
    std::size_t lines_ = 0;
};

void Attach(TClips& clips, ChildLog& log) {
    clips.OnAssertion = [&log](TClips&, const std::shared_ptr<TClipsFact>& f) {
        if (!log.on) return;
        log.Line("Assertion: " + f->Text());
        if (f->Ordered()) {
            for (const auto& pole : f->OrderedFields()) log.Line("     Field: " + pole);
            return;
        }
        for (const auto& slot : f->Slots()) {
            std::string tekst;
            try {
                const auto v = f->GetSlotValue(slot);
                if (const auto* s = std::get_if<std::string>(&v)) tekst = *s;
                else if (const auto* i = std::get_if<long long>(&v)) tekst = std::to_string(*i);
                else tekst = Number(std::get<double>(v));
            } catch (const ECLIPSException&) {
                tekst = "?";
            }
            log.Line("     Slot: " + slot + "  Value: " + tekst);
        }
    };
    clips.OnRetraction = [&log](TClips&, const std::shared_ptr<TClipsFact>& f) { log.Line("Retraction: " + f->Text()); };
    clips.OnClear = [&log](TClips&) { log.Line("Clear"); };
    clips.OnReset = [&log](TClips&) { log.Line("Reset"); };
    clips.OnExit = [](TClips&) { gExit.SendAndExit(); };
    clips.OnOutOfMemory = [](TClips&) { gMemory.SendAndExit(); };
}

// The engine's own text, without its blank lines.
std::string EngineText(const std::string& details) {
    std::string out, line;
    std::istringstream in(details);
    while (std::getline(in, line)) {
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (line.empty()) continue;
        if (!out.empty()) out += '\n';
        out += line;
    }
    return out;
}

std::string LoadError(const TClips& clips, const SandboxStep& step, const ECLIPSException& e) {
    if (dynamic_cast<const ECLIPSRefusedException*>(&e)) return e.what();
    if (dynamic_cast<const ECLIPSOpenException*>(&e)) return "Nie mo\xBFna otworzy\xE6 pliku regu\xB3 " + step.File;
    std::string m = "B\xB3\xB9" "d w pliku regu\xB3 " + step.File;
    if (clips.LastErrorLine() > 0) m += ", wiersz " + std::to_string(clips.LastErrorLine());
    m += "; pliku nie wczytano w ca\xB3o\x9C" "ci";
    const std::string engine = EngineText(e.details());
    if (!engine.empty()) m += ":\n" + engine;
    return m;
}

void Do(TClips& clips, const SandboxStep& step) {
    try {
        switch (step.What) {
        case SandboxStep::Kind::Load: clips.LoadFromFile(step.File); break;
        case SandboxStep::Kind::LoadAppend: clips.LoadAppend(step.File); break;
        case SandboxStep::Kind::Clear: clips.Clear(); break;
        case SandboxStep::Kind::Reset: clips.Reset(); break;
        case SandboxStep::Kind::Run:
            if (step.Limit < 0) clips.Run();
            else clips.RunLimit(static_cast<int>(std::min<long long>(step.Limit, 0x7FFFFFFF)));
            Send(kFired, std::to_string(clips.LastFired()));
            break;
        }
    } catch (const std::bad_alloc&) {
        gMemory.SendAndExit();
    } catch (const ECLIPSIOException& e) {
        Send(kError, LoadError(clips, step, e));
        ::_exit(122);
    } catch (const std::exception& e) {
        std::string m = "B\xB3\xB9" "d silnika regu\xB3: " + std::string(e.what());
        if (const auto* c = dynamic_cast<const ECLIPSException*>(&e); c && !c->details().empty())
            m += "\n" + EngineText(c->details());
        Send(kError, m);
        ::_exit(122);
    }
}

[[noreturn]] void Child(int fd, const SandboxJob& job, long virtualKbAtStart, const Filter& filter) {
    // Only the pipe stays open: nothing the program holds can be reached.
    if (fd != kPipeFd) {
        if (::dup2(fd, kPipeFd) < 0) ::_exit(123);
    }
    ::fcntl(kPipeFd, F_SETFD, 0);
    ::syscall(SYS_close_range, kPipeFd + 1, ~0U, 0);
    const int nul = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (nul >= 0) ::dup2(nul, 0);
    // The limits' signals end the child whatever the program set for them.
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGXCPU, SIG_DFL);
    ::signal(SIGXFSZ, SIG_DFL);
    sigset_t all;
    sigemptyset(&all);
    ::sigprocmask(SIG_SETMASK, &all, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    gExit.Make(kExit);
    gMemory.Make(kMemory);
    gRecursion.Make(kRecursion);
    gCrash.Make(kCrash);

    const rlim_t cpu = static_cast<rlim_t>(std::max(1, job.Limits.CpuSeconds));
    Limit(RLIMIT_CPU, cpu, cpu + 1);
    Limit(RLIMIT_CORE, 0, 0);
    Limit(RLIMIT_FSIZE, 0, 0);
    Limit(RLIMIT_STACK, rlim_t(16) << 20, rlim_t(16) << 20);
#if !defined(VESK_ASAN)
    // The sanitizer's shadow memory would not fit in any address limit;
    // there the parent watches the resident size alone.
    const rlim_t as = static_cast<rlim_t>(virtualKbAtStart) * 1024 + job.Limits.Memory;
    Limit(RLIMIT_AS, as, as);
#else
    (void)virtualKbAtStart;
#endif
    WatchStack();
    if (!Confine(filter)) {
        Send(kError, "Nie mo\xBFna odizolowa\xE6 silnika regu\xB3 (seccomp); wnioskowania nie uruchomiono");
        ::_exit(124);
    }

    ChildLog log;
    std::size_t facts = 0;
    try {
        TClips clips;
        Attach(clips, log);
        for (const SandboxStep& s : job.Replayed) Do(clips, s);
        log.on = true;
        for (const SandboxStep& s : job.Steps) Do(clips, s);
        log.on = false;
        if (job.WantFacts)
            for (int i = 0; i < clips.FactCount() && facts < kMaxFacts; ++i) {
                const auto f = clips.Facts(i);
                if (!f || !f->Ordered()) continue;
                Send(kFact, FieldsRecord(f->OrderedFields()));
                ++facts;
            }
        if (job.WantConstructs) Send(kConstructs, clips.ConstructsText());
    } catch (const std::bad_alloc&) {
        gMemory.SendAndExit();
    } catch (const std::exception& e) {
        Send(kError, "B\xB3\xB9" "d silnika regu\xB3: " + std::string(e.what()));
        ::_exit(122);
    }
    Send(kDone, {});
    ::_exit(0);
}

// ---- the parent ---------------------------------------------------------

long StatmKb(pid_t pid, int field) {
    const std::string path = "/proc/" + (pid ? std::to_string(pid) : std::string("self")) + "/statm";
    long v[2] = {0, 0};
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        if (std::fscanf(f, "%ld %ld", &v[0], &v[1]) != 2) v[0] = v[1] = 0;
        std::fclose(f);
    }
    return v[field] * (::sysconf(_SC_PAGESIZE) / 1024);
}

std::string Megabytes(std::size_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

class Reader {
public:
    explicit Reader(SandboxResult& r) : r_(r) {}
    char last = 0;
    bool done = false;
    bool broken = false;  // more than the child may send

    // Takes whole records off the buffer.
    void Feed(const char* data, std::size_t n) {
        if (broken) return;
        buffer_.append(data, n);
        if (buffer_.size() > kMaxRecord + 5) {
            broken = true;
            buffer_.clear();
            return;
        }
        std::size_t at = 0;
        while (buffer_.size() - at >= 5) {
            const std::uint32_t len = Get32(buffer_.data() + at + 1);
            if (buffer_.size() - at - 5 < len) break;
            Take(buffer_[at], std::string_view(buffer_).substr(at + 5, len));
            at += 5 + len;
        }
        buffer_.erase(0, at);
    }

private:
    void Take(char tag, std::string_view p) {
        last = tag;
        switch (tag) {
        case kLine:
            if (r_.Log.size() <= kMaxLogLines) r_.Log.emplace_back(p);
            break;
        case kFired: r_.Fired = std::strtoll(std::string(p).c_str(), nullptr, 10); break;
        case kFact: {
            if (r_.Facts.size() >= kMaxFacts) break;
            std::vector<std::string> fields;
            while (p.size() >= 4) {
                const std::uint32_t len = Get32(p.data());
                if (p.size() - 4 < len) break;
                fields.emplace_back(p.substr(4, len));
                p.remove_prefix(4 + len);
            }
            r_.Facts.push_back(std::move(fields));
            break;
        }
        case kConstructs: r_.Constructs = p; break;
        case kError: r_.Error = p; break;
        case kDone: done = true; break;
        default: break;
        }
    }

    SandboxResult& r_;
    std::string buffer_;
};

}  // namespace

SandboxResult RunSandboxed(const SandboxJob& job, const std::function<bool()>& keepGoing) {
    SandboxResult r;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        r.Error = "Nie mo\xBFna uruchomi\xE6 silnika regu\xB3 (brak zasob\xF3w systemu)";
        return r;
    }
    const long virtualKb = StatmKb(0, 0);
    const long residentKb = StatmKb(0, 1);
    const Filter& filter = ConfinementFilter();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        Child(fds[1], job, virtualKb, filter);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        r.Error = "Nie mo\xBFna uruchomi\xE6 silnika regu\xB3 (brak zasob\xF3w systemu)";
        return r;
    }

    enum class Why { None, Time, Memory, Stopped, Broken } killed = Why::None;
    Reader reader(r);
    const auto start = std::chrono::steady_clock::now();
    const long memoryKb = static_cast<long>(job.Limits.Memory / 1024);
    auto checked = start - std::chrono::seconds(1);
    char chunk[65536];
    for (bool open = true; open;) {
        pollfd p{fds[0], POLLIN, 0};
        if (::poll(&p, 1, 50) > 0) {
            const ssize_t n = ::read(fds[0], chunk, sizeof chunk);
            if (n > 0) reader.Feed(chunk, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR) open = false;
        }
        // The limits and the caller every 50 ms, however busy the pipe.
        if (reader.broken && killed == Why::None) {
            killed = Why::Broken;
            ::kill(pid, SIGKILL);
        }
        const auto now = std::chrono::steady_clock::now();
        if (killed != Why::None || now - checked < std::chrono::milliseconds(50)) continue;
        checked = now;
        if (now - start > std::chrono::seconds(job.Limits.WallSeconds))
            killed = Why::Time;
        else if (StatmKb(pid, 1) - residentKb > memoryKb)
            killed = Why::Memory;
        else if (keepGoing && !keepGoing())
            killed = Why::Stopped;
        if (killed != Why::None) ::kill(pid, SIGKILL);
    }
    ::close(fds[0]);
    int status = 0;
    rusage use{};
    while (::wait4(pid, &status, 0, &use) < 0 && errno == EINTR) {
    }
    r.PeakKb = use.ru_maxrss;

    const std::string stopped = "Przerwano wnioskowanie: ";
    if (killed == Why::Stopped) {
        r.Stopped = true;
        r.Error = stopped + "zatrzymane przez u\xBFytkownika";
    } else if (killed == Why::Time || (WIFSIGNALED(status) && WTERMSIG(status) == SIGXCPU)) {
        r.Error = stopped + "przekroczono czas wnioskowania (" + std::to_string(job.Limits.CpuSeconds) + " s)";
    } else if (killed == Why::Memory || reader.last == kMemory) {
        r.Error = stopped + "przekroczono limit pami\xEA" "ci (" + Megabytes(job.Limits.Memory) + ")";
    } else if (reader.last == kRecursion) {
        r.Error = stopped + "zbyt g\xB3\xEA" "boka rekurencja";
    } else if (reader.last == kExit) {
        r.Error = stopped + "plik regu\xB3 wywo\xB3" "a\xB3 funkcj\xEA exit (program dzia\xB3" "a dalej)";
    } else if (killed == Why::None && reader.done && WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        r.Ok = true;
    } else if (r.Error.empty()) {
        r.Error = stopped + "silnik regu\xB3 zako\xF1" "czy\xB3 si\xEA b\xB3\xEA" "dem (" +
                  (WIFSIGNALED(status) ? "sygna\xB3 " + std::to_string(WTERMSIG(status))
                                       : "kod " + std::to_string(WEXITSTATUS(status))) +
                  ")";
    }
    return r;
}

}  // namespace vesk
