#include "TClipsSandbox.h"

#include "Liczebniki.h"
#include "Sanitizer.h"
#include "TClips.h"

#include <algorithm>
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
#include <optional>
#include <poll.h>
#include <pthread.h>
#include <seccomp.h>
#include <sstream>
#include <string_view>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vesk {

namespace {

// The channel is a socket, not a pipe: a socket cannot be opened again
// through /proc/self/fd or /dev/fd (and the child opens nothing anyway),
// so only the program and the child's own code reach it. Records both
// ways: one tag byte, a 4-byte little-endian length, the payload.
//
// From the program: the steps of an operation, then kGo. The program
// reads the files a step loads; the child gets their text.
enum Command : char {
    kStep = 'S',  // kind (1 byte), firing limit (8), file name length (4), file name, then
                  // 'T' and the file's text, or 'B' and why it could not be read
    kGo = 'G',    // sequence (4), flags (1), output budget (8), processor seconds (4)
};

// From the child.
enum Tag : char {
    kLine = 'L',        // a log line
    kFired = 'N',       // rules fired by a Run step, decimal
    kResults = 'W',     // the steps are done, their results follow (empty)
    kLeftOut = 'P',     // ordered facts not sent, of them those put first: two decimals
    kFact = 'F',        // an ordered fact: its fields, each length-prefixed
    kConstructs = 'K',  // the save text
    kError = 'E',       // an operation failed: the failed step (4, all ones when none), the message
    kMessages = 'U',    // what the engine printed on its error routes in a step it finished
    kPrinted = 'V',     // what it printed on its other routes in a step (before that step's 'U' or 'H')
    kHalted = 'H',      // the same for a run an error stopped: its results follow
    kExit = 'X',        // a rule asked the engine to end the program
    kMemory = 'M',      // out of memory
    kRecursion = 'R',   // the stack ran out
    kCrash = 'C',       // another fault: the signal (1 byte)
    kOverflow = 'O',    // the operation's output budget ran out
    kDone = 'D',        // the operation ended: sequence (4), records sent before (4)
};

constexpr int kChannelFd = 3;
constexpr std::size_t kMaxLogLines = 20000;
constexpr std::size_t kMaxError = 64 * 1024;
constexpr std::size_t kMaxCommand = TClips::kMaxFileBytes + 64 * 1024;
// What a record costs against the output budget: its bytes, its header
// and, for each text the program keeps, the string that holds it.
constexpr std::size_t kHeader = 5;
constexpr std::size_t kStringCost = 32;

void Put32(std::string& s, std::uint32_t n) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((n >> (8 * i)) & 0xFF);
}

void Put64(std::string& s, std::uint64_t n) {
    for (int i = 0; i < 8; ++i) s += static_cast<char>((n >> (8 * i)) & 0xFF);
}

std::uint64_t GetLE(const char* p, int bytes) {
    std::uint64_t n = 0;
    for (int i = bytes - 1; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(p[i]);
    return n;
}

std::uint32_t Get32(const char* p) { return static_cast<std::uint32_t>(GetLE(p, 4)); }

std::string Record(char tag, std::string_view payload) {
    std::string r(1, tag);
    Put32(r, static_cast<std::uint32_t>(payload.size()));
    r.append(payload);
    return r;
}

// The start of a text longer than max, with the mark.
std::string Cut(std::string_view s, std::size_t max) {
    if (s.size() <= max) return std::string(s);
    return std::string(s.substr(0, max)) + kSandboxCutMark;
}

std::size_t CutLength(std::size_t max) { return max + std::strlen(kSandboxCutMark); }

// The start of a failed operation's message.
std::string Prefix(const std::vector<SandboxStep>& steps) {
    auto has = [&](SandboxStep::Kind k) {
        return std::any_of(steps.begin(), steps.end(), [k](const SandboxStep& s) { return s.What == k; });
    };
    if (has(SandboxStep::Kind::Run)) return "Przerwano wnioskowanie: ";
    if (has(SandboxStep::Kind::Load) || has(SandboxStep::Kind::LoadAppend))
        return "Przerwano wczytywanie pliku regu\xB3: ";
    return "Przerwano polecenie silnika regu\xB3: ";
}

// ---- the child ----------------------------------------------------------

void WriteAll(const char* data, std::size_t size) noexcept {
    while (size > 0) {
        const ssize_t n = ::write(kChannelFd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ::_exit(120);  // the program is gone
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Ends the child from anywhere, a signal handler included: the record is
// made up before the engine starts.
struct Marker {
    char bytes[6];
    std::size_t size = 5;
    void Make(char tag, bool withByte = false) {
        bytes[0] = tag;
        std::memset(bytes + 1, 0, 5);
        if (withByte) {
            bytes[1] = 1;
            size = 6;
        }
    }
    [[noreturn]] void SendAndExit() const noexcept {
        WriteAll(bytes, size);
        ::_exit(121);
    }
};

Marker gExit, gMemory, gRecursion, gCrash, gOverflow;
std::uintptr_t gStackLow = 0, gStackHigh = 0;

// The operation under way: records sent and what they cost.
std::uint32_t gSent = 0;
std::size_t gSpent = 0, gBudget = 0;

// The results of an operation go in pieces of this size, not a write
// per record; while the steps run, each record goes at once (the program
// keeps what came before a limit ended the child).
constexpr std::size_t kPiece = 64 * 1024;
std::string gPending;
bool gGathering = false;

void Flush() {
    WriteAll(gPending.data(), gPending.size());
    gPending.clear();
}

void Send(char tag, std::string_view payload, std::size_t strings = 0) {
    if (strings > 0) {
        gSpent += kHeader + payload.size() + strings * kStringCost;
        if (gSpent > gBudget) gOverflow.SendAndExit();
    }
    gPending += tag;
    Put32(gPending, static_cast<std::uint32_t>(payload.size()));
    gPending.append(payload);
    if (!gGathering || gPending.size() >= kPiece) Flush();
    ++gSent;
}

// Runs on the spare stack with the thread's own one used up: only system
// calls, and nothing the address sanitizer would see as a return that
// never comes (it would look for the stack and fail).
__attribute__((no_sanitize_address)) void OnFault(int sig, siginfo_t* info, void*) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    // A fault just below or inside the stack is the stack running out.
    const std::uintptr_t slack = std::uintptr_t(1) << 20;
    const bool stack = sig == SIGSEGV && gStackLow != 0 && at + slack >= gStackLow && at < gStackHigh;
    Marker& m = stack ? gRecursion : gCrash;
    if (!stack) m.bytes[5] = static_cast<char>(sig);
    for (std::size_t done = 0; done < m.size;) {
        const long n = ::syscall(SYS_write, kChannelFd, m.bytes + done, m.size - done);
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
    for (int sig : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGSYS}) ::sigaction(sig, &sa, nullptr);
}

// What the child may do once the engine has started: read from its
// channel, write to it, use memory (never executable), handle its
// signals, read the clocks and end. It opens nothing: no file, pipe or
// device, by any call. Everything else fails with EPERM. The filter
// program is made once, in the parent; the child only installs it.
using Filter = std::vector<sock_filter>;

bool MakeFilter(scmp_filter_ctx ctx);

const Filter& ConfinementFilter() {
    static const Filter filter = [] {
        Filter f;
        scmp_filter_ctx ctx = ::seccomp_init(SCMP_ACT_ERRNO(EPERM));
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
    const std::uint32_t allow = SCMP_ACT_ALLOW;
    bool ok = true;
    auto rule = [&](int sys) {
        if (sys >= 0) ok = ok && ::seccomp_rule_add(ctx, allow, sys, 0) == 0;
    };
    auto when = [&](int sys, scmp_arg_cmp cmp) {
        if (sys >= 0) ok = ok && ::seccomp_rule_add(ctx, allow, sys, 1, cmp) == 0;
    };
    for (int sys : {SCMP_SYS(read), SCMP_SYS(readv), SCMP_SYS(pread64), SCMP_SYS(preadv), SCMP_SYS(lseek),
                    SCMP_SYS(close), SCMP_SYS(fstat), SCMP_SYS(stat), SCMP_SYS(lstat), SCMP_SYS(newfstatat),
                    SCMP_SYS(statx), SCMP_SYS(getcwd),
                    SCMP_SYS(brk), SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(madvise), SCMP_SYS(mincore),
                    SCMP_SYS(rt_sigaction), SCMP_SYS(rt_sigprocmask), SCMP_SYS(rt_sigreturn),
                    SCMP_SYS(sigaltstack), SCMP_SYS(setitimer), SCMP_SYS(getitimer), SCMP_SYS(clock_gettime),
                    SCMP_SYS(clock_getres), SCMP_SYS(gettimeofday), SCMP_SYS(time), SCMP_SYS(times),
                    SCMP_SYS(getrusage), SCMP_SYS(nanosleep), SCMP_SYS(clock_nanosleep), SCMP_SYS(futex),
                    SCMP_SYS(sched_yield), SCMP_SYS(restart_syscall), SCMP_SYS(getrandom), SCMP_SYS(getpid),
                    SCMP_SYS(gettid), SCMP_SYS(getppid), SCMP_SYS(getuid), SCMP_SYS(geteuid), SCMP_SYS(getgid),
                    SCMP_SYS(getegid), SCMP_SYS(uname), SCMP_SYS(sched_getaffinity), SCMP_SYS(getrlimit),
                    SCMP_SYS(exit), SCMP_SYS(exit_group)})
        rule(sys);
#if !defined(VESK_ASAN)
    // Writing: the channel only.
    for (int sys : {SCMP_SYS(write), SCMP_SYS(writev)}) when(sys, SCMP_A0(SCMP_CMP_EQ, kChannelFd));
#else
    // The sanitizers write their reports to stderr and tell readable
    // memory by writing it into a pipe of their own (files still open for
    // reading only).
    for (int sys : {SCMP_SYS(write), SCMP_SYS(writev), SCMP_SYS(pipe), SCMP_SYS(pipe2)}) rule(sys);
#endif
    // Memory that can never hold code.
    when(SCMP_SYS(mmap), SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0));
    when(SCMP_SYS(mprotect), SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0));
    // Limits may be read, not changed.
    when(SCMP_SYS(prlimit64), SCMP_A2(SCMP_CMP_EQ, 0));
    return ok;
}

std::string FieldsRecord(const std::vector<std::string>& fields) {
    std::string r;
    for (const std::string& f : fields) {
        const std::string field = Cut(f, kSandboxFieldBytes);
        Put32(r, static_cast<std::uint32_t>(field.size()));
        r += field;
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
    void Begin() { lines_ = 0; }
    void Line(const std::string& s) {
        if (lines_ < kMaxLogLines) Send(kLine, Cut(s, kSandboxLineBytes), 1);
        else if (lines_ == kMaxLogLines) Send(kLine, "... dalsze wiersze dziennika pomini\xEAto", 1);
        ++lines_;
    }

private:
    std::size_t lines_ = 0;
};

void Attach(TClips& clips, ChildLog& log) {
    clips.OnAssertion = [&log](TClips&, const std::shared_ptr<TClipsFact>& f) {
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

// The lines of a text that are not blank, without their trailing blanks
// and CRs, read in place forwards or backwards.
class TextLines {
public:
    explicit TextLines(std::string_view text) : text_(text), back_(text.size()) {}
    // The next line from the start; false past the end.
    bool Next(std::string_view& line) {
        while (front_ < text_.size()) {
            const std::size_t end = std::min(text_.find('\n', front_), text_.size());
            line = Trimmed(text_.substr(front_, end - front_));
            front_ = end + 1;
            if (!line.empty()) return true;
        }
        return false;
    }
    // The next line from the end, never one Next has given; false then.
    bool Previous(std::string_view& line) {
        while (back_ > front_) {
            const std::size_t nl = text_.rfind('\n', back_ - 1);
            const std::size_t begin = nl == std::string_view::npos ? 0 : nl + 1;
            line = Trimmed(text_.substr(begin, back_ - begin));
            back_ = nl == std::string_view::npos || begin < front_ ? front_ : nl;
            if (!line.empty() && begin >= front_) return true;
        }
        return false;
    }

private:
    static std::string_view Trimmed(std::string_view l) {
        while (!l.empty() && (l.back() == '\r' || l.back() == ' ')) l.remove_suffix(1);
        return l;
    }
    std::string_view text_;
    std::size_t front_ = 0, back_;
};

// A line of the engine's text as it is kept: one longer than
// kSandboxLineBytes keeps its start and its end, with a mark between
// telling how many bytes were left out, kSandboxLineBytes at most (a log
// line, its prefix included, shows it whole).
std::size_t KeptLength(std::string_view line) { return std::min(line.size(), kSandboxLineBytes); }

std::string KeptLine(std::string_view line) {
    if (line.size() <= kSandboxLineBytes) return std::string(line);
    // The mark's length grows with the count it tells, the count with it;
    // but the word after the count may be shorter for a larger count
    // ("bajty" after "bajt\xF3w"): the count only grows, until the mark
    // leaves room for no more than it tells, and then tells what is left out.
    std::size_t left = line.size() - kSandboxLineBytes;
    std::string mark;
    for (;;) {
        mark = " \x85 (pomini\xEAto " + std::to_string(left) + " " +
               FormaLiczebnika(left, "bajt", "bajty", "bajt\xF3w") + ") \x85 ";
        const std::size_t needed = line.size() - (kSandboxLineBytes - mark.size());
        if (needed <= left) break;
        left = needed;
    }
    const std::size_t kept = line.size() - left;
    const std::size_t start = kept / 2;
    return std::string(line.substr(0, start)) + mark + std::string(line.substr(line.size() - (kept - start)));
}

// The engine's own text, without its blank lines. A long one (a rule file
// that printed much before its error) keeps its beginning and its end,
// where the engine's error lines are, with a line telling what was left
// out; each line is kept as KeptLine keeps it. The text is read in place,
// whatever its length.
std::string EngineText(std::string_view details) {
    std::size_t total = 0, count = 0;
    std::string_view line;
    for (TextLines all(details); all.Next(line); ++count) total += KeptLength(line) + 1;
    const std::size_t half = kMaxError * 3 / 8;  // the message around it fits the rest
    static_assert(kSandboxLineBytes < half);
    const std::size_t room = total > kMaxError ? half : total;
    std::string out;
    auto add = [&out](std::string_view l) {
        if (!out.empty()) out += '\n';
        out += KeptLine(l);
    };
    TextLines lines(details);
    std::size_t head = 0, used = 0;
    for (; used < room && lines.Next(line); ++head) {
        if (used + KeptLength(line) + 1 > room) break;
        used += KeptLength(line) + 1;
        add(line);
    }
    if (head == count) return out;
    std::vector<std::string_view> tail;
    used = 0;
    while (head + tail.size() < count && lines.Previous(line) && used + KeptLength(line) + 1 <= half) {
        used += KeptLength(line) + 1;
        tail.push_back(line);
    }
    const std::size_t left = count - head - tail.size();
    if (left > 0)
        add("(pomini\xEAto " + std::to_string(left) + " " + FormaLiczebnika(left, "wiersz", "wiersze", "wierszy") + ")");
    for (auto l = tail.rbegin(); l != tail.rend(); ++l) add(*l);
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

// The step under way, for a failure's record.
std::uint32_t gStep = ~0U;

[[noreturn]] void Fail(const std::string& message) {
    gGathering = false;
    std::string p;
    Put32(p, gStep);
    Send(kError, p + Cut(message, kMaxError));
    ::_exit(122);
}

// A step as the child gets it: a load with the file's text, or with why
// the program could not read it.
struct ChildStep {
    SandboxStep step;
    std::optional<std::string> text;
    std::string why;
};

// The engine's text printed since `from`, bounded as the operation's
// records are.
std::string EngineTextSince(const std::string& printed, std::size_t from) {
    return Cut(EngineText(std::string_view(printed).substr(std::min(from, printed.size()))), kMaxError);
}

void Do(TClips& clips, const ChildStep& s, const std::string& prefix) {
    const SandboxStep& step = s.step;
    const bool load = step.What == SandboxStep::Kind::Load || step.What == SandboxStep::Kind::LoadAppend;
    // What the engine printed on its other routes (rules, a global's
    // initial value) goes with the step's results, also when it fails.
    const std::size_t shown = clips.Printed().size();
    auto tell = [&] {
        if (clips.Printed().size() <= shown) return;
        if (const std::string text = EngineTextSince(clips.Printed(), shown); !text.empty()) Send(kPrinted, text, 1);
    };
    try {
        const std::size_t told = clips.Messages().size();
        if (load && !s.text) Fail(s.why);
        switch (step.What) {
        case SandboxStep::Kind::Load: clips.LoadFromText(step.File, *s.text); break;
        case SandboxStep::Kind::LoadAppend: clips.LoadAppendText(step.File, *s.text); break;
        case SandboxStep::Kind::Clear: clips.Clear(); break;
        case SandboxStep::Kind::Reset: clips.Reset(); break;
        case SandboxStep::Kind::Run:
            if (step.Limit < 0) clips.Run();
            else clips.RunLimit(static_cast<int>(std::min<long long>(step.Limit, 0x7FFFFFFF)));
            break;
        }
        // What the engine printed on its error routes (its messages, and
        // whatever a rule printed there) goes with the step's results as
        // the engine's text. A run an error stopped still gives the facts
        // it made; a reset or clear an error stopped leaves no state worth
        // keeping, and the operation fails.
        tell();
        const std::string& printed = clips.Messages();
        if (!load && (clips.EngineHalted() || printed.size() > told)) {
            const std::string text = EngineTextSince(printed, told);
            if (clips.EngineHalted() && step.What != SandboxStep::Kind::Run)
                Fail(prefix + "silnik regu\xB3 zatrzyma\xB3 si\xEA po b\xB3\xEA" "dzie; jego tekst:\n" + text);
            Send(clips.EngineHalted() ? kHalted : kMessages, text, 1);
        }
        if (step.What == SandboxStep::Kind::Run) Send(kFired, std::to_string(clips.LastFired()));
    } catch (const std::bad_alloc&) {
        gMemory.SendAndExit();
    } catch (const ECLIPSIOException& e) {
        tell();
        Fail(LoadError(clips, step, e));
    } catch (const std::exception& e) {
        tell();
        std::string m = "B\xB3\xB9" "d silnika regu\xB3: " + std::string(e.what());
        if (const auto* c = dynamic_cast<const ECLIPSException*>(&e); c && !c->details().empty())
            m += "\n" + EngineText(c->details());
        Fail(m);
    }
}

void ReadAll(char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(kChannelFd, data, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ::_exit(0);  // the program ended the engine
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

struct Operation {
    std::vector<ChildStep> steps;
    std::uint32_t sequence = 0;
    bool facts = false, constructs = false;
    std::size_t budget = 0;
    unsigned cpuSeconds = 0;
};

// The next operation the program sends; the child ends when it sends none.
Operation ReadOperation() {
    Operation op;
    for (;;) {
        char head[kHeader];
        ReadAll(head, kHeader);
        const std::uint32_t len = Get32(head + 1);
        if (len > kMaxCommand) ::_exit(123);
        std::string p(len, '\0');
        ReadAll(p.data(), len);
        if (head[0] == kStep && len >= 14 && Get32(p.data() + 9) <= len - 14) {
            ChildStep s;
            s.step.What = static_cast<SandboxStep::Kind>(p[0]);
            s.step.Limit = static_cast<long long>(GetLE(p.data() + 1, 8));
            const std::size_t name = Get32(p.data() + 9);
            s.step.File = p.substr(13, name);
            (p[13 + name] == 'T' ? s.text.emplace() : s.why) = p.substr(14 + name);
            op.steps.push_back(std::move(s));
        } else if (head[0] == kGo && len == 17) {
            op.sequence = Get32(p.data());
            op.facts = (p[4] & 1) != 0;
            op.constructs = (p[4] & 2) != 0;
            op.budget = static_cast<std::size_t>(GetLE(p.data() + 5, 8));
            op.cpuSeconds = Get32(p.data() + 13);
            return op;
        } else {
            ::_exit(123);
        }
    }
}

void ProcessorAlarm(unsigned seconds) {
    itimerval t{};
    t.it_value.tv_sec = seconds;
    ::setitimer(ITIMER_PROF, &t, nullptr);
}

// The ordered facts in the order of the engine's list, those the test
// picks before the others, at most kSandboxFacts; the rest counted. The
// engine's own (initial-fact), which every reset makes, is none of them.
void SendFacts(const TClips& clips, const SandboxedEngine::FactTest& first) {
    const int count = clips.FactCount();
    std::vector<char> kind(static_cast<std::size_t>(count), 0);  // 0: not sent, 1: first, 2: other
    for (int i = 0; i < count; ++i) {
        const auto f = clips.Facts(i);
        if (!f->Ordered()) continue;
        const std::vector<std::string>& fields = f->OrderedFields();
        if (fields.size() == 1 && fields[0] == "initial-fact") continue;
        kind[i] = first && first(fields) ? 1 : 2;
    }
    std::size_t sent = 0;
    std::uint64_t leftOut = 0, firstLeftOut = 0;
    for (const char pass : {1, 2})
        for (int i = 0; i < count; ++i) {
            if (kind[i] != pass) continue;
            if (sent == kSandboxFacts) {
                ++leftOut;
                firstLeftOut += pass == 1;
                continue;
            }
            const std::vector<std::string>& fields = clips.Facts(i)->OrderedFields();
            Send(kFact, FieldsRecord(fields), fields.size() + 1);
            ++sent;
        }
    if (leftOut > 0) Send(kLeftOut, std::to_string(leftOut) + " " + std::to_string(firstLeftOut));
}

[[noreturn]] void Child(int fd, int other, pid_t parent, long virtualKbAtStart, std::size_t memory,
                        const Filter& filter, const SandboxedEngine::FactTest& first) {
    // Only the channel stays open: nothing the program holds can be reached.
    if (other != kChannelFd) ::close(other);
    if (fd != kChannelFd && ::dup2(fd, kChannelFd) < 0) ::_exit(123);
    ::fcntl(kChannelFd, F_SETFD, 0);
    ::syscall(SYS_close_range, kChannelFd + 1, ~0U, 0);
    // The program's standard input, output and error (a terminal, a log
    // file) are not the engine's: it gets /dev/null in their place, or
    // nothing. Under the sanitizers their reports keep the error output.
    const int nul = ::open("/dev/null", O_RDWR | O_CLOEXEC);
#if !defined(VESK_ASAN)
    for (int std : {0, 1, 2}) {
#else
    for (int std : {0, 1}) {
#endif
        if (nul < 0 || ::dup2(nul, std) < 0) ::close(std);
    }
    if (nul > kChannelFd) ::close(nul);
    // The limits' signals end the child whatever the program set for them.
    ::signal(SIGPIPE, SIG_IGN);
    ::signal(SIGPROF, SIG_DFL);
    ::signal(SIGXFSZ, SIG_DFL);
    sigset_t all;
    sigemptyset(&all);
    ::sigprocmask(SIG_SETMASK, &all, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(120);
    gExit.Make(kExit);
    gMemory.Make(kMemory);
    gRecursion.Make(kRecursion);
    gCrash.Make(kCrash, true);
    gOverflow.Make(kOverflow);

    Limit(RLIMIT_CORE, 0, 0);
    Limit(RLIMIT_FSIZE, 0, 0);
    Limit(RLIMIT_STACK, rlim_t(16) << 20, rlim_t(16) << 20);
#if !defined(VESK_ASAN)
    // The sanitizer's shadow memory would not fit in any address limit;
    // there the parent watches the resident size alone.
    const rlim_t as = static_cast<rlim_t>(virtualKbAtStart) * 1024 + memory;
    Limit(RLIMIT_AS, as, as);
#else
    (void)virtualKbAtStart;
    (void)memory;
#endif
    WatchStack();
    try {
        ChildLog log;
        TClips clips;
        Attach(clips, log);
        if (!Confine(filter)) Fail("Nie mo\xBFna odizolowa\xE6 silnika regu\xB3 (seccomp); wnioskowania nie uruchomiono");
        for (;;) {
            const Operation op = ReadOperation();
            gSent = 0;
            gSpent = 0;
            gBudget = op.budget;
            log.Begin();
            clips.ClearLog();
            // The program measures the processor time too; this is the
            // child's own stop should the program be slow to look.
            ProcessorAlarm(op.cpuSeconds + 1);
            std::vector<SandboxStep> steps;
            for (const ChildStep& s : op.steps) steps.push_back(s.step);
            const std::string prefix = Prefix(steps);
            for (gStep = 0; gStep < op.steps.size(); ++gStep) Do(clips, op.steps[gStep], prefix);
            gStep = ~0U;
            if (op.facts || op.constructs) {
                Send(kResults, {});
                ProcessorAlarm(op.cpuSeconds + 1);
                gGathering = true;
            }
            if (op.facts) SendFacts(clips, first);
            if (op.constructs) Send(kConstructs, clips.ConstructsText(), 1);
            ProcessorAlarm(0);
            gGathering = false;
            std::string done;
            Put32(done, op.sequence);
            Put32(done, gSent);
            Send(kDone, done);
        }
    } catch (const std::bad_alloc&) {
        gMemory.SendAndExit();
    } catch (const std::exception& e) {
        Fail("B\xB3\xB9" "d silnika regu\xB3: " + std::string(e.what()));
    }
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

// The processor time the child has used, in clock ticks.
long long CpuTicks(pid_t pid) {
    char text[1024];
    std::size_t n = 0;
    if (FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r")) {
        n = std::fread(text, 1, sizeof text - 1, f);
        std::fclose(f);
    }
    text[n] = '\0';
    // After the name in parentheses: state, then fields 4 to 13, then
    // the user and system times.
    const char* p = std::strrchr(text, ')');
    if (!p) return 0;
    unsigned long long user = 0, system = 0;
    if (std::sscanf(p + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system) != 2) return 0;
    return static_cast<long long>(user + system);
}

std::string Megabytes(std::size_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

// Takes the child's records as they come, keeping no more of each than
// the child may send and no more of all than the operation's budget: the
// program's memory is bounded whatever the child does.
class Reader {
public:
    Reader(SandboxResult& r, std::size_t budget, std::uint32_t sequence)
        : r_(r), budget_(budget), sequence_(sequence) {}
    char last = 0;
    int signal = 0;         // of a crash the child reported
    bool results = false;   // the steps are done, their results come
    bool done = false;      // the operation ended well
    bool damaged = false;   // the stream is not what the child sends
    bool overflow = false;  // the budget ran out
    bool Over() const { return damaged || overflow; }

    void Feed(const char* data, std::size_t n) {
        while (n > 0 && !Over()) {
            if (done) {  // nothing may follow the end of an operation
                damaged = true;
                return;
            }
            if (have_ < kHeader) {
                const std::size_t k = std::min(n, kHeader - have_);
                std::memcpy(head_ + have_, data, k);
                have_ += k;
                data += k;
                n -= k;
                if (have_ == kHeader) Begin();
                continue;
            }
            const std::size_t k = std::min<std::size_t>(n, len_ - got_);
            if (payload_.size() < keep_) payload_.append(data, std::min(k, keep_ - payload_.size()));
            got_ += k;
            data += k;
            n -= k;
            if (got_ == len_) End();
        }
    }

private:
    void Charge(std::size_t bytes) {
        spent_ += bytes;
        if (spent_ > budget_) overflow = true;
    }

    void Begin() {
        const char tag = head_[0];
        len_ = Get32(head_ + 1);
        got_ = 0;
        payload_.clear();
        switch (tag) {
        case kLine: keep_ = CutLength(kSandboxLineBytes); break;
        case kFact:
        case kConstructs:
            // Kept whole, so held to what is left of the budget first.
            keep_ = len_;
            Charge(kHeader + len_ + kStringCost);
            break;
        case kError: keep_ = 4 + CutLength(kMaxError); break;
        case kMessages:
        case kHalted:
        case kPrinted: keep_ = CutLength(kMaxError); break;
        case kFired: case kResults: case kLeftOut: case kDone: case kExit: case kMemory: case kRecursion:
        case kCrash: case kOverflow:
            keep_ = 48;
            if (len_ > keep_) damaged = true;
            break;
        default: damaged = true; break;
        }
        if (!Over() && len_ == 0) End();
    }

    void End() {
        const char tag = head_[0];
        have_ = 0;
        last = tag;
        if (tag != kDone) ++records_;
        switch (tag) {
        case kLine:
            Charge(kHeader + payload_.size() + kStringCost);
            if (Over()) break;
            if (r_.Log.size() <= kMaxLogLines)
                r_.Log.push_back(len_ > keep_ ? Cut(payload_, kSandboxLineBytes) : payload_);
            break;
        case kFired: r_.Fired = std::strtoll(payload_.c_str(), nullptr, 10); break;
        case kResults: results = true; break;
        case kLeftOut: {
            char* end = nullptr;
            r_.FactsLeftOut += std::strtoull(payload_.c_str(), &end, 10);
            r_.FirstFactsLeftOut += std::strtoull(end, nullptr, 10);
            break;
        }
        case kFact: Fact(); break;
        case kConstructs: r_.Constructs = payload_; break;
        case kError:
            if (payload_.size() < 4) {
                damaged = true;
                break;
            }
            r_.FailedStep = static_cast<std::int32_t>(Get32(payload_.data()));
            r_.Error = len_ > keep_ ? Cut(payload_.substr(4), kMaxError) : payload_.substr(4);
            break;
        case kMessages:
        case kHalted:
        case kPrinted: {
            Charge(kHeader + payload_.size() + kStringCost);
            if (Over()) break;
            std::string& text = tag == kPrinted ? r_.Printed : r_.EngineMessages;
            if (!text.empty()) text += '\n';
            text += len_ > keep_ ? Cut(payload_, kMaxError) : payload_;
            r_.Halted = r_.Halted || tag == kHalted;
            break;
        }
        case kCrash: signal = payload_.empty() ? 0 : static_cast<unsigned char>(payload_[0]); break;
        case kDone:
            if (payload_.size() != 8 || Get32(payload_.data()) != sequence_ || Get32(payload_.data() + 4) != records_)
                damaged = true;
            else
                done = true;
            break;
        default: break;
        }
    }

    void Fact() {
        std::vector<std::string> fields;
        std::string_view p(payload_);
        while (p.size() >= 4 && !Over()) {
            const std::uint32_t len = Get32(p.data());
            if (p.size() - 4 < len) break;
            Charge(kStringCost);
            fields.push_back(Cut(p.substr(4, len), CutLength(kSandboxFieldBytes)));
            p.remove_prefix(4 + len);
        }
        if (!p.empty()) damaged = true;
        if (Over()) return;
        if (r_.Facts.size() < kSandboxFacts) r_.Facts.push_back(std::move(fields));
        else ++r_.FactsLeftOut;
    }

    SandboxResult& r_;
    const std::size_t budget_;
    const std::uint32_t sequence_;
    std::size_t spent_ = 0;
    std::uint32_t records_ = 0;
    char head_[kHeader] = {};
    std::size_t have_ = 0, got_ = 0, keep_ = 0;
    std::uint32_t len_ = 0;
    std::string payload_;
};

bool SendAll(int fd, const std::string& data) {
    for (std::size_t at = 0; at < data.size();) {
        const ssize_t n = ::send(fd, data.data() + at, data.size() - at, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

SandboxedEngine::~SandboxedEngine() { End(); }

bool SandboxedEngine::Start(const SandboxLimits& limits) {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return false;
    const long virtualKb = StatmKb(0, 0);
    residentKbAtStart_ = StatmKb(0, 1);
    const Filter& filter = ConfinementFilter();
    const pid_t parent = ::getpid();
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) Child(fds[1], fds[0], parent, virtualKb, limits.Memory, filter, first_);
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return false;
    }
    pid_ = pid;
    fd_ = fds[0];
    return true;
}

int SandboxedEngine::Reap() {
    int status = 0;
    if (pid_ > 0) {
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (fd_ >= 0) ::close(fd_);
    pid_ = -1;
    fd_ = -1;
    return status;
}

void SandboxedEngine::End() {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    Reap();
}

SandboxResult SandboxedEngine::Do(const SandboxJob& job, const std::function<bool()>& keepGoing) {
    SandboxResult r;
    if (!Running() && !Start(job.Limits)) {
        r.Error = "Nie mo\xBFna uruchomi\xE6 silnika regu\xB3 (brak zasob\xF3w systemu)";
        return r;
    }
    const std::string prefix = Prefix(job.Steps);
    enum class Why { None, Cpu, Wall, Memory, Stopped, Overflow, Damaged } killed = Why::None;
    Reader reader(r, job.Limits.Output, ++sequence_);

    // Between operations the child says nothing: bytes waiting now are
    // forged, or the end of a child that died idle.
    pollfd idle{fd_, POLLIN, 0};
    bool open = ::poll(&idle, 1, 0) <= 0;
    if (!open) {
        char c;
        if (::recv(fd_, &c, 1, MSG_PEEK | MSG_DONTWAIT) == 1) killed = Why::Damaged;
    }
    if (open) {
        std::string command;
        for (const SandboxStep& s : job.Steps) {
            std::string p(1, static_cast<char>(s.What));
            Put64(p, static_cast<std::uint64_t>(s.Limit));
            Put32(p, static_cast<std::uint32_t>(s.File.size()));
            p += s.File;
            std::string why;
            std::optional<std::string> text;
            if (s.What == SandboxStep::Kind::Load || s.What == SandboxStep::Kind::LoadAppend)
                text = s.Own ? TClips::ReadFile(s.File, why) : TClips::ReadRuleFile(s.File, why);
            p += text ? 'T' : 'B';
            p += text ? *text : why;
            command += Record(kStep, p);
        }
        std::string go;
        Put32(go, sequence_);
        go += static_cast<char>((job.WantFacts ? 1 : 0) | (job.WantConstructs ? 2 : 0));
        Put64(go, job.Limits.Output);
        Put32(go, static_cast<std::uint32_t>(std::max(1, job.Limits.CpuSeconds)));
        command += Record(kGo, go);
        open = SendAll(fd_, command);
    }

    auto start = std::chrono::steady_clock::now();
    const long long ticks = ::sysconf(_SC_CLK_TCK);
    long long cpuAtStart = CpuTicks(pid_);
    bool results = false;  // the limits count afresh for the results
    const long long cpuLimit = static_cast<long long>(std::max(1, job.Limits.CpuSeconds)) * ticks;
    const long memoryKb = static_cast<long>(job.Limits.Memory / 1024);
    auto checked = start - std::chrono::seconds(1);
    char chunk[65536];
    while (open && !reader.done && killed == Why::None) {
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) > 0) {
            const ssize_t n = ::read(fd_, chunk, sizeof chunk);
            if (n > 0) reader.Feed(chunk, static_cast<std::size_t>(n));
            else if (n == 0 || errno != EINTR) open = false;
        }
        if (reader.damaged) killed = Why::Damaged;
        else if (reader.overflow) killed = Why::Overflow;
        // The limits and the caller every 50 ms, however busy the channel
        // (and the caller at least once, however short the operation).
        const auto now = std::chrono::steady_clock::now();
        if (killed != Why::None || now - checked < std::chrono::milliseconds(50)) continue;
        checked = now;
        if (reader.done) {
            if (keepGoing) keepGoing();
            continue;
        }
        if (reader.results && !results) {
            results = true;
            start = now;
            cpuAtStart = CpuTicks(pid_);
        }
        if (CpuTicks(pid_) - cpuAtStart > cpuLimit)
            killed = Why::Cpu;
        else if (now - start > std::chrono::seconds(job.Limits.WallSeconds))
            killed = Why::Wall;
        else if (StatmKb(pid_, 1) - residentKbAtStart_ > memoryKb)
            killed = Why::Memory;
        else if (keepGoing && !keepGoing())
            killed = Why::Stopped;
    }
    if (reader.done && killed == Why::None) {
        r.Ok = true;
        return r;
    }

    // The operation failed: the engine's state goes with the child (one
    // that has ended already keeps the status it ended with).
    ::kill(pid_, SIGKILL);
    const int status = Reap();
    const bool run = prefix.find("wnioskowanie") != std::string::npos;
    const bool processor = killed == Why::Cpu || (WIFSIGNALED(status) && WTERMSIG(status) == SIGPROF);
    const std::string seconds = std::to_string(job.Limits.CpuSeconds) + " s)";
    if (killed == Why::Stopped) {
        r.Stopped = true;
        r.Error = prefix + "zatrzymane przez u\xBFytkownika";
    } else if (processor && reader.results) {
        r.Error = prefix + "przekroczono czas przekazywania wynik\xF3w silnika regu\xB3 (" + seconds;
    } else if (processor) {
        r.Error = prefix + (run ? "przekroczono czas wnioskowania (" : "przekroczono czas pracy silnika regu\xB3 (") +
                  seconds;
    } else if (killed == Why::Wall) {
        r.Error = prefix + "silnik regu\xB3 nie odpowiada\xB3 przez " + std::to_string(job.Limits.WallSeconds) + " s";
    } else if (killed == Why::Memory || reader.last == kMemory) {
        r.Error = prefix + "przekroczono limit pami\xEA" "ci (" + Megabytes(job.Limits.Memory) + ")";
    } else if (killed == Why::Overflow || reader.last == kOverflow) {
        r.Error = prefix + "przekroczono limit wynik\xF3w silnika regu\xB3 (" + Megabytes(job.Limits.Output) + ")";
    } else if (killed == Why::Damaged) {
        r.Error = prefix + "wynik silnika regu\xB3 jest uszkodzony";
    } else if (reader.last == kRecursion) {
        r.Error = prefix + "zbyt g\xB3\xEA" "boka rekurencja";
    } else if (reader.last == kExit) {
        r.Error = prefix + "plik regu\xB3 wywo\xB3" "a\xB3 funkcj\xEA exit (program dzia\xB3" "a dalej)";
    } else if (reader.last == kError && !r.Error.empty()) {
        // the engine's own message
    } else if (reader.last == kCrash || WIFSIGNALED(status)) {
        const int sig = reader.last == kCrash ? reader.signal : WTERMSIG(status);
        const char* name = sig > 0 && sig < NSIG ? ::sigabbrev_np(sig) : nullptr;
        r.Error = prefix + "awaria silnika regu\xB3 (sygna\xB3 " + std::to_string(sig) +
                  (name ? std::string(", SIG") + name : std::string()) + ")";
    } else {
        r.Error = prefix + "silnik regu\xB3 zako\xF1" "czy\xB3 prac\xEA nieoczekiwanie (kod " +
                  std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")";
    }
    return r;
}

SandboxResult RunSandboxed(const SandboxJob& job, const std::function<bool()>& keepGoing) {
    SandboxedEngine engine;
    return engine.Do(job, keepGoing);
}

}  // namespace vesk
